#pragma once
// The main window: the scramble game. The game keeps its whole state in these controls and
// reads it back from them as text.
//
// The window is folded at start (its client area shows the left part only); the right part
// shows while it is unfolded; the state holders sit where the client area never reaches.
// Controls are declared in the order of the window's tables, timers in their own table's
// order, which is also the order in which they tick in one round.

#include <optional>
#include <string>

#include "common/progress_bar.h"
#include "platform/chatreader/chat.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"

class Form4 : public forms::Form {
  public:
    Form4();

    // Left part, visible at start.
    forms::Label Label3{*this, "Label3"};
    forms::Label Label5{*this, "Label5"};  // words left in List1
    forms::TextBox Text2{*this, "Text2"};  // the posted (scrambled) word
    forms::Frame Frame1{*this, "Frame1"};  // its caption is LogName
    forms::ListBox List1{*this, "List1"};  // words still to play; entry 0 is the current word
    ProgressBarControl ProgressBar1;       // progress through the list
    ProgressBarControl ProgressBar2;       // count-down of the current word
    forms::Label Label2{*this, "Label2"};  // unfold arrow
    forms::CommandButton Command1{*this, "Command1"};
    forms::CommandButton Command4{*this, "Command4"};
    forms::CommandButton Command5{*this, "Command5"};
    forms::CommandButton Command6{*this, "Command6"};
    forms::CommandButton Command8{*this, "Command8"};
    forms::CommandButton Command2{*this, "Command2"};
    forms::CommandButton Command3{*this, "Command3"};
    forms::CommandButton Command7{*this, "Command7"};
    forms::CommandButton Command9{*this, "Command9"};

    // Right part, visible while unfolded.
    forms::Picture Image1{*this, "Image1"};
    forms::Frame Frame2{*this, "Frame2"};
    forms::ListBox List2{*this, "List2"};  // the scoreboard
    forms::Label Label7{*this, "Label7"};  // fold arrow

    // State holders, never visible.
    forms::TextBox Text1{*this, "Text1"};      // the current answer; empty: no word is out
    forms::TextBox Text3{*this, "Text3"};      // HostName
    forms::Label Label1{*this, "Label1"};      // the word clock
    forms::Label Label9{*this, "Label9"};      // points for the current word
    forms::Label Label10{*this, "Label10"};    // time limit in seconds
    forms::Label Label11{*this, "Label11"};    // delay after a right answer or a skip
    forms::Label hints{*this, "hints"};        // hint counter, "1" at rest
    forms::Label Label6{*this, "Label6"};      // words in the loaded list
    forms::Label Label8{*this, "Label8"};      // words left when the current word was posted
    forms::Label Label12{*this, "Label12"};    // most right answers of one player
    forms::Label Label13{*this, "Label13"};    // Label12 as a percentage of the list
    forms::Label howmany{*this, "howmany"};    // the answering player's score text
    forms::CheckBox Check1{*this, "Check1"};   // 1 while the game is stopped
    forms::CheckBox Check2{*this, "Check2"};   // 1 once the list is used up
    forms::ListBox List3{*this, "List3"};      // answer times
    forms::ListBox List4{*this, "List4"};      // typing speeds
    forms::ListBox perceNt{*this, "perceNt"};  // right answers per player
    chatreader::Chat Chat1;
    dialogs::CommonDialog CommonDialog1;

    // Timers, in the order they are created.
    forms::TimerControl Timer1{*this, "Timer1", 1, false};      // the word clock
    forms::TimerControl Timer2{*this, "Timer2", 1, false};      // posts the current word
    forms::TimerControl Timer4{*this, "Timer4", 50, false};     // the count-down bar
    forms::TimerControl Timer5{*this, "Timer5", 1, true};       // words left into Label5
    forms::TimerControl Timer6{*this, "Timer6", 1, false};      // descending points
    forms::TimerControl percents{*this, "percents", 1, false};  // Label12 and Label13
    forms::TimerControl shrink{*this, "shrink", 1, false};      // folds the window
    forms::TimerControl wide{*this, "wide", 1, false};          // unfolds the window

