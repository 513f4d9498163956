#include "app/view/form_window.h"

#include <FL/Fl.H>
#include <FL/Fl_PNG_Image.H>

#include "app/view/window_hints.h"
#include "platform/forms/application.h"
#include "platform/loop/loop.h"

namespace view {

FormWindow::FormWindow(forms::Form& form, ViewContext& context)
    : Fl_Double_Window(1, 1), m_form(form), m_context(context) {
    end();
    if (form.border == forms::BorderStyle::None) clear_border();
    callback(close_clicked);
    // A window that names no icon of its own shows the program's, as every window does.
    std::string icon_name = form.icon.empty() ? std::string(kProgramIcon) : form.icon;
    if (form.border != forms::BorderStyle::None) {
        std::string path = FindAsset(icon_name);
        auto picture = std::make_unique<Fl_PNG_Image>(path.c_str());
        // Given before the window is first shown; the toolkit keeps a copy.
        if (!path.empty() && picture->w() > 0 && picture->d() >= 3) {
            icon(picture.get());
            m_icon = std::move(picture);
        }
    }
    build();
}

int FormWindow::menu_height() const {
    return m_form.has_menu_bar ? m_context.pixels(forms::Form::kMenuBarTwips) : 0;
}

void FormWindow::build() {
    clear();
    m_views.clear();
    m_menu_bar = nullptr;
    begin();
    // Frames first, so that what they hold is drawn over them.
    for (int pass = 0; pass < 2; ++pass)
        for (forms::Control* c : m_form.controls()) {
            bool frame = c->kind() == forms::ControlKind::Frame;
            if (frame != (pass == 0)) continue;
            if (ControlView* view = MakeControlView(*c, m_context)) m_views.push_back(view);
        }
    if (m_form.has_menu_bar)
        m_menu_bar = new MenuBarView(w(), std::max(menu_height(), 1), m_context);
    end();
    resizable(nullptr);
    m_built_for = m_form.controls().size();
    m_window_marked = m_menus_marked = m_all_marked = true;
}

void FormWindow::mark(forms::Control* control) {
    if (!control) {
        m_window_marked = true;
    } else if (control->kind() == forms::ControlKind::MenuItem) {
        m_menus_marked = true;
    } else if (control->kind() == forms::ControlKind::Frame) {
        m_all_marked = true;  // what it holds follows it
    } else if (control->kind() != forms::ControlKind::Timer) {
        m_marked.insert(control);
    }
}

bool FormWindow::apply() {
    // A menu that is pulled down reads its bar's items in place: the widgets are made anew, and
    // the menus rebuilt, only once it has closed.
    bool menu_down = m_menu_bar && m_menu_bar->pulled_down();
    if (m_form.controls().size() != m_built_for && !menu_down) build();
    bool shown_now = m_window_marked && apply_window();
    bool menus_pending = m_menus_marked && m_menu_bar && !m_menu_bar->rebuild(m_form.top_menus());
    int top = menu_height();
    for (ControlView* view : m_views)
        if (m_all_marked || m_marked.count(&view->control())) view->sync(top);
    m_window_marked = m_all_marked = false;
    m_menus_marked = menus_pending;
    m_marked.clear();
    // The title bar's commands and the stacking are not reported as changes; they are read
    // at every round of changes.
    apply_hints();
    return shown_now;
}

bool FormWindow::apply_window() {
    m_window_marked = false;
    std::string caption = ScreenText(m_form.Caption);
    if (caption != m_caption) copy_label((m_caption = caption).c_str());

    bool framed = m_form.border != forms::BorderStyle::None;
    int border = framed ? forms::Form::kBorderTwips : 0;
    int title = framed ? forms::Form::kTitleBarTwips : 0;
    if (m_form.Left != m_left || m_form.Top != m_top || m_form.Width != m_width ||
        m_form.Height != m_height) {
        m_left = m_form.Left;
        m_top = m_form.Top;
        m_width = m_form.Width;
        m_height = m_form.Height;
        // The toolkit's window is the client area; the model's size has the borders too.
        int width = std::max(1, m_context.pixels(m_width - 2 * border));
        int height = std::max(1, m_context.pixels(m_height - 2 * border - title));
        size_range(width, height, width, height);  // a fixed border
        m_placing = true;
        resize(m_context.pixels(m_left + border), m_context.pixels(m_top + border + title), width,
               height);
        m_placing = false;
        if (m_menu_bar) m_menu_bar->resize(0, 0, width, m_menu_bar->h());
        m_close_box = m_on_top = -1;  // a new size range resets the title-bar hints
    }

    bool wanted = m_form.loaded() && m_form.Visible;
    if (wanted && !showing()) {
        show();
        m_close_box = m_on_top = -1;
        // Set while the map request still waits in the connection's buffer, before the window
        // manager can read the window's state.
        if (m_form.topmost()) {
            StartOnTop(*this);
            m_on_top = 1;
        }
        return true;
    }
    if (!wanted && shown()) hide();
    return false;
}

std::vector<std::pair<std::string, CaptionFit>> FormWindow::caption_fits() {
    std::vector<std::pair<std::string, CaptionFit>> fits;
    for (ControlView* view : m_views) {
        Fl_Widget& w = view->widget();
        bool inside = w.x() < this->w() && w.y() < h() && w.x() + w.w() > 0 && w.y() + w.h() > 0;
        if (!w.visible_r() || !inside) continue;
        if (auto fit = view->caption_fit()) fits.emplace_back(view->control().name(), *fit);
    }
    return fits;
}

void FormWindow::apply_hints() {
    if (!shown()) return;
    int close_box = m_form.has_close_box() ? 1 : 0;
    int on_top = m_form.topmost() ? 1 : 0;
    if (close_box != m_close_box) {
        m_close_box = close_box;
        SetTitleBarCommands(*this, close_box == 1, m_form.min_max_buttons);
    }
    if (on_top != m_on_top) {
        m_on_top = on_top;
        SetStaysOnTop(*this, on_top == 1);
    }
}

int FormWindow::handle(int event) {
    switch (event) {
        case FL_PUSH:
        case FL_RELEASE:
        case FL_DRAG:
        case FL_MOVE:
        case FL_MOUSEWHEEL:
        case FL_KEYDOWN:
        case FL_KEYUP:
        case FL_SHORTCUT:
        case FL_PASTE:
        case FL_DND_ENTER:
        case FL_DND_DRAG:
        case FL_DND_RELEASE:
            // While a script drives the windows, or a box is open, they take no input.
            if (!m_context.interactive || InputHeld()) return 1;
            break;
        default:
            break;
    }
    if (event == FL_PUSH) FocusOnClick(*this);
    return Fl_Double_Window::handle(event);
}

void FormWindow::resize(int x, int y, int w, int h) {
    bool moved = !m_placing && shown() && (x != this->x() || y != this->y());
    Fl_Double_Window::resize(x, y, w, h);
    if (!moved || !m_context.interactive) return;
    // Moved by a person: the model's place follows, so that its own changes (a new width as
    // the window folds) keep the window where it now is.
    bool framed = m_form.border != forms::BorderStyle::None;
    int border = framed ? forms::Form::kBorderTwips : 0;
    int title = framed ? forms::Form::kTitleBarTwips : 0;
    m_left = x * m_context.twips_per_pixel - border;
    m_top = y * m_context.twips_per_pixel - border - title;
    m_form.Left = m_left;
    m_form.Top = m_top;
}

void FormWindow::close_clicked(Fl_Widget* widget, void*) {
    auto* self = static_cast<FormWindow*>(widget);
    // Escape is not a close box.
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
    if (!self->m_context.interactive || InputHeld()) return;
    forms::Form& form = self->m_form;
    loop::EventLoop::instance().post([&form] {
        if (!InputHeld() && form.loaded() && form.Visible) form.close_box();
    });
}

}  // namespace view
