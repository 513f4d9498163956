// Announcements and statistics on request, the file menu's boxes and postings, and exit.
#include "common/chat.h"
#include "common/pause.h"
#include "common/scores.h"
#include "common/settings.h"
#include "game/Form4.h"
#include "platform/forms/application.h"
#include "platform/forms/modal.h"
#include "platform/loop/loop.h"
#include "platform/text/text.h"

namespace {
// Where players can fetch the program; set when the program is built.
constexpr const char* kDownloadAddress = TAVREL_DOWNLOAD_URL;

std::string DownloadLink() {
    return std::string("< a href=\"") + kDownloadAddress + "\">download</a>";
}
}  // namespace

void Form4::Form4_sendscores_Click() {
    if (List2.ListCount() == 0) return;
    SendChat("<FONT FACE=Arial><b>[</b> tavrel scoreboard <b>]</b></font>");
    SortScores(List2);
    SendListLines(List2);
}

void Form4::Form4_top3menu_Click() {
    SendTopThree(List2);
}

void Form4::Form4_winner_Click() {
    if (List2.ListCount() == 0) return;
    percents.Enabled = true;
    SendChat(AnnounceWinners(List2));
    Pause(1);
    if (List1.ListCount() == 0) {
        percents.Enabled = false;
        return;
    }
    SendChat("<b>[</b> answering<b> " + text::TwoDecimals(text::Val(Label13.Caption())) +
             "%</b> of the log <b>]</b>");
    percents.Enabled = false;
}

void Form4::Form4_mostrecent_Click() {
    const std::string value = ReadIni("thewinner", "winner", SettingsFile());
    if (value.empty()) return;
    SendChat("<b>[</b> the last winner was " + value);
}

void Form4::Form4_averagetime_Click() {
    if (List3.ListCount() == 0) return;
    std::int32_t total = 0;
    for (int i = 0; i < List3.ListCount(); ++i) {
        double time = text::Val(text::TwoDecimals(text::Val(List3.List(i))));
        total = text::RoundHalfEven32(static_cast<double>(total) + time);
    }
    double average = static_cast<double>(total) / List3.ListCount();
    Pause(0);
    SendChat("<b>[</b> tavrel average speed of players - <b>" + text::TwoDecimals(average) +
             "</b> seconds <b>]</b>");
}

void Form4::Form4_averagewpm_Click() {
    if (List4.ListCount() == 0) return;
    std::int32_t total = 0;
    for (int i = 0; i < List4.ListCount(); ++i)
        total = text::RoundHalfEven32(static_cast<double>(total) + text::Val(List4.List(i)));
    double average = static_cast<double>(total) / List4.ListCount();
    SendChat("<b>[</b> tavrel average <B>WPM</B> of players - <b>" + text::TwoDecimals(average) +
             " ]</b>");
}

void Form4::Form4_clearscores_Click() {
    if (List2.ListCount() == 0) return;
    List2.Clear();
    perceNt.Clear();
    SendChat("<FONT FACE=Arial><b>[</b> tavrel - scores <b>cleared ]</b></font>");
}

void Form4::Form4_abouty_Click() {
    forms::MsgBox("tavrel version 1.5\r\nmay 7th 2005\r\ntested on AOL 9.0 ", forms::vbInformation,
                  "About tavrel");
}

void Form4::Form4_helpmenu_Click() {
    forms::MsgBox(
        "heres some bugs i know about:\r\n"
        "\r\n"
        "occasionally it will give it to the second place player. (rarely)\r\n"
        "\r\n"
        "if you dont put your EXACT aol screenname in, you can play.\r\n"
        "\r\n"
        "found another one? please report it where you got tavrel, so it can be fixed.\r\n"
        "............................................................\r\n"
        ".....................        veskin         .........................",
        forms::vbOKOnly, "tavrel");
}

void Form4::Form4_advertisemenu_Click() {
    SendChat("<b>[</b> tavrel by veskin <b>]</b>");
    SendChat("<b>[</b> AOL 9.0 chat scrambler <b>]</b> <b>[</b> " + DownloadLink() + " <b>]</b>");
}

void Form4::Form4_adv2menu_Click() {
    SendChat("<b>[</b> tavrel version 1.5 <b>]</b> <b>[</b> may 7th 2005 <b>]</b>");
    SendChat("<b>[</b> " + DownloadLink() + " <b>]</b>");
}

void Form4::Form4_exit_Click() {
    SendChat("<FONT FACE=Arial><b>[</b> tavrel by veskin <b>]</b> <b>[</b> unloaded <b>]</b>");
    Unload();
    for (forms::Form* form : forms::App().forms()) form->Hide();
    loop::EventLoop::instance().end();
}
