#include "platform/forms/application.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace forms {

Application& Application::instance() {
    static Application app;
    return app;
}

void Application::reset() {
    m_forms.clear();
    m_discarded.clear();
    m_observer = nullptr;
    m_metrics = std::make_unique<HeadlessMetrics>();
    m_modal_host = nullptr;
    modal_depth = 0;
    screen_width = 1024 * 15;
    screen_height = 768 * 15;
    twips_per_pixel = 15;
}

void Application::register_form(const std::string& name, Factory factory) {
    m_factories[name] = std::move(factory);
}

Form& Application::get(const std::string& name) {
    auto it = m_forms.find(name);
    if (it != m_forms.end()) return *it->second;
    auto factory = m_factories.find(name);
    if (factory == m_factories.end()) throw std::out_of_range("no form named " + name);
    // Built before it is filed, so a form whose construction throws leaves no empty entry.
    auto form = factory->second();
    auto& slot = m_forms[name];
    slot = std::move(form);
    return *slot;
}

Form* Application::find(const std::string& name) const {
    auto it = m_forms.find(name);
    return it == m_forms.end() ? nullptr : it->second.get();
}

std::vector<Form*> Application::forms() const {
    std::vector<Form*> all;
    for (auto& [name, form] : m_forms) all.push_back(form.get());
    return all;
}

void Application::discard(Form& form) {
    auto it = m_forms.find(form.name());
    if (it == m_forms.end() || it->second.get() != &form) return;
    m_discarded.push_back(std::move(it->second));
    m_forms.erase(it);
}

}  // namespace forms
