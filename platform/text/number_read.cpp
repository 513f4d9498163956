// Reading numbers from texts and rounding them to whole numbers.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>

#include "platform/text/text.h"

namespace text {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A number found in a text, rewritten in the form that std::from_chars reads.
struct ScannedNumber {
    std::size_t end = 0;  // one past its last character; 0 when no number was found
    bool negative = false;
    std::string plain;  // digits, point and exponent, without sign and separators
};

// Takes a run of digits into `plain`; with `allow_separators`, a comma between two digits is
// skipped over.
std::size_t TakeDigits(std::string_view s, std::size_t pos, bool allow_separators,
                       std::string& plain) {
    const std::size_t first = pos;
    while (pos < s.size()) {
        if (IsDigit(s[pos])) {
            plain += s[pos++];
        } else if (allow_separators && s[pos] == ',' && pos > first && pos + 1 < s.size() &&
                   IsDigit(s[pos + 1])) {
            ++pos;
        } else {
            break;
        }
    }
    return pos;
}

// Takes an exponent when one with at least one digit starts at `pos`; otherwise takes nothing.
std::size_t TakeExponent(std::string_view s, std::size_t pos, std::string& plain) {
    if (pos >= s.size() || (s[pos] != 'e' && s[pos] != 'E')) return pos;
    std::size_t digits = pos + 1;
    if (digits < s.size() && (s[digits] == '+' || s[digits] == '-')) ++digits;
    if (digits >= s.size() || !IsDigit(s[digits])) return pos;
    plain += 'e';
    if (s[digits - 1] == '-') plain += '-';
    return TakeDigits(s, digits, false, plain);
}

ScannedNumber Scan(std::string_view s, std::size_t pos, bool allow_separators) {
    ScannedNumber number;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) number.negative = s[pos++] == '-';
    pos = TakeDigits(s, pos, allow_separators, number.plain);
    bool has_digits = !number.plain.empty();
    if (pos < s.size() && s[pos] == '.') {
        number.plain += '.';
        const std::size_t decimals = pos + 1;
        pos = TakeDigits(s, decimals, false, number.plain);
        has_digits = has_digits || pos > decimals;
    }
    if (!has_digits) return ScannedNumber{};
    number.end = TakeExponent(s, pos, number.plain);
    return number;
}

// The value of a number beyond the range of a double: infinity when it is huge, 0 when tiny.
// The power of ten of its first significant digit tells the two apart.
double OutOfRangeValue(std::string_view plain) {
    const std::size_t e_pos = plain.find('e');
    const std::string_view mantissa = plain.substr(0, e_pos);
    long exponent = 0;
    if (e_pos != std::string_view::npos) {
        const bool minus = plain[e_pos + 1] == '-';
        for (char c : plain.substr(e_pos + (minus ? 2 : 1)))
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000L);
        if (minus) exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_not_of("0.");
    const long power =
        static_cast<long>(point) - static_cast<long>(first) - (first < point ? 1 : 0) + exponent;
    return power > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

double ValueOf(const ScannedNumber& number) {
    double value = 0;
    const char* begin = number.plain.data();
    const auto [ptr, ec] = std::from_chars(begin, begin + number.plain.size(), value);
    if (ec == std::errc::result_out_of_range) value = OutOfRangeValue(number.plain);
    return number.negative ? -value : value;
}

std::size_t SkipBlanks(std::string_view s, std::size_t pos) {
    while (pos < s.size() && IsBlank(s[pos])) ++pos;
    return pos;
}

template <typename Int>
Int RoundAndClamp(double v) {
    if (std::isnan(v)) return 0;
    const double whole = RoundHalfEven(v);
    if (whole <= static_cast<double>(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    if (whole >= static_cast<double>(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(whole);
}

}  // namespace

double Val(std::string_view s) {
    const ScannedNumber number = Scan(s, SkipBlanks(s, 0), false);
    return number.end == 0 ? 0.0 : ValueOf(number);
}

std::optional<double> ToNumber(std::string_view s) {
    const ScannedNumber number = Scan(s, SkipBlanks(s, 0), true);
    if (number.end == 0 || SkipBlanks(s, number.end) != s.size()) return std::nullopt;
    const double value = ValueOf(number);
    // Too large for a double: no number, rather than an infinity that counts on as one.
    if (std::isinf(value)) return std::nullopt;
    return value;
}

bool IsNumeric(std::string_view s) {
    return ToNumber(s).has_value();
}

double RoundHalfEven(double v) {
    const double nearest = std::round(v);  // halves away from zero
    if (std::fabs(nearest - v) == 0.5 && std::fmod(nearest, 2.0) != 0.0)
        return nearest - std::copysign(1.0, v);
    return nearest;
}

std::int16_t RoundHalfEven16(double v) {
    return RoundAndClamp<std::int16_t>(v);
}

std::int32_t RoundHalfEven32(double v) {
    return RoundAndClamp<std::int32_t>(v);
}

}  // namespace text
