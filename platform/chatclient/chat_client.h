#pragma once
// A stand-in for the chat client on the desktop, signed on under one screen name.
//
// Unless its mode is None it shows the client's windows: a top-level "AOL Frame25" holding an
// "MDIClient", which holds a buddy list ("AOL Child" with only some of a room's classes) and,
// behind it, the chat room ("AOL Child" with "_AOL_Static", "RICHCNTLREADONLY",
// "_AOL_Combobox", the input box "richcntl" and "_AOL_Icon"). Typing Enter into the input box
// says its text in the room under the screen name and empties it; an empty box says nothing.
//
// The room hands every line to its listeners at once, in the order they were added, and keeps
// a transcript of the newest lines: at least `kHistoryLines` of them (older ones are forgotten
// in blocks of an eighth of that), so that an evening of hosting runs in flat memory. The
// client is a documented singleton; drivers and tests `reset()` it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/chatclient/client_mode.h"
#include "platform/desktop/desktop.h"

namespace chatclient {

struct Line {
    std::string name;
    std::string text;
    bool operator==(const Line&) const = default;
};

class ChatClient {
  public:
    using Listener = std::function<void(const Line&)>;

    static ChatClient& instance();

    // Closes the client's windows and clears the transcript, then starts again in `mode`
    // under `screen_name`. Listeners stay: they belong to whoever added them.
    void reset(Mode mode, std::string screen_name);
    Mode mode() const { return m_mode; }
    const std::string& screen_name() const { return m_screen_name; }

    // A member says a line in the room. With no room open nothing happens and it gives false.
    bool say(const std::string& name, const std::string& text);
    // The newest lines said since the reset, oldest first.
    const std::vector<Line>& transcript() const { return m_transcript; }
    // Every line said since the reset, the forgotten ones too.
    std::uint64_t said_count() const { return m_said; }
    // Far more than any game's logic looks back over; about 100 bytes a line.
    static constexpr std::size_t kHistoryLines = std::size_t{1} << 17;

    // Gives the id to remove it by. Listeners survive resets, so their owners must remove them.
    int add_listener(Listener listener);
    void remove_listener(int id);

    // The room window is destroyed on closing and made anew (with a new handle) on opening.
    // Opening needs a running client; the input box is left out in NoBox mode.
    void open_room();
    void close_room();
    bool room_open() const;

    // The client's windows, 0 for those that are not there.
    desktop::HWND main_window() const;
    desktop::HWND room_window() const;
    desktop::HWND input_box() const;

  private:
    ChatClient() = default;

    bool owns(desktop::HWND window) const;
    void create_room();
    desktop::LRESULT on_input_box_message(desktop::HWND box, desktop::UINT message,
                                          desktop::WPARAM wparam, desktop::LPARAM lparam);

    struct Registration {
        int id;
        std::shared_ptr<Listener> listener;
    };

    Mode m_mode = Mode::None;
    std::string m_screen_name = "host";
    std::vector<Line> m_transcript;
    std::uint64_t m_said = 0;
    std::vector<Registration> m_listeners;  // in the order added
    int m_next_listener = 1;

    std::uint64_t m_desktop_generation = 0;  // the desktop's windows the handles below name
    desktop::HWND m_frame = 0;
    desktop::HWND m_mdi_client = 0;
    desktop::HWND m_room = 0;
    desktop::HWND m_input_box = 0;
    bool m_ignore_next_enter = false;  // Stubborn: the new text's first Enter is swallowed
};

}  // namespace chatclient
