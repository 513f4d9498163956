#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fuzz {

namespace {

// Kept as plain bytes so that it outlives every string when the process exits.
char g_folder_to_remove[PATH_MAX];

void RemoveScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(g_folder_to_remove, ignored);
}

}  // namespace

const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        std::string pattern = (base / "tavrel-fuzz-XXXXXX").string();
        if (pattern.size() >= PATH_MAX || !::mkdtemp(pattern.data()))
            Fail("cannot make a scratch folder", pattern);
        std::memcpy(g_folder_to_remove, pattern.c_str(), pattern.size() + 1);
        std::atexit(RemoveScratchFolder);
        return pattern;
    }();
    return folder;
}

}  // namespace fuzz
