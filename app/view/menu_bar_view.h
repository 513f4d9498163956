#pragma once
// A window's menu bar, rebuilt from its menu items whenever one changes: captions, check
// marks, hidden and disabled items, separators and submenus. Choosing an item runs its Click.
// While one of its menus is pulled down the bar keeps the items it showed when it opened (the
// toolkit reads them in place); changes made meanwhile are shown once it closes.

#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Menu_Item.H>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/view/view_context.h"
#include "platform/forms/controls.h"

namespace view {

class MenuBarView : public Fl_Menu_Bar {
  public:
    MenuBarView(int width, int height, ViewContext& context);
    // False, changing nothing, while a menu of this bar is pulled down.
    bool rebuild(const std::vector<forms::MenuItem*>& menus);
    bool pulled_down() const;
    // Pulls the menu of the top-level item down, as its access key would; `closed` runs once it
    // has closed. False when the bar has no such menu or another menu is down.
    bool pull_down(const forms::MenuItem& top, std::function<void()> closed);

    int handle(int event) override;

  private:
    void add_level(const std::vector<forms::MenuItem*>& items);
    static void chosen(Fl_Widget* bar, void* item);

    ViewContext& m_context;
    // The toolkit reads the items and their labels in place, so both are kept here.
    std::vector<Fl_Menu_Item> m_items;
    std::deque<std::string> m_labels;
};

}  // namespace view
