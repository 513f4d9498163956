#include "app/view/room_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Input_Choice.H>

#include <algorithm>

#include "app/view/view_context.h"
#include "app/view/window_hints.h"
#include "platform/chatclient/chat_client.h"
#include "platform/loop/loop.h"

// X11's macro of that name, which the toolkit's headers bring in, hides the client's mode.
#undef None

namespace view {

namespace {
constexpr int kHeight = 330, kRow = 24, kMargin = 6;

// Beside the program's centred windows (about 340 pixels wide unfolded) where the screen allows.
int RoomWidth() {
    return std::clamp((Fl::w() - 360) / 2 - 20, 300, 460);
}
}  // namespace

RoomWindow::RoomWindow(FontBook& fonts, bool interactive)
    : Fl_Double_Window(RoomWidth(), kHeight, "Chat Room"), m_interactive(interactive) {
    const int kWidth = w();
    ScreenFont font = fonts.get("Arial", 9);
    int row_y = kHeight - kMargin - kRow;
    m_transcript =
        new TranscriptView(kMargin, kMargin, kWidth - 2 * kMargin, row_y - 2 * kMargin, fonts);
    m_member = new Fl_Input_Choice(kMargin, row_y, 110, kRow);
    m_member->tooltip("the member who says the line");
    m_member->textfont(font.font);
    m_member->textsize(font.size);
    m_line = new Fl_Input(kMargin + 110 + kMargin, row_y, kWidth - 4 * kMargin - 110 - 60, kRow);
    m_line->textfont(font.font);
    m_line->textsize(font.size);
    m_line->when(FL_WHEN_ENTER_KEY_ALWAYS);
    m_line->callback(say_clicked, this);
    m_say = new Fl_Button(kWidth - kMargin - 60, row_y, 60, kRow, "say");
    m_say->labelfont(font.font);
    m_say->labelsize(font.size);
    m_say->callback(say_clicked, this);
    end();
    resizable(m_transcript);
    size_range(260, 140);
    // The client's own window: closing it only puts it aside.
    callback([](Fl_Widget* w, void*) {
        if (Fl::event() != FL_SHORTCUT) static_cast<Fl_Window*>(w)->iconize();
    });
    position(10, 40);
    std::string name = ScreenText(chatclient::ChatClient::instance().screen_name());
    m_member->value(name.c_str());
}

void RoomWindow::apply() {
    auto& client = chatclient::ChatClient::instance();
    bool running = client.mode() != chatclient::Mode::None;
    if (!running) {
        if (shown()) hide();
        return;
    }
    bool open = client.room_open();
    std::string title = open ? "Chat Room" : "Chat Room (closed)";
    if (title != m_title) copy_label((m_title = title).c_str());
    bool heard = client.said_count() != m_said;
    if (heard) {
        m_said = client.said_count();
        m_transcript->update(client.transcript(), m_said);
    }

    // The names to choose from: the client's own and those heard in the lines kept.
    std::set<std::string> members = {client.screen_name()};
    if (heard || m_members.empty())
        for (const chatclient::Line& line : m_transcript->lines()) members.insert(line.name);
    if ((heard || m_members.empty()) && members != m_members) {
        m_members = members;
        m_member->clear();
        for (const std::string& member : members) {
            // A slash or a backslash would make a submenu in the list of names.
            std::string shown = ScreenText(member);
            std::string escaped;
            for (char c : shown) {
                if (c == '/' || c == '\\' || c == '&' || c == '_') escaped += '\\';
                escaped += c;
            }
            m_member->add(escaped.c_str());
        }
    }
    bool takes_input = m_interactive && open;
    for (Fl_Widget* w : {static_cast<Fl_Widget*>(m_member), static_cast<Fl_Widget*>(m_line),
                         static_cast<Fl_Widget*>(m_say)}) {
        if (takes_input && !w->active()) w->activate();
        if (!takes_input && w->active()) w->deactivate();
    }
    if (!shown()) show();
}

int RoomWindow::handle(int event) {
    // A separate program: it takes the keyboard when clicked, whatever box the program shows.
    if (event == FL_PUSH && m_interactive) FocusOnClick(*this);
    return Fl_Double_Window::handle(event);
}

void RoomWindow::say() {
    std::string name = ModelText(m_member->value());
    std::string line = ModelText(m_line->value());
    if (line.empty()) return;
    if (name.empty()) name = chatclient::ChatClient::instance().screen_name();
    m_line->value("");
    // The room belongs to the chat program beside this one: the line is said now, and reaches
    // the program's readers in its place among the events.
    chatclient::ChatClient::instance().say(name, line);
}

void RoomWindow::say_clicked(Fl_Widget*, void* window) {
    static_cast<RoomWindow*>(window)->say();
}

}  // namespace view
