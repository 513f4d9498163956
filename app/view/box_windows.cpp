#include "app/view/box_windows.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "app/view/view_context.h"
#include "app/view/window_hints.h"
#include "platform/text/text.h"

namespace view {

namespace {

constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kGap = 6;
constexpr int kIconSize = 32;
constexpr int kWidestText = 440;

// Wrapped text drawn as it is: no symbol codes, no shortcut marks.
class TextBlock : public Fl_Widget {
  public:
    TextBlock(int x, int y, int w, int h, std::string text, ScreenFont font)
        : Fl_Widget(x, y, w, h), m_text(std::move(text)), m_font(font) {}
    void draw() override {
        fl_font(m_font.font, m_font.size);
        fl_color(FL_BLACK);
        fl_draw(m_text.c_str(), x(), y(), w(), h(),
                FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP, nullptr, 0);
    }

  private:
    std::string m_text;
    ScreenFont m_font;
};

// The four classic message-box icons.
class BoxIcon : public Fl_Widget {
  public:
    BoxIcon(int x, int y, int icon) : Fl_Widget(x, y, kIconSize, kIconSize), m_icon(icon) {}
    void draw() override {
        int cx = x(), cy = y(), s = kIconSize;
        const char* mark = "i";
        Fl_Color fill = fl_rgb_color(0x1e, 0x5a, 0xc8), ink = FL_WHITE;
        if (m_icon == forms::vbExclamation) {
            fl_color(fl_rgb_color(0xf5, 0xc8, 0x1e));
            fl_polygon(cx + s / 2, cy + 1, cx + s - 1, cy + s - 2, cx + 1, cy + s - 2);
            fl_color(FL_BLACK);
            fl_loop(cx + s / 2, cy + 1, cx + s - 1, cy + s - 2, cx + 1, cy + s - 2);
            fl_font(FL_HELVETICA_BOLD, 20);
            fl_draw("!", cx, cy + 6, s, s - 6, FL_ALIGN_CENTER, nullptr, 0);
            return;
        }
        if (m_icon == forms::vbCritical) fill = fl_rgb_color(0xd2, 0x1e, 0x1e), mark = "X";
        if (m_icon == forms::vbQuestion) mark = "?";
        fl_color(fill);
        fl_pie(cx, cy, s, s, 0, 360);
        fl_color(ink);
        fl_font(FL_HELVETICA_BOLD, 20);
        fl_draw(mark, cx, cy, s, s, FL_ALIGN_CENTER, nullptr, 0);
    }

