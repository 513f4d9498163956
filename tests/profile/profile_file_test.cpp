#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/profile/file_bytes.h"
#include "platform/profile/path_walk.h"
#include "platform/profile/profile.h"
#include "tests/profile/temp_folder.h"
#include "tests/support/unprivileged.h"

namespace {

using profile::GetPrivateProfileStringA;
using profile::WritePrivateProfileStringA;

class ProfileFile : public profile_test::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        m_path = PathOf("tavrel.ini");
    }

    std::string Read(const char* section, const char* key, const char* default_value = "") {
        char buffer[750] = {};
        const unsigned length = GetPrivateProfileStringA(section, key, default_value, buffer,
                                                         sizeof buffer, m_path.c_str());
        EXPECT_EQ(length, std::strlen(buffer));
        return std::string(buffer, length);
    }

    std::string m_path;
};

TEST_F(ProfileFile, MissingFileGivesTheDefault) {
    EXPECT_EQ(Read("tavrel", "scramble"), "");
    EXPECT_EQ(Read("tavrel", "scramble", "none"), "none");
    EXPECT_EQ(Read("tavrel", "scramble", nullptr), "");
    EXPECT_FALSE(std::filesystem::exists(m_path));
}

TEST_F(ProfileFile, CutsTheValueToTheBuffer) {
    WriteFile(m_path, "[thewinner]\r\nwinner=" + std::string(800, 'w') + "\r\n");
    EXPECT_EQ(Read("thewinner", "winner"), std::string(749, 'w'));

    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(GetPrivateProfileStringA("thewinner", "winner", "", small, 4, m_path.c_str()), 3u);
    EXPECT_STREQ(small, "www");
    EXPECT_EQ(GetPrivateProfileStringA("thewinner", "winner", "", small, 1, m_path.c_str()), 0u);
    EXPECT_EQ(small[0], '\0');
    small[0] = 'x';
    EXPECT_EQ(GetPrivateProfileStringA("thewinner", "winner", "", small, 0, m_path.c_str()), 0u);
    EXPECT_EQ(small[0], 'x');
    EXPECT_EQ(GetPrivateProfileStringA("missing", "winner", "default", small, 4, m_path.c_str()),
              3u);
    EXPECT_STREQ(small, "def");
}

