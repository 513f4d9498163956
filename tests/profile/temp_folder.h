#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace profile_test {

// A fresh empty folder per test, removed with everything in it afterwards.
class TempFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (FolderBase() / "profile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::permissions(m_folder, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_folder, ignored);
    }

    // Where the folder is made: the system's temporary folder unless a test says otherwise.
    virtual std::filesystem::path FolderBase() const {
        return std::filesystem::temp_directory_path();
    }
    // Memory where the system has it: for tests that write the settings file, which every right
    // answer flushes to the disk, thousands of times.
    static std::filesystem::path InMemory() {
        std::error_code ec;
        if (std::filesystem::is_directory("/dev/shm", ec)) return "/dev/shm";
        return std::filesystem::temp_directory_path();
    }

    std::string PathOf(std::string_view name) const { return (m_folder / name).string(); }

    static void WriteFile(const std::string& path, std::string_view bytes) {
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::size_t EntriesInFolder() const {
        auto entries = std::filesystem::directory_iterator(m_folder);
        return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
    }

    std::filesystem::path m_folder;
};

// TMPDIR names `folder` while one lives, so that what a test makes there is its own to look at;
// the setting before comes back afterwards.
class TemporaryFolderSetting {
  public:
    explicit TemporaryFolderSetting(const std::filesystem::path& folder) {
        if (const char* before = std::getenv("TMPDIR")) m_before = before;
        ::setenv("TMPDIR", folder.c_str(), 1);
    }
    ~TemporaryFolderSetting() {
        if (m_before)
            ::setenv("TMPDIR", m_before->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }
    TemporaryFolderSetting(const TemporaryFolderSetting&) = delete;
    TemporaryFolderSetting& operator=(const TemporaryFolderSetting&) = delete;

  private:
    std::optional<std::string> m_before;
};

}  // namespace profile_test
