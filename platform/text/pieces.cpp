// Trimming, cutting, searching and replacing in texts.

#include <algorithm>

#include "platform/text/text.h"

namespace text {
namespace {

bool SameIgnoringCase(char a, char b) {
    return ToLowerChar(a) == ToLowerChar(b);
}

// Replaces every match that `find(s, what, from)` reports; `find` gives npos when none is left.
template <typename Find>
std::string ReplaceMatches(std::string_view s, std::string_view what, std::string_view with,
                           Find find) {
    if (what.empty()) return std::string(s);
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = find(s, what, from); at != std::string_view::npos;
         at = find(s, what, from)) {
        result.append(s.substr(from, at - from)).append(with);
        from = at + what.size();
    }
    return result.append(s.substr(from));
}

std::size_t FindExact(std::string_view s, std::string_view what, std::size_t from) {
    return s.find(what, from);
}

std::size_t FindIgnoringCase(std::string_view s, std::string_view what, std::size_t from) {
    const auto rest = s.substr(from);
    const auto at =
        std::search(rest.begin(), rest.end(), what.begin(), what.end(), SameIgnoringCase);
    return at == rest.end() ? std::string_view::npos : from + (at - rest.begin());
}

}  // namespace

std::string LTrim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(s.substr(first));
}

std::string RTrim(std::string_view s) {
    const std::size_t last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(s.substr(0, last + 1));
}

std::string Trim(std::string_view s) {
    return LTrim(RTrim(s));
}

std::string Left(std::string_view s, int n) {
    if (n <= 0) return std::string();
    return std::string(s.substr(0, static_cast<std::size_t>(n)));
}

std::string Mid(std::string_view s, int start1, int len) {
    // Work in 64 bits so that start1 + len cannot overflow.
    const long long size = static_cast<long long>(s.size());
    const long long first = std::max(1LL, static_cast<long long>(start1));
    const long long past = len < 0 ? size + 1 : static_cast<long long>(start1) + len;
    const long long last_past = std::min(past, size + 1);
    if (first >= last_past) return std::string();
    return std::string(
        s.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last_past - first)));
}

int InStr(std::string_view hay, std::string_view needle) {
    if (hay.empty()) return 0;
    const std::size_t at = hay.find(needle);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string ReplaceAll(std::string_view s, std::string_view what, std::string_view with) {
    return ReplaceMatches(s, what, with, FindExact);
}

std::string ReplaceAllIgnoreCase(std::string_view s, std::string_view what, std::string_view with) {
    return ReplaceMatches(s, what, with, FindIgnoringCase);
}

std::string UpToNul(std::string_view s) {
    return std::string(s.substr(0, s.find('\0')));
}

}  // namespace text
