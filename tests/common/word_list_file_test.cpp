#include "common/word_list_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/profile/file_bytes.h"
#include "platform/text/text.h"

namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

class TempDir {
  public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "tavrel-lists-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make a temporary folder";
        m_path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& item : fs::directory_iterator(m_path))
            found.push_back(item.path().filename().string());
        return found;
    }

  private:
    fs::path m_path;
};

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Lines ReadLines(const std::string& path, bool* ok = nullptr) {
    Lines lines;
    bool read = ReadListFile(path, [&lines](const std::string& line) { lines.push_back(line); });
    if (ok) *ok = read;
    return lines;
}

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& item : fs::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

TEST(SplitListLines, FollowsTheLineRules) {
    struct Case {
        std::string bytes;
        Lines lines;
    };
    for (const auto& [bytes, lines] : {
             Case{"", {}},
             Case{"apple\r\r\nbig cat\r\r\n", {"apple", "big cat"}},
             Case{"a\nb\nc\n", {"a", "b", "c"}},
             Case{"Mixed Case \r\n  \r\n", {"Mixed Case ", "  "}},
             Case{"first\r\nlast", {"first", "last"}},
             Case{"a\rb\r", {"a", "b"}},
             Case{"\r\n\r\n\r\r\r", {}},
             Case{"a\r\n\nb", {"a", "b"}},
             Case{"a\r\r\n\nb", {"a", "b"}},
             Case{"a\n\rb\n\n", {"a", "b"}},
             Case{"\n", {}},
             Case{"\n\r\n", {}},
             Case{"a\0b\r\xE9\xFF\r"s, {"a", "\xE9\xFF"}},
             Case{"\0ab\r\nc\0\n"s, {"c"}},
         }) {
        EXPECT_EQ(SplitListLines(bytes), lines) << testing::PrintToString(bytes);
    }
}

TEST(SplitListLines, GivesTheSameLinesWhateverTheChunks) {
    const std::string bytes = "one\r\ntwo\r\r\n\nthree\rfour\n\r\n\r\rfive"s;
    Lines whole = SplitListLines(bytes);
    for (std::size_t size = 1; size <= bytes.size(); ++size) {
        Lines pieces;
        ListLineSplitter splitter([&pieces](const std::string& line) { pieces.push_back(line); });
        for (std::size_t at = 0; at < bytes.size(); at += size)
            splitter.feed(std::string_view(bytes).substr(at, size));
        splitter.finish();
        EXPECT_EQ(pieces, whole) << size;
    }
}

TEST(ReadListFile, LoadsEachEntryOfAWrittenFileOnce) {
    TempDir dir;
    std::string path = dir.file("words.log");
    WriteBytes(path, "apple\r\r\nbig cat\r\r\n Trailing \r\r\n");
    bool ok = false;
    EXPECT_EQ(ReadLines(path, &ok), (Lines{"apple", "big cat", " Trailing "}));
    EXPECT_TRUE(ok);
}

// The same list saved by any editor of any system: each line end, and a mix of them.
TEST(ReadListFile, ReadsTheSameEntriesWhateverTheLineEnds) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"line feeds", "apple\npear\n\nbig cat\n"},
        {"line feeds, the last line open", "apple\npear\nbig cat"},
        {"carriage returns", "apple\rpear\r\rbig cat\r"},
        {"CR LF", "apple\r\npear\r\n\r\nbig cat\r\n"},
        {"CR CR LF, as this program writes", "apple\r\r\npear\r\r\nbig cat\r\r\n"},
        {"mixed", "apple\r\npear\n\rbig cat\r\r\n\n"},
    };
    TempDir dir;
    const std::string path = dir.file("words.log");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(path, c.bytes);
        bool ok = false;
        EXPECT_EQ(ReadLines(path, &ok), (Lines{"apple", "pear", "big cat"}));
        EXPECT_TRUE(ok);
    }
}

TEST(ReadListFile, FailsOnFilesItCannotReadKeepingWhatItRead) {
    TempDir dir;
    bool ok = true;
    EXPECT_TRUE(ReadLines(dir.file("missing.log"), &ok).empty());
    EXPECT_FALSE(ok);

    fs::create_directory(dir.file("folder.log"));
    int before = OpenDescriptors();
    ok = true;
    EXPECT_TRUE(ReadLines(dir.file("folder.log"), &ok).empty());
    EXPECT_FALSE(ok);
    EXPECT_EQ(OpenDescriptors(), before);
}

