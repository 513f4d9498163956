#pragma once
// The file dialog control: the properties a window sets, then ShowOpen or ShowSave.
// With CancelError set, closing the dialog without a file throws CancelError to the caller.
// The dialog itself is shown by the application's modal host (a script's `choose`/`cancel`,
// or a desktop view's file chooser).

#include <stdexcept>
#include <string>

namespace dialogs {

class CancelError : public std::runtime_error {
public:
    CancelError() : std::runtime_error("the file dialog was cancelled") {}
};

class CommonDialog {
public:
    std::string InitDir;
    bool CancelError = false;
    std::string Filter;
    std::string FileName;   // the full path chosen
    std::string FileTitle;  // the file name without its folder

    // The option every caller sets to 0 by its dispatch id; kept, never read.
    void SetOption(int dispatch_id, int value);

    void ShowOpen() { show(false); }
    void ShowSave() { show(true); }

private:
    void show(bool save);
    int m_option23 = 0;
};

}  // namespace dialogs
