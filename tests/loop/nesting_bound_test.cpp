// The bound on nesting: events whose handlers each pause nest one inside the other up to the
// bound and no deeper. What comes meanwhile waits, whatever road it came by, and runs in the
// order it came once the nesting is below the bound; the clock and the timers go on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/pause.h"
#include "platform/chatclient/chat_client.h"
#include "platform/chatreader/chat.h"
#include "platform/desktop/desktop.h"
#include "platform/loop/loop.h"
#include "platform/loop/stack.h"

namespace {

using loop::EventLoop;
using loop::Micros;

class NestingBound : public testing::Test {
  protected:
    void SetUp() override {
        EventLoop::instance().reset({});
        desktop::Desktop::instance().reset();
        chatclient::ChatClient::instance().reset(chatclient::Mode::Room, "host");
    }
    void TearDown() override {
        EventLoop::instance().reset({});
        chatclient::ChatClient::instance().reset(chatclient::Mode::None, "host");
    }
    EventLoop& loop = EventLoop::instance();

    // On the program's stack, which has room for the bound in every build.
    void RunUntil(Micros until) {
        loop::RunOnProgramStack([&] {
            while (loop.now() < until) {
                loop.do_events();
                loop.wait_until(until);
            }
            loop.do_events();
            return 0;
        });
    }
};

// Chat lines (through a reader) and plain events, said and posted in turns at one moment, far
// more than the bound; each handler pauses a second, so each would nest in the one before.
TEST_F(NestingBound, WaitingEventsRunInTheOrderTheyCameWhateverTheirRoad) {
    constexpr int kEach = 1500;
    std::vector<std::string> started;
    int deepest = 0;
    auto handler = [&](std::string what) {
        started.push_back(std::move(what));
        deepest = std::max(deepest, loop.nesting());
        Pause(1);
    };
    chatreader::Chat reader;
    reader.ChatLine = [&](std::string&, std::string& text) { handler("line " + text); };
    reader.StartReading();
    int ticks_at_the_bound = 0;
    loop::Timer timer([&] { ticks_at_the_bound += loop.nesting() == EventLoop::kNestingBound; });
    timer.set_interval(1);
    timer.set_enabled(true);

    std::vector<std::string> expected;
    loop.post_at(500'000, [&] {
        for (int i = 0; i < kEach; ++i) {
            chatclient::ChatClient::instance().say("amy", std::to_string(i));
            expected.push_back("line " + std::to_string(i));
            loop.post([&handler, i] { handler("event " + std::to_string(i)); });
            expected.push_back("event " + std::to_string(i));
        }
    });
    RunUntil(4'000'000'000);
    EXPECT_EQ(deepest, EventLoop::kNestingBound);
    EXPECT_GT(ticks_at_the_bound, 0);
    ASSERT_EQ(started.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(started[i], expected[i]) << i;
}

// At the bound a pause still ends on time, the timer ticking meanwhile and no event running;
// the event that waited then runs in the round below.
TEST_F(NestingBound, AtTheBoundAPauseEndsOnTimeAndWhatWaitedRunsBelowIt) {
    std::vector<std::pair<std::string, Micros>> seen;
    int ticks = 0;
    loop::Timer timer([&] { ++ticks; });
    timer.set_interval(1000);
    timer.set_enabled(true);
    std::function<void(int)> nest = [&](int level) {
        if (level == EventLoop::kNestingBound) {
            loop.post([&] { seen.push_back({"waited", loop.now()}); });
            const int ticks_before = ticks;
            Pause(5);
            seen.push_back({"pause at the bound ends", loop.now()});
            EXPECT_GE(ticks - ticks_before, 4) << "the timer ticks at the bound";
            return;
        }
        loop.post([&nest, level] { nest(level + 1); });
        loop.do_events();
    };
    loop.post([&] { nest(1); });
    RunUntil(10'000'000);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].first, "pause at the bound ends");
    EXPECT_NEAR(static_cast<double>(seen[0].second), 5e6, 5e5);
    EXPECT_EQ(seen[1], (std::pair<std::string, Micros>{"waited", seen[0].second}));
}

}  // namespace
