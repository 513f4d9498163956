#pragma once
// Stacks of the program's own: the one its event loop runs on, and those a front end runs a
// toolkit loop on beside it.
//
// Handlers nest: every pause and round of events may run another handler inside the one that
// waits. The event loop bounds that nesting (`EventLoop::kNestingBound`), so the deepest stack
// the program can need is known: the program runs on a thread whose stack has that room at a
// wide margin, reserved once at start. Its size is fixed for each build, so a run does not
// depend on what the machine would grant; sanitizer builds spend several times as much stack on
// each frame and reserve more.

#include <cstddef>
#include <functional>
#include <stdexcept>

namespace loop {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr std::size_t kProgramStackBytes = std::size_t{64} << 20;
#else
inline constexpr std::size_t kProgramStackBytes = std::size_t{16} << 20;
#endif

// The system refused the memory for a stack.
class StackUnavailable : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An anonymous mapping to run a stack on, with an inaccessible guard page below it, so that
// running off its end faults at once. Its pages cost memory only once the stack reaches them.
class StackMapping {
  public:
    // Throws StackUnavailable when the system refuses the mapping.
    explicit StackMapping(std::size_t bytes);
    ~StackMapping();
    StackMapping(const StackMapping&) = delete;
    StackMapping& operator=(const StackMapping&) = delete;

    // The usable stack: its lowest byte (just above the guard page) and its size.
    void* bottom() const { return m_bottom; }
    std::size_t size() const { return m_size; }

  private:
    void* m_mapping = nullptr;
    std::size_t m_mapping_bytes = 0;
    void* m_bottom = nullptr;
    std::size_t m_size = 0;
};

// Runs `body` on a thread of its own whose stack is `bytes` (reserved once; StackUnavailable
// when it cannot be) and waits for it. Gives what `body` gives; an exception thrown by `body`
// is thrown again here.
int RunOnProgramStack(const std::function<int()>& body, std::size_t bytes = kProgramStackBytes);

// Bytes of the current thread's stack used above the caller's frame: how deep the calls that
// lead here reach. Known for threads started by RunOnProgramStack; 0 elsewhere.
std::size_t StackUsed();

}  // namespace loop
