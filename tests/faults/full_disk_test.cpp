// Saves on a file system that has no room left: a small tmpfs that the test mounts for each row
// (only the superuser may; elsewhere the test is skipped). A save that does not fit is passed
// over, as every failed save is, and the old bytes stay whole, both on the road through a new
// file beside the old one and on the road into the file itself (a file with a second name).
// A file mounted on its own, which no rename may replace, is saved into the file itself.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/settings.h"
#include "common/word_list_file.h"
#include "companions/Form2.h"
#include "tests/companions/editor_fixture.h"

namespace {

namespace fs = std::filesystem;

// Files whose names start with a dot: a save's leftovers.
std::size_t Leftovers(const fs::path& folder) {
    std::size_t n = 0;
    for (const auto& item : fs::directory_iterator(folder))
        if (item.path().filename().string().rfind('.', 0) == 0) ++n;
    return n;
}

// Writes one file until the file system takes no more bytes.
void UseUpBlocks(const fs::path& folder) {
    const int fd = ::open((folder / "filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    const std::string block(4096, 'f');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
}

// Makes empty files until the file system takes no more.
void UseUpInodes(const fs::path& folder) {
    for (int n = 0;; ++n) {
        const int fd = ::open((folder / ("empty" + std::to_string(n))).c_str(),
                              O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            ASSERT_EQ(errno, ENOSPC);
            return;
        }
        ::close(fd);
    }
}

class SmallFileSystem : public editor_test::EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        if (::geteuid() != 0) GTEST_SKIP() << "only the superuser may mount a small file system";
        // In a mount namespace of the test's own, the file systems go with the process whatever
        // becomes of it; where none can be had they are unmounted by the test itself.
        if (::unshare(CLONE_NEWNS) == 0) ::mount("none", "/", "none", MS_REC | MS_PRIVATE, nullptr);
        // Where a file's own folder takes no copy of its old bytes, they go to the temporary
        // folder: one of the test's own, to be found empty after each save.
        m_temporary = m_folder / "tmp";
        fs::create_directory(m_temporary);
        m_temporary_setting.emplace(m_temporary);
    }

    // A tmpfs of 16 blocks of 4 KiB and 32 inodes at a fresh folder; false where none can be
    // mounted.
    bool Mount(const fs::path& at) {
        fs::create_directory(at);
        if (::mount("tavrel-small", at.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=64k,nr_inodes=32,mode=0755") == 0)
            return true;
        m_why_not = std::string("tmpfs cannot be mounted here: ") + std::strerror(errno);
        return false;
    }
    // Unmounts at the end of the row, however the row ends.
    struct Unmount {
        fs::path at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    };

    std::string m_why_not;
    fs::path m_temporary;
    std::optional<profile_test::TemporaryFolderSetting> m_temporary_setting;
};

TEST_F(SmallFileSystem, ASaveThatDoesNotFitLeavesTheOldBytesWhole) {
    // The old files take one block each; the new bytes need two.
    std::string old_settings =
        "[timesloaded]\r\ntimes=5\r\n[tavrel]\r\nscramble=41\r\n[filler]\r\n";
    while (old_settings.size() < 4000) old_settings += "f=" + std::string(90, 'f') + "\r\n";
    const std::string winner(700, 'w');
    std::vector<std::string> old_questions, new_questions;
    for (int n = 0; n < 170; ++n) old_questions.push_back("question " + std::to_string(n) + "?");
    for (int n = 0; n < 300; ++n) new_questions.push_back(std::string(20, 'Q'));
    std::string old_list;
    for (const std::string& q : old_questions) old_list += q + "\r\r\n";
    ASSERT_LT(old_list.size(), 4096u);

    struct Row {
        const char* what;
        bool quiz_list;    // the quiz-list editor's save, else the settings file's
        bool second_name;  // a hard link to the file, so that it is written in place
        bool no_block;     // no free block left before the save
        bool no_inode;     // no free inode left before the save
        bool saved;
    };
    const Row rows[] = {
        {"settings file, no free block", false, false, true, false, false},
        {"settings file, no free inode", false, false, false, true, false},
        {"settings file, no free block or inode", false, false, true, true, false},
        {"hard-linked settings file, no free block", false, true, true, false, false},
        {"hard-linked quiz list, no free block or inode", true, true, true, true, false},
        // The road in place still writes where the new bytes fit.
        {"hard-linked settings file, no free inode", false, true, false, true, true},
        {"hard-linked quiz list, room enough", true, true, false, false, true},
    };
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path at = m_folder / ("row" + std::to_string(n++));
        if (!Mount(at)) GTEST_SKIP() << m_why_not;
        const Unmount unmount{at};
        const fs::path file = at / (row.quiz_list ? "quiz.qz" : "tavrel.ini");
        const std::string& old_bytes = row.quiz_list ? old_list : old_settings;
        WriteFile(file.string(), old_bytes);
        if (row.second_name) fs::create_hard_link(file, at / "alias");
        if (row.no_block) UseUpBlocks(at);
        if (row.no_inode) UseUpInodes(at);

        std::string new_bytes;
        if (row.quiz_list) {
            Form2& editor = Open<Form2>("Form2");
            Fill(editor.List1, new_questions);
            host.message_boxes.clear();
            host.presses.push_back(forms::vbOK);  // "This file already exists: ..."
            host.choices.push_back(file.string());
            editor.Form2_Command6_Click();
            EXPECT_EQ(host.message_boxes.size(), 1u) << "a failed save ends without a message";
            for (const std::string& q : new_questions) new_bytes += q + "\r\r\n";
        } else {
            WriteIni("thewinner", "winner", winner, file.string());
            new_bytes = old_settings + "[thewinner]\r\nwinner=" + winner + "\r\n";
        }

        const std::string after = ReadFile(file.string());
        EXPECT_TRUE(after == (row.saved ? new_bytes : old_bytes))
            << (row.saved ? "the new bytes are not there" : "the old bytes are not whole")
            << ": the file holds " << after.size() << " bytes, beginning " << after.substr(0, 24);
        if (row.second_name) {
            EXPECT_TRUE(ReadFile((at / "alias").string()) == after) << "the names part";
        }
        EXPECT_EQ(Leftovers(at), 0u);
        EXPECT_TRUE(fs::is_empty(m_temporary));
    }
}

// The same mount namespace of the test's own, for a file mounted over another.
using MountedFile = SmallFileSystem;

TEST_F(MountedFile, IsSavedIntoItself) {
    struct Row {
        const char* what;
        bool word_list;  // a word list, else the settings file
    };
    const Row rows[] = {{"the settings file", false}, {"a word list", true}};
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path at = m_folder / ("row" + std::to_string(n++));
        fs::create_directories(at / "program");
        const fs::path source = at / "outside";
        const fs::path file = at / "program" / (row.word_list ? "words.log" : "tavrel.ini");
        WriteFile(source.string(), "[timesloaded]\r\ntimes=5\r\n");
        WriteFile(file.string(), "");
        if (::mount(source.c_str(), file.c_str(), "none", MS_BIND, nullptr) != 0)
            GTEST_SKIP() << "a file cannot be mounted here: " << std::strerror(errno);
        const Unmount unmount{file};

        std::string new_bytes;
        if (row.word_list) {
            EXPECT_TRUE(WriteListFile(file.string(), {"cat", "dog"}));
            new_bytes = "cat\r\r\ndog\r\r\n";
        } else {
            WriteIni("theuser", "user", "bob", file.string());
            new_bytes = "[timesloaded]\r\ntimes=5\r\n[theuser]\r\nuser=bob\r\n";
        }
        EXPECT_EQ(ReadFile(file.string()), new_bytes);
        EXPECT_EQ(ReadFile(source.string()), new_bytes) << "the mounted file was not written";
        EXPECT_EQ(Leftovers(at / "program"), 0u);
        EXPECT_TRUE(fs::is_empty(m_temporary));
    }
}

}  // namespace
