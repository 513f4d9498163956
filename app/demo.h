#pragma once
// The bundled demo: a script and a word list played in a fresh temporary folder.

#include <iosfwd>

#include "app/options.h"

namespace app {

class FrontEnd;

// With a front end the windows show while the demo plays.
int RunDemo(Options options, std::ostream& out, std::ostream& err, FrontEnd* front_end = nullptr);

}  // namespace app
