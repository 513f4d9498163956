#include "bench/pause_switch.h"

#include <time.h>

#include "common/pause.h"
#include "platform/loop/loop.h"

namespace bench {
namespace {

struct PauseState {
    PauseKind kind = PauseKind::Program;
    int depth = 0;
    PauseTimes times;
};

PauseState& State() {
    static PauseState state;
    return state;
}

double Seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Start = Timer: Do While Timer < Start + n: DoEvents: Loop
void SpinningPause(int seconds) {
    const float start = loop::Clock();
    while (loop::Clock() < start + static_cast<float>(seconds)) loop::DoEvents();
}

}  // namespace

void UsePause(PauseKind kind) {
    State().kind = kind;
}

PauseTimes TakePauseTimes() {
    PauseTimes times = State().times;
    State().times = {};
    return times;
}

}  // namespace bench

extern "C" void __real__Z5Pausei(int seconds);

// Every call of Pause(int) lands here.
extern "C" void __wrap__Z5Pausei(int seconds) {
    using namespace bench;
    PauseState& state = State();
    const bool outermost = state.depth == 0;
    const double wall = Seconds(CLOCK_MONOTONIC);
    const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    // The end of the program unwinds through the pause; its time up to then still counts.
    struct Done {
        PauseState& state;
        bool outermost;
        double wall, cpu;
        ~Done() {
            --state.depth;
            if (!outermost) return;
            state.times.wall_seconds += Seconds(CLOCK_MONOTONIC) - wall;
            state.times.cpu_seconds += Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu;
            ++state.times.pauses;
        }
    } done{state, outermost, wall, cpu};
    ++state.depth;
    if (state.kind == PauseKind::Spinning)
        SpinningPause(seconds);
    else
        __real__Z5Pausei(seconds);
}
