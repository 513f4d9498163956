// The events of one moment take effect in the order they happen, each with what the program
// does with it, all before the moment's due timers: a line said and a button clicked together,
// either of them on the very tick of the word clock that would skip the word or post a hint,
// and the room closed or opened around a menu choice or a line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/game/lists_program_run.h"

namespace {

class OneMoment : public form4_test::ProgramRun {
  protected:
    static int Count(const std::string& said, const std::string& part) {
        int n = 0;
        for (auto at = said.find(part); at != std::string::npos; at = said.find(part, at + 1)) ++n;
        return n;
    }
};

// The word clock ticks every 15.625 ms from the moment the word is posted, one hundredth a
// tick from 1: it reaches 7, where the hint is posted, 600 ticks (9.375 s) after the word and
// 15, the time limit, 1400 ticks (21.875 s) after it.
TEST_F(OneMoment, LinesAndClicksTakeEffectInTheOrderTheyHappenAndBeforeTheTicks) {
    const std::string speed = "speed tavrel activated";
    const std::string three = "worth <b>3</b> points";
    struct Case {
        const char* what;
        std::string moment;  // what happens, after the wait from the word
        int bob_scores;      // bob's result lines for apple
        int apple_skipped;   // skip lines for apple
        int hints;
        std::vector<std::string> in_order = {};  // said, each after the one before
        std::vector<std::string> unsaid = {};
        bool game = true;  // the game runs; or the list is loaded and the options still open
    };
    const Case cases[] = {
        {"say, then click skip", "wait 2\nsay bob: apple\nclick Form4.Command8\n", 1, 0, 0},
        {"click skip, then say", "wait 2\nclick Form4.Command8\nsay bob: apple\n", 0, 1, 0},
        {"a line on the time-out tick", "wait 21.875\nsay bob: apple\n", 1, 0, 1},
        {"a skip clicked on the time-out tick", "wait 21.875\nclick Form4.Command8\n", 0, 1, 1},
        {"a line on the hint tick", "wait 9.375\nsay bob: apple\n", 1, 0, 0},
        // The same moments a tick later: the tick has run first.
        {"a line a tick after the time-out", "wait 21.890625\nsay bob: apple\n", 0, 1, 1},
        {"a line a tick after the hint", "wait 9.390625\nsay bob: apple\n", 1, 0, 1},
        // What the program does with an action comes before the actions written below it.
        {"a menu choice with the room closed",
         "wait 2\nroom close\nmenu Form4.fivesec\nroom open\n",
         0,
         0,
         0,
         {},
         {speed},
         false},
        {"a menu choice, then the room closes",
         "wait 2\nmenu Form4.tHreemenu\nroom close\n",
         0,
         0,
         0,
         {three},
         {},
         false},
        {"a right answer, then the room closes",
         "wait 2\nsay bob: apple\nroom close\n",
         1,
         0,
         0,
         {"bob: apple", "[ bob</b> in"}},
        {"a menu choice, then a line",
         "wait 2\nmenu Form4.tHreemenu\nsay bob: after the menu\n",
         0,
         0,
         0,
         {three, "bob: after the menu"},
         {},
         false},
        {"the same with a wait between",
         "wait 2\nmenu Form4.tHreemenu\nwait 1\nsay bob: after\n",
         0,
         0,
         0,
         {three, "bob: after"},
         {},
         false},
        {"a line after the click that starts the non-log game reading",
         "wait 2\nmenu Form4.nolog\nwait 1\ntype Form7.Text1 pear\nclick Form7.Command1\n"
         "click Form7.Option3\nsay Zed: pear\n",
         0,
         0,
         0,
         {"Zed: pear", "<b>zed</b> answered in <b>0</b> scnds! + <b>3</b> pt(s)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartAfresh();
        WriteList("words.log", "apple\r\r\npear\r\r\n");
        // In file order: apple first. The word is posted with the log's line.
        const std::string said =
            Run(std::string("menu Form4.mixlog\nclick Form4.Command5\nchoose words.log\n") +
                (c.game ? "click Form4.Command1\nawait tavrel log\n" : "") + c.moment + "wait 5\n");
        EXPECT_EQ(Count(said, "[ bob</b> in"), c.bob_scores) << said;
        EXPECT_EQ(Count(said, "answer was <b>[</b> apple "), c.apple_skipped) << said;
        EXPECT_EQ(Count(said, "Hint:"), c.hints) << said;
        std::size_t at = 0;
        for (const std::string& part : c.in_order) {
            at = said.find(part, at);
            if (at == std::string::npos) {
                ADD_FAILURE() << part << " is not said in its place:\n" << said;
                break;
            }
            at += part.size();
        }
        for (const std::string& part : c.unsaid) EXPECT_EQ(Count(said, part), 0) << said;
    }
}

}  // namespace
