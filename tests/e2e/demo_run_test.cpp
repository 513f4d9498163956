// The bundled demo plays a whole game to its end and then ends the program by itself; shown on a
// display that goes away, it ends at once and takes its folder with it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/support/run_helpers.h"
#include "tests/support/virtual_display.h"

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

#ifdef TAVREL_HAS_VIEW
TEST(Demo, ALostDisplayTakesTheDemosFolderWithIt) {
    namespace fs = std::filesystem;
    using test_support::Shell;
    test_support::VirtualDisplay display;
    if (display.name().empty()) GTEST_SKIP() << "no Xvfb to start a display of the test's own";
    std::string pattern = (fs::temp_directory_path() / "tavrel-demo-lost-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path temporary = pattern;
    std::string tests = TAVREL_TEST_DIR;
    test_support::Background program(
        "DISPLAY=" + Shell(display.name()) + " TMPDIR=" + Shell(temporary.string()) +
        " LSAN_OPTIONS=" + Shell("suppressions=" + tests + "/view/leaks.supp") + " exec " +
        Shell(std::string(TAVREL_BINARY_DIR) + "/bin/tavrel") + " --demo --view >" +
        Shell(temporary.string() + ".out") + " 2>" + Shell(temporary.string() + ".err"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(test_support::WaitForText(temporary.string() + ".out", "alice: hi all", 60))
        << test_support::ReadAll(temporary.string() + ".err");
    EXPECT_FALSE(fs::is_empty(temporary)) << "the demo's folder is not there";

    display.end();
    EXPECT_EQ(program.wait(20), 1) << "no end (-1) or a crash (128 + signal)";
    EXPECT_TRUE(fs::is_empty(temporary)) << "the demo's folder stayed behind";
    fs::remove_all(temporary);
    fs::remove(temporary.string() + ".out");
    fs::remove(temporary.string() + ".err");
}
#endif
