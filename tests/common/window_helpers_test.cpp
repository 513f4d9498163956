// The helpers every window calls while it loads.

#include "common/window_helpers.h"

#include <gtest/gtest.h>

#include "platform/desktop/desktop.h"
#include "platform/forms/application.h"
#include "platform/forms/form.h"

namespace {

class WindowHelpers : public ::testing::Test {
  protected:
    void SetUp() override {
        desktop::Desktop::instance().reset();
        forms::App().reset();
    }
    void TearDown() override { forms::App().reset(); }
};

TEST_F(WindowHelpers, StayOnTopKeepsPlaceAndSize) {
    forms::Form form("Form1");
    form.Left = 100;
    form.Top = 200;
    form.Width = 3000;
    form.Height = 2000;
    ASSERT_FALSE(form.topmost());
    StayOnTop(form);
    EXPECT_TRUE(form.topmost());
    EXPECT_EQ(form.Left, 100);
    EXPECT_EQ(form.Top, 200);
    EXPECT_EQ(form.Width, 3000);
    EXPECT_EQ(form.Height, 2000);
}

TEST_F(WindowHelpers, CenterFormCentresOnTheScreenInTwips) {
    struct Case {
        int width, height, left, top;
    };
    // The screen is 15360 x 11520 twips; half twips round to even.
    for (auto [width, height, left, top] :
         {Case{2550, 4425, 6405, 3548}, Case{6525, 1500, 4418, 5010}, Case{15360, 11520, 0, 0},
          Case{20000, 12525, -2320, -502}}) {
        forms::Form form("Form1");
        form.Width = width;
        form.Height = height;
        CenterForm(form);
        EXPECT_EQ(form.Left, left) << width;
        EXPECT_EQ(form.Top, top) << height;
    }
}

TEST_F(WindowHelpers, DisableCloseButtonRemovesCloseAndPutsItBack) {
    forms::Form form("Form1");
    const auto standard = desktop::SystemMenuItems(form.hWnd());
    ASSERT_TRUE(form.has_close_box());
    DisableCloseButton(form, true);
    EXPECT_FALSE(form.has_close_box());
    EXPECT_FALSE(form.close_box());
    auto shortened = standard;
    shortened.resize(standard.size() - 2);  // Close and the separator above it
    EXPECT_EQ(desktop::SystemMenuItems(form.hWnd()), shortened);
    DisableCloseButton(form, false);
    EXPECT_TRUE(form.has_close_box());
    EXPECT_EQ(desktop::SystemMenuItems(form.hWnd()), standard);
}

}  // namespace
