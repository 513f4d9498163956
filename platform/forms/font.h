#pragma once
// Fonts and the text measures that the windows use, in twips.
//
// The headless measures are fixed per font so that tests are exact:
//   line height = round(size in points x 20 x 1.2) twips (8.25 pt: 198; 9 pt: 216; 9.75 pt: 234)
//   every character = round(size in points x 20 x 0.5) twips wide (8.25 pt: 83; 9 pt: 90)
// regardless of face. A desktop view installs measures from real fonts instead.

#include <memory>
#include <string>

namespace forms {

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;  // points
    bool operator==(const Font&) const = default;
};

class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual int line_height(const Font& font, const std::string& text) const = 0;
    virtual int text_width(const Font& font, const std::string& text) const = 0;
};

class HeadlessMetrics : public TextMetrics {
public:
    int line_height(const Font& font, const std::string& text) const override;
    int text_width(const Font& font, const std::string& text) const override;
};

}  // namespace forms
