// The desktop view as a person uses it, with real keys and clicks (xdotool) on a virtual
// display of the test's own: the script of tests/view/person.script runs a game while the
// person answers the boxes, types names into the file dialogs and says lines in the room
// (TAVREL_VIEW_PERSON). The view reports each box as it opens, is answered and closes; the
// room's lines come with their seconds. Skips where there is no Xvfb, no xdotool or no view in
// the build, unless ./run test asks for the view's tests (TAVREL_VIEW_REQUIRED).
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/person.h"
#include "tests/support/run_helpers.h"
#include "tests/support/virtual_display.h"

#ifndef TAVREL_HAS_VIEW

TEST(ViewPerson, NeedsTheDesktopView) {
    TAVREL_CANNOT_SEE("built without the desktop view");
}

#else

namespace fs = std::filesystem;

namespace {

using test_support::ReadAll;
using test_support::TimedLine;

class ViewPerson : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_run = std::make_unique<test_support::PersonRun>("person");
        if (!s_run->ready()) return;
        {
            // Every word the same, so that the person's answer fits whichever is out.
            std::ofstream words(folder() / "words.log", std::ios::binary);
            for (int i = 0; i < 40; ++i) words << "apple\r\n";
        }
        s_run->play("person.script", 240, act);
    }
    static void TearDownTestSuite() { s_run.reset(); }
    void SetUp() override {
        if (!s_run->ready())
            TAVREL_CANNOT_SEE("no Xvfb or no xdotool for a person's keys and clicks");
        ASSERT_EQ(s_run->failed(), "") << s_run->out() << s_run->err();
        ASSERT_EQ(s_run->status(), 0) << s_run->out() << s_run->err();
    }

    static fs::path folder() { return s_run->program_folder(); }

    // The person's part; the step that did not come about, or "".
    static std::string act(const test_support::Person& person) {
        if (!person.report("input box opened") || !person.type_line("host"))
            return "the name prompt";
        if (!person.report("file dialog opened: Open")) return "the main window's open dialog";
        if (!person.click_room() || !person.type_line("said while a file dialog is open") ||
            !person.said("host: said while a file dialog is open"))
            return "a line typed into the room while the dialog is open";
        if (!person.click_box("Open", 4, 336) || !person.type_line("words.log") ||
            !person.report("file dialog closed: Open"))
            return "the list's name typed into the open dialog";
        if (!person.click_room() || !person.type_line("loaded"))
            return "the word that the list is loaded";

        if (!person.report("file dialog opened: Open", 2)) return "the editor's open dialog";
        if (!person.type_line("missing.log") ||
            !person.report("message box opened: Please choose an existing file!"))
            return "the dialog's box for a file that is not there";
        // The next word out is answered from the room while the box stays up.
        auto posted = [&person] {
            int count = 0;
            for (const TimedLine& line : test_support::SaidLines(person.transcript()))
                count += line.text.find("tavrel log:") != std::string::npos ? 1 : 0;
            return count;
        };
        const int before = posted();
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (posted() == before && std::chrono::steady_clock::now() < deadline) person.hold(0.05);
        if (!person.click_room() || !person.type_line("apple"))
            return "an answer while the dialog's box is up";
        person.hold(9);
        if (!person.click_box("Open", 2, 2) || !person.xdo("key Return") ||
            !person.report("message box answered: Please choose an existing file!"))
            return "closing the dialog's box";
        if (!person.type_line("words.log") || !person.report("file dialog closed: Open", 2))
            return "the list's name typed after the box";
        if (!person.click_room() || !person.type_line("opened"))
            return "the word that the editor has the list";

        if (!person.report("file dialog opened: Save As")) return "the editor's save dialog";
        if (!person.xdo("key alt+n") || !person.report("input box opened: New Directory?"))
            return "the dialog's new-folder box";
        person.hold(10);
        // The dialog takes the name typed next as soon as the box is answered, in the folder
        // just made, while the game's handlers may still run inside the box's wait.
        if (!person.type_line("lists") || !person.report("input box answered: New Directory?"))
            return "the new folder's name";
        if (!person.type_line("new.log") || !person.report("file dialog closed: Save As"))
            return "the new list's name typed into the save dialog";
        if (!person.click_room() || !person.type_line("saved"))
            return "the word that the list is saved";
        return "";
    }

    // The moments a report was made, the nth of its kind.
    static double reported(const std::string& what, int nth = 1) {
        return test_support::Reported(s_run->err(), what, nth);
    }
    // The room's lines said between two moments.
    static std::vector<TimedLine> said_between(double from, double to) {
        std::vector<TimedLine> lines;
        for (const TimedLine& line : test_support::SaidLines(s_run->out()))
            if (line.at > from && line.at < to) lines.push_back(line);
        return lines;
    }

    static inline std::unique_ptr<test_support::PersonRun> s_run;
};

