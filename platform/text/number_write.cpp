// Writing numbers as texts: shortest decimal, thousands groups and two decimals.
// Everything goes through std::to_chars, so the machine's locale never changes a point.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/text/text.h"

namespace text {
namespace {

// The significant digits of a positive finite number rounded to 15 of them (more only where
// that would overflow), trailing zeros dropped: the value is digits[0].digits[1..] times ten to
// the power `exponent`.
struct SignificantDigits {
    std::string digits;
    int exponent = 0;
};

SignificantDigits DigitsOf(double magnitude) {
    char buffer[32];
    auto end =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14)
            .ptr;
    // Rounded to 15 digits, the few largest doubles would pass the largest one and read back as
    // infinity; they keep the shortest digits that read back as themselves instead.
    double back = 0;
    if (std::from_chars(buffer, end, back).ec == std::errc::result_out_of_range)
        end =
            std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific)
                .ptr;
    const std::string_view written(buffer, end - buffer);  // d.ddddddddddddddde+XX
    const std::size_t e_pos = written.find('e');
    SignificantDigits result;
    result.digits = std::string(1, written[0]) + std::string(written.substr(2, e_pos - 2));
    result.digits.erase(result.digits.find_last_not_of('0') + 1);
    result.exponent = std::atoi(std::string(written.substr(e_pos + 1)).c_str());
    return result;
}

std::string PlainNotation(const SignificantDigits& number) {
    const int count = static_cast<int>(number.digits.size());
    if (number.exponent >= count - 1)
        return number.digits + std::string(number.exponent - count + 1, '0');
    if (number.exponent >= 0)
        return number.digits.substr(0, number.exponent + 1) + "." +
               number.digits.substr(number.exponent + 1);
    return "0." + std::string(-number.exponent - 1, '0') + number.digits;
}

std::string ExponentNotation(const SignificantDigits& number) {
    std::string written = number.digits.substr(0, 1);
    if (number.digits.size() > 1) written += "." + number.digits.substr(1);
    const int power = std::abs(number.exponent);
    written += number.exponent < 0 ? "E-" : "E+";
    if (power < 10) written += '0';
    return written + std::to_string(power);
}

std::string NonFiniteText(double v) {
    if (std::isnan(v)) return "NaN";
    return v < 0 ? "-Infinity" : "Infinity";
}

std::string GroupThousands(const std::string& digits) {
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

// A value exactly halfway between two hundredths is an odd number of eighths (x.125, x.375,
// x.625, x.875); to_chars would send it to the even neighbour, the wanted rule is away from zero.
bool IsHundredthsTie(double v) {
    const double remainder = std::fmod(v * 8, 2.0);
    return remainder == 1.0 || remainder == -1.0;
}

std::string TieInTwoDecimals(double v) {
    const auto eighths = static_cast<std::int64_t>(v * 8);
    const std::int64_t cents = (25 * eighths + (eighths > 0 ? 1 : -1)) / 2;  // 12.5 per eighth
    const std::int64_t magnitude = cents < 0 ? -cents : cents;
    const std::string hundredths = std::to_string(magnitude % 100);
    return (cents < 0 ? "-" : "") + std::to_string(magnitude / 100) + "." +
           (hundredths.size() < 2 ? "0" : "") + hundredths;
}

}  // namespace

std::string Decimal(double v) {
    if (!std::isfinite(v)) return NonFiniteText(v);
    if (v == 0) return "0";
    const SignificantDigits number = DigitsOf(std::fabs(v));
    const bool plain = number.exponent >= -15 && number.exponent < 15;
    return (v < 0 ? "-" : "") + (plain ? PlainNotation(number) : ExponentNotation(number));
}

std::string ThousandsWhole(double v) {
    if (!std::isfinite(v)) return NonFiniteText(v);
    const double whole = RoundHalfEven(v);
    if (whole == 0) return "";
    const std::string digits = PlainNotation(DigitsOf(std::fabs(whole)));
    return (whole < 0 ? "-" : "") + GroupThousands(digits);
}

std::string FormatThousandsText(std::string_view s) {
    const std::optional<double> number = ToNumber(s);
    return number ? ThousandsWhole(*number) : std::string(s);
}

std::string TwoDecimals(double v) {
    if (!std::isfinite(v)) return NonFiniteText(v);
    if (IsHundredthsTie(v)) return TieInTwoDecimals(v);
    char buffer[400];  // the largest double has 309 digits before the point
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 2).ptr;
    std::string written(buffer, end);
    if (written == "-0.00") written.erase(0, 1);
    return written;
}

}  // namespace text
