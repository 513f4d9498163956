#include "platform/forms/font.h"

#include <cmath>

namespace forms {

int HeadlessMetrics::line_height(const Font& font, const std::string&) const {
    return static_cast<int>(std::lround(font.size * 20 * 1.2));
}

int HeadlessMetrics::text_width(const Font& font, const std::string& text) const {
    return static_cast<int>(std::lround(font.size * 20 * 0.5)) * static_cast<int>(text.size());
}

}  // namespace forms
