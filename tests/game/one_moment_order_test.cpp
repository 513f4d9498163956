// The events of one moment take effect in the order they happen, all before the moment's due
// timers: a line said and a button clicked together, and either of them on the very tick of
// the word clock that would skip the word or post a hint.
#include <gtest/gtest.h>

#include <string>

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
    struct Case {
        const char* what;
        const char* moment;  // what happens, after the wait from the word
        int bob_scores;      // bob's result lines for apple
        int apple_skipped;   // skip lines for apple
        int hints;
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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartAfresh();
        WriteList("words.log", "apple\r\r\npear\r\r\n");
        // In file order: apple first. The word is posted with the log's line.
        const std::string said = Run(
            std::string(
                "menu Form4.mixlog\nclick Form4.Command5\nchoose words.log\nclick Form4.Command1\n"
                "await tavrel log\n") +
            c.moment + "wait 5\n");
        EXPECT_EQ(Count(said, "[ bob</b> in"), c.bob_scores) << said;
        EXPECT_EQ(Count(said, "answer was <b>[</b> apple "), c.apple_skipped) << said;
        EXPECT_EQ(Count(said, "Hint:"), c.hints) << said;
    }
}

}  // namespace
