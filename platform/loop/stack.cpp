#include "platform/loop/stack.h"

#include <malloc.h>
#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <exception>
#include <string>

namespace loop {

namespace {

std::size_t PageSize() {
    return static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

std::string Mebibytes(std::size_t bytes) {
    return std::to_string(bytes >> 20) + " MiB";
}

// The highest address of the stack of a thread that RunOnProgramStack started.
thread_local std::uintptr_t t_stack_top = 0;

struct ThreadRun {
    const std::function<int()>* body;
    std::uintptr_t top;
    int result = 0;
    std::exception_ptr failure;
};

void* RunBody(void* argument) {
    auto* run = static_cast<ThreadRun*>(argument);
    t_stack_top = run->top;
    try {
        run->result = (*run->body)();
    } catch (...) {
        run->failure = std::current_exception();
    }
    return nullptr;
}

}  // namespace

StackMapping::StackMapping(std::size_t bytes) {
    const std::size_t page = PageSize();
    const std::size_t size = (bytes + page - 1) / page * page;
    void* mapping = mmap(nullptr, size + page, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_STACK, -1, 0);
    if (mapping == MAP_FAILED)
        throw StackUnavailable("cannot reserve a stack of " + Mebibytes(size) + ": " +
                               std::strerror(errno));
    if (mprotect(mapping, page, PROT_NONE) != 0) {
        const int error = errno;
        munmap(mapping, size + page);
        throw StackUnavailable("cannot guard a stack of " + Mebibytes(size) + ": " +
                               std::strerror(error));
    }
    m_mapping = mapping;
    m_mapping_bytes = size + page;
    m_bottom = static_cast<char*>(mapping) + page;
    m_size = size;
}

StackMapping::~StackMapping() {
    munmap(m_mapping, m_mapping_bytes);
}

int RunOnProgramStack(const std::function<int()>& body, std::size_t bytes) {
    StackMapping stack(bytes);
    // A thread's first allocation would otherwise open a heap arena of its own, reserving tens
    // of MiB of address space that the program, which allocates on this one thread, never needs.
    mallopt(M_ARENA_MAX, 1);
    ThreadRun run{&body, reinterpret_cast<std::uintptr_t>(stack.bottom()) + stack.size(), 0,
                  nullptr};
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstack(&attr, stack.bottom(), stack.size());
    pthread_t thread;
    const int created = pthread_create(&thread, &attr, RunBody, &run);
    pthread_attr_destroy(&attr);
    if (created != 0)
        throw StackUnavailable("cannot start the program's thread: " +
                               std::string(std::strerror(created)));
    pthread_join(thread, nullptr);
    if (run.failure) std::rethrow_exception(run.failure);
    return run.result;
}

std::size_t StackUsed() {
    const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    return t_stack_top > here ? t_stack_top - here : 0;
}

}  // namespace loop
