#include "common/word_list_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

constexpr char kCr = 13;
constexpr char kLf = 10;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// A descriptor closed when it goes out of scope unless it was closed already.
class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    bool close() {
        int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

  private:
    int m_fd;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Creates a file of its own beside `target`; its name starts with a dot so that listings of
// *.log or *.qz files never show it.
int CreateTempBeside(const std::filesystem::path& target, std::string& temp_path) {
    std::filesystem::path folder = target.parent_path();
    std::string stem = "." + target.filename().string() + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate =
            folder / (stem + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp");
        int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            temp_path = candidate.string();
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

}  // namespace

void ListLineSplitter::feed(std::string_view bytes) {
    for (char c : bytes) {
        if (m_after_cr) {
            m_after_cr = false;
            if (c == kLf) continue;
        }
        if (c == kCr) {
            end_line();
            m_after_cr = true;
        } else if (c == kLf) {
            end_line();
        } else {
            m_line.push_back(c);
        }
    }
}

void ListLineSplitter::finish() {
    end_line();
    m_after_cr = false;
}

void ListLineSplitter::end_line() {
    if (m_line.empty()) return;
    std::string line;
    line.swap(m_line);
    m_each_line(line);
}

std::vector<std::string> SplitListLines(std::string_view bytes) {
    std::vector<std::string> lines;
    ListLineSplitter splitter([&lines](const std::string& line) { lines.push_back(line); });
    splitter.feed(bytes);
    splitter.finish();
    return lines;
}

bool ReadListFile(const std::string& path,
                  const std::function<void(const std::string& line)>& each_line) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    ListLineSplitter splitter(each_line);
    std::string buffer(64 * 1024, '\0');
    for (;;) {
        std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file.get());
        splitter.feed(std::string_view(buffer.data(), got));
        if (got < buffer.size()) break;
    }
    if (std::ferror(file.get())) return false;
    splitter.finish();
    return true;
}

bool WriteListFile(const std::string& path, const std::vector<std::string>& entries) {
    std::filesystem::path target(path);
    std::string temp_path;
    Descriptor temp(CreateTempBeside(target, temp_path));
    if (temp.get() < 0) return false;

    bool ok = true;
    struct stat old_file {};
    if (::stat(path.c_str(), &old_file) == 0 && S_ISREG(old_file.st_mode))
        ok = ::fchmod(temp.get(), old_file.st_mode & 07777) == 0;

    std::string bytes;
    for (const std::string& entry : entries) {
        bytes += entry;
        bytes += "\r\r\n";
        if (ok && bytes.size() >= 64 * 1024) {
            ok = WriteAll(temp.get(), bytes);
            bytes.clear();
        }
    }
    ok = ok && WriteAll(temp.get(), bytes);
    ok = ok && ::fsync(temp.get()) == 0;
    ok = temp.close() && ok;
    ok = ok && std::rename(temp_path.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp_path.c_str());
    return ok;
}
