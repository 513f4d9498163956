#pragma once
// The desktop's windows as its own sources keep them.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop/desktop.h"

namespace desktop {

struct Window {
    HWND handle = 0;
    std::string class_name;
    std::string title;
    HWND parent = 0;
    std::vector<HWND> children;  // front to back
    WindowProc proc;
    bool topmost = false;
    HMENU system_menu = 0;
    std::vector<std::string> menu_items;
};

// The items of a fresh system menu, top to bottom; "" is the separator.
std::vector<std::string> StandardSystemMenu();

// Class names match regardless of case, Windows-1252 letters included.
bool SameClassName(std::string_view a, std::string_view b);

struct Desktop::Tree {
    // Shared so that a window destroyed by its own procedure lives until the call returns.
    std::map<HWND, std::shared_ptr<Window>> windows;
    std::vector<HWND> top_level;  // front to back
    std::map<HMENU, HWND> menus;  // system menu -> its window
    // Windows and menus draw from one counter, so a window's handle is never a menu's.
    std::uint32_t next_handle = 1;

    Window* find(HWND handle);
    // The children of `parent`, or the top-level windows for 0; null for no such window.
    std::vector<HWND>* children_of(HWND parent);
};

inline Desktop::Tree& Windows() {
    return Desktop::instance().tree();
}

}  // namespace desktop
