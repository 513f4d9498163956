#include "app/view/box_host.h"

#include <FL/Fl_File_Chooser.H>

#include <filesystem>

#include "app/view/box_windows.h"
#include "app/view/chooser_pattern.h"
#include "app/view/pulldowns.h"
#include "app/view/view_context.h"
#include "platform/loop/loop.h"

namespace view {

// A box on the screen for as long as it is open; only the newest takes input.
class BoxHost::Opened {
  public:
    Opened(BoxHost& host, Fl_Window& box) : m_host(host), m_box(box) {
        host.m_pulldowns.close();
        if (!host.m_open.empty()) host.m_open.back()->deactivate();
        host.m_open.push_back(&box);
        box.show();
    }
    ~Opened() {
        m_box.hide();
        m_host.m_open.pop_back();
        if (!m_host.m_open.empty()) m_host.m_open.back()->activate();
    }
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;

  private:
    BoxHost& m_host;
    Fl_Window& m_box;
};

template <class Closed>
void BoxHost::run_until(Closed closed) {
    auto& loop = loop::EventLoop::instance();
    constexpr loop::Micros kNoDeadline = INT64_MAX / 4;
    while (!closed()) {
        loop.do_events();
        if (!closed()) loop.wait_until(kNoDeadline);
    }
}

int BoxHost::message_box(const forms::MessageBoxRequest& request) {
    MessageBoxWindow box(request, m_fonts, m_answerer == nullptr);
    Opened opened(*this, box);
    if (m_answerer) return m_answerer->message_box(request);
    run_until([&box] { return box.done(); });
    return box.result();
}

std::optional<std::string> BoxHost::input_box(const forms::InputBoxRequest& request) {
    InputBoxWindow box(request, m_fonts, m_answerer == nullptr);
    Opened opened(*this, box);
    if (m_answerer) return m_answerer->input_box(request);
    run_until([&box] { return box.done(); });
    return box.answer();
}

std::optional<std::string> BoxHost::file_dialog(const forms::FileDialogRequest& request) {
    std::error_code ec;
    std::string folder = request.init_dir.empty() ? std::filesystem::current_path(ec).string()
                                                  : ScreenText(request.init_dir);
    std::string pattern = ChooserPattern(request.filter);
    // The toolkit's own chooser: it runs in this loop, so timers keep their pace meanwhile.
    Fl_File_Chooser chooser(folder.c_str(), pattern.empty() ? nullptr : pattern.c_str(),
                            request.save ? Fl_File_Chooser::CREATE : Fl_File_Chooser::SINGLE,
                            request.save ? "Save As" : "Open");
    m_pulldowns.close();
    chooser.show();
    struct Hide {
        Fl_File_Chooser& chooser;
        ~Hide() { chooser.hide(); }
    } hide{chooser};
    if (m_answerer) return m_answerer->file_dialog(request);
    run_until([&chooser] { return !chooser.shown(); });
    if (chooser.count() == 0 || !chooser.value()) return std::nullopt;
    // A path is bytes for the file system; it goes to the program as the chooser gives it.
    return std::string(chooser.value());
}

}  // namespace view
