// Every caption of every window fits its control at the sizes the windows give: on the view's
// display (see ViewDisplay) the view shows each window in turn (tests/view/captions.script, and
// captions_quiz.script for the quiz-list editor) and writes, for each caption that shows, the
// size it is drawn at and the room its control gives it. Skips only where no display can start
// or the program was built without the view, and not even there under ./run test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "tests/support/run_helpers.h"
#include "tests/support/virtual_display.h"

#ifndef TAVREL_HAS_VIEW

TEST(ViewCaptions, NeedTheDesktopView) {
    TAVREL_CANNOT_SEE("built without the desktop view");
}

#else

namespace fs = std::filesystem;

namespace {

using test_support::ReadAll;
using test_support::Shell;
using test_support::ViewDisplay;

int ShowWindows(const fs::path& folder, const std::string& script, const std::string& options) {
    std::string tests = TAVREL_TEST_DIR;
    std::string command =
        "DISPLAY=" + Shell(ViewDisplay()) +
        " TAVREL_VIEW_VIRTUAL=1 TAVREL_VIEW_CAPTURE=" + Shell((folder / "pictures").string()) +
        " LSAN_OPTIONS=" + Shell("suppressions=" + tests + "/view/leaks.supp") + " " +
        Shell(std::string(TAVREL_BINARY_DIR) + "/bin/tavrel") + " --view" + options + " --script " +
        Shell(tests + "/view/" + script) + " --folder " + Shell(folder.string()) +
        " >/dev/null 2>&1";
    return test_support::RunCommand(command).status;
}

TEST(ViewCaptions, EveryCaptionFitsItsControl) {
    if (!ViewDisplay()) TAVREL_CANNOT_SEE("no display could start");
    fs::path folder = fs::temp_directory_path() / ("tavrel-captions-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    ASSERT_EQ(ShowWindows(folder, "captions.script", ""), 0);
    ASSERT_EQ(ShowWindows(folder, "captions_quiz.script", " --quiz-editor"), 0);

    std::set<std::string> windows;
    int captions = 0;
    for (const auto& entry : fs::directory_iterator(folder / "pictures")) {
        std::string file = entry.path().filename().string();
        const std::string suffix = "-captions.txt";
        if (file.size() <= suffix.size() || file.substr(file.size() - suffix.size()) != suffix)
            continue;
        std::string moment_window = file.substr(0, file.size() - suffix.size());
        windows.insert(moment_window.substr(moment_window.find('-') + 1));
        // "CONTROL WIDTH ROOM-WIDTH HEIGHT ROOM-HEIGHT", in pixels.
        std::istringstream lines(ReadAll(entry.path()));
        std::string control;
        int width = 0, room_width = 0, height = 0, room_height = 0;
        while (lines >> control >> width >> room_width >> height >> room_height) {
            ++captions;
            EXPECT_LE(width, room_width) << moment_window << "." << control << " is too wide";
            EXPECT_LE(height, room_height) << moment_window << "." << control << " is too high";
        }
    }
    EXPECT_EQ(windows, (std::set<std::string>{"startup", "Form4", "Form5", "Form7", "Form2"}));
    EXPECT_GE(captions, 40);
    fs::remove_all(folder);
}

}  // namespace

#endif  // TAVREL_HAS_VIEW
