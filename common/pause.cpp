#include "common/pause.h"

#include <cmath>
#include <functional>

#include "platform/loop/loop.h"
#include "platform/text/text.h"

namespace {
// Seconds from `start` to `clock` on a clock that restarts at 0 at midnight.
double Elapsed(double clock, double start) {
    double elapsed = clock - start;
    if (elapsed < -43200) elapsed += 86400;
    if (elapsed > 43200) elapsed -= 86400;
    return elapsed;
}
}  // namespace

void Pause(int seconds) {
    auto& loop = loop::EventLoop::instance();
    double start = text::RoundHalfEven(loop::Clock());
    const std::function<bool()> over = [start, seconds] {
        return Elapsed(loop::Clock(), start) >= seconds;
    };
    while (!over()) {
        loop.do_events(over);
        // Sleep (or, in virtual time, jump) until the pause is over or something is due.
        double left = seconds - Elapsed(loop.time_of_day(), start);
        loop::Micros deadline = loop.now() + static_cast<loop::Micros>(std::ceil(left * 1e6));
        loop.wait_until(deadline);
    }
}
