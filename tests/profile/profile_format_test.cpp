#include "platform/profile/profile_format.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

std::optional<std::string> Lookup(std::string_view file, std::string_view section,
                                  std::string_view key) {
    bool found = false;
    std::string value = profile::LookupValue(file, section, key, found);
    if (!found) return std::nullopt;
    return value;
}

TEST(ProfileFormatLookup, FindsValuesByTheFormatsRules) {
    struct Case {
        const char* file;
        const char* section;
        const char* key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"[tavrel]\r\nscramble=12\r\n", "tavrel", "scramble", "12"},
        {"[tavrel]\nscramble=12\n", "tavrel", "scramble", "12"},
        {"[tavrel]\nscramble=12", "tavrel", "scramble", "12"},
        // Names regardless of case and of blanks around them.
        {"[Tavrel]\nScramble=3\n", "tavrel", "scramble", "3"},
        {"[TAVREL]\nscramble=3\n", "tavrel", "SCRAMBLE", "3"},
        {"  [ tavrel ]  \n  scramble  =3\n", "tavrel", "scramble", "3"},
        {"[\xC9T\xC9]\n\xC0\x8A=x\n", "\xE9t\xE9", "\xE0\x9A", "x"},
        {"[s]\n\xD7=1\n", "s", "\xF7", std::nullopt},  // multiplication sign is no letter
        // Blanks at both ends, then one pair of matching quotes.
        {"[s]\nk=  a b \t\n", "s", "k", "a b"},
        {"[s]\nk= \"a b\" \n", "s", "k", "a b"},
        {"[s]\nk='a b'\n", "s", "k", "a b"},
        {"[s]\nk=\"\" \n", "s", "k", ""},
        {"[s]\nk=\"\"x\"\"\n", "s", "k", "\"x\""},
        {"[s]\nk=\"a b'\n", "s", "k", "\"a b'"},
        {"[s]\nk=\"\n", "s", "k", "\""},
        {"[s]\nk= \" a \" \n", "s", "k", " a "},
        {"[s]\nk=a=b\n", "s", "k", "a=b"},
        {"[s]\nk=\n", "s", "k", ""},
        // Missing pieces.
        {"", "s", "k", std::nullopt},
        {"[s]\nother=1\n", "s", "k", std::nullopt},
        {"[t]\nk=1\n", "s", "k", std::nullopt},
        {"k=1\n[s]\n", "s", "k", std::nullopt},
        {"[s]\n[t]\nk=1\n", "s", "k", std::nullopt},
        {"[s]\nk\n", "s", "k", std::nullopt},
        // First section and first key of a name win.
        {"[s]\nk=1\nk=2\n", "s", "k", "1"},
        {"[s]\na=1\n[s]\nk=2\n", "s", "k", std::nullopt},
        // A header without its bracket still ends the section before it.
        {"[s]\n[t\nk=1\n", "s", "k", std::nullopt},
        {"[s] trailing words\nk=1\n", "s", "k", "1"},
        {"[s]\n;k=1\nk=2\n", "s", "k", "2"},
    };
    for (const Case& c : cases) EXPECT_EQ(Lookup(c.file, c.section, c.key), c.value) << c.file;
}

TEST(ProfileFormatLookup, KeepsBytesOutsideAsciiAndNul) {
    const std::string file("[s]\nk=\xFF\x00\x81 \n", 12);
    EXPECT_EQ(Lookup(file, "s", "k"), std::string("\xFF\x00\x81", 3));
}

TEST(ProfileFormatWrite, BuildsTheExpectedFile) {
    struct Case {
        const char* before;
        const char* after;
    };
    // Every case sets k=v in section s.
    const Case cases[] = {
        {"", "[s]\r\nk=v\r\n"},
        // A new section follows the file's own line ending.
        {"[t]\na=1\n", "[t]\na=1\n[s]\nk=v\n"},
        {"[t]\r\na=1\r\n", "[t]\r\na=1\r\n[s]\r\nk=v\r\n"},
        {"[t]\r\na=1", "[t]\r\na=1\r\n[s]\r\nk=v\r\n"},
        // Replaced in place with the caller's key, the line ending kept.
        {"[S]\r\nK = old \r\n[t]\r\n", "[S]\r\nk=v\r\n[t]\r\n"},
        {"[s]\nk=old", "[s]\nk=v"},
        // Added after the section's last line with text.
        {"[s]\na=1\n\n[t]\nk=1\n", "[s]\na=1\nk=v\n\n[t]\nk=1\n"},
        {"[s]\n\n[t]\n", "[s]\nk=v\n\n[t]\n"},
        {"[s]", "[s]\r\nk=v\r\n"},
        // Only the first section of the name, as reading does.
        {"[s]\na=1\n[s]\nk=2\n", "[s]\na=1\nk=v\n[s]\nk=2\n"},
        // Keys above every section belong to none.
        {"k=1\n", "k=1\n[s]\nk=v\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(profile::WithValue(c.before, "s", "k", "v"), c.after);
}

TEST(ProfileFormatWrite, KeepsEveryOtherLineByteForByte) {
    const std::string before =
        "; hand-written notes\r\n"
        "[tavrel]\r\n"
        "scramble = 41\r\n"
        "junk line without equals\r\n"
        "\r\n"
        "[theuser]\n"
        "user=  \"Bob\"  \r\n"
        "\xFF\xFE odd bytes\r\n";
    const std::string after = *profile::WithValue(before, "TAVREL", "scramble", "42");
    std::string expected = before;
    expected.replace(expected.find("scramble = 41"), 13, "scramble=42");
    EXPECT_EQ(after, expected);
}

TEST(ProfileFormatWrite, ReadsBackWhatItStored) {
    for (const std::string value : {"1", "", " leading blank", "x\xE9y", "=", "[a]", "\"q\""}) {
        const auto file = profile::WithValue("[a]\nb=1\n", "thewinner", "winner", value);
        ASSERT_TRUE(file) << value;
        bool found = false;
        const std::string back = profile::LookupValue(*file, "thewinner", "winner", found);
        EXPECT_TRUE(found);
        EXPECT_EQ(back, value == " leading blank" ? "leading blank"
                        : value == "\"q\""        ? "q"
                                                  : value);
        EXPECT_EQ(profile::LookupValue(*file, "a", "b", found), "1");
    }
}

TEST(ProfileFormatWrite, RefusesWhatWouldSpillIntoOtherLines) {
    struct Case {
        std::string section, key, value;
    };
    const Case cases[] = {
        {"s", "k", "two\nlines"}, {"s", "k", "two\rlines"}, {"s", "k", std::string("a\0b", 3)},
        {"s\n", "k", "v"},        {"s]", "k", "v"},         {"s", "k\r\n", "v"},
        {"s", "k=x", "v"},        {"s", " [k", "v"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(profile::WithValue("[s]\nk=1\n", c.section, c.key, c.value), std::nullopt)
            << c.section << "|" << c.key << "|" << c.value;
}

TEST(ProfileFormatNames, LowerCasesWindows1252Letters) {
    EXPECT_EQ(profile::LowerName("ScRamble"), "scramble");
    EXPECT_EQ(profile::LowerName("\xC0\xDE\xD7\x8A\x8C\x8E\x9F"), "\xE0\xFE\xD7\x9A\x9C\x9E\xFF");
    EXPECT_EQ(profile::LowerName("1[]=_\xDF"), "1[]=_\xDF");
}

}  // namespace