// The game's rounds while a box of a dialog is up: each word ends on time, by its time-out or
// an answer, and the next follows on time, as with no box open. A word out times out 4.2
// seconds later (3.7 and the poster's own pause). The next goes out after the delay of 3
// seconds and the poster's pause of 1: whole seconds of the clock, which count from the second
// nearest to their start. A time-out falls at the same point of a second each time, and the
// next word follows 3.8 seconds later; after an answer, whenever it came, 3.5 to 4.5 seconds.
void ExpectTheGameGoesOn(const std::vector<TimedLine>& during, const std::string& out) {
    int posted = 0, timed_out = 0;
    double last_posted = -1, last_ended = -1;
    bool answered = false;
    for (const TimedLine& line : during) {
        if (line.text.find("tavrel log:") != std::string::npos) {
            if (last_ended >= 0 && answered) {
                EXPECT_GE(line.at - last_ended, 3.5 - 0.1) << out;
                EXPECT_LE(line.at - last_ended, 4.5 + 0.1) << out;
            } else if (last_ended >= 0) {
                EXPECT_NEAR(line.at - last_ended, 3.8, 0.3) << out;
            }
            ++posted;
            last_posted = line.at;
            last_ended = -1;
        } else if (line.text.find("word skipped") != std::string::npos) {
            if (last_posted >= 0) {
                EXPECT_NEAR(line.at - last_posted, 4.2, 0.3) << out;
            }
            ++timed_out;
            last_ended = line.at;
            answered = false;
        } else if (line.text.find("</b> in<b>") != std::string::npos) {
            last_ended = line.at;
            answered = true;
        }
    }
    EXPECT_GE(posted, 1) << out;
    EXPECT_GE(timed_out, 1) << out;
}

// One run of the program, checked for each thing the person did.
TEST_F(ViewPerson, AnswersTheBoxesAndTypesIntoTheRoomWhileTheGameGoesOn) {
    {
        SCOPED_TRACE("a line typed into the room while a file dialog is open is said");
        double opened = reported("file dialog opened: Open");
        double closed = reported("file dialog closed: Open");
        bool said = false;
        for (const TimedLine& line : said_between(opened, closed))
            said = said || line.text == "host: said while a file dialog is open";
        EXPECT_TRUE(said) << s_run->out() << s_run->err();
    }
    {
        SCOPED_TRACE("a name typed into the open dialog opens that list: the game plays it");
        int posted = 0;
        for (const TimedLine& line : said_between(reported("file dialog closed: Open"), 1e9))
            posted += line.text.find("tavrel log:") != std::string::npos ? 1 : 0;
        EXPECT_GE(posted, 2) << s_run->out();
    }
    {
        SCOPED_TRACE("the game goes on while the dialog's alert is up; a line said is judged");
        double opened = reported("message box opened: Please choose an existing file!");
        double closed = reported("message box closed: Please choose an existing file!");
        EXPECT_GT(closed - opened, 9.0);
        std::vector<TimedLine> during = said_between(opened, closed);
        ExpectTheGameGoesOn(during, s_run->out());
        bool judged = false;
        for (std::size_t i = 0; i + 1 < during.size(); ++i)
            judged = judged || (during[i].text == "host: apple" &&
                                during[i + 1].text.find("[ host</b> in") != std::string::npos &&
                                during[i + 1].at - during[i].at < 0.1);
        EXPECT_TRUE(judged) << s_run->out();
    }
    {
        SCOPED_TRACE("the game goes on while the dialog's new-folder box is up");
        double opened = reported("input box opened: New Directory?");
        double closed = reported("input box closed: New Directory?");
        EXPECT_GT(closed - opened, 9.0);
        ExpectTheGameGoesOn(said_between(opened, closed), s_run->out());
    }
    {
        SCOPED_TRACE("a new name typed into the save dialog saves in the folder it shows");
        // The editor's list, opened by the name the person typed, saved in the new folder.
        std::string saved = ReadAll(folder() / "lists" / "new.log");
        int words = 0;
        for (std::size_t at = saved.find("apple"); at != std::string::npos;
             at = saved.find("apple", at + 1))
            ++words;
        EXPECT_EQ(words, 40) << saved;
        EXPECT_FALSE(fs::exists(folder() / "new.log"));
        EXPECT_FALSE(fs::exists(fs::current_path() / "new.log"));
    }
}

}  // namespace

#endif  // TAVREL_HAS_VIEW