TEST_F(ProfileFile, FirstWriteCreatesTheFileAndLaterOnesEditIt) {
    ASSERT_TRUE(WritePrivateProfileStringA("tavrel", "scramble", "1", m_path.c_str()));
    EXPECT_EQ(ReadFile(m_path), "[tavrel]\r\nscramble=1\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("timesloaded", "times", "2", m_path.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("TAVREL", "Scramble", "2", m_path.c_str()));
    EXPECT_EQ(ReadFile(m_path), "[tavrel]\r\nScramble=2\r\n[timesloaded]\r\ntimes=2\r\n");
    EXPECT_EQ(Read("tavrel", "scramble"), "2");
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(ProfileFile, WriteKeepsThePermissionBits) {
    WriteFile(m_path, "[tavrel]\nscramble=1\n");
    ASSERT_EQ(::chmod(m_path.c_str(), 0640), 0);
    ASSERT_TRUE(WritePrivateProfileStringA("tavrel", "scramble", "2", m_path.c_str()));
    struct stat info {};
    ASSERT_EQ(::stat(m_path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(ProfileFile, ANewFileGetsThePermissionBitsOfTheUmask) {
    const mode_t before = ::umask(022);
    for (mode_t mask : {022, 077, 0}) {
        ::umask(mask);
        std::filesystem::remove(m_path);
        ASSERT_TRUE(WritePrivateProfileStringA("tavrel", "scramble", "1", m_path.c_str()));
        struct stat info {};
        ASSERT_EQ(::stat(m_path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0666u & ~mask) << mask;
    }
    ::umask(before);
}

TEST_F(ProfileFile, WriteThroughALinkReplacesTheLinkedFile) {
    const std::string target = PathOf("real.ini");
    WriteFile(target, "[tavrel]\nscramble=1\n");
    std::filesystem::create_symlink(target, m_path);
    ASSERT_TRUE(WritePrivateProfileStringA("tavrel", "scramble", "2", m_path.c_str()));
    EXPECT_TRUE(std::filesystem::is_symlink(m_path));
    EXPECT_EQ(ReadFile(target), "[tavrel]\nscramble=2\n");
}

TEST_F(ProfileFile, RefusedValueLeavesTheFileAsItWas) {
    const std::string before = "[thewinner]\r\nwinner=old\r\n";
    WriteFile(m_path, before);
    EXPECT_FALSE(
        WritePrivateProfileStringA("thewinner", "winner", "a\r\n[x]\r\ny=1", m_path.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringA("thewinner", nullptr, "v", m_path.c_str()));
    EXPECT_EQ(ReadFile(m_path), before);
}

// Odd things at the settings path: reads give the default, writes fail, nothing crashes.
TEST_F(ProfileFile, FolderAtThePathReadsEmptyAndIsNotWritten) {
    std::filesystem::create_directory(m_path);
    EXPECT_EQ(Read("tavrel", "scramble", "d"), "d");
    EXPECT_FALSE(WritePrivateProfileStringA("tavrel", "scramble", "1", m_path.c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(m_path));
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(ProfileFile, MissingFolderIsNotWritten) {
    m_path = PathOf("gone/tavrel.ini");
    EXPECT_FALSE(WritePrivateProfileStringA("tavrel", "scramble", "1", m_path.c_str()));
    EXPECT_EQ(Read("tavrel", "scramble"), "");
}

class ProfileFileAsUser : public ProfileFile {
  protected:
    void SetUp() override {
        ProfileFile::SetUp();
        TAVREL_SKIP_UNLESS_PERMISSIONS_BIND();
    }
};

// A file the user may not write is left as it is; a writable file in a folder that takes no new
// file is written in place; a long name needs no longer temporary one.
TEST_F(ProfileFileAsUser, WritesOnlyWhereTheUserMay) {
    struct Row {
        const char* what;
        std::string name;  // the settings file's name
        int file_mode;     // -1: no file before the write
        int folder_mode;
        bool through_link;  // the path is a link to the file
        bool written;
    };
    const Row rows[] = {
        {"a read-only file", "tavrel.ini", 0444, 0755, false, false},
        {"a link to a read-only file", "tavrel.ini", 0444, 0755, true, false},
        {"a file the user may not read", "tavrel.ini", 0, 0755, false, false},
        {"a writable file in a read-only folder", "tavrel.ini", 0644, 0555, false, true},
        {"a link to a writable file in a read-only folder", "tavrel.ini", 0644, 0555, true, true},
        {"no file in a read-only folder", "tavrel.ini", -1, 0555, false, false},
        {"a 255-character name", std::string(251, 'n') + ".ini", 0644, 0755, false, true},
    };
    const std::string before = "[tavrel]\nscramble=1\n";
    // A file written in place in a read-only folder keeps its old bytes in the temporary folder
    // meanwhile.
    const std::filesystem::path temporary = m_folder / "tmp";
    std::filesystem::create_directory(temporary);
    const profile_test::TemporaryFolderSetting temporary_setting(temporary);
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::filesystem::path at = m_folder / ("row" + std::to_string(n++));
        std::filesystem::create_directory(at);
        const std::string file = (at / row.name).string();
        const std::string path = row.through_link ? (at / "link.ini").string() : file;
        if (row.file_mode >= 0) {
            WriteFile(file, before);
            ASSERT_EQ(::chmod(file.c_str(), static_cast<mode_t>(row.file_mode)), 0);
        }
        if (row.through_link) std::filesystem::create_symlink(row.name, path);
        ASSERT_EQ(::chmod(at.c_str(), static_cast<mode_t>(row.folder_mode)), 0);

        EXPECT_EQ(WritePrivateProfileStringA("tavrel", "scramble", "2", path.c_str()), row.written);
        if (row.through_link) {
            EXPECT_TRUE(std::filesystem::is_symlink(path));
        }

        ASSERT_EQ(::chmod(at.c_str(), 0755), 0);
        if (row.file_mode < 0) {
            EXPECT_FALSE(std::filesystem::exists(file));
        } else {
            ::chmod(file.c_str(), 0644);
            EXPECT_EQ(ReadFile(file), row.written ? "[tavrel]\nscramble=2\n" : before);
        }
        std::size_t entries = 0;
        for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator(at)) ++entries;
        EXPECT_EQ(entries, (row.file_mode >= 0 ? 1u : 0u) + (row.through_link ? 1u : 0u));
        EXPECT_TRUE(std::filesystem::is_empty(temporary));
    }
}

TEST_F(ProfileFileAsUser, AFileTheUserMayNotReadReadsAsMissing) {
    WriteFile(m_path, "[tavrel]\nscramble=1\n");
    ASSERT_EQ(::chmod(m_path.c_str(), 0), 0);
    EXPECT_EQ(Read("tavrel", "scramble", "d"), "d");
}

TEST_F(ProfileFile, BinaryBytesReadAsTheFormatYields) {
    std::string noise;
    for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 131 + 7) % 256);
    // The NUL after the value ends it, as it ends any C string.
    constexpr char kSection[] = "\n[tavrel]\nscramble=5\0six\n";
    WriteFile(m_path, noise + std::string(kSection, sizeof kSection - 1) + noise);
    EXPECT_EQ(Read("tavrel", "scramble"), "5");
    ASSERT_TRUE(WritePrivateProfileStringA("theuser", "user", "bob", m_path.c_str()));
    EXPECT_EQ(Read("theuser", "user"), "bob");
    EXPECT_EQ(Read("tavrel", "scramble"), "5");
}

TEST_F(ProfileFile, TenMegabyteFileStillWorks) {
    std::string big = "[filler]\n";
    while (big.size() < 10 * 1024 * 1024) big += "key" + std::to_string(big.size()) + "=value\n";
    big += "[tavrel]\nscramble=7\n";
    WriteFile(m_path, big);
    EXPECT_EQ(Read("tavrel", "scramble"), "7");
    ASSERT_TRUE(WritePrivateProfileStringA("tavrel", "scramble", "8", m_path.c_str()));
    EXPECT_EQ(Read("tavrel", "scramble"), "8");
    EXPECT_EQ(std::filesystem::file_size(m_path), big.size());
}

TEST_F(ProfileFile, OversizedFileIsNeitherReadNorReplaced) {
    WriteFile(m_path, "[tavrel]\nscramble=7\n");
    std::filesystem::resize_file(m_path, profile::kMaxFileBytes + 1);
    EXPECT_EQ(Read("tavrel", "scramble"), "");
    EXPECT_FALSE(WritePrivateProfileStringA("tavrel", "scramble", "8", m_path.c_str()));
    EXPECT_EQ(std::filesystem::file_size(m_path), profile::kMaxFileBytes + 1);
}

class ProfileReplace : public ProfileFile {};

TEST_F(ProfileReplace, FailureBeforeRenameKeepsTheOldFileAndCleansUp) {
    const std::string before = "[tavrel]\r\nscramble=1\r\n";
    WriteFile(m_path, before);
    bool asked = false;
    EXPECT_FALSE(profile::ReplaceFileBytes(m_path, "half", {.before_replacing = [&] {
                                               asked = true;
                                               return false;
                                           }}));
    EXPECT_TRUE(asked);
    EXPECT_EQ(ReadFile(m_path), before);
    EXPECT_EQ(EntriesInFolder(), 1u);
}

// Run by the superuser over another user's file, a write leaves the file that user's.
TEST_F(ProfileReplace, KeepsTheOwnerOfAnotherUsersFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "only the superuser can give a file to another user";
    WriteFile(m_path, "[tavrel]\nscramble=1\n");
    ASSERT_EQ(::chown(m_path.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(m_path.c_str(), 0640), 0);
    ASSERT_TRUE(WritePrivateProfileStringA("tavrel", "scramble", "2", m_path.c_str()));
    struct stat info {};
    ASSERT_EQ(::stat(m_path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFile(m_path), "[tavrel]\nscramble=2\n");
    EXPECT_EQ(EntriesInFolder(), 1u);
}

// Links in a sticky folder that anyone may write to are followed only as the kernel's rule for
// such folders would follow them: links of the user or of the folder's owner. Only the superuser
// can give links to other users, so the rows need it; the rule binds the superuser as well.
TEST_F(ProfileReplace, LinksInSharedFoldersAreFollowedAsTheKernelWould) {
    if (::geteuid() != 0) GTEST_SKIP() << "only the superuser can give links to other users";
    constexpr uid_t kFolderOwner = 65534;
    constexpr uid_t kStranger = 4242;
    struct Row {
        const char* what;
        mode_t folder_mode;  // of the folder that holds the link
        uid_t link_owner;
        bool through_second_link;  // the save's path is a plain folder's link to that link
        bool followed;
    };
    const Row rows[] = {
        {"a stranger's link in a sticky folder anyone may write", 01777, kStranger, false, false},
        {"the same, reached through a link of the user's", 01777, kStranger, true, false},
        {"the user's own link there", 01777, 0, false, true},
        {"the folder owner's link there", 01777, kFolderOwner, false, true},
        {"a stranger's link in a sticky folder only its owner writes", 01755, kStranger, false,
         true},
        {"a stranger's link in a folder anyone may write, not sticky", 0777, kStranger, false,
         true},
    };
    const std::string before = "[tavrel]\nscramble=1\n";
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::filesystem::path at = m_folder / ("row" + std::to_string(n++));
        const std::filesystem::path shared = at / "shared";
        std::filesystem::create_directories(shared);
        const std::string target = (at / "real.ini").string();
        WriteFile(target, before);
        const std::filesystem::path link = shared / "tavrel.ini";
        std::filesystem::create_symlink(target, link);
        ASSERT_EQ(::lchown(link.c_str(), row.link_owner, row.link_owner), 0);
        ASSERT_EQ(::chown(shared.c_str(), kFolderOwner, kFolderOwner), 0);
        ASSERT_EQ(::chmod(shared.c_str(), row.folder_mode), 0);
        std::filesystem::path path = link;
        if (row.through_second_link) {
            path = at / "tavrel.ini";
            std::filesystem::create_symlink(link, path);
        }

        EXPECT_EQ(WritePrivateProfileStringA("tavrel", "scramble", "2", path.c_str()),
                  row.followed);
        EXPECT_EQ(ReadFile(target), row.followed ? "[tavrel]\nscramble=2\n" : before);
        EXPECT_TRUE(std::filesystem::is_symlink(link));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(shared),
                                std::filesystem::directory_iterator()),
                  1);
    }
}

// What `work` gives, run in a child that takes on the ids of the user `uid`; nothing where they
// cannot be had. The child ends by starting another program, so that no exit handling of the test
// program (a memory checker's among them) runs there.
std::optional<bool> AsUser(uid_t uid, const std::function<bool()>& work) {
    int result[2] = {-1, -1};
    if (::pipe(result) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(result[0]);
        const char done = ::setgroups(0, nullptr) != 0 || ::setgid(uid) != 0 || ::setuid(uid) != 0
                              ? '?'
                          : work() ? 'y'
                                   : 'n';
        [[maybe_unused]] const ssize_t written = ::write(result[1], &done, 1);
        ::execl("/bin/true", "true", static_cast<char*>(nullptr));
        ::_exit(0);
    }
    ::close(result[1]);
    char done = '?';
    if (child < 0 || ::read(result[0], &done, 1) != 1) done = '?';
    ::close(result[0]);
    if (child > 0) ::waitpid(child, nullptr, 0);
    if (done == '?') return std::nullopt;
    return done == 'y';
}

// Every link on the way to a file that is saved, or to the folder that a fresh folder is made in,
// is followed only as the kernel's rule for shared folders would follow it, at whatever step it
// stands: the last one, one in the middle, or the folder itself. The save is an unprivileged
// user's (a child that takes on that user's ids, so the test needs the superuser to start); a
// stranger's link in a sticky folder that anyone may write to is refused, the user's own link
// there is followed.
TEST_F(ProfileReplace, LinksOnEveryStepAreFollowedOnlyAsTheRuleAllows) {
    if (::geteuid() != 0) GTEST_SKIP() << "only the superuser can give links to other users";
    constexpr uid_t kUser = 4243;
    constexpr uid_t kStranger = 4242;
    enum class Save { kSettings, kList, kFolder };
    struct Row {
        const char* what;
        Save save;
        const char* link;    // in the shared folder
        const char* target;  // in the user's own folder
        const char* path;    // what the user saves, or makes a folder in; in the shared folder
        uid_t link_owner;
        bool followed;
    };
    const Row rows[] = {
        {"a stranger's link as the last step", Save::kList, "evil", "list.log", "evil", kStranger,
         false},
        {"a stranger's link as a middle step, a list", Save::kList, "evil", ".", "evil/list.log",
         kStranger, false},
        {"a stranger's link as a middle step, the settings file", Save::kSettings, "evil", ".",
         "evil/tavrel.ini", kStranger, false},
        {"a stranger's link as the folder itself", Save::kFolder, "evil", ".", "evil", kStranger,
         false},
        {"the user's link as the last step", Save::kList, "mine", "list.log", "mine", kUser, true},
        {"the user's link as a middle step, a list", Save::kList, "mine", ".", "mine/list.log",
         kUser, true},
        {"the user's link as a middle step, the settings file", Save::kSettings, "mine", ".",
         "mine/tavrel.ini", kUser, true},
        {"the user's link as the folder itself", Save::kFolder, "mine", ".", "mine", kUser, true},
    };
    const std::string before = "[tavrel]\nscramble=1\n";
    const std::string after = "[tavrel]\nscramble=2\n";
    ASSERT_EQ(::chmod(m_folder.c_str(), 0755), 0);
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::filesystem::path at = m_folder / ("row" + std::to_string(n++));
        const std::filesystem::path shared = at / "shared";
        const std::filesystem::path own = at / "own";
        std::filesystem::create_directories(shared);
        std::filesystem::create_directories(own);
        // Set, not left to the umask: the user must get through to the folders.
        ASSERT_EQ(::chmod(at.c_str(), 0755), 0);
        ASSERT_EQ(::chmod(own.c_str(), 0755), 0);
        ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
        for (const char* name : {"list.log", "tavrel.ini"})
            WriteFile((own / name).string(), before);
        for (const auto& item : std::filesystem::recursive_directory_iterator(own))
            ASSERT_EQ(::chown(item.path().c_str(), kUser, kUser), 0);
        ASSERT_EQ(::chown(own.c_str(), kUser, kUser), 0);
        const std::filesystem::path link = shared / row.link;
        std::filesystem::create_symlink(own / row.target, link);
        ASSERT_EQ(::lchown(link.c_str(), row.link_owner, row.link_owner), 0);
        const std::string path = (shared / row.path).string();

        const std::optional<bool> done = AsUser(kUser, [&] {
            switch (row.save) {
                case Save::kSettings:
                    return WritePrivateProfileStringA("tavrel", "scramble", "2", path.c_str());
                case Save::kList:
                    return profile::ReplaceFileBytes(path, after);
                case Save::kFolder:
                    return profile::MakeOwnFolder(path, "made-").has_value();
            }
            return false;
        });
        ASSERT_TRUE(done.has_value()) << "the user's ids could not be had";
        EXPECT_EQ(*done, row.followed);
        const bool list = row.save == Save::kList;
        EXPECT_EQ(ReadFile((own / "list.log").string()), list && row.followed ? after : before);
        const bool settings = row.save == Save::kSettings;
        EXPECT_EQ(ReadFile((own / "tavrel.ini").string()),
                  settings && row.followed ? after : before);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(own),
                                std::filesystem::directory_iterator()),
                  row.save == Save::kFolder && row.followed ? 3 : 2);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(shared),
                                std::filesystem::directory_iterator()),
                  1);
    }
}

