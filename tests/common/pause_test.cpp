// Pause: whole seconds from a rounded start, events running inside, and midnight.

#include "common/pause.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/chatreader/chat.h"
#include "tests/common/common_fixture.h"

namespace {

using loop::Micros;

class PauseTest : public common_test::HelperTest {
  protected:
    void StartClockAt(double seconds_since_midnight) {
        loop::Options options;
        options.clock_start_seconds = seconds_since_midnight;
        events().reset(options);
    }
    // Runs the loop until `until`, then gives how long the posted pause took.
    Micros TimePause(int seconds, Micros until = 5'000'000) {
        Micros took = -1;
        events().post([&] {
            Pause(seconds);
            took = events().now();
        });
        events().post_at(until, [] { loop::EventLoop::instance().end(); });
        events().run();
        return took;
    }
};

TEST_F(PauseTest, CountsWholeSecondsFromTheStartRoundedHalfToEven) {
    struct Case {
        double clock;
        int seconds;
        Micros took;
    };
    for (auto [clock, seconds, took] : {
             Case{43200.0, 1, 1'000'000},
             Case{43200.25, 1, 750'000},    // start 43200
             Case{43200.5, 1, 500'000},     // a half rounds down to the even 43200
             Case{43201.5, 1, 1'500'000},   // ... and up to the even 43202
             Case{43200.75, 3, 3'250'000},  // start 43201
             Case{43200.25, 0, 0},          // rounded down: returns at once
             Case{43200.75, 0, 250'000},    // rounded up: waits for the start
             Case{43200.0, -2, 0},
         }) {
        StartClockAt(clock);
        EXPECT_NEAR(TimePause(seconds), took, 1) << clock << " + " << seconds;
    }
}

TEST_F(PauseTest, StaysWithinHalfASecondOfItsLength) {
    for (double clock : {43200.0, 43200.1, 43200.49, 43200.5, 43200.51, 43200.9, 43201.5}) {
        for (int seconds : {0, 1, 2, 7}) {
            StartClockAt(clock);
            const Micros took = TimePause(seconds, 10'000'000);
            EXPECT_GE(took, std::max<Micros>(0, seconds * 1'000'000 - 500'000)) << clock;
            EXPECT_LE(took, seconds * 1'000'000 + 500'000) << clock << " + " << seconds;
        }
    }
}

TEST_F(PauseTest, EndsAcrossMidnight) {
    struct Case {
        double clock;
        int seconds;
        Micros took;
    };
    // A start that rounds up to 86400 is a moment the clock never shows: it goes to 0 instead.
    for (auto [clock, seconds, took] :
         {Case{86399.75, 0, 250'000}, Case{86399.75, 1, 1'250'000}, Case{86399.25, 2, 1'750'000},
          Case{86398.0, 3, 3'000'000}}) {
        StartClockAt(clock);
        EXPECT_NEAR(TimePause(seconds), took, 1) << clock << " + " << seconds;
    }
}

TEST_F(PauseTest, RunsTimerTicksAndChatLinesWhileItWaits) {
    for (double clock : {43200.0, 43200.75}) {
        for (int seconds : {1, 0}) {
            if (seconds == 0 && clock == 43200.0) continue;  // that pause does not wait at all
            StartClockAt(clock);
            std::vector<std::string> seen;
            loop::Timer timer([&] { seen.push_back("tick"); });
            timer.set_interval(100);
            timer.set_enabled(true);
            chatreader::Chat reader;
            reader.ChatLine = [&](std::string& name, std::string& line) {
                seen.push_back(name + ": " + line);
            };
            reader.StartReading();
            events().post_at(150'000,
                             [] { chatclient::ChatClient::instance().say("alice", "hi"); });
            bool paused = false;
            events().post([&] {
                Pause(seconds);
                paused = true;
                timer.set_enabled(false);
                reader.StopReading();
            });
            events().post_at(3'000'000, [] { loop::EventLoop::instance().end(); });
            events().run();
            ASSERT_TRUE(paused);
            EXPECT_GE(seen.size(), 2u) << clock << " + " << seconds;
            EXPECT_NE(std::find(seen.begin(), seen.end(), "alice: hi"), seen.end())
                << clock << " + " << seconds;
            EXPECT_EQ(seen.front(), "tick");
        }
    }
}

TEST_F(PauseTest, ReturnsAtOnceWithoutRunningEventsWhenNothingIsLeftToWait) {
    StartClockAt(43200.25);
    int ran = 0;
    events().post([&] {
        events().post([&] { ++ran; });
        Pause(0);
        EXPECT_EQ(ran, 0);
        EXPECT_EQ(events().now(), 0);
    });
    events().do_events();
    EXPECT_EQ(ran, 0);
}

}  // namespace
