#pragma once
// Message boxes and input boxes as ordinary windows, laid out as the classic boxes are: the
// icon and text above the buttons, or the prompt beside OK and Cancel above the text field.
// Texts of any length are shown whole. A box that only shows (a script answers it) takes no
// input.

#include <FL/Fl_Double_Window.H>

#include <functional>
#include <optional>
#include <string>

#include "app/view/fonts.h"
#include "platform/forms/modal.h"

class Fl_Button;
class Fl_Input;

namespace view {

class BoxWindow : public Fl_Double_Window {
  public:
    bool done() const { return m_done; }
    // Runs once, as the box is answered: its wait may still be running then.
    std::function<void()> on_done;
    int handle(int event) override;
    // Once shown: the keys go to the box, to the field or button that takes them first.
    void take_keyboard();

  protected:
    BoxWindow(int width, int height, const std::string& title, bool interactive);
    void finish();
    // The widget that takes the keys when the box opens, and when it is clicked or returned to
    // while the keys went elsewhere.
    void set_focus(Fl_Widget* widget) { m_focus = widget; }
    // Enter and Escape; Escape does nothing when `cancel` is false.
    virtual void accept() = 0;
    virtual bool cancel() = 0;

  private:
    static void close_clicked(Fl_Widget* window, void*);
    bool m_interactive;
    bool m_done = false;
    Fl_Widget* m_focus = nullptr;
    std::string m_title;
};

class MessageBoxWindow : public BoxWindow {
  public:
    MessageBoxWindow(const forms::MessageBoxRequest& request, FontBook& fonts, bool interactive);
    int result() const { return m_result; }

  private:
    void accept() override;
    bool cancel() override;
    void pressed(int result);
    static void button_clicked(Fl_Widget* button, void* result);

    int m_buttons;
    int m_result = forms::vbOK;
};

class InputBoxWindow : public BoxWindow {
  public:
    InputBoxWindow(const forms::InputBoxRequest& request, FontBook& fonts, bool interactive);
    // The text with OK; nothing with Cancel.
    const std::optional<std::string>& answer() const { return m_answer; }

  private:
    void accept() override;
    bool cancel() override;
    static void ok_clicked(Fl_Widget* button, void* box);
    static void cancel_clicked(Fl_Widget* button, void* box);

    Fl_Input* m_input = nullptr;
    std::optional<std::string> m_answer;
};

}  // namespace view
