// Past the 16-bit numbers the progress bars hold: a list of more than 32,767 words, and scores
// beyond 32,767. The game plays on; the list's bar keeps the last maximum it could take and
// stays full once it gets there; points and totals are counted as they are shown, whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/settings.h"
#include "platform/loop/loop.h"
#include "tests/faults/answer_every_word.h"
#include "tests/faults/fault_fixture.h"

namespace {

using faults::AnswerEveryWord;
using harness::InProcessGame;

using SixteenBitLimits = faults::FaultTest;

TEST_F(SixteenBitLimits, AListBeyondTheBarsRangePlaysOnWithTheListBarFull) {
    std::vector<std::string> words;
    for (int i = 0; i < 40000; ++i) words.push_back("w" + std::to_string(100000 + i));
    ASSERT_TRUE(harness::WriteWordList(PathOf("words.log"), words));

    InProcessGame game({m_folder.string()});
    Form4& f = game.main();
    int answered = 0;
    AnswerEveryWord bob(game, "bob", answered);
    game.at(4.5, [&f] { InProcessGame::choose(f.scrollDElay2); });  // shorter delay
    // Mixed on load: 3 passes of 40,000 swaps, each followed by a round of events.
    game.load_and_start_at(5, "words.log", true);
    struct Seen {
        int value, max, left;
    };
    std::vector<Seen> seen;
    for (double at : {6.0, 30.0, 1000.0})
        game.at(at, [&] {
            seen.push_back({f.ProgressBar1.Value, f.ProgressBar1.MaxValue, f.List1.ListCount()});
        });
    game.run_until(1000.5);

    EXPECT_EQ(f.Label6.Caption(), "40000");
    ASSERT_EQ(seen.size(), 3u);
    // 40,000 does not fit the bar, so it keeps the maximum it was designed with.
    EXPECT_EQ(seen[0].value, 0);
    EXPECT_EQ(seen[0].max, 100);
    EXPECT_EQ(seen[0].left, 40000);
    EXPECT_GT(seen[1].value, 0);
    EXPECT_EQ(seen[1].max, 100);
    EXPECT_EQ(seen[1].value, 40000 - seen[1].left);
    // After well over 100 words the bar stands full and stays so.
    EXPECT_GT(answered, 150);
    EXPECT_EQ(seen[2].value, 100);
    EXPECT_EQ(seen[2].max, 100);
    EXPECT_EQ(f.List2.List(0), "bob - " + std::to_string(40000 - f.List1.ListCount()));
    EXPECT_EQ(ReadIni("tavrel", "scramble", PathOf("tavrel.ini")),
              std::to_string(40000 - f.List1.ListCount()));
}

TEST_F(SixteenBitLimits, ScoresPastThe16BitRangeAreKeptAndShownWhole) {
    // Smart score: a word is worth its length, however long, and adds what its line names.
    ASSERT_TRUE(harness::WriteWordList(
        PathOf("words.log"),
        {std::string(20000, 'a'), std::string(20000, 'b'), std::string(40000, 'c')}));

    InProcessGame game({m_folder.string()});
    Form4& f = game.main();
    int answered = 0;
    AnswerEveryWord bob(game, "bob", answered);
    game.at(4.5, [&f] { InProcessGame::choose(f.wordmenu); });
    game.load_and_start_at(5, "words.log");
    game.at(30, [&f] { InProcessGame::choose(f.sendscores); });
    game.at(35, [&f] { InProcessGame::choose(f.mostrecent); });
    game.run_until(40);

    std::vector<std::string> results;
    for (const auto& line : game.transcript())
        if (line.text.find("point(s)") != std::string::npos) results.push_back(line.text);
    ASSERT_EQ(results.size(), 3u);
    const std::string tail = " seconds + <b>";
    EXPECT_NE(results[0].find(tail + "20000</b> point(s) <b>]</b> <B>[</B> score:<b>20,000 ]"),
              std::string::npos);
    EXPECT_NE(results[1].find(tail + "20000</b> point(s) <b>]</b> <B>[</B> score:<b>40,000 ]"),
              std::string::npos);
    EXPECT_NE(results[2].find(tail + "40000</b> point(s) <b>]</b> <B>[</B> score:<b>80,000 ]"),
              std::string::npos);
    EXPECT_EQ(f.List2.List(0), "bob - 80000");

    std::vector<std::string> said;
    for (const auto& line : game.transcript()) said.push_back(line.text);
    auto holds = [&said](const std::string& part) { return Holds(said, part); };
    EXPECT_TRUE(holds(
        "<FONT FACE=Arial><b>[</b> bob <b>]</b> <b>[</b> <b>80000</b> points <b>]</b></font>"));
    EXPECT_TRUE(holds("<b>[</b> bob - 80000 <b>]</b>"));
    EXPECT_TRUE(holds("<b>[</b> the last winner was <b>bob</b> with <b>80000</b> points <b>]</b>"));
}

}  // namespace
