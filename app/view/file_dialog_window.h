#pragma once
// The open and save dialog as a box of the program's own: the folder shown, its folders and
// the files that the chosen filter lets through, a name field and the filters. A name typed
// into the field is taken in the folder shown (or as it is, when it is a full path): a folder
// is opened, a file chosen; Enter takes it as Open or Save does. In the list, Enter takes the
// entry highlighted there, as a double click does. Opening wants a file that exists; saving
// wants an existing folder. The dialog's own boxes (a file that does not exist, a new folder's
// name) are boxes of the host, opened from the program's side, so the program goes on while
// they are open, as under every other box.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/view/box_windows.h"

class Fl_Choice;
class Fl_File_Browser;
class Fl_Output;

namespace view {

class BoxHost;

class FileDialogWindow : public BoxWindow {
  public:
    FileDialogWindow(const forms::FileDialogRequest& request, FontBook& fonts, bool interactive,
                     BoxHost& boxes);
    // The full path chosen; nothing with Cancel.
    const std::optional<std::string>& answer() const { return m_answer; }
    const std::string& folder() const { return m_folder; }

  private:
    void accept() override;
    bool cancel() override;
    void show_folder(const std::filesystem::path& folder);
    void take(const std::string& typed);
    void picked();
    // The entry highlighted in the list, or "".
    std::string highlighted() const;
    void new_folder();
    void filter_chosen();
    // Opens a box of the host above the dialog, from the program's side; `then` runs with its
    // answer as soon as it is given.
    void ask(std::string prompt, bool input,
             std::function<void(const std::optional<std::string>&)> then);

    BoxHost& m_boxes;
    bool m_save;
    std::string m_title;
    std::string m_folder;  // UTF-8, as the file system takes it
    std::vector<std::string> m_globs;
    std::vector<std::string> m_type_labels;
    bool m_asking = false;  // one of the dialog's own boxes is open or about to open
    Fl_Output* m_where = nullptr;
    Fl_File_Browser* m_list = nullptr;
    Fl_Input* m_name = nullptr;
    Fl_Choice* m_types = nullptr;
    std::optional<std::string> m_answer;
};

}  // namespace view
