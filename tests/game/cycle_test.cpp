// The game cycle of the main window: what start, the poster, stop and skip leave in the
// controls, read back where a transcript cannot see it.
#include <ostream>
#include <string>
#include <vector>

#include "tests/game/cycle_fixture.h"

namespace cycle_test {
namespace {

// The enabled (or, for the menus marked so, visible) state of the controls that start and stop
// switch, as a row of T and F in this order.
std::string Controls(Form4& f) {
    std::vector<bool> row = {
        f.Command1.Enabled, f.Command2.Enabled,    f.Command3.Enabled,    f.Command4.Enabled,
        f.Command5.Enabled, f.Command6.Enabled,    f.Command7.Enabled,    f.Command8.Enabled,
        f.Command9.Enabled, f.sendscores.Enabled,  f.clearscores.Enabled, f.mixNOW.Enabled,
        f.points.Visible,   f.averagetime.Visible, f.averagewpm.Visible,  f.Text1.Enabled};
    std::string s;
    for (bool on : row) s += on ? 'T' : 'F';
    return s;
}
constexpr const char* kControlOrder =
    "Command1..9, sendscores, clearscores, mixNOW, points, averagetime, averagewpm, Text1";

// One row of the game's states: what the stop flag, the word, the poster, the clock and the
// chat reading are.
struct GameState {
    int check1;
    std::string text1;
    bool timer2;
    bool timer1;
    bool reading;
    bool operator==(const GameState&) const = default;
};
std::ostream& operator<<(std::ostream& out, const GameState& s) {
    return out << "{Check1 " << s.check1 << ", Text1 \"" << s.text1 << "\", Timer2 " << s.timer2
               << ", Timer1 " << s.timer1 << ", reading " << s.reading << "}";
}
GameState StateOf(Form4& f) {
    return {f.Check1.Value, f.Text1.Text, f.Timer2.Enabled, f.Timer1.Enabled, f.Chat1.reading()};
}

using GameCycle = MainWindowTest;

TEST_F(GameCycle, StartAndStopSwitchTheControlsAsTheTableSays) {
    Form4& f = Main();
    EXPECT_EQ(Controls(f), "TTFFTTFFFTTTTTTT") << kControlOrder;
    LoadWords({"apple", "pear"});

    f.Form4_Command1_Click();  // returns once the first word is out
    EXPECT_EQ(Controls(f), "FFTTFFTTTFFFFFFF") << kControlOrder;  // Text1 by the poster
    EXPECT_FALSE(f.Text2.Enabled);

    f.Form4_Command4_Click();
    EXPECT_EQ(Controls(f), "TTFTTTFFFTTTTTTT") << kControlOrder;
    EXPECT_TRUE(f.averagewpm.Enabled);
    EXPECT_FALSE(f.Text2.Enabled);  // only the end of a list enables it again
}

TEST_F(GameCycle, StatesAlongOneGame) {
    Form4& f = Main();
    LoadWords({"apple", "pear", "cherry"});
    EXPECT_EQ(StateOf(f), (GameState{0, "", false, false, false})) << "idle";

    std::vector<GameState> seen;
    At(0, [&] { f.Form4_Command1_Click(); });
    At(0.5, [&] { seen.push_back(StateOf(f)); });  // the poster waits to post
    At(1.5, [&] { seen.push_back(StateOf(f)); });  // the word is out
    At(2, [&] { f.Form4_Command8_Click(); });
    At(2.5, [&] { seen.push_back(StateOf(f)); });  // the delay after the skip
    At(7, [&] { seen.push_back(StateOf(f)); });    // the next word is out
    At(7.5, [&] { f.Form4_Command4_Click(); });
    RunFor(10);
    seen.push_back(StateOf(f));

    EXPECT_EQ(seen, (std::vector<GameState>{{0, "apple", true, false, true},
                                            {0, "apple", false, true, true},
                                            {0, "pear", false, false, true},
                                            {0, "pear", false, true, true},
                                            {1, "pear", false, false, false}}));
    EXPECT_EQ(f.List1.entries(), std::vector<std::string>{"cherry"});
    EXPECT_EQ(f.ProgressBar1.Value, 2);
    EXPECT_EQ(f.ProgressBar1.MaxValue, 3);  // set from the list's size by the skip
    EXPECT_EQ(f.ProgressBar2.Value, 0);
    EXPECT_EQ(f.Label1.Caption, "1");
    EXPECT_EQ(f.hints.Caption, "1");
    EXPECT_EQ(f.Label8.Caption, "2");  // words left when the last word was handed over
}

TEST_F(GameCycle, StartWithAnEmptyListShowsTheMessageAndStartsNothing) {
    Form4& f = Main();
    f.Check1.Value = 1;
    f.Check2.Value = 1;
    f.Form4_Command1_Click();

    ASSERT_EQ(m_host.boxes.size(), 1u);
    EXPECT_EQ(m_host.boxes[0].text, "you must load a log first!");
    EXPECT_EQ(m_host.boxes[0].title, "tavrel");
    EXPECT_EQ(m_host.boxes[0].buttons(), forms::vbOKOnly);
    EXPECT_EQ(m_host.boxes[0].icon(), forms::vbExclamation);
    // Reverse hint and re-scroll keep the running state's T, "mix log now" its F.
    EXPECT_EQ(Controls(f), "TTFFTTTFTTTFTTTT") << kControlOrder;
    EXPECT_EQ(StateOf(f), (GameState{0, "", false, false, false}));
    EXPECT_EQ(f.Check2.Value, 0);
    EXPECT_FALSE(f.Timer4.Enabled);
    EXPECT_FALSE(f.Timer6.Enabled);
    EXPECT_TRUE(Heard().empty());
}

TEST_F(GameCycle, StartWithScoresOnTheBoardAsksToClearThemOnly) {
    struct Case {
        int answer;
        std::vector<std::string> board;
    };
    for (const Case& c : {Case{forms::vbYes, {}}, Case{forms::vbNo, {"bob - 3", "amy - 1"}}}) {
        Form4& f = Main();
        f.Form4_Command4_Click();  // leaves any earlier game stopped
        f.List1.Clear();
        LoadWords({"apple"});
        f.List2.Clear();
        f.List2.AddItem("bob - 3");
        f.List2.AddItem("amy - 1");
        f.perceNt.Clear();
        f.perceNt.AddItem("bob - 2");
        f.List3.Clear();
        f.List3.AddItem("4.5");
        f.List4.Clear();
        f.List4.AddItem("40");
        m_host.boxes.clear();
        m_host.answers = {c.answer};

        f.Form4_Command1_Click();
        ASSERT_EQ(m_host.boxes.size(), 1u);
        EXPECT_EQ(m_host.boxes[0].text,
                  "you haven't cleared the scores since the log was last run. would you like to "
                  "clear the scores now?");
        EXPECT_EQ(m_host.boxes[0].title, "clear scores?");
        EXPECT_EQ(m_host.boxes[0].buttons(), forms::vbYesNo);
        EXPECT_EQ(m_host.boxes[0].icon(), forms::vbExclamation);
        EXPECT_EQ(f.List2.entries(), c.board) << c.answer;
        EXPECT_EQ(f.perceNt.entries(), std::vector<std::string>{"bob - 2"});
        EXPECT_EQ(f.List3.entries(), std::vector<std::string>{"4.5"});
        EXPECT_EQ(f.List4.entries(), std::vector<std::string>{"40"});
        EXPECT_EQ(f.Text1.Text, "apple");  // the game starts either way
        EXPECT_TRUE(f.Timer1.Enabled);
    }
}

TEST_F(GameCycle, StopDuringThePostersPauseKeepsTheBarStillAndPostsNothing) {
    Form4& f = Main();
    LoadWords({"apple", "pear"});
    At(0, [&] { f.Form4_Command1_Click(); });
    At(0.5, [&] { f.Form4_Command4_Click(); });
    RunFor(5);

    EXPECT_EQ(Heard(),
              (std::vector<std::string>{"<FONT FACE=Arial><b>[</b> tavrel <b>]</b></font>",
                                        "<FONT FACE=Arial><b>[</b> game stopped <b>]</b></font>"}));
    EXPECT_EQ(StateOf(f), (GameState{1, "", false, false, false}));
    EXPECT_EQ(f.Text2.Text, "");
    EXPECT_EQ(f.List1.entries(), std::vector<std::string>{"pear"});
    EXPECT_FALSE(f.Timer4.Enabled);
    EXPECT_EQ(f.ProgressBar2.Value, 0);
}

TEST_F(GameCycle, StopRemembersTheLeaderAndLeavesAStoppedGameAlone) {
    Form4& f = Main();
    LoadWords({"apple", "pear"});
    f.Form4_Command1_Click();
    f.List2.AddItem("bob - 3");
    f.Form4_Command4_Click();
    EXPECT_NE(ReadFile(PathOf("tavrel.ini"))
                  .find("[thewinner]\r\nwinner= <b>bob</b> with <b>3</b> points <b>]</b>\r\n"),
              std::string::npos);
    Heard();
    f.Check1.Value = 1;
    f.Timer1.Enabled = true;  // as if the clock still ran: the stop flag alone holds them back
    f.Form4_Command4_Click();
    f.Form4_Command9_Click();
    f.Form4_Command3_Click();
    f.Form4_Command7_Click();
    EXPECT_TRUE(Heard().empty());
    EXPECT_EQ(f.hints.Caption, "1");
    EXPECT_EQ(f.List1.entries(), std::vector<std::string>{"pear"});
}

TEST_F(GameCycle, WordsLeftFollowTheListWithinATick) {
    Form4& f = Main();
    LoadWords({"apple", "pear", "cherry"});
    RunFor(0.02);
    EXPECT_EQ(f.Label5.Caption, "3");
    f.List1.RemoveItem(0);
    RunFor(0.02);
    EXPECT_EQ(f.Label5.Caption, "2");
}

}  // namespace
}  // namespace cycle_test
