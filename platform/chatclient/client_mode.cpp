#include "platform/chatclient/client_mode.h"

#include <array>
#include <utility>

namespace chatclient {

namespace {
constexpr std::array<std::pair<Mode, std::string_view>, 5> kModeNames{{
    {Mode::None, "none"},
    {Mode::NoRoom, "noroom"},
    {Mode::NoBox, "nobox"},
    {Mode::Room, "room"},
    {Mode::Stubborn, "stubborn"},
}};
}  // namespace

std::optional<Mode> ParseMode(std::string_view option) {
    for (auto [mode, name] : kModeNames)
        if (name == option) return mode;
    return std::nullopt;
}

std::string_view ModeName(Mode mode) {
    for (auto [known, name] : kModeNames)
        if (known == mode) return name;
    return {};
}

}  // namespace chatclient
