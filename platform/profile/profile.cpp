#include "platform/profile/profile.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/profile/file_bytes.h"
#include "platform/profile/profile_format.h"

namespace profile {

unsigned GetPrivateProfileStringA(const char* section, const char* key, const char* default_value,
                                  char* buffer, unsigned size, const char* file_path) {
    if (buffer == nullptr || size == 0) return 0;

    std::string value = default_value != nullptr ? default_value : "";
    if (section != nullptr && key != nullptr && file_path != nullptr) {
        if (const auto file = ReadFileBytes(file_path)) {
            bool found = false;
            std::string stored = LookupValue(file->bytes, section, key, found);
            if (found) value = std::move(stored);
        }
    }

    // The caller sees a C string, so a NUL in the file ends the value there.
    const std::size_t length =
        std::min(std::strlen(value.c_str()), static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
    return static_cast<unsigned>(length);
}

bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* file_path) {
    if (section == nullptr || key == nullptr || value == nullptr || file_path == nullptr)
        return false;
    // An unreadable file is not replaced: its other keys would be lost.
    const auto file = ReadFileBytes(file_path);
    if (!file) return false;
    const auto updated = WithValue(file->bytes, section, key, value);
    if (!updated) return false;
    // Rewriting the same bytes would change nothing but cost a flush to disk; a flood of chat
    // lines rewrites the same winner many times over.
    if (file->exists && *updated == file->bytes) return true;
    return ReplaceFileBytes(file_path, *updated);
}

}  // namespace profile
