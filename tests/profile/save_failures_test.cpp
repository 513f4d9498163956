// Every step of a save made to fail in turn, as a failing disk or a failed allocation would: the
// old bytes stay whole under every name of the file, and nothing that the save made is left,
// neither beside the file nor in the temporary folder. Where the old bytes cannot even be put
// back, their copy stays and one line on standard error names it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "platform/profile/file_bytes.h"
#include "platform/profile/profile.h"
#include "tests/profile/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using profile::SaveFile;
using profile::SaveStep;

std::string NameOf(SaveStep step, SaveFile file) {
    const char* steps[] = {"write", "flush", "close"};
    const char* files[] = {"the new file", "the kept copy", "the file itself"};
    return std::string(steps[static_cast<int>(step)]) + " of " + files[static_cast<int>(file)];
}

std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(folder))
        names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Bytes of a given length that differ from place to place, so that a piece out of order shows.
std::string Bytes(std::size_t length, char salt) {
    std::string bytes;
    for (std::size_t n = 0; bytes.size() < length; ++n) bytes += salt + std::to_string(n) + "\r\n";
    bytes.resize(length);
    return bytes;
}

class SaveFailures : public profile_test::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        fs::create_directory(m_folder / "files");
        fs::create_directory(m_folder / "tmp");
        m_temporary.emplace(m_folder / "tmp");
        m_path = (m_folder / "files" / "list.log").string();
    }

    // Lays the old file out afresh, with a second name where the road is in place.
    void LayOut(const std::string& old_bytes, bool second_name) {
        fs::remove_all(m_folder / "files");
        fs::create_directory(m_folder / "files");
        WriteFile(m_path, old_bytes);
        if (second_name) fs::create_hard_link(m_path, m_folder / "files" / "alias.log");
    }
    std::vector<std::string> Names(bool second_name) const {
        if (second_name) return {"alias.log", "list.log"};
        return {"list.log"};
    }

    std::string m_path;
    std::optional<profile_test::TemporaryFolderSetting> m_temporary;
};

// A failure is an error the system reports, or an exception out of the middle of the save.
enum class Failure { kInputOutput, kNoSpace, kException };

TEST_F(SaveFailures, EveryFailingStepLeavesTheOldBytesWhole) {
    // Several pieces each way, so that a failure can come with part of the bytes written.
    const std::string old_bytes = Bytes(150 * 1024, 'o');
    const std::string new_bytes = Bytes(200 * 1024, 'n');
    struct Row {
        const char* what;
        bool second_name;  // the file has a hard link, so its bytes are written in place
        Failure failure;
    };
    const Row rows[] = {
        {"a new file, an I/O error", false, Failure::kInputOutput},
        {"a new file, no space", false, Failure::kNoSpace},
        {"a new file, an exception", false, Failure::kException},
        {"in place, an I/O error", true, Failure::kInputOutput},
        {"in place, no space", true, Failure::kNoSpace},
        {"in place, an exception", true, Failure::kException},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<std::string> failed_steps;
        for (int fail_at = 0;; ++fail_at) {
            LayOut(old_bytes, row.second_name);
            int steps = 0;
            std::string failed;
            const profile::SaveSeams seams{.failing = [&](SaveStep step, SaveFile file) {
                if (steps++ != fail_at) return 0;
                failed = NameOf(step, file);
                if (row.failure == Failure::kException) throw std::bad_alloc();
                return row.failure == Failure::kNoSpace ? ENOSPC : EIO;
            }};
            testing::internal::CaptureStderr();
            bool saved = false;
            bool thrown = false;
            try {
                saved = profile::ReplaceFileBytes(m_path, new_bytes, seams);
            } catch (const std::bad_alloc&) {
                thrown = true;
            }
            const std::string said = testing::internal::GetCapturedStderr();
            if (failed.empty()) {
                // Every step has been failed once; without a failure the save goes through.
                EXPECT_TRUE(saved);
                EXPECT_TRUE(ReadFile(m_path) == new_bytes) << "the new bytes are not there";
                EXPECT_EQ(NamesIn(m_folder / "files"), Names(row.second_name));
                break;
            }
            SCOPED_TRACE("failing at the " + failed);
            failed_steps.push_back(failed);
            EXPECT_FALSE(saved);
            EXPECT_EQ(thrown, row.failure == Failure::kException);
            EXPECT_TRUE(ReadFile(m_path) == old_bytes) << "the old bytes are not whole";
            if (row.second_name) {
                EXPECT_TRUE(ReadFile((m_folder / "files" / "alias.log").string()) == old_bytes)
                    << "the names part";
            }
            EXPECT_EQ(NamesIn(m_folder / "files"), Names(row.second_name));
            EXPECT_TRUE(fs::is_empty(m_folder / "tmp"));
            EXPECT_EQ(said, "");
        }
        // Each road fails at each of its files' steps; in place, also after some bytes changed.
        const auto failed_at = [&failed_steps](const std::string& step) {
            return std::find(failed_steps.begin(), failed_steps.end(), step) != failed_steps.end();
        };
        for (const char* step : {"write", "flush", "close"}) {
            EXPECT_TRUE(failed_at(std::string(step) + " of the new file") || row.second_name)
                << step;
            EXPECT_TRUE(failed_at(std::string(step) + " of the file itself") || !row.second_name)
                << step;
        }
        EXPECT_TRUE(!row.second_name || std::count(failed_steps.begin(), failed_steps.end(),
                                                   "write of the file itself") > 1)
            << "no failure came part-way through the bytes";
    }
}

