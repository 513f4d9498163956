#pragma once
// The library's description of itself: type library linmar 1.0 with the coclass ProgressBar,
// its default interface and its event interface.

#include "platform/com/type_info.h"

namespace orvane {

const com::TypeLibraryInfo& TypeLibrary();

}  // namespace orvane
