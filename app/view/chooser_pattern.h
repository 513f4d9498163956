#pragma once
// A file dialog's filter ("word lists (*.log)|*.log|all files|*.*": descriptions and patterns
// in pairs) as the file chooser's pattern list: one "description (pattern)" per filter, joined
// by tabs, several patterns of one filter as "{a,b}", and "*.*" as "*" so that names without
// an extension show too.

#include <string>
#include <string_view>

namespace view {

std::string ChooserPattern(std::string_view filter);

}  // namespace view
