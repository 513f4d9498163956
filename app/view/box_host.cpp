#include "app/view/box_host.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iostream>

#include "app/view/box_windows.h"
#include "app/view/file_dialog_window.h"
#include "app/view/pulldowns.h"
#include "app/view/view_context.h"
#include "platform/loop/loop.h"

namespace view {

// A box on the screen from its opening until it is answered, or until its call returns when a
// script answers it; only the newest on the screen takes input.
class BoxHost::Opened {
  public:
    Opened(BoxHost& host, BoxWindow& box, const char* kind, std::string text,
           std::function<void()> answered = nullptr)
        : m_host(host), m_box(box), m_kind(kind), m_text(std::move(text)) {
        host.m_pulldowns.close();
        if (!host.m_open.empty()) host.m_open.back()->deactivate();
        host.m_open.push_back(&box);
        box.on_done = [this, answered = std::move(answered)] {
            gone();
            m_host.report(m_kind + " answered", m_text);
            if (answered) answered();
        };
        box.show();
        box.take_keyboard();
        host.report(m_kind + " opened", m_text);
    }
    ~Opened() {
        m_box.on_done = nullptr;
        gone();
        m_host.report(m_kind + " closed", m_text);
    }
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;

  private:
    void gone() {
        if (m_gone) return;
        m_gone = true;
        m_box.hide();
        auto& open = m_host.m_open;
        open.erase(std::find(open.begin(), open.end(), &m_box));
        if (!open.empty()) {
            BoxWindow* under = open.back();
            under->activate();
            under->take_keyboard();
        }
    }

    BoxHost& m_host;
    BoxWindow& m_box;
    std::string m_kind;
    std::string m_text;
    bool m_gone = false;
};

void BoxHost::report(const std::string& what, const std::string& text) const {
    if (!m_report) return;
    char at[32];
    std::snprintf(at, sizeof at, "%.2f",
                  static_cast<double>(loop::EventLoop::instance().now()) / 1e6);
    std::cerr << "person: " << what << " at " << at << ": " << ScreenText(text) << std::endl;
}

template <class Closed>
void BoxHost::run_until(Closed closed) {
    auto& loop = loop::EventLoop::instance();
    constexpr loop::Micros kNoDeadline = INT64_MAX / 4;
    const std::function<bool()> over = closed;
    while (!over()) {
        loop.do_events(over);
        if (!over()) loop.wait_until(kNoDeadline);
    }
}

int BoxHost::message_box(const forms::MessageBoxRequest& request) {
    return message_box(request, nullptr);
}

int BoxHost::message_box(const forms::MessageBoxRequest& request,
                         std::function<void(int)> answered) {
    MessageBoxWindow box(request, m_fonts, m_answerer == nullptr);
    Opened opened(*this, box, "message box", request.text, [&box, answered] {
        if (answered) answered(box.result());
    });
    if (m_answerer) return m_answerer->message_box(request);
    run_until([&box] { return box.done(); });
    return box.result();
}

std::optional<std::string> BoxHost::input_box(const forms::InputBoxRequest& request) {
    return input_box(request, nullptr);
}

std::optional<std::string> BoxHost::input_box(const forms::InputBoxRequest& request,
                                              Answered answered) {
    InputBoxWindow box(request, m_fonts, m_answerer == nullptr);
    Opened opened(*this, box, "input box", request.prompt, [&box, answered] {
        if (answered) answered(box.answer());
    });
    if (m_answerer) return m_answerer->input_box(request);
    run_until([&box] { return box.done(); });
    return box.answer();
}

std::optional<std::string> BoxHost::file_dialog(const forms::FileDialogRequest& request) {
    FileDialogWindow box(request, m_fonts, m_answerer == nullptr, *this);
    Opened opened(*this, box, "file dialog", request.save ? "Save As" : "Open");
    if (m_answerer) return m_answerer->file_dialog(request);
    run_until([&box] { return box.done(); });
    // A path is bytes for the file system; it goes to the program as the dialog gives it.
    return box.answer();
}

}  // namespace view
