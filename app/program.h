#pragma once
// Runs tavrel once: sets up the stand-ins, registers the windows, opens the first window and
// runs the event loop until the program ends.

#include <iosfwd>

#include "app/options.h"

namespace app {

// Exit status: 0 when the script or the program ended, 2 for a bad script or option.
int RunProgram(const Options& options, std::ostream& out, std::ostream& err);

// The windows of the program, registered by name with the application.
void RegisterWindows();
// The name of the window that opens first.
const char* FirstWindow(const Options& options);

}  // namespace app
