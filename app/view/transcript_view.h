#pragma once
// The room's transcript as the chat client shows it: one paragraph per line, the speaker's
// name and then the line with its markup drawn (bold, underline, the font face, links in blue
// and underlined), wrapped at the widget's width, scrolled to the newest line unless a person
// has scrolled back. Links are only drawn: nothing is ever opened from here.

#include <FL/Fl_Group.H>
#include <FL/Fl_Scrollbar.H>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "app/view/fonts.h"
#include "app/view/markup.h"
#include "platform/chatclient/chat_client.h"

namespace view {

class TranscriptView : public Fl_Group {
  public:
    TranscriptView(int x, int y, int w, int h, FontBook& fonts);

    // Follows the room: `newest` are its newest lines and `said` the count of every line said
    // in it. The lines said since the last update are laid out; a smaller count (a fresh room)
    // starts over. Only the newest `kScrollbackLines` lines are kept.
    void update(const std::vector<chatclient::Line>& newest, std::uint64_t said);
    std::size_t rows() const { return m_rows.size(); }
    const std::deque<chatclient::Line>& lines() const { return m_lines; }

    static constexpr std::size_t kScrollbackLines = 2000;

    void draw() override;
    void resize(int x, int y, int w, int h) override;
    int handle(int event) override;

  private:
    struct Piece {
        int x = 0;
        std::string text;  // UTF-8
        ScreenFont font;
        bool underline = false;
        bool link = false;
        bool name = false;
    };
    using Row = std::vector<Piece>;

    void layout_line(const chatclient::Line& line);  // appends its rows
    void relayout();
    int text_width() const;
    int visible_rows() const;
    int last_first_row() const;
    void scroll_to_end_if_following();
    void scroll_to(int first_row);
    static void scrolled(Fl_Widget* bar, void* view);

    FontBook& m_fonts;
    Fl_Scrollbar* m_bar;
    std::deque<chatclient::Line> m_lines;
    std::deque<Row> m_rows;
    std::deque<std::size_t> m_line_rows;  // how many rows each kept line takes
    std::uint64_t m_said = 0;
    int m_row_height = 16;
    int m_first_row = 0;
    bool m_following = true;
};

}  // namespace view
