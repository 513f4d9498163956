#include "app/view/markup.h"

#include <gtest/gtest.h>

namespace {

using view::ParseMarkup;
using view::TextRun;

TextRun R(std::string text, bool bold = false, bool underline = false, std::string face = "",
          std::string link = "") {
    return TextRun{std::move(text), bold, underline, std::move(face), std::move(link)};
}

TEST(ViewMarkup, StylesNestAndJoin) {
    struct Case {
        const char* line;
        std::vector<TextRun> runs;
    };
    const Case cases[] = {
        {"plain", {R("plain")}},
        {"", {}},
        {"<b>[</b> tavrel <b>]</b>", {R("[", true), R(" tavrel "), R("]", true)}},
        {"<B>WPM</B> <u>x</u>", {R("WPM", true), R(" "), R("x", false, true)}},
        {"<b>a<b>b</b>c</b>d", {R("abc", true), R("d")}},
        {"</b>stray</font>", {R("stray")}},
        {"<FONT FACE=Arial>a</font>", {R("a", false, false, "Arial")}},
        {"<font face = arial><b>a</b></font>b", {R("a", true, false, "arial"), R("b")}},
        {"<font face=\"Comic Sans MS\">a</font>", {R("a", false, false, "Comic Sans MS")}},
        {"<font face=Arial><font color=red>a</font>b</font>c",
         {R("ab", false, false, "Arial"), R("c")}},
        {"get it < a href=\"http://x.example/d\">download</a> now",
         {R("get it "), R("download", false, false, "", "http://x.example/d"), R(" now")}},
        {"one<br>two", {R("one\ntwo")}},
        {"<i>hidden tags</i> go", {R("hidden tags go")}},
        {"a < b", {R("a < b")}},
        {"x <b>y", {R("x "), R("y", true)}},
        {"<b>unclosed <tag", {R("unclosed <tag", true)}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseMarkup(c.line), c.runs) << c.line;
}

}  // namespace
