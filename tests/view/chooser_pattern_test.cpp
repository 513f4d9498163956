#include "app/view/chooser_pattern.h"

#include <gtest/gtest.h>

namespace {

TEST(ViewChooserPattern, FiltersBecomeChooserPatterns) {
    struct Case {
        const char* filter;
        const char* pattern;
    };
    const Case cases[] = {
        {"log files (*.log)|*.log", "log files (*.log)"},
        {"quiz files (*.qz)|*.qz", "quiz files (*.qz)"},
        {"word lists|*.log|all files (*.*)|*.*", "word lists (*.log)\tall files (*)"},
        {"texts (*.txt;*.log)|*.txt;*.log", "texts ({*.txt,*.log})"},
        {"odd (*.abc)|*.log", "odd (*.log)"},
        {"|*.log", "*.log (*.log)"},
        {"lonely", "lonely (*)"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(view::ChooserPattern(c.filter), c.pattern) << c.filter;
}

}  // namespace
