#include "platform/chatclient/chat_client.h"

#include <algorithm>

namespace chatclient {

using namespace desktop;

ChatClient& ChatClient::instance() {
    static ChatClient client;
    return client;
}

void ChatClient::reset(Mode mode, std::string screen_name) {
    if (owns(m_frame)) DestroyWindow(m_frame);
    m_frame = m_mdi_client = m_room = m_input_box = 0;
    m_ignore_next_enter = false;
    m_transcript.clear();
    m_said = 0;
    m_mode = mode;
    m_screen_name = std::move(screen_name);
    m_desktop_generation = Desktop::instance().generation();
    if (mode == Mode::None) return;

    m_frame = CreateWindowA("AOL Frame25", "AOL", 0);
    m_mdi_client = CreateWindowA("MDIClient", "", m_frame);
    HWND buddy_list = CreateWindowA("AOL Child", "Buddy List", m_mdi_client);
    CreateWindowA("_AOL_Static", "Buddy List", buddy_list);
    CreateWindowA("_AOL_Icon", "", buddy_list);
    if (mode != Mode::NoRoom) create_room();
}

void ChatClient::create_room() {
    m_room = CreateWindowA("AOL Child", "Chat Room", m_mdi_client);
    CreateWindowA("_AOL_Static", "Chat Room", m_room);
    CreateWindowA("RICHCNTLREADONLY", "", m_room);
    CreateWindowA("_AOL_Combobox", "", m_room);
    // Not the room's first child, so that finding it has to search.
    if (m_mode != Mode::NoBox)
        m_input_box = CreateWindowA("richcntl", "", m_room,
                                    [this](HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
                                        return on_input_box_message(box, message, wparam, lparam);
                                    });
    CreateWindowA("_AOL_Icon", "", m_room);
    m_ignore_next_enter = false;
}

LRESULT ChatClient::on_input_box_message(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SETTEXT) m_ignore_next_enter = m_mode == Mode::Stubborn;
    if (message != WM_CHAR || wparam != 13) return DefWindowProcA(box, message, wparam, lparam);

    if (m_ignore_next_enter) {
        m_ignore_next_enter = false;
        return 0;
    }
    std::string text = WindowTitle(box);
    if (text.empty()) return 0;
    // Emptied before the line goes out, as the client clears the box when it sends.
    SetWindowTitle(box, "");
    say(m_screen_name, text);
    return 0;
}

bool ChatClient::say(const std::string& name, const std::string& text) {
    if (!room_open()) return false;
    // Forgetting a block at a time keeps the cost of each line constant.
    constexpr std::size_t kForget = kHistoryLines / 8;
    if (m_transcript.size() >= kHistoryLines + kForget)
        m_transcript.erase(m_transcript.begin(),
                           m_transcript.begin() + static_cast<std::ptrdiff_t>(kForget));
    m_transcript.push_back({name, text});
    ++m_said;
    const Line line = m_transcript.back();
    // Listeners may add or remove listeners: walk a copy, skipping any removed meanwhile.
    const std::vector<Registration> listeners = m_listeners;
    for (const Registration& registration : listeners) {
        bool still_registered =
            std::any_of(m_listeners.begin(), m_listeners.end(),
                        [&](const Registration& r) { return r.id == registration.id; });
        if (still_registered) (*registration.listener)(line);
    }
    return true;
}

int ChatClient::add_listener(Listener listener) {
    int id = m_next_listener++;
    m_listeners.push_back({id, std::make_shared<Listener>(std::move(listener))});
    return id;
}

void ChatClient::remove_listener(int id) {
    std::erase_if(m_listeners, [id](const Registration& r) { return r.id == id; });
}

void ChatClient::open_room() {
    if (room_open() || !owns(m_mdi_client)) return;
    create_room();
}

void ChatClient::close_room() {
    if (owns(m_room)) DestroyWindow(m_room);
    m_room = m_input_box = 0;
}

bool ChatClient::room_open() const {
    return owns(m_room);
}

bool ChatClient::owns(HWND window) const {
    // After a desktop reset the same numbers may name someone else's windows.
    return window != 0 && m_desktop_generation == Desktop::instance().generation() &&
           IsWindow(window);
}

HWND ChatClient::main_window() const {
    return owns(m_frame) ? m_frame : 0;
}
HWND ChatClient::room_window() const {
    return owns(m_room) ? m_room : 0;
}
HWND ChatClient::input_box() const {
    return owns(m_input_box) ? m_input_box : 0;
}

}  // namespace chatclient
