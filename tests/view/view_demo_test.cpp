// The demo with --view on the view's display (see ViewDisplay), in virtual time: the windows
// open (without a display it refuses to start) and the room's lines are those of the demo
// played without them. Skips only where no display can start or the program was built without
// the view, and not even there under ./run test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/run_helpers.h"
#include "tests/support/virtual_display.h"

#ifndef TAVREL_HAS_VIEW

TEST(ViewDemo, NeedsTheDesktopView) {
    TAVREL_CANNOT_SEE("built without the desktop view");
}

#else

namespace {

using test_support::RunCommand;
using test_support::ViewDisplay;

// The demo's standard output; with `errors` its standard error too.
test_support::CommandRun Play(const std::string& environment, const std::string& options,
                              bool errors = false) {
    std::string tests = TAVREL_TEST_DIR;
    std::string command = environment + " LSAN_OPTIONS='suppressions=" + tests +
                          "/view/leaks.supp' '" + TAVREL_BINARY_DIR + "/bin/tavrel' --demo" +
                          options + (errors ? " 2>&1" : " 2>/dev/null");
    return RunCommand(command);
}

TEST(ViewDemo, ShowsTheWindowsWhileTheDemoPlays) {
    if (!ViewDisplay()) TAVREL_CANNOT_SEE("no display could start");
    const test_support::CommandRun alone = Play("", "");
    ASSERT_EQ(alone.status, 0) << alone.out;
    const test_support::CommandRun shown =
        Play(std::string("TAVREL_VIEW_VIRTUAL=1 DISPLAY='") + ViewDisplay() + "'", " --view");
    EXPECT_EQ(shown.status, 0) << shown.out;
    EXPECT_EQ(shown.out, alone.out);

    const test_support::CommandRun nowhere = Play("DISPLAY=", " --view", true);
    EXPECT_EQ(nowhere.status, 2);
    EXPECT_EQ(nowhere.out, "tavrel: --view needs a display (is DISPLAY set?)\n");
}

}  // namespace

#endif  // TAVREL_HAS_VIEW
