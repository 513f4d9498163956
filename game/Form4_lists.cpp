// The word list: loading a log, clearing it, removing a word, mixing it.
#include "common/list_helpers.h"
#include "common/word_list_file.h"
#include "game/Form4.h"
#include "platform/forms/application.h"
#include "platform/text/text.h"

void Form4::Form4_loadikfjk_Click() {
    LoadLog();
}

void Form4::Form4_Command5_Click() {
    LoadLog();
}

void Form4::LoadLog() {
    List1.Clear();
    perceNt.Clear();
    try {
        CommonDialog1.InitDir = forms::App().program_folder;
        CommonDialog1.CancelError = true;
        CommonDialog1.Filter = "log files (*.log)|*.log";
        CommonDialog1.SetOption(23, 0);
        CommonDialog1.ShowOpen();
        List1.Clear();
        ProgressBar1.Value = 0;
        const std::string path = CommonDialog1.FileName;
        const std::string caption =
            text::ReplaceAllIgnoreCase(text::LCase(CommonDialog1.FileTitle), ".log", "");
        // A file that cannot be read, or fails part-way, keeps the entries read before; the
        // caption and counts change only with an entry.
        ReadListFile(path, [&](const std::string& line) {
            List1.AddItem(text::LCase(line));
            Frame1.Caption = caption;
            Label6.Caption = text::Decimal(List1.ListCount());
            Label13.Caption = "0";
        });
    } catch (const dialogs::CancelError&) {
    }
    if (mixlog.Checked) ShuffleList(List1, 3);
}

void Form4::Form4_Command6_Click() {
    if (Check1.Value == 1) {
        List1.Clear();
        List3.Clear();
        perceNt.Clear();
        Label12.Caption = "0";
        Label13.Caption = "0";
        ProgressBar1.Value = 0;
    } else if (Timer2.Enabled) {
        // A word is about to be posted: the list stays.
    } else {
        List1.Clear();
        List3.Clear();
        perceNt.Clear();
        ProgressBar1.Value = 0;
        Text1.Text = "";
        Text2.Text = "";
        Frame1.Caption = "log being used";
    }
}

void Form4::Form4_Command2_Click() {
    if (List1.Text() == "") return;
    List1.RemoveItem(List1.ListIndex);
    ProgressBar1.Value = static_cast<std::int16_t>(ProgressBar1.Value + 1);
}

void Form4::Form4_mixlog_Click() {
    mixlog.Checked = !mixlog.Checked;
}

void Form4::Form4_mixNOW_Click() {
    if (List1.ListCount() >= 1) ShuffleList(List1, 3);
}
