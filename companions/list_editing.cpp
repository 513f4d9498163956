#include "companions/list_editing.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "common/list_helpers.h"
#include "common/word_list_file.h"
#include "platform/forms/modal.h"

namespace {

// What a directory search with ordinary attributes finds: a file, not a folder.
bool FileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

}  // namespace

void AlphabetizeList(forms::ListBox& list) {
    const int n = list.ListCount();
    if (n == 0) return;
    std::vector<std::string> arr(static_cast<std::size_t>(n));
    for (int i = n - 1; i >= 0; --i) {
        arr[static_cast<std::size_t>(i)] = list.List(i);
        list.RemoveItem(i);
    }
    SortStrings(arr);
    for (const std::string& entry : arr) list.AddItem(entry);
}

void SaveListFile(dialogs::CommonDialog& dialog, const forms::ListBox& list,
                  const std::string& filter) {
    if (list.ListCount() == 0) {
        forms::MsgBox("theres nothing to save!!");
        return;
    }
    try {
        dialog.CancelError = true;
        dialog.Filter = filter;
        dialog.SetOption(23, 0);
        dialog.ShowSave();
    } catch (const dialogs::CancelError&) {
        return;
    }
    const std::string path = dialog.FileName;
    if (FileExists(path) &&
        forms::MsgBox("This file already exists: " + path + ", do you wish replace it?",
                      forms::vbOKCancel | forms::vbQuestion, "Error") != forms::vbOK)
        return;
    // Written beside the old file and then renamed over it, so a failed write loses nothing.
    WriteListFile(path, list.entries());
}