    // Menus, each item after the one that holds it.
    forms::MenuItem file{*this, "file", "file", nullptr};
    forms::MenuItem helpmenu{*this, "helpmenu", "known issues", &file};
    forms::MenuItem abouty{*this, "abouty", "about", &file};
    forms::MenuItem fileBar1{*this, "fileBar1", "-", &file};
    forms::MenuItem advertisemenu{*this, "advertisemenu", "advertise", &file};
    forms::MenuItem adv2menu{*this, "adv2menu", "advertise 2", &file};
    forms::MenuItem fileBar2{*this, "fileBar2", "-", &file};
    forms::MenuItem exit{*this, "exit", "exit tavrel", &file};

    forms::MenuItem log{*this, "log", "logs", nullptr};
    forms::MenuItem scrollDElay{*this, "scrollDElay", "scroll delay", &log};
    forms::MenuItem scrollDElay2{*this, "scrollDElay2", "1.5 seconds", &scrollDElay};
    forms::MenuItem scrollDElay3{*this, "scrollDElay3", "3 seconds", &scrollDElay};
    forms::MenuItem scrollDELay8{*this, "scrollDELay8", "8 seconds", &scrollDElay};
    forms::MenuItem scrollDELay12{*this, "scrollDELay12", "12 seconds", &scrollDElay};
    forms::MenuItem autoON{*this, "autoON", "autoskip ", &log};
    forms::MenuItem fivesec{*this, "fivesec", "3.7 seconds (slow computers beware)", &autoON};
    forms::MenuItem tensec{*this, "tensec", "10 seconds", &autoON};
    forms::MenuItem fifteenmenu{*this, "fifteenmenu", "15 seconds", &autoON};
    forms::MenuItem twentYmenu{*this, "twentYmenu", "20 seconds", &autoON};
    forms::MenuItem twentyFivemenu{*this, "twentyFivemenu", "25 seconds", &autoON};
    forms::MenuItem logBar1{*this, "logBar1", "-", &log};
    forms::MenuItem hintsmenU{*this, "hintsmenU", "auto send hint", &log};
    forms::MenuItem rehint{*this, "rehint", "auto send reverse hint", &log};
    forms::MenuItem dontscroll{*this, "dontscroll", "dont send hints", &log};
    forms::MenuItem logBar2{*this, "logBar2", "-", &log};
    forms::MenuItem capitalletter{*this, "capitalletter", "capitalize first letter", &log};
    forms::MenuItem capAll{*this, "capAll", "capitalize all", &log};
    forms::MenuItem lowAll{*this, "lowAll", "all lowercase", &log};
    forms::MenuItem logBar3{*this, "logBar3", "-", &log};
    forms::MenuItem loadikfjk{*this, "loadikfjk", "load log", &log};
    forms::MenuItem creat{*this, "creat", "create a log", &log};
    forms::MenuItem mixlog{*this, "mixlog", "mix log on load", &log};
    forms::MenuItem mixNOW{*this, "mixNOW", "mix log now", &log};
    forms::MenuItem killdupes{*this, "killdupes", "remove duplicates", &log};

    forms::MenuItem scores{*this, "scores", "scores", nullptr};
    forms::MenuItem points{*this, "points", "points for each answer", &scores};
    forms::MenuItem oNemenu{*this, "oNemenu", "1", &points};
    forms::MenuItem tHreemenu{*this, "tHreemenu", "3", &points};
    forms::MenuItem fivemenu{*this, "fivemenu", "5", &points};
    forms::MenuItem wordmenu{*this, "wordmenu", "smart score", &points};
    forms::MenuItem descendmenu{*this, "descendmenu", "descending", &points};
    forms::MenuItem scoresBar1{*this, "scoresBar1", "-", &scores};
    forms::MenuItem winner{*this, "winner", "send winner ", &scores};
    forms::MenuItem top3menu{*this, "top3menu", "send top 3", &scores};
    forms::MenuItem sendscores{*this, "sendscores", "send all scores", &scores};
    forms::MenuItem clearscores{*this, "clearscores", "clear scores", &scores};
    forms::MenuItem mostrecent{*this, "mostrecent", "most recent winner", &scores};
    forms::MenuItem scoresBar2{*this, "scoresBar2", "-", &scores};
    forms::MenuItem averagetime{*this, "averagetime", "average time", &scores};
    forms::MenuItem averagewpm{*this, "averagewpm", "average WPM", &scores};

