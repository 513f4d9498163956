#pragma once
// The program's windows as one application: the forms by name (created on first use, as the
// program refers to them), the screen, the text measures, the modal host, and the observer
// that a view uses to follow every change. A documented singleton; `reset()` discards every
// form, for tests and for a second run in one process.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/font.h"
#include "platform/forms/form.h"
#include "platform/forms/modal.h"

namespace forms {

class Application {
public:
    static Application& instance();
    void reset();

    using Factory = std::function<std::unique_ptr<Form>()>;
    void register_form(const std::string& name, Factory factory);
    // The form of that name, created (not loaded) when it does not exist.
    Form& get(const std::string& name);
    template <class F>
    F& get(const std::string& name) {
        return static_cast<F&>(get(name));
    }
    Form* find(const std::string& name) const;  // nullptr when it does not exist
    bool registered(const std::string& name) const { return m_factories.count(name) > 0; }
    std::vector<Form*> forms() const;
    // An unloaded form is forgotten; the object lives on until reset, since its own handler
    // may still be running.
    void discard(Form& form);

    using Observer = std::function<void(Form&, Control*)>;
    void set_observer(Observer observer) { m_observer = std::move(observer); }
    void notify(Form& form, Control* control) {
        if (m_observer) m_observer(form, control);
    }

    int screen_width = 1024 * 15;  // twips
    int screen_height = 768 * 15;
    int twips_per_pixel = 15;

    const TextMetrics& metrics() const { return *m_metrics; }
    void set_metrics(std::unique_ptr<TextMetrics> metrics) { m_metrics = std::move(metrics); }

    ModalHost* modal_host() const { return m_modal_host; }
    void set_modal_host(ModalHost* host) { m_modal_host = host; }
    int modal_depth = 0;

    std::string title = "tavrel";  // the program's title, shown by boxes that name none
    std::string program_folder = ".";

private:
    std::map<std::string, Factory> m_factories;
    std::map<std::string, std::unique_ptr<Form>> m_forms;
    std::vector<std::unique_ptr<Form>> m_discarded;
    Observer m_observer;
    std::unique_ptr<TextMetrics> m_metrics = std::make_unique<HeadlessMetrics>();
    ModalHost* m_modal_host = nullptr;
};

inline Application& App() { return Application::instance(); }

}  // namespace forms
