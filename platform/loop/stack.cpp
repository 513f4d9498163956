#include "platform/loop/stack.h"

#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <stdexcept>

namespace loop {

namespace {

constexpr std::size_t kUsualStackBytes = std::size_t{8} << 20;

struct ThreadRun {
    const std::function<int()>* body;
    int result = 0;
    std::exception_ptr failure;
};

void* RunBody(void* argument) {
    auto* run = static_cast<ThreadRun*>(argument);
    try {
        run->result = (*run->body)();
    } catch (...) {
        run->failure = std::current_exception();
    }
    return nullptr;
}

// The lowest address of the current thread's stack, looked up once per thread.
std::uintptr_t StackLowEnd() {
    thread_local std::uintptr_t low = [] {
        pthread_attr_t attr;
        void* address = nullptr;
        std::size_t size = 0;
        if (pthread_getattr_np(pthread_self(), &attr) == 0) {
            pthread_attr_getstack(&attr, &address, &size);
            pthread_attr_destroy(&attr);
        }
        return reinterpret_cast<std::uintptr_t>(address);
    }();
    return low;
}

}  // namespace

int RunOnLargeStack(const std::function<int()>& body, std::size_t bytes) {
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    bytes = std::max(bytes, kUsualStackBytes);
    void* mapping = MAP_FAILED;
    // Reserved, not committed: the system lends pages only as the stack reaches them.
    for (; bytes >= kUsualStackBytes; bytes /= 2) {
        mapping = mmap(nullptr, bytes + page, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_STACK, -1, 0);
        if (mapping != MAP_FAILED) break;
    }
    if (mapping == MAP_FAILED) throw std::runtime_error("cannot reserve a stack for the program");
    // The lowest page stays unmapped for access, so running off the end faults at once.
    mprotect(mapping, page, PROT_NONE);

    ThreadRun run{&body, 0, nullptr};
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstack(&attr, static_cast<char*>(mapping) + page, bytes);
    pthread_t thread;
    const int created = pthread_create(&thread, &attr, RunBody, &run);
    pthread_attr_destroy(&attr);
    if (created == 0) pthread_join(thread, nullptr);
    munmap(mapping, bytes + page);
    if (created != 0) throw std::runtime_error("cannot start the program's thread");
    if (run.failure) std::rethrow_exception(run.failure);
    return run.result;
}

std::size_t StackLeft() {
    const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    const std::uintptr_t low = StackLowEnd();
    return here > low ? here - low : 0;
}

}  // namespace loop
