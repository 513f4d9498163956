#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "companions/Form2.h"
#include "companions/Form5.h"
#include "companions/Form7.h"
#include "companions/startup.h"
#include "game/Form4.h"
#include "platform/forms/application.h"

namespace app {

namespace {

using Window = std::pair<const char*, forms::Application::Factory>;

template <class F>
Window Make(const char* name) {
    return {name, [] { return std::make_unique<F>(); }};
}

const std::vector<Window>& Windows() {
    static const std::vector<Window> windows{Make<startup>("startup"), Make<Form4>("Form4"),
                                             Make<Form7>("Form7"), Make<Form5>("Form5"),
                                             Make<Form2>("Form2")};
    return windows;
}

}  // namespace

void RegisterWindows() {
    for (const auto& [name, factory] : Windows()) forms::App().register_form(name, factory);
}

std::vector<std::string> WindowList() {
    std::vector<std::string> names;
    for (const auto& window : Windows()) names.emplace_back(window.first);
    return names;
}

const char* FirstWindow(const Options& options) {
    return options.quiz_editor ? "Form2" : "startup";
}

}  // namespace app
