#include "platform/profile/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace profile {
namespace {

// Closes the descriptor when the scope ends, whatever road leaves it.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }

    int get() const { return m_fd; }
    bool is_open() const { return m_fd >= 0; }

    // Closes now, so that a failing close (the last chance to hear of a lost write) is seen.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

  private:
    int m_fd;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// A fresh file beside `path`. The process id keeps two running programs apart, and the counter
// steps past files that an earlier process of the same id left behind when it was killed.
FileDescriptor CreateTemporaryBeside(const std::string& path, std::string& temporary_path) {
    const std::string stem = path + ".tmp" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_path = stem + std::to_string(attempt);
        const int fd =
            ::open(temporary_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return FileDescriptor(fd);
    }
    return FileDescriptor(-1);
}

// Makes the rename itself survive a power cut; a failure here changes nothing already done.
void FlushFolder(const std::string& path) {
    FileDescriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.is_open()) ::fsync(folder.get());
}

// The file that a symbolic link points to, so that a write replaces that file and not the link.
std::optional<std::string> ResolveLink(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return std::nullopt;
    std::string target(resolved);
    std::free(resolved);
    return target;
}

}  // namespace

std::optional<FileRead> ReadFileBytes(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.is_open()) {
        if (errno == ENOENT) return FileRead{};
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    if (static_cast<unsigned long long>(info.st_size) > kMaxFileBytes) return std::nullopt;

    FileRead read{true, {}};
    read.bytes.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (got == 0) break;
        // The file may grow while it is read.
        if (read.bytes.size() + static_cast<std::size_t>(got) > kMaxFileBytes) return std::nullopt;
        read.bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return read;
}

bool ReplaceFileBytes(const std::string& link_or_path, std::string_view bytes,
                      const std::function<bool()>& before_rename) {
    const auto resolved = ResolveLink(link_or_path);
    if (!resolved) return false;
    const std::string& path = *resolved;

    struct stat old_info {};
    const bool replacing = ::stat(path.c_str(), &old_info) == 0;
    if (replacing && !S_ISREG(old_info.st_mode)) return false;
    // A file the user made read-only stays as it is, although the rename could replace it.
    if (replacing && ::access(path.c_str(), W_OK) != 0) return false;

    std::string temporary_path;
    FileDescriptor temporary = CreateTemporaryBeside(path, temporary_path);
    if (!temporary.is_open()) return false;

    const bool written = (!replacing || ::fchmod(temporary.get(), old_info.st_mode & 07777) == 0) &&
                         WriteAll(temporary.get(), bytes) && ::fsync(temporary.get()) == 0 &&
                         temporary.close();
    if (!written || (before_rename && !before_rename()) ||
        ::rename(temporary_path.c_str(), path.c_str()) != 0) {
        ::unlink(temporary_path.c_str());
        return false;
    }
    FlushFolder(path);
    return true;
}

}  // namespace profile
