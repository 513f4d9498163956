#include "app/view/markup.h"

#include "platform/text/text.h"

namespace view {

namespace {

struct Style {
    int bold = 0;  // depth of open tags, so that a stray closing tag does no harm
    int underline = 0;
    std::vector<std::string> faces;
    std::string link;
};

// The value of `name=` in a tag's body: quoted, or up to the next blank.
std::string AttributeValue(std::string_view body, std::string_view name) {
    std::string lower = text::LCase(body);
    std::size_t at = lower.find(name);
    while (at != std::string::npos) {
        std::size_t i = at + name.size();
        while (i < body.size() && body[i] == ' ') ++i;
        if (i < body.size() && body[i] == '=') {
            ++i;
            while (i < body.size() && body[i] == ' ') ++i;
            if (i < body.size() && (body[i] == '"' || body[i] == '\'')) {
                char quote = body[i];
                std::size_t end = body.find(quote, i + 1);
                if (end == std::string_view::npos) end = body.size();
                return std::string(body.substr(i + 1, end - i - 1));
            }
            std::size_t end = i;
            while (end < body.size() && body[end] != ' ') ++end;
            return std::string(body.substr(i, end - i));
        }
        at = lower.find(name, at + 1);
    }
    return "";
}

// The tag's name: its first word, lower-cased ("/b", "font", "a").
std::string TagName(std::string_view body) {
    std::string trimmed = text::Trim(body);
    std::size_t end = trimmed.find(' ');
    return text::LCase(trimmed.substr(0, end));
}

void Apply(Style& style, std::string_view body) {
    std::string name = TagName(body);
    auto close = [](int& depth) { depth = depth > 0 ? depth - 1 : 0; };
    if (name == "b" || name == "strong")
        ++style.bold;
    else if (name == "/b" || name == "/strong")
        close(style.bold);
    else if (name == "u")
        ++style.underline;
    else if (name == "/u")
        close(style.underline);
    else if (name == "font") {
        std::string face = AttributeValue(body, "face");
        style.faces.push_back(face.empty() && !style.faces.empty() ? style.faces.back() : face);
    } else if (name == "/font") {
        if (!style.faces.empty()) style.faces.pop_back();
    } else if (name == "a")
        style.link = AttributeValue(body, "href");
    else if (name == "/a")
        style.link.clear();
}

void Append(std::vector<TextRun>& runs, const Style& style, std::string_view text) {
    if (text.empty()) return;
    TextRun run{std::string(text), style.bold > 0, style.underline > 0,
                style.faces.empty() ? std::string() : style.faces.back(), style.link};
    if (!runs.empty()) {
        TextRun& last = runs.back();
        if (last.bold == run.bold && last.underline == run.underline && last.face == run.face &&
            last.link == run.link) {
            last.text += run.text;
            return;
        }
    }
    runs.push_back(std::move(run));
}

}  // namespace

std::vector<TextRun> ParseMarkup(std::string_view line) {
    std::vector<TextRun> runs;
    Style style;
    std::size_t i = 0;
    while (i < line.size()) {
        std::size_t open = line.find('<', i);
        std::size_t close = open == std::string_view::npos ? open : line.find('>', open + 1);
        if (close == std::string_view::npos) {
            Append(runs, style, line.substr(i));
            break;
        }
        Append(runs, style, line.substr(i, open - i));
        std::string_view body = line.substr(open + 1, close - open - 1);
        std::string name = TagName(body);
        if (name == "br" || name == "br/") Append(runs, style, "\n");
        Apply(style, body);
        i = close + 1;
    }
    return runs;
}

}  // namespace view
