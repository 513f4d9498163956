#pragma once
// The commands that the word-list editor and the quiz-list editor share: sorting the list and
// saving it as a list file through the window's file dialog. The lists hold any number of
// entries, as the main window's does.

#include <string>

#include "platform/dialogs/common_dialog.h"
#include "platform/forms/controls.h"

// Copies the entries out from the last to the first, emptying the list, sorts them with
// SortStrings and appends them back in that order. An empty list stays as it is.
void AlphabetizeList(forms::ListBox& list);

// "save log": asks for a path with the save dialog (the dialog's InitDir is left as it is) and
// writes every entry, each followed by 13, 13, 10. An empty list gives the "nothing to save"
// message instead; an existing file is replaced only after the user agrees. A cancelled dialog,
// a refused replacement or a file that cannot be written ends it without a message, leaving any
// earlier file of that path as it was.
void SaveListFile(dialogs::CommonDialog& dialog, const forms::ListBox& list,
                  const std::string& filter);
