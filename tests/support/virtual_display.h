#pragma once
// What the tests of the desktop view share: a virtual display of the test's own (Xvfb), which
// it may end under a running program, the display the view's tests show their windows on, what
// such a test does where it cannot see, a program started in the background with its status
// read later, and waits for a text to show in a file the program writes. Every wait is bounded.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "tests/support/run_helpers.h"

extern char** environ;

namespace test_support {

// Whether the program PROGRAM is on the PATH.
inline bool OnPath(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// A command run by /bin/sh in the background.
class Background {
  public:
    explicit Background(const std::string& command) {
        const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
        if (posix_spawn(&m_pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) !=
            0)
            m_pid = -1;
    }
    ~Background() {
        if (m_pid > 0 && !m_done) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

    bool started() const { return m_pid > 0; }
    pid_t pid() const { return m_pid; }
    // The exit status once it has ended within `seconds` (a signal counts as 128 + its number);
    // -1 when it is still running then.
    int wait(double seconds) {
        if (m_done) return m_status;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        for (;;) {
            int raw = 0;
            pid_t r = waitpid(m_pid, &raw, WNOHANG);
            if (r == m_pid) {
                m_done = true;
                m_status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
                return m_status;
            }
            if (r < 0 || std::chrono::steady_clock::now() > deadline) return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

  private:
    pid_t m_pid = -1;
    bool m_done = false;
    int m_status = -1;
};

// Waits up to `seconds` for `text` to show in the file; true once it does.
inline bool WaitForText(const std::filesystem::path& file, const std::string& text,
                        double seconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (ReadAll(file).find(text) != std::string::npos) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return ReadAll(file).find(text) != std::string::npos;
}

// An X server of the test's own on a display number it picks; ended when the object goes, or
// earlier by end().
class VirtualDisplay {
  public:
    VirtualDisplay() {
        if (!OnPath("Xvfb")) return;
        std::string number_file =
            (std::filesystem::temp_directory_path() / "tavrel-xvfb-XXXXXX").string();
        int fd = mkstemp(number_file.data());
        if (fd < 0) return;
        close(fd);
        m_server = std::make_unique<Background>(
            "exec Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>" + Shell(number_file) +
            " >/dev/null 2>&1");
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            std::string number = ReadAll(number_file);
            if (!number.empty() && number.back() == '\n') {
                m_name = ":" + number.substr(0, number.size() - 1);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        std::filesystem::remove(number_file);
    }
    ~VirtualDisplay() { end(); }

    // ":N", or empty when no server could be started.
    const std::string& name() const { return m_name; }
    // Ends the server, as a display that goes away does.
    void end() {
        if (!m_server || !m_server->started()) return;
        kill(m_server->pid(), SIGTERM);
        if (m_server->wait(10) < 0) kill(m_server->pid(), SIGKILL);
        m_server.reset();
    }

  private:
    std::unique_ptr<Background> m_server;
    std::string m_name;
};

// The display that the view's tests show their windows on: the one TAVREL_VIEW_DISPLAY names
// (./run test starts one for them), else a virtual display of the test program's own, started
// on first use. Never the DISPLAY of the session that started the tests, whose window manager
// would place and size the windows its own way. nullptr where none can start.
inline const char* ViewDisplay() {
    const char* named = std::getenv("TAVREL_VIEW_DISPLAY");
    if (named && *named) return named;
    static VirtualDisplay own;
    return own.name().empty() ? nullptr : own.name().c_str();
}

// `./run test` installs everything the view's tests need and sets TAVREL_VIEW_REQUIRED: there a
// test that cannot see (no view in the build, no display, no xdotool) fails instead of
// skipping.
inline bool ViewRequired() {
    const char* required = std::getenv("TAVREL_VIEW_REQUIRED");
    return required && *required;
}

}  // namespace test_support

#define TAVREL_CANNOT_SEE(why)                                                        \
    do {                                                                              \
        if (test_support::ViewRequired()) FAIL() << why << " (TAVREL_VIEW_REQUIRED)"; \
        GTEST_SKIP() << why;                                                          \
    } while (false)
