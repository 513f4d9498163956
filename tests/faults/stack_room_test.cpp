// The program's stack has room for the nesting bound at a wide margin. Each kind of event that
// can nest is flooded at one moment, so that each handler runs inside the pause of the one
// before, down to the bound: chat lines, clicks and menu choices, and chat lines inside the wait
// of an open box (input to the windows waits while a box is open). The deepest stack seen, by a
// room listener and by a timer that ticks in the deepest rounds, stays within a quarter of the
// stack.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/chatclient/chat_client.h"
#include "platform/loop/loop.h"
#include "platform/loop/stack.h"
#include "tests/game/lists_program_run.h"

namespace {

constexpr int kFlood = loop::EventLoop::kNestingBound + 200;

std::string Times(int n, const std::string& line) {
    std::string lines;
    for (int i = 0; i < n; ++i) lines += line;
    return lines;
}

class StackRoom : public form4_test::ProgramRun {
  protected:
    std::filesystem::path FolderBase() const override { return InMemory(); }

    // Runs the script on the program's stack and gives the deepest stack it used.
    std::size_t DeepestStack(const std::string& script) {
        std::size_t deepest = 0;
        int deepest_nesting = 0;
        const auto sample = [&] {
            deepest = std::max(deepest, loop::StackUsed());
            deepest_nesting = std::max(deepest_nesting, loop::EventLoop::instance().nesting());
        };
        const int listener = chatclient::ChatClient::instance().add_listener(
            [&](const chatclient::Line&) { sample(); });
        loop::Timer sampler(sample);
        sampler.set_interval(1);
        sampler.set_enabled(true);
        loop::RunOnProgramStack([&] {
            Run(script);
            return 0;
        });
        chatclient::ChatClient::instance().remove_listener(listener);
        EXPECT_EQ(deepest_nesting, loop::EventLoop::kNestingBound);
        return deepest;
    }
};

TEST_F(StackRoom, EveryKindOfEventNestsToTheBoundWithinAQuarterOfTheStack) {
    std::string words;
    std::string answers;
    for (int i = 0; i < kFlood; ++i) {
        words += "w" + std::to_string(i) + "\r\r\n";
        answers += "say alice: w" + std::to_string(i) + "\n";
    }
    WriteList("words.log", words);
    const std::string start =
        "menu Form4.mixlog\nclick Form4.Command5\nchoose words.log\nclick Form4.Command1\n"
        "await tavrel log\n";
    struct Case {
        const char* what;
        std::string script;
    };
    const Case cases[] = {
        {"right answers, each inside the last one's delay", start + "wait 1\n" + answers},
        {"clicks on the non-log game's send, each inside the last one's scramble",
         "menu Form4.nolog\ntype Form7.Text1 pear\n" + Times(kFlood, "click Form7.Command1\n")},
        {"menu choices, each inside the last one's pause",
         start + "wait 1\nsay bob: w0\nwait 5\n" + Times(kFlood, "menu Form4.winner\n")},
        {"right answers inside a message box's wait",
         start + "wait 1\nsay bob: w0\nwait 5\nmenu Form4.top3menu\n" + answers +
             "wait 5\npress OK\nwait 3000\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartAfresh();
        const std::size_t deepest = DeepestStack(c.script + "wait 10\n");
        EXPECT_LE(deepest, loop::kProgramStackBytes / 4);
        std::printf("[ stack    ] %s: %zu KiB at the bound, %.2f KiB a level\n", c.what,
                    deepest >> 10,
                    static_cast<double>(deepest) / 1024.0 / loop::EventLoop::kNestingBound);
    }
}

}  // namespace
