// Letter case of Windows-1252 texts and comparisons that ignore it.

#include <algorithm>

#include "platform/text/text.h"

namespace text {
namespace {

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}
char Char(unsigned b) {
    return static_cast<char>(static_cast<unsigned char>(b));
}

bool StartsWord(char previous) {
    constexpr std::string_view kWordBreaks(" \t\n\v\f\r\0", 7);
    return kWordBreaks.find(previous) != std::string_view::npos;
}

}  // namespace

char ToLowerChar(char c) {
    const unsigned b = Byte(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) return Char(b + 0x20);
    if (b == 0x8A || b == 0x8C || b == 0x8E) return Char(b + 0x10);
    if (b == 0x9F) return Char(0xFF);
    return c;
}

char ToUpperChar(char c) {
    const unsigned b = Byte(c);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) return Char(b - 0x20);
    if (b == 0x9A || b == 0x9C || b == 0x9E) return Char(b - 0x10);
    if (b == 0xFF) return Char(0x9F);
    return c;
}

std::string LCase(std::string_view s) {
    std::string result(s);
    std::transform(result.begin(), result.end(), result.begin(), ToLowerChar);
    return result;
}

std::string UCase(std::string_view s) {
    std::string result(s);
    std::transform(result.begin(), result.end(), result.begin(), ToUpperChar);
    return result;
}

std::string ProperCase(std::string_view s) {
    std::string result(s);
    for (std::size_t i = 0; i < result.size(); ++i)
        result[i] = (i == 0 || StartsWord(s[i - 1])) ? ToUpperChar(s[i]) : ToLowerChar(s[i]);
    return result;
}

int CompareIgnoreCase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned left = Byte(ToLowerChar(a[i]));
        const unsigned right = Byte(ToLowerChar(b[i]));
        if (left != right) return left < right ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareIgnoreCase(a, b) == 0;
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace text
