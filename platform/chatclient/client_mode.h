#pragma once
// How the stand-in chat client presents itself, as the `--client` option names it.

#include <optional>
#include <string_view>

namespace chatclient {

enum class Mode {
    None,      // no client running
    NoRoom,    // the client runs with no chat room open
    NoBox,     // a chat room without an input box
    Room,      // a chat room with a working input box
    Stubborn,  // the input box ignores the first Enter after each new text
};

// "none", "noroom", "nobox", "room", "stubborn"; nothing for any other text.
std::optional<Mode> ParseMode(std::string_view option);
std::string_view ModeName(Mode mode);

}  // namespace chatclient
