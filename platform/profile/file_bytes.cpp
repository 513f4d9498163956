#include "platform/profile/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/signals/ending_signals.h"

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

// A fresh file beside `path` with a short name of its own, whatever the length of the file's
// name; the dot keeps it out of listings. The process id keeps two running programs apart, and
// the counter steps past files that an earlier process of the same id left behind when it was
// killed.
FileDescriptor CreateTemporaryBeside(const std::string& path, std::string& temporary_path) {
    const std::string folder = FolderOf(path);
    const std::string stem =
        (folder == "/" ? folder : folder + "/") + ".tavrel-" + std::to_string(::getpid()) + "-";
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

// The path of the file that `path` names once every symbolic link on its last step is followed,
// whether that file exists yet or not. Nothing for a loop of links or a path that cannot be
// looked at.
std::optional<std::string> FollowLinks(std::string path) {
    constexpr int kMostLinks = 40;  // as the kernel allows before it reports a loop
    for (int hop = 0; hop <= kMostLinks; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0)
            return errno == ENOENT ? std::optional<std::string>(path) : std::nullopt;
        if (!S_ISLNK(info.st_mode)) return path;
        std::error_code failure;
        const std::filesystem::path target = std::filesystem::read_symlink(path, failure);
        if (failure) return std::nullopt;
        path = target.is_absolute() ? target.string() : FolderOf(path) + "/" + target.string();
    }
    return std::nullopt;
}

// Gives the new file the old one's owner, group and permission bits; false when that cannot be
// done (another user's file). The owner goes first, as a change of owner clears set-id bits.
bool TakeOverOwnership(int fd, const struct stat& old_info) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return false;
    if ((info.st_uid != old_info.st_uid || info.st_gid != old_info.st_gid) &&
        ::fchown(fd, old_info.st_uid, old_info.st_gid) != 0)
        return false;
    return ::fchmod(fd, old_info.st_mode & 07777) == 0;
}

// Writes the bytes over the file's own, then cuts it to their length.
bool WriteInPlace(const std::string& path, std::string_view bytes) {
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (!file.is_open()) return false;
    struct stat info {};
    return ::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode) &&
           WriteAll(file.get(), bytes) &&
           ::ftruncate(file.get(), static_cast<off_t>(bytes.size())) == 0 &&
           ::fsync(file.get()) == 0 && file.close();
}

}  // namespace

ReadOutcome ReadFilePieces(const std::string& path, std::size_t max_bytes,
                           const std::function<void(std::string_view piece)>& each_piece) {
    // Looked at before it is opened, so that a device or a pipe is never opened at all; the open
    // does not wait either, should the path change in between.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? ReadOutcome::kMissing : ReadOutcome::kFailed;
    if (!S_ISREG(info.st_mode)) return ReadOutcome::kFailed;
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!file.is_open()) return errno == ENOENT ? ReadOutcome::kMissing : ReadOutcome::kFailed;
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return ReadOutcome::kFailed;
    if (static_cast<unsigned long long>(info.st_size) > max_bytes) return ReadOutcome::kFailed;

    std::string piece(64 * 1024, '\0');
    std::size_t total = 0;
    for (;;) {
        const ssize_t got = ::read(file.get(), piece.data(), piece.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return ReadOutcome::kFailed;
        }
        if (got == 0) return ReadOutcome::kRead;
        // The file may grow while it is read.
        total += static_cast<std::size_t>(got);
        if (total > max_bytes) return ReadOutcome::kFailed;
        each_piece(std::string_view(piece.data(), static_cast<std::size_t>(got)));
    }
}

std::optional<FileRead> ReadFileBytes(const std::string& path) {
    FileRead read{true, {}};
    switch (ReadFilePieces(path, kMaxFileBytes,
                           [&read](std::string_view piece) { read.bytes.append(piece); })) {
        case ReadOutcome::kRead:
            return read;
        case ReadOutcome::kMissing:
            return FileRead{};
        case ReadOutcome::kFailed:
            break;
    }
    return std::nullopt;
}

bool ReplaceFileBytes(const std::string& link_or_path, std::string_view bytes,
                      const std::function<bool()>& before_rename) {
    const signals::HeldSignals held;
    const auto resolved = FollowLinks(link_or_path);
    if (!resolved) return false;
    const std::string& path = *resolved;

    struct stat old_info {};
    const bool replacing = ::stat(path.c_str(), &old_info) == 0;
    if (!replacing && errno != ENOENT) return false;
    if (replacing && !S_ISREG(old_info.st_mode)) return false;
    // A file the user may not write stays as it is, although a rename could replace it.
    if (replacing && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return false;
    // A rename would part the other names of the file from the new bytes.
    if (replacing && old_info.st_nlink > 1) return WriteInPlace(path, bytes);

    std::string temporary_path;
    FileDescriptor temporary = CreateTemporaryBeside(path, temporary_path);
    if (!temporary.is_open()) return replacing && WriteInPlace(path, bytes);
    if (replacing && !TakeOverOwnership(temporary.get(), old_info)) {
        temporary.close();
        ::unlink(temporary_path.c_str());
        return WriteInPlace(path, bytes);
    }

    const bool written =
        WriteAll(temporary.get(), bytes) && ::fsync(temporary.get()) == 0 && temporary.close();
    if (!written || (before_rename && !before_rename())) {
        ::unlink(temporary_path.c_str());
        return false;
    }
    if (::rename(temporary_path.c_str(), path.c_str()) != 0) {
        const int refusal = errno;
        ::unlink(temporary_path.c_str());
        // A folder with the sticky bit lets only the file's owner replace it.
        return replacing && (refusal == EPERM || refusal == EACCES) && WriteInPlace(path, bytes);
    }
    FlushFolder(path);
    return true;
}

}  // namespace profile
