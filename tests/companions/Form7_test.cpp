// The non-log game window on its own: its design, the point options, the clock over a long run,
// and closing it, which must leave nothing of it reading or ticking. A plain window stands in
// for the main window that closing shows again.

#include "companions/Form7.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/chatclient/chat_client.h"
#include "platform/desktop/desktop.h"
#include "platform/forms/application.h"
#include "platform/loop/loop.h"

namespace {

struct MainWindowStandIn : forms::Form {
    MainWindowStandIn() : forms::Form("Form4") {}
};

class NonLogWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        loop::EventLoop::instance().reset(loop::Options{});
        desktop::Desktop::instance().reset();
        forms::App().reset();
        chat().reset(chatclient::Mode::Room, "host");
        forms::App().register_form("Form4", [] { return std::make_unique<MainWindowStandIn>(); });
        forms::App().register_form("Form7", [] { return std::make_unique<Form7>(); });
    }
    void TearDown() override {
        forms::App().reset();
        chat().reset(chatclient::Mode::None, "host");
        desktop::Desktop::instance().reset();
    }

    static chatclient::ChatClient& chat() { return chatclient::ChatClient::instance(); }
    static Form7& Shown() {
        auto& form = forms::App().get<Form7>("Form7");
        form.Show();
        return form;
    }
    // Runs rounds of events until the clock reaches `until`.
    static void RunUntil(loop::Micros until) {
        auto& events = loop::EventLoop::instance();
        while (events.now() < until) {
            events.do_events();
            events.wait_until(until);
        }
        events.do_events();
    }
    static std::vector<std::string> Said() {
        std::vector<std::string> texts;
        for (const auto& line : chat().transcript()) texts.push_back(line.text);
        return texts;
    }
};

TEST_F(NonLogWindow, StartsAsDesigned) {
    Form7& f = Shown();
    EXPECT_EQ(f.Caption, "tavrel");
    EXPECT_EQ(f.border, forms::BorderStyle::FixedSingle);
    EXPECT_EQ(f.icon, "") << "no icon of its own";
    EXPECT_EQ(f.ClientWidth(), 2565);
    EXPECT_EQ(f.ClientHeight(), 1755);
    EXPECT_TRUE(f.topmost());
    EXPECT_TRUE(f.has_close_box());
    // Centred on the 15360 x 11520 twip screen: (15360 - 2625) / 2, the half rounded to even.
    EXPECT_EQ(f.Left, 6368);
    EXPECT_EQ(f.Top, (11520 - 2100) / 2);

    const forms::Font window_font{};
    const forms::Font small{"Small Fonts", 6.75};
    struct Case {
        const forms::Control* control;
        int left, top, width, height, tab;
        forms::Font font;
    };
    for (auto c : {Case{&f.Text1, 120, 120, 1695, 285, 0, window_font},
                   {&f.List1, 120, 720, 1695, 1005, 1, window_font},
                   {&f.Command1, 1920, 120, 615, 255, 2, small},
                   {&f.Command2, 1920, 1355, 615, 375, 3, small},
                   {&f.Label1, 2400, 2280, 1095, 255, 4, window_font},
                   {&f.Text2, 3120, 600, 495, 285, 5, window_font},
                   {&f.Command3, 1920, 840, 615, 375, 6, small},
                   {&f.Option1, 120, 480, 495, 195, 7, small},
                   {&f.Option2, 600, 450, 615, 255, 8, small},
                   {&f.Option3, 1200, 450, 615, 255, 9, small},
                   {&f.Label2, 240, 2400, 855, 255, 10, window_font}}) {
        const auto& control = *c.control;
        EXPECT_EQ(control.Left, c.left) << control.name();
        EXPECT_EQ(control.Top, c.top) << control.name();
        EXPECT_EQ(control.Width, c.width) << control.name();
        EXPECT_EQ(control.Height, c.height) << control.name();
        EXPECT_EQ(control.TabIndex, c.tab) << control.name();
        EXPECT_EQ(control.font, c.font) << control.name();
    }

    EXPECT_EQ(f.Command1.Caption, "send");
    EXPECT_EQ(f.Command2.Caption, "clear score");
    EXPECT_EQ(f.Command3.Caption, "send scores");
    EXPECT_EQ(f.Option1.Caption, "1 pt");
    EXPECT_EQ(f.Option2.Caption, "2 pts");
    EXPECT_EQ(f.Option3.Caption, "3 pts");
    EXPECT_EQ(f.Text1.Text, "");
    EXPECT_EQ(f.Text2.Text, "Text2");
    EXPECT_EQ(f.Label1.Caption, "0");
    EXPECT_EQ(f.Label2.Caption, "1");
    EXPECT_EQ(f.List1.ListCount(), 0);
    EXPECT_TRUE(f.Option1.Value);
    EXPECT_FALSE(f.Option2.Value);
    EXPECT_FALSE(f.Option3.Value);
    EXPECT_EQ(f.Timer1.Interval, 1);
    EXPECT_FALSE(f.Timer1.Enabled);
    EXPECT_FALSE(f.Chat1.reading());
}

