#include "app/script.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>

#include "platform/text/text.h"

namespace app {

namespace {

struct LineParser {
    int number;
    std::string_view line;
    std::string error;

    bool fail(const std::string& why) {
        error = "line " + std::to_string(number) + ": " + why + ": " + text::EscapeControls(line);
        return false;
    }
};

std::optional<std::string> Bytes(std::string_view utf8) {
    return text::UnescapeUtf8(utf8);
}

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
    std::string_view rest =
        space == std::string_view::npos ? std::string_view{} : line.substr(space + 1);
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

// Calls `each(number, start, line)` for every line that holds an action, from the byte `from`
// on: its number, the offset where it starts and the line without its line end.
template <class Each>
void ForEachActionLine(std::string_view text, std::size_t from, Each each) {
    int number = 0;
    std::size_t pos = from;
    while (pos <= text.size()) {
        auto end = text.find('\n', pos);
        bool last = end == std::string_view::npos;
        std::string_view line = text.substr(pos, last ? std::string_view::npos : end - pos);
        const std::size_t start = pos;
        pos = last ? text.size() + 1 : end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r' && !last) line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        if (line.front() == '#') continue;
        each(number, start, line);
    }
}

// The line that starts at `start`, without its line end.
std::string_view LineAt(std::string_view text, std::size_t start) {
    std::string_view line = text.substr(start);
    const auto end = line.find('\n');
    if (end == std::string_view::npos) return line;
    line = line.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

bool Parse(int number, std::string_view line, Action& a, std::string& error) {
    LineParser p{number, line, {}};
    a = Action{};
    a.line = number;
    if (!ParseLine(p, a)) {
        error = std::move(p.error);
        return false;
    }
    a.source = std::string(line);
    return true;
}

}  // namespace

std::optional<Script> Script::Read(std::string utf8,
                                   const std::function<void(const std::string&)>& fault,
                                   const ActionCheck& check) {
    Script script;
    script.m_text = std::move(utf8);
    const std::string_view text = script.m_text;
    // Editors that save UTF-8 may put a byte order mark first; it is not part of the first line.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::size_t from = text.substr(0, kByteOrderMark.size()) == kByteOrderMark ? 3 : 0;
    const auto newlines = std::count(text.begin(), text.end(), '\n');
    if (text.size() > UINT32_MAX || newlines >= (1 << 26)) {
        fault("the script is too long to be read");
        return std::nullopt;
    }
    script.m_lines.reserve(static_cast<std::size_t>(newlines) + 1);
    bool sound = true;
    Action a;
    std::string error;
    ForEachActionLine(text, from, [&](int number, std::size_t start, std::string_view line) {
        if (!Parse(number, line, a, error)) {
            fault(error);
            sound = false;
            return;
        }
        if (check) {
            if (auto why = check(a)) {
                fault("line " + std::to_string(number) + ": " + *why + ": " +
                      text::EscapeControls(line));
                sound = false;
                return;
            }
        }
        // Only a sound script is kept.
        if (sound)
            script.m_lines.push_back({static_cast<std::uint32_t>(start),
                                      static_cast<std::uint32_t>(number),
                                      static_cast<std::uint32_t>(a.verb)});
    });
    if (!sound) return std::nullopt;
    return script;
}

Action Script::action(std::size_t i) const {
    const Line& line = m_lines[i];
    Action a;
    std::string error;
    Parse(static_cast<int>(line.number), LineAt(m_text, line.start), a, error);
    return a;
}

ParseResult ParseScript(std::string_view utf8) {
    ParseResult result;
    auto script = Script::Read(std::string(utf8), [&result](const std::string& why) {
        if (!result.error) result.error = why;
    });
    if (!script) return result;
    result.script = std::move(*script);
    for (std::size_t i = 0; i < result.script.size(); ++i)
        result.actions.push_back(result.script.action(i));
    return result;
}

}  // namespace app
