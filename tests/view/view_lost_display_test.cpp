// The display goes away under a running program: on a virtual display of the test's own, the
// program is brought to a state (idle, a game running, a menu pulled down, a box open) and the
// display is ended. The program must end with status 1 and one message that says so, at once,
// leaving its settings file as it was. Skips where there is no Xvfb or no view in the build,
// but not under ./run test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/run_helpers.h"
#include "tests/support/virtual_display.h"

#ifndef TAVREL_HAS_VIEW

TEST(ViewLostDisplay, NeedsTheDesktopView) {
    TAVREL_CANNOT_SEE("built without the desktop view");
}

#else

namespace fs = std::filesystem;

namespace {

using test_support::Background;
using test_support::ReadAll;
using test_support::Shell;

struct State {
    const char* name;
    const char* script;  // after the name prompt and the greeting
};

const State kStates[] = {
    {"idle", ""},
    {"game", "click Form4.Command5\nchoose words.log\nclick Form4.Command1\nawait tavrel log:\n"},
    {"menu", "say hand: pull Form4.log\nwait 0.5\n"},
    {"box", "menu Form4.displayhost\nwait 0.5\n"},
};

void PrintTo(const State& state, std::ostream* out) {
    *out << state.name;
}

class ViewLostDisplay : public ::testing::TestWithParam<State> {};

TEST_P(ViewLostDisplay, EndsTheProgramWithOneMessage) {
    const State& state = GetParam();
    test_support::VirtualDisplay display;
    if (display.name().empty()) TAVREL_CANNOT_SEE("no Xvfb to start a display of the test's own");
    fs::path folder = fs::temp_directory_path() /
                      ("tavrel-lost-" + std::string(state.name) + "-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "words.log", std::ios::binary) << "apple\r\nbanana\r\ncherry\r\n";
    // The marker is said once the state is reached; the program then waits far longer than the
    // test does.
    std::ofstream(folder / "run.script", std::ios::binary)
        << "answer host\nawait completed logs\n"
        << state.script << "say marker: " << state.name << "\nwait 120\n";
    std::string tests = TAVREL_TEST_DIR;
    Background program(
        "DISPLAY=" + Shell(display.name()) +
        " TAVREL_VIEW_HAND=1 LSAN_OPTIONS=" + Shell("suppressions=" + tests + "/view/leaks.supp") +
        " exec " + Shell(std::string(TAVREL_BINARY_DIR) + "/bin/tavrel") + " --view --script " +
        Shell((folder / "run.script").string()) + " --folder " + Shell(folder.string()) + " >" +
        Shell((folder / "out.txt").string()) + " 2>" + Shell((folder / "err.txt").string()));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(
        test_support::WaitForText(folder / "out.txt", std::string("marker: ") + state.name, 60))
        << ReadAll(folder / "out.txt") << ReadAll(folder / "err.txt");
    const std::string settings = ReadAll(folder / "tavrel.ini");
    ASSERT_FALSE(settings.empty());

    display.end();
    const int status = program.wait(20);
    EXPECT_EQ(status, 1) << "no end (-1) or a crash (128 + signal)";
    std::istringstream err(ReadAll(folder / "err.txt"));
    std::string messages;
    for (std::string line; std::getline(err, line);)
        // The hand's reports, and a sanitizer's note on the menu's own stack, are not the
        // program's messages.
        if (line.rfind("hand: ", 0) != 0 && line.rfind("==", 0) != 0) messages += line + "\n";
    EXPECT_EQ(messages, "tavrel: the connection to the display " + display.name() +
                            " was lost; the program ends\n");
    EXPECT_EQ(ReadAll(folder / "tavrel.ini"), settings);
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_NE(entry.path().filename().string().rfind(".tavrel-", 0), 0u)
            << "a save left half done: " << entry.path();
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(States, ViewLostDisplay, ::testing::ValuesIn(kStates),
                         [](const ::testing::TestParamInfo<State>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace

#endif  // TAVREL_HAS_VIEW
