// How a run ends from outside: SIGTERM, SIGINT and SIGHUP end it by that signal, with every line
// said so far in the transcript, whole, and the settings file whole, also while the transcript
// goes into a pipe whose reader has stopped reading; a transcript going into a pipe that nobody
// reads ends it with status 1 and the message of a failed write. The demo's temporary folder, a
// fresh one of the user's alone, goes on each of those ways out, as on its own end, as far as it
// can be removed. The signalled runs are in real time, so that they are still running when the
// signal comes, or held up by their output.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/run_helpers.h"
#include "tests/support/unprivileged.h"

namespace fs = std::filesystem;

namespace {

using test_support::ReadAll;

// Where a run's standard output goes: a file, a pipe that nobody reads, or a pipe whose reader
// holds it open but reads nothing (until the run has ended).
enum class Output { kFile, kClosedPipe, kStalledPipe };

struct Started {
    pid_t pid = -1;
    fs::path out;     // its standard output, for Output::kFile
    fs::path err;     // its standard error
    int reader = -1;  // the pipe's end to read, for Output::kStalledPipe
};

// Starts tavrel with `args`, the temporary folder `temporary` and the signals' default handling,
// whatever the test itself was started with; its output goes to `files`.out and .err.
Started Start(const std::vector<std::string>& args, const fs::path& temporary, Output output,
              const fs::path& files) {
    Started run{-1, files.string() + ".out", files.string() + ".err"};
    // The program beside this test program, wherever the two have been put.
    const std::string binary =
        (fs::read_symlink("/proc/self/exe").parent_path() / "tavrel").string();
    std::vector<std::string> words{binary};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<std::string> settings{"TMPDIR=" + temporary.string()};
    for (char** entry = environ; *entry; ++entry)
        if (std::string(*entry).rfind("TMPDIR=", 0) != 0) settings.emplace_back(*entry);
    std::vector<char*> envp;
    for (std::string& setting : settings) envp.push_back(setting.data());
    envp.push_back(nullptr);
    int pipe_ends[2] = {-1, -1};
    if (output != Output::kFile && ::pipe2(pipe_ends, O_CLOEXEC) != 0) return run;

    run.pid = ::fork();
    if (run.pid != 0) {
        if (output != Output::kFile) ::close(pipe_ends[1]);
        // Nobody is left to read the closed pipe; the stalled one is read only at the end.
        if (output == Output::kClosedPipe) ::close(pipe_ends[0]);
        if (output == Output::kStalledPipe) run.reader = pipe_ends[0];
        return run;
    }
    for (int number : {SIGTERM, SIGINT, SIGHUP, SIGPIPE}) ::signal(number, SIG_DFL);
    const int out = output == Output::kFile
                        ? ::open(run.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)
                        : pipe_ends[1];
    const int err = ::open(run.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (output != Output::kFile) ::close(pipe_ends[0]);
    if (out < 0 || err < 0 || ::dup2(out, STDOUT_FILENO) < 0 || ::dup2(err, STDERR_FILENO) < 0)
        ::_exit(127);
    ::execve(binary.c_str(), argv.data(), envp.data());
    ::_exit(127);
}

// Waits until the run's output holds `text`; the limit is only for a run that hangs.
bool AwaitOutput(const Started& run, const std::string& text) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (ReadAll(run.out).find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// Waits until the run has ended, for at most `seconds`, and gives its raw status; a run that is
// still going then is killed, and -1 given.
int AwaitEnd(pid_t pid, double seconds) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        int raw = 0;
        if (::waitpid(pid, &raw, WNOHANG) == pid) return raw;
        if (std::chrono::steady_clock::now() > limit) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &raw, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// Whether every thread of the run sleeps with bytes in the pipe that do not change: the run waits
// for the pipe's reader. The limit is only for a run that never gets there.
bool HeldUp(pid_t pid, int reader) {
    const auto all_asleep = [pid] {
        for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task")) {
            // The state follows the name, which is in parentheses.
            const std::string stat = ReadAll(task.path() / "stat");
            const auto end = stat.rfind(')');
            if (end == std::string::npos || stat.substr(end + 2, 1) != "S") return false;
        }
        return true;
    };
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int before = -1;
    while (std::chrono::steady_clock::now() < limit) {
        int held = 0;
        if (::ioctl(reader, FIONREAD, &held) != 0) return false;
        if (held > 0 && held == before && all_asleep()) return true;
        before = held;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// The one demo folder in `temporary`; empty where there is none, or more than one.
fs::path DemoFolderIn(const fs::path& temporary) {
    fs::path found;
    for (const auto& item : fs::directory_iterator(temporary)) {
        if (item.path().filename().string().rfind("tavrel-demo-", 0) != 0) continue;
        if (!found.empty()) return {};
        found = item.path();
    }
    return found;
}

// Every path below `folder`, relative to it, in order.
std::vector<std::string> PathsBelow(const fs::path& folder) {
    std::vector<std::string> paths;
    for (const auto& item : fs::recursive_directory_iterator(folder))
        paths.push_back(fs::relative(item.path(), folder).string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

// A fresh folder for a test, removed with what it holds.
class EndingSignals : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tavrel-signals-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override {
        for (const auto& item : fs::recursive_directory_iterator(m_folder))
            if (item.is_directory())
                fs::permissions(item.path(), fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_folder);
    }

    // Starts the demo in real time with `temporary` as its temporary folder, lays out `plant` in
    // its folder once it has started, and ends it by SIGTERM; gives what is left of the folder.
    std::vector<std::string> SignalTheDemo(const fs::path& temporary,
                                           const std::function<void(const fs::path&)>& plant) {
        fs::create_directory(temporary);
        const Started run = Start({"--demo", "--realtime"}, temporary, Output::kFile, temporary);
        EXPECT_GT(run.pid, 0);
        if (run.pid <= 0) return {};
        EXPECT_TRUE(AwaitOutput(run, "alice: hi all\n")) << "the demo did not start";
        const fs::path folder = DemoFolderIn(temporary);
        EXPECT_FALSE(folder.empty());
        if (!folder.empty()) plant(folder);
        ::kill(run.pid, SIGTERM);
        const int raw = AwaitEnd(run.pid, 10);
        EXPECT_TRUE(raw != -1 && WIFSIGNALED(raw) && WTERMSIG(raw) == SIGTERM)
            << "status " << raw << " (-1: still running)";
        if (folder.empty() || !fs::exists(folder)) return {};
        return PathsBelow(folder);
    }

    fs::path m_folder;
};

struct Way {
    const char* what;
    int signal;  // 0 for none
    Output output;
};

TEST_F(EndingSignals, EndTheRunWithTheTranscriptAndTheSettingsFileWhole) {
    const std::string said =
        "host: <FONT FACE=Arial><b>[</b> tavrel by veskin <b>]</b> <b>[</b> loaded <b>5</b> "
        "times <b>]</b></font>\n"
        "host: <font face=arial><b>[</b> scrambled words: none <b>]</b><b> [</b> completed logs: "
        "<b> ]</b></font>\n"
        "ann: one\n";
    const std::string settings = "[timesloaded]\r\ntimes=6\r\n[theuser]\r\nuser=bob\r\n";
    // A closed pipe ends the run at the first line, which the start-up says before it counts the
    // start.
    const std::string settings_at_first_line =
        "[timesloaded]\r\ntimes=5\r\n[theuser]\r\nuser=bob\r\n";
    const Way ways[] = {{"SIGTERM", SIGTERM, Output::kFile},
                        {"SIGINT", SIGINT, Output::kFile},
                        {"SIGHUP", SIGHUP, Output::kFile},
                        {"a closed pipe", 0, Output::kClosedPipe}};
    // The rows run side by side: each waits some seconds of real time for its start-up.
    std::vector<Started> runs;
    for (const Way& way : ways) {
        const fs::path folder = m_folder / way.what;
        fs::create_directory(folder);
        std::ofstream(folder / "tavrel.ini", std::ios::binary) << "[timesloaded]\r\ntimes=5\r\n";
        std::ofstream(folder / "run.script")
            << "answer bob\nwait 5\nsay ann: one\nwait 600\nsay eve: never\n";
        std::vector<std::string> args = {"--script", (folder / "run.script").string(), "--folder",
                                         folder.string()};
        if (way.signal != 0) args.push_back("--realtime");
        runs.push_back(Start(args, m_folder, way.output, folder));
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Way& way = ways[i];
        SCOPED_TRACE(way.what);
        ASSERT_GT(runs[i].pid, 0);
        if (way.signal != 0) {
            EXPECT_TRUE(AwaitOutput(runs[i], "ann: one\n")) << "the run did not get that far";
            ::kill(runs[i].pid, way.signal);
        }
        int raw = 0;
        ::waitpid(runs[i].pid, &raw, 0);
        if (way.signal != 0) {
            EXPECT_TRUE(WIFSIGNALED(raw) && WTERMSIG(raw) == way.signal) << "status " << raw;
            EXPECT_EQ(ReadAll(runs[i].out), said);
            EXPECT_EQ(ReadAll(runs[i].err), "");
        } else {
            EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1) << "status " << raw;
            EXPECT_EQ(ReadAll(runs[i].err), "tavrel: cannot write the transcript: Broken pipe\n");
        }
        const fs::path folder = m_folder / way.what;
        EXPECT_EQ(ReadAll(folder / "tavrel.ini"),
                  way.signal != 0 ? settings : settings_at_first_line);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2)
            << "a save left something behind";
    }
}

TEST_F(EndingSignals, TheDemoRemovesItsFolderOnEveryWayOut) {
    const Way ways[] = {{"SIGTERM", SIGTERM, Output::kFile},
                        {"SIGINT", SIGINT, Output::kFile},
                        {"SIGHUP", SIGHUP, Output::kFile},
                        {"a closed pipe", 0, Output::kClosedPipe},
                        {"its own end", 0, Output::kFile}};
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        const fs::path temporary = m_folder / way.what;
        fs::create_directory(temporary);
        std::vector<std::string> args = {"--demo"};
        if (way.signal != 0) args.push_back("--realtime");
        const Started run = Start(args, temporary, way.output, temporary);
        ASSERT_GT(run.pid, 0);
        if (way.signal != 0) {
            // The demo's first line is said at once; its folder is there by then.
            EXPECT_TRUE(AwaitOutput(run, "alice: hi all\n")) << "the demo did not start";
            const fs::path folder = DemoFolderIn(temporary);
            ASSERT_FALSE(folder.empty()) << "no demo folder";
            // Its own, with a name nobody could guess beforehand.
            EXPECT_EQ(folder.filename().string().size(), std::string("tavrel-demo-").size() + 8);
            struct stat info {};
            ASSERT_EQ(::stat(folder.c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & 07777, 0700u);
            EXPECT_EQ(info.st_uid, ::geteuid());
            ::kill(run.pid, way.signal);
        }
        int raw = 0;
        ::waitpid(run.pid, &raw, 0);
        if (way.signal != 0) {
            EXPECT_TRUE(WIFSIGNALED(raw) && WTERMSIG(raw) == way.signal) << "status " << raw;
        } else {
            const int status = way.output == Output::kClosedPipe ? 1 : 0;
            EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == status) << "status " << raw;
        }
        std::vector<std::string> left;
        for (const auto& item : fs::directory_iterator(temporary))
            if (item.path().filename().string().rfind("tavrel-demo-", 0) == 0)
                left.push_back(item.path().filename().string());
        EXPECT_TRUE(left.empty()) << "the demo's folder stayed behind";
    }
}

// Names that another user could plant beforehand in the temporary folder are never the demo's:
// its folder is a fresh one, and what was planted stays untouched.
TEST_F(EndingSignals, TheDemoNeverTakesAFolderThatIsThere) {
    const fs::path temporary = m_folder / "tmp";
    const fs::path victim = m_folder / "victim";
    fs::create_directories(temporary);
    fs::create_directories(victim);
    std::ofstream(victim / "tavrel.ini", std::ios::binary) << "[theuser]\r\nuser=victim\r\n";
    for (int n = 0; n < 50; ++n) {
        fs::create_symlink(victim, temporary / ("tavrel-demo-" + std::to_string(n)));
        fs::create_directory(temporary / ("tavrel-demo-planted" + std::to_string(n)));
    }
    const Started run = Start({"--demo"}, temporary, Output::kFile, m_folder / "demo");
    ASSERT_GT(run.pid, 0);
    const int raw = AwaitEnd(run.pid, 120);
    EXPECT_TRUE(raw != -1 && WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << "status " << raw;
    EXPECT_EQ(ReadAll(victim / "tavrel.ini"), "[theuser]\r\nuser=victim\r\n");
    EXPECT_EQ(PathsBelow(victim), std::vector<std::string>{"tavrel.ini"});
    EXPECT_EQ(std::distance(fs::directory_iterator(temporary), fs::directory_iterator()), 100);
    for (const auto& item : fs::directory_iterator(temporary)) {
        if (!item.is_symlink()) {
            EXPECT_TRUE(fs::is_empty(item.path())) << item.path();
        }
    }
}

// What the removal cannot take is left, and the run still ends by the signal: here a tree deeper
// than the removal goes (16 folders).
TEST_F(EndingSignals, RemovingTheDemosFolderAlwaysEnds) {
    std::vector<std::string> chain;
    std::string path;
    for (int level = 1; level <= 20; ++level) {
        path += (path.empty() ? "d" : "/d") + std::to_string(level);
        chain.push_back(path);
    }
    chain.push_back(path + "/file");
    const auto plant = [&chain](const fs::path& folder) {
        fs::create_directories(folder / chain[19]);
        std::ofstream(folder / chain.back()) << "deep";
    };
    std::vector<std::string> expected = chain;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(SignalTheDemo(m_folder / "tmp", plant), expected);
}

class EndingSignalsAsUser : public EndingSignals {
  protected:
    void SetUp() override {
        EndingSignals::SetUp();
        TAVREL_SKIP_UNLESS_PERMISSIONS_BIND();
    }
};

// A folder in the demo's folder that the user may not remove from is left with what it holds;
// the rest goes, and the run ends by the signal.
TEST_F(EndingSignalsAsUser, WhatTheUserMayNotRemoveIsLeft) {
    const auto plant = [](const fs::path& folder) {
        fs::create_directories(folder / "locked" / "inner");
        std::ofstream(folder / "locked" / "kept") << "kept";
        fs::create_directories(folder / "open" / "inner");
        fs::permissions(folder / "locked", fs::perms(0555));
    };
    EXPECT_EQ(SignalTheDemo(m_folder / "tmp", plant),
              (std::vector<std::string>{"locked", "locked/inner", "locked/kept"}));
}

// The transcript goes into a pipe whose reader holds it open but has stopped reading: each
// ending signal still ends the run at once, every line in the pipe is whole, and so is the
// settings file.
TEST_F(EndingSignals, AStalledReaderKeepsNoSignalOut) {
    // Every line said after the greeting is 80 bytes long with its line end, and there are more
    // of them than a pipe holds (64 KiB).
    std::string script = "answer bob\nwait 5\n";
    for (int n = 0; n < 2000; ++n) {
        std::string line = "say ann: line " + std::to_string(n) + " ";
        line += std::string(80 - (line.size() - 4) - 1, 'x');
        script += line + "\n";
    }
    script += "wait 600\n";
    for (const Way& way : {Way{"SIGTERM", SIGTERM, Output::kStalledPipe},
                           Way{"SIGINT", SIGINT, Output::kStalledPipe},
                           Way{"SIGHUP", SIGHUP, Output::kStalledPipe}}) {
        SCOPED_TRACE(way.what);
        const fs::path folder = m_folder / way.what;
        fs::create_directory(folder);
        std::ofstream(folder / "tavrel.ini", std::ios::binary) << "[timesloaded]\r\ntimes=5\r\n";
        std::ofstream(folder / "run.script") << script;
        const Started run =
            Start({"--script", (folder / "run.script").string(), "--folder", folder.string()},
                  m_folder, way.output, folder);
        ASSERT_GT(run.pid, 0);
        ASSERT_GE(run.reader, 0);
        EXPECT_TRUE(HeldUp(run.pid, run.reader)) << "the run was not held up by its output";

        ::kill(run.pid, way.signal);
        const int raw = AwaitEnd(run.pid, 10);
        EXPECT_TRUE(raw != -1 && WIFSIGNALED(raw) && WTERMSIG(raw) == way.signal)
            << "status " << raw << " (-1: still running)";
        std::string said;
        char piece[4096];
        for (ssize_t got; (got = ::read(run.reader, piece, sizeof piece)) > 0;)
            said.append(piece, static_cast<std::size_t>(got));
        ::close(run.reader);
        ASSERT_FALSE(said.empty());
        EXPECT_EQ(said.back(), '\n') << "the last line is cut";
        std::istringstream lines(said);
        int n = -2;  // the greeting's two lines come first
        for (std::string line; std::getline(lines, line); ++n) {
            if (n < 0) continue;
            EXPECT_EQ(line.size(), 79u) << line;
            EXPECT_EQ(line.rfind("ann: line " + std::to_string(n) + " ", 0), 0u) << line;
        }
        EXPECT_EQ(ReadAll(folder / "tavrel.ini"),
                  "[timesloaded]\r\ntimes=6\r\n[theuser]\r\nuser=bob\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2)
            << "a save left something behind";
    }
}

}  // namespace
