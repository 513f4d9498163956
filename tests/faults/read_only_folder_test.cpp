// The program's folder read-only: the program runs as a user who may not write there. No
// settings are written, nothing else appears in the folder, and the game plays as on a first
// start; a settings file that is there is read and left as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "common/word_list_file.h"
#include "tests/faults/fault_fixture.h"
#include "tests/support/run_helpers.h"
#include "tests/support/unprivileged.h"

namespace {

namespace fs = std::filesystem;

using test_support::RunCommand;
using test_support::Shell;

constexpr const char* kScript =
    "answer host\n"
    "wait 5\n"
    "menu Form4.mixlog\n"
    "click Form4.Command5\n"
    "choose words.log\n"
    "click Form4.Command1\n"
    "await tavrel log\n"
    "say bob: cat\n"
    "await tavrel log\n"
    "say bob: dog\n"
    "await answering\n";

class ReadOnlyFolderAsUser : public faults::FaultTest {
  protected:
    void SetUp() override {
        faults::FaultTest::SetUp();
        TAVREL_SKIP_UNLESS_PERMISSIONS_BIND();
        // The program beside this test program, wherever the two have been put.
        m_program = (fs::read_symlink("/proc/self/exe").parent_path() / "tavrel").string();
        fs::permissions(m_folder, fs::perms::owner_all | fs::perms::group_read |
                                      fs::perms::group_exec | fs::perms::others_read |
                                      fs::perms::others_exec);
        ASSERT_TRUE(WriteListFile(PathOf("words.log"), {"cat", "dog"}));
        m_script = (fs::temp_directory_path() /
                    ("tavrel-read-only-" + std::to_string(::getpid()) + ".script"))
                       .string();
        WriteFile(m_script, kScript);
        ::chmod(m_script.c_str(), 0644);
    }
    void TearDown() override {
        if (!m_script.empty()) fs::remove(m_script);
        faults::FaultTest::TearDown();
    }

    // Runs the script with the folder closed for writing, then opens it again.
    test_support::CommandRun RunReadOnly() {
        ::chmod(m_folder.c_str(), 0555);
        test_support::CommandRun run =
            RunCommand(Shell(m_program) + " --script " + Shell(m_script) + " --folder " +
                       Shell(m_folder.string()) + " 2>&1");
        ::chmod(m_folder.c_str(), 0755);
        return run;
    }

    std::string m_program;
    std::string m_script;
};

TEST_F(ReadOnlyFolderAsUser, TheGamePlaysAndNoSettingsAreWritten) {
    const test_support::CommandRun run = RunReadOnly();
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("loaded <b>1</b> times"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("<b>[ bob</b> in<b> "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("score:<b>2 ]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("answering<b> 100%</b> of the log"), std::string::npos) << run.out;
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"words.log"});
}

TEST_F(ReadOnlyFolderAsUser, StoredCountersAreShownAndLeftAsTheyWere) {
    const std::string stored =
        "[timesloaded]\r\ntimes=5\r\n[tavrel]\r\nscramble=41\r\n[completed]\r\nfinished=2\r\n";
    WriteFile(PathOf("tavrel.ini"), stored);
    ::chmod(PathOf("tavrel.ini").c_str(), 0444);

    const test_support::CommandRun run = RunReadOnly();
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("loaded <b>5</b> times"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("scrambled words: <b>41 ]</b><b> [</b> completed logs: <b>2 ]"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("answering<b> 100%</b> of the log"), std::string::npos) << run.out;
    EXPECT_EQ(ReadFile(PathOf("tavrel.ini")), stored);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"tavrel.ini", "words.log"}));
}

}  // namespace
