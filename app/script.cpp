#include "app/script.h"

#include <charconv>
#include <cmath>

#include "platform/text/text.h"

namespace app {

namespace {

struct LineParser {
    int number;
    std::string_view line;
    std::string error;

    bool fail(const std::string& why) {
        error = "line " + std::to_string(number) + ": " + why + ": " + std::string(line);
        return false;
    }
};

std::optional<std::string> Bytes(std::string_view utf8) { return text::UnescapeUtf8(utf8); }

bool ParseNumber(std::string_view s, double& out) {
    if (s.empty()) return false;
    std::string copy(s);
    char* end = nullptr;
    out = std::strtod(copy.c_str(), &end);
    return end && *end == '\0' && std::isfinite(out);
}

bool ParseInt(std::string_view s, int& out) {
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && ptr == s.data() + s.size();
}

// Splits FORM.CONTROL.
bool SplitTarget(std::string_view s, std::string& form, std::string& control) {
    auto dot = s.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == s.size()) return false;
    form = std::string(s.substr(0, dot));
    control = std::string(s.substr(dot + 1));
    return control.find_first_of(" \t") == std::string::npos;
}

std::vector<std::string_view> Words(std::string_view s) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && s[i] == ' ') ++i;
        std::size_t j = i;
        while (j < s.size() && s[j] != ' ') ++j;
        if (j > i) words.push_back(s.substr(i, j - i));
        i = j;
    }
    return words;
}

bool ParseLine(LineParser& p, Action& a) {
    std::string_view line = p.line;
    auto space = line.find(' ');
    std::string_view verb = line.substr(0, space);
    std::string_view rest = space == std::string_view::npos ? std::string_view{} : line.substr(space + 1);
    auto words = Words(rest);

    auto text_of = [&](std::string_view s, std::string& out) {
        auto bytes = Bytes(s);
        if (!bytes) return p.fail("bad text or escape");
        out = *bytes;
        return true;
    };

    if (verb == "wait") {
        a.verb = Verb::Wait;
        if (words.size() != 1 || !ParseNumber(words[0], a.seconds) || a.seconds < 0 ||
            a.seconds > 1e9)
            return p.fail("wait takes a number of seconds");
        return true;
    }
    if (verb == "await") {
        a.verb = Verb::Await;
        if (rest.empty()) return p.fail("await takes a text");
        return text_of(rest, a.text);
    }
    if (verb == "say") {
        a.verb = Verb::Say;
        auto colon = rest.find(": ");
        if (colon == std::string_view::npos || colon == 0) return p.fail("say takes NAME: TEXT");
        return text_of(rest.substr(0, colon), a.name) && text_of(rest.substr(colon + 2), a.text);
    }
    if (verb == "click" || verb == "menu") {
        a.verb = verb == "click" ? Verb::Click : Verb::Menu;
        if (words.size() != 1 || !SplitTarget(words[0], a.form, a.target))
            return p.fail(std::string(verb) + " takes FORM.NAME");
        return true;
    }
    if (verb == "type") {
        a.verb = Verb::Type;
        auto blank = rest.find(' ');
        std::string_view target = rest.substr(0, blank);
        if (!SplitTarget(target, a.form, a.target)) return p.fail("type takes FORM.CONTROL TEXT");
        return blank == std::string_view::npos ? true : text_of(rest.substr(blank + 1), a.text);
    }
    if (verb == "select" || verb == "check") {
        a.verb = verb == "select" ? Verb::Select : Verb::Check;
        if (words.size() != 2 || !SplitTarget(words[0], a.form, a.target) ||
            !ParseInt(words[1], a.number))
            return p.fail(std::string(verb) + " takes FORM.CONTROL NUMBER");
        if (a.verb == Verb::Check && a.number != 0 && a.number != 1)
            return p.fail("check takes 0 or 1");
        return true;
    }
    if (verb == "hover") {
        a.verb = Verb::Hover;
        double x = 0, y = 0;
        if (words.size() != 3 || !SplitTarget(words[0], a.form, a.target) ||
            !ParseNumber(words[1], x) || !ParseNumber(words[2], y))
            return p.fail("hover takes FORM.CONTROL X Y");
        if (std::fabs(x) > 1e9 || std::fabs(y) > 1e9) return p.fail("hover is too far off");
        a.number = static_cast<int>(x);
        a.y = static_cast<float>(y);
        a.seconds = x;
        return true;
    }
    if (verb == "close") {
        a.verb = Verb::Close;
        if (words.size() != 1) return p.fail("close takes FORM");
        a.form = std::string(words[0]);
        return true;
    }
    if (verb == "room") {
        a.verb = Verb::Room;
        if (words.size() != 1 || (words[0] != "open" && words[0] != "close"))
            return p.fail("room takes open or close");
        a.number = words[0] == "open" ? 1 : 0;
        return true;
    }
    if (verb == "answer") {
        a.verb = Verb::Answer;
        return space == std::string_view::npos ? true : text_of(rest, a.text);
    }
    if (verb == "press") {
        a.verb = Verb::Press;
        if (words.size() != 1 ||
            (words[0] != "OK" && words[0] != "Cancel" && words[0] != "Yes" && words[0] != "No"))
            return p.fail("press takes OK, Cancel, Yes or No");
        a.text = std::string(words[0]);
        return true;
    }
    if (verb == "choose") {
        a.verb = Verb::Choose;
        if (rest.empty()) return p.fail("choose takes a path");
        return text_of(rest, a.text);
    }
    if (verb == "cancel") {
        a.verb = Verb::Cancel;
        if (!rest.empty()) return p.fail("cancel takes nothing");
        return true;
    }
    return p.fail("unknown action");
}

}  // namespace

ParseResult ParseScript(std::string_view utf8) {
    ParseResult result;
    // Editors that save UTF-8 may put a byte order mark first; it is not part of the first line.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (utf8.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        utf8.remove_prefix(kByteOrderMark.size());
    int number = 0;
    std::size_t pos = 0;
    while (pos <= utf8.size()) {
        auto end = utf8.find('\n', pos);
        bool last = end == std::string_view::npos;
        std::string_view line = utf8.substr(pos, last ? std::string_view::npos : end - pos);
        pos = last ? utf8.size() + 1 : end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r' && !last) line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        if (line.front() == '#') continue;
        LineParser p{number, line, {}};
        Action a{};
        a.line = number;
        a.source = std::string(line);
        if (!ParseLine(p, a)) {
            result.error = p.error;
            result.actions.clear();
            return result;
        }
        result.actions.push_back(std::move(a));
    }
    return result;
}

}  // namespace app
