#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/text/text.h"

namespace {

TEST(TextPieces, TrimsSpacesOnly) {
    struct Case {
        const char* in;
        const char* left;
        const char* right;
        const char* both;
    };
    for (auto [in, left, right, both] : {Case{"  a b  ", "a b  ", "  a b", "a b"},
                                         {"\ta \t", "\ta \t", "\ta \t", "\ta \t"},
                                         {"\t a ", "\t a ", "\t a", "\t a"},
                                         {"   ", "", "", ""},
                                         {"", "", "", ""}}) {
        EXPECT_EQ(text::LTrim(in), left) << in;
        EXPECT_EQ(text::RTrim(in), right) << in;
        EXPECT_EQ(text::Trim(in), both) << in;
    }
}

TEST(TextPieces, CutsWhatExists) {
    EXPECT_EQ(text::Left("abc", 2), "ab");
    EXPECT_EQ(text::Left("abc", 5), "abc");
    EXPECT_EQ(text::Left("abc", 0), "");
    EXPECT_EQ(text::Left("abc", -1), "");
    struct Case {
        int start;
        int len;
        const char* out;
    };
    for (auto [start, len, out] : {Case{2, 3, "bcd"},
                                   {2, -1, "bcdef"},
                                   {6, 5, "f"},
                                   {7, -1, ""},
                                   {0, 2, "a"},
                                   {-5, 3, ""},
                                   {1, 0, ""},
                                   {1, INT_MAX, "abcdef"},
                                   {INT_MAX, INT_MAX, ""},
                                   {INT_MIN, INT_MAX, ""}})
        EXPECT_EQ(text::Mid("abcdef", start, len), out) << start << "," << len;
}

TEST(TextPieces, FindsFromOne) {
    struct Case {
        const char* hay;
        const char* needle;
        int at;
    };
    for (auto [hay, needle, at] : {Case{"hello", "ll", 3},
                                   {"hello", "h", 1},
                                   {"hello", "x", 0},
                                   {"hello", "L", 0},
                                   {"aaa", "aa", 1},
                                   {"hello", "", 1},
                                   {"", "", 0},
                                   {"", "a", 0},
                                   {"ab", "abc", 0}})
        EXPECT_EQ(text::InStr(hay, needle), at) << hay << " " << needle;
}

TEST(TextPieces, ReplacesEveryOccurrence) {
    struct Case {
        const char* in;
        const char* what;
        const char* with;
        const char* exact;
        const char* any_case;
    };
    for (auto [in, what, with, exact, any_case] :
         {Case{"a.log.log", ".log", "", "a", "a"},
          {"Words.LOG", ".log", "", "Words.LOG", "Words"},
          {"a.Log.lOg.txt", ".LOG", "", "a.Log.lOg.txt", "a.txt"},
          {"..loglog", ".log", "", ".log", ".log"},
          {"aaa", "aa", "b", "ba", "ba"},
          {"xyz", "y", "yy", "xyyz", "xyyz"},
          {"abc", "", "x", "abc", "abc"},
          {"\xC9t\xE9", "\xE9", "e", "\xC9te", "ete"}}) {
        EXPECT_EQ(text::ReplaceAll(in, what, with), exact) << in;
        EXPECT_EQ(text::ReplaceAllIgnoreCase(in, what, with), any_case) << in;
    }
}

}  // namespace
