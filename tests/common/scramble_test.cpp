#include "common/scramble.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tests/common/common_fixture.h"

namespace {

using common_test::HelperTest;

class Scramble : public HelperTest {};

// Splits at each space, keeping empty words, so that blanks are compared by position.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words(1);
    for (char c : text) {
        if (c == ' ')
            words.emplace_back();
        else
            words.back().push_back(c);
    }
    return words;
}

std::string Sorted(std::string s) {
    std::sort(s.begin(), s.end());
    return s;
}

TEST_F(Scramble, KeepsBlanksInPlaceAndLettersInTheirWords) {
    for (const std::string text : {"", "a", "ab  cd", " abc", "abc ", "  a b  ", "x\ty zz",
                                   "apple big cat", "aaaa bbbb cccc"}) {
        for (int run = 0; run < 50; ++run) {
            std::string scrambled = ScrambleWords(text);
            ASSERT_EQ(scrambled.size(), text.size()) << text;
            std::vector<std::string> in = Words(text);
            std::vector<std::string> out = Words(scrambled);
            ASSERT_EQ(out.size(), in.size()) << text;
            for (std::size_t k = 0; k < in.size(); ++k)
                EXPECT_EQ(Sorted(out[k]), Sorted(in[k])) << text << " -> " << scrambled;
        }
    }
    EXPECT_EQ(ScrambleWords(""), "");
    EXPECT_EQ(ScrambleWords("a"), "a");
    EXPECT_EQ(ScrambleWords("  "), "  ");
}

TEST_F(Scramble, EveryOrderIsAboutEquallyLikely) {
    constexpr int kRuns = 6000;
    std::map<std::string, int> counts;
    for (int run = 0; run < kRuns; ++run) ++counts[ScrambleWords("abc")];
    ASSERT_EQ(counts.size(), 6u);
    double expected = kRuns / 6.0;
    double chi_square = 0;
    for (const auto& [order, count] : counts)
        chi_square += (count - expected) * (count - expected) / expected;
    // Five degrees of freedom: 30 is exceeded by chance far less than once in ten thousand runs.
    EXPECT_LT(chi_square, 30.0);
}

TEST_F(Scramble, RunsEventsBeforeEachWordAndBlankAndNeverSeeds) {
    auto rounds = [&](const std::string& text) {
        auto before = events().rounds();
        ScrambleWords(text);
        return events().rounds() - before;
    };
    EXPECT_EQ(rounds("ab  cd"), 4u);
    EXPECT_EQ(rounds(" a"), 2u);
    EXPECT_EQ(rounds("word"), 1u);

    // Seeding from the unmoving virtual clock would give the same order every time.
    std::map<std::string, int> orders;
    for (int run = 0; run < 20; ++run) ++orders[ScrambleWords("abcdefgh")];
    EXPECT_GT(orders.size(), 1u);
}

TEST_F(Scramble, ScramblesTheTextAsGivenWhileEventsChangeTheCallersCopy) {
    std::string shown = "alpha beta gamma";
    events().post([&shown] { shown = "x"; });
    std::string scrambled = ScrambleWords(shown);
    EXPECT_EQ(shown, "x");
    EXPECT_EQ(Words(scrambled).size(), 3u);
    EXPECT_EQ(Sorted(scrambled), Sorted("alpha beta gamma"));
}

TEST_F(Scramble, HintsUncoverTheWordFromEitherEnd) {
    struct Case {
        std::string word, count, front, back;
    };
    for (const auto& [word, count, front, back] : {
             Case{"apple", "2", "ap---", "---le"},
             Case{"apple", "9", "apple", "apple"},
             Case{"apple", "5", "apple", "apple"},
             Case{"apple", "0", "", ""},
             Case{"apple", "none", "", ""},
             Case{"apple", "-3", "", ""},
             Case{"apple", "1.5", "ap---", "---le"},
             Case{"apple", "2.5", "ap---", "---le"},
             Case{"apple", " 3rd", "app--", "--ple"},
             Case{"big cat", "2", "bi-----", "-----at"},
             Case{"big cat", "4", "big ---", "--- cat"},
             Case{"", "3", "", ""},
         }) {
        chat().reset(chatclient::Mode::Room, "host");
        SendHint(word, count);
        SendBackwardsHint(word, count);
        EXPECT_EQ(said_texts().end()[-2], "<b>[</b> Hint: " + front + " <b>]</b>") << word << count;
        EXPECT_EQ(said_texts().back(), "<b>[</b> <u>Backwards</u> Hint: " + back + " <b>]</b>")
            << word << count;
    }
}

TEST_F(Scramble, HintsRunEventsForEachStepAndKeepTheirWord) {
    std::string word = "apple";
    events().post([&word] { word = "zz"; });  // a right answer readies the next word
    auto before = events().rounds();
    SendHint(word, "9");
    EXPECT_EQ(events().rounds() - before, 9u);
    EXPECT_EQ(said_texts().back(), "<b>[</b> Hint: apple <b>]</b>");

    word = "apple";
    events().post([&word] { word = "zz"; });
    SendBackwardsHint(word, "2");
    EXPECT_EQ(said_texts().back(), "<b>[</b> <u>Backwards</u> Hint: ---le <b>]</b>");
}

TEST(ReverseText, ReversesTheCharacters) {
    EXPECT_EQ(ReverseText(""), "");
    EXPECT_EQ(ReverseText("a"), "a");
    EXPECT_EQ(ReverseText("big cat"), "tac gib");
    EXPECT_EQ(ReverseText(std::string("a\0\xE9", 3)), std::string("\xE9\0a", 3));
}

TEST(WordsPerMinute, RoundsTwiceAndClamps) {
    struct Case {
        int characters;
        double seconds;
        int wpm;
    };
    for (auto [characters, seconds, wpm] : {
             Case{10, 2, 60},
             Case{10, 0, 0},
             Case{25, 24, 12},       // 12.5 to even
             Case{27, 24, 14},       // 13.5 to even
             Case{1, 0.9602, 12},    // 12.4974 is written 12.50, then to even
             Case{1, 0.8891, 14},    // 13.4968 is written 13.50, then to even
             Case{10, 0.00004, 0},   // less than the clock's last decimal
             Case{10, 2.00004, 60},  // taken as 2.0000 seconds
             Case{3000, 1, 32767},   // 36000 clamped
             Case{0, 5, 0},
         }) {
        EXPECT_EQ(WordsPerMinute(std::string(static_cast<std::size_t>(characters), 'x'), seconds),
                  wpm)
            << characters << " in " << seconds;
    }
}

}  // namespace
