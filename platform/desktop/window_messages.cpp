#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/desktop/desktop.h"
#include "platform/desktop/window_tree.h"

namespace desktop {

LRESULT SendMessageA(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
    auto it = Windows().windows.find(handle);
    if (it == Windows().windows.end()) return 0;
    // Held for the whole call: the procedure may destroy its own window.
    std::shared_ptr<Window> window = it->second;
    if (window->proc) return window->proc(handle, message, wparam, lparam);
    return DefWindowProcA(handle, message, wparam, lparam);
}

LRESULT DefWindowProcA(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
    Window* window = Windows().find(handle);
    if (!window) return 0;
    switch (message) {
        case WM_SETTEXT: {
            const char* text = reinterpret_cast<const char*>(lparam);
            window->title = text ? text : "";
            return 1;
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(window->title.size());
        case WM_GETTEXT: {
            char* buffer = reinterpret_cast<char*>(lparam);
            if (!buffer || wparam == 0) return 0;
            std::size_t count = std::min<std::size_t>(window->title.size(), wparam - 1);
            std::memcpy(buffer, window->title.data(), count);
            buffer[count] = '\0';
            return static_cast<LRESULT>(count);
        }
        default:
            return 0;
    }
}

}  // namespace desktop
