#include "platform/profile/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/profile/file_descriptor.h"
#include "platform/profile/path_walk.h"
#include "platform/signals/ending_signals.h"

namespace profile {
namespace {

// Asks the seam before a step; false, with errno saying why, where it makes the step fail.
bool StepAllowed(const SaveSeams& seams, SaveStep step, SaveFile file) {
    if (!seams.failing) return true;
    const int error = seams.failing(step, file);
    if (error == 0) return true;
    errno = error;
    return false;
}

// The same where nothing may be thrown: an exception counts as a failure.
bool StepAllowedQuietly(const SaveSeams& seams, SaveStep step, SaveFile file) noexcept {
    try {
        return StepAllowed(seams, step, file);
    } catch (...) {
        errno = EIO;
        return false;
    }
}

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

// Writes by pieces of at most 64 KiB, the seam asked before each.
bool Write(int fd, std::string_view bytes, const SaveSeams& seams, SaveFile file) {
    constexpr std::size_t kPiece = 64 * 1024;
    do {
        const std::string_view piece = bytes.substr(0, kPiece);
        if (!StepAllowed(seams, SaveStep::kWrite, file) || !WriteAll(fd, piece)) return false;
        bytes.remove_prefix(piece.size());
    } while (!bytes.empty());
    return true;
}

bool Flush(int fd, const SaveSeams& seams, SaveFile file) {
    return StepAllowed(seams, SaveStep::kFlush, file) && ::fsync(fd) == 0;
}

// A close that fails has closed the descriptor all the same.
bool Close(FileDescriptor& fd, const SaveSeams& seams, SaveFile file) {
    const bool allowed = StepAllowed(seams, SaveStep::kClose, file);
    const int error = errno;
    const bool closed = fd.close();
    if (allowed) return closed;
    errno = error;
    return false;
}

// Copies the first `length` bytes of `from` to the start of `to`, by pieces, without allocating;
// `ask` asks the seam before each piece.
bool CopyBytes(int from, int to, off_t length, const SaveSeams& seams, SaveFile file,
               bool (*ask)(const SaveSeams&, SaveStep, SaveFile)) {
    char piece[64 * 1024];
    for (off_t at = 0; at < length;) {
        const ssize_t got = ::pread(from, piece, sizeof piece, at);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        if (!ask(seams, SaveStep::kWrite, file)) return false;
        for (ssize_t done = 0; done < got;) {
            const ssize_t written =
                ::pwrite(to, piece + done, static_cast<std::size_t>(got - done), at + done);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return false;
            done += written;
        }
        at += got;
    }
    return true;
}

// The path of an open folder, for messages; "" where the system does not say.
std::string PathOfFolder(int folder) {
    char path[4096];
    const ssize_t length =
        ::readlink(("/proc/self/fd/" + std::to_string(folder)).c_str(), path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path) return {};
    return std::string(path, static_cast<std::size_t>(length));
}

// A fresh file in `folder` with a name nobody can guess, the user's alone (0600) until its bytes
// are complete; the dot keeps it out of listings. It goes when the scope ends, whatever road
// leaves it, unless it is kept: renamed into place, or holding bytes that are still needed.
class FileBeside {
  public:
    FileBeside(int folder, std::string_view prefix) : m_folder(folder) {
        const std::string shown_folder = PathOfFolder(folder);
        // A name that exists, a leftover of a killed save or another's, is passed over. Nothing
        // that could throw comes after the file is made.
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_name = RandomName(prefix);
            m_shown = shown_folder + "/" + m_name;
            m_file = FileDescriptor(::openat(
                folder, m_name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
            m_error = m_file.is_open() ? 0 : errno;
            if (m_error != EEXIST) break;
        }
    }
    ~FileBeside() { remove(); }
    FileBeside(const FileBeside&) = delete;
    FileBeside& operator=(const FileBeside&) = delete;

    bool is_open() const { return m_file.is_open(); }
    int error() const { return m_error; }
    FileDescriptor& file() { return m_file; }
    const std::string& name() const { return m_name; }
    const std::string& shown() const { return m_shown; }

    void keep() { m_kept = true; }
    void remove() {
        if (m_kept || m_removed || m_error != 0) return;
        m_file.close();
        ::unlinkat(m_folder, m_name.c_str(), 0);
        m_removed = true;
    }

  private:
    int m_folder;
    std::string m_name;
    std::string m_shown;
    FileDescriptor m_file;
    int m_error = 0;
    bool m_kept = false;
    bool m_removed = false;
};

// A refusal for a reason of rights or of how the file is put in place, which a write into the old
// file itself may get around: a folder that refuses new files or the rename (sticky), a file that
// is a mount point of its own (EBUSY) or lies on another mount than its folder (EXDEV). Any other
// failure (a full disk or quota, a failing disk, a read-only file system) would meet that write as
// well.
bool IsRefusal(int error) {
    return error == EACCES || error == EPERM || error == EBUSY || error == EXDEV;
}

// Makes the rename itself survive a power cut; a failure here changes nothing already done.
void FlushFolder(int folder) {
    FileDescriptor opened(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (opened.is_open()) ::fsync(opened.get());
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
// bytes change; the file's length and bytes stay as they are. A file system that cannot reserve
// room is written all the same: the kept copy guards the old bytes there.
bool ReserveRoom(int fd, off_t old_length, std::size_t length) {
    if (length == 0) return true;
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(length)) == 0) return true;
    if (errno == EOPNOTSUPP || errno == ENOSYS) return true;
    // Gives back what was reserved before the failure.
    (void)::ftruncate(fd, old_length);
    return false;
}

// The temporary folder, for a kept copy that cannot lie beside its file.
FileDescriptor TemporaryFolder() {
    std::error_code failure;
    const std::string path = std::filesystem::temp_directory_path(failure).string();
    return failure ? FileDescriptor() : OpenWalkedFolder(path);
}

// The old bytes of a file being written in place, put back into it when the scope ends unless
// the new bytes are on disk. Where even that fails, the copy that holds them stays, and one line
// on standard error names it.
class OldBytesBack {
  public:
    OldBytesBack(int folder, const std::string& name, FileDescriptor& file, FileBeside& copy,
                 off_t length, const SaveSeams& seams)
        : m_folder(folder),
          m_name(name),
          m_file(file),
          m_copy(copy),
          m_length(length),
          m_seams(seams) {}
    ~OldBytesBack() {
        if (m_done) return;
        if (PutBack()) return;
        m_copy.keep();
        Say("tavrel: a save failed and the old bytes could not be put back; they are kept in ");
        Say(m_copy.shown().c_str());
        Say("\n");
    }
    OldBytesBack(const OldBytesBack&) = delete;
    OldBytesBack& operator=(const OldBytesBack&) = delete;

