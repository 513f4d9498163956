#include "platform/forms/form.h"

#include "platform/forms/application.h"

namespace forms {

Form::Form(std::string name) : m_name(std::move(name)) {
    // The window exists from the start, so that controls can be its children on the desktop.
    m_hwnd = desktop::CreateWindowA("TavrelForm", "", 0);
    Caption.on_change([this] {
        desktop::SetWindowTitle(m_hwnd, Caption);
        changed();
    });
    Visible.on_change([this] { changed(); });
    Left.on_change([this] { changed(); });
    Top.on_change([this] { changed(); });
    Width.on_change([this] { changed(); });
    Height.on_change([this] { changed(); });
}

Form::~Form() { desktop::DestroyWindow(m_hwnd); }

void Form::changed() { App().notify(*this, nullptr); }

void Form::SetClientSize(int width, int height) {
    bool framed = this->border != BorderStyle::None;
    int border = framed ? kBorderTwips : 0;
    int title = framed ? kTitleBarTwips : 0;
    int menu = has_menu_bar ? kMenuBarTwips : 0;
    Width = width + 2 * border;
    Height = height + 2 * border + title + menu;
}

int Form::ClientWidth() const {
    int border = this->border == BorderStyle::None ? 0 : kBorderTwips;
    return Width - 2 * border;
}

int Form::ClientHeight() const {
    bool framed = border != BorderStyle::None;
    int chrome = (framed ? 2 * kBorderTwips + kTitleBarTwips : 0) + (has_menu_bar ? kMenuBarTwips : 0);
    return Height - chrome;
}

void Form::Load() {
    if (m_loaded) return;
    m_loaded = true;
    Form_Load();
}

void Form::Show() {
    Load();
    if (m_loaded) Visible = true;
}

void Form::Hide() { Visible = false; }

void Form::Unload() {
    if (!m_loaded) return;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel) return;
    m_loaded = false;
    Visible = false;
    for (Control* c : m_controls)
        if (c->kind() == ControlKind::Timer) c->Enabled = false;
    App().discard(*this);
}

bool Form::has_close_box() const { return desktop::HasCloseCommand(m_hwnd); }

bool Form::close_box() {
    if (!has_close_box()) return false;
    Unload();
    return true;
}

bool Form::topmost() const { return desktop::IsTopmost(m_hwnd); }

Control* Form::find(const std::string& control_name) const {
    for (Control* c : m_controls)
        if (c->name() == control_name) return c;
    return nullptr;
}

std::vector<MenuItem*> Form::top_menus() const {
    std::vector<MenuItem*> menus;
    for (Control* c : m_controls)
        if (c->kind() == ControlKind::MenuItem && !static_cast<MenuItem*>(c)->parent())
            menus.push_back(static_cast<MenuItem*>(c));
    return menus;
}

}  // namespace forms
