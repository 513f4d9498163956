// ProgressBar: the seek slider. A press shows the slider, a drag moves it, and the release
// picks the value under the pointer and reports it through ProgressUpdate.

#include <cstdint>

#include "platform/text/text.h"
#include "progressbar/ProgressBar.h"

namespace orvane {

void ProgressBar::UserControl_MouseDown(int /*button*/, int /*shift*/, float x, float /*y*/) {
    if (!m_AllowSeek || !m_AllowSlider) return;
    m_Dragging = true;
    m_ProgressSlider.left = x - m_ProgressSlider.width / 2;
    m_ProgressSlider.visible = true;
    if (m_ProgressSlider.left < 0) m_ProgressSlider.left = 0;
    if (m_ProgressSlider.left + m_ProgressSlider.width > m_Width)
        m_ProgressSlider.left = m_Width - m_ProgressSlider.width;
}

void ProgressBar::UserControl_MouseMove(int /*button*/, int /*shift*/, float x, float /*y*/) {
    if (!m_Dragging) return;
    m_ProgressSlider.left = x - m_ProgressSlider.width / 2;
    if (m_ProgressSlider.left < 45) m_ProgressSlider.left = 15;
    if (m_ProgressSlider.left + m_ProgressSlider.width > m_Width)
        m_ProgressSlider.left = m_Width - m_ProgressSlider.width;
}

void ProgressBar::UserControl_MouseUp(int /*button*/, int /*shift*/, float x, float /*y*/) {
    if (!m_AllowSeek) return;
    m_Dragging = false;
    if (m_MaxValue < 1) {
        m_ProgressSlider.visible = false;
        return;
    }
    m_ProgressSlider.visible = false;

    std::int16_t new_value = m_MaxValue;
    if (x <= 0) {
        new_value = 0;
    } else if (x <= m_Width - 105) {
        // With a BarStep of 0 the quotient is infinite and the limit gives MaxValue; a
        // negative BarStep (a track narrower than its margins) gives 0.
        const double step = text::RoundHalfEven(x / static_cast<double>(m_BarStep) - 1.5);
        if (step < 0)
            new_value = 0;
        else if (step > m_MaxValue)
            new_value = m_MaxValue;
        else
            new_value = static_cast<std::int16_t>(step);
    }

    m_Value = new_value;
    PropertyChanged("Value");
    RefreshBar();
    m_ProgressBar.visible = true;
    RaiseProgressUpdate();
}

}  // namespace orvane
