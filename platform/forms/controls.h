#pragma once
// The controls of a window: labels, text boxes, buttons, check and option buttons, frames,
// pictures, list boxes, timers and menu items. Geometry is in twips within the window's client
// area (or, for controls inside a frame, within the frame). Every change of a property is
// reported to the application's observer, so a view can follow the model.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/desktop.h"
#include "platform/forms/font.h"
#include "platform/forms/property.h"
#include "platform/loop/loop.h"

namespace forms {

class Form;

enum class ControlKind {
    Label,
    TextBox,
    CommandButton,
    CheckBox,
    OptionButton,
    Frame,
    Picture,
    ListBox,
    Timer,
    MenuItem,
    Custom
};

class Control {
public:
    Control(Form& form, std::string name, ControlKind kind);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return m_name; }
    ControlKind kind() const { return m_kind; }
    Form& form() const { return m_form; }

    // The frame (or other control) whose area holds this one; nullptr for the client area.
    Control* container() const { return m_container; }
    void set_container(Control* c) { m_container = c; }

    Property<bool> Visible{true};
    Property<bool> Enabled{true};
    Property<int> Left, Top, Width, Height;
    Font font;
    int TabIndex = 0;

    void Move(int left, int top, int width, int height);
    // False when the control or anything that holds it is hidden or disabled.
    bool usable() const;

    // Called after any change of the control's state; tells the application's observer.
    void changed();

protected:
    template <class... P>
    void watch(P&... props) {
        (props.on_change([this] { changed(); }), ...);
    }

private:
    Form& m_form;
    std::string m_name;
    ControlKind m_kind;
    Control* m_container = nullptr;
};

class Label : public Control {
public:
    Label(Form& form, std::string name);
    Property<std::string> Caption;
    std::function<void()> Click;
};

class TextBox : public Control {
public:
    TextBox(Form& form, std::string name);
    Property<std::string> Text;  // a C string, as the platform's box: it ends at a NUL
};

class CommandButton : public Control {
public:
    CommandButton(Form& form, std::string name);
    Property<std::string> Caption;
    std::function<void()> Click;
};

class CheckBox : public Control {
public:
    CheckBox(Form& form, std::string name);
    Property<std::string> Caption;
    Property<int> Value{0};  // 0 unchecked, 1 checked
    std::function<void()> Click;
    // A click by the user: toggles the value, then runs Click.
    void click();
};

class OptionButton : public Control {
public:
    OptionButton(Form& form, std::string name);
    Property<std::string> Caption;
    Property<bool> Value{false};
    std::function<void()> Click;
    // A click by the user: selects this button, clears the others of its container, runs Click.
    void click();
};

class Frame : public Control {
public:
    Frame(Form& form, std::string name);
    Property<std::string> Caption;
};

class Picture : public Control {
public:
    Picture(Form& form, std::string name);
    Property<std::string> Source;  // asset file name of the picture shown
};

// A list box. Its entries are C strings, as the platform's list box keeps them: an entry added
// or set with a NUL in it ends there. Its entries also answer the list-box window messages through its window handle:
// LB_FINDSTRINGEXACT (whole entry, case ignored, searching from the entry after wParam round to
// it; wParam -1 searches from the start), LB_FINDSTRING (the same for an entry that begins with
// the text) and LB_SETCURSEL (selects an index; -1 clears; answers LB_ERR for an index that does
// not exist, and for -1).
class ListBox : public Control {
public:
    ListBox(Form& form, std::string name);
    ~ListBox() override;

    int ListCount() const { return static_cast<int>(m_entries.size()); }
    std::string List(int index) const;  // "" for an index that names no entry
    void SetList(int index, const std::string& text);
    void AddItem(const std::string& text);
    void RemoveItem(int index);
    void Clear();
    const std::vector<std::string>& entries() const { return m_entries; }

    Property<int> ListIndex{-1};  // the selected entry, -1 for none
    Property<int> TopIndex{0};    // the first entry shown
    Property<std::string> ToolTipText;
    // The selected entry's text, "" with no selection.
    std::string Text() const { return List(ListIndex); }

    std::function<void()> Click;
    std::function<void(int button, int shift, float x, float y)> MouseMove;

    desktop::HWND hWnd() const { return m_hwnd; }

private:
    desktop::LRESULT on_message(desktop::UINT message, desktop::WPARAM wparam,
                                desktop::LPARAM lparam);
    std::vector<std::string> m_entries;
    desktop::HWND m_hwnd = 0;
};

class TimerControl : public Control {
public:
    TimerControl(Form& form, std::string name, int interval_ms, bool enabled);
    Property<int> Interval;
    std::function<void()> Tick;
    bool running() const { return m_timer.running(); }
    loop::Micros due() const { return m_timer.due(); }

private:
    loop::Timer m_timer;
};

class MenuItem : public Control {
public:
    MenuItem(Form& form, std::string name, std::string caption, MenuItem* parent);
    Property<std::string> Caption;
    Property<bool> Checked{false};
    std::function<void()> Click;

    MenuItem* parent() const { return m_parent; }
    const std::vector<MenuItem*>& items() const { return m_items; }
    bool is_separator() const { return m_caption_is_separator; }

private:
    MenuItem* m_parent;
    std::vector<MenuItem*> m_items;
    bool m_caption_is_separator = false;
};

// One rectangle of what a supplied control shows, in twips relative to the control; colours
// are 0x00BBGGRR. Later rectangles are drawn over earlier ones.
struct Shape {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    bool visible = true;
    bool filled = true;  // false: the border alone
    std::int32_t fill_colour = 0;
    std::int32_t border_colour = 0;
    int border_width = 1;  // pixels; 0 for no border
};

// A control supplied from outside (a component); it is only placed and shown by the form.
// A view paints it from its shapes and hands it the pointer; a control that calls changed()
// whenever its shapes change is redrawn at once.
class CustomControl : public Control {
public:
    CustomControl(Form& form, std::string name) : Control(form, std::move(name), ControlKind::Custom) {}

    // Fills `out` with what the control shows; false when it shows nothing of its own.
    virtual bool draw_shapes(std::vector<Shape>& /*out*/) const { return false; }
    // The pointer over the control, in twips relative to it; buttons and shift keys as the
    // classic masks (1 left, 2 right, 4 middle; 1 shift, 2 ctrl, 4 alt).
    virtual void mouse_down(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void mouse_move(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void mouse_up(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
};

}  // namespace forms
