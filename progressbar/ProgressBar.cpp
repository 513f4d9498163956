// ProgressBar: construction, property rules and persistence.

#include "progressbar/ProgressBar.h"

#include "progressbar/dispids.h"

namespace orvane {
namespace {

constexpr Colour kDefaultFillColour = 0x4D1300;
constexpr Colour kDefaultBorderColour = 0xE27272;
constexpr Colour kDefaultBarColour = 0xE27272;
constexpr Colour kDefaultBarBorderColour = 0xE27272;
constexpr std::int16_t kDefaultMaxValue = 100;
constexpr std::int16_t kDefaultValue = 0;
constexpr std::int16_t kDefaultSliderBackstyle = 0;
constexpr bool kDefaultAllowSlider = true;
constexpr bool kDefaultAllowSeek = true;
constexpr Colour kDefaultSliderBorderColour = 0x4D1300;
constexpr Colour kDefaultSliderFillColour = 0xFFFFFF;

com::Shape DesignShape(const char* name, float left, float top, float width, float height,
                       bool visible, Colour fill, Colour border, int border_width) {
    com::Shape shape;
    shape.name = name;
    shape.left = left;
    shape.top = top;
    shape.width = width;
    shape.height = height;
    shape.visible = visible;
    shape.fill_colour = fill;
    shape.border_colour = border;
    shape.border_width = border_width;
    shape.back_style = 1;
    return shape;
}

// A stored value that cannot be read as its type counts as missing.
std::int32_t ReadInt32(com::PropertyBag& bag, std::string_view key, std::int32_t default_value) {
    std::int32_t value = default_value;
    if (com::ToInt32(bag.Read(key, default_value), value) != com::Status::Ok) return default_value;
    return value;
}

std::int16_t ReadInt16(com::PropertyBag& bag, std::string_view key, std::int16_t default_value) {
    std::int16_t value = default_value;
    if (com::ToInt16(bag.Read(key, std::int32_t{default_value}), value) != com::Status::Ok)
        return default_value;
    return value;
}

bool ReadBool(com::PropertyBag& bag, std::string_view key, bool default_value) {
    bool value = default_value;
    if (com::ToBool(bag.Read(key, default_value), value) != com::Status::Ok) return default_value;
    return value;
}

void WriteInt16(com::PropertyBag& bag, std::string_view key, std::int16_t value,
                std::int16_t default_value) {
    bag.Write(key, std::int32_t{value}, std::int32_t{default_value});
}

}  // namespace

ProgressBar::ProgressBar()
    : m_ProgressBG(DesignShape("ProgressBG", 15, 15, 4560, 180, true, 0x4D1300, 0x808080, 2)),
      m_ProgressBar(DesignShape("ProgressBar", 60, 60, 4455, 75, false, 0xDAD5CD, 0xDAD5CD, 1)),
      m_ProgressSlider(
          DesignShape("ProgressSlider", 4485, 22, 90, 195, false, 0xFFFFFF, 0x4D1300, 2)),
      m_Width(5430),
      m_Height(2100) {}

void ProgressBar::SetAllowSeek(bool allow) {
    m_AllowSeek = allow;
    PropertyChanged("AllowSeek");
}

void ProgressBar::SetAllowSlider(bool allow) {
    m_AllowSlider = allow;
    PropertyChanged("AllowSlider");
}

void ProgressBar::SetBarBorderColour(Colour colour) {
    m_BarBorderColour = colour;
    PropertyChanged("BarBorderColour");
    ApplyColours();
}

Colour ProgressBar::GetBarBorderColour() {
    const Colour colour = m_BarBorderColour;
    ApplyColours();
    return colour;
}

void ProgressBar::SetBarColour(Colour colour) {
    m_BarColour = colour;
    PropertyChanged("BarColour");
    ApplyColours();
}

Colour ProgressBar::GetBarColour() {
    const Colour colour = m_BarColour;
    ApplyColours();
    return colour;
}

void ProgressBar::SetBorderColour(Colour colour) {
    m_BorderColour = colour;
    PropertyChanged("BorderColour");
    ApplyColours();
}

Colour ProgressBar::GetBorderColour() {
    const Colour colour = m_BorderColour;
    ApplyColours();
    return colour;
}

void ProgressBar::SetFillColour(Colour colour) {
    m_FillColour = colour;
    PropertyChanged("FillColour");
    ApplyColours();
}

Colour ProgressBar::GetFillColour() {
    const Colour colour = m_FillColour;
    ApplyColours();
    return colour;
}

// A refused maximum raises nothing; the bar is redrawn all the same.
void ProgressBar::SetMaxValue(std::int16_t max_value) {
    if (max_value >= 1) {
        m_MaxValue = max_value;
        PropertyChanged("MaxValue");
    }
    RefreshBar();
}

std::int16_t ProgressBar::GetMaxValue() {
    const std::int16_t max_value = m_MaxValue;
    RefreshBar();
    return max_value;
}

void ProgressBar::SetSliderBackstyle(std::int16_t back_style) {
    if (back_style != 0 && back_style != 1) back_style = 1;
    m_SliderBackstyle = back_style;
    PropertyChanged("SliderBackStyle");
    ApplyColours();
}

std::int16_t ProgressBar::GetSliderBackstyle() {
    const std::int16_t back_style = m_SliderBackstyle;
    ApplyColours();
    return back_style;
}

void ProgressBar::SetSliderFillColour(Colour colour) {
    m_SliderFillColour = colour;
    PropertyChanged("SliderFillColour");
    ApplyColours();
}

Colour ProgressBar::GetSliderFillColour() {
    const Colour colour = m_SliderFillColour;
    ApplyColours();
    return colour;
}

void ProgressBar::SetSliderBorderColour(Colour colour) {
    m_SliderBorderColour = colour;
    PropertyChanged("SliderBorderColour");
    ApplyColours();
}

Colour ProgressBar::GetSliderBorderColour() {
    const Colour colour = m_SliderBorderColour;
    ApplyColours();
    return colour;
}

// A refused value raises nothing; the bar is redrawn all the same.
void ProgressBar::SetValue(std::int16_t value) {
    if (value >= 0 && value <= m_MaxValue) {
        m_Value = value;
        PropertyChanged("Value");
    }
    RefreshBar();
}

std::int16_t ProgressBar::GetValue() {
    const std::int16_t value = m_Value;
    RefreshBar();
    return value;
}

// Values go straight into the fields: a design may hold what the write rules would refuse.
void ProgressBar::UserControl_ReadProperties(com::PropertyBag& bag) {
    m_FillColour = ReadInt32(bag, "FillColour", kDefaultFillColour);
    m_BorderColour = ReadInt32(bag, "BorderColour", kDefaultBorderColour);
    m_BarColour = ReadInt32(bag, "BarColour", kDefaultBarColour);
    m_BarBorderColour = ReadInt32(bag, "BarBorderColour", kDefaultBarBorderColour);
    m_MaxValue = ReadInt16(bag, "MaxValue", kDefaultMaxValue);
    m_Value = ReadInt16(bag, "Value", kDefaultValue);
    m_SliderBackstyle = ReadInt16(bag, "SliderBackStyle", kDefaultSliderBackstyle);
    m_AllowSlider = ReadBool(bag, "AllowSlider", kDefaultAllowSlider);
    m_AllowSeek = ReadBool(bag, "AllowSeek", kDefaultAllowSeek);
    m_SliderBorderColour = ReadInt32(bag, "SliderBorderColour", kDefaultSliderBorderColour);
    m_SliderFillColour = ReadInt32(bag, "SliderFillColour", kDefaultSliderFillColour);
    ApplyColours();
    RefreshBar();
}

void ProgressBar::UserControl_WriteProperties(com::PropertyBag& bag) {
    bag.Write("FillColour", m_FillColour, kDefaultFillColour);
    bag.Write("BorderColour", m_BorderColour, kDefaultBorderColour);
    bag.Write("BarColour", m_BarColour, kDefaultBarColour);
    bag.Write("BarBorderColour", m_BarBorderColour, kDefaultBarBorderColour);
    WriteInt16(bag, "MaxValue", m_MaxValue, kDefaultMaxValue);
    WriteInt16(bag, "Value", m_Value, kDefaultValue);
    WriteInt16(bag, "SliderBackStyle", m_SliderBackstyle, kDefaultSliderBackstyle);
    bag.Write("AllowSlider", m_AllowSlider, kDefaultAllowSlider);
    bag.Write("AllowSeek", m_AllowSeek, kDefaultAllowSeek);
    bag.Write("SliderBorderColour", m_SliderBorderColour, kDefaultSliderBorderColour);
    bag.Write("SliderFillColour", m_SliderFillColour, kDefaultSliderFillColour);
    ApplyColours();
    RefreshBar();
}

com::Surface ProgressBar::Surface() const {
    return com::Surface{m_Width, m_Height, {m_ProgressBG, m_ProgressBar, m_ProgressSlider}};
}

void ProgressBar::PropertyChanged(std::string_view name) {
    if (m_site != nullptr) m_site->OnPropertyChanged(name);
}

void ProgressBar::RaiseProgressUpdate() {
    if (m_site == nullptr) return;
    // NewValue is the stored Value itself: a handler's write lands there unchecked.
    com::Variant new_value = com::Variant::ReferTo(m_Value);
    m_site->OnEvent(dispid::ProgressUpdate, std::span(&new_value, 1));
}

}  // namespace orvane
