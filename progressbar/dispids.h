#pragma once
// The ProgressBar's ProgID, dispatch ids and event ids: all a host binds to.

#include "platform/com/dispatch.h"

namespace orvane {

inline constexpr const char* kProgId = "linmar.ProgressBar";

namespace dispid {
inline constexpr com::DispId AllowSeek = 0x6803000A;
inline constexpr com::DispId AllowSlider = 0x68030009;
inline constexpr com::DispId BarBorderColour = 0x68030008;
inline constexpr com::DispId BarColour = 0x68030007;
inline constexpr com::DispId BorderColour = 0x68030006;
inline constexpr com::DispId FillColour = 0x68030005;
inline constexpr com::DispId MaxValue = 0x68030004;
inline constexpr com::DispId SliderBackstyle = 0x68030003;
inline constexpr com::DispId SliderFillColour = 0x68030002;
inline constexpr com::DispId SliderBorderColour = 0x68030001;
inline constexpr com::DispId Value = 0x68030000;

// Event ProgressUpdate(NewValue): one 16-bit argument by reference.
inline constexpr com::DispId ProgressUpdate = 1;
}  // namespace dispid

}  // namespace orvane
