// A run killed part-way keeps its transcript: every line said before the kill is in the output,
// whole and in order. The run is in real time, so it is still running when it is killed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/run_helpers.h"

namespace fs = std::filesystem;

namespace {

using test_support::ReadAll;

// Starts tavrel with standard output going to `out`.
pid_t Start(const fs::path& script, const fs::path& folder, const fs::path& out) {
    std::string binary = std::string(TAVREL_BINARY_DIR) + "/bin/tavrel";
    pid_t pid = ::fork();
    if (pid != 0) return pid;
    int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || ::dup2(fd, STDOUT_FILENO) < 0) ::_exit(127);
    ::execl(binary.c_str(), binary.c_str(), "--realtime", "--script", script.c_str(), "--folder",
            folder.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
}

TEST(KilledRun, KeepsEveryLineSaidBeforeTheKill) {
    fs::path folder =
        fs::temp_directory_path() / ("tavrel-killed-run-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::path script = folder / "run.script";
    // Three lines at once and one a moment later, then a wait far longer than the test.
    std::ofstream(script) << "say ann: one\nsay bob: two\nsay cy: three\nwait 0.1\nsay dee: four\n"
                             "wait 600\nsay eve: never\n";
    const std::string said = "ann: one\nbob: two\ncy: three\ndee: four\n";
    fs::path out = folder / "out";

    pid_t pid = Start(script, folder, out);
    ASSERT_GT(pid, 0);
    // Waits for the last line said before the kill; the limit is only for a run that hangs.
    auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (ReadAll(out).size() < said.size() && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ::kill(pid, SIGKILL);
    int raw = 0;
    ::waitpid(pid, &raw, 0);

    EXPECT_TRUE(WIFSIGNALED(raw) && WTERMSIG(raw) == SIGKILL) << "the run ended by itself";
    EXPECT_EQ(ReadAll(out), said);
    fs::remove_all(folder);
}

}  // namespace
