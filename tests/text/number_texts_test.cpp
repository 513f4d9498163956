#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "platform/text/text.h"

namespace {

TEST(TextDecimal, WritesTheShortestTextOf15Digits) {
    struct Case {
        double in;
        const char* out;
    };
    for (auto [in, out] : {Case{1, "1"},
                           {1.01, "1.01"},
                           {1.1, "1.1"},
                           {100.0 * 7 / 21, "33.3333333333333"},
                           {7.0 / 21 * 100, "33.3333333333333"},
                           {1.0 / 8 * 100, "12.5"},
                           {12.5, "12.5"},
                           {0.01 + 0.02, "0.03"},
                           {0.1 + 0.2, "0.3"},
                           {1.08 + 0.01, "1.09"},
                           {-2, "-2"},
                           {0, "0"},
                           {-0.0, "0"},
                           {1234567, "1234567"},
                           {2.0 / 3, "0.666666666666667"},
                           {123456789012345, "123456789012345"},
                           {999999999999999.9, "1E+15"},
                           {1e15, "1E+15"},
                           {1e16, "1E+16"},
                           {1234567890123456, "1.23456789012346E+15"},
                           {1e100, "1E+100"},
                           {1e-15, "0.000000000000001"},
                           {1.5e-16, "1.5E-16"},
                           {-2.5e-20, "-2.5E-20"}})
        EXPECT_EQ(text::Decimal(in), out) << in;
    EXPECT_EQ(text::Decimal(std::nan("")), "NaN");
    EXPECT_EQ(text::Decimal(-std::numeric_limits<double>::infinity()), "-Infinity");
}

// A counter stored as text is read back and written again: every finite value's text must read
// back as a finite number whose text is the same, and the largest doubles as themselves, where
// 15 digits would have rounded them past the largest one.
TEST(TextDecimal, EveryFiniteTextReadsBackAsTheSameFiniteNumber) {
    constexpr double kMax = std::numeric_limits<double>::max();
    struct Case {
        double in;
        const char* out;
        bool exact;  // reads back as this very double, not only as the same text
    };
    for (auto [in, out, exact] :
         {Case{kMax, "1.7976931348623157E+308", true},
          {-kMax, "-1.7976931348623157E+308", true},
          {std::nextafter(kMax, 0.0), "1.7976931348623155E+308", true},
          {1.7976931348623149e308, "1.79769313486231E+308", false},  // the largest that 15 fit
          {1e308, "1E+308", true},
          {std::numeric_limits<double>::min(), "2.2250738585072E-308", false},
          {123456789, "123456789", true},
          {1e15, "1E+15", true}}) {
        SCOPED_TRACE(out);
        const std::string written = text::Decimal(in);
        EXPECT_EQ(written, out);
        const std::optional<double> back = text::ToNumber(written);
        ASSERT_TRUE(back.has_value());
        EXPECT_TRUE(std::isfinite(*back));
        EXPECT_EQ(text::Decimal(*back), written);
        EXPECT_EQ(text::Val(written), *back);
        EXPECT_EQ(*back == in, exact);
    }
    // One more on the largest count stays the largest count.
    EXPECT_EQ(text::Decimal(*text::ToNumber(text::Decimal(kMax)) + 1), "1.7976931348623157E+308");
}

// The word clock adds 0.01 to its own text at every tick; each text must be the exact hundredth.
TEST(TextDecimal, ClockTextsRunThroughExactHundredths) {
    std::string clock = "1";
    for (int hundredths = 101; hundredths <= 3000; ++hundredths) {
        clock = text::Decimal(text::Val(clock) + 0.01);
        std::string expected = std::to_string(hundredths / 100);
        if (hundredths % 100 != 0) {
            std::string decimals =
                (hundredths % 100 < 10 ? "0" : "") + std::to_string(hundredths % 100);
            expected += "." + decimals.substr(0, decimals.find_last_not_of('0') + 1);
        }
        ASSERT_EQ(clock, expected);
    }
}

TEST(TextThousands, GroupsTheWholeNumber) {
    struct Case {
        double in;
        const char* out;
    };
    for (auto [in, out] : {Case{1234, "1,234"},
                           {20000, "20,000"},
                           {5, "5"},
                           {-1234, "-1,234"},
                           {0, ""},
                           {0.4, ""},
                           {-0.4, ""},
                           {999, "999"},
                           {1000, "1,000"},
                           {1234567, "1,234,567"},
                           {2.5, "2"},
                           {1234.5, "1,234"},
                           {1e18, "1,000,000,000,000,000,000"}})
        EXPECT_EQ(text::ThousandsWhole(in), out) << in;
}

TEST(TextThousands, FormatsNumericTextsOnly) {
    struct Case {
        const char* in;
        const char* out;
    };
    for (auto [in, out] : {Case{"1234", "1,234"},
                           {"0", ""},
                           {"abc", "abc"},
                           {"", ""},
                           {"1,234", "1,234"},
                           {" 20000 ", "20,000"},
                           {"12abc", "12abc"},
                           {"5", "5"}})
        EXPECT_EQ(text::FormatThousandsText(in), out) << in;
}

TEST(TextTwoDecimals, RoundsTheBinaryValueHalvesAwayFromZero) {
    struct Case {
        double in;
        const char* out;
    };
    for (auto [in, out] : {Case{0, "0.00"},
                           {33.3333, "33.33"},
                           {2, "2.00"},
                           {12.497, "12.50"},
                           {1234.5, "1234.50"},
                           {0.125, "0.13"},
                           {-0.125, "-0.13"},
                           {1.875, "1.88"},
                           {-2.625, "-2.63"},
                           {0.375, "0.38"},
                           {2.675, "2.67"},
                           {0.005, "0.01"},
                           {9.995, "9.99"},
                           {-0.001, "0.00"},
                           {-3.456, "-3.46"},
                           {1e20, "100000000000000000000.00"}})
        EXPECT_EQ(text::TwoDecimals(in), out) << in;
}

// Typing speed and average times round twice: to two decimals, then the text to a whole number.
TEST(TextTwoDecimals, FeedsTheSecondRounding) {
    struct Case {
        double in;
        int out;
    };
    for (auto [in, out] :
         {Case{12.497, 12}, {12.5, 12}, {13.5, 14}, {3.45, 3}, {2.496, 2}, {3.496, 4}})
        EXPECT_EQ(text::RoundHalfEven16(text::Val(text::TwoDecimals(in))), out) << in;
}

}  // namespace
