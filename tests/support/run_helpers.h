#pragma once
// What the tests that run the tavrel program as a process share: a file's bytes, a word quoted
// for the shell, and the display the desktop view's tests may use.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace test_support {

inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::string Shell(const std::string& s) {
    std::string quoted = "'";
    for (char c : s) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// TAVREL_VIEW_DISPLAY, else DISPLAY; nullptr when neither names one.
inline const char* Display() {
    const char* display = std::getenv("TAVREL_VIEW_DISPLAY");
    if (!display || !*display) display = std::getenv("DISPLAY");
    return display && *display ? display : nullptr;
}

}  // namespace test_support
