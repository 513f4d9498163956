// A box open while a flood of right answers nests inside its wait, up to the event loop's bound
// and past it, still takes the reply given to it: as soon as the handlers nested inside have
// run out their delays, however many waited beyond the bound. The run then ends as usual.
#include <gtest/gtest.h>

#include <string>

#include "common/settings.h"
#include "platform/loop/loop.h"
#include "platform/loop/stack.h"
#include "tests/game/lists_program_run.h"

namespace {

class BoxesPastTheBound : public form4_test::ProgramRun {
  protected:
    // Every right answer writes the settings file.
    std::filesystem::path FolderBase() const override { return InMemory(); }

    static int Count(const std::string& said, const std::string& part) {
        int n = 0;
        for (auto at = said.find(part); at != std::string::npos; at = said.find(part, at + 1)) ++n;
        return n;
    }
};

TEST_F(BoxesPastTheBound, EachBoxTakesItsReplyAndTheRunEnds) {
    struct Box {
        const char* what;
        const char* opens;  // at 6 s, before the answers
        const char* reply;  // at 11 s
        const char* taken;  // the trace of the box as it takes the reply
    };
    const Box boxes[] = {
        {"a message box", "menu Form4.top3menu", "press OK",
         "* msgbox \"hey genius, there should probably be 3 different scores to send.  \" title "
         "\"tavrel\" buttons OK icon critical -> OK"},
        {"an input box", "menu Form4.hostname", "answer newhost",
         "* inputbox \"please enter only your AOL screen name\" title \"change your host name\" "
         "default \"host\" -> \"newhost\""},
        {"a file dialog", "menu Form4.creat\nclick Form5.Command7", "choose words.log",
         "* open dialog init \"$FOLDER\" filter \"log files (*.log)|*.log|\" -> \"words.log\""},
    };
    constexpr int kBound = loop::EventLoop::kNestingBound;
    for (const int answers : {kBound - 10, kBound + 100}) {
        for (const Box& box : boxes) {
            SCOPED_TRACE(std::string(box.what) + ", " + std::to_string(answers) + " answers");
            StartAfresh();
            std::string words, said;
            for (int i = 0; i < answers + 10; ++i) words += "w" + std::to_string(i) + "\r\r\n";
            for (int i = 0; i < answers; ++i) said += "say alice: w" + std::to_string(i) + "\n";
            WriteList("words.log", words);
            const std::string script =
                std::string(
                    "menu Form4.mixlog\nclick Form4.Command5\nchoose words.log\n"
                    "click Form4.Command1\nawait tavrel log\nwait 1\n") +
                box.opens + "\n" + said + "wait 5\n" + box.reply + "\nwait 1\n";
            std::string out;
            loop::RunOnProgramStack([&] {
                out = Run(script);
                return 0;
            });
            EXPECT_EQ(Count(out, "point(s)"), answers);
            const auto taken = out.find(box.taken);
            ASSERT_NE(taken, std::string::npos) << out.substr(out.size() - 2000);
            // Given at 11 s, taken once the delays nested inside are over: by 12 s past the
            // bound, at once below it.
            const std::string at = out.substr(out.rfind('\n', taken) + 1, 7);
            EXPECT_EQ(at, answers > kBound ? "[12.00]" : "[11.00]");
            if (std::string(box.reply) == "answer newhost") {
                EXPECT_EQ(ReadIni("theuser", "user", PathOf("tavrel.ini")), "newhost");
            }
        }
    }
}

}  // namespace
