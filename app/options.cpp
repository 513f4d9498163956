#include "app/options.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/text/text.h"

namespace app {

namespace {

bool ParseClock(const std::string& s, double& seconds) {
    int h = 0, m = 0, sec = 0;
    char tail = 0;
    if (std::sscanf(s.c_str(), "%d:%d:%d%c", &h, &m, &sec, &tail) != 3) return false;
    if (h < 0 || h > 23 || m < 0 || m > 59 || sec < 0 || sec > 59) return false;
    seconds = h * 3600.0 + m * 60.0 + sec;
    return true;
}

// The event loop counts time in whole microseconds: a tick is at least one of them, and at most
// a day, which keeps every tick boundary of a run far inside the loop's range.
constexpr double kMinTickMs = 0.001;
constexpr double kMaxTickMs = 86'400'000;

bool ParseTick(const std::string& s, double& out) {
    char* end = nullptr;
    double tick = std::strtod(s.c_str(), &end);
    // Both comparisons are false for NaN.
    if (s.empty() || !end || *end != '\0' || !(tick >= kMinTickMs && tick <= kMaxTickMs))
        return false;
    out = tick;
    return true;
}

}  // namespace

std::string UsageText() {
    return "usage: tavrel [--script FILE | --demo] [options]\n"
           "  --script FILE        run headless, driven by FILE; the room's lines go to stdout\n"
           "  --demo               play the bundled demo in a fresh temporary folder\n"
           "  --folder DIR         the program's folder (settings file, dialogs' first folder)\n"
           "  --seed N             mixed into every seeding of the random generator\n"
           "  --realtime           run the script in real time instead of virtual time\n"
           "  --tick-ms G          timer granularity in ms, 0.001 to 86400000 (default 15.625)\n"
           "  --clock HH:MM:SS     time of day at start (default 12:00:00; real time: local)\n"
           "  --times              prefix each output line with the seconds since start\n"
           "  --trace              also write boxes, dialogs and ignored actions (* lines)\n"
           "  --screen-name NAME   the name the chat client is signed on with (default host)\n"
           "  --client MODE        room (default), none, noroom, nobox or stubborn\n"
           "  --view               show the windows while a script or the demo drives them\n"
           "  --quiz-editor        open the quiz-list editor instead of the game\n"
           "  --help, --version\n";
}

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
    ParsedOptions result;
    Options& o = result.options;
    auto fail = [&](const std::string& why) {
        result.error = why;
        return result;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--realtime") {
            o.realtime = true;
        } else if (a == "--times") {
            o.times = true;
        } else if (a == "--trace") {
            o.trace = true;
        } else if (a == "--demo") {
            o.demo = true;
        } else if (a == "--view") {
            o.view = true;
        } else if (a == "--quiz-editor") {
            o.quiz_editor = true;
        } else if (a == "--script") {
            if (!value(o.script)) return fail("--script needs a file");
        } else if (a == "--folder") {
            if (!value(o.folder)) return fail("--folder needs a folder");
        } else if (a == "--seed") {
            if (!value(v)) return fail("--seed needs a number");
            // strtoull would take a sign, blanks and wrap what does not fit.
            char* end = nullptr;
            errno = 0;
            if (!v.empty() && v.front() >= '0' && v.front() <= '9')
                o.seed = std::strtoull(v.c_str(), &end, 10);
            if (!end || *end != '\0' || errno == ERANGE)
                return fail("--seed needs a whole number from 0 to 18446744073709551615: " + v);
        } else if (a == "--tick-ms") {
            if (!value(v) || !ParseTick(v, o.tick_ms))
                return fail("--tick-ms needs a number of milliseconds from 0.001 to 86400000");
        } else if (a == "--clock") {
            if (!value(v) || !ParseClock(v, o.clock)) return fail("--clock needs HH:MM:SS");
            o.clock_given = true;
        } else if (a == "--screen-name") {
            if (!value(v)) return fail("--screen-name needs a name");
            auto bytes = text::FromUtf8(v);
            if (!bytes || bytes->empty()) return fail("--screen-name needs a Windows-1252 name");
            o.screen_name = *bytes;
        } else if (a == "--client") {
            if (!value(o.client)) return fail("--client needs a mode");
            if (o.client != "none" && o.client != "noroom" && o.client != "nobox" &&
                o.client != "room" && o.client != "stubborn")
                return fail("--client takes none, noroom, nobox, room or stubborn");
        } else {
            return fail("unknown option: " + a);
        }
    }
    if (o.demo && !o.script.empty()) return fail("--demo and --script exclude each other");
    // The demo's folder is a fresh one of its own, gone when it ends.
    if (o.demo && !o.folder.empty()) return fail("--demo and --folder exclude each other");
    return result;
}

}  // namespace app
