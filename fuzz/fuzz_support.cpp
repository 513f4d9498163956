#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <filesystem>

namespace fuzz {

const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        std::string pattern = (base / "tavrel-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) Fail("cannot make a scratch folder", pattern);
        return pattern;
    }();
    return folder;
}

}  // namespace fuzz
