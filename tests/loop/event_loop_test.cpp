// The event loop's rules in virtual time: tick boundaries, non-reentrant timers, skipped due
// times, rounds, nested waits and the end of the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "common/pause.h"
#include "platform/loop/loop.h"

namespace {

using loop::EventLoop;
using loop::Micros;

class EventLoopTest : public testing::Test {
  protected:
    void SetUp() override { EventLoop::instance().reset(loop::Options{}); }
    EventLoop& loop = EventLoop::instance();

    // Runs rounds until the virtual clock reaches `until`.
    void RunUntil(Micros until) {
        while (loop.now() < until) {
            loop.do_events();
            loop.wait_until(until);
        }
        loop.do_events();
    }
};

TEST_F(EventLoopTest, TimersTickOnPlatformBoundaries) {
    struct Case {
        int interval_ms;
        std::vector<Micros> first_ticks;
    };
    for (const auto& c : {Case{1, {15625, 31250, 46875}}, Case{50, {62500, 125000, 187500}},
                          Case{1000, {1000000, 2000000, 3000000}}}) {
        loop.reset(loop::Options{});
        std::vector<Micros> ticks;
        loop::Timer timer([&] { ticks.push_back(loop.now()); });
        timer.set_interval(c.interval_ms);
        timer.set_enabled(true);
        RunUntil(c.first_ticks.back());
        EXPECT_EQ(ticks, c.first_ticks) << c.interval_ms;
    }
}

TEST_F(EventLoopTest, SettingTheSameValueKeepsTheSchedule) {
    std::vector<Micros> ticks;
    loop::Timer timer([&] { ticks.push_back(loop.now()); });
    timer.set_interval(50);
    timer.set_enabled(true);
    loop.post_at(40000, [&] {
        timer.set_interval(50);  // unchanged: the 62.5 ms tick stays
        timer.set_enabled(true);
    });
    RunUntil(62500);
    EXPECT_EQ(ticks, std::vector<Micros>{62500});

    ticks.clear();
    loop.post_at(70000, [&] { timer.set_interval(1000); });  // changed: restarts from 70 ms
    RunUntil(1100000);
    EXPECT_EQ(ticks, std::vector<Micros>{1078125});
}

TEST_F(EventLoopTest, HandlerIsNotReenteredAndMissedTicksAreSkipped) {
    int entries = 0, depth = 0, deepest = 0;
    std::vector<Micros> ticks;
    loop::Timer timer([&] {
        ++entries;
        deepest = std::max(deepest, ++depth);
        ticks.push_back(loop.now());
        if (entries == 1) Pause(1);  // rounds run inside; this timer must not tick in them
        --depth;
    });
    timer.set_interval(1);
    timer.set_enabled(true);
    RunUntil(2000000);
    EXPECT_EQ(deepest, 1);
    ASSERT_GE(ticks.size(), 2u);
    // The next tick after the long one comes one boundary after it returned, not in a burst.
    EXPECT_GE(ticks[1] - ticks[0], 500000);
    EXPECT_EQ(ticks[2] - ticks[1], 15625);
}

TEST_F(EventLoopTest, SwitchedOffTimerDeliversNothingMore) {
    int ticks = 0;
    loop::Timer timer([&] { ++ticks; });
    timer.set_interval(1);
    timer.set_enabled(true);
    loop::Timer stopper([&] { timer.set_enabled(false); });
    stopper.set_interval(1);
    stopper.set_enabled(true);
    RunUntil(100000);
    EXPECT_EQ(ticks, 1);  // the first round: created first, it ran before the stopper
}

TEST_F(EventLoopTest, RoundRunsInputThenEarlierPostsThenDueTimersInCreationOrder) {
    std::vector<std::string> order;
    loop::Timer a([&] { order.push_back("timer a"); });
    loop::Timer b([&] { order.push_back("timer b"); });
    b.set_interval(1);
    a.set_interval(1);
    b.set_enabled(true);
    a.set_enabled(true);
    loop.post_at(15625, [&] {
        order.push_back("event 1");
        loop.post([&] { order.push_back("event 4"); });  // posted during the round: next round
    });
    // Input due runs at the start of the round, before any event, and so does input it brings
    // for the same moment; what it posts takes its place among the events due with it and runs
    // in this round, before the timers.
    loop.input_at(15625, [&] {
        order.push_back("input");
        loop.input_at(15625, [&] { loop.post([&] { order.push_back("event 3"); }); });
    });
    loop.post_at(15625, [&] { order.push_back("event 2"); });
    loop.wait_until(15625);
    loop.do_events();
    EXPECT_EQ(order, (std::vector<std::string>{"input", "event 1", "event 2", "event 3", "timer a",
                                               "timer b"}));
    loop.do_events();
    EXPECT_EQ(order.back(), "event 4");
}

TEST_F(EventLoopTest, EventsRunInsideNestedPauses) {
    std::vector<std::pair<std::string, Micros>> seen;
    loop.post([&] {
        seen.push_back({"outer starts", loop.now()});
        Pause(2);
        seen.push_back({"outer ends", loop.now()});
    });
    loop.post_at(500000, [&] {
        seen.push_back({"inner starts", loop.now()});
        Pause(3);
        seen.push_back({"inner ends", loop.now()});
    });
    loop.post_at(1000000, [&] { seen.push_back({"line", loop.now()}); });
    RunUntil(5000000);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[1].first, "inner starts");
    EXPECT_EQ(seen[2], (std::pair<std::string, Micros>{"line", 1000000}));
    EXPECT_EQ(seen[3], (std::pair<std::string, Micros>{"inner ends", 3000000}));
    // The outer pause tests its clock only once the nested one has returned.
    EXPECT_EQ(seen[4], (std::pair<std::string, Micros>{"outer ends", 3000000}));
}

