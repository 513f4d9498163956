#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "platform/text/text.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(TextVal, ReadsTheNumberAtTheStart) {
    struct Case {
        const char* in;
        double out;
    };
    for (auto [in, out] : {Case{"12abc", 12},  {"  3.7x", 3.7},
                           {"abc", 0},         {".5", 0.5},
                           {"-2", -2},         {"1e3", 1000},
                           {"1e", 1},          {"1e+", 1},
                           {"1e+2", 100},      {"2E-1x", 0.2},
                           {"\t 7", 7},        {"+4", 4},
                           {"1,234", 1},       {"1.5.3", 1.5},
                           {"3 4", 3},         {"1.", 1},
                           {"00012", 12},      {"-", 0},
                           {".", 0},           {"", 0},
                           {"- 3", 0},         {"\n5", 0},
                           {"1e999", kInf},    {"-1e999", -kInf},
                           {"1e-999", 0},      {"0.000001e-400", 0},
                           {"12345e-99999", 0}})
        EXPECT_EQ(text::Val(in), out) << in;
}

TEST(TextToNumber, TakesOnlyAWholeNumber) {
    struct Case {
        const char* in;
        std::optional<double> out;
    };
    for (auto [in, out] : {Case{"1234", 1234},
                           {" 1,234 ", 1234},
                           {"1,234.5", 1234.5},
                           {"1,2", 12},
                           {"20,000", 20000},
                           {"-5", -5},
                           {"+.5", 0.5},
                           {"1e3", 1000},
                           {"\t8\t", 8},
                           {"0", 0},
                           {"", std::nullopt},
                           {"   ", std::nullopt},
                           {"abc", std::nullopt},
                           {"12abc", std::nullopt},
                           {"1e", std::nullopt},
                           {",123", std::nullopt},
                           {"123,", std::nullopt},
                           {"1,,2", std::nullopt},
                           {"1.2,3", std::nullopt},
                           {".", std::nullopt},
                           {"+", std::nullopt},
                           {"1 2", std::nullopt},
                           {"1,e3", std::nullopt},
                           // Beyond the range of a double: not a number; below it: 0.
                           {"1e309", std::nullopt},
                           {"-1e309", std::nullopt},
                           {"1.79769313486232E+308", std::nullopt},
                           {"1,000e308", std::nullopt},
                           {"1.7976931348623157E+308", std::numeric_limits<double>::max()},
                           {"1e-400", 0}}) {
        EXPECT_EQ(text::ToNumber(in), out) << in;
        EXPECT_EQ(text::IsNumeric(in), out.has_value()) << in;
    }
}

TEST(TextRounding, RoundsHalvesToEven) {
    struct Case {
        double in;
        int out;
    };
    for (auto [in, out] : {Case{0.5, 0},
                           {1.5, 2},
                           {2.5, 2},
                           {0.51, 1},
                           {-0.5, 0},
                           {-1.5, -2},
                           {-2.5, -2},
                           {3.7, 4},
                           {0.4, 0},
                           {-3.7, -4},
                           {7, 7}}) {
        EXPECT_EQ(text::RoundHalfEven16(in), out) << in;
        EXPECT_EQ(text::RoundHalfEven32(in), out) << in;
        EXPECT_EQ(text::RoundHalfEven(in), out) << in;
    }
    EXPECT_EQ(text::RoundHalfEven(4503599627370497.0), 4503599627370497.0);  // 2^52 + 1
    EXPECT_EQ(text::RoundHalfEven(kInf), kInf);
    EXPECT_TRUE(std::isnan(text::RoundHalfEven(std::nan(""))));
}

TEST(TextRounding, ClampsToTheTypesRange) {
    EXPECT_EQ(text::RoundHalfEven16(32767.5), 32767);
    EXPECT_EQ(text::RoundHalfEven16(40000), 32767);
    EXPECT_EQ(text::RoundHalfEven16(-40000), -32768);
    EXPECT_EQ(text::RoundHalfEven16(-kInf), -32768);
    EXPECT_EQ(text::RoundHalfEven16(std::nan("")), 0);
    EXPECT_EQ(text::RoundHalfEven32(3e9), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(text::RoundHalfEven32(-3e9), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(text::RoundHalfEven32(2147483646.5), 2147483646);
    EXPECT_EQ(text::RoundHalfEven32(std::nan("")), 0);
}

}  // namespace
