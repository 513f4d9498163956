#include "progressbar/ProgressBarObject.h"

#include <array>
#include <cstdint>
#include <type_traits>

#include "progressbar/dispids.h"
#include "progressbar/live_objects.h"

namespace orvane {
namespace {

using com::Status;
using com::Variant;

// One row per property: how a put converts and applies the value, how a get reads it.
struct PropertyEntry {
    com::DispId id;
    Status (*put)(ProgressBar& bar, const Variant& value);
    Variant (*get)(ProgressBar& bar);
};

template <void (ProgressBar::*Set)(bool)>
Status PutBool(ProgressBar& bar, const Variant& value) {
    bool converted = false;
    const Status status = com::ToBool(value, converted);
    if (status == Status::Ok) (bar.*Set)(converted);
    return status;
}

template <void (ProgressBar::*Set)(std::int16_t)>
Status PutInt16(ProgressBar& bar, const Variant& value) {
    std::int16_t converted = 0;
    const Status status = com::ToInt16(value, converted);
    if (status == Status::Ok) (bar.*Set)(converted);
    return status;
}

template <void (ProgressBar::*Set)(Colour)>
Status PutColour(ProgressBar& bar, const Variant& value) {
    std::int32_t converted = 0;
    const Status status = com::ToInt32(value, converted);
    if (status == Status::Ok) (bar.*Set)(converted);
    return status;
}

template <auto Get>
Variant GetValue(ProgressBar& bar) {
    const auto value = (bar.*Get)();
    if constexpr (std::is_same_v<decltype(value), const bool>)
        return Variant(value);
    else
        return Variant(std::int32_t{value});
}

constexpr std::array kProperties = {
    PropertyEntry{dispid::AllowSeek, PutBool<&ProgressBar::SetAllowSeek>,
                  GetValue<&ProgressBar::GetAllowSeek>},
    PropertyEntry{dispid::AllowSlider, PutBool<&ProgressBar::SetAllowSlider>,
                  GetValue<&ProgressBar::GetAllowSlider>},
    PropertyEntry{dispid::BarBorderColour, PutColour<&ProgressBar::SetBarBorderColour>,
                  GetValue<&ProgressBar::GetBarBorderColour>},
    PropertyEntry{dispid::BarColour, PutColour<&ProgressBar::SetBarColour>,
                  GetValue<&ProgressBar::GetBarColour>},
    PropertyEntry{dispid::BorderColour, PutColour<&ProgressBar::SetBorderColour>,
                  GetValue<&ProgressBar::GetBorderColour>},
    PropertyEntry{dispid::FillColour, PutColour<&ProgressBar::SetFillColour>,
                  GetValue<&ProgressBar::GetFillColour>},
    PropertyEntry{dispid::MaxValue, PutInt16<&ProgressBar::SetMaxValue>,
                  GetValue<&ProgressBar::GetMaxValue>},
    PropertyEntry{dispid::SliderBackstyle, PutInt16<&ProgressBar::SetSliderBackstyle>,
                  GetValue<&ProgressBar::GetSliderBackstyle>},
    PropertyEntry{dispid::SliderFillColour, PutColour<&ProgressBar::SetSliderFillColour>,
                  GetValue<&ProgressBar::GetSliderFillColour>},
    PropertyEntry{dispid::SliderBorderColour, PutColour<&ProgressBar::SetSliderBorderColour>,
                  GetValue<&ProgressBar::GetSliderBorderColour>},
    PropertyEntry{dispid::Value, PutInt16<&ProgressBar::SetValue>,
                  GetValue<&ProgressBar::GetValue>},
};

}  // namespace

ProgressBarObject::ProgressBarObject() {
    ObjectCreated();
}

ProgressBarObject::~ProgressBarObject() {
    ObjectDestroyed();
}

void* ProgressBarObject::QueryInterface(std::string_view interface_name) {
    if (interface_name == com::Unknown::kInterfaceName) return static_cast<com::Unknown*>(this);
    if (interface_name == com::Dispatch::kInterfaceName || interface_name == kDefaultInterfaceName)
        return static_cast<com::Dispatch*>(this);
    if (interface_name == com::Control::kInterfaceName) return static_cast<com::Control*>(this);
    if (interface_name == com::ShapeSource::kInterfaceName)
        return static_cast<com::ShapeSource*>(this);
    return nullptr;
}

void ProgressBarObject::AddRef() {
    ++m_references;
}

void ProgressBarObject::Release() {
    if (--m_references == 0) delete this;
}

Status ProgressBarObject::Invoke(com::DispId member, com::InvokeKind kind,
                                 std::span<const Variant> args, Variant& result) {
    for (const PropertyEntry& property : kProperties) {
        if (property.id != member) continue;
        if (kind == com::InvokeKind::PropertyPut) {
            if (args.size() != 1) return Status::BadArgumentCount;
            return property.put(m_bar, args[0]);
        }
        if (!args.empty()) return Status::BadArgumentCount;
        result = property.get(m_bar);
        return Status::Ok;
    }
    return Status::UnknownMember;
}

}  // namespace orvane
