#pragma once
// Runs of the tavrel program itself, as a child process beside the benchmark: floods and large
// inputs, with and without a limit on the address space, so that their memory and their
// transcripts can be compared.

#include <cstddef>
#include <cstdint>
#include <string>

#include "bench/bench_games.h"

namespace bench {

struct ProgramRun {
    int status = -1;      // the exit status; -1 when it did not exit
    double peak_mib = 0;  // its peak resident memory (wait4, ru_maxrss)
    double wall_seconds = 0;
    double game_seconds = 0;  // with the times written: the game time of the last line said
    // Its standard output, as a digest: the benchmark holds no transcript of its own, so that
    // the runs after it, forked from it, start no larger than it.
    std::uint64_t transcript_hash = 0;  // FNV-1a of every byte
    std::size_t transcript_bytes = 0;
    std::size_t lines = 0;
    std::string last_line;
    bool same_transcript(const ProgramRun& other) const {
        return transcript_hash == other.transcript_hash &&
               transcript_bytes == other.transcript_bytes;
    }
};

// Runs the program beside this benchmark with `script` in `folder`, under an address-space
// limit of `limit_mib` (0: none); with `times`, each line carries its game time.
ProgramRun RunProgram(const ScratchFolder& folder, const std::string& script, int limit_mib,
                      bool times = false);

// The scripts, and the files they use, written into `folder`; each gives the script's path.
// A 1,000-word list, each word answered a second after it is posted.
std::string AnswerEachWord(const ScratchFolder& folder, int words);
// A list of `words` words all answered at one moment, right after the first is posted, each
// line judged inside the delay of the one before.
std::string AnswersAtOneMoment(const ScratchFolder& folder, int words);
// `answers` right answers at one moment, as above, then "stop game" clicked 2 s later, when the
// answers still wait their turn; the list has ten words more, so the game is still on.
std::string AnswersThenStop(const ScratchFolder& folder, int answers);
// A three-word list answered to its end, then `lines` wrong lines at one moment, each judged
// inside the end of the list's pauses (0: the same game with no flood).
std::string FloodAtTheEnd(const ScratchFolder& folder, int lines);
// `clicks` clicks on the non-log game's "send" at one moment, each inside the last one's
// scramble.
std::string ClicksAtOneMoment(const ScratchFolder& folder, int clicks);
// Loading a word list of about `bytes` bytes.
std::string LoadBigList(const ScratchFolder& folder, int bytes);

}  // namespace bench
