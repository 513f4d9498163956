// The bar's width, the shapes' sizes and their redrawing.

#include <gtest/gtest.h>

#include "tests/progressbar/hosted_bar.h"

namespace {

using orvane_test::HostedBar;
namespace id = orvane::dispid;

using ProgressBarDrawing = HostedBar;

TEST_F(ProgressBarDrawing, FitsTheShapesToTheControl) {
    DesignBar(1910, 135);
    EXPECT_EQ(Track().width, 1888);
    EXPECT_EQ(Track().height, 113);
    EXPECT_EQ(Bar().height, 20);
    EXPECT_EQ(Slider().height, 135);
    EXPECT_EQ(Slider().width, 90);
    // Left and top never move.
    EXPECT_EQ(Track().left, 15);
    EXPECT_EQ(Track().top, 15);
    EXPECT_EQ(Bar().left, 60);
    EXPECT_EQ(Bar().top, 60);
}

TEST_F(ProgressBarDrawing, DrawsValueTimesBarStep) {
    DesignBar(1910, 135);  // BarStep: 1783 / 100 = 17.83, so 18
    struct Case {
        std::int32_t value;
        float width;
        bool visible;
    };
    for (auto [value, width, visible] :
         {Case{1, 18, true}, Case{50, 900, true}, Case{99, 1782, true}, Case{100, 1783, true},
          Case{0, 0, false}}) {
        Set(id::Value, value);
        EXPECT_EQ(Bar().width, width) << value;
        EXPECT_EQ(Bar().visible, visible) << value;
    }
}

TEST_F(ProgressBarDrawing, RoundsTheBarStepHalfToEven) {
    DesignBar(1377, 135);  // a track of 1355: 1250 / 500 = 2.5, so 2
    Set(id::MaxValue, 500);
    Set(id::Value, 3);
    EXPECT_EQ(Bar().width, 6);
    DesignBar(1427, 135);  // 1300 / 500 = 2.6, so 3
    Set(id::MaxValue, 500);
    Set(id::Value, 3);
    EXPECT_EQ(Bar().width, 9);
}

TEST_F(ProgressBarDrawing, AValueAboveTheMaximumLeavesTheBarAsLastDrawn) {
    DesignBar();
    Set(id::Value, 50);
    Set(id::MaxValue, 20);
    EXPECT_EQ(Bar().width, 900);
    EXPECT_TRUE(Bar().visible);
}

TEST_F(ProgressBarDrawing, ResizingWaitsForTheNextValueToRedraw) {
    DesignBar(1910, 135);
    Set(id::Value, 50);
    ASSERT_EQ(bar.Resize(3910, 135), com::Status::Ok);  // BarStep 3783 / 100, so 38
    EXPECT_EQ(Bar().width, 900);
    Set(id::Value, -1);  // refused, but redrawn all the same
    EXPECT_EQ(Bar().width, 1900);
    ASSERT_EQ(bar.Resize(1910, 135), com::Status::Ok);
    Get(id::MaxValue);  // reads redraw too
    EXPECT_EQ(Bar().width, 900);
}

TEST_F(ProgressBarDrawing, AMaximumBelowOneLeavesTheBarAlone) {
    // A bag may hold MaxValue 0; the bar keeps what it showed.
    DesignBar();
    Set(id::Value, 50);
    com::MemoryPropertyBag zero_max{{"MaxValue", 0}, {"Value", 3}};
    bar.ReadProperties(zero_max);
    EXPECT_EQ(Bar().width, 900);
    EXPECT_TRUE(Bar().visible);
}

TEST_F(ProgressBarDrawing, GivesTooSmallControlsEmptyShapesRatherThanNegativeOnes) {
    struct Case {
        float width, height;
        float control_width, control_height, track_width, track_height, bar_height;
    };
    for (const Case& c : {Case{1910, 50, 1910, 50, 1888, 28, 0}, Case{10, 135, 10, 135, 0, 113, 20},
                          Case{1910, 0, 1910, 1, 1888, 0, 0}, Case{-5, -5, 1, 1, 0, 0, 0}}) {
        ASSERT_EQ(bar.Resize(c.width, c.height), com::Status::Ok);
        const com::Surface surface = bar.Shapes();
        EXPECT_EQ(surface.width, c.control_width);
        EXPECT_EQ(surface.height, c.control_height);
        EXPECT_EQ(Track().width, c.track_width);
        EXPECT_EQ(Track().height, c.track_height);
        EXPECT_EQ(Bar().height, c.bar_height);
    }
}

}  // namespace
