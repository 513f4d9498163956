#include "progressbar/type_library.h"

#include <array>

#include "progressbar/dispids.h"

namespace orvane {
namespace {

using com::ValueType;

// In type-library order.
constexpr std::array kProperties = {
    com::PropertyInfo{"AllowSeek", dispid::AllowSeek, ValueType::Bool},
    com::PropertyInfo{"AllowSlider", dispid::AllowSlider, ValueType::Bool},
    com::PropertyInfo{"BarBorderColour", dispid::BarBorderColour, ValueType::Colour},
    com::PropertyInfo{"BarColour", dispid::BarColour, ValueType::Colour},
    com::PropertyInfo{"BorderColour", dispid::BorderColour, ValueType::Colour},
    com::PropertyInfo{"FillColour", dispid::FillColour, ValueType::Colour},
    com::PropertyInfo{"MaxValue", dispid::MaxValue, ValueType::Int16},
    com::PropertyInfo{"SliderBackstyle", dispid::SliderBackstyle, ValueType::Int16},
    com::PropertyInfo{"SliderFillColour", dispid::SliderFillColour, ValueType::Colour},
    com::PropertyInfo{"SliderBorderColour", dispid::SliderBorderColour, ValueType::Colour},
    com::PropertyInfo{"Value", dispid::Value, ValueType::Int16},
};

constexpr std::array kProgressUpdateParameters = {
    com::ParameterInfo{"NewValue", ValueType::Int16, true},
};

constexpr std::array kEvents = {
    com::EventInfo{"ProgressUpdate", dispid::ProgressUpdate, kProgressUpdateParameters},
};

constexpr com::TypeLibraryInfo kTypeLibrary = {
    "linmar",
    1,
    0,
    "ProgressBar",
    kProgId,
    {"_ProgressBar", kProperties, {}},
    {"__ProgressBar", {}, kEvents},
};

}  // namespace

const com::TypeLibraryInfo& TypeLibrary() {
    return kTypeLibrary;
}

}  // namespace orvane
