// Floods: tens of thousands of chat lines said at one moment, at the moments where each line's
// handler nests inside the pause of the one before. The nesting stops at the event loop's
// bound; the lines beyond wait their turn. Every line is judged in turn, the program runs on,
// and the counters and the winner are written once. The games run on the program's stack, as
// the program does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/settings.h"
#include "companions/Form7.h"
#include "platform/forms/application.h"
#include "platform/loop/loop.h"
#include "platform/loop/stack.h"
#include "tests/faults/fault_fixture.h"

namespace {

constexpr int kFlood = 100'000;
constexpr int kShortFlood = 20'000;  // far past what the usual stack holds, and quicker

// A game whose host reads each message box for ten seconds before answering it; timers and
// chat lines go on meanwhile.
class FloodGame : public harness::InProcessGame {
  public:
    using InProcessGame::InProcessGame;
    int message_box(const forms::MessageBoxRequest& request) override {
        auto& events = loop::EventLoop::instance();
        const loop::Micros until = events.now() + 10'000'000;
        while (events.now() < until) {
            events.do_events();
            events.wait_until(until);
        }
        return InProcessGame::message_box(request);
    }
};

struct Said {
    std::string name;
    std::string text;
};

struct Flood {
    const char* what;
    int words;                                   // the list: w1, w2, ... in file order
    double at;                                   // the moment the lines are said
    std::function<void(FloodGame&)> before;      // what the host does a moment before
    std::function<std::vector<Said>()> lines;    // what is said, in order
    int scramble;                                // right answers, and points of the winner
    std::string winner;                          // the winner's name
    std::vector<std::string> form7_scores = {};  // the non-log window's scoreboard, if it opened
};

std::string Word(int i) {
    return "w" + std::to_string(i);
}

// The first lines, then `flood` lines of "x" from as many players.
std::function<std::vector<Said>()> ThenFlood(std::vector<Said> first, int flood = kFlood) {
    return [first, flood] {
        std::vector<Said> lines = first;
        for (int i = 0; i < flood; ++i) lines.push_back({"p" + std::to_string(i), "x"});
        return lines;
    };
}

// The host opens the non-log game beside the running one and sends it the word pear.
void OpenTheNonLogGame(FloodGame& game) {
    game.main().Form4_nolog_Click();
    auto& form7 = forms::App().get<Form7>("Form7");
    form7.Text1.Text = "pear";
    form7.Form7_Command1_Click();
}

class Floods : public faults::FaultTest {
  protected:
    // Ten thousand right answers write the settings file ten thousand times.
    std::filesystem::path FolderBase() const override { return InMemory(); }

    // Plays the case and keeps the program's lines.
    void Play(const Flood& c) {
        std::vector<std::string> words;
        for (int i = 1; i <= c.words; ++i) words.push_back(Word(i));
        ASSERT_TRUE(harness::WriteWordList(PathOf("words.log"), words));

        FloodGame game({m_folder.string()});
        game.load_and_start_at(5, "words.log");
        if (c.before) game.at(c.at - 0.3, [&] { c.before(game); });
        game.at(c.at, [&] {
            for (const Said& line : c.lines())
                chatclient::ChatClient::instance().say(line.name, line.text);
        });
        // Long after the flood the program still answers its host.
        game.at(c.at + 60, [&] { game.main().Form4_mostrecent_Click(); });
        game.run_until(c.at + 61);

        m_lines.clear();
        for (const auto& line : game.transcript())
            if (line.name == "host") m_lines.push_back(line.text);
        m_form7_scores.clear();
        if (forms::App().find("Form7"))
            m_form7_scores = forms::App().get<Form7>("Form7").List1.entries();
    }

    int Count(const std::string& part) const {
        int n = 0;
        for (const std::string& line : m_lines) n += line.find(part) != std::string::npos;
        return n;
    }

    void ExpectCountedOnce(const Flood& c) {
        const std::string file = PathOf("tavrel.ini");
        // Stored after a blank, which reading the settings file drops.
        const std::string winner = "<b>" + c.winner + "</b> with <b>" + std::to_string(c.scramble) +
                                   "</b> points <b>]</b>";
        EXPECT_EQ(ReadIni("tavrel", "scramble", file), std::to_string(c.scramble));
        EXPECT_EQ(ReadIni("completed", "finished", file), "1");
        EXPECT_EQ(ReadIni("thewinner", "winner", file), winner);
        EXPECT_EQ(Count("point(s)"), c.scramble);
        EXPECT_EQ(Count("end of log"), 1);
        EXPECT_EQ(Count("answering"), 1);
        EXPECT_EQ(m_form7_scores, c.form7_scores);
        EXPECT_EQ(Count("</b> answered in <b>"), static_cast<int>(c.form7_scores.size()));
        ASSERT_FALSE(m_lines.empty());
        EXPECT_EQ(m_lines.back(), "<b>[</b> the last winner was " + winner);
    }

