#include "game/Form4.h"

#include <cstdint>

namespace {

// The design values both bars share: black track and border, white bar, no slider and no
// seeking, so the bars never take the mouse and never raise their event.
com::MemoryPropertyBag BarDesign(std::int32_t max_value) {
    return com::MemoryPropertyBag{
        {"FillColour", std::int32_t{0x0}},
        {"BorderColour", std::int32_t{0x0}},
        {"BarColour", std::int32_t{0xFFFFFF}},
        {"BarBorderColour", std::int32_t{0xFFFFFF}},
        {"MaxValue", max_value},
        {"Value", std::int32_t{0}},
        {"AllowSlider", false},
        {"AllowSeek", false},
        {"SliderBorderColour", std::int32_t{0x0}},
        {"SliderFillColour", std::int32_t{0x0}},
    };
}

const forms::Font kWebdings{"Webdings", 9.75};

}  // namespace

Form4::Form4()
    : forms::Form("Form4"),
      ProgressBar1(*this, "ProgressBar1", BarDesign(100)),
      ProgressBar2(*this, "ProgressBar2", BarDesign(15)) {
    Caption = "tavrel";
    border = forms::BorderStyle::FixedSingle;
    min_max_buttons = false;
    has_menu_bar = true;
    icon = "icon.png";  // the program icon
    font = forms::Font{"Tahoma", 8.25};
    SetClientSize(2490, 3795);
    LayOut();
    Wire();
}

void Form4::LayOut() {
    // Left part.
    Label3.Move(480, 0, 1455, 255);
    Label3.Caption = "words remaining: ";
    Label5.Move(1800, 0, 615, 255);
    Label5.Caption = "0";
    Text2.Move(240, 240, 1910, 285);
    Frame1.Move(120, 600, 2175, 1695);
    Frame1.Caption = "log being used";
    List1.Move(240, 870, 1910, 810);
    List1.font = font;  // the window's font, which the list's tooltip measures in
    ProgressBar1.set_container(&Frame1);
    ProgressBar1.Move(120, 1200, 1910, 135);
    ProgressBar2.set_container(&Frame1);
    ProgressBar2.Move(120, 1440, 1910, 135);
    Label2.Move(2280, 1200, 255, 255);
    Label2.font = kWebdings;
    Label2.Caption = "4";  // a right-pointing arrow in Webdings
    Command1.Move(120, 2280, 1095, 255);
    Command1.Caption = "start game";
    Command4.Move(1200, 2280, 1095, 255);
    Command4.Caption = "stop game";
    Command5.Move(120, 2520, 1095, 255);
    Command5.Caption = "load log";
    Command6.Move(1200, 2520, 1095, 255);
    Command6.Caption = "clear log";
    Command8.Move(120, 2760, 1095, 255);
    Command8.Caption = "skip";
    Command8.Enabled = false;
    Command2.Move(1200, 2760, 1095, 255);
    Command2.Caption = "remove sel";
    Command3.Move(120, 3000, 2175, 255);
    Command3.Caption = "send hint ";
    Command3.Enabled = false;
    Command7.Move(120, 3240, 2175, 255);
    Command7.Caption = "send hint in reverse";
    Command7.Enabled = false;
    Command9.Move(120, 3480, 2175, 255);
    Command9.Caption = "re - scroll word";
    Command9.Enabled = false;

    // Right part.
    Image1.Move(2475, 0, 2400, 600);
    Image1.Source = "banner.png";
    Frame2.Move(2520, 600, 2295, 3135);
    List2.Move(2640, 840, 1995, 2760);
    Label7.Move(4815, 1200, 255, 375);
    Label7.font = kWebdings;
    Label7.Caption = "3";  // a left-pointing arrow in Webdings

    // State holders, below or beyond the client area.
    Text1.Move(2760, 4920, 2175, 285);
    Text3.Move(5640, 1680, 1335, 285);
    Text3.Text = "Text3";
    Label1.Move(1200, 4440, 855, 255);
    Label1.font = forms::Font{"Dotum", 8.25};
    Label1.Caption = "1";
    Label9.Move(2400, 4440, 615, 255);
    Label9.Caption = "points";
    Label10.Move(2400, 4800, 615, 255);
    Label10.Caption = "autoskip";
    Label11.Move(3960, 4080, 975, 375);
    Label11.Caption = "scroll delay";
    hints.Move(3720, 5520, 375, 255);
    hints.Caption = "1";
    Label6.Move(1080, 5040, 1095, 255);
    Label6.Caption = "0";
    Label8.Move(0, 4800, 735, 255);
    Label12.Move(5880, 3000, 1215, 255);
    Label12.Caption = "0";
    Label13.Move(5760, 4560, 1455, 375);
    Label13.Caption = "0";
    howmany.Move(2640, 6240, 1095, 255);
    Check1.Move(2400, 4080, 1215, 255);
    Check1.Caption = "stop program";
    Check2.Move(3000, 6720, 855, 255);
    Check2.Caption = "Check2";
    List3.Move(0, 4200, 1095, 1035);
    List4.Move(1200, 4200, 1335, 1035);
    perceNt.Move(5640, 3360, 1575, 1035);

    // The check marks of the options that start-up's label values match.
    scrollDElay3.Checked = true;
    fifteenmenu.Checked = true;
    hintsmenU.Checked = true;
    lowAll.Checked = true;
    mixlog.Checked = true;
    oNemenu.Checked = true;
}

