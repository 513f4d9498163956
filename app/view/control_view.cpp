#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "app/view/control_views.h"

namespace view {

void ControlView::sync(int top) {
    int left_twips = 0, top_twips = 0;
    bool visible = true, enabled = true;
    for (const forms::Control* c = &m_control; c; c = c->container()) {
        left_twips += c->Left;
        top_twips += c->Top;
        visible = visible && c->Visible;
        enabled = enabled && c->Enabled;
    }
    Fl_Widget& w = widget();
    int x = m_context.pixels(left_twips), y = top + m_context.pixels(top_twips);
    int width = m_context.pixels(m_control.Width), height = m_context.pixels(m_control.Height);
    if (x != w.x() || y != w.y() || width != w.w() || height != w.h()) {
        // Damage where the widget was as well as where it goes.
        if (w.window()) w.window()->damage(FL_DAMAGE_ALL, w.x(), w.y(), w.w(), w.h());
        w.resize(x, y, width, height);
    }
    if (visible && !w.visible()) w.show();
    if (!visible && w.visible()) w.hide();
    if (enabled && !w.active()) w.activate();
    if (!enabled && w.active()) w.deactivate();
    // A control that lies outside the window's client area is no stop for Tab.
    if (const Fl_Window* window = w.window()) {
        bool inside = x < window->w() && y < window->h() && x + width > 0 && y + height > top;
        if (inside && !w.visible_focus()) w.set_visible_focus();
        if (!inside && w.visible_focus()) w.clear_visible_focus();
    }
    sync_contents();
    w.redraw();
}

float ControlView::pointer_x() const {
    const Fl_Widget& w = const_cast<ControlView*>(this)->widget();
    return static_cast<float>((Fl::event_x() - w.x()) * m_context.twips_per_pixel);
}

float ControlView::pointer_y() const {
    const Fl_Widget& w = const_cast<ControlView*>(this)->widget();
    return static_cast<float>((Fl::event_y() - w.y()) * m_context.twips_per_pixel);
}

int ControlView::pointer_buttons() {
    int held = Fl::event_buttons();
    return ((held & FL_BUTTON1) ? 1 : 0) | ((held & FL_BUTTON3) ? 2 : 0) |
           ((held & FL_BUTTON2) ? 4 : 0);
}

int ControlView::shift_keys() {
    int state = Fl::event_state();
    return ((state & FL_SHIFT) ? 1 : 0) | ((state & FL_CTRL) ? 2 : 0) | ((state & FL_ALT) ? 4 : 0);
}

ControlView* MakeControlView(forms::Control& control, ViewContext& context) {
    using forms::ControlKind;
    switch (control.kind()) {
        case ControlKind::Label:
            return new LabelView(static_cast<forms::Label&>(control), context);
        case ControlKind::TextBox:
            return new TextBoxView(static_cast<forms::TextBox&>(control), context);
        case ControlKind::CommandButton:
            return new ButtonView(static_cast<forms::CommandButton&>(control), context);
        case ControlKind::CheckBox:
            return new CheckBoxView(static_cast<forms::CheckBox&>(control), context);
        case ControlKind::OptionButton:
            return new OptionView(static_cast<forms::OptionButton&>(control), context);
        case ControlKind::Frame:
            return new FrameView(static_cast<forms::Frame&>(control), context);
        case ControlKind::Picture:
            return new PictureView(static_cast<forms::Picture&>(control), context);
        case ControlKind::ListBox:
            return new ListView(static_cast<forms::ListBox&>(control), context);
        case ControlKind::Custom:
            return new ShapesView(static_cast<forms::CustomControl&>(control), context);
        case ControlKind::Timer:
        case ControlKind::MenuItem:
            return nullptr;
    }
    return nullptr;
}

}  // namespace view
