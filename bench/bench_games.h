#pragma once
// The games and pieces of games that the benchmarks time. Each builds the whole program in this
// process (as the tests do) in a scratch folder, plays, and gives what it measured.

#include <string>
#include <vector>

#include "bench/pause_switch.h"

namespace bench {

// A program folder of its own, removed with its files when it goes.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

  private:
    std::string m_path;
};

// `count` distinct words of 3 to 12 letters, the same every time.
std::vector<std::string> MakeWords(int count);

struct GameRun {
    double wall_seconds = 0;
    double cpu_seconds = 0;
    double virtual_seconds = 0;  // how long the game lasts by its own clock
    int words_posted = 0;
    int right_answers = 0;
};

// A whole list in virtual time: bob answers most words after a second, carol beats him to
// every fifth, ann says a wrong line at every word and groans at every time-out, and every
// tenth word times out.
GameRun PlayWholeList(const ScratchFolder& folder, int words);

// The wall time of "load log" on a list of `words` words, mixed on load (3 passes with a round
// of events after every swap) or not.
double TimeLoad(const ScratchFolder& folder, int words, bool mixed);
// The same 3 passes of swaps over the words in a plain vector, with no events.
double TimeShuffleWithoutEvents(int words);

// A game with one word in play while `lines` wrong lines are said, 3 ms apart; the wall time
// of the stretch from the first line to the last one judged (the same stretch with no lines
// for 0). `judged` counts the lines the window judged.
double TimeJudgedLines(const ScratchFolder& folder, int lines, int& judged);
// `reads` times the two settings reads that judging does for every line.
double TimeSettingsReads(const ScratchFolder& folder, int reads);

struct RealTimeRun {
    double wall_seconds = 0;
    double cpu_seconds = 0;  // the whole process, for the whole run
    PauseTimes pauses;
    int word_clock_ticks = 0;       // ticks that followed another tick of the same stretch
    double word_clock_seconds = 0;  // the real time between those pairs of ticks
    int right_answers = 0;
};

// A game on the real clock for `seconds`: a word every few seconds, answered a second after
// it is posted, with the host's 3-second delay in between.
RealTimeRun PlayRealTime(const ScratchFolder& folder, double seconds, PauseKind pause);

}  // namespace bench
