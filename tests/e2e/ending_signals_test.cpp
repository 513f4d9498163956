// How a run ends from outside: SIGTERM, SIGINT and SIGHUP end it by that signal, with every line
// said so far in the transcript, whole, and the settings file whole; a transcript going into a
// pipe that nobody reads ends it with status 1 and the message of a failed write. The demo's
// temporary folder goes on each of those ways out, as on its own end. The signalled runs are in
// real time, so that they are still running when the signal comes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/run_helpers.h"

namespace fs = std::filesystem;

namespace {

using test_support::ReadAll;

// Where a run's standard output goes.
enum class Output { kFile, kClosedPipe };

struct Started {
    pid_t pid = -1;
    fs::path out;  // its standard output, for Output::kFile
    fs::path err;  // its standard error
};

// Starts tavrel with `args`, the temporary folder `temporary` and the signals' default handling,
// whatever the test itself was started with; its output goes to `files`.out and .err.
Started Start(const std::vector<std::string>& args, const fs::path& temporary, Output output,
              const fs::path& files) {
    Started run{-1, files.string() + ".out", files.string() + ".err"};
    const std::string binary = std::string(TAVREL_BINARY_DIR) + "/bin/tavrel";
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
    if (output == Output::kClosedPipe && ::pipe(pipe_ends) != 0) return run;

    run.pid = ::fork();
    if (run.pid != 0) {
        // Nobody is left to read the pipe.
        if (output == Output::kClosedPipe) {
            ::close(pipe_ends[0]);
            ::close(pipe_ends[1]);
        }
        return run;
    }
    for (int number : {SIGTERM, SIGINT, SIGHUP, SIGPIPE}) ::signal(number, SIG_DFL);
    const int out = output == Output::kFile
                        ? ::open(run.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)
                        : pipe_ends[1];
    const int err = ::open(run.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (output == Output::kClosedPipe) ::close(pipe_ends[0]);
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

// A fresh folder for a test, removed with what it holds.
class EndingSignals : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tavrel-signals-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override { fs::remove_all(m_folder); }

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
            EXPECT_TRUE(fs::exists(temporary / ("tavrel-demo-" + std::to_string(run.pid))));
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
        EXPECT_TRUE(fs::is_empty(temporary)) << "the demo's folder stayed behind";
    }
}

}  // namespace