    void done() { m_done = true; }

  private:
    bool PutBack() noexcept {
        // A file whose close failed is opened again.
        if (!m_file.is_open())
            m_file = FileDescriptor(
                ::openat(m_folder, m_name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        return m_file.is_open() &&
               CopyBytes(m_copy.file().get(), m_file.get(), m_length, m_seams, SaveFile::kItself,
                         StepAllowedQuietly) &&
               ::ftruncate(m_file.get(), m_length) == 0 &&
               StepAllowedQuietly(m_seams, SaveStep::kFlush, SaveFile::kItself) &&
               ::fsync(m_file.get()) == 0 &&
               StepAllowedQuietly(m_seams, SaveStep::kClose, SaveFile::kItself) && m_file.close();
    }
    static void Say(const char* text) {
        for (std::size_t left = std::strlen(text); left > 0;) {
            const ssize_t written = ::write(STDERR_FILENO, text, left);
            if (written <= 0) return;
            text += written;
            left -= static_cast<std::size_t>(written);
        }
    }

    int m_folder;
    const std::string& m_name;
    FileDescriptor& m_file;
    FileBeside& m_copy;
    off_t m_length;
    const SaveSeams& m_seams;
    bool m_done = false;
};

// Writes the bytes over the file's own. Its old bytes are first copied beside it (or, where its
// folder takes no copy, into the temporary folder) and flushed to disk, and room for all the new
// bytes is reserved; only then do the file's bytes change.
bool WriteInPlace(int folder, const std::string& name, std::string_view bytes,
                  const SaveSeams& seams) {
    FileDescriptor file(
        ::openat(folder, name.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!file.is_open()) return false;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;

    // A folder that takes no new file, for want of rights, inodes or quota, may still take the
    // new bytes into the file; the copy then goes to the temporary folder.
    FileBeside beside(folder, ".tavrel-old-");
    const int refusal = beside.error();
    const bool beside_refused =
        refusal == EACCES || refusal == EPERM || refusal == ENOSPC || refusal == EDQUOT;
    const FileDescriptor temporary = beside_refused ? TemporaryFolder() : FileDescriptor();
    std::optional<FileBeside> elsewhere;
    if (temporary.is_open()) elsewhere.emplace(temporary.get(), ".tavrel-old-");
    FileBeside& copy = elsewhere ? *elsewhere : beside;
    if (!copy.is_open() ||
        !CopyBytes(file.get(), copy.file().get(), info.st_size, seams, SaveFile::kKeptCopy,
                   StepAllowed) ||
        !Flush(copy.file().get(), seams, SaveFile::kKeptCopy))
        return false;

    if (!ReserveRoom(file.get(), info.st_size, bytes.size())) return false;
    if (seams.before_replacing && !seams.before_replacing()) return false;
    OldBytesBack old_bytes(folder, name, file, copy, info.st_size, seams);
    if (::lseek(file.get(), 0, SEEK_SET) != 0 ||
        !Write(file.get(), bytes, seams, SaveFile::kItself) ||
        ::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0 ||
        !Flush(file.get(), seams, SaveFile::kItself) || !Close(file, seams, SaveFile::kItself))
        return false;
    old_bytes.done();
    return true;
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

bool ReplaceFileBytes(const std::string& path, std::string_view bytes, const SaveSeams& seams) {
    const signals::HeldSignals held;
    const auto walked = WalkPath(path);
    if (!walked) return false;
    const int folder = walked->folder.get();
    const std::string& name = walked->name;

    struct stat old_info {};
    const bool replacing = ::fstatat(folder, name.c_str(), &old_info, AT_SYMLINK_NOFOLLOW) == 0;
    if (!replacing && errno != ENOENT) return false;
    if (replacing && !S_ISREG(old_info.st_mode)) return false;
    // A file the user may not write stays as it is, although a rename could replace it.
    if (replacing && ::faccessat(folder, name.c_str(), W_OK, AT_EACCESS | AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    // A rename would part the other names of the file from the new bytes.
    if (replacing && old_info.st_nlink > 1) return WriteInPlace(folder, name, bytes, seams);

    FileBeside temporary(folder, ".tavrel-");
    if (!temporary.is_open())
        return replacing && IsRefusal(temporary.error()) &&
               WriteInPlace(folder, name, bytes, seams);
    if (replacing && !GiveOwner(temporary.file().get(), old_info)) {
        const bool refused = IsRefusal(errno);
        temporary.remove();
        return refused && WriteInPlace(folder, name, bytes, seams);
    }

    // The permission bits come only once the bytes are complete; the owner goes first, as a
    // change of owner clears set-id bits.
    const mode_t mode = replacing ? old_info.st_mode & 07777 : NewFileMode();
    const int fd = temporary.file().get();
    const bool written = Write(fd, bytes, seams, SaveFile::kNew) && ::fchmod(fd, mode) == 0 &&
                         Flush(fd, seams, SaveFile::kNew) &&
                         Close(temporary.file(), seams, SaveFile::kNew);
    if (!written || (seams.before_replacing && !seams.before_replacing())) return false;
    if (::renameat(folder, temporary.name().c_str(), folder, name.c_str()) != 0) {
        const int refusal = errno;
        temporary.remove();
        return replacing && IsRefusal(refusal) && WriteInPlace(folder, name, bytes, seams);
    }
    // It is the file now.
    temporary.keep();
    FlushFolder(folder);
    return true;
}

}  // namespace profile
