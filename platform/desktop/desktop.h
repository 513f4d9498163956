#pragma once
// A desktop of windows: a tree of windows with class names, titles and message procedures,
// reached through functions with the classic window-function names and argument order.
//
// Handles are 32-bit numbers; 0 means no window. Class names compare regardless of case
// (ASCII and Windows-1252 letters); titles compare exactly. Children are kept front to back:
// a new child goes behind its older siblings, so the first created is found first.
// The desktop is a documented singleton; `Desktop::instance().reset()` clears it for tests.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace desktop {

using HWND = std::uint32_t;
using HMENU = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT = unsigned;

constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_FINDSTRING = 0x018F;
constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
constexpr LRESULT LB_ERR = -1;

constexpr HWND HWND_TOPMOST = static_cast<HWND>(-1);
constexpr HWND HWND_NOTOPMOST = static_cast<HWND>(-2);
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_REMOVE = 0x1000;

// A window's message procedure. Messages it does not handle return 0, except the text
// messages, which the desktop answers from the window's title when the procedure is empty.
using WindowProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// Window functions. LPARAM carries text as a pointer to NUL-terminated bytes (WM_SETTEXT,
// LB_FIND*) or to a writable buffer (WM_GETTEXT, whose WPARAM is the buffer size).
HWND CreateWindowA(const char* class_name, const char* title, HWND parent, WindowProc proc = {});
bool DestroyWindow(HWND window);
HWND FindWindowA(const char* class_name, const char* title);  // top level; null means any
HWND FindWindowExA(HWND parent, HWND child_after, const char* class_name, const char* title);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// The handling a window without a procedure gets: the text messages read and write its title,
// everything else gives 0. A procedure calls it for the messages it leaves to the desktop.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
bool SetWindowPos(HWND window, HWND insert_after, int x, int y, int cx, int cy, UINT flags);
HMENU GetSystemMenu(HWND window, bool revert);
int GetMenuItemCount(HMENU menu);
bool RemoveMenu(HMENU menu, UINT position, UINT flags);
bool DrawMenuBar(HWND window);

// What the rest of the platform asks about a window.
bool IsWindow(HWND window);
bool IsTopmost(HWND window);
bool HasCloseCommand(HWND window);  // its system menu still holds the Close item
std::vector<std::string> SystemMenuItems(HWND window);
std::string WindowClass(HWND window);
std::string WindowTitle(HWND window);
void SetWindowTitle(HWND window, const std::string& title);
HWND ParentOf(HWND window);
std::vector<HWND> ChildrenOf(HWND window);  // front to back

class Desktop {
  public:
    static Desktop& instance();
    void reset();  // destroys every window; handles start again at 1

    // Bumped by every reset, so that a holder of handles can tell its windows are gone even
    // when the numbers have been handed out again.
    std::uint64_t generation() const { return m_generation; }

    struct Tree;  // the windows themselves, known only to the desktop's own sources
    Tree& tree() { return *m_tree; }

  private:
    Desktop();
    ~Desktop();

    std::unique_ptr<Tree> m_tree;
    std::uint64_t m_generation = 0;
};

}  // namespace desktop
