#include "app/view/desktop_view.h"

#include <FL/Fl.H>
#include <FL/Fl_Shared_Image.H>
#include <FL/x.H>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "app/view/box_windows.h"
#include "app/view/window_picture.h"
#include "platform/forms/application.h"
#include "platform/loop/loop.h"

namespace view {

std::unique_ptr<DesktopView> DesktopView::Open() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) return nullptr;
    // A display server that is just starting, or busy, may refuse a first connection.
    Display* display = nullptr;
    for (int attempt = 0; attempt < 5 && !display; ++attempt) {
        if (attempt > 0) usleep(200'000);
        display = XOpenDisplay(name);
    }
    if (!display) return nullptr;
    // The toolkit takes this connection instead of opening one of its own, which would end
    // the program on a refusal.
    fl_open_display(display);
    return std::unique_ptr<DesktopView>(new DesktopView());
}

DesktopView::~DesktopView() {
    detach();
}

forms::ModalHost* DesktopView::attach(forms::ModalHost* script_host) {
    auto& app = forms::App();
    fl_register_images();
    Fl::background(212, 208, 200);  // the classic face colour of buttons and windows
    m_fonts = std::make_unique<FontBook>(app.twips_per_pixel);
    m_context = std::make_unique<ViewContext>(
        ViewContext{*m_fonts, script_host == nullptr, app.twips_per_pixel});
    app.screen_width = Fl::w() * app.twips_per_pixel;
    app.screen_height = Fl::h() * app.twips_per_pixel;
    app.set_metrics(std::make_unique<ScreenMetrics>(*m_fonts));
    app.set_observer(
        [this](forms::Form& form, forms::Control* control) { changed(form, control); });
    m_boxes = std::make_unique<BoxHost>(*m_fonts, script_host);
    m_room = std::make_unique<RoomWindow>(*m_fonts, m_context->interactive);
    m_listener = chatclient::ChatClient::instance().add_listener(
        [this](const chatclient::Line& line) { heard(line); });
    if (const char* folder = std::getenv("TAVREL_VIEW_CAPTURE")) m_capture_folder = folder;
    loop::EventLoop::instance().set_waiter([this](loop::Micros timeout) { wait(timeout); });
    return m_boxes.get();
}

void DesktopView::detach() {
    if (!m_context) return;
    loop::EventLoop::instance().set_waiter(nullptr);
    forms::App().set_observer(nullptr);
    chatclient::ChatClient::instance().remove_listener(m_listener);
    m_windows.clear();
    m_new_forms.clear();
    m_room.reset();
    m_boxes.reset();
    m_context.reset();
    Fl::check();
}

void DesktopView::changed(forms::Form& form, forms::Control* control) {
    // Called inside the model's own changes, even while a form is being built: the widgets
    // are only made and brought up to date before the next wait.
    auto it = m_windows.find(&form);
    if (it != m_windows.end())
        it->second->mark(control);
    else if (std::find(m_new_forms.begin(), m_new_forms.end(), &form) == m_new_forms.end())
        m_new_forms.push_back(&form);
}

void DesktopView::apply() {
    for (forms::Form* form : m_new_forms)
        m_windows.emplace(form, std::make_unique<FormWindow>(*form, *m_context));
    m_new_forms.clear();
    for (auto& [form, window] : m_windows) window->apply();
    m_room->apply();
}

void DesktopView::wait(loop::Micros timeout) {
    apply();
    Fl::wait(static_cast<double>(timeout) / 1e6);
}

void DesktopView::heard(const chatclient::Line& line) {
    if (m_capture_folder.empty() || line.name != kCameraName) return;
    std::string tag;
    for (char c : line.text)
        tag += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c : '_';
    capture(tag.empty() ? "picture" : tag);
}

void DesktopView::capture(const std::string& tag) {
    apply();
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(m_capture_folder, ec);
    auto write = [&](Fl_Window& window, const std::string& name) {
        WriteWindowPicture(window,
                           (fs::path(m_capture_folder) / (tag + "-" + name + ".png")).string());
    };
    for (auto& [form, window] : m_windows)
        if (window->showing()) write(*window, form->name());
    if (m_room->shown()) write(*m_room, "room");
    const auto& boxes = m_boxes->open_boxes();
    if (!boxes.empty()) write(*boxes.back(), "box");
}

}  // namespace view