  private:
    int m_icon;
};

ScreenFont BoxFont(FontBook& fonts) {
    return fonts.get("MS Sans Serif", 8.25);
}

// The size the text takes wrapped at `widest` pixels.
void Measure(const std::string& text, ScreenFont font, int widest, int& w, int& h) {
    fl_font(font.font, font.size);
    w = widest;
    h = 0;
    fl_measure(text.c_str(), w, h, 0);
    if (text.empty()) w = 0, h = fl_height();
}

Fl_Button* AddButton(int x, int y, const char* caption, ScreenFont font) {
    auto* b = new Fl_Button(x, y, kButtonWidth, kButtonHeight, caption);
    b->labelfont(font.font);
    b->labelsize(font.size);
    return b;
}

}  // namespace

// --- BoxWindow ---------------------------------------------------------------------------

BoxWindow::BoxWindow(int width, int height, const std::string& title, bool interactive)
    : Fl_Double_Window(width, height), m_interactive(interactive), m_title(ScreenText(title)) {
    label(m_title.c_str());
    set_non_modal();  // above the program's windows, without holding the chat room's
    callback(close_clicked);
    position((Fl::w() - width) / 2, (Fl::h() - height) / 2);
}

int BoxWindow::handle(int event) {
    switch (event) {
        case FL_PUSH:
        case FL_RELEASE:
        case FL_DRAG:
        case FL_KEYDOWN:
        case FL_KEYUP:
        case FL_SHORTCUT:
        case FL_PASTE:
            if (!m_interactive || !active()) return 1;
            break;
        default:
            break;
    }
    if (event == FL_SHORTCUT && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
        accept();
        return 1;
    }
    // Taken here, before the program's windows, which hold every shortcut while a box is open.
    if (event == FL_SHORTCUT && Fl::event_key() == FL_Escape) {
        cancel();
        return 1;
    }
    bool returned = m_interactive && m_focus && (event == FL_FOCUS || event == FL_PUSH) &&
                    !contains(Fl::focus());
    if (event == FL_PUSH && m_interactive) FocusOnClick(*this);
    int used = Fl_Double_Window::handle(event);
    // Back to the box from another window: its keys go where they went when it opened.
    if (returned && !contains(Fl::focus())) {
        Fl::focus(m_focus);
        return 1;
    }
    return used;
}

void BoxWindow::finish() {
    if (m_done) return;
    m_done = true;
    if (on_done) on_done();
}

void BoxWindow::take_keyboard() {
    if (!m_interactive || !shown()) return;
    if (m_focus) Fl::focus(m_focus);
    TakeKeyboard(*this);
}

void BoxWindow::close_clicked(Fl_Widget* widget, void*) {
    auto* self = static_cast<BoxWindow*>(widget);
    if (self->m_interactive && self->active()) self->cancel();
}

// --- MessageBoxWindow --------------------------------------------------------------------

MessageBoxWindow::MessageBoxWindow(const forms::MessageBoxRequest& request, FontBook& fonts,
                                   bool interactive)
    : BoxWindow(1, 1, request.title, interactive), m_buttons(request.buttons()) {
    ScreenFont font = BoxFont(fonts);
    std::string text = ScreenLines(request.text);
    int tw = 0, th = 0;
    Measure(text, font, kWidestText, tw, th);
    bool icon = request.icon() != 0;
    int text_x = kMargin + (icon ? kIconSize + kMargin : 0);
    int content = std::max(th, icon ? kIconSize : 0);
    int text_y = kMargin + (content - th) / 2;

    struct Choice {
        const char* caption;
        int result;
    };
    std::vector<Choice> choices = {{"OK", forms::vbOK}};
    if (m_buttons == forms::vbOKCancel)
        choices = {{"OK", forms::vbOK}, {"Cancel", forms::vbCancel}};
    if (m_buttons == forms::vbYesNo) choices = {{"Yes", forms::vbYes}, {"No", forms::vbNo}};
    int buttons_width = static_cast<int>(choices.size()) * (kButtonWidth + kGap) - kGap;
    int width = std::max({text_x + tw + kMargin, buttons_width + 2 * kMargin, 140});
    int buttons_y = kMargin + content + kMargin + 4;
    int height = buttons_y + kButtonHeight + kMargin;
    size(width, height);
    position((Fl::w() - width) / 2, (Fl::h() - height) / 2);

    begin();
    if (icon) new BoxIcon(kMargin, kMargin, request.icon());
    new TextBlock(text_x, text_y, tw, th, text, font);
    int x = (width - buttons_width) / 2;
    for (const Choice& choice : choices) {
        Fl_Button* b = AddButton(x, buttons_y, choice.caption, font);
        b->callback(button_clicked,
                    reinterpret_cast<void*>(static_cast<std::intptr_t>(choice.result)));
        if (x == (width - buttons_width) / 2) set_focus(b);
        x += kButtonWidth + kGap;
    }
    end();
}

void MessageBoxWindow::pressed(int result) {
    m_result = result;
    finish();
}

void MessageBoxWindow::button_clicked(Fl_Widget* button, void* result) {
    auto* self = static_cast<MessageBoxWindow*>(button->window());
    self->pressed(static_cast<int>(reinterpret_cast<std::intptr_t>(result)));
}

void MessageBoxWindow::accept() {
    pressed(m_buttons == forms::vbYesNo ? forms::vbYes : forms::vbOK);
}

bool MessageBoxWindow::cancel() {
    // A box without Cancel closes with OK; Yes and No must be chosen.
    if (m_buttons == forms::vbYesNo) return false;
    pressed(m_buttons == forms::vbOKCancel ? forms::vbCancel : forms::vbOK);
    return true;
}

// --- InputBoxWindow ----------------------------------------------------------------------

InputBoxWindow::InputBoxWindow(const forms::InputBoxRequest& request, FontBook& fonts,
                               bool interactive)
    : BoxWindow(1, 1, request.title, interactive) {
    constexpr int kWidth = 372, kPromptWidth = 270;
    ScreenFont font = BoxFont(fonts);
    std::string prompt = ScreenLines(request.prompt);
    int pw = 0, ph = 0;
    Measure(prompt, font, kPromptWidth, pw, ph);
    int input_y = std::max(kMargin + ph, 2 * kButtonHeight + kGap + 2 * kMargin) + kMargin;
    int height = input_y + 22 + kMargin;
    size(kWidth, height);
    position((Fl::w() - kWidth) / 2, (Fl::h() - height) / 2);

    begin();
    new TextBlock(kMargin, kMargin, kPromptWidth, ph, prompt, font);
    int button_x = kWidth - kMargin - kButtonWidth;
    AddButton(button_x, kMargin, "OK", font)->callback(ok_clicked, this);
    AddButton(button_x, kMargin + kButtonHeight + kGap, "Cancel", font)
        ->callback(cancel_clicked, this);
    m_input = new Fl_Input(kMargin, input_y, kWidth - 2 * kMargin, 22);
    m_input->textfont(font.font);
    m_input->textsize(font.size);
    std::string shown = ScreenText(request.default_text);
    m_input->value(shown.c_str());
    m_input->position(static_cast<int>(shown.size()), 0);  // the default, selected
    end();
    set_focus(m_input);
}

void InputBoxWindow::accept() {
    m_answer = ModelText(m_input->value());
    finish();
}

bool InputBoxWindow::cancel() {
    m_answer.reset();
    finish();
    return true;
}

void InputBoxWindow::ok_clicked(Fl_Widget*, void* box) {
    static_cast<InputBoxWindow*>(box)->accept();
}

void InputBoxWindow::cancel_clicked(Fl_Widget*, void* box) {
    static_cast<InputBoxWindow*>(box)->cancel();
}

}  // namespace view
