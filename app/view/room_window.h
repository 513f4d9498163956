#pragma once
// The stand-in chat client's room as a window of its own: the transcript, and a line where a
// person types what a chosen member says, so a host can try the game alone or with people at
// the same machine. A line goes out when Enter is pressed or "say" is clicked.

#include <FL/Fl_Double_Window.H>

#include <cstdint>
#include <set>
#include <string>

#include "app/view/fonts.h"
#include "app/view/transcript_view.h"

class Fl_Button;
class Fl_Input;
class Fl_Input_Choice;

namespace view {

class RoomWindow : public Fl_Double_Window {
  public:
    RoomWindow(FontBook& fonts, bool interactive);

    // Follows the client: shown while it runs, the transcript, the room open or closed.
    void apply();
    TranscriptView& transcript() { return *m_transcript; }
    int handle(int event) override;

  private:
    void say();
    static void say_clicked(Fl_Widget*, void* window);

    bool m_interactive;
    TranscriptView* m_transcript;
    Fl_Input_Choice* m_member;
    Fl_Input* m_line;
    Fl_Button* m_say;
    std::set<std::string> m_members;
    std::uint64_t m_said = 0;  // the room's lines the transcript has followed
    std::string m_title;
};

}  // namespace view
