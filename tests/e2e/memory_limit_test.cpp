// The same run under any memory limit the program can start in: the program's stack is of one
// size, reserved once, so an address-space limit changes nothing but whether it can start.
// Where the stack cannot be reserved it says so and stops before it reads or writes anything;
// --help and --version need no such stack. (Sanitizer builds reserve far more address space
// than any such limit allows, so there the limits are not tried.)
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/run_helpers.h"

namespace fs = std::filesystem;

namespace {

using test_support::RunCommand;
using test_support::Shell;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

constexpr int kAnswers = 1500;  // all said at one moment: past the nesting bound

class MemoryLimit : public testing::Test {
  protected:
    void SetUp() override {
        if (kSanitized) GTEST_SKIP() << "the sanitizers' shadow memory exceeds any limit tried";
        m_folder = fs::temp_directory_path() / ("tavrel-limit-" + std::to_string(::getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    // Runs tavrel with ARGS under an address-space limit of `mebibytes` (0: none); standard
    // error goes to the file "err" in the folder.
    test_support::CommandRun Tavrel(const std::string& args, int mebibytes) const {
        std::string limit = mebibytes ? "ulimit -v " + std::to_string(mebibytes * 1024) + "; " : "";
        return RunCommand("(" + limit + "exec " +
                          Shell(std::string(TAVREL_BINARY_DIR) + "/bin/tavrel") + " " + args +
                          " 2>" + Shell((m_folder / "err").string()) + ")");
    }
    std::string Error() const { return test_support::ReadAll(m_folder / "err"); }

    // The least limit that --version runs in, which needs no stack of its own; 0 where none
    // up to 256 MiB does.
    int LeastLimit() const {
        for (int mebibytes = 8; mebibytes <= 256; mebibytes += 2)
            if (Tavrel("--version", mebibytes).status == 0) return mebibytes;
        return 0;
    }

    fs::path m_folder;
};

TEST_F(MemoryLimit, AFloodPastTheBoundRunsAlikeWithAndWithoutALimit) {
    std::string words;
    std::string script =
        "answer host\nawait completed logs\nmenu Form4.mixlog\nclick Form4.Command5\n"
        "choose words.log\nclick Form4.Command1\nawait tavrel log\nwait 1\n";
    for (int i = 0; i < kAnswers; ++i) {
        words += "w" + std::to_string(i) + "\r\r\n";
        script += "say alice: w" + std::to_string(i) + "\n";
    }
    std::ofstream(m_folder / "words.log", std::ios::binary) << words;
    std::ofstream(m_folder / "flood.script", std::ios::binary) << script << "wait 60\n";
    const std::string args = "--script " + Shell((m_folder / "flood.script").string()) +
                             " --folder " + Shell(m_folder.string());
    const auto free = Tavrel(args, 0);
    ASSERT_EQ(free.status, 0) << Error();
    fs::remove(m_folder / "tavrel.ini");
    const auto limited = Tavrel(args, 160);
    ASSERT_EQ(limited.status, 0) << Error();
    EXPECT_EQ(limited.out, free.out);
    std::size_t answers = 0;
    for (auto at = free.out.find("point(s)"); at != std::string::npos;
         at = free.out.find("point(s)", at + 1))
        ++answers;
    EXPECT_EQ(answers, std::size_t{kAnswers});
    EXPECT_NE(free.out.find("answering<b> 100%</b> of the log"), std::string::npos);
}

TEST_F(MemoryLimit, WithNoRoomForTheStackTheProgramStopsBeforeItReadsOrWrites) {
    const int least = LeastLimit();
    ASSERT_GT(least, 0) << "--version does not run under 256 MiB";
    EXPECT_EQ(Tavrel("--version", least).out, "tavrel 1.5\n");
    EXPECT_EQ(Tavrel("--help", least).status, 0);
    EXPECT_EQ(Tavrel("--frobnicate", least).status, 2);

    // A little more lets the program start, but not reserve its stack.
    std::ofstream(m_folder / "s.script") << "answer host\nwait 5\n";
    const auto run = Tavrel("--script " + Shell((m_folder / "s.script").string()) + " --folder " +
                                Shell(m_folder.string()),
                            least + 4);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(Error().find("tavrel: cannot reserve a stack of "), std::string::npos) << Error();
    EXPECT_FALSE(fs::exists(m_folder / "tavrel.ini"));
}

// Where memory runs out the run ends with one line that says what the program was doing, and
// status 1: never an abort. Every line said until then is out whole, the settings file as the
// run last wrote it; the same run with room enough goes on.
TEST_F(MemoryLimit, RunningOutOfMemoryIsToldInOneLineAndNothingIsCut) {
    const int least = LeastLimit();
    ASSERT_GT(least, 0) << "--version does not run under 256 MiB";
    const int limit = least + 48;  // room for the stack and a little more

    std::string list;  // far more entries than the limit has room for
    for (int i = 0; i < 1'600'000; ++i) list += "word" + std::to_string(1'000'000 + i) + "\r\r\n";
    std::ofstream(m_folder / "big.log", std::ios::binary) << list;
    std::ofstream(m_folder / "list.script")
        << "answer host\nawait completed logs\nsay ann: before\nmenu Form4.mixlog\n"
           "click Form4.Command5\nchoose big.log\nwait 1\nsay ann: after\nwait 1\n";
    // A script within the size the program takes, but larger than the limit leaves room for.
    std::string script = "answer host\nsay ann: before\nwait 5\n";
    while (script.size() < (std::size_t{48} << 20)) script += "# a line of the script\n";
    std::ofstream(m_folder / "large.script") << script;

    struct Case {
        const char* script;
        const char* message;
    };
    for (const Case& c :
         {Case{"list.script", "tavrel: out of memory while reading a list\n"},
          Case{"large.script", "tavrel: out of memory while reading the script\n"}}) {
        SCOPED_TRACE(c.script);
        const std::string args = "--script " + Shell((m_folder / c.script).string()) +
                                 " --folder " + Shell(m_folder.string());
        fs::remove(m_folder / "tavrel.ini");
        const auto limited = Tavrel(args, limit);
        EXPECT_EQ(limited.status, 1);
        EXPECT_EQ(Error(), c.message);
        const std::string settings = test_support::ReadAll(m_folder / "tavrel.ini");
        fs::remove(m_folder / "tavrel.ini");
        const auto free = Tavrel(args, 0);
        ASSERT_EQ(free.status, 0) << Error();
        // What was said is there, up to the last whole line; the settings as then written.
        EXPECT_EQ(free.out.substr(0, limited.out.size()), limited.out);
        EXPECT_TRUE(limited.out.empty() || limited.out.back() == '\n');
        if (!limited.out.empty()) {
            EXPECT_NE(limited.out.find("ann: before\n"), std::string::npos);
            EXPECT_EQ(limited.out.find("ann: after"), std::string::npos);
            EXPECT_EQ(settings, test_support::ReadAll(m_folder / "tavrel.ini"));
        }
    }
}

}  // namespace
