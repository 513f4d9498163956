#pragma once
// Shared bits of the fuzz targets: a scratch folder per process and a failure that names what
// broke. A failed check aborts, which libFuzzer reports with the input that caused it.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

// A folder of this process's own, made on first use on a memory file system where there is one,
// so that files written at every input cost little; it goes when the process exits normally.
const std::string& ScratchFolder();

[[noreturn]] inline void Fail(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "check failed: %s\n", what);
    if (!detail.empty()) {
        std::fprintf(stderr, "  detail: ");
        for (unsigned char c : detail)
            std::fprintf(stderr, c >= 32 && c < 127 ? "%c" : "\\x%02X", c);
        std::fprintf(stderr, "\n");
    }
    std::abort();
}

inline void Check(bool ok, const char* what, std::string_view detail = {}) {
    if (!ok) Fail(what, detail);
}

}  // namespace fuzz