void Form4::Wire() {
    List1.MouseMove = [this](int button, int shift, float x, float y) {
        Form4_List1_MouseMove(button, shift, x, y);
    };
    Label2.Click = [this] { Form4_Label2_Click(); };
    Command1.Click = [this] { Form4_Command1_Click(); };
    Command4.Click = [this] { Form4_Command4_Click(); };
    Command5.Click = [this] { Form4_Command5_Click(); };
    Command6.Click = [this] { Form4_Command6_Click(); };
    Command8.Click = [this] { Form4_Command8_Click(); };
    Command2.Click = [this] { Form4_Command2_Click(); };
    Command3.Click = [this] { Form4_Command3_Click(); };
    Command7.Click = [this] { Form4_Command7_Click(); };
    Command9.Click = [this] { Form4_Command9_Click(); };
    Label7.Click = [this] { Form4_Label7_Click(); };
    Chat1.ChatLine = [this](std::string& ScreenName, std::string& LineText) {
        Form4_Chat1_ChatLine(ScreenName, LineText);
    };

    Timer1.Tick = [this] { Form4_Timer1_Timer(); };
    Timer2.Tick = [this] { Form4_Timer2_Timer(); };
    Timer4.Tick = [this] { Form4_Timer4_Timer(); };
    Timer5.Tick = [this] { Form4_Timer5_Timer(); };
    Timer6.Tick = [this] { Form4_Timer6_Timer(); };
    percents.Tick = [this] { Form4_percents_Timer(); };
    shrink.Tick = [this] { Form4_shrink_Timer(); };
    wide.Tick = [this] { Form4_wide_Timer(); };

    helpmenu.Click = [this] { Form4_helpmenu_Click(); };
    abouty.Click = [this] { Form4_abouty_Click(); };
    advertisemenu.Click = [this] { Form4_advertisemenu_Click(); };
    adv2menu.Click = [this] { Form4_adv2menu_Click(); };
    exit.Click = [this] { Form4_exit_Click(); };

    scrollDElay2.Click = [this] { Form4_scrollDElay2_Click(); };
    scrollDElay3.Click = [this] { Form4_scrollDElay3_Click(); };
    scrollDELay8.Click = [this] { Form4_scrollDELay8_Click(); };
    scrollDELay12.Click = [this] { Form4_scrollDELay12_Click(); };
    fivesec.Click = [this] { Form4_fivesec_Click(); };
    tensec.Click = [this] { Form4_tensec_Click(); };
    fifteenmenu.Click = [this] { Form4_fifteenmenu_Click(); };
    twentYmenu.Click = [this] { Form4_twentYmenu_Click(); };
    twentyFivemenu.Click = [this] { Form4_twentyFivemenu_Click(); };
    hintsmenU.Click = [this] { Form4_hintsmenU_Click(); };
    rehint.Click = [this] { Form4_rehint_Click(); };
    dontscroll.Click = [this] { Form4_dontscroll_Click(); };
    capitalletter.Click = [this] { Form4_capitalletter_Click(); };
    capAll.Click = [this] { Form4_capAll_Click(); };
    lowAll.Click = [this] { Form4_lowAll_Click(); };
    loadikfjk.Click = [this] { Form4_loadikfjk_Click(); };
    creat.Click = [this] { Form4_creat_Click(); };
    mixlog.Click = [this] { Form4_mixlog_Click(); };
    mixNOW.Click = [this] { Form4_mixNOW_Click(); };
    // "remove duplicates" does nothing when chosen.

    oNemenu.Click = [this] { Form4_oNemenu_Click(); };
    tHreemenu.Click = [this] { Form4_tHreemenu_Click(); };
    fivemenu.Click = [this] { Form4_fivemenu_Click(); };
    wordmenu.Click = [this] { Form4_wordmenu_Click(); };
    descendmenu.Click = [this] { Form4_descendmenu_Click(); };
    winner.Click = [this] { Form4_winner_Click(); };
    top3menu.Click = [this] { Form4_top3menu_Click(); };
    sendscores.Click = [this] { Form4_sendscores_Click(); };
    clearscores.Click = [this] { Form4_clearscores_Click(); };
    mostrecent.Click = [this] { Form4_mostrecent_Click(); };
    averagetime.Click = [this] { Form4_averagetime_Click(); };
    averagewpm.Click = [this] { Form4_averagewpm_Click(); };

    nolog.Click = [this] { Form4_nolog_Click(); };
    displayhost.Click = [this] { Form4_displayhost_Click(); };
    hostname.Click = [this] { Form4_hostname_Click(); };
}
