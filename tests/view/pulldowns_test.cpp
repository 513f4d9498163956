// A menu's loop runs on a stack of its own beside the program: what is thrown on that side is
// carried back and thrown again on the program's side, from the call that was running the
// menu, and the menu is gone. Runs on the view's display (see ViewDisplay).
#include <gtest/gtest.h>

#include "tests/support/run_helpers.h"
#include "tests/support/toolkit_display.h"
#include "tests/support/virtual_display.h"

#ifdef TAVREL_HAS_VIEW

#include <FL/Fl.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Window.H>

#include <stdexcept>

#include "app/view/pulldowns.h"

namespace {

class Pulldowns : public testing::Test {
  protected:
    void SetUp() override {
        if (!test_support::OpenToolkitDisplay()) TAVREL_CANNOT_SEE("no display could start");
        m_window.show();
    }

    Fl_Window m_window{200, 100};
    Fl_Menu_Bar m_bar{0, 0, 200, 25};
};

TEST_F(Pulldowns, WhatIsThrownOnTheMenusSideIsThrownAgainOnTheProgramsSide) {
    view::Pulldowns pulldowns;
    struct Case {
        const char* what;
        int waits;  // turns the menu's side waits for events before it throws
    };
    for (auto [what, waits] : {Case{"at once", 0}, {"after it has waited", 3}}) {
        SCOPED_TRACE(what);
        bool closed = false;
        auto pull = [waits = waits] {
            for (int i = 0; i < waits; ++i) Fl::wait(0.01);
            throw std::runtime_error("thrown on the menu's side");
        };
        try {
            ASSERT_TRUE(pulldowns.run(m_bar, pull, [&] { closed = true; }));
            for (int turn = 0; turn < 100 && pulldowns.open_bar(); ++turn) pulldowns.wait(0.01);
            ADD_FAILURE() << "nothing was thrown";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "thrown on the menu's side");
        }
        EXPECT_EQ(pulldowns.open_bar(), nullptr);
        EXPECT_FALSE(closed);
        EXPECT_EQ(Fl::grab(), nullptr);
    }
    // The next menu runs as usual.
    bool closed = false;
    ASSERT_TRUE(pulldowns.run(
        m_bar, [] {}, [&] { closed = true; }));
    EXPECT_TRUE(closed);
}

}  // namespace

#endif  // TAVREL_HAS_VIEW
