// A whole list of 1,000 words answered by two scripted players, five points a word, played to
// its end in virtual time.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/settings.h"
#include "game/Form4.h"
#include "tests/game/lists_program_run.h"

namespace {

constexpr int kWords = 1000;

std::string Word(int i) {
    char word[16];
    std::snprintf(word, sizeof word, "word%04d", i);
    return word;
}

// Every line of `said` that contains `part`.
std::vector<std::string> LinesWith(const std::string& said, const std::string& part) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < said.size()) {
        std::size_t end = said.find('\n', start);
        if (end == std::string::npos) end = said.size();
        std::string line = said.substr(start, end - start);
        if (line.find(part) != std::string::npos) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

class LongRun : public form4_test::ProgramRun {};

TEST_F(LongRun, AThousandWordsAnsweredToTheEndCountEveryAnswerOnce) {
    std::string list;
    std::string script =
        "menu Form4.fivemenu\nmenu Form4.scrollDElay2\nmenu Form4.mixlog\n"
        "click Form4.Command5\nchoose words.log\nclick Form4.Command1\n";
    // alice takes two words of every three, bob the third.
    for (int i = 1; i <= kWords; ++i) {
        list += Word(i) + "\r\r\n";
        script += "await tavrel log\nwait 1\nsay " + std::string(i % 3 ? "alice" : "bob") + ": " +
                  Word(i) + "\n";
    }
    script += "wait 4\n";
    WriteList("words.log", list);

    std::string said = Run(script);

    std::vector<std::string> results = LinesWith(said, "point(s)");
    ASSERT_EQ(results.size(), static_cast<std::size_t>(kWords));
    // Word 299 is alice's 200th answer.
    EXPECT_NE(results[298].find("[ alice</b> in<b> 1.63</b> seconds + <b>5</b> point(s) <b>]</b>"
                                " <B>[</B> score:<b>1,000 ]</B>"),
              std::string::npos)
        << results[298];
    EXPECT_NE(results.back().find("[ alice</b> in<b> 1.63</b> seconds + <b>5</b> point(s) <b>]</b>"
                                  " <B>[</B> score:<b>3,335 ]</B>"),
              std::string::npos)
        << results.back();
    EXPECT_NE(results[998].find("[ bob</b>"), std::string::npos) << results[998];
    EXPECT_NE(results[998].find("score:<b>1,665 ]"), std::string::npos) << results[998];

    EXPECT_EQ(LinesWith(said, "end of log").size(), 1u);
    EXPECT_EQ(LinesWith(said, "answer was").size(), 0u);
    std::vector<std::string> winner = LinesWith(said, "<b>[</b> <b>");
    ASSERT_EQ(winner.size(), 1u);
    EXPECT_NE(winner[0].find("<b>[</b> alice <b>]</b> <b>[</b> <b>3335</b> points"),
              std::string::npos)
        << winner[0];
    std::vector<std::string> share = LinesWith(said, "of the log");
    ASSERT_EQ(share.size(), 1u);
    EXPECT_NE(share[0].find("<b>[</b> answering<b> 66.7%</b> of the log <b>]</b>"),
              std::string::npos)
        << share[0];

    Form4& f = Main();
    EXPECT_EQ(f.List1.ListCount(), 0);
    EXPECT_EQ(f.List2.entries(), (std::vector<std::string>{"bob - 1665", "alice - 3335"}));
    EXPECT_EQ(f.perceNt.entries(), (std::vector<std::string>{"bob - 333", "alice - 667"}));
    EXPECT_EQ(f.List3.ListCount(), kWords);
    EXPECT_EQ(f.List4.ListCount(), kWords);
    EXPECT_EQ(f.Label12.Caption(), "667");
    EXPECT_EQ(f.Check2.Value, 1);
    const std::string ini = PathOf("tavrel.ini");
    EXPECT_EQ(ReadIni("tavrel", "scramble", ini), "1000");
    EXPECT_EQ(ReadIni("completed", "finished", ini), "1");
    EXPECT_EQ(ReadIni("thewinner", "winner", ini), "<b>alice</b> with <b>3335</b> points <b>]</b>");
}

}  // namespace
