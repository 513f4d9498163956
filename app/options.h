#pragma once
// The command line of tavrel.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace app {

struct Options {
    std::string script;         // --script FILE
    std::string folder;         // --folder DIR ("" for the executable's folder)
    std::uint64_t seed = 0;     // --seed N
    bool realtime = false;      // --realtime
    double tick_ms = 15.625;    // --tick-ms G
    double clock = 43200;       // --clock HH:MM:SS, seconds since midnight
    bool clock_given = false;   // --clock was given
    bool times = false;         // --times
    bool trace = false;         // --trace
    bool demo = false;          // --demo
    bool view = false;          // --view
    bool quiz_editor = false;   // --quiz-editor
    std::string screen_name = "host";  // --screen-name NAME
    std::string client = "room";       // --client none|noroom|nobox|room|stubborn
    bool help = false;
    bool version = false;
};

struct ParsedOptions {
    Options options;
    std::optional<std::string> error;
};

ParsedOptions ParseOptions(const std::vector<std::string>& args);
std::string UsageText();

}  // namespace app
