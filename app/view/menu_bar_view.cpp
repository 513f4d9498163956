#include "app/view/menu_bar_view.h"

#include "app/view/pulldowns.h"
#include "platform/forms/font.h"

namespace view {

MenuBarView::MenuBarView(int width, int height, ViewContext& context)
    : Fl_Menu_Bar(0, 0, width, height), m_context(context) {
    box(FL_FLAT_BOX);
    ScreenFont f = context.fonts.get(forms::Font{"Tahoma", 8.25});
    textfont(f.font);
    textsize(f.size);
}

bool MenuBarView::pulled_down() const {
    return m_context.pulldowns && m_context.pulldowns->open_bar() == this;
}

bool MenuBarView::rebuild(const std::vector<forms::MenuItem*>& menus) {
    if (pulled_down()) return false;
    std::vector<Fl_Menu_Item> old_items = std::move(m_items);
    std::deque<std::string> old_labels = std::move(m_labels);
    m_items.clear();
    m_labels.clear();
    add_level(menus);
    m_items.push_back(Fl_Menu_Item{});
    menu(m_items.data());
    redraw();
    return true;
}

int MenuBarView::handle(int event) {
    // A press pulls a menu down beside the program: only one at a time.
    if (event == FL_PUSH && m_context.pulldowns) {
        m_context.pulldowns->run(*this, [this] { Fl_Menu_Bar::handle(FL_PUSH); });
        return 1;
    }
    if (event == FL_SHORTCUT && pulled_down()) return 1;
    return Fl_Menu_Bar::handle(event);
}

bool MenuBarView::pull_down(const forms::MenuItem& top, std::function<void()> closed) {
    // The top-level entries: each submenu's entries follow it up to its terminator.
    const Fl_Menu_Item* found = nullptr;
    int depth = 0;
    for (const Fl_Menu_Item& entry : m_items) {
        if (!entry.text) {
            --depth;
            continue;
        }
        if (depth == 0 && entry.user_data_ == &top && entry.submenu() && entry.visible() &&
            entry.active())
            found = &entry;
        if (entry.submenu()) ++depth;
    }
    if (!found || !m_context.pulldowns) return false;
    return m_context.pulldowns->run(
        *this,
        [this, found] { picked(menu()->pulldown(x(), y(), w(), h(), found, this, nullptr, 1)); },
        std::move(closed));
}

void MenuBarView::add_level(const std::vector<forms::MenuItem*>& items) {
    // The items between two separators make a group; where one of them is checked, every item
    // of the group shows a box, so that the group's captions line up.
    std::vector<bool> boxed(items.size(), false);
    for (std::size_t start = 0; start < items.size();) {
        std::size_t end = start;
        bool checked = false;
        for (; end < items.size() && !items[end]->is_separator(); ++end)
            checked = checked || (items[end]->Checked && items[end]->items().empty());
        for (std::size_t i = start; i < end; ++i) boxed[i] = checked && items[i]->items().empty();
        start = end + 1;
    }
    long last_shown = -1;  // the item a following separator draws its line under
    for (std::size_t index = 0; index < items.size(); ++index) {
        forms::MenuItem* item = items[index];
        if (item->is_separator()) {
            if (item->Visible && last_shown >= 0)
                m_items[static_cast<std::size_t>(last_shown)].flags |= FL_MENU_DIVIDER;
            continue;
        }
        int flags = 0;
        if (!item->Visible) flags |= FL_MENU_INVISIBLE;
        if (!item->Enabled) flags |= FL_MENU_INACTIVE;
        if (boxed[index]) flags |= FL_MENU_TOGGLE;
        if (item->Checked) flags |= FL_MENU_TOGGLE | FL_MENU_VALUE;
        if (!item->items().empty()) flags |= FL_SUBMENU;
        m_labels.push_back(ScreenText(item->Caption));
        Fl_Menu_Item entry{};
        entry.text = m_labels.back().c_str();
        entry.callback_ = chosen;
        entry.user_data_ = item;
        entry.flags = flags;
        entry.labelfont_ = textfont();
        entry.labelsize_ = textsize();
        m_items.push_back(entry);
        if (item->Visible) last_shown = static_cast<long>(m_items.size() - 1);
        if (!item->items().empty()) {
            add_level(item->items());
            m_items.push_back(Fl_Menu_Item{});
        }
    }
}

void MenuBarView::chosen(Fl_Widget*, void* data) {
    auto* item = static_cast<forms::MenuItem*>(data);
    PostInput(*item, [item] {
        if (item->items().empty() && item->Click) item->Click();
    });
}

}  // namespace view
