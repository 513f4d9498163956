#pragma once
// The signals that end a run from outside: SIGTERM, SIGINT and SIGHUP.
//
// They end the program by the signal, as its default handling would, but never in the middle
// of a piece of work that must not be cut short (a line of the transcript, a save): such work
// holds them, and one that comes meanwhile takes effect as the work ends. Output that waits for
// a reader lets them in meanwhile (held_output.h), so that no reader keeps them out for ever.
// Before the program ends, a folder handed to RemovedOnSignal is removed with all it holds that
// can be removed; what cannot (an entry the user may not remove, what lies more than 16 folders
// deep) is left, and the removal always ends. The signals are taken on the thread that set
// EndingSignals up; one that the system hands to another thread of the process is passed on to
// it. A signal that the program was started with ignored (as nohup and a shell's background jobs
// start it) stays ignored.
//
// A closed pipe is not one of them: while EndingSignals lives SIGPIPE is ignored, so a write to
// a pipe that nobody reads fails (EPIPE) as any other failed write does.

#include <signal.h>

#include <iterator>
#include <string>

namespace signals {

// The signals that end a run.
inline constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The handling of the ending signals for the calling thread, from construction to destruction,
// which restores the handling before. At most one lives at a time.
class EndingSignals {
  public:
    EndingSignals();
    ~EndingSignals();
    EndingSignals(const EndingSignals&) = delete;
    EndingSignals& operator=(const EndingSignals&) = delete;

  private:
    struct sigaction m_before[std::size(kEndingSignals)];
};

// While one lives, the calling thread takes no ending signal: one that comes meanwhile waits
// until the outermost HeldSignals ends. Works whether EndingSignals lives or not (a signal
// with its default handling waits the same way).
class HeldSignals {
  public:
    HeldSignals();
    ~HeldSignals();
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

  private:
    sigset_t m_before;
};

// While one lives, an ending signal that ends the program removes `folder` (a path shorter than
// 4096 bytes) and everything below it first. At most one lives at a time.
class RemovedOnSignal {
  public:
    explicit RemovedOnSignal(const std::string& folder);
    ~RemovedOnSignal();
    RemovedOnSignal(const RemovedOnSignal&) = delete;
    RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;
};

// Ends the program at once with `status`, as std::_Exit does, but removes the folder that a
// living RemovedOnSignal names first: for a way out that no destructor sees (a lost display).
[[noreturn]] void EndAtOnce(int status);

}  // namespace signals
