#pragma once
// A window of the program. Derived classes declare their controls as members (in the order of
// their window's tables, which is also the order in which their timers are created) and
// override the load and unload handlers.
//
// Width and Height are the outer size in twips, borders included. A fixed single border adds
// 30 twips on each side of the client area; the title bar is 285 twips and a menu bar 285 more.

#include <string>
#include <vector>

#include "platform/desktop/desktop.h"
#include "platform/forms/controls.h"
#include "platform/forms/property.h"

namespace forms {

enum class BorderStyle { None, FixedSingle, FixedDialog, Sizable };

class Form {
public:
    explicit Form(std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return m_name; }

    Property<std::string> Caption;
    Property<bool> Visible{false};
    Property<int> Left, Top, Width, Height;
    Font font;
    BorderStyle border = BorderStyle::Sizable;
    bool min_max_buttons = true;
    bool has_menu_bar = false;
    std::string icon;  // asset file name of the icon in the title bar; empty for none

    static constexpr int kBorderTwips = 30;
    static constexpr int kTitleBarTwips = 285;
    static constexpr int kMenuBarTwips = 285;
    // Sets the outer size from the size of the client area.
    void SetClientSize(int width, int height);
    int ClientWidth() const;
    int ClientHeight() const;

    bool loaded() const { return m_loaded; }
    void Load();    // runs Form_Load once per loading
    void Show();    // loads when needed, then shows
    void Hide();
    void Unload();  // runs Form_Unload, hides, stops every timer, then discards the window
    // The title bar's close box: works only while the system menu still offers Close.
    bool close_box();
    bool has_close_box() const;
    bool topmost() const;

    desktop::HWND hWnd() const { return m_hwnd; }

    const std::vector<Control*>& controls() const { return m_controls; }
    Control* find(const std::string& control_name) const;
    std::vector<MenuItem*> top_menus() const;

    // Called by the controls as they are created.
    void add_control(Control* control) { m_controls.push_back(control); }
    void changed();

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(int& /*cancel*/) {}

private:
    std::string m_name;
    bool m_loaded = false;
    desktop::HWND m_hwnd = 0;
    std::vector<Control*> m_controls;
};

}  // namespace forms
