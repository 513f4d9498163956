#include "app/view/desktop_view.h"

#include <FL/Fl.H>
#include <FL/Fl_PNG_Image.H>
#include <FL/Fl_Shared_Image.H>
#include <FL/x.H>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "app/view/box_windows.h"
#include "app/view/window_picture.h"
#include "platform/forms/application.h"
#include "platform/loop/loop.h"
#include "platform/signals/ending_signals.h"

namespace view {

namespace {

// The display is gone: every window went with it, and nothing of the program can be shown or
// asked any more. The program ends here, without the destructors that would take its windows
// down through the lost connection, but with the demo's folder removed. The transcript is
// written line by line and the settings file is only ever replaced whole, so both stay as they
// were.
int DisplayLost(Display* display) {
    std::cout.flush();
    std::fprintf(stderr, "tavrel: the connection to the display %s was lost; the program ends\n",
                 DisplayString(display));
    signals::EndAtOnce(1);
}

}  // namespace

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
    XSetIOErrorHandler(DisplayLost);
    std::unique_ptr<DesktopView> view(new DesktopView());
    view->m_virtual_time = std::getenv("TAVREL_VIEW_VIRTUAL") != nullptr;
    view->m_hand = std::getenv("TAVREL_VIEW_HAND") != nullptr;
    return view;
}

DesktopView::~DesktopView() {
    detach();
}

forms::ModalHost* DesktopView::attach(forms::ModalHost* script_host) {
    auto& app = forms::App();
    fl_register_images();
    Fl::background(212, 208, 200);  // the classic face colour of buttons and windows
    // Every window is the program's: its class, and its icon where no form names one.
    Fl_Window::default_xclass("tavrel");
    std::string icon = FindAsset(kProgramIcon);
    if (!icon.empty()) {
        m_icon = std::make_unique<Fl_PNG_Image>(icon.c_str());
        if (m_icon->w() > 0 && m_icon->d() >= 3) Fl_Window::default_icon(m_icon.get());
    }
    m_pulldowns = std::make_unique<Pulldowns>();
    m_fonts = std::make_unique<FontBook>(app.twips_per_pixel);
    m_context = std::make_unique<ViewContext>(
        ViewContext{*m_fonts, script_host == nullptr, app.twips_per_pixel, m_pulldowns.get()});
    app.screen_width = Fl::w() * app.twips_per_pixel;
    app.screen_height = Fl::h() * app.twips_per_pixel;
    app.set_metrics(std::make_unique<ScreenMetrics>(*m_fonts));
    app.set_observer(
        [this](forms::Form& form, forms::Control* control) { changed(form, control); });
    // A person may take the boxes and the room's typing line while a script drives the rest.
    bool person = script_host == nullptr || std::getenv("TAVREL_VIEW_PERSON") != nullptr;
    m_boxes = std::make_unique<BoxHost>(*m_fonts, *m_pulldowns, person ? nullptr : script_host);
    m_boxes->set_reporting(script_host != nullptr && person);
    m_room = std::make_unique<RoomWindow>(*m_fonts, person);
    m_listener = chatclient::ChatClient::instance().add_listener(
        [this](const chatclient::Line& line) { heard(line); });
    if (const char* folder = std::getenv("TAVREL_VIEW_CAPTURE")) m_capture_folder = folder;
    loop::EventLoop::instance().set_waiter([this](loop::Micros timeout) { wait(timeout); });
    return m_boxes.get();
}

void DesktopView::detach() {
    if (!m_context) return;
    m_pulldowns->close();
    loop::EventLoop::instance().set_waiter(nullptr);
    forms::App().set_observer(nullptr);
    chatclient::ChatClient::instance().remove_listener(m_listener);
    m_windows.clear();
    m_new_forms.clear();
    m_room.reset();
    m_boxes.reset();
    m_context.reset();
    Fl::remove_timeout(hand_moves, this);
    m_hand_moves.clear();
    m_pulldowns.reset();
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
    bool shown_now = false;
    for (auto& [form, window] : m_windows) shown_now = window->apply() || shown_now;
    m_room->apply();
    // The boxes stay above the program's windows, also above one that shows while they are open.
    if (shown_now)
        for (BoxWindow* box : m_boxes->open_boxes()) box->show();
}

