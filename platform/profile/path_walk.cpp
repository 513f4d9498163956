#include "platform/profile/path_walk.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <time.h>

#include <cerrno>
#include <deque>

namespace profile {
namespace {

std::deque<std::string> StepsOf(std::string_view path) {
    std::deque<std::string> steps;
    while (!path.empty()) {
        const auto slash = path.find('/');
        const std::string_view step = path.substr(0, slash);
        if (!step.empty()) steps.emplace_back(step);
        if (slash == std::string_view::npos) break;
        path.remove_prefix(slash + 1);
    }
    return steps;
}

FileDescriptor OpenFolder(const char* path) {
    return FileDescriptor(::open(path, O_PATH | O_DIRECTORY | O_CLOEXEC));
}

bool MayFollow(int folder, const struct stat& link) {
    struct stat info {};
    if (::fstat(folder, &info) != 0) return false;
    const bool shared = (info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0;
    return !shared || link.st_uid == ::geteuid() || link.st_uid == info.st_uid;
}

// The link's target; empty where it cannot be read.
std::string TargetOf(int link) {
    char target[4096];
    const ssize_t length = ::readlinkat(link, "", target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) return {};
    return std::string(target, static_cast<std::size_t>(length));
}

}  // namespace

std::optional<WalkedPath> WalkPath(const std::string& path) {
    if (path.empty()) return std::nullopt;
    constexpr int kMostLinks = 40;
    FileDescriptor folder = OpenFolder(path.front() == '/' ? "/" : ".");
    std::deque<std::string> steps = StepsOf(path);
    int links = 0;
    while (folder.is_open() && !steps.empty()) {
        std::string step = std::move(steps.front());
        steps.pop_front();
        const bool last = steps.empty();
        // Opened as it is, link or not, so that what is looked at is what is used next.
        FileDescriptor next(::openat(folder.get(), step.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        if (!next.is_open()) {
            if (errno == ENOENT && last) return WalkedPath{std::move(folder), std::move(step)};
            return std::nullopt;
        }
        struct stat info {};
        if (::fstat(next.get(), &info) != 0) return std::nullopt;
        if (S_ISLNK(info.st_mode)) {
            if (++links > kMostLinks || !MayFollow(folder.get(), info)) return std::nullopt;
            const std::string target = TargetOf(next.get());
            if (target.empty()) return std::nullopt;
            if (target.front() == '/') folder = OpenFolder("/");
            std::deque<std::string> through = StepsOf(target);
            steps.insert(steps.begin(), through.begin(), through.end());
            continue;
        }
        if (last) return WalkedPath{std::move(folder), std::move(step)};
        if (!S_ISDIR(info.st_mode)) return std::nullopt;
        folder = std::move(next);
    }
    if (!folder.is_open()) return std::nullopt;
    return WalkedPath{std::move(folder), "."};
}

std::string RandomName(std::string_view prefix) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char noise[8] = {};
    if (::getrandom(noise, sizeof noise, 0) != static_cast<ssize_t>(sizeof noise)) {
        // Without the system's randomness, the clock's nanoseconds still keep names apart.
        struct timespec now {};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        unsigned long long mixed =
            static_cast<unsigned long long>(now.tv_nsec) * 6364136223846793005ull +
            static_cast<unsigned long long>(::getpid());
        for (unsigned char& byte : noise) byte = static_cast<unsigned char>(mixed >>= 7);
    }
    std::string name(prefix);
    for (unsigned char byte : noise) name += kLetters[byte % (sizeof kLetters - 1)];
    return name;
}

FileDescriptor OpenWalkedFolder(const std::string& path) {
    const auto walked = WalkPath(path);
    if (!walked) return FileDescriptor();
    return FileDescriptor(::openat(walked->folder.get(), walked->name.c_str(),
                                   O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

std::optional<std::string> MakeOwnFolder(const std::string& parent, std::string_view prefix) {
    const FileDescriptor at = OpenWalkedFolder(parent);
    if (!at.is_open()) return std::nullopt;
    // A name taken already, by chance or by someone who planted it, is passed over.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = RandomName(prefix);
        if (::mkdirat(at.get(), name.c_str(), 0700) == 0)
            return (parent.back() == '/' ? parent : parent + "/") + name;
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace profile
