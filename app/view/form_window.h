#pragma once
// The real window of one form: its widgets at the form's twips geometry, its menu bar, its
// caption, border, close box and stacking. Changes are marked as the model reports them and
// applied together before the screen is next drawn.

#include <FL/Fl_Double_Window.H>
#include <FL/Fl_RGB_Image.H>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/view/control_views.h"
#include "app/view/menu_bar_view.h"
#include "app/view/view_context.h"
#include "platform/forms/form.h"

namespace view {

class FormWindow : public Fl_Double_Window {
  public:
    FormWindow(forms::Form& form, ViewContext& context);

    forms::Form& form() const { return m_form; }
    // A change of the control, or of the window itself (nullptr).
    void mark(forms::Control* control);
    // True when the window has just been shown.
    bool apply();
    bool showing() { return shown() && visible(); }
    MenuBarView* menu_bar() const { return m_menu_bar; }
    // The picture given to the title bar as the window's icon, or nullptr.
    const Fl_RGB_Image* icon_image() const { return m_icon.get(); }

    // How the captions that show fit their controls, by the controls' names.
    std::vector<std::pair<std::string, CaptionFit>> caption_fits();

    int handle(int event) override;
    // Also where the window manager reports a window that a person has moved.
    void resize(int x, int y, int w, int h) override;

  private:
    void build();
    bool apply_window();
    void apply_hints();
    int menu_height() const;
    static void close_clicked(Fl_Widget* window, void*);

    forms::Form& m_form;
    ViewContext& m_context;
    std::vector<ControlView*> m_views;  // owned by the window, as its children
    MenuBarView* m_menu_bar = nullptr;
    std::unique_ptr<Fl_RGB_Image> m_icon;
    std::size_t m_built_for = 0;  // the number of controls the widgets were made for

    bool m_window_marked = true;
    bool m_menus_marked = true;
    bool m_all_marked = true;
    std::set<forms::Control*> m_marked;

    // What was last taken from the model, so that only its own changes move the window.
    int m_left = -1, m_top = -1, m_width = -1, m_height = -1;
    std::string m_caption;
    int m_close_box = -1, m_on_top = -1;
    bool m_placing = false;  // the window is being put where the model says
};

}  // namespace view
