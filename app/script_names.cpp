#include "app/script_names.h"

#include "common/progress_bar.h"
#include "platform/desktop/desktop.h"
#include "platform/forms/application.h"

namespace app {

WindowNames CatalogueWindows(const std::vector<std::string>& windows) {
    auto& app = forms::App();
    WindowNames known;
    for (const std::string& window : windows) {
        std::optional<std::set<std::string>> names;
        try {
            forms::Form& form = app.get(window);
            names.emplace();
            for (const forms::Control* control : form.controls()) names->insert(control->name());
        } catch (const ComponentMissing&) {
        }
        known[window] = std::move(names);
    }
    app.reset();
    desktop::Desktop::instance().reset();
    return known;
}

std::optional<std::string> UnknownName(const Action& a, const WindowNames& known) {
    bool names_control = false;
    switch (a.verb) {
        case Verb::Click:
        case Verb::Menu:
        case Verb::Type:
        case Verb::Select:
        case Verb::Check:
        case Verb::Hover:
            names_control = true;
            break;
        case Verb::Close:
            break;
        default:
            return std::nullopt;
    }
    auto window = known.find(a.form);
    if (window == known.end()) return "no such window";
    if (!names_control || !window->second || window->second->count(a.target)) return std::nullopt;
    return a.verb == Verb::Menu ? "no such menu item" : "no such control";
}

}  // namespace app
