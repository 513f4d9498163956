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

// The steps of a save that a test can make fail, as a failing disk would: writing bytes,
// flushing them to the disk, closing the file.
enum class SaveStep { kWrite, kFlush, kClose };
// The file a step works on: the new file that takes the old one's place, the copy of the old
// bytes kept while a file is written in place, or the file itself.
enum class SaveFile { kNew, kKeptCopy, kItself };

// Where a test reaches into a save; the program leaves both empty.
struct SaveSeams {
    // Runs once the new bytes are ready to take the old ones' place: just before the rename, or
    // before the first byte of a write in place; false abandons the save as a failure.
    std::function<bool()> before_replacing = {};
    // Runs before each step (bytes are written by pieces of at most 64 KiB, each a step); an
    // error number other than 0 makes the step fail with it, as if the system had said so. It may
    // also throw, as an allocation that fails would.
    std::function<int(SaveStep step, SaveFile file)> failing = {};
};

// Replaces the file with `bytes` so that it holds either the old bytes or the new ones, never a
// mix, and never loses the old ones to a failure or an exception. The file is the one that
// `path` names: through symbolic links to the file they point to (created when missing), the
// links staying links, but only through links that the rule of platform/profile/path_walk.h
// lets be followed, at every step of the path; the save fails at any other. It is written only
// when the user may write it, by its own permission bits, and only when it is a regular file. No
// ending signal (platform/signals) cuts the save short.
//
// The bytes go to a new file beside it, named ".tavrel-" and eight random letters and digits,
// created for the user alone (0600), are flushed to disk and then renamed over it; once its bytes
// are complete the new file takes the old one's permission bits, owner and group (a file that is
// new gets 0666 less the umask). Where the new file cannot stand in for the old one for a reason
// of rights, links or mounts, the bytes are written into the old file itself instead: when its
// folder does not let the user make a new file, when the rename is refused (a folder with the
// sticky bit, a file mounted on its own: EBUSY, EXDEV), when the owner cannot be given, or when
// the file has further hard links. Such a write first copies the old bytes to a file beside it,
// ".tavrel-old-" and eight random letters and digits (0600), or, where the folder takes no new
// file (no rights, no free inode or quota), into the temporary folder (TMPDIR, else /tmp),
// flushes the copy to disk and reserves room for all the new bytes; the copy goes once the new
// bytes are on disk. A file that the user may write but not read is not written in place. On
// any failure after the file's bytes began to change (writing, flushing, closing), or an
// exception, the old bytes are put back from the copy; where even that fails, the copy stays and
// one line on standard error names it. A full disk or quota or a failing disk never leads to a
// write in place, and every failure removes the files the save made, but for such a copy.
bool ReplaceFileBytes(const std::string& path, std::string_view bytes, const SaveSeams& seams = {});

}  // namespace profile