TEST_F(EventLoopTest, ClockWrapsAtMidnightAndPausesStillEnd) {
    loop::Options options;
    options.clock_start_seconds = 86399.25;
    loop.reset(options);
    EXPECT_FLOAT_EQ(loop::Clock(), 86399.25f);
    bool done = false;
    loop.post([&] {
        Pause(2);  // start rounds to 86399, so it ends at 00:00:01 of the next day
        done = true;
    });
    RunUntil(3000000);
    EXPECT_TRUE(done);
    EXPECT_NEAR(loop::Clock(), 2.25f, 0.01f);
}

TEST_F(EventLoopTest, PauseLastsWithinHalfASecondOfItsLength) {
    for (double start : {43200.0, 43200.49, 43200.5, 43200.51, 43200.99}) {
        for (int seconds : {0, 1, 3}) {
            loop::Options options;
            options.clock_start_seconds = start;
            loop.reset(options);
            Micros took = -1;
            loop.post([&] {
                Pause(seconds);
                took = loop.now();
            });
            RunUntil(5000000);
            EXPECT_GE(took, seconds * 1000000 - 500000) << start << " " << seconds;
            EXPECT_LE(took, seconds * 1000000 + 500000) << start << " " << seconds;
        }
    }
}

TEST_F(EventLoopTest, EndingUnwindsEveryWaitingHandler) {
    bool after_pause = false;
    loop.post([&] {
        Pause(10);
        after_pause = true;
    });
    loop.post_at(1000000, [&] { loop.end(); });
    loop.run();
    EXPECT_FALSE(after_pause);
    EXPECT_TRUE(loop.ended());
    EXPECT_EQ(loop.now(), 1000000);
}

TEST_F(EventLoopTest, RandomSequenceDependsOnlyOnClockAndSeed) {
    auto draw = [&](std::uint64_t seed) {
        loop::Options options;
        options.seed = seed;
        loop.reset(options);
        loop.randomize();
        std::vector<double> v;
        for (int i = 0; i < 5; ++i) v.push_back(loop.rnd());
        return v;
    };
    EXPECT_EQ(draw(1), draw(1));
    EXPECT_NE(draw(1), draw(2));
    for (double r : draw(3)) {
        EXPECT_GE(r, 0.0);
        EXPECT_LT(r, 1.0);
    }
}

// A front end in virtual time looks at its windows before each jump of the clock; the input it
// takes there is run before the clock moves.
TEST_F(EventLoopTest, FrontEndLooksBeforeEachJumpInVirtualTime) {
    std::vector<std::pair<Micros, Micros>> looks;  // (now, timeout)
    bool bring_input = false;
    int inputs = 0;
    loop.set_waiter([&](Micros timeout) {
        looks.push_back({loop.now(), timeout});
        if (bring_input) {
            bring_input = false;
            loop.post([&] { ++inputs; });
        }
    });
    struct Reset {
        ~Reset() { EventLoop::instance().set_waiter(nullptr); }
    } reset;
    loop::Timer timer([] {});
    timer.set_interval(1000);
    timer.set_enabled(true);
    RunUntil(2000000);
    EXPECT_EQ(looks, (std::vector<std::pair<Micros, Micros>>{{0, 0}, {1000000, 0}}));

    looks.clear();
    bring_input = true;
    loop.wait_until(3000000);
    EXPECT_EQ(loop.now(), 2000000) << "the clock waits for the input brought";
    loop.do_events();
    EXPECT_EQ(inputs, 1);
    loop.wait_until(3000000);
    EXPECT_EQ(loop.now(), 3000000);
    EXPECT_EQ(looks.size(), 2u);
}

}  // namespace