// The old bytes cannot be put back either: their copy stays beside the file, where one line on
// standard error says it is.
TEST_F(SaveFailures, OldBytesThatCannotBePutBackStayInTheirCopy) {
    const std::string old_bytes = Bytes(100 * 1024, 'o');
    LayOut(old_bytes, true);
    bool flushed = false;
    const profile::SaveSeams seams{.failing = [&](SaveStep step, SaveFile file) {
        if (file != SaveFile::kItself) return 0;
        // The first flush of the new bytes fails, and so does every write after it.
        if (step == SaveStep::kFlush && !flushed) return flushed = true, EIO;
        return flushed && step == SaveStep::kWrite ? EIO : 0;
    }};
    testing::internal::CaptureStderr();
    EXPECT_FALSE(profile::ReplaceFileBytes(m_path, Bytes(120 * 1024, 'n'), seams));
    const std::string said = testing::internal::GetCapturedStderr();

    std::vector<std::string> names = NamesIn(m_folder / "files");
    ASSERT_EQ(names.size(), 3u);
    const std::string copy = names[0];
    EXPECT_EQ(copy.rfind(".tavrel-old-", 0), 0u) << copy;
    EXPECT_EQ(copy.size(), std::string(".tavrel-old-").size() + 8) << copy;
    const fs::path copy_path = fs::canonical(m_folder / "files") / copy;
    EXPECT_EQ(said,
              "tavrel: a save failed and the old bytes could not be put back; they are kept in " +
                  copy_path.string() + "\n");
    EXPECT_TRUE(ReadFile(copy_path.string()) == old_bytes) << "the copy is not whole";
    struct stat info {};
    ASSERT_EQ(::stat(copy_path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_TRUE(fs::is_empty(m_folder / "tmp"));
}

// Files that earlier saves left when they were killed, whatever their names, never stand in a
// save's way: the settings file is saved beside them on each road.
TEST_F(SaveFailures, LeftoversNeverBlockASave) {
    for (bool second_name : {false, true}) {
        SCOPED_TRACE(second_name ? "in place" : "a new file");
        LayOut("[tavrel]\r\nscramble=1\r\n", second_name);
        const fs::path files = m_folder / "files";
        for (int n = 0; n < 100; ++n) {
            WriteFile((files / (".tavrel-" + std::to_string(::getpid()) + "-" + std::to_string(n)))
                          .string(),
                      "stale");
            WriteFile((files / (".tavrel-" + std::to_string(n))).string(), "stale");
        }
        WriteFile((files / ".tavrel-old-").string(), "stale");
        ASSERT_TRUE(profile::WritePrivateProfileStringA("tavrel", "scramble", "2", m_path.c_str()));
        EXPECT_EQ(ReadFile(m_path), "[tavrel]\r\nscramble=2\r\n");
        EXPECT_EQ(NamesIn(files).size(), 201u + (second_name ? 2u : 1u));
    }
}

}  // namespace
