// The script parser: any bytes. A script that parses gives actions that each parse again, alone,
// from the line they came from, to the same action; a bad one names its line.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/script.h"
#include "fuzz/fuzz_support.h"

namespace {

bool SameNumber(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool SameAction(const app::Action& a, const app::Action& b) {
    return a.verb == b.verb && a.form == b.form && a.target == b.target && a.text == b.text &&
           a.name == b.name && a.number == b.number && SameNumber(a.seconds, b.seconds) &&
           SameNumber(a.y, b.y);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string script(reinterpret_cast<const char*>(data), size);
    const app::ParseResult result = app::ParseScript(script);
    if (result.error) {
        fuzz::Check(result.error->rfind("line ", 0) == 0, "an error names its line", *result.error);
        fuzz::Check(result.actions.empty(), "a bad script gives no actions");
        return 0;
    }
    int previous_line = 0;
    for (const app::Action& action : result.actions) {
        fuzz::Check(action.line > previous_line, "actions come in line order", action.source);
        previous_line = action.line;
        if (action.verb == app::Verb::Wait)
            fuzz::Check(std::isfinite(action.seconds) && action.seconds >= 0,
                        "a wait is a finite, non-negative time", action.source);
        const app::ParseResult again = app::ParseScript(action.source);
        fuzz::Check(
            !again.error && again.actions.size() == 1 && SameAction(again.actions.front(), action),
            "an action's own line parses to the same action", action.source);
    }
    return 0;
}
