#pragma once
// Running out of memory, told rather than aborted on.
//
// `Reserve` keeps a block of memory aside for as long as it lives. When an allocation fails, the
// block is given back and the allocation fails as std::bad_alloc, so that the
// program can unwind, close what it has open and say in one line what it was doing, with memory
// to spare for that. What it was doing is what the innermost `Doing` names at that moment
// (a documented singleton: one label for the whole program, each `Doing` restoring the one it
// replaced); the program's top level catches the std::bad_alloc and asks `Exhausted()`.

#include <cstddef>

namespace memory {

class Reserve {
  public:
    explicit Reserve(std::size_t bytes = std::size_t{1} << 20);
    ~Reserve();
    Reserve(const Reserve&) = delete;
    Reserve& operator=(const Reserve&) = delete;
};

// Names what the program does while it lives, as "reading the script".
class Doing {
  public:
    explicit Doing(const char* what);
    ~Doing();
    Doing(const Doing&) = delete;
    Doing& operator=(const Doing&) = delete;

  private:
    const char* m_before;
};

// What the program was doing when an allocation last failed; nullptr while none has.
const char* Exhausted();

}  // namespace memory
