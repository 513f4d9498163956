// Judging the room's lines in the main window: the leader's share worked out by the percents
// tick, the window that the end of the list leaves behind, and what a line counts for while no
// word is in play.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/settings.h"
#include "game/Form4.h"
#include "platform/chatclient/chat_client.h"
#include "tests/game/lists_program_run.h"

namespace {

using Entries = std::vector<std::string>;

class Judging : public form4_test::ProgramRun {
  protected:
    std::string Setting(const std::string& section, const std::string& key) const {
        return ReadIni(section, key, PathOf("tavrel.ini"));
    }
};

TEST_F(Judging, PercentsTickWritesTheLeadersShareUnlessTiedOrTheListSizeIsNoNumber) {
    struct Case {
        const char* what;
        Entries answers;
        const char* words;
        const char* label12;
        const char* label13;
    };
    const Case cases[] = {
        {"no answers", {}, "21", "5", "9"},
        {"7 of 21", {"bob - 7"}, "21", "7", "33.3333333333333"},
        {"1 of 8", {"al - 1"}, "8", "1", "12.5"},
        {"4 of 4", {"al - 4"}, "4", "4", "100"},
        {"all of 32,768", {"al - 32768"}, "32768", "32768", "100"},
        {"all of 40,000", {"bo - 1", "al - 40000"}, "40000", "40000", "100"},
        {"65,537 of 131,074", {"al - 65537"}, "131074", "65537", "50"},
        {"the leader after others", {"bob - 1", "al - 3", "cy - 2"}, "6", "3", "50"},
        {"a tie below the leader", {"bo - 2", "bob - 2", "cy - 3"}, "6", "3", "50"},
        {"a tie for the most", {"bo - 2", "bob - 2", "cy - 1"}, "6", "5", "9"},
        {"a list of 0 words", {"al - 3"}, "0", "3", "9"},
        {"a list size that is no number", {"al - 3"}, "some", "3", "9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Form4& f = Main();
        f.perceNt.Clear();
        for (const std::string& entry : c.answers) f.perceNt.AddItem(entry);
        f.Label6.Caption = c.words;
        f.Label12.Caption = "5";
        f.Label13.Caption = "9";
        f.Form4_percents_Timer();
        EXPECT_EQ(f.Label12.Caption(), c.label12);
        EXPECT_EQ(f.Label13.Caption(), c.label13);
    }
}

TEST_F(Judging, AListOfZeroWordsKeepsTheShareAndThePercentLineShowsIt) {
    WriteList("words.log", "tea\r\r\njam\r\r\n");
    Probe("no size", [] { Main().Label6.Caption = "0"; });
    std::string said =
        Run("menu Form4.mixlog\nclick Form4.Command5\nchoose words.log\nclick Form4.Command1\n"
            "await tavrel log\nwait 2\nsay alice: tea\nwait 1\nmenu Form4.winner\nwait 2\n"
            "say probe: no size\nawait tavrel log\nwait 2\nsay alice: jam\nwait 4\n");
    EXPECT_NE(said.find("host: <b>[</b> answering<b> 50.00%</b> of the log <b>]</b>"),
              std::string::npos);
    EXPECT_NE(said.find("host: <b>[</b> answering<b> 50%</b> of the log <b>]</b>"),
              std::string::npos)
        << said;
    EXPECT_EQ(Main().Label12.Caption(), "2");
    EXPECT_EQ(Main().Label13.Caption(), "50");
}

// The host answers the last word; the result line that comes back from the room finishes the
// list. Signed on as host or as Host, the window ends idle with no timer left on.
TEST_F(Judging, TheHostsLastAnswerLeavesTheFinishedWindowIdle) {
    for (const char* screen_name : {"host", "Host"}) {
        SCOPED_TRACE(screen_name);
        StartAfresh();
        std::filesystem::remove(PathOf("tavrel.ini"));
        chatclient::ChatClient::instance().reset(chatclient::Mode::Room, screen_name);
        WriteList("words.log", "cat\r\r\ndog\r\r\n");
        const std::string host = screen_name;
        std::string said =
            Run("menu Form4.mixlog\nclick Form4.Command5\nchoose words.log\nclick Form4.Command1\n"
                "await tavrel log\nwait 2\nsay " +
                host +
                ": cat\nawait tavrel log\nwait 2\n"
                "say " +
                host + ": dog\nwait 10\n");
        Form4& f = Main();
        EXPECT_NE(said.find("[14.00] " + host + ": <FONT FACE=Arial><b>[</b> end of log"),
                  std::string::npos)
            << said;
        EXPECT_EQ(f.Check2.Value, 1);
        EXPECT_EQ(f.Check1.Value, 0);
        EXPECT_EQ(f.Text1.Text(), "");
        EXPECT_FALSE(f.Chat1.reading());
        for (forms::TimerControl* timer : {&f.Timer1, &f.Timer2, &f.Timer4, &f.percents})
            EXPECT_FALSE(timer->Enabled) << timer->name();
        EXPECT_EQ(f.ProgressBar1.Value, 0);
        EXPECT_EQ(f.ProgressBar2.Value, 0);
        EXPECT_EQ(f.Label1.Caption(), "1");
        for (forms::Control* on : std::initializer_list<forms::Control*>{
                 &f.Command1, &f.Command4, &f.Command7, &f.Command5, &f.Command6, &f.Text1,
                 &f.Text2, &f.sendscores, &f.clearscores, &f.mixNOW, &f.averagewpm})
            EXPECT_TRUE(on->Enabled) << on->name();
        for (forms::Control* off : {&f.Command3, &f.Command9})
            EXPECT_FALSE(off->Enabled) << off->name();
        for (forms::MenuItem* shown : {&f.points, &f.averagetime, &f.averagewpm})
            EXPECT_TRUE(shown->Visible) << shown->name();
        EXPECT_EQ(f.List2.entries(), Entries{"host - 2"});
        EXPECT_EQ(f.perceNt.entries(), Entries{"host - 2"});
        EXPECT_EQ(f.List3.entries(), (Entries{"2.27", "2.27"}));
        EXPECT_EQ(f.List4.ListCount(), 2);
        EXPECT_EQ(Setting("tavrel", "scramble"), "2");
        EXPECT_EQ(Setting("completed", "finished"), "1");
    }
}

// Once the last word has timed out nothing is in play: the next line finishes the list, even
// one that is empty once its markup is gone, and it scores nobody.
TEST_F(Judging, ALineWithNoWordInPlayFinishesTheListAndScoresNothing) {
    WriteList("words.log", "cat\r\r\n");
    std::string said =
        Run("menu Form4.mixlog\nclick Form4.Command5\nchoose words.log\nclick Form4.Command1\n"
            "await answer was\nwait 5\nsay bob: <b></b>\nwait 4\n");
    Form4& f = Main();
    EXPECT_NE(said.find("end of log"), std::string::npos) << said;
    EXPECT_EQ(said.find("score:"), std::string::npos) << said;
    EXPECT_EQ(f.List2.ListCount(), 0);
    EXPECT_EQ(f.perceNt.ListCount(), 0);
    EXPECT_EQ(f.List3.ListCount(), 0);
    EXPECT_EQ(f.List4.ListCount(), 0);
    EXPECT_EQ(f.Check2.Value, 1);
    EXPECT_EQ(Setting("tavrel", "scramble"), "");
    EXPECT_EQ(Setting("thewinner", "winner"), "");
}

// Wrong lines leave the game as it was; each right answer adds its time and speed and counts.
TEST_F(Judging, OnlyRightAnswersAddToTheStatisticsAndTheCounter) {
    WriteList("words.log", "cat\r\r\ndog\r\r\nemu\r\r\n");
    Entries words_during;
    Probe("board", [&] { words_during = Main().List1.entries(); });
    Run("menu Form4.mixlog\nclick Form4.Command5\nchoose words.log\nclick Form4.Command1\n"
        "await tavrel log\nwait 2\nsay al: ca t\nsay al: dog\nsay al:  cat\nsay probe: board\n"
        "wait 1\nsay al: cat\nawait tavrel log\nwait 3\nsay bo: DOG\nwait 1\nsay bo: dog\n"
        "wait 1\n");
    Form4& f = Main();
    EXPECT_EQ(words_during, (Entries{"cat", "dog", "emu"}));
    EXPECT_EQ(f.List1.entries(), Entries{"emu"});
    EXPECT_EQ(f.List2.entries(), (Entries{"al - 1", "bo - 1"}));
    EXPECT_EQ(f.perceNt.entries(), (Entries{"al - 1", "bo - 1"}));
    EXPECT_EQ(f.List3.entries(), (Entries{"2.91", "2.91"}));
    // 3 letters in 2.91 seconds: 12.37 words of five letters a minute.
    EXPECT_EQ(f.List4.entries(), (Entries{"12", "12"}));
    EXPECT_EQ(Setting("tavrel", "scramble"), "2");
    EXPECT_EQ(Setting("completed", "finished"), "");
}

}  // namespace
