#include "companions/Form7.h"

#include <cstdint>

#include "common/chat.h"
#include "common/pause.h"
#include "common/scores.h"
#include "common/scramble.h"
#include "common/window_helpers.h"
#include "platform/forms/application.h"
#include "platform/text/text.h"

namespace {
const forms::Font kSmallFonts{"Small Fonts", 6.75};
}  // namespace

Form7::Form7() : forms::Form("Form7") {
    Caption = "tavrel";
    border = forms::BorderStyle::FixedSingle;
    min_max_buttons = false;
    SetClientSize(2565, 1755);
    LayOut();
    Wire();
}

void Form7::LayOut() {
    Text1.Move(120, 120, 1695, 285);
    Text1.TabIndex = 0;
    List1.Move(120, 720, 1695, 1005);
    List1.TabIndex = 1;
    Command1.Move(1920, 120, 615, 255);
    Command1.TabIndex = 2;
    Command1.font = kSmallFonts;
    Command1.Caption = "send";
    Command2.Move(1920, 1355, 615, 375);
    Command2.TabIndex = 3;
    Command2.font = kSmallFonts;
    Command2.Caption = "clear score";
    // The clock, the points and the scrambled word lie beyond the client area: the host sees
    // only the word box, the buttons, the point options and the scoreboard.
    Label1.Move(2400, 2280, 1095, 255);
    Label1.TabIndex = 4;
    Label1.Caption = "0";
    Text2.Move(3120, 600, 495, 285);
    Text2.TabIndex = 5;
    Text2.Text = "Text2";
    Command3.Move(1920, 840, 615, 375);
    Command3.TabIndex = 6;
    Command3.font = kSmallFonts;
    Command3.Caption = "send scores";
    Option1.Move(120, 480, 495, 195);
    Option1.TabIndex = 7;
    Option1.font = kSmallFonts;
    Option1.Caption = "1 pt";
    Option1.Value = true;
    Option2.Move(600, 450, 615, 255);
    Option2.TabIndex = 8;
    Option2.font = kSmallFonts;
    Option2.Caption = "2 pts";
    Option3.Move(1200, 450, 615, 255);
    Option3.TabIndex = 9;
    Option3.font = kSmallFonts;
    Option3.Caption = "3 pts";
    Label2.Move(240, 2400, 855, 255);
    Label2.TabIndex = 10;
}

void Form7::Wire() {
    Command1.Click = [this] { Form7_Command1_Click(); };
    Command2.Click = [this] { Form7_Command2_Click(); };
    Command3.Click = [this] { Form7_Command3_Click(); };
    Option1.Click = [this] { Form7_Option1_Click(); };
    Option2.Click = [this] { Form7_Option2_Click(); };
    Option3.Click = [this] { Form7_Option3_Click(); };
    Timer1.Tick = [this] { Form7_Timer1_Timer(); };
    Chat1.ChatLine = [this](std::string& ScreenName, std::string& LineText) {
        Form7_Chat1_ChatLine(ScreenName, LineText);
    };
}

void Form7::Form7_Form_Load() {
    StayOnTop(*this);
    CenterForm(*this);
    Label2.Caption = "1";
}

void Form7::Form7_Command1_Click() {
    // The clock goes on from where it stands: "0" after a load or a win.
    Timer1.Enabled = true;
    Chat1.StartReading();
    Text2.Text = ScrambleWords(Text1.Text());
    SendChat("<font face = arial><b>[</b> tavrel <b>]</b></font>");
    SendChat("word [ " + Text2.Text + " ]");
}

void Form7::Form7_Option1_Click() {
    Label2.Caption = "1";
}

void Form7::Form7_Option2_Click() {
    Label2.Caption = "2";
}

void Form7::Form7_Option3_Click() {
    Label2.Caption = "3";
}

// Each tick is one hundredth of a clock second, however long it really took. The text is read
// back and rewritten in 15 digits each time, so the sum never drifts off its two decimals.
void Form7::Form7_Timer1_Timer() {
    Label1.Caption = text::Decimal(text::Val(Label1.Caption()) + 0.01);
}

void Form7::Form7_Chat1_ChatLine(std::string& ScreenName, std::string& LineText) {
    // The word is trimmed, the line is not: a line with a blank after the word does not win.
    if (text::LCase(LineText) != text::LCase(text::Trim(Text1.Text()))) return;
    const std::int16_t speed = WordsPerMinute(LineText, text::Val(Label1.Caption()));
    SendChat("<b>" + text::LCase(ScreenName) + "</b> answered in <b>" + Label1.Caption +
             "</b> scnds! + <b>" + Label2.Caption + "</b> pt(s) " + text::Decimal(speed) +
             " <B>WPM</B>");
    Timer1.Enabled = false;
    Label1.Caption = "0";
    Chat1.StopReading();
    Text1.Text = "";
    AddScore(List1, ScreenName, text::RoundHalfEven(text::Val(Label2.Caption())));
    SortScores(List1);
}

void Form7::Form7_Command2_Click() {
    List1.Clear();
}

void Form7::Form7_Command3_Click() {
    if (List1.ListCount() == 0) return;
    SendChat("<font face = arial><b>[</b> tavrel scoreboard <b>]</b></font>");
    Pause(1);
    SendListLines(List1);
}

void Form7::Form7_Form_Unload(int& /*Cancel*/) {
    Visible = false;
    // The discarded window lives on until the program ends; lines still waiting for its reader
    // must not reach it.
    Chat1.StopReading();
    forms::App().get("Form4").Show();
}
