#pragma once
// Helpers for the windows' list boxes and for sorting arrays of entries. Searching and selecting
// go through the list box's own messages, so they follow its matching rules (case ignored).

#include <string>
#include <vector>

#include "platform/forms/controls.h"

// Shrinks every run of exactly equal entries to its first entry. Empty entries at the start go
// too, since they equal the empty text that the scan starts from.
void RemoveAdjacentDuplicates(forms::ListBox& list);

// Removes one entry equal to `text`, case ignored, searching entry 1 to the last and then
// entry 0: when entry 0 also holds the text, a later copy is the one removed.
void RemoveListItem(forms::ListBox& list, const std::string& text);

// Selects `index` (-1 clears the selection); true when the list box reports it as selected.
bool SetListIndex(forms::ListBox& list, int index);

// Seeds the random generator from the clock, then runs `passes` passes that swap every entry
// with a random entry other than entry 0. Pending events run after every swap.
void ShuffleList(forms::ListBox& list, int passes);

// Sorts ascending by unsigned byte value, a text before any longer text that begins with it.
void SortStrings(std::vector<std::string>& arr);

// Sorts arr[low..high] in the same order, taking each range's first element as its pivot. The
// stack stays shallow on any input and a range reaching beyond the array is cut to it.
void QuickSortStrings(std::vector<std::string>& arr, int low, int high);

// The index of the first entry that begins with `text`, case ignored, or -1.
int FindListItem(forms::ListBox& list, const std::string& text);
