#include "common/scores.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/common/common_fixture.h"

namespace {

using common_test::HelperTest;
using Entries = std::vector<std::string>;

constexpr loop::Micros kSecond = 1000000;

TEST(ScoreEntry, ParsesNameAndScore) {
    struct Case {
        std::string entry, name;
        double score;
    };
    for (const auto& [entry, name, score] : {
             Case{"bob - 5", "bob", 5}, Case{"Bob Smith - 120", "Bob Smith", 120},
             Case{"bob - -3", "bob", -3}, Case{"bob - ", "bob", 0}, Case{"bob - lots", "bob", 0},
             Case{"big - 1E+15", "big", 1e15},
             Case{"jean-luc - 7", "jean-luc", 7},  // hyphens in names
             Case{"a - b - 2", "a - b", 2}, Case{"x - - 4", "x -", 4},
             Case{"-dash- - 9", "-dash-", 9}, Case{"nohyphen", "nohyphen", 0},
             Case{"ab -x 6", "ab", 6},  // no " - ": split at the first hyphen
         }) {
        ScoreEntry parsed = ParseScoreEntry(entry);
        EXPECT_EQ(parsed.name, name) << entry;
        EXPECT_EQ(parsed.score, score) << entry;
    }
}

TEST(ScoreEntry, FormatsAndParsesBack) {
    for (const std::string name : {"bob", "jean-luc", "a - b", "x -", " - ", "tail- "}) {
        for (double score : {0.0, 8.0, -3.0, 32768.0, 1e15}) {
            ScoreEntry parsed = ParseScoreEntry(FormatScoreEntry(name, score));
            EXPECT_EQ(parsed.name, name);
            EXPECT_EQ(parsed.score, score) << name;
        }
    }
    EXPECT_EQ(FormatScoreEntry("bob", 8), "bob - 8");
}

class Scores : public HelperTest {};

TEST_F(Scores, AddScoreCreatesOrMovesThePlayersEntry) {
    struct Step {
        std::string name;
        int points;
    };
    struct Case {
        Entries before;
        std::vector<Step> steps;
        Entries after;
    };
    for (const auto& [before, steps, after] : {
             Case{{}, {{"bob", 5}}, {"bob - 5"}},
             Case{{"bob - 5", "al - 2"}, {{"Bob", 3}}, {"al - 2", "Bob - 8"}},
             Case{{"bob - 5"}, {{"bo", 1}}, {"bob - 5", "bo - 1"}},
             Case{{"bob - 5"}, {{"bo", 1}, {"bob", 1}}, {"bo - 1", "bob - 6"}},
             Case{{"bob - 2"}, {{"bob", -5}, {"BOB", 4}}, {"BOB - 1"}},
             Case{{"jean-luc - 4", "al - 1"}, {{"Jean-Luc", 3}}, {"al - 1", "Jean-Luc - 7"}},
             Case{{"x - 32767"}, {{"x", 32767}, {"x", 40000}}, {"x - 105534"}},
             Case{{"bob - 7 - 2", "bob - 1"}, {{"bob", 1}}, {"bob - 7 - 2", "bob - 2"}},
         }) {
        fill(before);
        for (const auto& [name, points] : steps) {
            // The index given back is the player's own entry, wherever another name matched.
            int at = AddScore(list(), name, points);
            EXPECT_EQ(at, list().ListCount() - 1);
        }
        EXPECT_EQ(entries(), after);
    }
}

TEST_F(Scores, SortScoresFollowsTheExchangeOrder) {
    struct Case {
        Entries in, out;
    };
    for (const auto& [in, out] : {
             Case{{"a - 3", "b - 5", "c - 3", "d - 5"}, {"d - 5", "b - 5", "c - 3", "a - 3"}},
             Case{{"A - 1", "B - 1"}, {"A - 1", "B - 1"}},
             Case{{"A - 1", "B - 1", "C - 1"}, {"C - 1", "A - 1", "B - 1"}},
             Case{{"a - 1", "b - 5", "c - 5"}, {"c - 5", "b - 5", "a - 1"}},
             Case{{"solo - 2"}, {"solo - 2"}},
             Case{{"low - -4", "high - 40000"}, {"high - 40000", "low - -4"}},
         }) {
        fill(in);
        SortScores(list());
        EXPECT_EQ(entries(), out);
    }
}

TEST_F(Scores, SortScoresSortsListsBeyondTwoHundredFiftyFiveEntries) {
    std::mt19937 random(3);
    Entries in;
    for (int k = 0; k < 300; ++k)
        in.push_back("p" + std::to_string(k) + " - " + std::to_string(random() % 50));
    fill(in);
    SortScores(list());
    ASSERT_EQ(list().ListCount(), 300);
    for (int k = 1; k < 300; ++k)
        EXPECT_GE(ParseScoreEntry(list().List(k - 1)).score, ParseScoreEntry(list().List(k)).score);
}

TEST_F(Scores, AnnounceWinnersPostsTheHeaderAndGivesTheLine) {
    struct Case {
        Entries in;
        std::string header, line;
    };
    for (const auto& [in, header, line] : {
             Case{
                 {"bob - 5"},
                 "<b>[</b> tavrel <b>winner</b> is <b>]</b>",
                 "<FONT FACE=Arial><b>[</b> bob <b>]</b> <b>[</b> <b>5</b> points <b>]</b></font>"},
             Case{{"bob - 5", "al - 2", "bo - 5"},
                  "<b>[</b> tavrel <b>winners</b> are <b>]</b>",
                  "<font face=arial><b>[</b> bob, bo <b>]</b> <b>[</b> <b>5</b> points "
                  "<b>]</b></font>"},
             Case{{"a - 1", "b - 3", "c - 7", "d - 2"},
                  "<b>[</b> tavrel <b>winner</b> is <b>]</b>",
                  "<FONT FACE=Arial><b>[</b> c <b>]</b> <b>[</b> <b>7</b> points <b>]</b></font>"},
             Case{{"a - 4", "b - 4", "c - 9", "jean-luc - 9"},
                  "<b>[</b> tavrel <b>winners</b> are <b>]</b>",
                  "<font face=arial><b>[</b> c, jean-luc <b>]</b> <b>[</b> <b>9</b> points "
                  "<b>]</b></font>"},
             Case{{"far - 50000", "near - 32767"},
                  "<b>[</b> tavrel <b>winner</b> is <b>]</b>",
                  "<FONT FACE=Arial><b>[</b> far <b>]</b> <b>[</b> <b>50000</b> points "
                  "<b>]</b></font>"},
         }) {
        fill(in);
        chat().reset(chatclient::Mode::Room, "host");
        EXPECT_EQ(AnnounceWinners(list()), line);
        EXPECT_EQ(chat().transcript(), (std::vector<chatclient::Line>{{"host", header}}));
    }
}

TEST_F(Scores, WinnersOfAnEmptyListAreEmptyAndNothingIsPosted) {
    EXPECT_EQ(AnnounceWinners(list()), "");
    EXPECT_EQ(WinnerText(list()), "");
    EXPECT_TRUE(chat().transcript().empty());
}

TEST_F(Scores, WinnerTextDependsOnTheTie) {
    fill({"bob - 5", "al - 2"});
    EXPECT_EQ(WinnerText(list()), " <b>bob</b> with <b>5</b> points <b>]</b>");
    fill({"bob - 5", "bo - 5"});
    EXPECT_EQ(WinnerText(list()), "<b> bob, bo</b> with <b>5</b> points <b>]</b>");
    EXPECT_TRUE(chat().transcript().empty());
}

TEST_F(Scores, TopScoreSearchSeesPointsScoredJustBefore) {
    fill({"bob - 5", "al - 2"});
    events().post([this] { AddScore(list(), "al", 10); });
    EXPECT_EQ(WinnerText(list()), " <b>al</b> with <b>12</b> points <b>]</b>");
}

TEST_F(Scores, SendTopThreeNeedsThreeEntries) {
    fill({"a - 1", "b - 5"});
    SendTopThree(list());
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text,
              "hey genius, there should probably be 3 different scores to send.  ");
    EXPECT_EQ(boxes()[0].title, "tavrel");
    EXPECT_EQ(boxes()[0].icon(), forms::vbCritical);
    EXPECT_EQ(boxes()[0].buttons(), forms::vbOKOnly);
    EXPECT_TRUE(chat().transcript().empty());
    EXPECT_EQ(entries(), (Entries{"a - 1", "b - 5"}));
}

