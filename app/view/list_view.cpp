#include <FL/Fl.H>
#include <FL/Fl_Tooltip.H>

#include "app/view/control_views.h"

namespace view {

ListView::ListView(forms::ListBox& list, ViewContext& context)
    : Fl_Hold_Browser(0, 0, 1, 1), ControlView(list, context), m_list(list) {
    format_char(0);  // entries are shown as they are, never as formatting codes
    has_scrollbar(Fl_Browser_::VERTICAL);
    when(FL_WHEN_CHANGED);
    callback([](Fl_Widget* w, void*) { static_cast<ListView*>(w)->picked(); });
}

void ListView::picked() {
    int index = value() - 1;
    forms::ListBox& list = m_list;
    // A person's choice selects the entry and raises Click, as a script's select does.
    PostInput(list, [&list, index] {
        if (index >= list.ListCount()) return;
        list.ListIndex = index;
        if (list.Click) list.Click();
    });
}

void ListView::read_back_top() {
    int top = std::max(0, topline() - 1);
    if (m_list.ListCount() > 0 && top != m_list.TopIndex) {
        m_applied_top = top;
        m_list.TopIndex = top;
    }
}

int ListView::handle(int event) {
    switch (event) {
        case FL_ENTER:
            Fl_Hold_Browser::handle(event);
            return 1;  // asks for the pointer's moves
        case FL_MOVE:
        case FL_DRAG: {
            int result = Fl_Hold_Browser::handle(event);
            read_back_top();
            int button = pointer_buttons(), shift = shift_keys();
            // Inside the list's border, as the list's own client area counts.
            float px =
                pointer_x() - static_cast<float>(Fl::box_dx(box()) * m_context.twips_per_pixel);
            float py =
                pointer_y() - static_cast<float>(Fl::box_dy(box()) * m_context.twips_per_pixel);
            forms::ListBox& list = m_list;
            PostInput(list, [&list, button, shift, px, py] {
                if (list.MouseMove) list.MouseMove(button, shift, px, py);
            });
            return event == FL_MOVE ? 1 : result;
        }
        default: {
            int result = Fl_Hold_Browser::handle(event);
            if (event == FL_MOUSEWHEEL || event == FL_RELEASE) read_back_top();
            return result;
        }
    }
}

void ListView::sync_contents() {
    ScreenFont f = m_context.fonts.get(m_list.font);
    if (textfont() != f.font || textsize() != f.size) {
        textfont(f.font);
        textsize(f.size);
    }
    if (m_shown != m_list.entries()) {
        int top = topline();
        clear();
        for (const std::string& entry : m_list.entries()) add(ScreenText(entry).c_str());
        m_shown = m_list.entries();
        if (m_applied_top == m_list.TopIndex) topline(std::min(top, size()));
    }
    int selected = m_list.ListIndex + 1;
    if (selected < 0 || selected > size()) selected = 0;
    if (value() != selected) {
        if (selected > 0) {
            select(selected);
            make_visible(selected);
        } else {
            deselect();
        }
    }
    if (m_applied_top != m_list.TopIndex) {
        m_applied_top = m_list.TopIndex;
        if (size() > 0) topline(m_list.TopIndex + 1);
    }
    std::string tip = ScreenText(m_list.ToolTipText);
    if (tip != m_tooltip) {
        m_tooltip = tip;
        copy_tooltip(tip.empty() ? nullptr : tip.c_str());
        // The pointer is still over the list: the new text shows (or the old one goes) now.
        if (Fl::belowmouse() == this) Fl_Tooltip::enter_area(this, 0, 0, w(), h(), tooltip());
    }
}

}  // namespace view
