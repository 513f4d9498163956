#include "app/view/chooser_pattern.h"

#include <vector>

#include "platform/text/text.h"

namespace view {

namespace {

std::vector<std::string> Split(std::string_view s, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t at = s.find(separator, start);
        parts.emplace_back(s.substr(start, at == std::string_view::npos ? at : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

std::string ChooserGlob(std::string_view patterns) {
    std::vector<std::string> globs;
    for (const std::string& p : Split(patterns, ';')) {
        std::string glob = text::Trim(p);
        if (glob == "*.*") glob = "*";
        if (!glob.empty()) globs.push_back(glob);
    }
    if (globs.empty()) return "*";
    if (globs.size() == 1) return globs[0];
    std::string joined = "{";
    for (std::size_t i = 0; i < globs.size(); ++i) joined += (i ? "," : "") + globs[i];
    return joined + "}";
}

}  // namespace

std::string ChooserPattern(std::string_view filter) {
    if (text::Trim(filter).empty()) return "";
    std::vector<std::string> parts = Split(filter, '|');
    std::string result;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        std::string description = parts[i];
        std::string glob = ChooserGlob(i + 1 < parts.size() ? parts[i + 1] : "*");
        // The chooser reads the pattern from the parentheses, so the description keeps none.
        std::size_t paren = description.find('(');
        if (paren != std::string::npos) description = text::RTrim(description.substr(0, paren));
        if (description.empty()) description = glob;
        if (!result.empty()) result += '\t';
        result += description + " (" + glob + ")";
    }
    return result;
}

}  // namespace view
