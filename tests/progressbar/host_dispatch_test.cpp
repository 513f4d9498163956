// A host drives a bar through dispatch ids alone, with the kinds of values a window passes.

#include <gtest/gtest.h>

#include "tests/progressbar/hosted_bar.h"

namespace {

using orvane_test::HostedBar;
namespace id = orvane::dispid;

using ProgressBarHost = HostedBar;

TEST_F(ProgressBarHost, ConvertsIntegersRealsAndTexts) {
    DesignBar();
    struct Case {
        com::Variant value;
        std::int32_t stored;
        float bar_width;
    };
    const Case cases[] = {{20, 20, 360},       {3.7, 4, 72},       {2.5, 2, 36},  {"12", 12, 216},
                          {" 7 left", 7, 126}, {"100", 100, 1783}, {"none", 0, 0}};
    for (const Case& c : cases) {
        Set(id::Value, c.value);
        com::Variant read;
        ASSERT_EQ(bar.GetProperty(id::Value, read), com::Status::Ok);
        EXPECT_EQ(read, com::Variant(c.stored));
        EXPECT_EQ(Bar().width, c.bar_width) << c.stored;
    }
    Set(id::MaxValue, "15");
    EXPECT_EQ(Get(id::MaxValue), 15);
}

TEST_F(ProgressBarHost, ReportsCallsTheBarCannotTake) {
    DesignBar();
    Set(id::Value, 9);
    com::Variant result;
    EXPECT_EQ(bar.SetProperty(id::Value, 40000), com::Status::Overflow);
    EXPECT_EQ(bar.SetProperty(id::Value, "1e9"), com::Status::Overflow);
    EXPECT_EQ(bar.SetProperty(0x68030010, 1), com::Status::UnknownMember);
    EXPECT_EQ(bar.GetProperty(id::ProgressUpdate, result), com::Status::UnknownMember);
    EXPECT_TRUE(result.is_empty());
    EXPECT_EQ(Get(id::Value), 9);
}

TEST_F(ProgressBarHost, FindsDispatchIdsInTheTypeInformation) {
    const com::TypeLibraryInfo* types = bar.type_info();
    ASSERT_NE(types, nullptr);
    const com::PropertyInfo* max_value = com::FindProperty(*types, "MaxValue");
    ASSERT_NE(max_value, nullptr);
    DesignBar();
    Set(max_value->id, 15);
    EXPECT_EQ(Get(id::MaxValue), 15);
}

TEST_F(ProgressBarHost, TwoBarsKeepTheirOwnState) {
    com::ControlHost second;
    ASSERT_TRUE(second.Create(orvane::kProgId, com::Registry::InFolder(orvane_test::kBinFolder)));
    DesignBar();
    com::MemoryPropertyBag empty;
    second.ReadProperties(empty);
    second.SetProperty(id::MaxValue, 15);
    Set(id::Value, 40);
    com::Variant value;
    second.GetProperty(id::Value, value);
    EXPECT_EQ(value, com::Variant(0));
    EXPECT_EQ(Get(id::MaxValue), 100);
}

}  // namespace
