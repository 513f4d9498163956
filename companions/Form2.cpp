#include "companions/Form2.h"

#include <string>

#include "common/list_helpers.h"
#include "common/window_helpers.h"
#include "common/word_list_file.h"
#include "companions/list_editing.h"
#include "platform/forms/application.h"
#include "platform/forms/modal.h"
#include "platform/text/text.h"

namespace {
const char kQuizFilter[] = "quiz files (*.qz)|*.qz";
const char kTwoLineBreaks[] = "\r\n\r\n";
}  // namespace

Form2::Form2() : forms::Form("Form2") {
    Caption = "tavrel quiz log creator";
    border = forms::BorderStyle::FixedSingle;
    min_max_buttons = false;
    icon = "icon.png";  // the program icon
    SetClientSize(4035, 2475);
    LayOut();
    Wire();
}

void Form2::LayOut() {
    // The window keeps the platform's default font; only the list and the count have their own.
    List1.Move(0, 120, 3975, 1080);
    List1.TabIndex = 0;
    List1.font = forms::Font{"Tahoma", 9};
    Command1.Move(0, 1440, 1335, 255);
    Command1.TabIndex = 1;
    Command1.Caption = "add question";
    Command2.Move(0, 1680, 1335, 255);
    Command2.TabIndex = 2;
    Command2.Caption = "remove question";
    Command3.Move(0, 1920, 1335, 255);
    Command3.TabIndex = 3;
    Command3.Caption = "remove all";
    Command4.Move(0, 2160, 1335, 255);
    Command4.TabIndex = 4;
    Command4.Caption = "remove dupes";
    Command5.Move(2760, 1440, 1215, 255);
    Command5.TabIndex = 5;
    Command5.Caption = "open quiz log";
    Command6.Move(2760, 1680, 1215, 255);
    Command6.TabIndex = 6;
    Command6.Caption = "save quiz log";
    Command7.Move(2760, 1920, 1215, 255);
    Command7.TabIndex = 7;
    Command7.Caption = "alphabetize";
    Command8.Move(2760, 2160, 1215, 255);
    Command8.TabIndex = 8;
    Command8.Caption = "exit ";
    Label1.Move(1560, 1560, 1095, 615);
    Label1.TabIndex = 9;
    Label1.font = forms::Font{"Tahoma", 8.25};
}

void Form2::Wire() {
    Command1.Click = [this] { Form2_Command1_Click(); };
    Command2.Click = [this] { Form2_Command2_Click(); };
    Command3.Click = [this] { Form2_Command3_Click(); };
    Command4.Click = [this] { Form2_Command4_Click(); };
    Command5.Click = [this] { Form2_Command5_Click(); };
    Command6.Click = [this] { Form2_Command6_Click(); };
    Command7.Click = [this] { Form2_Command7_Click(); };
    Command8.Click = [this] { Form2_Command8_Click(); };
    List1.MouseMove = [this](int button, int shift, float x, float y) {
        Form2_List1_MouseMove(button, shift, x, y);
    };
}

void Form2::Form2_Form_Load() {
    StayOnTop(*this);
    CenterForm(*this);
    DisableCloseButton(*this, true);
}

// No singular form: one entry reads "1 questions".
void Form2::RefreshCount() {
    Label1.Caption = text::Decimal(List1.ListCount()) + " questions";
}

// Any non-empty answer is taken; the layout the prompt shows is never checked.
void Form2::Form2_Command1_Click() {
    const std::string prompt = std::string("You can now ask a question, and give up to 3 clues!") +
                               kTwoLineBreaks +
                               "the format must be added like this:" + kTwoLineBreaks +
                               "Question:Answer:Clue1:Clue2:Clue3" + kTwoLineBreaks +
                               " your not required to enter 3 clues";
    for (;;) {
        const std::string answer = forms::InputBox(prompt, "tavrel quiz bot");
        if (answer.empty()) return;
        List1.AddItem(text::Trim(answer));
        SetListIndex(List1, 0);
        RefreshCount();
    }
}

void Form2::Form2_Command2_Click() {
    if (List1.ListIndex >= 0) List1.RemoveItem(List1.ListIndex);
    RefreshCount();
}

// Unlike the word-list editor's "clear log", this asks whenever the list has entries.
void Form2::Form2_Command3_Click() {
    if (List1.ListCount() == 0) return;
    if (forms::MsgBox("do you really want to clear the log?", forms::vbOKCancel, "clear log?") !=
        forms::vbOK)
        return;
    List1.Clear();
    RefreshCount();
}

void Form2::Form2_Command4_Click() {
    if (List1.ListCount() < 1) return;
    RemoveAdjacentDuplicates(List1);
    RefreshCount();
}

// The count is refreshed on every road, so a cancel shows "0 questions".
void Form2::Form2_Command5_Click() {
    List1.Clear();
    try {
        CommonDialog1.InitDir = forms::App().program_folder;
        CommonDialog1.CancelError = true;
        CommonDialog1.Filter = kQuizFilter;
        CommonDialog1.SetOption(23, 0);
        CommonDialog1.ShowOpen();
        ReadListFile(CommonDialog1.FileName, [&](const std::string& line) {
            List1.AddItem(line);
            RefreshCount();
        });
    } catch (const dialogs::CancelError&) {
    }
    RefreshCount();
}

void Form2::Form2_Command6_Click() {
    SaveListFile(CommonDialog1, List1, kQuizFilter);
}

// The count does not change, so it is not refreshed.
void Form2::Form2_Command7_Click() {
    AlphabetizeList(List1);
}

void Form2::Form2_Command8_Click() {
    Unload();
}

// Measured in the window's own font, not the list's; a list that scrolls loses 300 twips to its
// scroll bar, one that does not keeps all but 30.
void Form2::Form2_List1_MouseMove(int /*Button*/, int /*Shift*/, float /*X*/, float Y) {
    const auto& metrics = forms::App().metrics();
    const int h = metrics.line_height(font, List1.List(0));
    const bool scrolls = static_cast<float>(List1.ListCount()) * static_cast<float>(h) >
                         static_cast<float>(List1.Height);
    const int limit = List1.Width - (scrolls ? 300 : 30);
    const int line = text::RoundHalfEven32(h);
    const int row = line > 0 ? text::RoundHalfEven32(Y) / line : 0;
    const std::string entry = List1.List(List1.TopIndex + row);
    List1.ToolTipText = metrics.text_width(font, entry) > limit ? entry : std::string();
}
