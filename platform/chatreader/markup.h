#pragma once

#include <string>
#include <string_view>

namespace chatreader {

// The text with its HTML-like tags removed: each '<' up to and including the next '>'.
// A '<' with no '>' after it stays, with everything after it.
std::string StripTags(std::string_view text);

}  // namespace chatreader
