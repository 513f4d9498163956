// ProgressBar: the bar's width, the shapes' colours and fitting the shapes to the control.

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/text/text.h"
#include "progressbar/ProgressBar.h"

namespace orvane {
namespace {

bool FitsInt16(double v) {
    return v >= std::numeric_limits<std::int16_t>::min() &&
           v <= std::numeric_limits<std::int16_t>::max();
}

// A shape cannot take a negative size; a control too small for its margins gets empty shapes.
float Length(double v) {
    return static_cast<float>(std::max(0.0, v));
}

}  // namespace

void ProgressBar::RefreshBar() {
    if (m_MaxValue < 1) return;
    const double step = text::RoundHalfEven((m_ProgressBG.width - 105.0) / m_MaxValue);
    // Only a track over 32,000 twips wide overflows; the bar then stays as last drawn.
    if (!FitsInt16(step)) return;
    m_BarStep = static_cast<std::int16_t>(step);

    if (m_Value >= 1 && m_Value <= m_MaxValue - 1) {
        const std::int32_t width = std::int32_t{m_Value} * m_BarStep;
        if (!FitsInt16(width)) return;
        m_ProgressBar.width = Length(width);
        m_ProgressBar.visible = true;
    } else if (m_Value == 0) {
        m_ProgressBar.width = 0;
        m_ProgressBar.visible = false;
    } else if (m_Value == m_MaxValue) {
        m_ProgressBar.visible = true;
        // The full bar, whatever MaxValue * BarStep comes to.
        m_ProgressBar.width = Length(m_ProgressBG.width - 105.0);
    }
}

void ProgressBar::ApplyColours() {
    if (m_FillColour == 0 && m_BorderColour == 0 && m_BarColour == 0 && m_BarBorderColour == 0) {
        m_FillColour = 0x4D1300;
        m_BorderColour = 0xE27272;
        m_BarColour = 0xE27272;
        m_BarBorderColour = 0xE27272;
    }
    m_ProgressBG.fill_colour = m_FillColour;
    m_ProgressBG.border_colour = m_BorderColour;
    m_ProgressBar.fill_colour = m_BarColour;
    m_ProgressBar.border_colour = m_BarBorderColour;
    // A design may hold a back style other than 0 or 1; the slider shows it as opaque.
    m_ProgressSlider.back_style = m_SliderBackstyle == 0 ? 0 : 1;
    m_ProgressSlider.border_colour = m_SliderBorderColour;
    m_ProgressSlider.fill_colour = m_SliderFillColour;
}

void ProgressBar::SetExtent(float width, float height) {
    m_Width = width;
    m_Height = height;
    UserControl_Resize();
}

void ProgressBar::UserControl_Resize() {
    if (m_Height <= 0) m_Height = 1;
    if (m_Width <= 0) m_Width = 1;
    m_ProgressBG.width = Length(m_Width - 22.0);
    m_ProgressBG.height = Length(m_Height - 22.0);
    m_ProgressBar.height = Length(m_Height - 115.0);
    m_ProgressSlider.height = Length(m_Height);
}

}  // namespace orvane
