// The boxes of the desktop view answered with a person's keys (xdotool) on a virtual display of
// the test's own, while tests/view/keys.script runs a game (TAVREL_VIEW_PERSON): the file
// dialog's list by keys, a box answered while a handler pauses inside its wait, and Escape at a
// box that has only OK. Skips where there is no Xvfb, no xdotool or no view in the build,
// unless ./run test asks for the view's tests (TAVREL_VIEW_REQUIRED).
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/person.h"
#include "tests/support/run_helpers.h"
#include "tests/support/virtual_display.h"

#ifndef TAVREL_HAS_VIEW

TEST(ViewKeys, NeedTheDesktopView) {
    TAVREL_CANNOT_SEE("built without the desktop view");
}

#else

namespace fs = std::filesystem;

namespace {

class ViewKeys : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_run = std::make_unique<test_support::PersonRun>("keys");
        if (!s_run->ready()) return;
        // The dialog opens on a folder that holds only the folder sub/ with the list.
        fs::path sub = s_run->program_folder() / "sub";
        fs::create_directories(sub);
        {
            std::ofstream words(sub / "inner.log", std::ios::binary);
            for (int i = 0; i < 40; ++i) words << "apple\r\n";
        }
        s_run->play("keys.script", 120, act);
    }
    static void TearDownTestSuite() { s_run.reset(); }
    void SetUp() override {
        if (!s_run->ready()) TAVREL_CANNOT_SEE("no Xvfb or no xdotool for a person's keys");
        ASSERT_EQ(s_run->failed(), "") << s_run->out() << s_run->err();
        ASSERT_EQ(s_run->status(), 0) << s_run->out() << s_run->err();
    }

    // The person's part; the step that did not come about, or "".
    static std::string act(const test_support::Person& person) {
        if (!person.report("input box opened") || !person.type_line("host"))
            return "the name prompt";

        // From the name field back to the list; the last entry is the folder, then the list.
        if (!person.report("file dialog opened: Open") || !person.xdo("key shift+Tab") ||
            !person.xdo("key Down Down Return"))
            return "Enter on the folder highlighted in the list";
        if (!person.xdo("key Down Down Return") || !person.report("file dialog closed: Open"))
            return "Enter on the list highlighted in the folder opened";
        if (!person.click_room() || !person.type_line("loaded"))
            return "the word that it is loaded";

        if (!person.report("message box opened: tavrel version 1.5") ||
            !person.heard("[ bob</b> in"))
            return "the About box and the answer judged inside it";
        if (!person.click_box("About tavrel", 2, 2) || !person.xdo("key Return"))
            return "Enter at the About box";
        auto pressed = std::chrono::steady_clock::now();
        while (person.sees("About tavrel") &&
               std::chrono::steady_clock::now() - pressed < std::chrono::seconds(10))
            person.hold(0.02);
        s_gone_after =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - pressed).count();

        // The pointer rests on the main window, as after choosing from its menu: centred on the
        // 1024 x 768 screen, its bottom shows below the box.
        if (!person.report("message box opened: heres some bugs") ||
            !person.xdo("mousemove 512 520") || !person.xdo("key Escape") ||
            !person.report("message box answered: heres some bugs"))
            return "Escape at the known-issues box";
        if (!person.click_room() || !person.type_line("escaped"))
            return "the word that the box is closed";
        return "";
    }

    static double reported(const std::string& what) {
        return test_support::Reported(s_run->err(), what);
    }

    static inline std::unique_ptr<test_support::PersonRun> s_run;
    static inline double s_gone_after = -1;
};

TEST_F(ViewKeys, EnterInTheFileDialogsListOpensAFolderAndChoosesAFile) {
    // The list in sub/ was loaded: the game posts its name.
    EXPECT_NE(s_run->out().find("tavrel log: inner"), std::string::npos) << s_run->out();
}

TEST_F(ViewKeys, AnAnsweredBoxGoesAtOnceWhileAHandlerPausesInsideItsWait) {
    EXPECT_LT(s_gone_after, 1.0) << "seconds the About box stayed on the screen after Enter";
    // The call that opened the box returns only once the pause inside its wait is over.
    double answered = reported("message box answered: tavrel version 1.5");
    double closed = reported("message box closed: tavrel version 1.5");
    ASSERT_GE(answered, 0) << s_run->err();
    EXPECT_GT(closed - answered, 10.0) << s_run->err();
}

TEST_F(ViewKeys, EscapeClosesABoxThatHasOnlyOK) {
    EXPECT_GE(reported("message box closed: heres some bugs"), 0) << s_run->err();
}

}  // namespace

#endif  // TAVREL_HAS_VIEW
