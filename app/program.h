#pragma once
// Runs tavrel once: sets up the stand-ins, registers the windows, opens the first window and
// runs the event loop until the program ends.

#include <iosfwd>
#include <string>
#include <vector>

#include "app/options.h"

namespace app {

// Exit status: 0 when the script or the program ended, 2 for a bad script or option, 1 when
// the transcript could not be written.
int RunProgram(const Options& options, std::ostream& out, std::ostream& err);

// The windows of the program, registered by name with the application.
void RegisterWindows();
// Their names, as registered.
std::vector<std::string> WindowList();
// The name of the window that opens first.
const char* FirstWindow(const Options& options);

}  // namespace app
