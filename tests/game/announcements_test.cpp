// The main window's announcements on request: the averages, the winner command's use of the
// percents timer, the scoreboard's order, clearing the scores, and exit.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/Form4.h"
#include "platform/chatclient/chat_client.h"
#include "platform/forms/application.h"
#include "tests/game/lists_program_run.h"

namespace {

using Entries = std::vector<std::string>;

class Announcements : public form4_test::ProgramRun {
  protected:
    static std::vector<std::string> Said() {
        std::vector<std::string> texts;
        for (const chatclient::Line& line : chatclient::ChatClient::instance().transcript())
            texts.push_back(line.text);
        return texts;
    }
    static void Fill(forms::ListBox& list, const Entries& entries) {
        list.Clear();
        for (const std::string& entry : entries) list.AddItem(entry);
    }
};

TEST_F(Announcements, AveragesRoundTheRunningTotalAfterEachEntry) {
    struct Case {
        Entries entries;
        const char* average;
    };
    const Case times[] = {
        {{"1.5", "1.5"}, "2.00"},       // 2, then 4
        {{"3.45", "2.3"}, "2.50"},      // 3, then 5
        {{"0.5", "0.5", "2"}, "0.67"},  // 0, 0, 2
        {{"2.5"}, "2.00"},
        {{"1.496"}, "2.00"},  // taken with two decimals first: 1.50
    };
    for (const Case& c : times) {
        SCOPED_TRACE(c.entries.front());
        StartAfresh();
        Fill(Main().List3, c.entries);
        Main().Form4_averagetime_Click();
        EXPECT_EQ(Said(), Entries{"<b>[</b> tavrel average speed of players - <b>" +
                                  std::string(c.average) + "</b> seconds <b>]</b>"});
    }
    const Case speeds[] = {
        {{"16", "16", "14", "21"}, "16.75"},
        {{"0.5", "0.5", "2"}, "0.67"},
        {{"1.496"}, "1.00"},  // taken as it stands
    };
    for (const Case& c : speeds) {
        SCOPED_TRACE(c.entries.front());
        StartAfresh();
        Fill(Main().List4, c.entries);
        Main().Form4_averagewpm_Click();
        EXPECT_EQ(Said(), Entries{"<b>[</b> tavrel average <B>WPM</B> of players - <b>" +
                                  std::string(c.average) + " ]</b>"});
    }
    StartAfresh();
    Main().Form4_averagetime_Click();
    Main().Form4_averagewpm_Click();
    EXPECT_TRUE(Said().empty());
}

TEST_F(Announcements, AnEmptyScoreboardLeavesEverythingAsItWas) {
    for (bool percents_on : {false, true}) {
        SCOPED_TRACE(percents_on);
        StartAfresh();
        Form4& f = Main();
        f.percents.Enabled = percents_on;
        Fill(f.perceNt, {"bob - 2"});
        Fill(f.List3, {"2.5"});
        f.Form4_winner_Click();
        f.Form4_sendscores_Click();
        f.Form4_clearscores_Click();
        f.Form4_mostrecent_Click();
        EXPECT_EQ(f.percents.Enabled, percents_on);
        EXPECT_EQ(f.perceNt.entries(), Entries{"bob - 2"});
        EXPECT_TRUE(Said().empty());
    }
}

TEST_F(Announcements, ClearScoresEmptiesTheBoardAndTheAnswerCountsOnly) {
    Form4& f = Main();
    Fill(f.List2, {"al - 3", "bo - 1"});
    Fill(f.perceNt, {"al - 3", "bo - 1"});
    Fill(f.List3, {"2.5"});
    Fill(f.List4, {"12"});
    f.Form4_clearscores_Click();
    f.Form4_clearscores_Click();
    EXPECT_EQ(f.List2.ListCount(), 0);
    EXPECT_EQ(f.perceNt.ListCount(), 0);
    EXPECT_EQ(f.List3.entries(), Entries{"2.5"});
    EXPECT_EQ(f.List4.entries(), Entries{"12"});
    EXPECT_EQ(Said(), Entries{"<FONT FACE=Arial><b>[</b> tavrel - scores <b>cleared ]</b></font>"});
}

TEST_F(Announcements, TheWinnerCommandRunsThePercentsTimerOnlyWhileItWaits) {
    WriteList("words.log", "tea\r\r\njam\r\r\n");
    bool on_during = false;
    Probe("during", [&] { on_during = Main().percents.Enabled; });
    std::string said =
        Run("menu Form4.mixlog\nclick Form4.Command5\nchoose words.log\nclick Form4.Command1\n"
            "await tavrel log\nwait 2\nsay alice: tea\nwait 1\nmenu Form4.winner\nwait 0.5\n"
            "say probe: during\nwait 1\n");
    EXPECT_TRUE(on_during);
    EXPECT_FALSE(Main().percents.Enabled);
    EXPECT_EQ(Main().Label13.Caption(), "50");
    EXPECT_NE(said.find("[9.00] host: <b>[</b> answering<b> 50.00%</b> of the log <b>]</b>"),
              std::string::npos)
        << said;
}

TEST_F(Announcements, TheScoreboardLeavesTheBoardSortedHighestFirst) {
    WriteList("words.log", "oak\r\r\nelm\r\r\nash\r\r\n");
    Run("menu Form4.mixlog\nclick Form4.Command5\nchoose words.log\nclick Form4.Command1\n"
        "await tavrel log\nwait 2\nsay al: oak\nawait tavrel log\nwait 2\nsay cy: elm\n"
        "await tavrel log\nwait 2\nsay cy: ash\nwait 4\nmenu Form4.sendscores\nwait 3\n");
    EXPECT_EQ(Main().List2.entries(), (Entries{"cy - 2", "al - 1"}));
}

TEST_F(Announcements, ExitEndsTheProgramWithEveryWindowClosed) {
    WriteList("words.log", "tea\r\r\n");
    std::string said =
        Run("menu Form4.mixlog\nclick Form4.Command5\nchoose words.log\nclick Form4.Command1\n"
            "await tavrel log\nwait 1\nmenu Form4.exit\nwait 30\nsay alice: tea\n");
    EXPECT_EQ(Said().back(),
              "<FONT FACE=Arial><b>[</b> tavrel by veskin <b>]</b> <b>[</b> unloaded <b>]</b>");
    EXPECT_EQ(said.find("alice"), std::string::npos) << said;
    EXPECT_EQ(forms::App().find("Form4"), nullptr);  // unloaded and forgotten
    for (forms::Form* form : forms::App().forms()) EXPECT_FALSE(form->Visible) << form->name();
}

}  // namespace
