#include "platform/forms/controls.h"

#include <cstring>

#include "platform/forms/application.h"
#include "platform/forms/form.h"
#include "platform/text/text.h"

namespace forms {

Control::Control(Form& form, std::string name, ControlKind kind)
    : m_form(form), m_name(std::move(name)), m_kind(kind) {
    form.add_control(this);
    watch(Visible, Enabled, Left, Top, Width, Height);
}

void Control::Move(int left, int top, int width, int height) {
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

bool Control::usable() const {
    for (const Control* c = this; c; c = c->container())
        if (!c->Visible || !c->Enabled) return false;
    if (m_kind == ControlKind::MenuItem)
        for (auto* m = static_cast<const MenuItem*>(this)->parent(); m; m = m->parent())
            if (!m->Visible || !m->Enabled) return false;
    return true;
}

void Control::changed() {
    App().notify(m_form, this);
}

Label::Label(Form& form, std::string name) : Control(form, std::move(name), ControlKind::Label) {
    watch(Caption);
}

TextBox::TextBox(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::TextBox) {
    // The box holds a C string: text set with a NUL in it ends there (this hook runs again for
    // the shortened text, and reports the change then).
    Text.on_change([this] {
        if (Text().find('\0') != std::string::npos) {
            Text = text::UpToNul(Text());
            return;
        }
        changed();
    });
}

CommandButton::CommandButton(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::CommandButton) {
    watch(Caption);
}

CheckBox::CheckBox(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::CheckBox) {
    // As on the platform, a change of the value by code also raises Click.
    Value.on_change([this] {
        changed();
        if (Click) Click();
    });
    watch(Caption);
}

void CheckBox::click() {
    Value = Value == 1 ? 0 : 1;
}

OptionButton::OptionButton(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::OptionButton) {
    watch(Caption, Value);
}

void OptionButton::click() {
    for (Control* c : form().controls())
        if (c != this && c->kind() == ControlKind::OptionButton && c->container() == container())
            static_cast<OptionButton*>(c)->Value = false;
    Value = true;
    if (Click) Click();
}

Frame::Frame(Form& form, std::string name) : Control(form, std::move(name), ControlKind::Frame) {
    watch(Caption);
}

Picture::Picture(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::Picture) {
    watch(Source);
}

// --- ListBox -----------------------------------------------------------------------------

ListBox::ListBox(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::ListBox) {
    watch(ListIndex, TopIndex, ToolTipText);
    m_hwnd = desktop::CreateWindowA("ListBox", "", form.hWnd(),
                                    [this](desktop::HWND, desktop::UINT m, desktop::WPARAM w,
                                           desktop::LPARAM l) { return on_message(m, w, l); });
}

ListBox::~ListBox() {
    desktop::DestroyWindow(m_hwnd);
}

std::string ListBox::List(int index) const {
    if (index < 0 || index >= ListCount()) return "";
    return m_entries[static_cast<std::size_t>(index)];
}

void ListBox::SetList(int index, const std::string& text) {
    if (index < 0 || index >= ListCount()) return;
    m_entries[static_cast<std::size_t>(index)] = text::UpToNul(text);
    changed();
}

void ListBox::AddItem(const std::string& text) {
    m_entries.push_back(text::UpToNul(text));
    changed();
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) return;
    m_entries.erase(m_entries.begin() + index);
    if (ListIndex == index)
        ListIndex = -1;
    else if (ListIndex > index)
        ListIndex = ListIndex - 1;
    if (TopIndex >= ListCount()) TopIndex = ListCount() > 0 ? ListCount() - 1 : 0;
    changed();
}

void ListBox::Clear() {
    m_entries.clear();
    ListIndex = -1;
    TopIndex = 0;
    changed();
}

desktop::LRESULT ListBox::on_message(desktop::UINT message, desktop::WPARAM wparam,
                                     desktop::LPARAM lparam) {
    using namespace desktop;
    switch (message) {
        case LB_FINDSTRINGEXACT:
        case LB_FINDSTRING: {
            const char* text = reinterpret_cast<const char*>(lparam);
            if (!text || m_entries.empty()) return LB_ERR;
            int n = ListCount();
            // The search starts after the entry wParam names and wraps round to it.
            int start = static_cast<int>(static_cast<std::intptr_t>(wparam));
            if (start < -1 || start >= n) start = -1;
            for (int k = 1; k <= n; ++k) {
                int i = (start + k) % n;
                const std::string& entry = m_entries[static_cast<std::size_t>(i)];
                bool match = message == LB_FINDSTRINGEXACT
                                 ? text::EqualsIgnoreCase(entry, text)
                                 : text::StartsWithIgnoreCase(entry, text);
                if (match) return i;
            }
            return LB_ERR;
        }
        case LB_SETCURSEL: {
            int index = static_cast<int>(static_cast<std::intptr_t>(wparam));
            if (index == -1) {
                ListIndex = -1;
                return LB_ERR;
            }
            if (index < 0 || index >= ListCount()) return LB_ERR;
            ListIndex = index;
            return index;
        }
        case WM_GETTEXTLENGTH:
            return 0;
        default:
            return 0;
    }
}

// --- TimerControl ------------------------------------------------------------------------

TimerControl::TimerControl(Form& form, std::string name, int interval_ms, bool enabled)
    : Control(form, std::move(name), ControlKind::Timer), Interval(interval_ms), m_timer([this] {
          if (Tick) Tick();
      }) {
    Enabled = enabled;
    m_timer.set_interval(interval_ms);
    m_timer.set_enabled(enabled);
    Enabled.on_change([this] {
        m_timer.set_enabled(Enabled);
        changed();
    });
    Interval.on_change([this] {
        m_timer.set_interval(Interval);
        changed();
    });
}

// --- MenuItem ----------------------------------------------------------------------------

MenuItem::MenuItem(Form& form, std::string name, std::string caption, MenuItem* parent)
    : Control(form, std::move(name), ControlKind::MenuItem), Caption(caption), m_parent(parent) {
    m_caption_is_separator = caption == "-";
    if (parent) parent->m_items.push_back(this);
    watch(Caption, Checked);
}

}  // namespace forms