void DesktopView::wait(loop::Micros timeout) {
    apply();
    double seconds = static_cast<double>(timeout) / 1e6;
    // A menu that is down takes the window events in its own loop.
    if (m_pulldowns->open_bar())
        m_pulldowns->wait(seconds);
    else
        Fl::wait(seconds);
}

void DesktopView::heard(const chatclient::Line& line) {
    if (m_hand && line.name == kHandName) {
        // Moved from the toolkit's side, as a person's input arrives, not inside this round.
        m_hand_moves.push_back(line.text);
        Fl::add_timeout(0.0, hand_moves, this);
        return;
    }
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
    for (auto& [form, window] : m_windows) {
        if (!window->showing()) continue;
        write(*window, form->name());
        std::ofstream captions(fs::path(m_capture_folder) /
                               (tag + "-" + form->name() + "-captions.txt"));
        for (const auto& [name, fit] : window->caption_fits())
            captions << name << ' ' << fit.width << ' ' << fit.room_width << ' ' << fit.height
                     << ' ' << fit.room_height << '\n';
        if (const Fl_RGB_Image* icon = window->icon_image())
            WriteIconPicture(
                *icon,
                (fs::path(m_capture_folder) / (tag + "-" + form->name() + "-icon.png")).string());
    }
    if (m_room->shown()) write(*m_room, "room");
    const auto& boxes = m_boxes->open_boxes();
    if (!boxes.empty()) write(*boxes.back(), "box");
}

}  // namespace view

namespace view {

void DesktopView::hand_moves(void* view) {
    auto* self = static_cast<DesktopView*>(view);
    if (self->m_hand_moves.empty()) return;
    std::string move = self->m_hand_moves.front();
    self->m_hand_moves.pop_front();
    self->move_hand(move);
}

void DesktopView::move_hand(const std::string& move) {
    auto report = [](const std::string& what) {
        char at[32];
        std::snprintf(at, sizeof at, "%.2f",
                      static_cast<double>(loop::EventLoop::instance().now()) / 1e6);
        std::cerr << "hand: " << what << " at " << at << std::endl;
    };
    if (move.rfind("pull ", 0) == 0) {
        std::string target = move.substr(5);
        std::size_t dot = target.find('.');
        forms::Form* form = forms::App().find(target.substr(0, dot));
        auto* top = form && dot != std::string::npos
                        ? dynamic_cast<forms::MenuItem*>(form->find(target.substr(dot + 1)))
                        : nullptr;
        apply();
        auto it = form ? m_windows.find(form) : m_windows.end();
        MenuBarView* bar = it != m_windows.end() ? it->second->menu_bar() : nullptr;
        if (!top || !bar || !it->second->showing()) {
            report("no menu " + target + " to pull down");
            return;
        }
        if (m_pulldowns->open_bar()) {
            report("menu " + target + " stayed up");
            return;
        }
        report("pulled " + target + " down");
        bar->pull_down(*top, [report] { report("menu closed"); });
        return;
    }
    static const std::map<std::string, int> kKeys = {{"Up", FL_Up},        {"Down", FL_Down},
                                                     {"Left", FL_Left},    {"Right", FL_Right},
                                                     {"Return", FL_Enter}, {"Escape", FL_Escape}};
    auto key = move.rfind("key ", 0) == 0 ? kKeys.find(move.substr(4)) : kKeys.end();
    // Only into a menu that shows: one that has closed, while the loop below it has still to
    // return, takes no more keys.
    Fl_Window* menu = Fl::grab();
    bool showing = false;
    for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w))
        showing = showing || (w->menu_window() && w->visible());
    if (key == kKeys.end() || !menu || !showing) {
        report("cannot " + move);
        return;
    }
    int saved = Fl::e_keysym;
    Fl::e_keysym = key->second;
    menu->handle(FL_KEYBOARD);
    Fl::e_keysym = saved;
}

}  // namespace view
