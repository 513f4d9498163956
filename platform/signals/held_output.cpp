#include "platform/signals/held_output.h"

#include <limits.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/signals/ending_signals.h"

namespace signals {

bool WriteLettingSignalsIn(int fd, std::string_view bytes) {
    sigset_t letting_in;
    pthread_sigmask(SIG_BLOCK, nullptr, &letting_in);
    for (int number : kEndingSignals) sigdelset(&letting_in, number);
    while (!bytes.empty()) {
        struct pollfd output {
            fd, POLLOUT, 0
        };
        // Only a descriptor that takes nothing now lets the signals in: one held while the bytes
        // are taken must not cut them short.
        int ready = ::poll(&output, 1, 0);
        if (ready == 0) ready = ::ppoll(&output, 1, nullptr, &letting_in);
        if (ready < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        // Ready, or failed: the write says which.
        const std::size_t piece = std::min<std::size_t>(bytes.size(), PIPE_BUF);
        const ssize_t written = ::write(fd, bytes.data(), piece);
        if (written < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

HeldOutput::HeldOutput(int fd) : m_fd(fd) {
    setp(m_kept, m_kept + sizeof m_kept);
}

HeldOutput::~HeldOutput() {
    flush_kept();
}

bool HeldOutput::flush_kept() {
    const std::string_view kept(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(m_kept, m_kept + sizeof m_kept);
    return WriteLettingSignalsIn(m_fd, kept);
}

HeldOutput::int_type HeldOutput::overflow(int_type c) {
    if (!flush_kept()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int HeldOutput::sync() {
    return flush_kept() ? 0 : -1;
}

}  // namespace signals
