#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/text/text.h"

namespace {

std::string EveryByte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

TEST(TextUtf8, ConvertsBytesToCharacters) {
    struct Case {
        std::string in;
        std::string out;
    };
    for (const auto& [in, out] : {Case{"abc", "abc"},
                                  {"\x80", "\xE2\x82\xAC"},
                                  {"\x81", "\xC2\x81"},
                                  {"\x9D", "\xC2\x9D"},
                                  {"\x8A", "\xC5\xA0"},
                                  {"\x9F", "\xC5\xB8"},
                                  {"\x99", "\xE2\x84\xA2"},
                                  {"\xA0", "\xC2\xA0"},
                                  {"\xE9", "\xC3\xA9"},
                                  {"\xFF", "\xC3\xBF"},
                                  {std::string(1, '\0'), std::string(1, '\0')}}) {
        EXPECT_EQ(text::ToUtf8(in), out);
        EXPECT_EQ(text::FromUtf8(out), in);
    }
}

TEST(TextUtf8, RoundTripsEveryByte) {
    const std::string bytes = EveryByte();
    EXPECT_EQ(text::FromUtf8(text::ToUtf8(bytes)), bytes);
    for (char b : bytes)
        EXPECT_EQ(text::FromUtf8(text::ToUtf8(std::string(1, b))), std::string(1, b));
}

TEST(TextUtf8, RefusesMalformedOrForeignCharacters) {
    for (const char* in : {"\xC3", "a\xE2\x82", "\x80", "\xC3(", "\xC0\x80", "\xE0\x80\x80",
                           "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80",
                           "\xE4\xB8\xAD", "\xF0\x9F\x98\x80", "\xC2\x80", "\xC2\x9F", "\xC4\x80"})
        EXPECT_EQ(text::FromUtf8(in), std::nullopt) << in;
}

TEST(TextEscapes, WritesControlsAsEscapes) {
    struct Case {
        std::string in;
        std::string out;
    };
    for (const auto& [in, out] : {Case{"a\\b", "a\\\\b"},
                                  {"\r\n\t", "\\r\\n\\t"},
                                  {std::string(1, '\0'), "\\0"},
                                  {"\x01", "\\x01"},
                                  {"\x1B", "\\x1B"},
                                  {"\x7F", "\\x7F"},
                                  {"\x81", "\\x81"},
                                  {"\x8D\x8F\x90\x9D", "\\x8D\\x8F\\x90\\x9D"},
                                  {"\x80", "\xE2\x82\xAC"},
                                  {"\xE9t\xE9", "\xC3\xA9t\xC3\xA9"},
                                  {"\xA0", "\xC2\xA0"},
                                  {"say \"hi\"", "say \"hi\""}}) {
        EXPECT_EQ(text::EscapeBytes(in), out);
        EXPECT_EQ(text::UnescapeUtf8(out), in);
    }
}

TEST(TextEscapes, RoundTripsEveryByte) {
    const std::string bytes = EveryByte();
    for (const std::string& in : {bytes, std::string("\\x41"),
                                  std::string("\0"
                                              "1",
                                              2),
                                  std::string("\\\\n"), std::string("\\")})
        EXPECT_EQ(text::UnescapeUtf8(text::EscapeBytes(in)), in);
    for (char b : bytes) {
        for (char next : {'x', '0', 'A', '\\'}) {
            const std::string pair{b, next};
            EXPECT_EQ(text::UnescapeUtf8(text::EscapeBytes(pair)), pair);
        }
    }
}

TEST(TextEscapes, ReadsLenientlyButRefusesBadEscapes) {
    EXPECT_EQ(text::UnescapeUtf8("\\x1b"), "\x1B");
    EXPECT_EQ(text::UnescapeUtf8("a\tb\n"), "a\tb\n");
    EXPECT_EQ(text::UnescapeUtf8(""), "");
    for (const char* in : {"\\q", "\\", "ab\\", "\\x4", "\\xG1", "\\x", "\xC3", "\xE4\xB8\xAD"})
        EXPECT_EQ(text::UnescapeUtf8(in), std::nullopt) << in;
}

}  // namespace
