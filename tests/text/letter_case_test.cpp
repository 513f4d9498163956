#include <gtest/gtest.h>

#include <string>

#include "platform/text/text.h"

namespace {

TEST(TextLetterCase, MapsWindows1252Pairs) {
    struct Pair {
        char upper;
        char lower;
    };
    for (auto [upper, lower] : {Pair{'A', 'a'},
                                {'Z', 'z'},
                                {'\xC0', '\xE0'},
                                {'\xC9', '\xE9'},
                                {'\xD6', '\xF6'},
                                {'\xD8', '\xF8'},
                                {'\xDE', '\xFE'},
                                {'\x8A', '\x9A'},
                                {'\x8C', '\x9C'},
                                {'\x8E', '\x9E'},
                                {'\x9F', '\xFF'}}) {
        EXPECT_EQ(text::ToLowerChar(upper), lower) << int(static_cast<unsigned char>(upper));
        EXPECT_EQ(text::ToUpperChar(lower), upper) << int(static_cast<unsigned char>(lower));
        EXPECT_EQ(text::ToLowerChar(lower), lower);
        EXPECT_EQ(text::ToUpperChar(upper), upper);
    }
}

TEST(TextLetterCase, LeavesOtherBytesAlone) {
    for (char c : {'@', '[', '`', '{', '1', ' ', '\0', '\x80', '\x8B', '\x9B', '\xD7', '\xF7',
                   '\xDF', '\xB5', '\xA0', '\xBF'}) {
        EXPECT_EQ(text::ToLowerChar(c), c) << int(static_cast<unsigned char>(c));
        EXPECT_EQ(text::ToUpperChar(c), c) << int(static_cast<unsigned char>(c));
    }
}

TEST(TextLetterCase, ConvertsWholeTexts) {
    struct Case {
        std::string in;
        std::string lower;
        std::string upper;
        std::string proper;
    };
    for (const auto& c :
         {Case{"hELLO wORLD", "hello world", "HELLO WORLD", "Hello World"},
          Case{"a\tb\nc\rd\ve\ff", "a\tb\nc\rd\ve\ff", "A\tB\nC\rD\vE\fF", "A\tB\nC\rD\vE\fF"},
          Case{std::string("x\0y", 3), std::string("x\0y", 3), std::string("X\0Y", 3),
               std::string("X\0Y", 3)},
          Case{"o'neil x-ray", "o'neil x-ray", "O'NEIL X-RAY", "O'neil X-ray"},
          Case{"  two  BLANKS ", "  two  blanks ", "  TWO  BLANKS ", "  Two  Blanks "},
          Case{"\xE9\xC7OLE \xDF\xFF", "\xE9\xE7ole \xDF\xFF", "\xC9\xC7OLE \xDF\x9F",
               "\xC9\xE7ole \xDF\xFF"},
          Case{"", "", "", ""}}) {
        EXPECT_EQ(text::LCase(c.in), c.lower) << c.in;
        EXPECT_EQ(text::UCase(c.in), c.upper) << c.in;
        EXPECT_EQ(text::ProperCase(c.in), c.proper) << c.in;
    }
}

TEST(TextLetterCase, ComparesIgnoringCase) {
    struct Case {
        const char* a;
        const char* b;
        int order;
    };
    for (auto [a, b, order] : {Case{"Bob", "bOB", 0},
                               {"bo", "bob", -1},
                               {"abc", "ab", 1},
                               {"a", "B", -1},
                               {"B", "a", 1},
                               {"z", "\xE9", -1},
                               {"\xC9", "\xE9", 0},
                               {"\x8A", "\x9A", 0},
                               {"", "", 0}}) {
        EXPECT_EQ(text::CompareIgnoreCase(a, b), order) << a << " " << b;
        EXPECT_EQ(text::EqualsIgnoreCase(a, b), order == 0) << a << " " << b;
    }
    EXPECT_TRUE(text::StartsWithIgnoreCase("Hello", "hE"));
    EXPECT_TRUE(text::StartsWithIgnoreCase("Hello", ""));
    EXPECT_FALSE(text::StartsWithIgnoreCase("he", "hello"));
    EXPECT_FALSE(text::StartsWithIgnoreCase("Hello", "el"));
}

}  // namespace
