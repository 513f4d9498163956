#pragma once
// Paths walked one step at a time, for the files the program writes and the folders it writes
// in. Every symbolic link met on the way, at any step, is followed only where the kernel's rule
// for links in shared folders (fs.protected_symlinks) would follow it, whether the system
// enforces that rule or not: a link in a sticky folder that anyone may write to (such as /tmp)
// is followed only when it belongs to the user or to the folder's owner, since anyone else may
// have planted it there.

#include <optional>
#include <string>
#include <string_view>

#include "platform/profile/file_descriptor.h"

namespace profile {

struct WalkedPath {
    FileDescriptor folder;  // the folder that holds the last step, opened for the *at calls only
    std::string name;       // the last step's name in it ("." for the folder itself); never a link
};

// Where the path's last step lies once every link on the way is followed, whether that step
// exists yet or not. Nothing where a step before the last is missing or no folder, where more
// than 40 links are met (as the kernel allows before it reports a loop), or where the rule
// refuses a link.
std::optional<WalkedPath> WalkPath(const std::string& path);

// The folder that `path` names, reached by WalkPath's rule and opened for the *at calls only;
// not open where it cannot be reached or is no folder.
FileDescriptor OpenWalkedFolder(const std::string& path);

// A fresh folder in `parent` (reached by WalkPath's rule), the user's alone (0700), whose name is
// `prefix` and eight random letters and digits: never one that existed before. Its path, or
// nothing where none can be made.
std::optional<std::string> MakeOwnFolder(const std::string& parent, std::string_view prefix);

// `prefix` and eight random letters and digits, for names that nobody can guess beforehand.
std::string RandomName(std::string_view prefix);

}  // namespace profile
