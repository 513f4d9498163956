#include "common/list_helpers.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string_view>
#include <utility>

#include "platform/desktop/desktop.h"
#include "platform/loop/loop.h"

namespace {

desktop::LRESULT SendToList(forms::ListBox& list, desktop::UINT message, int wparam,
                            const std::string& text) {
    return desktop::SendMessageA(list.hWnd(), message,
                                 static_cast<desktop::WPARAM>(static_cast<std::intptr_t>(wparam)),
                                 reinterpret_cast<desktop::LPARAM>(text.c_str()));
}

// Exact order: char_traits<char> compares as unsigned bytes, so capitals (and every ASCII
// character) sort before bytes above 127.
bool ExactLess(std::string_view a, std::string_view b) {
    return a.compare(b) < 0;
}

void FinishRange(std::vector<std::string>& arr, int low, int high) {
    std::sort(arr.begin() + low, arr.begin() + high + 1, ExactLess);
}

// The first-element pivot degrades to one element per partition on sorted input. Recursing
// only into the smaller side bounds the stack by log2(n); a range that keeps partitioning badly
// after its budget runs out is finished by the library's sort, so time stays n log n as well. Equal
// strings are identical bytes, so the result does not depend on which method placed them.
void SortRange(std::vector<std::string>& arr, int low, int high, int budget) {
    while (low < high) {
        if (budget-- <= 0) {
            FinishRange(arr, low, high);
            return;
        }
        std::string pivot = arr[static_cast<std::size_t>(low)];
        int i = low;
        int j = high + 1;
        for (;;) {
            // The bound matters only on the first scan of a range whose caller left no element
            // not less than the pivot above it; the scan then stops where that element would be.
            do ++i;
            while (i <= high && ExactLess(arr[static_cast<std::size_t>(i)], pivot));
            do --j;
            while (ExactLess(pivot, arr[static_cast<std::size_t>(j)]));
            if (i >= j) break;
            std::swap(arr[static_cast<std::size_t>(i)], arr[static_cast<std::size_t>(j)]);
        }
        arr[static_cast<std::size_t>(low)] = std::move(arr[static_cast<std::size_t>(j)]);
        arr[static_cast<std::size_t>(j)] = std::move(pivot);
        if (j - low < high - j) {
            SortRange(arr, low, j - 1, budget);
            low = j + 1;
        } else {
            SortRange(arr, j + 1, high, budget);
            high = j - 1;
        }
    }
}

}  // namespace

void RemoveAdjacentDuplicates(forms::ListBox& list) {
    std::string previous;
    int i = 0;
    while (i < list.ListCount()) {
        std::string entry = list.List(i);
        if (entry == previous) {
            list.RemoveItem(i);
        } else {
            previous = std::move(entry);
            ++i;
        }
    }
}

void RemoveListItem(forms::ListBox& list, const std::string& text) {
    auto index = SendToList(list, desktop::LB_FINDSTRINGEXACT, 0, text);
    if (index != desktop::LB_ERR) list.RemoveItem(static_cast<int>(index));
}

bool SetListIndex(forms::ListBox& list, int index) {
    auto answer =
        desktop::SendMessageA(list.hWnd(), desktop::LB_SETCURSEL,
                              static_cast<desktop::WPARAM>(static_cast<std::intptr_t>(index)), 0);
    return answer == index;
}

void ShuffleList(forms::ListBox& list, int passes) {
    loop::Randomize();
    if (list.ListCount() < 2) return;
    for (int pass = 0; pass < passes; ++pass) {
        int last = list.ListCount() - 1;
        for (int i = 0; i <= last; ++i) {
            // The events after each swap may add or remove entries: both partners are taken
            // from the list as it is now, and a pass ends once its index has run off the list.
            int count = list.ListCount();
            if (i >= count || count < 2) break;
            int r = static_cast<int>((count - 1) * loop::Rnd()) + 1;
            r = std::min(r, count - 1);
            std::string held = list.List(i);
            list.SetList(i, list.List(r));
            list.SetList(r, held);
            loop::DoEvents();
        }
    }
}

void SortStrings(std::vector<std::string>& arr) {
    if (arr.size() < 2) return;
    std::size_t largest = 0;
    for (std::size_t k = 1; k < arr.size(); ++k)
        if (ExactLess(arr[largest], arr[k])) largest = k;
    std::swap(arr[largest], arr.back());
    QuickSortStrings(arr, 0, static_cast<int>(arr.size()) - 1);
}

void QuickSortStrings(std::vector<std::string>& arr, int low, int high) {
    low = std::max(low, 0);
    high = std::min(high, static_cast<int>(arr.size()) - 1);
    if (low >= high) return;
    auto n = static_cast<unsigned>(high - low + 1);
    int budget = 2 * std::bit_width(n) + 8;
    SortRange(arr, low, high, budget);
}

int FindListItem(forms::ListBox& list, const std::string& text) {
    return static_cast<int>(SendToList(list, desktop::LB_FINDSTRING, -1, text));
}
