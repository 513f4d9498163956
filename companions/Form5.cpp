#include "companions/Form5.h"

#include <string>

#include "common/list_helpers.h"
#include "common/window_helpers.h"
#include "common/word_list_file.h"
#include "companions/list_editing.h"
#include "platform/forms/application.h"
#include "platform/forms/modal.h"
#include "platform/text/text.h"

namespace {
const forms::Font kTahoma{"Tahoma", 8.25};
const char kLogFilter[] = "log files (*.log)|*.log|";
}  // namespace

Form5::Form5() : forms::Form("Form5") {
    Caption = "log creator";
    border = forms::BorderStyle::FixedSingle;
    min_max_buttons = false;
    icon = "icon.png";  // the program icon
    SetClientSize(2175, 3210);
    LayOut();
    Wire();
}

void Form5::LayOut() {
    // The list lies inside the frame's area, in front of it; the labels sit at the frame's lower
    // edge and the buttons stand in two columns below.
    List1.Move(120, 240, 1935, 1395);
    List1.TabIndex = 0;
    List1.font = kTahoma;
    Command1.Move(0, 2160, 975, 255);
    Command1.TabIndex = 1;
    Command1.font = kTahoma;
    Command1.Caption = "add word";
    Command2.Move(1080, 2160, 1095, 255);
    Command2.TabIndex = 2;
    Command2.font = kTahoma;
    Command2.Caption = "remove word";
    Command3.Move(1080, 2415, 1095, 255);
    Command3.TabIndex = 3;
    Command3.font = kTahoma;
    Command3.Caption = "kill dupes";
    Command4.Move(0, 2680, 975, 255);
    Command4.TabIndex = 4;
    Command4.font = kTahoma;
    Command4.Caption = "clear log";
    Command5.Move(0, 2960, 975, 255);
    Command5.TabIndex = 5;
    Command5.font = kTahoma;
    Command5.Caption = "save log";
    Frame1.Move(0, 0, 2175, 1815);
    Frame1.TabIndex = 6;
    Frame1.Caption = "tavrel - log creator";
    Command6.Move(0, 2415, 975, 255);
    Command6.TabIndex = 7;
    Command6.font = kTahoma;
    Command6.Caption = "alphabetize";
    Command7.Move(1080, 2680, 1095, 255);
    Command7.TabIndex = 8;
    Command7.font = kTahoma;
    Command7.Caption = "open log";
    Label1.Move(120, 1800, 1215, 255);
    Label1.TabIndex = 9;
    Label1.Caption = "     word count - ";
    Label2.Move(1440, 1800, 735, 255);
    Label2.TabIndex = 10;
    Label2.Caption = "0";
    Command8.Move(1080, 2960, 1095, 255);
    Command8.TabIndex = 11;
    Command8.Caption = "exit";
}

void Form5::Wire() {
    Command1.Click = [this] { Form5_Command1_Click(); };
    Command2.Click = [this] { Form5_Command2_Click(); };
    Command3.Click = [this] { Form5_Command3_Click(); };
    Command4.Click = [this] { Form5_Command4_Click(); };
    Command5.Click = [this] { Form5_Command5_Click(); };
    Command6.Click = [this] { Form5_Command6_Click(); };
    Command7.Click = [this] { Form5_Command7_Click(); };
    Command8.Click = [this] { Form5_Command8_Click(); };
    Timer1.Tick = [this] { Form5_Timer1_Timer(); };
}

void Form5::Form5_Form_Load() {
    StayOnTop(*this);
    CenterForm(*this);
    DisableCloseButton(*this, true);
}

// Asks again after every word until the answer is empty; the first entry, not the new one,
// ends up selected.
void Form5::Form5_Command1_Click() {
    for (;;) {
        const std::string answer = forms::InputBox("what word?", " tavrel by veskin");
        if (answer.empty()) return;
        List1.AddItem(text::Trim(answer));
        SetListIndex(List1, 0);
        Label2.Caption = text::Decimal(List1.ListCount());
    }
}

void Form5::Form5_Command2_Click() {
    if (List1.ListIndex < 0) return;
    List1.RemoveItem(List1.ListIndex);
}

void Form5::Form5_Command3_Click() {
    if (List1.ListCount() >= 1) RemoveAdjacentDuplicates(List1);
}

// Asks only while the selected entry has text: right after opening nothing is selected.
void Form5::Form5_Command4_Click() {
    if (List1.Text() == "") return;
    if (forms::MsgBox("do you really want to clear the log?", forms::vbOKCancel, "clear log?") ==
        forms::vbOK)
        List1.Clear();
}

void Form5::Form5_Command5_Click() {
    SaveListFile(CommonDialog1, List1, kLogFilter);
}

void Form5::Form5_Command6_Click() {
    AlphabetizeList(List1);
}

// The list is emptied before the dialog, so a cancel leaves it empty; the frame names the file
// only once a line of it has been read.
void Form5::Form5_Command7_Click() {
    List1.Clear();
    try {
        CommonDialog1.InitDir = forms::App().program_folder;
        CommonDialog1.CancelError = true;
        CommonDialog1.Filter = kLogFilter;
        CommonDialog1.SetOption(23, 0);
        CommonDialog1.ShowOpen();
    } catch (const dialogs::CancelError&) {
        return;
    }
    List1.Clear();
    const std::string caption = text::ReplaceAll(text::LCase(CommonDialog1.FileTitle), ".log", "");
    // A file that fails part-way keeps the entries read before the failure.
    ReadListFile(CommonDialog1.FileName, [&](const std::string& line) {
        List1.AddItem(text::LCase(line));
        Frame1.Caption = caption;
    });
}

void Form5::Form5_Command8_Click() {
    Unload();
}

void Form5::Form5_Timer1_Timer() {
    Label2.Caption = text::Decimal(List1.ListCount());
}
