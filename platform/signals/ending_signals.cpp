#include "platform/signals/ending_signals.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace signals {
namespace {

// Set up by EndingSignals on its thread before any handler is in place, read by the handlers.
pthread_t g_taker;
// The folder that RemovedOnSignal names, "" for none. Written only on the taker's thread while
// it holds the signals, and read only by the handler on that thread.
char g_folder[4096];

sigset_t EndingSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int number : kEndingSignals) sigaddset(&set, number);
    return set;
}

// Removes `name` in the folder `at` and everything below it that can be removed, down to
// kDeepest levels; true once `name` is gone. What cannot be removed (an entry the user may not
// remove, a tree deeper than that) is left, and so is every folder above it. The handler runs
// it, so it makes only calls that are safe there: no allocation, no stdio, no directory streams.
bool RemoveTree(int at, const char* name, int depth) {
    if (::unlinkat(at, name, 0) == 0 || errno == ENOENT) return true;
    constexpr int kDeepest = 16;
    const int folder =
        depth < kDeepest ? ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC) : -1;
    if (folder >= 0) {
        // Entries removed while the folder is read may make the reading skip others, so it is
        // read again from the start while a reading removes something. Each such reading leaves
        // fewer entries; the bound holds even against entries that something else keeps adding.
        constexpr int kMostReadings = 64;
        bool removed = true;
        for (int reading = 0; removed && reading < kMostReadings; ++reading) {
            removed = false;
            ::lseek(folder, 0, SEEK_SET);
            alignas(8) char entries[2048];
            for (;;) {
                const long got = ::syscall(SYS_getdents64, folder, entries, sizeof entries);
                if (got <= 0) break;
                for (long offset = 0; offset < got;) {
                    unsigned short length = 0;
                    std::memcpy(&length, entries + offset + offsetof(struct dirent64, d_reclen),
                                sizeof length);
                    const char* entry = entries + offset + offsetof(struct dirent64, d_name);
                    offset += length;
                    if (std::strcmp(entry, ".") == 0 || std::strcmp(entry, "..") == 0) continue;
                    if (RemoveTree(folder, entry, depth + 1)) removed = true;
                }
            }
        }
        ::close(folder);
    }
    return ::unlinkat(at, name, AT_REMOVEDIR) == 0 || errno == ENOENT;
}

void RemoveFolder() {
    if (g_folder[0] != '\0') RemoveTree(AT_FDCWD, g_folder, 0);
}

void TakeEndingSignal(int number) {
    const int saved_errno = errno;
    if (!pthread_equal(pthread_self(), g_taker)) {
        // Here it would not wait for the work that the taker holds it from.
        pthread_kill(g_taker, number);
        errno = saved_errno;
        return;
    }
    RemoveFolder();
    struct sigaction plain {};
    plain.sa_handler = SIG_DFL;
    sigemptyset(&plain.sa_mask);
    sigaction(number, &plain, nullptr);
    // The signal waits while its handler runs and ends the program as the handler returns.
    raise(number);
    errno = saved_errno;
}

}  // namespace

EndingSignals::EndingSignals() {
    g_taker = pthread_self();
    struct sigaction taking {};
    taking.sa_handler = TakeEndingSignal;
    taking.sa_mask = EndingSet();
    taking.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
        sigaction(kEndingSignals[i], nullptr, &m_before[i]);
        // One that the program was started to ignore (nohup, a shell's background job) stays
        // ignored.
        if (m_before[i].sa_handler != SIG_IGN) sigaction(kEndingSignals[i], &taking, nullptr);
    }
    struct sigaction ignoring {};
    ignoring.sa_handler = SIG_IGN;
    sigemptyset(&ignoring.sa_mask);
    sigaction(SIGPIPE, &ignoring, &m_before[3]);
}

EndingSignals::~EndingSignals() {
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
        sigaction(kEndingSignals[i], &m_before[i], nullptr);
    sigaction(SIGPIPE, &m_before[3], nullptr);
}

HeldSignals::HeldSignals() {
    const sigset_t ending = EndingSet();
    pthread_sigmask(SIG_BLOCK, &ending, &m_before);
}

HeldSignals::~HeldSignals() {
    pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
}

RemovedOnSignal::RemovedOnSignal(const std::string& folder) {
    const HeldSignals held;
    if (folder.size() >= sizeof g_folder) return;
    std::memcpy(g_folder, folder.c_str(), folder.size() + 1);
}

RemovedOnSignal::~RemovedOnSignal() {
    const HeldSignals held;
    g_folder[0] = '\0';
}

void EndAtOnce(int status) {
    const HeldSignals held;
    RemoveFolder();
    std::_Exit(status);
}

}  // namespace signals
