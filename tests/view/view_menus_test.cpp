// Menus pulled down during a game on the view's display (see ViewDisplay): the view runs the
// script of tests/view/menus.script in virtual time, its member "hand" pulling the main
// window's menus down, and the room's lines must be those of the same script without the
// windows, line for line and moment for moment, but for the item chosen from a menu. The hand's
// reports on standard error say when each menu was down. Skips only where no display can start
// or the program was built without the view, and not even there under ./run test.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_helpers.h"
#include "tests/support/virtual_display.h"

#ifndef TAVREL_HAS_VIEW

TEST(ViewMenus, NeedTheDesktopView) {
    TAVREL_CANNOT_SEE("built without the desktop view");
}

#else

namespace fs = std::filesystem;

namespace {

using test_support::ReadAll;
using test_support::Shell;
using test_support::ViewDisplay;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

struct ScriptRun {
    int status = -1;
    std::vector<std::string> out;
    std::vector<std::string> hand;  // the hand's reports on standard error
    std::string err;
};

// Runs the script in a fresh folder; `environment` prefixes the command.
ScriptRun RunScript(const fs::path& folder, const std::string& environment,
                    const std::string& view) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "words.log", std::ios::binary)
        << "apple\r\nbanana\r\ncherry\r\ngrape\r\nlemon\r\nmelon\r\n";
    std::string tests = TAVREL_TEST_DIR;
    std::string command =
        environment + " LSAN_OPTIONS=" + Shell("suppressions=" + tests + "/view/leaks.supp") + " " +
        Shell(std::string(TAVREL_BINARY_DIR) + "/bin/tavrel") + view +
        " --times --trace --script " + Shell(tests + "/view/menus.script") + " --folder " +
        Shell(folder.string()) + " >" + Shell((folder / "out.txt").string()) + " 2>" +
        Shell((folder / "err.txt").string());
    ScriptRun run;
    int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = Lines(ReadAll(folder / "out.txt"));
    run.err = ReadAll(folder / "err.txt");
    for (const std::string& line : Lines(run.err))
        if (line.rfind("hand: ", 0) == 0) run.hand.push_back(line);
    return run;
}

// Seconds of a line written with --times: "[12.34] ...".
double Seconds(const std::string& line) {
    return line.size() > 1 && line[0] == '[' ? std::atof(line.c_str() + 1) : -1;
}

class ViewMenus : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!ViewDisplay()) return;
        s_folder = fs::temp_directory_path() / ("tavrel-menus-" + std::to_string(::getpid()));
        s_headless = RunScript(s_folder / "headless", "", "");
        s_view = RunScript(
            s_folder / "view",
            "DISPLAY=" + Shell(ViewDisplay()) + " TAVREL_VIEW_VIRTUAL=1 TAVREL_VIEW_HAND=1",
            " --view");
    }
    static void TearDownTestSuite() {
        if (!s_folder.empty()) fs::remove_all(s_folder);
    }
    void SetUp() override {
        if (!ViewDisplay()) TAVREL_CANNOT_SEE("no display could start");
        ASSERT_EQ(s_headless.status, 0) << s_headless.err;
        ASSERT_EQ(s_view.status, 0) << s_view.err;
    }

    static inline fs::path s_folder;
    static inline ScriptRun s_headless, s_view;
};

const char* const kAdvertised[] = {
    "host: <b>[</b> tavrel by veskin <b>]</b>",
    "host: <b>[</b> AOL 9.0 chat scrambler <b>]</b> <b>[</b> < a "
    "href=\"https://tavrel.example.org/download\">download</a> <b>]</b>",
};

TEST_F(ViewMenus, EachMenuIsDownFromItsPullUntilItCloses) {
    // Times in the script's virtual seconds; a key closes its menu by the next tick (15.625 ms).
    // The second menu asked for while the first is down stays up; the box closes the third
    // before it opens; the last is closed when the program ends at 32.00.
    EXPECT_EQ(s_view.hand, (std::vector<std::string>{
                               "hand: pulled Form4.log down at 6.00",
                               "hand: menu Form4.file stayed up at 6.50",
                               "hand: menu closed at 13.02",
                               "hand: pulled Form4.file down at 16.50",
                               "hand: menu closed at 17.02",
                               "hand: pulled Form4.scores down at 24.50",
                               "hand: menu closed at 25.00",
                               "hand: pulled Form4.other down at 31.00",
                               "hand: menu closed at 32.00",
                           }))
        << s_view.err;
}

TEST_F(ViewMenus, TheGameGoesOnWhileAMenuIsDown) {
    // Without the item chosen from the menu, the room's lines are those of the run without
    // windows, each at its moment.
    std::vector<std::string> view;
    std::vector<std::size_t> advertised;
    for (const std::string& line : s_view.out) {
        bool chosen = false;
        for (const char* text : kAdvertised)
            chosen = chosen || line.substr(line.find(' ') + 1) == text;
        if (chosen)
            advertised.push_back(view.size());
        else
            view.push_back(line);
    }
    EXPECT_EQ(view, s_headless.out);
    EXPECT_EQ(advertised.size(), 2u);

    // The time-out and the right answer fell while the log menu was down (6.00 to 13.02).
    int said_meanwhile = 0;
    for (const std::string& line : s_headless.out) {
        double at = Seconds(line);
        bool game_line =
            line.find("] host: ") != std::string::npos || line.find("] bob: ") != std::string::npos;
        if (game_line && at > 6.0 && at < 13.0) ++said_meanwhile;
    }
    EXPECT_GE(said_meanwhile, 3);
    bool skipped = false;
    for (const std::string& line : s_headless.out)
        skipped = skipped || (line.find("word skipped") != std::string::npos &&
                              Seconds(line) > 6.0 && Seconds(line) < 13.0);
    EXPECT_TRUE(skipped);
}

TEST_F(ViewMenus, AnItemChosenFromTheMenuRuns) {
    // "advertise", chosen with the keys at 17.00, posts its two lines in the next round.
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < s_view.out.size(); ++i)
        if (s_view.out[i] == "[17.00] hand: key Return") chosen = i;
    ASSERT_GT(chosen, 0u);
    ASSERT_LT(chosen + 2, s_view.out.size());
    for (std::size_t k = 0; k < 2; ++k) {
        const std::string& line = s_view.out[chosen + 1 + k];
        EXPECT_EQ(line.substr(line.find(' ') + 1), kAdvertised[k]);
        EXPECT_GE(Seconds(line), 17.0);
        EXPECT_LE(Seconds(line), 17.05);
    }
}

}  // namespace

#endif  // TAVREL_HAS_VIEW
