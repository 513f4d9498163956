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
// name; the dot keeps it out of listings, and until it is complete only the user may read it.
// The process id keeps two running programs apart, and the counter steps past files that an
// earlier process of the same id left behind when it was killed. On failure `error` says why.
FileDescriptor CreateTemporaryBeside(const std::string& path, std::string& temporary_path,
                                     int& error) {
    const std::string folder = FolderOf(path);
    const std::string stem =
        (folder == "/" ? folder : folder + "/") + ".tavrel-" + std::to_string(::getpid()) + "-";
    error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        temporary_path = stem + std::to_string(attempt);
        const int fd =
            ::open(temporary_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) return FileDescriptor(fd);
        error = errno;
    }
    return FileDescriptor(-1);
}

// A refusal for a reason of rights, which a write into the old file itself may get around; any
// other failure (a full disk or quota, a failing disk, a read-only file system) would meet that
// write as well.
bool IsRefusal(int error) {
    return error == EACCES || error == EPERM;
}

// Makes the rename itself survive a power cut; a failure here changes nothing already done.
void FlushFolder(const std::string& path) {
    FileDescriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.is_open()) ::fsync(folder.get());
}

// The kernel's rule for links in shared folders (fs.protected_symlinks): a link in a sticky
// folder that anyone may write to is followed only when it belongs to the user or to the
// folder's owner, since anyone else may have planted it there.
bool MayFollow(const std::string& link, const struct stat& link_info) {
    struct stat folder {};
    if (::stat(FolderOf(link).c_str(), &folder) != 0) return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || link_info.st_uid == ::geteuid() || link_info.st_uid == folder.st_uid;
}

// The path of the file that `path` names once every symbolic link on its last step is followed,
// whether that file exists yet or not. Nothing for a loop of links, a link that MayFollow
// refuses, or a path that cannot be looked at.
std::optional<std::string> FollowLinks(std::string path) {
    constexpr int kMostLinks = 40;  // as the kernel allows before it reports a loop
    for (int hop = 0; hop <= kMostLinks; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0)
            return errno == ENOENT ? std::optional<std::string>(path) : std::nullopt;
        if (!S_ISLNK(info.st_mode)) return path;
        if (!MayFollow(path, info)) return std::nullopt;
        std::error_code failure;
        const std::filesystem::path target = std::filesystem::read_symlink(path, failure);
        if (failure) return std::nullopt;
        path = target.is_absolute() ? target.string() : FolderOf(path) + "/" + target.string();
    }
    return std::nullopt;
}

// Gives the new file the old one's owner and group; false when that cannot be done, with errno
// saying why (EPERM: another user's file).
bool GiveOwner(int fd, const struct stat& old_info) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return false;
    return (info.st_uid == old_info.st_uid && info.st_gid == old_info.st_gid) ||
           ::fchown(fd, old_info.st_uid, old_info.st_gid) == 0;
}

// The permission bits of a file made the usual way: 0666 less the umask, which can only be read
// by setting it. The program has one thread that makes files, so nothing is made meanwhile.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes sure that the first `length` bytes of the file have room on the disk, before any of its
// bytes change. Where they have not, the file is left as it was.
bool ReserveRoom(int fd, off_t old_length, std::size_t length) {
    if (length == 0) return true;
    const int failure = ::posix_fallocate(fd, 0, static_cast<off_t>(length));
    if (failure == 0) return true;
    // Where the file system cannot reserve, the C library writes zeros into the holes instead,
    // which may have lengthened the file before it failed.
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size != old_length) (void)::ftruncate(fd, old_length);
    return false;
}

// Writes the bytes over the file's own, once room for all of them is reserved, then cuts the
// file to their length.
bool WriteInPlace(const std::string& path, std::string_view bytes,
                  const std::function<bool()>& before_replacing) {
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (!file.is_open()) return false;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        !ReserveRoom(file.get(), info.st_size, bytes.size()))
        return false;
    if (before_replacing && !before_replacing()) return false;
    return WriteAll(file.get(), bytes) &&
           ::ftruncate(file.get(), static_cast<off_t>(bytes.size())) == 0 &&
           ::fsync(file.get()) == 0 && file.close();
}

}  // namespace

