#include "platform/chatreader/chat.h"

#include "platform/chatclient/chat_client.h"
#include "platform/chatreader/markup.h"
#include "platform/loop/loop.h"
#include "platform/text/text.h"

namespace chatreader {

Chat::Chat() : m_state(std::make_shared<State>(State{this})) {
    m_listener = chatclient::ChatClient::instance().add_listener(
        [this](const chatclient::Line& line) { on_line(line.name, line.text); });
}

Chat::~Chat() {
    chatclient::ChatClient::instance().remove_listener(m_listener);
}

void Chat::StartReading() {
    m_state->reading = true;
}

void Chat::StopReading() {
    if (!m_state->reading) return;
    m_state->reading = false;
    ++m_state->stretch;
}

bool Chat::reading() const {
    return m_state->reading;
}

void Chat::on_line(const std::string& name, const std::string& text) {
    if (!m_state->reading) return;
    std::weak_ptr<State> weak_state = m_state;
    std::uint64_t stretch = m_state->stretch;
    // The control hands its handlers C strings: a name or a line ends at its first NUL.
    loop::EventLoop::instance().post(
        [weak_state, stretch, name = text::UpToNul(name), text = StripTags(text::UpToNul(text))] {
            std::shared_ptr<State> state = weak_state.lock();
            if (!state || !state->reading || state->stretch != stretch) return;
            // A copy, so that a handler that unloads its form does not destroy itself mid-call.
            auto handler = state->owner->ChatLine;
            if (!handler) return;
            std::string screen_name = name;
            std::string line_text = text;
            handler(screen_name, line_text);
        });
}

}  // namespace chatreader
