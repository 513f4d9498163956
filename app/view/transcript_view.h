#pragma once
// The room's transcript as the chat client shows it: one paragraph per line, the speaker's
// name and then the line with its markup drawn (bold, underline, the font face, links in blue
// and underlined), wrapped at the widget's width, scrolled to the newest line unless a person
// has scrolled back. Links are only drawn: nothing is ever opened from here.

#include <FL/Fl_Group.H>
#include <FL/Fl_Scrollbar.H>

#include <string>
#include <vector>

#include "app/view/fonts.h"
#include "app/view/markup.h"
#include "platform/chatclient/chat_client.h"

namespace view {

class TranscriptView : public Fl_Group {
  public:
    TranscriptView(int x, int y, int w, int h, FontBook& fonts);

    // Follows the transcript: new lines are laid out, a shorter one (a fresh room) starts over.
    void update(const std::vector<chatclient::Line>& lines);
    std::size_t rows() const { return m_rows.size(); }

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

    void layout_line(const chatclient::Line& line);
    void relayout();
    int text_width() const;
    int visible_rows() const;
    int last_first_row() const;
    void scroll_to_end_if_following();
    void scroll_to(int first_row);
    static void scrolled(Fl_Widget* bar, void* view);

    FontBook& m_fonts;
    Fl_Scrollbar* m_bar;
    std::vector<chatclient::Line> m_lines;
    std::vector<Row> m_rows;
    int m_row_height = 16;
    int m_first_row = 0;
    bool m_following = true;
};

}  // namespace view
