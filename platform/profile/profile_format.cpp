#include "platform/profile/profile_format.h"

#include <vector>

namespace profile {
namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

// Windows-1252 small letter for a capital one; other bytes unchanged.
char FoldCase(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
        return static_cast<char>(byte + 0x20);
    switch (byte) {
        case 0x8A:
            return static_cast<char>(0x9A);  // S caron
        case 0x8C:
            return static_cast<char>(0x9C);  // OE
        case 0x8E:
            return static_cast<char>(0x9E);  // Z caron
        case 0x9F:
            return static_cast<char>(0xFF);  // Y diaeresis
        default:
            return c;
    }
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\''))
        return value.substr(1, value.size() - 2);
    return value;
}

struct Line {
    std::string_view content;  // without the line ending
    std::size_t begin = 0;
    std::size_t content_end = 0;
    std::size_t end = 0;  // after the line ending
};

std::vector<Line> SplitLines(std::string_view bytes) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        const auto newline = bytes.find('\n', begin);
        const auto end = newline == std::string_view::npos ? bytes.size() : newline + 1;
        auto content_end = newline == std::string_view::npos ? bytes.size() : newline;
        if (content_end > begin && bytes[content_end - 1] == '\r') --content_end;
        lines.push_back({bytes.substr(begin, content_end - begin), begin, content_end, end});
        begin = end;
    }
    return lines;
}

// The section name when the line is a header. A header missing its closing bracket runs to the
// end of the line, so that such a line never passes for a value line.
std::optional<std::string_view> HeaderName(std::string_view line) {
    const auto text = Trim(line);
    if (text.empty() || text.front() != '[') return std::nullopt;
    const auto close = text.find(']');
    return Trim(text.substr(1, close == std::string_view::npos ? text.npos : close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> SplitValueLine(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyValue{Trim(line.substr(0, equals)), line.substr(equals + 1)};
}

std::string_view LineEndingOf(std::string_view bytes) {
    const auto newline = bytes.find('\n');
    if (newline != std::string_view::npos && (newline == 0 || bytes[newline - 1] != '\r'))
        return "\n";
    return "\r\n";
}

bool IsStorable(std::string_view section, std::string_view key, std::string_view value) {
    constexpr std::string_view kLineBreaks{"\r\n\0", 3};
    if (section.find_first_of(kLineBreaks) != std::string_view::npos ||
        key.find_first_of(kLineBreaks) != std::string_view::npos ||
        value.find_first_of(kLineBreaks) != std::string_view::npos)
        return false;
    if (section.find(']') != std::string_view::npos) return false;
    if (key.find('=') != std::string_view::npos) return false;
    const auto trimmed_key = Trim(key);
    return trimmed_key.empty() || trimmed_key.front() != '[';
}

}  // namespace

std::string LowerName(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) c = FoldCase(c);
    return lower;
}

bool NamesEqual(std::string_view a, std::string_view b) {
    a = Trim(a);
    b = Trim(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

std::string LookupValue(std::string_view file_bytes, std::string_view section, std::string_view key,
                        bool& found) {
    found = false;
    bool in_section = false;
    for (const Line& line : SplitLines(file_bytes)) {
        if (const auto name = HeaderName(line.content)) {
            if (in_section) break;
            in_section = NamesEqual(*name, section);
            continue;
        }
        if (!in_section) continue;
        const auto pair = SplitValueLine(line.content);
        if (pair && NamesEqual(pair->key, key)) {
            found = true;
            return std::string(Unquote(Trim(pair->value)));
        }
    }
    return {};
}

std::optional<std::string> WithValue(std::string_view file_bytes, std::string_view section,
                                     std::string_view key, std::string_view value) {
    if (!IsStorable(section, key, value)) return std::nullopt;
    const auto eol = LineEndingOf(file_bytes);
    std::string value_line = std::string(key) + "=" + std::string(value);

    bool in_section = false;
    bool section_seen = false;
    std::size_t insert_at = file_bytes.size();
    for (const Line& line : SplitLines(file_bytes)) {
        if (const auto name = HeaderName(line.content)) {
            if (in_section) break;
            if (!section_seen && NamesEqual(*name, section)) {
                in_section = section_seen = true;
                insert_at = line.end;
            }
            continue;
        }
        if (!in_section) continue;
        const auto pair = SplitValueLine(line.content);
        if (pair && NamesEqual(pair->key, key)) {
            std::string result(file_bytes.substr(0, line.begin));
            result += value_line;
            result += file_bytes.substr(line.content_end);
            return result;
        }
        // New keys go after the section's last line with text, ahead of the blank lines that
        // part it from the next section.
        if (!Trim(line.content).empty()) insert_at = line.end;
    }

    std::string addition;
    if (insert_at > 0 && file_bytes[insert_at - 1] != '\n') addition += eol;
    if (!section_seen) addition += "[" + std::string(section) + "]" + std::string(eol);
    addition += value_line + std::string(eol);

    std::string result(file_bytes.substr(0, insert_at));
    result += addition;
    result += file_bytes.substr(insert_at);
    return result;
}

}  // namespace profile
