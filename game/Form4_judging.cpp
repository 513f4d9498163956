// Judging the room's lines: the right answer scores and readies the next word; the first line
// after the list is used up announces the end, the winners and the leader's share.
#include "common/chat.h"
#include "common/list_helpers.h"
#include "common/pause.h"
#include "common/scores.h"
#include "common/scramble.h"
#include "common/settings.h"
#include "game/Form4.h"
#include "platform/text/text.h"

namespace {
double CounterValue(const std::string& stored) {
    return text::IsNumeric(stored) ? text::ToNumber(stored).value_or(0) : 0;
}
}  // namespace

void Form4::Form4_Chat1_ChatLine(std::string& ScreenName, std::string& LineText) {
    const std::string file = SettingsFile();
    const std::string scramble = ReadIni("tavrel", "scramble", file);
    const std::string finished = ReadIni("completed", "finished", file);
    if (wordmenu.Checked) Label9.Caption = text::Decimal(static_cast<double>(Text1.Text().size()));
    if (descendmenu.Checked) Timer6.Enabled = true;
    // With no word in play no line is an answer, not even one that is empty without its markup.
    const std::string answer = text::LCase(text::Trim(Text1.Text()));
    if (Text1.Text() != "" && text::LCase(LineText) == answer) {
        RightAnswer(ScreenName, LineText, scramble);
        if (text::LCase(Text3.Text()) == ScreenName) {
            // The echo of the host's result line may have finished the list during the delay;
            // the poster armed after it would post an empty word at the next start.
            if (Check2.Value == 1) Timer2.Enabled = false;
            return;
        }
    }
    if (Text1.Text() == "") EndOfList(finished);
}

void Form4::RightAnswer(const std::string& ScreenName, const std::string& LineText,
                        const std::string& scramble) {
    const std::string player = text::LCase(ScreenName);
    // The entry just written is the player's own, whatever other names begin with this one.
    SetListIndex(List2, AddScore(List2, player, text::RoundHalfEven(text::Val(Label9.Caption()))));
    const std::string entry = List2.Text();
    const std::size_t hyphen = entry.find_last_of('-');
    howmany.Caption = hyphen == std::string::npos ? std::string() : entry.substr(hyphen + 1);
    SendChat("<FONT FACE=Arial><b>[ " + player + "</b> in<b> " + Label1.Caption() +
             "</b> seconds " + "+ <b>" + Label9.Caption() + "</b> point(s) <b>]</b>" +
             " <B>[</B> score:<b>" + text::ThousandsWhole(text::Val(howmany.Caption())) +
             " ]</B></font>");
    AddScore(perceNt, player, 1);
    RemoveListItem(List1, Text1.Text());
    ProgressBar1.MaxValue = Label6.Caption();
    ProgressBar1.Value = static_cast<std::int16_t>(ProgressBar1.Value + 1);
    WriteIni("tavrel", "scramble", text::Decimal(CounterValue(scramble) + 1), SettingsFile());
    List3.AddItem(Label1.Caption());
    List4.AddItem(text::Decimal(WordsPerMinute(LineText, text::Val(Label1.Caption()))));
    Label1.Caption = "1";
    hints.Caption = "1";
    Timer1.Enabled = false;
    Timer4.Enabled = false;
    ProgressBar2.Value = 0;
    SetListIndex(List1, 0);
    Text1.Text = text::LCase(List1.Text());
    Text2.Text = Text1.Text();
    const auto word = ++m_word_serial;
    Pause(text::RoundHalfEven32(text::Val(Label11.Caption())));
    // A start or a skip during the delay has handed its own word to the poster already.
    if (word == m_word_serial) Timer2.Enabled = true;
}

// The program's own result line comes back from the room while the last answer waits out its
// delay, and starts a sequence of its own; Check2, and the run it was set for, let only the
// first one announce and count. A new run started during the sequence's pauses owns the
// window: the sequence still announces the list it finished, but leaves the reading, the
// timers and the buttons to the new run.
void Form4::EndOfList(const std::string& finished) {
    if (Check2.Value == 1 || m_announced_run == m_list_run) {
        GoIdleAfterList();
        return;
    }
    const unsigned run = m_list_run;
    m_announced_run = run;
    Check2.Value = 1;
    Pause(1);
    WriteIni("completed", "finished", text::Decimal(CounterValue(finished) + 1), SettingsFile());
    SendChat("<FONT FACE=Arial><b>[</b> end of log <b>]</b></font>");
    if (run == m_list_run) {
        Chat1.StopReading();
        percents.Enabled = true;
    }
    Pause(1);
    SendChat(AnnounceWinners(List2));
    Pause(1);
    SendChat("<b>[</b> answering<b> " + text::Left(Label13.Caption(), 5) +
             "%</b> of the log <b>]</b>");
    if (run == m_list_run)
        GoIdleAfterList();
    else
        percents.Enabled = false;
}

void Form4::GoIdleAfterList() {
    Timer2.Enabled = false;
    percents.Enabled = false;
    Timer1.Enabled = false;
    ProgressBar2.Value = 0;
    Label1.Caption = "1";
    ProgressBar1.Value = 0;
    WriteIni("thewinner", "winner", WinnerText(List2), SettingsFile());
    Command1.Enabled = true;
    Command4.Enabled = true;
    Command3.Enabled = false;
    Command7.Enabled = true;
    Command9.Enabled = false;
    Command5.Enabled = true;
    Command6.Enabled = true;
    Text1.Enabled = true;
    Text2.Enabled = true;
    Check2.Value = 1;
    sendscores.Enabled = true;
    clearscores.Enabled = true;
    mixNOW.Enabled = true;
    averagewpm.Enabled = true;
    points.Visible = true;
    averagetime.Visible = true;
    averagewpm.Visible = true;
    Timer4.Enabled = false;
    ProgressBar2.Value = 0;
}

void Form4::Form4_percents_Timer() {
    if (perceNt.ListCount() == 0) return;
    loop::DoEvents();
    double best = 0;
    int holders = 0;
    bool first = true;
    for (const std::string& entry : perceNt.entries()) {
        double count = text::RoundHalfEven(ParseScoreEntry(entry).score);
        if (first || count > best) {
            best = count;
            holders = 1;
            first = false;
        } else if (count == best) {
            ++holders;
        }
    }
    if (holders >= 2) return;
    Label12.Caption = text::Decimal(best);
    auto words = text::ToNumber(Label6.Caption());
    if (!words || *words == 0) return;
    Label13.Caption = text::Decimal(text::Val(Label12.Caption()) / *words * 100);
}
