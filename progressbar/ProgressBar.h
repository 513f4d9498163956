#pragma once
// The progress bar control: a track with a bar showing Value out of MaxValue, and a seek
// slider that reports the value the user picked through ProgressUpdate.
//
// Property reads are not plain getters: reading a colour or SliderBackstyle applies the colours
// (which may replace four zero main colours by the defaults), and reading Value or MaxValue
// redraws the bar. Each returns the value stored before that ran.

#include <cstdint>
#include <string_view>

#include "platform/com/control.h"
#include "platform/com/property_bag.h"
#include "platform/com/shapes.h"

namespace orvane {

using Colour = std::int32_t;  // 0x00BBGGRR

class ProgressBar {
  public:
    ProgressBar();

    // Where property changes and ProgressUpdate go; nullptr sends them nowhere.
    void SetSite(com::ContainerSite* site) { m_site = site; }

    void SetAllowSeek(bool allow);
    bool GetAllowSeek() const { return m_AllowSeek; }
    void SetAllowSlider(bool allow);
    bool GetAllowSlider() const { return m_AllowSlider; }
    void SetBarBorderColour(Colour colour);
    Colour GetBarBorderColour();
    void SetBarColour(Colour colour);
    Colour GetBarColour();
    void SetBorderColour(Colour colour);
    Colour GetBorderColour();
    void SetFillColour(Colour colour);
    Colour GetFillColour();
    void SetMaxValue(std::int16_t max_value);
    std::int16_t GetMaxValue();
    void SetSliderBackstyle(std::int16_t back_style);
    std::int16_t GetSliderBackstyle();
    void SetSliderFillColour(Colour colour);
    Colour GetSliderFillColour();
    void SetSliderBorderColour(Colour colour);
    Colour GetSliderBorderColour();
    void SetValue(std::int16_t value);
    std::int16_t GetValue();

    void UserControl_ReadProperties(com::PropertyBag& bag);
    void UserControl_WriteProperties(com::PropertyBag& bag);

    // The container's new size for the control, in twips; runs UserControl_Resize.
    void SetExtent(float width, float height);
    void UserControl_Resize();

    void UserControl_MouseDown(int button, int shift, float x, float y);
    void UserControl_MouseMove(int button, int shift, float x, float y);
    void UserControl_MouseUp(int button, int shift, float x, float y);

    // Track, bar and slider, in drawing order.
    com::Surface Surface() const;

  private:
    void RefreshBar();
    void ApplyColours();
    void PropertyChanged(std::string_view name);
    void RaiseProgressUpdate();

    Colour m_FillColour = 0;
    Colour m_BorderColour = 0;
    Colour m_BarColour = 0;
    Colour m_BarBorderColour = 0;
    std::int16_t m_MaxValue = 0;
    std::int16_t m_Value = 0;
    std::int16_t m_BarStep = 0;
    bool m_AllowSlider = false;
    bool m_Dragging = false;
    std::int16_t m_SliderBackstyle = 0;
    bool m_AllowSeek = false;
    Colour m_SliderBorderColour = 0;
    Colour m_SliderFillColour = 0;

    com::Shape m_ProgressBG;
    com::Shape m_ProgressBar;
    com::Shape m_ProgressSlider;
    float m_Width;
    float m_Height;

    com::ContainerSite* m_site = nullptr;
};

}  // namespace orvane
