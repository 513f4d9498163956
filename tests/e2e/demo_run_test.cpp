// The bundled demo plays a whole game to its end and then ends the program by itself.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/run_helpers.h"

namespace {

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(Demo, PlaysAWholeGameAndEndsByItself) {
    std::string command = std::string("'") + TAVREL_BINARY_DIR + "/bin/tavrel' --demo 2>&1";
    const auto [out, status] = test_support::RunCommand(command);
    EXPECT_EQ(status, 0) << out;

    EXPECT_GE(Count(out, "point(s)"), 3u) << out;
    EXPECT_GE(Count(out, "...word skipped, answer was"), 1u) << out;
    EXPECT_EQ(Count(out, "<b>[</b> end of log <b>]</b>"), 1u) << out;
    EXPECT_EQ(Count(out, "<b>[</b> tavrel <b>winners</b> are <b>]</b>"), 1u) << out;
    EXPECT_EQ(Count(out, "%</b> of the log <b>]</b>"), 1u) << out;
    const std::string last =
        "host: <FONT FACE=Arial><b>[</b> tavrel by veskin <b>]</b> <b>[</b> unloaded <b>]</b>\n";
    ASSERT_GE(out.size(), last.size());
    EXPECT_EQ(out.substr(out.size() - last.size()), last) << out;
}

}  // namespace
