#include "common/chat.h"

#include <vector>

using namespace desktop;

namespace {
bool HasDirectChild(HWND parent, const char* class_name) {
    return FindWindowExA(parent, 0, class_name, nullptr) != 0;
}
}  // namespace

HWND FindChatWindow() {
    HWND main = FindWindowA("AOL Frame25", nullptr);
    if (!main) return 0;
    HWND mdi = FindWindowExA(main, 0, "MDIClient", nullptr);
    if (!mdi) return 0;
    for (HWND child = FindWindowExA(mdi, 0, "AOL Child", nullptr); child;
         child = FindWindowExA(mdi, child, "AOL Child", nullptr)) {
        if (HasDirectChild(child, "_AOL_Static") && HasDirectChild(child, "RICHCNTLREADONLY") &&
            HasDirectChild(child, "_AOL_Combobox") && HasDirectChild(child, "_AOL_Icon"))
            return child;
    }
    return 0;
}

void SendChat(const std::string& text) {
    HWND room = FindChatWindow();
    if (!room) return;
    HWND box = FindWindowExA(room, 0, "richcntl", nullptr);
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    PressEnter(box);
    if (ReadWindowText(box) == text) PressEnter(box);
}

void PressEnter(HWND window) { SendMessageA(window, WM_CHAR, 13, 0); }

std::string ReadWindowText(HWND window) {
    auto length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    if (length < 0) length = 0;
    std::string buffer(static_cast<std::size_t>(length) + 1, ' ');
    SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                 reinterpret_cast<LPARAM>(buffer.data()));
    return TrimNull(buffer);
}

std::string TrimNull(const std::string& text) {
    auto nul = text.find('\0');
    if (nul == std::string::npos) return text;
    std::string head = text.substr(0, nul);
    auto first = head.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    auto last = head.find_last_not_of(' ');
    return head.substr(first, last - first + 1);
}
