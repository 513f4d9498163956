#include <memory>

#include "app/program.h"
#include "companions/Form2.h"
#include "companions/Form5.h"
#include "companions/Form7.h"
#include "companions/startup.h"
#include "game/Form4.h"
#include "platform/forms/application.h"

namespace app {

void RegisterWindows() {
    auto& app = forms::App();
    app.register_form("startup", [] { return std::make_unique<startup>(); });
    app.register_form("Form4", [] { return std::make_unique<Form4>(); });
    app.register_form("Form7", [] { return std::make_unique<Form7>(); });
    app.register_form("Form5", [] { return std::make_unique<Form5>(); });
    app.register_form("Form2", [] { return std::make_unique<Form2>(); });
}

const char* FirstWindow(const Options& options) {
    return options.quiz_editor ? "Form2" : "startup";
}

}  // namespace app
