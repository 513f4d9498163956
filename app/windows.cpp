#include <memory>

#include "app/program.h"
#include "companions/startup.h"
#include "game/Form4.h"
#include "platform/forms/application.h"

namespace app {

void RegisterWindows() {
    auto& app = forms::App();
    app.register_form("startup", [] { return std::make_unique<startup>(); });
    app.register_form("Form4", [] { return std::make_unique<Form4>(); });
}

const char* FirstWindow(const Options& options) {
    return options.quiz_editor ? "Form2" : "startup";
}

}  // namespace app
