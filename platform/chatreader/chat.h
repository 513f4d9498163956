#pragma once
// The chat-reading control: raises `ChatLine` for every line said in the room while reading.
//
// Lines reach it from the chat client and are delivered as posted events on the event loop,
// never inside the call that said them, in the order said; the host's own lines come too.
// `StopReading` drops the lines still waiting, even when reading starts again before they
// would have run. Controls created earlier get each line before those created later.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace chatreader {

class Chat {
  public:
    static constexpr const char* ProgID = "Calvorn.Chat";

    Chat();
    ~Chat();
    Chat(const Chat&) = delete;
    Chat& operator=(const Chat&) = delete;

    // The speaker's name as said, and the line's text without its tags.
    std::function<void(std::string& ScreenName, std::string& LineText)> ChatLine;

    void StartReading();
    void StopReading();
    bool reading() const;

  private:
    // What a waiting line checks when its turn comes: whether this control still exists
    // (the waiting event holds it only weakly) and still reads in the same stretch.
    struct State {
        Chat* owner;
        bool reading = false;
        std::uint64_t stretch = 0;  // bumped by every StopReading that ends a stretch
    };

    void on_line(const std::string& name, const std::string& text);

    std::shared_ptr<State> m_state;
    int m_listener = 0;
};

}  // namespace chatreader