TEST_F(NonLogWindow, EachOptionSetsItsPointsAndClearsTheOthers) {
    Form7& f = Shown();
    struct Case {
        forms::OptionButton* option;
        const char* points;
    };
    for (auto [option, points] : {Case{&f.Option3, "3"}, {&f.Option2, "2"}, {&f.Option1, "1"}}) {
        option->click();
        EXPECT_EQ(f.Label2.Caption, points);
        for (auto* other : {&f.Option1, &f.Option2, &f.Option3})
            EXPECT_EQ(other->Value, other == option) << other->name();
    }
}

TEST_F(NonLogWindow, ClearScoreEmptiesTheBoardAndPostsNothing) {
    Form7& f = Shown();
    f.List1.AddItem("bob - 3");
    f.List1.AddItem("Alice - 1");
    f.Command2.Click();
    EXPECT_EQ(f.List1.ListCount(), 0);
    f.Command3.Click();  // an empty board is not posted
    RunUntil(3'000'000);
    EXPECT_TRUE(Said().empty());
}

// Each tick reads the clock's text back, so a long run must never pick up a binary remainder
// such as 0.30000000000000004 or 1.0999999999999999.
TEST_F(NonLogWindow, TheClockCountsHundredthsExactlyOverALongRun) {
    Form7& f = Shown();
    struct Case {
        int ticks;
        const char* clock;
    };
    int done = 0;
    for (auto [ticks, clock] : {Case{1, "0.01"},
                                {10, "0.1"},
                                {30, "0.3"},
                                {100, "1"},
                                {110, "1.1"},
                                {101'001, "1010.01"},
                                {1'000'000, "10000"}}) {
        for (; done < ticks; ++done) f.Form7_Timer1_Timer();
        EXPECT_EQ(f.Label1.Caption, clock) << ticks;
    }
}

TEST_F(NonLogWindow, ClosingShowsTheMainWindowAndLeavesNothingReadingOrTicking) {
    Form7& f = Shown();
    f.Text1.Text = "apple";
    f.Command1.Click();
    RunUntil(1'000'000);
    ASSERT_TRUE(f.Timer1.Enabled);
    ASSERT_EQ(f.Label1.Caption, "0.64");
    const std::size_t posted = Said().size();

    // The answer waits as an event when the window closes, and must not be judged afterwards.
    chat().say("bob", "apple");
    ASSERT_TRUE(f.close_box());
    EXPECT_FALSE(f.Visible);
    EXPECT_FALSE(f.Timer1.Enabled);
    EXPECT_FALSE(f.Chat1.reading());
    EXPECT_EQ(forms::App().find("Form7"), nullptr);
    EXPECT_TRUE(forms::App().get("Form4").Visible);
    RunUntil(2'000'000);
    chat().say("bob", "apple");
    RunUntil(3'000'000);
    EXPECT_EQ(Said().size(), posted + 2);  // the two lines of bob, and nothing answered them
    EXPECT_EQ(f.Label1.Caption, "0.64");   // the discarded clock stood still

    Form7& again = Shown();
    ASSERT_NE(&again, &f);
    EXPECT_EQ(again.Text1.Text, "");
    EXPECT_EQ(again.Label1.Caption, "0");
    EXPECT_EQ(again.Label2.Caption, "1");
    EXPECT_EQ(again.List1.ListCount(), 0);
    EXPECT_FALSE(again.Chat1.reading());
}

}  // namespace