// Nothing but a regular file of at most the cap is read, and none of these holds the reader up:
// it fails at once, as for a file that cannot be opened, with no line handed over. Each read
// runs in a child process that an alarm ends should it ever wait or read without end.
TEST(ReadListFileDeathTest, RefusesPipesDevicesAndOversizedFilesAtOnce) {
    GTEST_FLAG_SET(death_test_style, "fast");
    TempDir dir;
    const std::string pipe = dir.file("pipe.log");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string oversized = dir.file("oversized.log");
    WriteBytes(oversized, "word\r\r\n");
    fs::resize_file(oversized, profile::kMaxFileBytes + 1);  // sparse: takes no room on disk

    struct Case {
        const char* what;
        std::string path;
    };
    for (const Case& c :
         {Case{"a named pipe with no writer", pipe}, Case{"an endless device", "/dev/zero"},
          Case{"a file past the cap", oversized}}) {
        SCOPED_TRACE(c.what);
        EXPECT_EXIT(
            {
                alarm(10);
                bool ok = true;
                const Lines lines = ReadLines(c.path, &ok);
                std::_Exit(!ok && lines.empty() ? 0 : 1);
            },
            testing::ExitedWithCode(0), "");
    }
}

TEST(ReadListFile, LineEndsSplitAcrossReadsCountOnce) {
    TempDir dir;
    std::string path = dir.file("edge.log");
    // Puts a carriage return at the end of each of the first reads and its line feed after it.
    for (std::size_t head : {65535u, 65536u, 131071u}) {
        std::string bytes = std::string(head, 'x') + "\r\nnext\r\n";
        WriteBytes(path, bytes);
        EXPECT_EQ(ReadLines(path), (Lines{std::string(head, 'x'), "next"})) << head;
    }
}

// 100,000 lines of hostile content, with the entries they must give worked out line by line.
TEST(ReadListFile, LoadsAHostileFile) {
    std::mt19937 random(2024);
    std::string bytes;
    Lines expected;
    for (int k = 0; k < 100000; ++k) {
        std::string content;
        switch (k == 5000 ? 9 : random() % 7) {
            case 0:
                content = "nul\0in\0side"s;
                break;
            case 1:
                content = std::string(random() % 5 + 1, '\n');
                break;  // LF-only run: empty lines
            case 2:
                content = "";
                break;
            case 3:
                content = "\xE9\xC0\xFF\x80\x9F high";
                break;
            case 4:
                content = std::string(1, '\0');
                break;
            case 5:
                content = "  ";
                break;
            case 9:
                content = std::string(1 << 20, 'm');
                break;  // a 1 MB line
            default:
                content = "word" + std::to_string(k);
                break;
        }
        bytes += content;
        // A line ends at its first NUL.
        const std::string entry = text::UpToNul(content);
        if (!entry.empty() && entry[0] != '\n') expected.push_back(entry);
        switch (random() % 4) {
            case 0:
                bytes += "\r";
                break;
            case 1:
                bytes += "\r\n";
                break;
            case 2:
                bytes += "\r\r\n";
                break;
            default:
                bytes += "\r\r\r\r";
                break;  // CR-only run
        }
    }
    TempDir dir;
    std::string path = dir.file("hostile.log");
    WriteBytes(path, bytes);
    bool ok = false;
    Lines lines = ReadLines(path, &ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(lines.size(), expected.size());
    EXPECT_TRUE(lines == expected);
}

TEST(WriteListFile, WritesEachEntryWithTwoCarriageReturnsAndALineFeed) {
    TempDir dir;
    std::string path = dir.file("quiz.qz");
    Lines entries = {"Who Painted It?:Someone", "  ", "What is 2+2?:four"};
    ASSERT_TRUE(WriteListFile(path, entries));
    EXPECT_EQ(ReadBytes(path), "Who Painted It?:Someone\r\r\n  \r\r\nWhat is 2+2?:four\r\r\n");
    EXPECT_EQ(ReadLines(path), entries);

    ASSERT_TRUE(WriteListFile(path, {"replaced"}));
    EXPECT_EQ(ReadBytes(path), "replaced\r\r\n");
    ASSERT_TRUE(WriteListFile(path, {}));
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"quiz.qz"}));
}

TEST(WriteListFile, KeepsTheOldFilesPermissions) {
    TempDir dir;
    std::string path = dir.file("words.log");
    WriteBytes(path, "old\r\r\n");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteListFile(path, {"new"}));
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(WriteListFile, FailureLeavesTheOldFileAndNothingOpen) {
    TempDir dir;
    int before = OpenDescriptors();

    EXPECT_FALSE(WriteListFile(dir.file("no-such-folder/words.log"), {"a"}));

    fs::create_directory(dir.file("taken.log"));
    EXPECT_FALSE(WriteListFile(dir.file("taken.log"), {"a"}));
    EXPECT_TRUE(fs::is_directory(dir.file("taken.log")));

    // A file-size limit makes the writing itself fail part of the way through.
    std::string path = dir.file("words.log");
    WriteBytes(path, "old\r\r\n");
    Lines big(10000, "an entry long enough to pass the limit");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto old_handler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool written = WriteListFile(path, big);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), "old\r\r\n");

    EXPECT_EQ(OpenDescriptors(), before);
    std::vector<std::string> names = dir.names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"taken.log", "words.log"}));
}

}  // namespace
