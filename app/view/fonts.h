#pragma once
// The screen fonts behind the model's fonts, and the text measures the windows take from them.
// The classic interface faces map to metric-compatible free faces where the system has them;
// any other face is asked for by name and left to the font system's substitution.

#include <FL/Enumerations.H>

#include <deque>
#include <map>
#include <string>

#include "platform/forms/font.h"

namespace view {

struct ScreenFont {
    Fl_Font font = FL_HELVETICA;
    Fl_Fontsize size = 11;  // pixels
};

// One book for as long as the toolkit draws: the font system keeps pointers to the names it
// was given.
class FontBook {
  public:
    explicit FontBook(int twips_per_pixel) : m_twips_per_pixel(twips_per_pixel) {}

    ScreenFont get(const std::string& face, double points, bool bold = false);
    ScreenFont get(const forms::Font& font, bool bold = false) {
        return get(font.name, font.size, bold);
    }
    int twips_per_pixel() const { return m_twips_per_pixel; }

  private:
    int m_twips_per_pixel;
    std::map<std::string, Fl_Font> m_fonts;  // by screen face and weight
    std::deque<std::string> m_names;         // the font system keeps pointers to these
    Fl_Font m_next = FL_FREE_FONT;
};

// The face the screen uses for a model's face.
std::string ScreenFace(const std::string& face);

// Text measures in twips from the screen fonts: a line's height, and a text's width (the widest
// of its lines).
class ScreenMetrics : public forms::TextMetrics {
  public:
    explicit ScreenMetrics(FontBook& fonts) : m_fonts(fonts) {}
    int line_height(const forms::Font& font, const std::string& text) const override;
    int text_width(const forms::Font& font, const std::string& text) const override;

  private:
    FontBook& m_fonts;
};

}  // namespace view
