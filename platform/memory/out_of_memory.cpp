#include "platform/memory/out_of_memory.h"

#include <cstdlib>
#include <new>

namespace memory {

namespace {

struct State {
    void* reserve = nullptr;
    std::new_handler previous = nullptr;
    const char* doing = nullptr;
    const char* exhausted = nullptr;
};

State& TheState() {
    static State state;
    return state;
}

// Called by operator new when an allocation fails. Giving the reserve back first leaves the
// unwinding room to run; the allocation itself still fails, so the program ends rather than
// live on without its reserve.
void OnExhausted() {
    State& state = TheState();
    state.exhausted = state.doing ? state.doing : "running";
    std::free(state.reserve);
    state.reserve = nullptr;
    throw std::bad_alloc();
}

}  // namespace

Reserve::Reserve(std::size_t bytes) {
    State& state = TheState();
    state.reserve = std::malloc(bytes);
    // Touched, so that the pages are the program's and giving them back frees memory.
    if (state.reserve)
        for (std::size_t i = 0; i < bytes; i += 4096)
            static_cast<volatile char*>(state.reserve)[i] = 0;
    state.exhausted = nullptr;
    state.previous = std::set_new_handler(OnExhausted);
}

Reserve::~Reserve() {
    State& state = TheState();
    std::set_new_handler(state.previous);
    std::free(state.reserve);
    state.reserve = nullptr;
}

Doing::Doing(const char* what) : m_before(TheState().doing) {
    TheState().doing = what;
}

Doing::~Doing() {
    TheState().doing = m_before;
}

const char* Exhausted() {
    return TheState().exhausted;
}

}  // namespace memory
