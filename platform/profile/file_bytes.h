#pragma once

// Whole-file reading and crash-safe replacing for text files: the settings file and the word and
// quiz lists.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace profile {

// Larger files are refused rather than read into memory. No settings file or word list that a
// person writes comes near it.
inline constexpr std::size_t kMaxFileBytes = 64 * 1024 * 1024;

enum class ReadOutcome {
    kRead,      // every byte was handed over
    kMissing,   // nothing at the path
    kNotAFile,  // a folder, a device, a socket, or a pipe where only regular files are read
    kTooLarge,  // more than the bytes allowed
    kFailed,    // not readable, or reading broke off
};

// What a read takes: only regular files (the lists and the settings file), or pipes as well.
enum class Readable { kRegularFiles, kFilesAndPipes };

// Reads the file at `path` and hands its bytes to `each_piece` as they arrive, in pieces of at
// most 64 KiB. Only a regular file of at most `max_bytes` is read, or with kFilesAndPipes also a
// pipe, to its end; one that grows past `max_bytes` while it is read fails there (kTooLarge),
// after the pieces before. Opening a regular file never waits, so a pipe or a device put in its
// place meanwhile cannot hold the read up; opening a pipe waits for a writer. The file is closed
// on every road.
ReadOutcome ReadFilePieces(const std::string& path, std::size_t max_bytes,
                           const std::function<void(std::string_view piece)>& each_piece,
                           Readable readable = Readable::kRegularFiles);

struct FileRead {
    bool exists = false;  // false: nothing at the path, `bytes` is empty
    std::string bytes;
};

// The file's bytes. Nothing when the path holds something that cannot be read as a regular
// file of at most kMaxFileBytes: a folder, a device, a pipe, a file without read permission.
std::optional<FileRead> ReadFileBytes(const std::string& path);

// Replaces the file with `bytes` so that it holds either the old bytes or the new ones, never a
// mix, and never loses the old ones to a failure. The file is the one that `path` names:
// through symbolic links to the file they point to (created when missing), the links staying
// links, but not through a link that the kernel's rule for shared folders (fs.protected_symlinks)
// would refuse: one in a sticky folder that anyone may write to, owned neither by the user nor by
// the folder's owner, which the save then fails at, whether the system enforces that rule or
// not. It is written only when the user may write it, by its own permission bits, and only when
// it is a regular file. No ending signal (platform/signals) cuts the save short.
//
// The bytes go to a new file with a short name beside it, created for the user alone (0600), are
// flushed to disk and then renamed over it; once its bytes are complete the new file takes the old
// one's permission bits, owner and group (a file that is new gets 0666 less the umask). Where the
// new file cannot stand in for the old one for a reason of rights or links, the bytes are written
// into the old file itself instead: when its folder does not let the user make a new file, when
// the rename is refused (a folder with the sticky bit), when the owner cannot be given, or when the
// file has further hard links. Such a write first reserves room for all the new bytes and, where
// that cannot be had, leaves the file exactly as it was and fails; it is not crash-safe: if the
// disk fails part-way the file holds part of the new bytes. A full disk or quota or a failing disk
// never leads to a write in place: every other failure leaves the old file as it was and removes
// the temporary file.
//
// `before_replacing` runs once the new bytes are ready to take the old ones' place: just before
// the rename, or before the first byte of a write in place; returning false abandons the save as
// a failure. Tests use it to stop or signal the process at that point.
bool ReplaceFileBytes(const std::string& path, std::string_view bytes,
                      const std::function<bool()>& before_replacing = {});

}  // namespace profile