TEST_F(Scores, SendTopThreePostsTheBestThreeOneSecondApart) {
    fill({"a - 1", "b - 7", "c - 3", "d - 5"});
    loop::Micros start = events().now();
    SendTopThree(list());
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(said_texts(), (std::vector<std::string>{
                                "<b>[</b> tavrel top three scores <b>]</b>",
                                "<b>[</b> tavrel <b>]</b> <b>[</b> b - 7 <b>]</b>",
                                "<b>[</b> tavrel <b>]</b> <b>[</b> d - 5 <b>]</b>",
                                "<b>[</b> tavrel <b>]</b> <b>[</b> c - 3 <b>]</b>",
                            }));
    ASSERT_EQ(said().size(), 4u);
    EXPECT_EQ(said()[0].at, start);
    for (std::size_t k = 1; k < 4; ++k)
        EXPECT_NEAR(said()[k].at - said()[k - 1].at, kSecond, events().tick()) << k;
    EXPECT_EQ(entries(), (Entries{"b - 7", "d - 5", "c - 3", "a - 1"}));
}

TEST_F(Scores, SendListLinesPostsEachEntryAsItStandsThenPauses) {
    fill({"a - 1", "b - 2", "c - 3"});
    loop::Micros start = events().now();
    // A right answer half-way through the first pause moves a's entry to the end.
    events().post_at(start + kSecond / 2, [this] { AddScore(list(), "a", 5); });
    SendListLines(list());
    EXPECT_EQ(said_texts(), (std::vector<std::string>{
                                "<b>[</b> a - 1 <b>]</b>",
                                "<b>[</b> c - 3 <b>]</b>",
                                "<b>[</b> a - 6 <b>]</b>",
                            }));
    ASSERT_EQ(said().size(), 3u);
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_NEAR(said()[k].at - start, static_cast<loop::Micros>(k) * kSecond, events().tick());
    EXPECT_NEAR(events().now() - start, 3 * kSecond, events().tick());  // a pause after the last
}

TEST_F(Scores, SendListLinesOfAnEmptyListReturnsAtOnce) {
    loop::Micros start = events().now();
    SendListLines(list());
    EXPECT_TRUE(chat().transcript().empty());
    EXPECT_EQ(events().now(), start);
}

}  // namespace
