// Unlucky timing: what the host does while the last answer waits out its delay or while the
// end of the list is announced, and a click handled in the very round of the poster's tick.
// Each list played to the end is announced and counted once, and each word is posted once.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/settings.h"
#include "platform/loop/loop.h"
#include "tests/faults/answer_every_word.h"
#include "tests/faults/fault_fixture.h"

namespace {

using faults::AnswerEveryWord;
using harness::InProcessGame;

class Races : public faults::FaultTest {
  protected:
    int Count(const std::string& part) const {
        int n = 0;
        for (const std::string& line : m_lines) n += line.find(part) != std::string::npos;
        return n;
    }

    void KeepHostLines(const InProcessGame& game) {
        m_lines.clear();
        for (const auto& line : game.transcript())
            if (line.name == "host") m_lines.push_back(line.text);
    }

    std::vector<std::string> m_lines;
};

struct HostAction {
    const char* what;
    std::function<void(InProcessGame&)> act;
    int lists;  // lists played to the end
};

// Two words, each answered half a second after it is posted, with a delay of 12 seconds after
// each answer: the end of the list is announced in the first seconds of the last delay. The
// host acts `offset` seconds after the last result line.
TEST_F(Races, AFinishedListIsAnnouncedAndCountedOnceWhateverTheHostDoes) {
    const HostAction actions[] = {
        {"start game", [](InProcessGame& g) { InProcessGame::click(g.main().Command1); }, 1},
        {"stop game", [](InProcessGame& g) { InProcessGame::click(g.main().Command4); }, 1},
        {"skip", [](InProcessGame& g) { InProcessGame::click(g.main().Command8); }, 1},
        {"load log", [](InProcessGame& g) { InProcessGame::click(g.main().Command5); }, 1},
        {"clear log", [](InProcessGame& g) { InProcessGame::click(g.main().Command6); }, 1},
        {"stop, then start",
         [](InProcessGame& g) {
             InProcessGame::click(g.main().Command4);
             InProcessGame::click(g.main().Command1);
         },
         1},
        {"the menus",
         [](InProcessGame& g) {
             Form4& f = g.main();
             for (forms::MenuItem* item :
                  {&f.sendscores, &f.winner, &f.mostrecent, &f.top3menu, &f.averagetime,
                   &f.averagewpm, &f.points, &f.clearscores, &f.mixNOW})
                 InProcessGame::choose(*item);
         },
         1},
        // A new list put in play while the old one is announced is played and announced too.
        {"stop, load and start the list again",
         [](InProcessGame& g) {
             InProcessGame::click(g.main().Command4);
             InProcessGame::click(g.main().Command5);
             InProcessGame::click(g.main().Command1);
         },
         2},
    };
    // In the first, second and third second of the announcement, and after it.
    for (double offset : {0.5, 1.5, 2.5, 6.0}) {
        for (const HostAction& action : actions) {
            SCOPED_TRACE(std::string(action.what) + " at +" + std::to_string(offset));
            TearDown();
            SetUp();
            ASSERT_TRUE(harness::WriteWordList(PathOf("words.log"), {"cat", "dog"}));
            InProcessGame game({m_folder.string()});
            game.file_choice = "words.log";
            int answered = 0;
            AnswerEveryWord bob(game, "bob", answered);
            int results = 0;
            const int listener =
                chatclient::ChatClient::instance().add_listener([&](const chatclient::Line& line) {
                    if (line.name != "host" || line.text.find("point(s)") == std::string::npos)
                        return;
                    if (++results != 2) return;
                    auto& events = loop::EventLoop::instance();
                    events.post_at(events.now() + static_cast<loop::Micros>(offset * 1e6),
                                   [&] { action.act(game); });
                });
            game.at(4.5, [&game] { InProcessGame::choose(game.main().scrollDELay12); });
            game.load_and_start_at(5, "words.log");
            game.run_until(120);
            chatclient::ChatClient::instance().remove_listener(listener);
            KeepHostLines(game);

            EXPECT_EQ(Count("end of log"), action.lists);
            EXPECT_EQ(Count("answering"), action.lists);
            EXPECT_EQ(ReadIni("completed", "finished", PathOf("tavrel.ini")),
                      std::to_string(action.lists));
            EXPECT_EQ(answered, 2 * action.lists);
            // Nothing is left running: no word is posted, no clock goes on.
            const Form4& f = game.main();
            EXPECT_FALSE(f.Timer2.Enabled);
            EXPECT_FALSE(f.Timer1.Enabled);
        }
    }
}

// The game is stopped during an answer's delay, so the poster comes on after it and ticks on
// while the game stands still. The host's start is handled in the round of one of its ticks,
// ahead of it: the scramble inside the start lets that tick run.
TEST_F(Races, AStartHandledAheadOfThePostersTickPostsItsWordOnce) {
    ASSERT_TRUE(harness::WriteWordList(PathOf("words.log"), {"cat", "dog", "emu"}));
    InProcessGame game({m_folder.string()});
    Form4& f = game.main();
    game.load_and_start_at(5, "words.log");
    game.say_at(7.5, "bob", "cat");
    game.at(8.5, [&f] { InProcessGame::click(f.Command4); });
    // Each stopped tick waits a second in its pause, so the next falls due as it returns, in
    // the round that the start's click opens.
    bool clicked_in_the_ticks_round = false;
    game.at(8.6, [&f, &clicked_in_the_ticks_round] {
        const auto poster = f.Timer2.Tick;
        f.Timer2.Tick = [&f, &clicked_in_the_ticks_round, poster, started = false]() mutable {
            poster();
            if (started || f.Check1.Value != 1) return;
            started = true;
            loop::EventLoop::instance().post([&f, &clicked_in_the_ticks_round] {
                auto& events = loop::EventLoop::instance();
                clicked_in_the_ticks_round = f.Timer2.Enabled && f.Timer2.due() == events.now();
                InProcessGame::click(f.Command1);
            });
        };
    });
    game.run_until(20);
    ASSERT_TRUE(clicked_in_the_ticks_round);
    KeepHostLines(game);

    // cat, then the word the start put in play (the stop took dog off the list).
    EXPECT_EQ(Count(" tavrel log: "), 2);
    ASSERT_FALSE(m_lines.empty());
    EXPECT_EQ(m_lines.back(), "<FONT FACE=Arial><b>[</b> " + f.Text2.Text() + "<b> ]</b></font>");
    EXPECT_EQ(f.Text1.Text(), "emu");
    EXPECT_TRUE(f.Timer1.Enabled);
    EXPECT_FALSE(f.Timer2.Enabled);
}

}  // namespace
