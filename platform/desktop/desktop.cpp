#include "platform/desktop/desktop.h"

#include <algorithm>

#include "platform/desktop/window_tree.h"

namespace desktop {

namespace {

// Windows-1252 small letters to capitals: ASCII, the accented range (less the division and
// multiplication signs), and the four letters that sit in 0x8A..0x9F.
unsigned char UpperCase1252(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
        case 0x9A:
            return 0x8A;  // s caron
        case 0x9C:
            return 0x8C;  // oe
        case 0x9E:
            return 0x8E;  // z caron
        case 0xFF:
            return 0x9F;  // y diaeresis
        default:
            return c;
    }
}

void DestroyTree(Desktop::Tree& tree, HWND handle) {
    auto it = tree.windows.find(handle);
    if (it == tree.windows.end()) return;
    std::shared_ptr<Window> window = it->second;
    for (HWND child : window->children) DestroyTree(tree, child);
    tree.menus.erase(window->system_menu);
    tree.windows.erase(it);
}

bool Matches(const Window& window, const char* class_name, const char* title) {
    if (class_name && !SameClassName(window.class_name, class_name)) return false;
    if (title && window.title != title) return false;
    return true;
}

}  // namespace

bool SameClassName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return UpperCase1252(static_cast<unsigned char>(x)) ==
               UpperCase1252(static_cast<unsigned char>(y));
    });
}

// --- Desktop -----------------------------------------------------------------------------

Desktop::Desktop() : m_tree(std::make_unique<Tree>()) {}
Desktop::~Desktop() = default;

Desktop& Desktop::instance() {
    static Desktop desktop;
    return desktop;
}

void Desktop::reset() {
    // Procedures running right now keep their own window alive through the shared pointer.
    m_tree = std::make_unique<Tree>();
    ++m_generation;
}

Window* Desktop::Tree::find(HWND handle) {
    auto it = windows.find(handle);
    return it == windows.end() ? nullptr : it->second.get();
}

std::vector<HWND>* Desktop::Tree::children_of(HWND parent) {
    if (parent == 0) return &top_level;
    Window* window = find(parent);
    return window ? &window->children : nullptr;
}

// --- Window functions --------------------------------------------------------------------

HWND CreateWindowA(const char* class_name, const char* title, HWND parent, WindowProc proc) {
    Desktop::Tree& tree = Windows();
    std::vector<HWND>* siblings = tree.children_of(parent);
    if (!siblings) return 0;
    auto window = std::make_shared<Window>();
    window->handle = tree.next_handle++;
    window->class_name = class_name ? class_name : "";
    window->title = title ? title : "";
    window->parent = parent;
    window->proc = std::move(proc);
    window->system_menu = tree.next_handle++;
    window->menu_items = StandardSystemMenu();
    siblings->push_back(window->handle);
    tree.menus[window->system_menu] = window->handle;
    tree.windows[window->handle] = window;
    return window->handle;
}

bool DestroyWindow(HWND handle) {
    Desktop::Tree& tree = Windows();
    Window* window = tree.find(handle);
    if (!window) return false;
    if (std::vector<HWND>* siblings = tree.children_of(window->parent))
        std::erase(*siblings, handle);
    DestroyTree(tree, handle);
    return true;
}

HWND FindWindowA(const char* class_name, const char* title) {
    return FindWindowExA(0, 0, class_name, title);
}

HWND FindWindowExA(HWND parent, HWND child_after, const char* class_name, const char* title) {
    Desktop::Tree& tree = Windows();
    std::vector<HWND>* children = tree.children_of(parent);
    if (!children) return 0;
    auto it = children->begin();
    if (child_after != 0) {
        it = std::find(children->begin(), children->end(), child_after);
        // A window that is not a child of `parent` gives no starting point.
        if (it == children->end()) return 0;
        ++it;
    }
    for (; it != children->end(); ++it)
        if (Matches(*tree.find(*it), class_name, title)) return *it;
    return 0;
}

bool SetWindowPos(HWND handle, HWND insert_after, int, int, int, int, UINT) {
    // Forms keep their own geometry; the desktop only records which windows stay on top.
    Window* window = Windows().find(handle);
    if (!window) return false;
    if (insert_after == HWND_TOPMOST) window->topmost = true;
    if (insert_after == HWND_NOTOPMOST) window->topmost = false;
    return true;
}

// --- Queries -----------------------------------------------------------------------------

bool IsWindow(HWND handle) {
    return Windows().find(handle) != nullptr;
}

bool IsTopmost(HWND handle) {
    Window* window = Windows().find(handle);
    return window && window->topmost;
}

std::string WindowClass(HWND handle) {
    Window* window = Windows().find(handle);
    return window ? window->class_name : std::string();
}

std::string WindowTitle(HWND handle) {
    Window* window = Windows().find(handle);
    return window ? window->title : std::string();
}

void SetWindowTitle(HWND handle, const std::string& title) {
    if (Window* window = Windows().find(handle)) window->title = title;
}

HWND ParentOf(HWND handle) {
    Window* window = Windows().find(handle);
    return window ? window->parent : 0;
}

std::vector<HWND> ChildrenOf(HWND handle) {
    Window* window = Windows().find(handle);
    return window ? window->children : std::vector<HWND>();
}

}  // namespace desktop