    std::vector<std::string> m_lines;
    std::vector<std::string> m_form7_scores;
};

TEST_F(Floods, EveryLineIsJudgedAndTheListIsCountedOnce) {
    const Flood cases[] = {
        {"right after the last answer", 1, 6.5, nullptr, ThenFlood({{"bob", "w1"}}), 1, "bob"},
        {"during the poster's pause before the word", 1, 5.5, nullptr,
         [] {
             return std::vector<Said>(kShortFlood, {"bob", "w1"});
         },
         1, "bob"},
        {"while a message box is open", 1, 6.5,
         [](FloodGame& game) { game.main().Form4_top3menu_Click(); },
         ThenFlood({{"bob", "w1"}}, kShortFlood), 1, "bob"},
        {"while the non-log window plays too",
         1,
         6.5,
         OpenTheNonLogGame,
         ThenFlood({{"bob", "w1"}, {"ann", "pear"}}, kShortFlood),
         1,
         "bob",
         {"ann - 1"}},
        {"every word of a long list, each inside the last one's delay", 10'000, 6.5, nullptr,
         [] {
             std::vector<Said> lines;
             for (int i = 1; i <= 10'000; ++i) lines.push_back({"alice", Word(i)});
             return lines;
         },
         10'000, "alice"},
    };
    for (const Flood& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        loop::RunOnProgramStack([&] {
            Play(c);
            return 0;
        });
        ExpectCountedOnce(c);
    }
}

// The flood nests up to the bound and no deeper: the lines beyond wait their turn, each runs
// once the nesting is below the bound, and every one of them is still judged.
TEST_F(Floods, AtTheNestingBoundLinesWaitTheirTurnAndNoneIsLost) {
    int judged = 0;
    int deepest = 0;
    const auto count_judged = [&](FloodGame& game) {
        Form4& f = game.main();
        f.Chat1.ChatLine = [&f, &judged, &deepest](std::string& name, std::string& text) {
            ++judged;
            deepest = std::max(deepest, loop::EventLoop::instance().nesting());
            f.Form4_Chat1_ChatLine(name, text);
        };
    };
    const Flood c{"right after the last answer", 1, 6.5,  count_judged,
                  ThenFlood({{"bob", "w1"}}),    1, "bob"};
    loop::RunOnProgramStack([&] {
        Play(c);
        return 0;
    });
    ExpectCountedOnce(c);
    // The flood, bob's answer and the program's own result line as it comes back.
    EXPECT_EQ(judged, kFlood + 2);
    EXPECT_EQ(deepest, loop::EventLoop::kNestingBound);
}

// Past the bound the flood unwinds a bound's worth at a time: when the pause at the bound ends,
// the pauses below it, whose time is up as well, end with it, so three bounds' worth of right
// answers, each judged inside the last one's three-second delay, take three delays, not one
// delay each; in order, and the host's "stop game" clicked meanwhile comes right after them.
TEST_F(Floods, PastTheBoundEachBoundsWorthTakesOneDelayAndTheHostIsHeardAfterIt) {
    constexpr int kAnswers = 3 * loop::EventLoop::kNestingBound;
    constexpr double kSaid = 6.5;
    std::vector<double> judged;  // when each result line was said
    double stopped = -1;
    loop::RunOnProgramStack([&] {
        std::vector<std::string> words;
        for (int i = 1; i <= kAnswers + 10; ++i) words.push_back(Word(i));
        EXPECT_TRUE(harness::WriteWordList(PathOf("words.log"), words));
        FloodGame game({m_folder.string()});
        auto& client = chatclient::ChatClient::instance();
        const int listener = client.add_listener([&](const chatclient::Line& line) {
            const double now = static_cast<double>(loop::EventLoop::instance().now()) / 1e6;
            if (line.text.find("point(s)") != std::string::npos) judged.push_back(now);
            if (line.text.find("game stopped") != std::string::npos) stopped = now;
        });
        game.load_and_start_at(5, "words.log");
        game.at(kSaid, [&] {
            for (int i = 1; i <= kAnswers; ++i)
                chatclient::ChatClient::instance().say("alice", Word(i));
        });
        game.at(kSaid + 2, [&game] { FloodGame::click(game.main().Command4); });
        game.run_until(kSaid + 60);
        client.remove_listener(listener);
        return 0;
    });
    // A line judged out of its turn would not be the word then out: every one scored, each
    // was judged in the order said.
    ASSERT_EQ(judged.size(), std::size_t{kAnswers});
    // Each bound's worth is judged at once, as the delays before it end; a delay counts from
    // the whole second the clock shows when it starts.
    for (int batch = 0; batch < 3; ++batch) {
        const double at = batch == 0 ? kSaid : 6 + 3 * batch;
        const int first = batch * loop::EventLoop::kNestingBound;
        EXPECT_EQ(judged[first], at) << first;
        EXPECT_EQ(judged[first + loop::EventLoop::kNestingBound - 1], at) << first;
    }
    // The click waited behind the lines said before it, then paused its second.
    EXPECT_EQ(stopped, 6 + 3 * 3 + 1);
}

}  // namespace
