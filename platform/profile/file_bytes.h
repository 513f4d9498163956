#pragma once

// Whole-file reading and crash-safe replacing for small text files.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace profile {

// Larger files are refused rather than read into memory.
inline constexpr std::size_t kMaxFileBytes = 64 * 1024 * 1024;

struct FileRead {
    bool exists = false;  // false: nothing at the path, `bytes` is empty
    std::string bytes;
};

// The file's bytes. Nothing when the path holds something that cannot be read as a regular
// file of at most kMaxFileBytes: a folder, a device, a file without read permission.
std::optional<FileRead> ReadFileBytes(const std::string& path);

// Replaces the file with `bytes` so that it holds either the old bytes or the new ones, never a
// mix: the bytes go to a new file beside it, are flushed to disk and then renamed over it. The
// new file keeps the old one's permission bits. A new file gets the usual ones (0666 less the
// umask). On failure the old file is left as it was and the temporary file is removed.
//
// `before_rename` runs once the new bytes are on disk, just before the rename; returning false
// abandons the write as a failure. Tests use it to stop or kill the process at that point.
bool ReplaceFileBytes(const std::string& path, std::string_view bytes,
                      const std::function<bool()>& before_rename = {});

}  // namespace profile
