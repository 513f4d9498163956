#include <algorithm>

#include "platform/desktop/desktop.h"
#include "platform/desktop/window_tree.h"

namespace desktop {

namespace {
constexpr const char* kCloseItem = "Close";

Window* MenuOwner(HMENU menu) {
    Desktop::Tree& tree = Windows();
    auto it = tree.menus.find(menu);
    return it == tree.menus.end() ? nullptr : tree.find(it->second);
}
}  // namespace

std::vector<std::string> StandardSystemMenu() {
    return {"Restore", "Move", "Size", "Minimize", "Maximize", "", kCloseItem};
}

HMENU GetSystemMenu(HWND handle, bool revert) {
    Window* window = Windows().find(handle);
    if (!window) return 0;
    if (revert) {
        window->menu_items = StandardSystemMenu();
        return 0;
    }
    return window->system_menu;
}

int GetMenuItemCount(HMENU menu) {
    Window* window = MenuOwner(menu);
    return window ? static_cast<int>(window->menu_items.size()) : -1;
}

bool RemoveMenu(HMENU menu, UINT position, UINT flags) {
    // System menu items carry no command ids here, so only removal by position is possible.
    Window* window = MenuOwner(menu);
    if (!window || !(flags & MF_BYPOSITION)) return false;
    if (position >= window->menu_items.size()) return false;
    window->menu_items.erase(window->menu_items.begin() + position);
    return true;
}

bool DrawMenuBar(HWND handle) {
    return IsWindow(handle);
}

bool HasCloseCommand(HWND handle) {
    Window* window = Windows().find(handle);
    if (!window) return false;
    const auto& items = window->menu_items;
    return std::find(items.begin(), items.end(), kCloseItem) != items.end();
}

std::vector<std::string> SystemMenuItems(HWND handle) {
    Window* window = Windows().find(handle);
    return window ? window->menu_items : std::vector<std::string>();
}

}  // namespace desktop
