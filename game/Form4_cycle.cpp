// The game's rhythm: start, the one-shot poster, stop, skip, posting again, the words-left count.
#include "common/chat.h"
#include "common/list_helpers.h"
#include "common/pause.h"
#include "common/scores.h"
#include "common/scramble.h"
#include "common/settings.h"
#include "game/Form4.h"
#include "platform/forms/application.h"
#include "platform/forms/modal.h"
#include "platform/text/text.h"

std::string Form4::LogLine() const {
    return "<FONT FACE=Arial><b>[</b> tavrel" + std::string(" log: ") + LogName() +
           "<b> ]</b></font> ";
}

std::string Form4::WordLine() const {
    return "<FONT FACE=Arial><b>[</b> " + Text2.Text() + "<b> ]</b></font>";
}

void Form4::ShowRunning(bool running) {
    Command1.Enabled = !running;
    Command2.Enabled = !running;
    Command3.Enabled = running;
    Command4.Enabled = true;
    Command5.Enabled = !running;
    Command6.Enabled = !running;
    Command7.Enabled = running;
    Command8.Enabled = running;
    Command9.Enabled = running;
    sendscores.Enabled = !running;
    clearscores.Enabled = !running;
    mixNOW.Enabled = !running;
    points.Visible = !running;
    averagetime.Visible = !running;
    averagewpm.Visible = !running;
}

void Form4::Form4_Command1_Click() {
    // A poster left on by a stop during a delay would tick inside the box or the scramble below
    // and post the new word before the start hands it over, and then again after.
    Timer2.Enabled = false;
    if (List2.ListCount() >= 1) {
        int answer = forms::MsgBox(
            "you haven't cleared the scores since the log was last run. would you like to clear "
            "the scores now?",
            forms::vbYesNo | forms::vbExclamation, "clear scores?");
        if (answer == forms::vbYes) List2.Clear();
    }
    SetListIndex(List1, 0);
    Check1.Value = 0;
    Check2.Value = 0;
    ShowRunning(true);
    Text1.Text = text::LCase(List1.Text());
    Text2.Text = ScrambleWords(Text1.Text());
    ++m_word_serial;
    if (Text1.Text() == "") {
        Command1.Enabled = true;
        Command2.Enabled = true;
        Command3.Enabled = false;
        Command4.Enabled = false;
        Command5.Enabled = true;
        Command6.Enabled = true;
        Command8.Enabled = false;
        sendscores.Enabled = true;
        clearscores.Enabled = true;
        points.Visible = true;
        averagetime.Visible = true;
        averagewpm.Visible = true;
        forms::MsgBox("you must load a log first!", forms::vbExclamation);
        return;
    }
    ++m_list_run;
    if (List1.Text() != "") {
        Timer6.Enabled = descendmenu.Checked.get();
        Timer2.Enabled = true;
        Chat1.StartReading();
        Pause(1);
        // A stop during the first posting keeps the count-down bar still, or the next word
        // would start with the bar already full.
        if (Check1.Value != 1) Timer4.Enabled = true;
    }
}

void Form4::Form4_Timer2_Timer() {
    const auto word = m_word_serial;
    Label8.Caption = text::Decimal(List1.ListCount());
    if (capitalletter.Checked)
        Text1.Text = text::ProperCase(Text1.Text());
    else if (capAll.Checked)
        Text1.Text = text::UCase(Text1.Text());
    else if (lowAll.Checked)
        Text1.Text = text::LCase(Text1.Text());
    Text2.Text = ScrambleWords(Text1.Text());
    Pause(1);
    if (Check1.Value == 1) {
        Text1.Text = "";
        Text2.Text = "";
        return;
    }
    // Another road readied a word while this tick ran (a start, or a right answer judged in
    // the pause): Text2 no longer scrambles Text1, so the next tick posts that word afresh.
    if (word != m_word_serial) return;
    if (Text1.Text() == "") return;
    Text1.Enabled = false;
    Text2.Enabled = false;
    Chat1.StartReading();
    SendChat(LogLine());
    Pause(0);
    SendChat(WordLine());
    Timer2.Enabled = false;
    Timer4.Enabled = true;
    Timer1.Enabled = true;
}

void Form4::Form4_Command4_Click() {
    if (Check1.Value == 1) return;
    Chat1.StopReading();
    Timer2.Enabled = false;
    Check1.Value = 1;
    Timer1.Enabled = false;
    Timer4.Enabled = false;
    ProgressBar2.Value = 0;
    Label1.Caption = "1";
    WriteIni("thewinner", "winner", WinnerText(List2), SettingsFile());
    Pause(1);
    SendChat("<FONT FACE=Arial><b>[</b> tavrel <b>]</b></font>");
    SendChat("<FONT FACE=Arial><b>[</b> game stopped <b>]</b></font>");
    RemoveListItem(List1, Text1.Text());
    ProgressBar1.Value = static_cast<std::int16_t>(ProgressBar1.Value + 1);
    hints.Caption = "1";
    ShowRunning(false);
    averagewpm.Enabled = true;
    Text1.Enabled = true;
}

void Form4::Form4_Command8_Click() {
    if (Text1.Text() == "") return;
    Timer2.Enabled = false;
    RemoveListItem(List1, Text1.Text());
    SetListIndex(List1, 0);
    SendChat("<FONT FACE=Arial>...word skipped, answer was <b>[</b> " + Text1.Text() +
             " <b>]</b></font>");
    Chat1.StopReading();
    Label1.Caption = "1";
    Timer1.Enabled = false;
    Timer4.Enabled = false;
    ProgressBar1.MaxValue = Label6.Caption();
    ProgressBar1.Value = static_cast<std::int16_t>(ProgressBar1.Value + 1);
    ProgressBar2.Value = 0;
    Text1.Text = text::LCase(List1.Text());
    Text2.Text = ScrambleWords(Text1.Text());
    const auto word = ++m_word_serial;
    hints.Caption = "1";
    Chat1.StartReading();
    Pause(text::RoundHalfEven32(text::Val(Label11.Caption())));
    // A right answer, another skip or a new start during the delay has handed its own word to
    // the poster already; arming it again would post that word twice. A line that finished the
    // list meanwhile has left the window idle, and the poster must stay off.
    if (word != m_word_serial || Check2.Value == 1) return;
    Timer2.Enabled = true;
}

void Form4::Form4_Command9_Click() {
    if (!Timer1.Enabled || Check1.Value == 1) return;
    SendChat(LogLine());
    Pause(0);
    SendChat(WordLine());
}

void Form4::Form4_Timer5_Timer() {
    Label5.Caption = text::Decimal(List1.ListCount());
}
