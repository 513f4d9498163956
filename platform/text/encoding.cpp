// Windows-1252 <-> UTF-8, and the escaped form used in scripts and transcripts.

#include <array>
#include <cstdint>

#include "platform/text/text.h"

namespace text {
namespace {

// Characters of the bytes 0x80-0x9F. The five bytes without one keep their own value, so that
// every byte survives a trip through UTF-8.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

char32_t CodePointOf(unsigned char b) {
    return (b >= 0x80 && b <= 0x9F) ? kHighControls[b - 0x80] : char32_t{b};
}

std::optional<char> ByteOf(char32_t code_point) {
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF))
        return static_cast<char>(static_cast<unsigned char>(code_point));
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == code_point) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

void AppendUtf8(char32_t cp, std::string& out) {
    auto put = [&out](std::uint32_t bits) { out += static_cast<char>(bits); };
    if (cp < 0x80) {
        put(cp);
    } else if (cp < 0x800) {
        put(0xC0 | (cp >> 6));
        put(0x80 | (cp & 0x3F));
    } else {  // every Windows-1252 character lies below U+10000
        put(0xE0 | (cp >> 12));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    }
}

// Reads one UTF-8 character at `pos` and moves past it; nullopt when it is malformed, overlong,
// a surrogate or beyond U+10FFFF.
std::optional<char32_t> ReadUtf8(std::string_view s, std::size_t& pos) {
    const unsigned char lead = static_cast<unsigned char>(s[pos]);
    std::size_t extra = 0;
    if (lead >= 0xF8 || (lead >= 0x80 && lead < 0xC0)) return std::nullopt;
    if (lead >= 0xC0) extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    if (s.size() - pos <= extra) return std::nullopt;
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (std::size_t i = 1; i <= extra; ++i) {
        const unsigned char next = static_cast<unsigned char>(s[pos + i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    pos += extra + 1;
    return cp;
}

// The escape letter of a byte that is written as a backslash and one letter, or 0.
char ShortEscape(char c) {
    switch (c) {
        case '\\':
            return '\\';
        case '\r':
            return 'r';
        case '\n':
            return 'n';
        case '\t':
            return 't';
        case '\0':
            return '0';
        default:
            return 0;
    }
}

bool NeedsHexEscape(unsigned char b) {
    return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Reads the escape whose backslash is at `pos` and moves past it.
std::optional<char> ReadEscape(std::string_view s, std::size_t& pos) {
    if (pos + 1 >= s.size()) return std::nullopt;
    const char letter = s[pos + 1];
    pos += 2;
    switch (letter) {
        case '\\':
            return '\\';
        case 'r':
            return '\r';
        case 'n':
            return '\n';
        case 't':
            return '\t';
        case '0':
            return '\0';
        case 'x':
            break;
        default:
            return std::nullopt;
    }
    if (pos + 2 > s.size()) return std::nullopt;
    const int high = HexValue(s[pos]);
    const int low = HexValue(s[pos + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    pos += 2;
    return static_cast<char>(high * 16 + low);
}

}  // namespace

std::string ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (char c : cp1252) AppendUtf8(CodePointOf(static_cast<unsigned char>(c)), out);
    return out;
}

std::optional<std::string> FromUtf8(std::string_view utf8) {
    std::string out;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::optional<char32_t> cp = ReadUtf8(utf8, pos);
        const std::optional<char> byte = cp ? ByteOf(*cp) : std::nullopt;
        if (!byte) return std::nullopt;
        out += *byte;
    }
    return out;
}

std::string EscapeBytes(std::string_view cp1252) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : cp1252) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (const char letter = ShortEscape(c)) {
            out += '\\';
            out += letter;
        } else if (NeedsHexEscape(b)) {
            out += "\\x";
            out += kHexDigits[b >> 4];
            out += kHexDigits[b & 0xF];
        } else {
            AppendUtf8(CodePointOf(b), out);
        }
    }
    return out;
}

std::string EscapeControls(std::string_view bytes) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : bytes) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b != 0x7F) {
            out += c;
        } else if (const char letter = ShortEscape(c)) {
            out += '\\';
            out += letter;
        } else {
            out += "\\x";
            out += kHexDigits[b >> 4];
            out += kHexDigits[b & 0xF];
        }
    }
    return out;
}

std::optional<std::string> UnescapeUtf8(std::string_view utf8_with_escapes) {
    const std::string_view s = utf8_with_escapes;
    std::string out;
    for (std::size_t pos = 0; pos < s.size();) {
        std::optional<char> byte;
        if (s[pos] == '\\') {
            byte = ReadEscape(s, pos);
        } else if (const std::optional<char32_t> cp = ReadUtf8(s, pos)) {
            byte = ByteOf(*cp);
        }
        if (!byte) return std::nullopt;
        out += *byte;
    }
    return out;
}

}  // namespace text
