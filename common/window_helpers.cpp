#include "common/window_helpers.h"

#include "platform/desktop/desktop.h"
#include "platform/forms/application.h"
#include "platform/text/text.h"

using namespace desktop;

void StayOnTop(forms::Form& form) {
    SetWindowPos(form.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void CenterForm(forms::Form& form) {
    auto& app = forms::App();
    // Computed in single precision; a half twip is rounded to even like every whole number.
    const float top =
        (static_cast<float>(app.screen_height) - static_cast<float>(form.Height)) / 2.0f;
    const float left =
        (static_cast<float>(app.screen_width) - static_cast<float>(form.Width)) / 2.0f;
    form.Top = text::RoundHalfEven32(top);
    form.Left = text::RoundHalfEven32(left);
}

void DisableCloseButton(forms::Form& form, bool remove) {
    if (remove) {
        HMENU menu = GetSystemMenu(form.hWnd(), false);
        int count = GetMenuItemCount(menu);
        RemoveMenu(menu, static_cast<UINT>(count - 1), MF_BYPOSITION | MF_REMOVE);
        RemoveMenu(menu, static_cast<UINT>(count - 2), MF_BYPOSITION | MF_REMOVE);
        DrawMenuBar(form.hWnd());
    } else {
        GetSystemMenu(form.hWnd(), true);
        DrawMenuBar(form.hWnd());
    }
}