    forms::MenuItem other{*this, "other", "other", nullptr};
    forms::MenuItem nolog{*this, "nolog", "tavrel non log scrambler", &other};
    forms::MenuItem otherBar1{*this, "otherBar1", "-", &other};
    forms::MenuItem displayhost{*this, "displayhost", "display host name", &other};
    forms::MenuItem hostname{*this, "hostname", "change host name", &other};

    // The loaded word list's name ("log being used" when none is loaded).
    std::string LogName() const;
    // The host's own screen name.
    std::string HostName() const;

    // Start-up and the host name.
    void Form4_Form_Load();
    void Form4_hostname_Click();
    void Form4_displayhost_Click();

    // Word lists.
    void Form4_loadikfjk_Click();
    void Form4_Command5_Click();
    void Form4_Command6_Click();
    void Form4_Command2_Click();
    void Form4_mixlog_Click();
    void Form4_mixNOW_Click();

    // The game cycle.
    void Form4_Command1_Click();
    void Form4_Timer2_Timer();
    void Form4_Command4_Click();
    void Form4_Command8_Click();
    void Form4_Command9_Click();
    void Form4_Timer5_Timer();

    // The word clock, hints and time-outs.
    void Form4_Timer1_Timer();
    void Form4_Timer4_Timer();
    void Form4_Timer6_Timer();
    void Form4_Command3_Click();
    void Form4_Command7_Click();

    // Judging chat lines.
    void Form4_Chat1_ChatLine(std::string& ScreenName, std::string& LineText);
    void Form4_percents_Timer();

    // Option menus.
    void Form4_scrollDElay2_Click();
    void Form4_scrollDElay3_Click();
    void Form4_scrollDELay8_Click();
    void Form4_scrollDELay12_Click();
    void Form4_fivesec_Click();
    void Form4_tensec_Click();
    void Form4_fifteenmenu_Click();
    void Form4_twentYmenu_Click();
    void Form4_twentyFivemenu_Click();
    void Form4_hintsmenU_Click();
    void Form4_rehint_Click();
    void Form4_dontscroll_Click();
    void Form4_capitalletter_Click();
    void Form4_capAll_Click();
    void Form4_lowAll_Click();
    void Form4_oNemenu_Click();
    void Form4_tHreemenu_Click();
    void Form4_fivemenu_Click();
    void Form4_wordmenu_Click();
    void Form4_descendmenu_Click();

    // Announcements and statistics.
    void Form4_helpmenu_Click();
    void Form4_abouty_Click();
    void Form4_advertisemenu_Click();
    void Form4_adv2menu_Click();
    void Form4_exit_Click();
    void Form4_winner_Click();
    void Form4_top3menu_Click();
    void Form4_sendscores_Click();
    void Form4_clearscores_Click();
    void Form4_mostrecent_Click();
    void Form4_averagetime_Click();
    void Form4_averagewpm_Click();

    // Window chrome and switching.
    void Form4_Label2_Click();
    void Form4_Label7_Click();
    void Form4_wide_Timer();
    void Form4_shrink_Timer();
    void Form4_List1_MouseMove(int Button, int Shift, float X, float Y);
    void Form4_creat_Click();
    void Form4_nolog_Click();

  protected:
    void Form_Load() override { Form4_Form_Load(); }

  private:
    void LayOut();
    void Wire();

    std::string SettingsFile() const;
    void LoadLog();
    void ShowRunning(bool running);
    std::string LogLine() const;
    std::string WordLine() const;
    void AutoHint();
    void TimeOut();
    void RightAnswer(const std::string& ScreenName, const std::string& LineText,
                     const std::string& scramble);
    void EndOfList(const std::string& finished);
    void GoIdleAfterList();
    void ChooseDelay(forms::MenuItem& item, const char* seconds);
    void ChooseTimeLimit(forms::MenuItem& item, const char* seconds, int bar_maximum);
    void ChoosePoints(forms::MenuItem& item);

    // Bumped by every road that readies a new word, so a road whose pause was overtaken by
    // another (a skip, a start, a right answer) leaves that road's word alone.
    unsigned m_word_serial = 0;
    // Bumped by each start that puts a word in play. The end of a run's list is announced once:
    // a start on the used-up list sets Check2 back, but not the run it announced.
    unsigned m_list_run = 0;
    std::optional<unsigned> m_announced_run;
};
