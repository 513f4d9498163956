// Start-up: the host's screen name, the start counters and the greeting lines; and the two
// host-name commands of the "other" menu.
#include "common/chat.h"
#include "common/pause.h"
#include "common/settings.h"
#include "common/window_helpers.h"
#include "game/Form4.h"
#include "platform/forms/application.h"
#include "platform/forms/modal.h"
#include "platform/loop/loop.h"
#include "platform/text/text.h"

namespace {

constexpr std::size_t kLongestScreenName = 16;

}  // namespace

std::string Form4::SettingsFile() const { return SettingsFilePath(forms::App().program_folder); }

std::string Form4::LogName() const {
    return Frame1.Caption;
}

std::string Form4::HostName() const {
    return Text3.Text;
}

void Form4::Form4_Form_Load() {
    DisableCloseButton(*this, true);
    const std::string settings = SettingsFile();
    std::string times = ReadIni("timesloaded", "times", settings);
    std::string finished = ReadIni("completed", "finished", settings);
    std::string scramble = ReadIni("tavrel", "scramble", settings);
    const std::string user = ReadIni("theuser", "user", settings);

    std::string name =
        forms::InputBox("please enter your AOL screenname", "enter your screenname", user);
    if (name.empty()) {
        // Nothing has been written or posted yet, and nothing will be.
        Unload();
        loop::EventLoop::instance().end();
    }
    if (name.size() > kLongestScreenName) {
        forms::MsgBox("AOL names can only be 16 letters or less, try again", forms::vbOKOnly);
        // The second answer is taken as it comes, even when empty or too long.
        name = forms::InputBox("please enter your AOL screenname", "enter your screenname");
    }
    WriteIni("theuser", "user", name, settings);
    Text3.Text = text::LCase(text::LTrim(name));

    StayOnTop(*this);
    CenterForm(*this);
    Command4.Enabled = false;
    ProgressBar1.Value = 0;
    // The options that the menus' design check marks show.
    Label9.Caption = "1";
    Label10.Caption = "15";
    Label11.Caption = "3";
    Pause(1);

    if (!text::IsNumeric(times)) times = "1";
    if (!text::IsNumeric(finished)) finished = "0";
    scramble = text::FormatThousandsText(scramble);
    finished = text::FormatThousandsText(finished);
    times = text::FormatThousandsText(times);

    SendChat("<FONT FACE=Arial><b>[</b> tavrel by veskin <b>]</b> <b>[</b> loaded <b>" + times +
             "</b> times <b>]</b></font>");
    Pause(0);
    if (!scramble.empty())
        SendChat("<font face=arial><b>[</b> scrambled words: <b>" + scramble + " ]</b>" +
                 "<b> [</b> completed logs: <b>" + finished + " ]</b></font>");
    else
        SendChat(std::string("<font face=arial><b>[</b> scrambled words: none <b>]</b>") +
                 "<b> [</b> completed logs: " + finished + "<b> ]</b></font>");

    // The greeting counted this start; the next one shows one more. A count of 0 shows as an
    // empty text, which reads back as no number, so the stored value then stays as it is.
    if (auto shown = text::ToNumber(times))
        WriteIni("timesloaded", "times", text::Decimal(*shown + 1), settings);
}

void Form4::Form4_hostname_Click() {
    const std::string settings = SettingsFile();
    const std::string stored = ReadIni("theuser", "user", settings);
    const std::string name =
        forms::InputBox("please enter only your AOL screen name", "change your host name", stored);
    if (name.empty()) return;
    if (name.size() > kLongestScreenName) {
        forms::MsgBox("AOL names can only be 16 letters long", forms::vbOKOnly);
        return;
    }
    WriteIni("theuser", "user", name, settings);
    Text3.Text = name;
}

void Form4::Form4_displayhost_Click() {
    forms::MsgBox("current screen name is: " + Text3.Text, forms::vbInformation, "tavrel");
}
