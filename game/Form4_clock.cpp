// The word clock, its hints and time-out, the count-down bar, descending points, hint buttons.
#include "common/chat.h"
#include "common/list_helpers.h"
#include "common/pause.h"
#include "common/scramble.h"
#include "game/Form4.h"
#include "platform/text/text.h"

namespace {
// The clock counts hundredths exactly: 1.09, 1.1, 1.11, ... never 1.10 or 2.00.
std::string NextClockText(const std::string& clock) {
    double hundredths = text::RoundHalfEven(text::Val(clock) * 100) + 1;
    return text::Decimal(hundredths / 100);
}
std::string Increment(const std::string& count) {
    return text::Decimal(text::Val(count) + 1);
}
}  // namespace

void Form4::AutoHint() {
    if (hintsmenU.Checked) {
        hints.Caption = Increment(hints.Caption());
        SendHint(Text1.Text(), hints.Caption());
    } else if (rehint.Checked) {
        hints.Caption = Increment(hints.Caption());
        SendBackwardsHint(Text1.Text(), hints.Caption());
    }
}

void Form4::Form4_Timer1_Timer() {
    Label1.Caption = NextClockText(Label1.Caption());
    if (wordmenu.Checked) Label9.Caption = text::Decimal(static_cast<double>(Text1.Text().size()));
    if (Text1.Text() == "") {
        Timer1.Enabled = false;
        return;
    }
    if (Label1.Caption() == "7") AutoHint();
    if (Label1.Caption() == "21") AutoHint();
    if (Label1.Caption() == Label10.Caption()) TimeOut();
}

// A word nobody answered in time: its answer is shown and, after the delay, the next word is
// readied for the poster. A skip, a stop or a start pressed during the delay takes over: the
// road then stops, so a stopped game stays stopped and no other word is removed or passed over.
void Form4::TimeOut() {
    Timer2.Enabled = false;
    Chat1.StopReading();
    SendChat("<FONT FACE=Arial>...word skipped, answer was <b>[</b> " + Text1.Text() +
             " <b>]</b></font>");
    hints.Caption = "1";
    Timer1.Enabled = false;
    ProgressBar1.Value = static_cast<std::int16_t>(ProgressBar1.Value + 1);
    ProgressBar2.Value = 0;
    Timer4.Enabled = false;
    const auto word = m_word_serial;
    Pause(text::RoundHalfEven32(text::Val(Label11.Caption())));
    if (Check1.Value == 1 || word != m_word_serial) return;
    Chat1.StartReading();
    Label1.Caption = "1";
    RemoveListItem(List1, Text1.Text());
    SetListIndex(List1, 0);
    Text1.Text = text::LCase(List1.Text());
    Text2.Text = ScrambleWords(Text1.Text());
    ++m_word_serial;
    Timer2.Enabled = true;
}

void Form4::Form4_Timer4_Timer() {
    Timer4.Interval = 50;
    int k = fivesec.Checked ? 895 : tensec.Checked ? 1125 : 1230;
    ProgressBar2.MaxValue =
        text::RoundHalfEven32(text::Val(Label10.Caption()) * k) / Timer4.Interval;
    ProgressBar2.Value = static_cast<std::int16_t>(ProgressBar2.Value + 1);
}

void Form4::Form4_Timer6_Timer() {
    double clock = text::Val(Label1.Caption());
    if (clock < 4) Label9.Caption = "3";
    if (clock > 4) Label9.Caption = "2";
    if (clock > 6) Label9.Caption = "1";
}

void Form4::Form4_Command3_Click() {
    if (Check1.Value == 1 || !Timer1.Enabled) return;
    hints.Caption = Increment(hints.Caption());
    Pause(0);
    SendHint(Text1.Text(), hints.Caption());
}

void Form4::Form4_Command7_Click() {
    if (Check1.Value == 1 || !Timer1.Enabled) return;
    hints.Caption = Increment(hints.Caption());
    Pause(0);
    SendBackwardsHint(Text1.Text(), hints.Caption());
}
