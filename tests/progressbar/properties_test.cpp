// Property write and read rules, reached only through dispatch ids.

#include <gtest/gtest.h>

#include "tests/progressbar/hosted_bar.h"

namespace {

using orvane_test::HostedBar;
namespace id = orvane::dispid;

using ProgressBarProperties = HostedBar;

TEST_F(ProgressBarProperties, EveryWriteNotifiesUnderItsName) {
    struct Case {
        com::DispId property;
        com::Variant value;
        const char* changed;
    };
    const Case cases[] = {
        {id::AllowSeek, true, "AllowSeek"},
        {id::AllowSlider, true, "AllowSlider"},
        {id::BarBorderColour, 0x123456, "BarBorderColour"},
        {id::BarColour, 0x123456, "BarColour"},
        {id::BorderColour, 0x123456, "BorderColour"},
        {id::FillColour, 0x123456, "FillColour"},
        {id::MaxValue, 30, "MaxValue"},
        {id::SliderBackstyle, 1, "SliderBackStyle"},
        {id::SliderFillColour, 0x123456, "SliderFillColour"},
        {id::SliderBorderColour, 0x123456, "SliderBorderColour"},
        {id::Value, 20, "Value"},
    };
    for (const Case& c : cases) {
        changes.clear();
        Set(c.property, c.value);
        EXPECT_EQ(changes, std::vector<std::string>{c.changed});
        std::int32_t expected = 0;
        ASSERT_EQ(com::ToInt32(c.value, expected), com::Status::Ok);
        EXPECT_EQ(Get(c.property), expected) << c.changed;
    }
}

TEST_F(ProgressBarProperties, RefusesMaximaBelowOneAndValuesOutOfRangeQuietly) {
    DesignBar();
    Set(id::MaxValue, 40);
    Set(id::Value, 10);
    changes.clear();
    for (const std::int32_t refused : {0, -5}) Set(id::MaxValue, refused);
    for (const std::int32_t refused : {-1, 41}) Set(id::Value, refused);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(Get(id::MaxValue), 40);
    EXPECT_EQ(Get(id::Value), 10);
    Set(id::Value, 40);  // MaxValue itself is in range
    EXPECT_EQ(Get(id::Value), 40);
}

TEST_F(ProgressBarProperties, LoweringTheMaximumKeepsAValueAboveIt) {
    DesignBar();
    Set(id::Value, 50);
    Set(id::MaxValue, 20);
    EXPECT_EQ(Get(id::Value), 50);
    EXPECT_EQ(Get(id::MaxValue), 20);
}

TEST_F(ProgressBarProperties, SliderBackstyleOtherThanZeroOrOneStoresOne) {
    struct Case {
        std::int32_t in;
        std::int32_t stored;
    };
    for (auto [in, stored] : {Case{2, 1}, Case{-1, 1}, Case{0, 0}, Case{1, 1}, Case{300, 1}}) {
        Set(id::SliderBackstyle, in);
        EXPECT_EQ(Get(id::SliderBackstyle), stored) << in;
        EXPECT_EQ(Slider().back_style, stored) << in;
    }
}

TEST_F(ProgressBarProperties, AFreshControlShowsDefaultColoursFromItsSecondRead) {
    // No bag read: every field starts at 0, and the first colour read applies the defaults.
    EXPECT_EQ(Get(id::FillColour), 0);
    EXPECT_EQ(Get(id::FillColour), 0x4D1300);
    EXPECT_EQ(Get(id::BorderColour), 0xE27272);
    EXPECT_EQ(Get(id::BarColour), 0xE27272);
    EXPECT_EQ(Get(id::BarBorderColour), 0xE27272);
    EXPECT_EQ(Track().fill_colour, 0x4D1300);
    EXPECT_EQ(Get(id::MaxValue), 0);
    EXPECT_EQ(Get(id::AllowSeek), 0);
}

TEST_F(ProgressBarProperties, ThreeZeroColoursAndOneOtherAreKept) {
    Set(id::BarColour, 0xFFFFFF);
    Set(id::FillColour, 0);
    EXPECT_EQ(Get(id::FillColour), 0);
    EXPECT_EQ(Get(id::BorderColour), 0);
    EXPECT_EQ(Get(id::BarColour), 0xFFFFFF);
    EXPECT_EQ(Bar().fill_colour, 0xFFFFFF);
    EXPECT_EQ(Track().border_colour, 0);
}

TEST_F(ProgressBarProperties, ColoursReachTheirShapes) {
    DesignBar();
    Set(id::FillColour, 0x010101);
    Set(id::BorderColour, 0x020202);
    Set(id::BarColour, 0x030303);
    Set(id::BarBorderColour, 0x040404);
    Set(id::SliderBorderColour, 0x050505);
    Set(id::SliderFillColour, 0x060606);
    EXPECT_EQ(Track().fill_colour, 0x010101);
    EXPECT_EQ(Track().border_colour, 0x020202);
    EXPECT_EQ(Bar().fill_colour, 0x030303);
    EXPECT_EQ(Bar().border_colour, 0x040404);
    EXPECT_EQ(Slider().border_colour, 0x050505);
    EXPECT_EQ(Slider().fill_colour, 0x060606);
}

}  // namespace
