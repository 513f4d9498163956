#include "app/view/fonts.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/text/text.h"

namespace view {

// Small Fonts at 6.75 points (9 pixels) draws letters of about 7 pixels.
constexpr double kSmallFontsScale = 0.8;

namespace {

struct StandIn {
    std::string face;
    double scale = 1.0;  // of the size, for a face whose glyphs run smaller than its points
};

StandIn FindStandIn(const std::string& face) {
    static const char* const kSans[] = {
        "",         "ms sans serif", "microsoft sans serif", "tahoma", "arial", "verdana", "dotum",
        "webdings", "system",        "ms shell dlg"};
    static const char* const kSerif[] = {"times new roman", "ms serif", "times"};
    static const char* const kMono[] = {"courier new", "courier", "fixedsys", "terminal"};
    std::string lower = text::LCase(text::Trim(face));
    auto in = [&](const auto& names) {
        return std::find(std::begin(names), std::end(names), lower) != std::end(names);
    };
    // Small Fonts is a narrow raster face whose letters stand well below their point size:
    // a narrow face a little smaller keeps the captions written for it within their controls.
    if (lower == "small fonts") return {"Liberation Sans Narrow", kSmallFontsScale};
    if (in(kSans)) return {"Liberation Sans"};
    if (in(kSerif)) return {"Liberation Serif"};
    if (in(kMono)) return {"Liberation Mono"};
    return {text::ToUtf8(face)};
}

}  // namespace

std::string ScreenFace(const std::string& face) {
    return FindStandIn(face).face;
}

ScreenFont FontBook::get(const std::string& face, double points, bool bold) {
    StandIn stand_in = FindStandIn(face);
    std::string name = std::string(bold ? "B" : " ") + stand_in.face;
    auto it = m_fonts.find(name);
    if (it == m_fonts.end()) {
        m_names.push_back(name);
        Fl::set_font(m_next, m_names.back().c_str());
        it = m_fonts.emplace(name, m_next).first;
        m_next = static_cast<Fl_Font>(m_next + 1);
    }
    int size = static_cast<int>(std::lround(points * stand_in.scale * 20.0 / m_twips_per_pixel));
    return {it->second, std::max(size, 1)};
}

namespace {

std::vector<std::string> Lines(const std::string& cp1252) {
    std::vector<std::string> lines(1);
    for (char c : cp1252) {
        if (c == '\n')
            lines.emplace_back();
        else if (c != '\r')
            lines.back() += c;
    }
    return lines;
}

}  // namespace

int ScreenMetrics::line_height(const forms::Font& font, const std::string& text) const {
    ScreenFont f = m_fonts.get(font);
    fl_font(f.font, f.size);
    return fl_height() * static_cast<int>(Lines(text).size()) * m_fonts.twips_per_pixel();
}

int ScreenMetrics::text_width(const forms::Font& font, const std::string& text) const {
    ScreenFont f = m_fonts.get(font);
    fl_font(f.font, f.size);
    double widest = 0;
    for (const std::string& line : Lines(text)) {
        std::string utf8 = text::ToUtf8(line);
        widest = std::max(widest, fl_width(utf8.c_str(), static_cast<int>(utf8.size())));
    }
    return static_cast<int>(std::lround(widest * m_fonts.twips_per_pixel()));
}

}  // namespace view
