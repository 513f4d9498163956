// A form's real window on the view's display (see ViewDisplay), as a person sees it: a text the
// program puts into a text box shows from its start, and a window that a person has moved stays
// where it was put when the program changes its size.
#include <gtest/gtest.h>

#include "tests/support/toolkit_display.h"
#include "tests/support/virtual_display.h"

#ifdef TAVREL_HAS_VIEW

#include <FL/Fl.H>
#include <FL/Fl_Input.H>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "app/view/fonts.h"
#include "app/view/form_window.h"
#include "app/view/view_context.h"
#include "platform/forms/form.h"

// After the model's headers: Xlib's macros would clash with their names.
#include <FL/Fl_Image_Surface.H>
#include <FL/x.H>

namespace {

class OneBox : public forms::Form {
  public:
    OneBox() : forms::Form("OneBox") {
        border = forms::BorderStyle::FixedSingle;
        Place(1500, 1500, 3000, 2000);
        Text1.Move(120, 120, 1200, 300);
    }
    void Place(int left, int top, int width, int height) {
        Left = left;
        Top = top;
        Width = width;
        Height = height;
    }
    forms::TextBox Text1{*this, "Text1"};
};

// The toolkit keeps the names of the fonts a book gives it: one book for the test program.
view::FontBook& Fonts() {
    static view::FontBook fonts{15};
    return fonts;
}

// Rounds of the toolkit until `done` holds, five seconds at most.
bool RunUntil(const std::function<bool()>& done) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Fl::wait(0.02);
    }
    return true;
}

// The widget drawn off the screen, as RGB rows.
std::vector<unsigned char> Drawn(Fl_Widget& widget) {
    std::vector<unsigned char> rgb;
    Fl_Image_Surface surface(widget.w(), widget.h());
    surface.set_current();
    surface.draw(&widget, 0, 0);
    Fl_RGB_Image* image = surface.image();
    Fl_Display_Device::display_device()->set_current();
    if (image && image->d() == 3 && image->ld() == 0 && image->data()[0]) {
        const auto* data = reinterpret_cast<const unsigned char*>(image->data()[0]);
        rgb.assign(data, data + widget.w() * widget.h() * 3);
    }
    delete image;
    return rgb;
}

class FormWindowOnScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!test_support::OpenToolkitDisplay()) TAVREL_CANNOT_SEE("no display could start");
        m_window = std::make_unique<view::FormWindow>(m_form, m_context);
        m_form.Show();
    }
    void TearDown() override {
        m_window.reset();
        Fl::check();
    }

    // The model's changes, shown, and the window mapped.
    bool apply() {
        m_window->mark(nullptr);
        m_window->mark(&m_form.Text1);
        m_window->apply();
        Fl::flush();
        return RunUntil([this] {
            XWindowAttributes attributes;
            return m_window->shown() &&
                   XGetWindowAttributes(fl_display, fl_xid(m_window.get()), &attributes) &&
                   attributes.map_state == IsViewable;
        });
    }
    Fl_Input* text_box() const {
        for (int i = 0; i < m_window->children(); ++i)
            if (auto* input = dynamic_cast<Fl_Input*>(m_window->child(i))) return input;
        return nullptr;
    }
    // Where the window's client area is on the screen, as the display server has it.
    std::pair<int, int> on_screen() const {
        int x = 0, y = 0;
        ::Window child;
        XTranslateCoordinates(fl_display, fl_xid(m_window.get()), RootWindow(fl_display, fl_screen),
                              0, 0, &x, &y, &child);
        return {x, y};
    }

    OneBox m_form;
    view::ViewContext m_context{Fonts(), true, 15, nullptr};
    std::unique_ptr<view::FormWindow> m_window;
};

TEST_F(FormWindowOnScreen, ATextPutInShowsFromItsStart) {
    // Four wide letters fit the box; with a long tail after them the text does not, and the box
    // shows the same four letters at its left.
    const std::string start = "WWWW";
    m_form.Text1.Text = start;
    ASSERT_TRUE(apply());
    Fl_Input* box = text_box();
    ASSERT_NE(box, nullptr);
    std::vector<unsigned char> alone = Drawn(*box);

    m_form.Text1.Text = start + std::string(100, '.') + "end";
    ASSERT_TRUE(apply());
    std::vector<unsigned char> long_text = Drawn(*box);
    ASSERT_EQ(alone.size(), long_text.size());
    ASSERT_FALSE(alone.empty());
    fl_font(box->textfont(), box->textsize());
    ASSERT_GT(fl_width(box->value()), box->w()) << "the long text overflows the box";
    const int columns = static_cast<int>(fl_width(start.c_str())) - 2;
    int differ = 0;
    for (int y = 0; y < box->h(); ++y)
        for (int x = 0; x < columns; ++x)
            for (int c = 0; c < 3; ++c) {
                std::size_t i = (static_cast<std::size_t>(y * box->w() + x)) * 3 + c;
                differ += alone[i] != long_text[i] ? 1 : 0;
            }
    EXPECT_EQ(differ, 0) << "the box shows the long text's end, not its start";
}

TEST_F(FormWindowOnScreen, AWindowAPersonMovedStaysThereWhenTheProgramResizesIt) {
    ASSERT_TRUE(apply());
    // Moved as a window manager moves it for a person: the toolkit hears of it from the server.
    XMoveWindow(fl_display, fl_xid(m_window.get()), 300, 200);
    XSync(fl_display, False);
    ASSERT_TRUE(RunUntil([this] { return m_window->x() == 300 && m_window->y() == 200; }));
    // The model's place follows, borders and title bar around the client area.
    EXPECT_EQ(m_form.Left, 300 * 15 - forms::Form::kBorderTwips);
    EXPECT_EQ(m_form.Top, 200 * 15 - forms::Form::kBorderTwips - forms::Form::kTitleBarTwips);

    // The program widens the window, as the main window unfolds.
    m_form.Width = m_form.Width + 1500;
    ASSERT_TRUE(apply());
    XSync(fl_display, False);
    Fl::wait(0.1);
    EXPECT_EQ(m_window->w(), (4500 - 2 * forms::Form::kBorderTwips) / 15);
    EXPECT_EQ(on_screen(), std::make_pair(300, 200));
    EXPECT_EQ(m_window->x(), 300);
    EXPECT_EQ(m_window->y(), 200);
}

}  // namespace

#endif  // TAVREL_HAS_VIEW
