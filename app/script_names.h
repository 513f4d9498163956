#pragma once
// The names a script may act on: each window with its controls and menu items. A script that
// names a window, control or menu item that does not exist is a bad script, told before it runs.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/script.h"

namespace app {

// Window name -> the names of its controls and menu items; none where the window could not be
// built to read them.
using WindowNames = std::map<std::string, std::optional<std::set<std::string>>>;

// Builds each of the registered windows once, apart from any run, to read its names, and
// leaves the application and the desktop as fresh as it found them. A window that cannot be
// built (its component is missing) gets no names: the run itself then says why.
WindowNames CatalogueWindows(const std::vector<std::string>& windows);

// Why `action` cannot run, where it names a window, control or menu item that does not exist;
// nullopt where it does not. Names in a window that has no names read are taken on trust.
std::optional<std::string> UnknownName(const Action& action, const WindowNames& known);

}  // namespace app
