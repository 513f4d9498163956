#pragma once
// The bundled demo: a script and a word list played in a fresh temporary folder.

#include <iosfwd>

#include "app/options.h"

namespace app {

int RunDemo(Options options, std::ostream& out, std::ostream& err);

}  // namespace app
