// Labels, text boxes, buttons, check boxes and option buttons.
#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "app/view/control_views.h"
#include "platform/text/text.h"

namespace view {

namespace {

void UseFont(Fl_Widget& w, ScreenFont f) {
    w.labelfont(f.font);
    w.labelsize(f.size);
}

// A triangle pointing right (+1) or left (-1), as the symbol font's arrows look.
void DrawTriangle(int x, int y, int size, int direction) {
    int half = size / 2;
    if (direction > 0)
        fl_polygon(x, y, x, y + 2 * half, x + half, y + half);
    else
        fl_polygon(x + half, y, x + half, y + 2 * half, x, y + half);
}

// A one-line caption drawn in the widget's label font.
CaptionFit LineFit(const Fl_Widget& w, const std::string& utf8, int room_width, int room_height) {
    fl_font(w.labelfont(), w.labelsize());
    int width = 0, height = 0;
    fl_measure(utf8.c_str(), width, height, 0);
    return {width, height, room_width, room_height};
}

// A check box's or option button's caption, beside the mark the toolkit draws first.
CaptionFit BesideMarkFit(const Fl_Widget& w, const std::string& utf8) {
    int dx = Fl::box_dx(w.box()) + 2;
    return LineFit(w, utf8, w.w() - w.labelsize() - 2 * dx, w.h() - Fl::box_dh(w.box()));
}

}  // namespace

// --- LabelView ---------------------------------------------------------------------------

LabelView::LabelView(forms::Label& label, ViewContext& context)
    : Fl_Widget(0, 0, 1, 1), ControlView(label, context), m_label(label) {}

bool LabelView::draw_arrow_caption() const {
    const std::string& caption = m_label.Caption;
    return text::EqualsIgnoreCase(m_label.font.name, "Webdings") &&
           (caption == "3" || caption == "4");
}

bool LabelView::draw_arrow() {
    // The symbol font is not on this system; its two arrows are drawn instead.
    if (!draw_arrow_caption()) return false;
    const std::string& caption = m_label.Caption;
    ScreenFont f = m_context.fonts.get(m_label.font);
    int size = std::max(4, f.size * 2 / 3);
    fl_color(active_r() ? FL_BLACK : fl_inactive(FL_BLACK));
    DrawTriangle(x() + 2, y() + 2, size, caption == "4" ? 1 : -1);
    return true;
}

void LabelView::draw() {
    fl_color(color());
    fl_rectf(x(), y(), w(), h());
    if (draw_arrow()) return;
    ScreenFont f = m_context.fonts.get(m_label.font);
    fl_font(f.font, f.size);
    fl_color(active_r() ? FL_BLACK : fl_inactive(FL_BLACK));
    std::string text = ScreenLines(m_label.Caption);
    fl_push_clip(x(), y(), w(), h());
    fl_draw(text.c_str(), x(), y(), w(), h(),
            FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_CLIP, nullptr, 0);
    fl_pop_clip();
}

std::optional<CaptionFit> LabelView::caption_fit() {
    if (m_label.Caption.get().empty() || draw_arrow_caption()) return std::nullopt;
    // Wrapped at the label's width: every word must fit a line, and the lines the height.
    ScreenFont f = m_context.fonts.get(m_label.font);
    fl_font(f.font, f.size);
    std::string text = ScreenLines(m_label.Caption);
    int width = 0, height = 0;
    std::string word;
    for (char c : text + " ") {
        if (c != ' ' && c != '\n') {
            word += c;
            continue;
        }
        width = std::max(width, static_cast<int>(fl_width(word.c_str())));
        word.clear();
    }
    int wrapped = w();
    fl_measure(text.c_str(), wrapped, height, 0);
    return CaptionFit{width, height, w(), h()};
}

int LabelView::handle(int event) {
    switch (event) {
        case FL_PUSH:
            return 1;
        case FL_RELEASE:
            if (Fl::event_inside(this))
                PostInput(m_label, [this] {
                    if (m_label.Click) m_label.Click();
                });
            return 1;
        default:
            return Fl_Widget::handle(event);
    }
}

// --- TextBoxView -------------------------------------------------------------------------

TextBoxView::TextBoxView(forms::TextBox& box, ViewContext& context)
    : Fl_Input(0, 0, 1, 1), ControlView(box, context), m_box(box) {
    when(FL_WHEN_CHANGED);
    callback([](Fl_Widget* w, void*) { static_cast<TextBoxView*>(w)->typed(); });
}

void TextBoxView::typed() {
    // Typing changes the text at once, as it does while a handler pauses; no handler runs.
    if (InputHeld()) return sync_contents();
    m_box.Text = ModelText(value());
}

void TextBoxView::sync_contents() {
    ScreenFont f = m_context.fonts.get(m_box.font);
    textfont(f.font);
    textsize(f.size);
    std::string shown = ScreenText(m_box.Text);
    // A text the program puts in shows from its start, as a classic text box shows it.
    if (shown != value()) {
        value(shown.c_str());
        position(0);
    }
}

// --- ButtonView --------------------------------------------------------------------------

ButtonView::ButtonView(forms::CommandButton& button, ViewContext& context)
    : Fl_Button(0, 0, 1, 1), ControlView(button, context), m_button(button) {
    callback([](Fl_Widget* w, void*) {
        auto* self = static_cast<ButtonView*>(w);
        PostInput(self->m_button, [self] {
            if (self->m_button.Click) self->m_button.Click();
        });
    });
}

void ButtonView::sync_contents() {
    UseFont(*this, m_context.fonts.get(m_button.font));
    std::string caption = LabelText(m_button.Caption);
    if (caption != m_caption) copy_label((m_caption = caption).c_str());
}

std::optional<CaptionFit> ButtonView::caption_fit() {
    if (m_button.Caption.get().empty()) return std::nullopt;
    // Inside the button's edges, with a pixel to spare on each side.
    return LineFit(*this, ScreenText(m_button.Caption), w() - Fl::box_dw(box()) - 2,
                   h() - Fl::box_dh(box()));
}

// --- CheckBoxView ------------------------------------------------------------------------

CheckBoxView::CheckBoxView(forms::CheckBox& box, ViewContext& context)
    : Fl_Check_Button(0, 0, 1, 1), ControlView(box, context), m_box(box) {
    callback([](Fl_Widget* w, void*) {
        auto* self = static_cast<CheckBoxView*>(w);
        // The model decides the value; the widget shows it when the click has run.
        self->value(self->m_box.Value == 1);
        PostInput(self->m_box, [self] { self->m_box.click(); });
    });
}

void CheckBoxView::sync_contents() {
    UseFont(*this, m_context.fonts.get(m_box.font));
    std::string caption = LabelText(m_box.Caption);
    if (caption != m_caption) copy_label((m_caption = caption).c_str());
    value(m_box.Value == 1);
}

std::optional<CaptionFit> CheckBoxView::caption_fit() {
    if (m_box.Caption.get().empty()) return std::nullopt;
    return BesideMarkFit(*this, ScreenText(m_box.Caption));
}

// --- OptionView --------------------------------------------------------------------------

OptionView::OptionView(forms::OptionButton& option, ViewContext& context)
    : Fl_Round_Button(0, 0, 1, 1), ControlView(option, context), m_option(option) {
    callback([](Fl_Widget* w, void*) {
        auto* self = static_cast<OptionView*>(w);
        self->value(self->m_option.Value ? 1 : 0);
        PostInput(self->m_option, [self] { self->m_option.click(); });
    });
}

void OptionView::sync_contents() {
    UseFont(*this, m_context.fonts.get(m_option.font));
    std::string caption = LabelText(m_option.Caption);
    if (caption != m_caption) copy_label((m_caption = caption).c_str());
    value(m_option.Value ? 1 : 0);
}

std::optional<CaptionFit> OptionView::caption_fit() {
    if (m_option.Caption.get().empty()) return std::nullopt;
    return BesideMarkFit(*this, ScreenText(m_option.Caption));
}

}  // namespace view
