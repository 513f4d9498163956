// The window itself: folding and unfolding, and the word list's tooltip.
#include "game/Form4.h"
#include "platform/forms/application.h"
#include "platform/text/text.h"

namespace {
constexpr int kStep = 15;
constexpr int kFoldedWidth = 2550;
constexpr int kUnfoldedWidth = 5070;
}  // namespace

void Form4::Form4_Label2_Click() {
    wide.Enabled = true;
}

// A fold clicked while unfolding still runs takes over; both stepping at once would keep the
// width from ever reaching either end.
void Form4::Form4_Label7_Click() {
    wide.Enabled = false;
    shrink.Enabled = true;
}

// Each stops at the first width at or past its end, which is the end itself when a pixel is
// 15 twips.
void Form4::Form4_wide_Timer() {
    Label2.Visible = false;
    Width = Width + kStep;
    if (Width >= kUnfoldedWidth) wide.Enabled = false;
}

void Form4::Form4_shrink_Timer() {
    Width = Width - kStep;
    if (Width <= kFoldedWidth) {
        shrink.Enabled = false;
        Label2.Visible = true;
    }
}

void Form4::Form4_List1_MouseMove(int /*Button*/, int /*Shift*/, float /*X*/, float Y) {
    const auto& metrics = forms::App().metrics();
    const int h = metrics.line_height(font, List1.List(0));
    const bool scrolls =
        static_cast<float>(List1.ListCount() * h) > static_cast<float>(List1.Height);
    const int room = List1.Width - (scrolls ? 300 : 30);
    const int rows = text::RoundHalfEven32(Y) / text::RoundHalfEven32(h);
    const std::string entry = List1.List(List1.TopIndex + rows);
    List1.ToolTipText = metrics.text_width(font, entry) > room ? entry : std::string();
}
