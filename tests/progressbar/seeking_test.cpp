// The seek slider: press, drag and release.

#include <gtest/gtest.h>

#include "tests/progressbar/hosted_bar.h"

namespace {

using orvane_test::HostedBar;
namespace id = orvane::dispid;

class ProgressBarSeeking : public HostedBar {
  protected:
    void SetUp() override {
        HostedBar::SetUp();
        DesignBar(1910, 135);  // seek and slider allowed, MaxValue 100
        Get(id::MaxValue);     // resizing does not redraw; this read sets BarStep 18
    }

    void Click(float x) {
        bar.MouseDown(1, 0, x, 50);
        bar.MouseUp(1, 0, x, 50);
    }
};

TEST_F(ProgressBarSeeking, AReleasePicksTheValueUnderThePointer) {
    struct Case {
        float x;
        std::int16_t value;
    };
    // W - 105 is 1805; X / 18 - 1.5 rounds half to even.
    const Case cases[] = {{0, 0},    {-30, 0},   {10, 0},     {18, 0},    {900, 48},
                          {927, 50}, {1805, 99}, {1806, 100}, {1910, 100}};
    for (const auto& [x, value] : cases) {
        Set(id::Value, 30);
        changes.clear();
        progress_updates.clear();
        Click(x);
        EXPECT_EQ(progress_updates, std::vector<std::int16_t>{value}) << x;
        EXPECT_EQ(changes, std::vector<std::string>{"Value"}) << x;
        EXPECT_FALSE(Slider().visible);
        EXPECT_TRUE(Bar().visible) << "shown also at 0, x " << x;
        EXPECT_EQ(Get(id::Value), value) << x;
    }
}

TEST_F(ProgressBarSeeking, PressShowsTheSliderAndDraggingSnapsItLeft) {
    bar.MouseDown(1, 0, 20, 50);  // 20 - 45 is below 0
    EXPECT_TRUE(Slider().visible);
    EXPECT_EQ(Slider().left, 0);
    EXPECT_TRUE(progress_updates.empty());
    EXPECT_EQ(Get(id::Value), 0);

    struct Case {
        float x;
        float left;
    };
    for (auto [x, left] : {Case{500, 455}, Case{90, 45}, Case{89, 15}, Case{20, 15}, Case{-100, 15},
                           Case{1900, 1820}}) {
        bar.MouseMove(1, 0, x, 50);
        EXPECT_EQ(Slider().left, left) << x;
    }
    bar.MouseDown(1, 0, 1900, 50);
    EXPECT_EQ(Slider().left, 1820);
    EXPECT_TRUE(progress_updates.empty());
}

TEST_F(ProgressBarSeeking, WithoutSeekingNothingReactsToTheMouse) {
    Set(id::AllowSeek, false);
    Set(id::Value, 30);
    changes.clear();
    bar.MouseDown(1, 0, 900, 50);
    bar.MouseMove(1, 0, 500, 50);
    bar.MouseUp(1, 0, 500, 50);
    EXPECT_FALSE(Slider().visible);
    EXPECT_EQ(Slider().left, 4485);
    EXPECT_TRUE(progress_updates.empty());
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(Get(id::Value), 30);
}

TEST_F(ProgressBarSeeking, WithoutTheSliderAClickStillSeeks) {
    Set(id::AllowSlider, false);
    bar.MouseDown(1, 0, 900, 50);
    EXPECT_FALSE(Slider().visible);
    bar.MouseMove(1, 0, 500, 50);
    EXPECT_EQ(Slider().left, 4485);
    bar.MouseUp(1, 0, 900, 50);
    EXPECT_EQ(progress_updates, std::vector<std::int16_t>{48});
}

TEST_F(ProgressBarSeeking, AHandlerWritingNewValueChangesTheStoredValueUnchecked) {
    assign_in_handler = 500;
    Click(900);
    changes.clear();
    EXPECT_EQ(Get(id::Value), 500);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(Bar().width, 48 * 18);  // no redraw after the handler
}

TEST_F(ProgressBarSeeking, AReleaseWithoutAMaximumOnlyHidesTheSlider) {
    com::MemoryPropertyBag zero_max{{"MaxValue", 0}};
    bar.ReadProperties(zero_max);
    bar.MouseDown(1, 0, 900, 50);
    EXPECT_TRUE(Slider().visible);
    bar.MouseUp(1, 0, 900, 50);
    EXPECT_FALSE(Slider().visible);
    EXPECT_TRUE(progress_updates.empty());
    bar.MouseMove(1, 0, 500, 50);  // the drag ended with the release
    EXPECT_EQ(Slider().left, 855);
}

TEST_F(ProgressBarSeeking, AReleaseUsesTheBarStepOfTheLastRedraw) {
    ASSERT_EQ(bar.Resize(3910, 135), com::Status::Ok);  // BarStep stays 18 until a redraw
    Click(900);
    EXPECT_EQ(progress_updates, std::vector<std::int16_t>{48});
    Get(id::Value);  // now 3783 / 100, so 38
    Click(900);
    EXPECT_EQ(progress_updates, (std::vector<std::int16_t>{48, 22}));
}

TEST_F(ProgressBarSeeking, AZeroBarStepSeeksToTheMaximum) {
    DesignBar(200, 135);
    Set(id::MaxValue, 200);  // 73 / 200 rounds to 0
    Click(50);
    EXPECT_EQ(progress_updates, std::vector<std::int16_t>{200});
}

}  // namespace
