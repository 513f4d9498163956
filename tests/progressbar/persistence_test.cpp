// Reading and writing the property bag.

#include <gtest/gtest.h>

#include "platform/com/memory_property_bag.h"
#include "tests/progressbar/hosted_bar.h"

namespace {

using orvane_test::HostedBar;
namespace id = orvane::dispid;

using ProgressBarPersistence = HostedBar;

TEST_F(ProgressBarPersistence, ABagWithNoKeysGivesTheDefaults) {
    com::MemoryPropertyBag empty;
    ASSERT_EQ(bar.ReadProperties(empty), com::Status::Ok);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(Track().fill_colour, 0x4D1300);
    EXPECT_EQ(Track().border_colour, 0xE27272);
    EXPECT_EQ(Bar().fill_colour, 0xE27272);
    EXPECT_EQ(Bar().border_colour, 0xE27272);
    EXPECT_EQ(Slider().border_colour, 0x4D1300);
    EXPECT_EQ(Slider().fill_colour, 0xFFFFFF);
    EXPECT_EQ(Slider().back_style, 0);
    EXPECT_EQ(Get(id::MaxValue), 100);
    EXPECT_EQ(Get(id::Value), 0);
    EXPECT_EQ(Get(id::AllowSeek), -1);
    EXPECT_EQ(Get(id::AllowSlider), -1);
    EXPECT_FALSE(Bar().visible);
}

TEST_F(ProgressBarPersistence, FourZeroMainColoursComeBackAsDefaults) {
    com::MemoryPropertyBag zeros{
        {"FillColour", 0}, {"BorderColour", 0}, {"BarColour", 0}, {"BarBorderColour", 0}};
    bar.ReadProperties(zeros);
    EXPECT_EQ(Get(id::FillColour), 0x4D1300);
    EXPECT_EQ(Get(id::BorderColour), 0xE27272);
    EXPECT_EQ(Get(id::BarColour), 0xE27272);
    EXPECT_EQ(Get(id::BarBorderColour), 0xE27272);
}

TEST_F(ProgressBarPersistence, ReadingStoresWhatTheWriteRulesWouldRefuse) {
    com::MemoryPropertyBag design{{"MaxValue", 0}, {"Value", 7}, {"SliderBackStyle", 5}};
    bar.ReadProperties(design);
    EXPECT_EQ(Get(id::MaxValue), 0);
    EXPECT_EQ(Get(id::Value), 7);
    EXPECT_EQ(Get(id::SliderBackstyle), 5);
    EXPECT_EQ(Slider().back_style, 1);
}

TEST_F(ProgressBarPersistence, TheMainWindowsDesignIsKept) {
    com::MemoryPropertyBag design{{"FillColour", 0},         {"BorderColour", 0},
                                  {"BarColour", 0xFFFFFF},   {"BarBorderColour", 0xFFFFFF},
                                  {"SliderBorderColour", 0}, {"SliderFillColour", 0},
                                  {"AllowSlider", false},    {"AllowSeek", false},
                                  {"MaxValue", 15}};
    bar.ReadProperties(design);
    EXPECT_EQ(Track().fill_colour, 0);
    EXPECT_EQ(Track().border_colour, 0);
    EXPECT_EQ(Bar().fill_colour, 0xFFFFFF);
    EXPECT_EQ(Get(id::MaxValue), 15);
    EXPECT_EQ(Get(id::AllowSeek), 0);
    EXPECT_EQ(Get(id::AllowSlider), 0);
}

TEST_F(ProgressBarPersistence, WritingLeavesOutDefaultsAndKeepsTheKeyOrder) {
    com::MemoryPropertyBag empty;
    bar.ReadProperties(empty);
    com::MemoryPropertyBag saved;
    bar.WriteProperties(saved);
    EXPECT_TRUE(saved.entries().empty());

    Set(id::SliderFillColour, 1);
    Set(id::SliderBorderColour, 2);
    Set(id::AllowSeek, false);
    Set(id::AllowSlider, false);
    Set(id::SliderBackstyle, 1);
    Set(id::MaxValue, 50);
    Set(id::Value, 3);
    Set(id::BarBorderColour, 4);
    Set(id::BarColour, 5);
    Set(id::BorderColour, 6);
    Set(id::FillColour, 7);
    bar.WriteProperties(saved);

    const std::vector<std::string> order = {"FillColour",         "BorderColour",    "BarColour",
                                            "BarBorderColour",    "MaxValue",        "Value",
                                            "SliderBackStyle",    "AllowSlider",     "AllowSeek",
                                            "SliderBorderColour", "SliderFillColour"};
    std::vector<std::string> keys;
    for (const auto& entry : saved.entries()) keys.push_back(entry.first);
    EXPECT_EQ(keys, order);

    // What was written reads back into a second control unchanged.
    com::ControlHost copy;
    ASSERT_TRUE(copy.Create(orvane::kProgId, com::Registry::InFolder(orvane_test::kBinFolder)));
    copy.ReadProperties(saved);
    com::MemoryPropertyBag again;
    copy.WriteProperties(again);
    EXPECT_EQ(again.entries(), saved.entries());
}

}  // namespace
