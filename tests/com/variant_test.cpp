#include "platform/com/variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/com/memory_property_bag.h"

namespace {

using com::Status;
using com::Variant;

TEST(ComVariant, ConvertsToInt16LikeTheDispatchLayer) {
    struct Case {
        Variant in;
        Status status;
        std::int16_t out;
    };
    const Case cases[] = {
        {Variant(), Status::Ok, 0},
        {Variant(true), Status::Ok, -1},
        {Variant(false), Status::Ok, 0},
        {Variant(20), Status::Ok, 20},
        {Variant(3.7), Status::Ok, 4},
        {Variant(2.5), Status::Ok, 2},
        {Variant(3.5), Status::Ok, 4},
        {Variant(-2.5), Status::Ok, -2},
        {Variant("20"), Status::Ok, 20},
        {Variant("  7 apples"), Status::Ok, 7},
        {Variant("3.7"), Status::Ok, 4},
        {Variant("-12e1x"), Status::Ok, -120},
        {Variant("apples"), Status::Ok, 0},
        {Variant(""), Status::Ok, 0},
        {Variant(32767.4), Status::Ok, 32767},
        {Variant(-32768.5), Status::Ok, -32768},
        {Variant(32767.5), Status::Overflow, 99},
        {Variant(40000), Status::Overflow, 99},
        {Variant("1e10"), Status::Overflow, 99},
        {Variant(std::nan("")), Status::Overflow, 99},
        {Variant(std::numeric_limits<double>::infinity()), Status::Overflow, 99},
    };
    for (const Case& c : cases) {
        std::int16_t out = 99;
        EXPECT_EQ(com::ToInt16(c.in, out), c.status) << ::testing::PrintToString(c.out);
        EXPECT_EQ(out, c.out);
    }
}

TEST(ComVariant, ConvertsToInt32AndBool) {
    std::int32_t colour = 0;
    EXPECT_EQ(com::ToInt32(Variant("16777215"), colour), Status::Ok);
    EXPECT_EQ(colour, 0xFFFFFF);
    EXPECT_EQ(com::ToInt32(Variant(40000), colour), Status::Ok);
    EXPECT_EQ(colour, 40000);
    EXPECT_EQ(com::ToInt32(Variant(3e9), colour), Status::Overflow);
    EXPECT_EQ(colour, 40000);

    struct Case {
        Variant in;
        bool out;
    };
    for (const auto& [in, out] :
         {Case{Variant(), false}, Case{Variant(0), false}, Case{Variant(-1), true},
          Case{Variant(0.4), true}, Case{Variant("True"), true}, Case{Variant(" false "), false},
          Case{Variant("0"), false}, Case{Variant("2"), true}}) {
        bool converted = !out;
        EXPECT_EQ(com::ToBool(in, converted), Status::Ok);
        EXPECT_EQ(converted, out);
    }
}

TEST(ComVariant, ByReferenceArgumentReadsAndWritesItsTarget) {
    std::int16_t field = 12;
    Variant reference = Variant::ReferTo(field);
    std::int16_t read = 0;
    EXPECT_EQ(com::ToInt16(reference, read), Status::Ok);
    EXPECT_EQ(read, 12);
    *reference.int16_ref() = 40;
    EXPECT_EQ(field, 40);
}

TEST(ComVariant, SameValueComparesNumbersAcrossKinds) {
    EXPECT_TRUE(com::SameValue(Variant(0), Variant(0.0)));
    EXPECT_TRUE(com::SameValue(Variant(true), Variant(-1)));
    EXPECT_FALSE(com::SameValue(Variant("0"), Variant(0)));
    EXPECT_FALSE(com::SameValue(Variant(), Variant(0)));
    EXPECT_TRUE(com::SameValue(Variant("a"), Variant("a")));
}

TEST(ComMemoryPropertyBag, LeavesOutDefaultsAndKeepsFirstOrder) {
    com::MemoryPropertyBag bag;
    bag.Write("B", 5, 0);
    bag.Write("A", 0, 0);
    bag.Write("C", true, true);
    bag.Write("D", "x", "");
    ASSERT_EQ(bag.entries().size(), 2u);
    EXPECT_EQ(bag.entries()[0].first, "B");
    EXPECT_EQ(bag.entries()[1].first, "D");

    bag.Write("B", 0, 0);  // back to its default: the key goes
    EXPECT_FALSE(bag.contains("B"));
    EXPECT_EQ(bag.Read("B", 7), Variant(7));
    EXPECT_EQ(bag.Read("D", ""), Variant("x"));
}

}  // namespace
