#include "app/view/transcript_view.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/fl_utf8.h>

#include <algorithm>

#include "platform/text/text.h"

namespace view {

namespace {

constexpr double kPoints = 10;  // the room's text size
constexpr int kPadding = 4;
constexpr int kIndent = 16;  // rows that continue a line

// Words with the blanks after them, and each line break on its own.
std::vector<std::string> Tokens(const std::string& text) {
    std::vector<std::string> tokens;
    std::string current;
    bool in_blanks = false;
    for (char c : text) {
        if (c == '\n') {
            if (!current.empty()) tokens.push_back(current);
            tokens.emplace_back("\n");
            current.clear();
            in_blanks = false;
            continue;
        }
        bool blank = c == ' ';
        if (!blank && in_blanks) {
            tokens.push_back(current);
            current.clear();
        }
        in_blanks = blank;
        current += c;
    }
    if (!current.empty()) tokens.push_back(current);
    return tokens;
}

// The longest start of `utf8` that fits in `width` pixels, at least one character.
std::size_t FittingPrefix(const std::string& utf8, int width) {
    std::size_t fit = 0;
    const char* p = utf8.c_str();
    const char* end = p + utf8.size();
    while (p < end) {
        int len = std::max(1, fl_utf8len1(*p));
        std::size_t next =
            static_cast<std::size_t>(p - utf8.c_str()) + static_cast<std::size_t>(len);
        next = std::min(next, utf8.size());
        if (fit > 0 && fl_width(utf8.c_str(), static_cast<int>(next)) > width) break;
        fit = next;
        p = utf8.c_str() + next;
    }
    return fit;
}

}  // namespace

TranscriptView::TranscriptView(int x, int y, int w, int h, FontBook& fonts)
    : Fl_Group(x, y, w, h), m_fonts(fonts) {
    box(FL_DOWN_BOX);
    color(FL_WHITE);
    m_bar = new Fl_Scrollbar(x + w - Fl::scrollbar_size() - Fl::box_dx(box()),
                             y + Fl::box_dy(box()), Fl::scrollbar_size(), h - Fl::box_dh(box()));
    m_bar->type(FL_VERTICAL);
    m_bar->callback(scrolled, this);
    end();
    ScreenFont f = m_fonts.get("Arial", kPoints);
    fl_font(f.font, f.size);
    m_row_height = fl_height() + 2;
}

int TranscriptView::text_width() const {
    return w() - Fl::box_dw(box()) - Fl::scrollbar_size() - 2 * kPadding;
}

int TranscriptView::visible_rows() const {
    return std::max(1, (h() - Fl::box_dh(box()) - 2 * kPadding) / m_row_height);
}

void TranscriptView::update(const std::vector<chatclient::Line>& newest, std::uint64_t said) {
    if (said < m_said) {
        m_lines.clear();
        m_rows.clear();
        m_line_rows.clear();
        m_said = 0;
        m_first_row = 0;
        m_following = true;
    }
    if (said == m_said) return;
    std::uint64_t fresh =
        std::min<std::uint64_t>({said - m_said, newest.size(), std::uint64_t{kScrollbackLines}});
    m_said = said;
    for (std::size_t i = newest.size() - static_cast<std::size_t>(fresh); i < newest.size(); ++i) {
        m_lines.push_back(newest[i]);
        std::size_t before = m_rows.size();
        layout_line(newest[i]);
        m_line_rows.push_back(m_rows.size() - before);
    }
    // The oldest lines go, and the rows they took; a person scrolled back keeps their place.
    while (m_lines.size() > kScrollbackLines) {
        std::size_t gone = m_line_rows.front();
        m_rows.erase(m_rows.begin(), m_rows.begin() + static_cast<std::ptrdiff_t>(gone));
        m_line_rows.pop_front();
        m_lines.pop_front();
        m_first_row = std::max(0, m_first_row - static_cast<int>(gone));
    }
    scroll_to_end_if_following();
    redraw();
}

void TranscriptView::relayout() {
    m_rows.clear();
    m_line_rows.clear();
    for (const chatclient::Line& line : m_lines) {
        std::size_t before = m_rows.size();
        layout_line(line);
        m_line_rows.push_back(m_rows.size() - before);
    }
    scroll_to_end_if_following();
}

void TranscriptView::layout_line(const chatclient::Line& line) {
    TextRun name;
    name.text = line.name + ": ";
    name.bold = true;
    std::vector<TextRun> runs = {name};
    for (TextRun& run : ParseMarkup(line.text)) runs.push_back(std::move(run));
    int avail = std::max(40, text_width());
    m_rows.emplace_back();
    int x = 0;
    bool first = true;
    for (const TextRun& run : runs) {
        ScreenFont font =
            m_fonts.get(run.face.empty() ? std::string("Arial") : run.face, kPoints, run.bold);
        fl_font(font.font, font.size);
        for (std::string token : Tokens(text::ToUtf8(run.text))) {
            if (token == "\n") {
                m_rows.emplace_back();
                x = kIndent;
                continue;
            }
            while (!token.empty()) {
                int width = static_cast<int>(fl_width(token.c_str()));
                if (x + width > avail && x > kIndent) {
                    m_rows.emplace_back();
                    x = kIndent;
                    continue;
                }
                std::string piece = token;
                if (x + width > avail) {
                    piece = token.substr(0, FittingPrefix(token, avail - x));
                    width = static_cast<int>(fl_width(piece.c_str()));
                }
                m_rows.back().push_back(Piece{x, piece, font, run.underline || !run.link.empty(),
                                              !run.link.empty(), first});
                x += width;
                token.erase(0, piece.size());
            }
        }
        first = false;
    }
}

int TranscriptView::last_first_row() const {
    return std::max(0, static_cast<int>(m_rows.size()) - visible_rows());
}

void TranscriptView::scroll_to_end_if_following() {
    if (m_following) m_first_row = last_first_row();
    m_first_row = std::clamp(m_first_row, 0, last_first_row());
    int shown = visible_rows();
    m_bar->value(m_first_row, shown, 0, std::max(static_cast<int>(m_rows.size()), shown));
}

void TranscriptView::scroll_to(int first_row) {
    m_first_row = std::clamp(first_row, 0, last_first_row());
    // Back at the end, the newest lines are followed again.
    m_following = m_first_row >= last_first_row();
    scroll_to_end_if_following();
    redraw();
}

void TranscriptView::scrolled(Fl_Widget*, void* view) {
    auto* self = static_cast<TranscriptView*>(view);
    self->scroll_to(self->m_bar->value());
}

void TranscriptView::resize(int x, int y, int w, int h) {
    Fl_Widget::resize(x, y, w, h);
    m_bar->resize(x + w - Fl::scrollbar_size() - Fl::box_dx(box()), y + Fl::box_dy(box()),
                  Fl::scrollbar_size(), h - Fl::box_dh(box()));
    relayout();
}

int TranscriptView::handle(int event) {
    if (event == FL_MOUSEWHEEL) {
        scroll_to(m_first_row + 3 * Fl::event_dy());
        return 1;
    }
    return Fl_Group::handle(event);
}

void TranscriptView::draw() {
    draw_box();
    int left = x() + Fl::box_dx(box()) + kPadding;
    int top = y() + Fl::box_dy(box()) + kPadding;
    fl_push_clip(x() + Fl::box_dx(box()), y() + Fl::box_dy(box()),
                 w() - Fl::box_dw(box()) - Fl::scrollbar_size(), h() - Fl::box_dh(box()));
    int last = std::min(static_cast<int>(m_rows.size()), m_first_row + visible_rows() + 1);
    for (int r = m_first_row; r < last; ++r) {
        int baseline = top + (r - m_first_row + 1) * m_row_height - 4;
        for (const Piece& piece : m_rows[static_cast<std::size_t>(r)]) {
            fl_font(piece.font.font, piece.font.size);
            fl_color(piece.link   ? fl_rgb_color(0x00, 0x33, 0xcc)
                     : piece.name ? fl_rgb_color(0x00, 0x00, 0x80)
                                  : FL_BLACK);
            fl_draw(piece.text.c_str(), static_cast<int>(piece.text.size()), left + piece.x,
                    baseline);
            if (piece.underline) {
                int width = static_cast<int>(fl_width(piece.text.c_str()));
                fl_line(left + piece.x, baseline + 1, left + piece.x + width - 1, baseline + 1);
            }
        }
    }
    fl_pop_clip();
    draw_child(*m_bar);
}

}  // namespace view
