#pragma once
// The stack that the program's one thread runs on.
//
// Handlers nest: every pause and round of events may run another handler inside the one that
// waits, and a flood of chat lines said at one moment nests one handler a line. The program
// therefore runs on a thread whose stack reserves far more address space than the system's
// usual 8 MiB (pages that are never touched cost nothing), and the event loop asks how much of
// the current thread's stack is left before it lets another line nest.

#include <cstddef>
#include <functional>

namespace loop {

// Address space reserved for the program's thread by default. Sanitizer builds spend several
// times as much stack on each frame, so they reserve more.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr std::size_t kLargeStackBytes = std::size_t{16} << 30;
#else
inline constexpr std::size_t kLargeStackBytes = std::size_t{4} << 30;
#endif

// Runs `body` on a new thread whose stack reserves `bytes` of address space (less where the
// system refuses that much: halved until it agrees, never below the usual 8 MiB) and waits for
// it. Gives what `body` gives; an exception thrown by `body` is thrown again here.
int RunOnLargeStack(const std::function<int()>& body, std::size_t bytes = kLargeStackBytes);

// Bytes of the current thread's stack still free below the caller's frame.
std::size_t StackLeft();

}  // namespace loop
