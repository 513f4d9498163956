// The word clock, its hints and time-out, the count-down bar, descending points and the hint
// buttons, tick by tick.
#include <functional>
#include <string>
#include <vector>

#include "tests/game/cycle_fixture.h"

namespace cycle_test {
namespace {

using WordClock = MainWindowTest;

// The clock's text for a count of hundredths: no trailing zeros, no point for whole numbers.
std::string ClockText(int hundredths) {
    std::string s = std::to_string(hundredths / 100);
    int rest = hundredths % 100;
    if (rest == 0) return s;
    s += '.';
    s += char('0' + rest / 10);
    if (rest % 10 != 0) s += char('0' + rest % 10);
    return s;
}

TEST_F(WordClock, CountsHundredthsExactlyFromOne) {
    Form4& f = Main();
    f.Form4_dontscroll_Click();
    f.Form4_twentyFivemenu_Click();
    f.Text1.Text = "orange";
    f.Label1.Caption = "1";
    for (int tick = 1; tick < 2400; ++tick) {
        f.Form4_Timer1_Timer();
        ASSERT_EQ(f.Label1.Caption, ClockText(100 + tick)) << "tick " << tick;
    }
    EXPECT_EQ(ClockText(110), "1.1");
    EXPECT_EQ(ClockText(200), "2");
    EXPECT_EQ(ClockText(370), "3.7");
    EXPECT_TRUE(Heard().empty());  // no time-out before 25
}

TEST_F(WordClock, HintsAndTheTimeOutFallOnTheirTicks) {
    struct Case {
        void (Form4::*limit)();
        int ticks_to_time_out;
        std::vector<int> hint_ticks;
    };
    const Case cases[] = {{&Form4::Form4_fivesec_Click, 270, {}},
                          {&Form4::Form4_tensec_Click, 900, {600}},
                          {&Form4::Form4_fifteenmenu_Click, 1400, {600}},
                          {&Form4::Form4_twentYmenu_Click, 1900, {600}},
                          {&Form4::Form4_twentyFivemenu_Click, 2400, {600, 2000}}};
    Form4& f = Main();
    for (const Case& c : cases) {
        (f.*c.limit)();
        f.List1.Clear();
        LoadWords({"orange"});
        f.Text1.Text = "orange";
        f.Label1.Caption = "1";
        f.Timer1.Enabled = true;
        Heard();
        std::vector<int> hints;
        int tick = 0;
        while (f.Timer1.Enabled && tick < 3000) {
            f.Form4_Timer1_Timer();
            ++tick;
            for (const std::string& line : Heard()) {
                if (line.find("Hint:") != std::string::npos) hints.push_back(tick);
                if (line.find("word skipped") != std::string::npos) {
                    EXPECT_EQ(tick, c.ticks_to_time_out) << f.Label10.Caption();
                }
            }
        }
        EXPECT_EQ(tick, c.ticks_to_time_out) << f.Label10.Caption();
        EXPECT_EQ(hints, c.hint_ticks) << f.Label10.Caption();
        // After the delay the list is used up: no word, the poster armed all the same.
        EXPECT_EQ(f.Text1.Text, "");
        EXPECT_TRUE(f.Timer2.Enabled);
        EXPECT_EQ(f.Label1.Caption, "1");
        f.Timer2.Enabled = false;
    }
}

TEST_F(WordClock, TimeOutStopsReadingForTheDelayOnly) {
    Form4& f = Main();
    f.Form4_fivesec_Click();
    LoadWords({"apple", "pear"});
    f.Form4_Command1_Click();
    std::vector<bool> reading;
    At(4.3, [&] { reading.push_back(f.Chat1.reading()); });  // inside the time-out's delay
    RunFor(8);
    reading.push_back(f.Chat1.reading());
    EXPECT_EQ(reading, (std::vector<bool>{false, true}));
    EXPECT_EQ(f.List1.entries(), std::vector<std::string>{"pear"});
    EXPECT_EQ(f.hints.Caption, "1");
    EXPECT_EQ(f.ProgressBar1.Value, 1);
}

TEST_F(WordClock, CheckedByHandDuringTheDelayTheTimeOutStopsThere) {
    Form4& f = Main();
    f.Form4_fivesec_Click();
    LoadWords({"apple", "pear"});
    f.Form4_Command1_Click();
    At(4.5, [&] { f.Check1.Value = 1; });  // the time-out falls at 4.22 s
    RunFor(10);
    EXPECT_FALSE(f.Chat1.reading());
    EXPECT_FALSE(f.Timer2.Enabled);
    EXPECT_FALSE(f.Timer1.Enabled);
    // The word that timed out is still the one a stop will remove.
    EXPECT_EQ(f.Text1.Text, "apple");
    EXPECT_EQ(f.List1.entries(), (std::vector<std::string>{"apple", "pear"}));
}

TEST_F(WordClock, CountDownBarMaximaFollowTheLimit) {
    struct Case {
        void (Form4::*limit)();
        int menu_maximum;
        int maximum;
    };
    Form4& f = Main();
    for (const Case& c :
         {Case{&Form4::Form4_fivesec_Click, 4, 66}, Case{&Form4::Form4_tensec_Click, 10, 225},
          Case{&Form4::Form4_fifteenmenu_Click, 15, 369},
          Case{&Form4::Form4_twentYmenu_Click, 20, 492},
          Case{&Form4::Form4_twentyFivemenu_Click, 25, 615}}) {
        f.ProgressBar2.Value = 0;
        (f.*c.limit)();
        EXPECT_EQ(f.ProgressBar2.MaxValue, c.menu_maximum) << f.Label10.Caption();
        f.Form4_Timer4_Timer();
        EXPECT_EQ(f.ProgressBar2.MaxValue, c.maximum) << f.Label10.Caption();
        EXPECT_EQ(f.ProgressBar2.Value, 1);
        EXPECT_EQ(f.Timer4.Interval, 50);
        for (int tick = 1; tick < c.maximum + 10; ++tick) f.Form4_Timer4_Timer();
        EXPECT_EQ(f.ProgressBar2.Value, c.maximum) << "full, and stays full";
    }
}

TEST_F(WordClock, DescendingPointsFallAfterFourAndSix) {
    struct Case {
        const char* clock;
        const char* points;
    };
    Form4& f = Main();
    for (auto [clock, points] :
         {Case{"1", "3"}, Case{"3.99", "3"}, Case{"4", "5"}, Case{"4.01", "2"}, Case{"6", "2"},
          Case{"6.01", "1"}, Case{"30", "1"}}) {
        f.Label9.Caption = "5";  // exactly 4 leaves whatever it held
        f.Label1.Caption = clock;
        f.Form4_Timer6_Timer();
        EXPECT_EQ(f.Label9.Caption, points) << clock;
    }
}

TEST_F(WordClock, SmartScoreTakesTheWordsLengthAndAnEmptyWordStopsTheClock) {
    Form4& f = Main();
    f.Form4_wordmenu_Click();
    f.Text1.Text = "apple pie";
    f.Label1.Caption = "3.5";
    f.Timer1.Enabled = true;
    f.Form4_Timer1_Timer();
    EXPECT_EQ(f.Label9.Caption, "9");
    f.Text1.Text = "";
    f.Form4_Timer1_Timer();
    EXPECT_EQ(f.Label9.Caption, "0");
    EXPECT_FALSE(f.Timer1.Enabled);
    EXPECT_EQ(f.Label1.Caption, "3.52");  // stepped, then left as it is
}

TEST_F(WordClock, HintButtonsNeedARunningClockAndAGameNotStopped) {
    struct Case {
        int check1;
        bool clock_runs;
        void (Form4::*button)();
        std::vector<std::string> said;
        const char* counter;
    };
    const std::string forward = "<b>[</b> Hint: ap--- <b>]</b>";
    const std::string backwards = "<b>[</b> <u>Backwards</u> Hint: ---le <b>]</b>";
    Form4& f = Main();
    f.Form4_dontscroll_Click();  // a hint by hand goes out in every mode
    for (const Case& c : {Case{0, true, &Form4::Form4_Command3_Click, {forward}, "2"},
                          Case{0, true, &Form4::Form4_Command7_Click, {backwards}, "2"},
                          Case{1, true, &Form4::Form4_Command3_Click, {}, "1"},
                          Case{0, false, &Form4::Form4_Command7_Click, {}, "1"}}) {
        f.Text1.Text = "apple";
        f.hints.Caption = "1";
        f.Check1.Value = c.check1;
        f.Timer1.Enabled = c.clock_runs;
        (f.*c.button)();
        EXPECT_EQ(Heard(), c.said);
        EXPECT_EQ(f.hints.Caption, c.counter);
        f.Timer1.Enabled = false;
    }
}

}  // namespace
}  // namespace cycle_test
