#pragma once
// The program's Pause, taken over at link time (--wrap): it runs the program's own pause, or a
// literal spinning one that reads the clock in a loop and runs events in between, as the
// original program's pause did. Both are timed: the wall time and the processor time spent in
// the outermost pause.

namespace bench {

enum class PauseKind { Program, Spinning };

struct PauseTimes {
    double wall_seconds = 0;
    double cpu_seconds = 0;
    int pauses = 0;
};

void UsePause(PauseKind kind);
// The times since the last call, set back to zero.
PauseTimes TakePauseTimes();

}  // namespace bench
