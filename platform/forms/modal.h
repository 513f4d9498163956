#pragma once
// Message boxes, input boxes and file dialogs. They are modal: the one who drives the program
// (a script, a desktop view) answers them through a ModalHost, which keeps the event loop
// running while a box is open, so timers and chat lines go on meanwhile.

#include <optional>
#include <string>

namespace forms {

// Buttons, icons and answers of message boxes, by their classic values.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

struct MessageBoxRequest {
    std::string text;
    std::string title;
    int style = vbOKOnly;
    int buttons() const { return style & 7; }
    int icon() const { return style & 0x70; }
};

struct InputBoxRequest {
    std::string prompt;
    std::string title;
    std::string default_text;
};

struct FileDialogRequest {
    bool save = false;
    std::string init_dir;  // "" for none
    std::string filter;
};

class ModalHost {
public:
    virtual ~ModalHost() = default;
    virtual int message_box(const MessageBoxRequest& request) = 0;
    // nullopt for Cancel.
    virtual std::optional<std::string> input_box(const InputBoxRequest& request) = 0;
    // The full path chosen, nullopt for Cancel.
    virtual std::optional<std::string> file_dialog(const FileDialogRequest& request) = 0;
};

// A message box; a title left empty shows the program's title.
int MsgBox(const std::string& text, int style = vbOKOnly, const std::string& title = "");
// An input box; Cancel gives an empty text, as an empty answer does. The answer ends at a NUL.
std::string InputBox(const std::string& prompt, const std::string& title = "",
                     const std::string& default_text = "");
// True while a box is open: input to the windows waits until it closes.
bool modal_open();

}  // namespace forms
