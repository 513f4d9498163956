#include "app/view/view_context.h"

#include <algorithm>
#include <cmath>

#include "platform/forms/application.h"
#include "platform/forms/modal.h"
#include "platform/loop/loop.h"
#include "platform/text/text.h"

namespace view {

int ViewContext::pixels(double twips) const {
    return static_cast<int>(std::lround(twips / twips_per_pixel));
}

void PostInput(forms::Control& control, std::function<void()> action) {
    loop::EventLoop::instance().post([&control, action = std::move(action)] {
        const forms::Form& form = control.form();
        if (InputHeld() || !form.loaded() || !form.Visible || !control.usable()) return;
        action();
    });
}

bool InputHeld() {
    return forms::modal_open();
}

std::string ScreenText(const std::string& cp1252) {
    return text::ToUtf8(cp1252);
}

std::string LabelText(const std::string& cp1252) {
    return text::ReplaceAll(text::ToUtf8(cp1252), "@", "@@");
}

std::string ModelText(const std::string& utf8) {
    if (auto whole = text::FromUtf8(utf8)) return *whole;
    std::string bytes;
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t len = lead < 0x80    ? 1
                          : lead >= 0xF0 ? 4
                          : lead >= 0xE0 ? 3
                          : lead >= 0xC0 ? 2
                                         : 1;
        len = std::min(len, utf8.size() - i);
        auto one = text::FromUtf8(std::string_view(utf8).substr(i, len));
        bytes += one ? *one : std::string("?");
        i += len;
    }
    return bytes;
}

std::string ScreenLines(const std::string& cp1252) {
    std::string utf8 = text::ReplaceAll(text::ToUtf8(cp1252), "\r\n", "\n");
    return text::ReplaceAll(utf8, "\r", "\n");
}

}  // namespace view