ReadOutcome ReadFilePieces(const std::string& path, std::size_t max_bytes,
                           const std::function<void(std::string_view piece)>& each_piece,
                           Readable readable) {
    // Looked at before it is opened, so that a device is never opened at all.
    const auto takes = [readable](mode_t mode) {
        return S_ISREG(mode) || (readable == Readable::kFilesAndPipes && S_ISFIFO(mode));
    };
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? ReadOutcome::kMissing : ReadOutcome::kFailed;
    if (!takes(info.st_mode)) return ReadOutcome::kNotAFile;
    if (S_ISREG(info.st_mode) && static_cast<unsigned long long>(info.st_size) > max_bytes)
        return ReadOutcome::kTooLarge;
    // A pipe is read as it comes; opening anything else does not wait, should the path change
    // in between.
    const int waiting = S_ISFIFO(info.st_mode) ? 0 : O_NONBLOCK;
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | waiting));
    if (!file.is_open()) return errno == ENOENT ? ReadOutcome::kMissing : ReadOutcome::kFailed;
    if (::fstat(file.get(), &info) != 0) return ReadOutcome::kFailed;
    if (!takes(info.st_mode)) return ReadOutcome::kNotAFile;
    if (S_ISREG(info.st_mode) && static_cast<unsigned long long>(info.st_size) > max_bytes)
        return ReadOutcome::kTooLarge;

    std::string piece(64 * 1024, '\0');
    std::size_t total = 0;
    for (;;) {
        const ssize_t got = ::read(file.get(), piece.data(), piece.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return ReadOutcome::kFailed;
        }
        if (got == 0) return ReadOutcome::kRead;
        // A file may grow while it is read, and a pipe says nothing of its length beforehand.
        total += static_cast<std::size_t>(got);
        if (total > max_bytes) return ReadOutcome::kTooLarge;
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
        case ReadOutcome::kNotAFile:
        case ReadOutcome::kTooLarge:
        case ReadOutcome::kFailed:
            break;
    }
    return std::nullopt;
}

bool ReplaceFileBytes(const std::string& link_or_path, std::string_view bytes,
                      const std::function<bool()>& before_replacing) {
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
    if (replacing && old_info.st_nlink > 1) return WriteInPlace(path, bytes, before_replacing);

    std::string temporary_path;
    int error = 0;
    FileDescriptor temporary = CreateTemporaryBeside(path, temporary_path, error);
    if (!temporary.is_open())
        return replacing && IsRefusal(error) && WriteInPlace(path, bytes, before_replacing);
    const auto abandon = [&temporary, &temporary_path] {
        if (temporary.is_open()) temporary.close();
        ::unlink(temporary_path.c_str());
    };
    if (replacing && !GiveOwner(temporary.get(), old_info)) {
        const bool refused = IsRefusal(errno);
        abandon();
        return refused && WriteInPlace(path, bytes, before_replacing);
    }

    // The permission bits come only once the bytes are complete; the owner goes first, as a
    // change of owner clears set-id bits.
    const mode_t mode = replacing ? old_info.st_mode & 07777 : NewFileMode();
    const bool written = WriteAll(temporary.get(), bytes) && ::fchmod(temporary.get(), mode) == 0 &&
                         ::fsync(temporary.get()) == 0 && temporary.close();
    if (!written || (before_replacing && !before_replacing())) {
        abandon();
        return false;
    }
    if (::rename(temporary_path.c_str(), path.c_str()) != 0) {
        const int refusal = errno;
        abandon();
        // A folder with the sticky bit lets only the file's owner replace it.
        return replacing && IsRefusal(refusal) && WriteInPlace(path, bytes, before_replacing);
    }
    FlushFolder(path);
    return true;
}

}  // namespace profile
