#include "app/program.h"
#include "platform/forms/application.h"

namespace app {

void RegisterWindows() {}

const char* FirstWindow(const Options& options) { return options.quiz_editor ? "Form2" : "startup"; }

}  // namespace app
