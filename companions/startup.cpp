#include "companions/startup.h"

#include "common/window_helpers.h"
#include "platform/forms/application.h"
#include "platform/text/text.h"

startup::startup() : forms::Form("startup") {
    Caption = "Form1";
    border = forms::BorderStyle::None;
    SetClientSize(6525, 1500);
    Image1.Move(0, 0, 6525, 1500);
    Image1.Source = "splash.png";
    Label2.Move(120, 1200, 1095, 255);
    Label2.Caption = "version 1.5";
    Label1.Move(6240, 2640, 135, 375);
    Label1.Caption = "0";
    Timer1.Tick = [this] { startup_Timer1_Timer(); };
}

void startup::startup_Form_Load() {
    StayOnTop(*this);
    CenterForm(*this);
}

void startup::startup_Timer1_Timer() {
    Label1.Caption = text::Decimal(text::Val(Label1.Caption()) + 1);
    // The count passes 3 only once; this tick is not delivered again while the main window's
    // start-up runs inside it.
    if (text::Val(Label1.Caption()) == 3) {
        Visible = false;
        forms::App().get("Form4").Show();
    }
}