using ProfileReplaceDeathTest = ProfileReplace;

// The new file is the user's alone until its bytes are complete: a process stopped part-way
// through them (here by the file size limit) leaves it readable by nobody else.
TEST_F(ProfileReplaceDeathTest, TheNewFileIsTheUsersAloneUntilItsBytesAreComplete) {
    GTEST_FLAG_SET(death_test_style, "fast");
    const std::string before = "[tavrel]\r\nscramble=1\r\n";
    WriteFile(m_path, before);
    ASSERT_EQ(::chmod(m_path.c_str(), 0644), 0);
    const auto save_past_the_limit = [this] {
        // Whatever the test was started with, the signal has its default action here.
        ::signal(SIGXFSZ, SIG_DFL);
        const struct rlimit no_core { 0, 0 };
        ::setrlimit(RLIMIT_CORE, &no_core);
        const struct rlimit four_kib { 4096, 4096 };
        ::setrlimit(RLIMIT_FSIZE, &four_kib);
        profile::ReplaceFileBytes(m_path, std::string(8192, 'x'));
    };
    EXPECT_EXIT(save_past_the_limit(), ::testing::KilledBySignal(SIGXFSZ), "");

    EXPECT_EQ(ReadFile(m_path), before);
    std::size_t stopped = 0;
    for (const auto& item : std::filesystem::directory_iterator(m_folder)) {
        if (item.path() == m_path) continue;
        ++stopped;
        struct stat info {};
        ASSERT_EQ(::stat(item.path().c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0600u) << item.path();
        EXPECT_EQ(info.st_size, 4096);
    }
    EXPECT_EQ(stopped, 1u);
}

// A signal that would end the program while a save is under way waits until the save is done:
// the file then holds the new bytes, on the road through a new file and on the road in place.
TEST_F(ProfileReplaceDeathTest, AnEndingSignalWaitsForTheSaveToFinish) {
    GTEST_FLAG_SET(death_test_style, "fast");
    struct Row {
        const char* what;
        int signal;
        bool second_name;  // a hard link, so that the bytes go into the file itself
    };
    for (const Row& row :
         {Row{"SIGTERM, a new file", SIGTERM, false}, Row{"SIGINT, in place", SIGINT, true},
          Row{"SIGHUP, in place", SIGHUP, true}}) {
        SCOPED_TRACE(row.what);
        WriteFile(m_path, "[tavrel]\r\nscramble=1\r\n");
        const std::string alias = PathOf("alias.ini");
        if (row.second_name) std::filesystem::create_hard_link(m_path, alias);
        const std::string after(100000, 'n');
        // The signal has its default action in the child, whatever the test was started with
        // (nohup and a shell's background jobs start it with SIGHUP or SIGINT ignored).
        const auto save_signalled = [&] {
            ::signal(row.signal, SIG_DFL);
            profile::ReplaceFileBytes(m_path, after, {.before_replacing = [&row] {
                                          std::raise(row.signal);
                                          return true;
                                      }});
        };
        EXPECT_EXIT(save_signalled(), ::testing::KilledBySignal(row.signal), "");
        EXPECT_TRUE(ReadFile(m_path) == after) << "the save was cut short";
        EXPECT_EQ(EntriesInFolder(), row.second_name ? 2u : 1u);
        std::filesystem::remove(alias);
    }
}

TEST_F(ProfileReplaceDeathTest, KillBeforeRenameLosesNothing) {
    // The child must share this test's folder, so it is forked rather than started afresh.
    GTEST_FLAG_SET(death_test_style, "fast");
    const std::string before = "[tavrel]\r\nscramble=1\r\n[theuser]\r\nuser=bob\r\n";
    WriteFile(m_path, before);
    EXPECT_EXIT(profile::ReplaceFileBytes(m_path, "[tavrel]\r\nscramble=2\r\n",
                                          {.before_replacing =
                                               [] {
                                                   std::raise(SIGKILL);
                                                   return true;
                                               }}),
                ::testing::KilledBySignal(SIGKILL), "");

    // The killed write left its temporary file behind, as README says it is named, and the old
    // file whole.
    EXPECT_EQ(EntriesInFolder(), 2u);
    for (const auto& item : std::filesystem::directory_iterator(m_folder)) {
        const std::string name = item.path().filename().string();
        if (item.path() == m_path) continue;
        EXPECT_EQ(name.rfind(".tavrel-", 0), 0u) << name;
        EXPECT_EQ(name.size(), std::string(".tavrel-").size() + 8) << name;
    }
    EXPECT_EQ(ReadFile(m_path), before);
    EXPECT_EQ(Read("tavrel", "scramble"), "1");

    // The leftover stands in no later save's way.
    ASSERT_TRUE(WritePrivateProfileStringA("tavrel", "scramble", "2", m_path.c_str()));
    EXPECT_EQ(Read("tavrel", "scramble"), "2");
    EXPECT_EQ(Read("theuser", "user"), "bob");
}

}  // namespace
