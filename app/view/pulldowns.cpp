#include "app/view/pulldowns.h"

#include <FL/Fl.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Window.H>

#include <algorithm>
#include <vector>

#include "platform/loop/loop.h"

namespace view {

namespace {
constexpr loop::Micros kNoDeadline = INT64_MAX / 4;
constexpr double kLongestSleep = 1.0;  // seconds; the loop's own waits are as short
}  // namespace

Pulldowns::Pulldowns(bool virtual_time) : m_virtual_time(virtual_time) {
    Fl::add_check(check, this);
}

Pulldowns::~Pulldowns() {
    Fl::remove_check(check, this);
    Fl::remove_timeout(tick, this);
}

bool Pulldowns::run(Fl_Menu_Bar& bar, const std::function<void()>& pull) {
    if (m_bar) return false;
    m_bar = &bar;
    m_closing = false;
    m_own_waits_at_open = m_own_waits;
    arm();
    pull();
    Fl::remove_timeout(tick, this);
    m_bar = nullptr;
    m_closing = false;
    return true;
}

void Pulldowns::arm() {
    Fl::remove_timeout(tick, this);
    double delay = 0;
    if (!m_virtual_time) {
        auto& loop = loop::EventLoop::instance();
        loop::Micros wait = loop.next_wake() - loop.now();
        delay = std::clamp(static_cast<double>(wait) / 1e6, 0.0, kLongestSleep);
    }
    Fl::add_timeout(delay, tick, this);
}

// The toolkit calls its checks once in every wait, after the timeouts that fell due: arming
// here, rather than inside the tick, gives the menu's loop its turn between two rounds.
void Pulldowns::check(void* self) {
    auto* p = static_cast<Pulldowns*>(self);
    if (!p->m_bar || p->m_closing || p->m_own_waits != p->m_own_waits_at_open) return;
    p->arm();
}

void Pulldowns::tick(void* self) {
    auto* p = static_cast<Pulldowns*>(self);
    // A handler run from here that pauses waits through the front end: the loop drives itself.
    if (!p->m_bar || p->m_closing || p->m_own_waits != p->m_own_waits_at_open) return;
    auto& loop = loop::EventLoop::instance();
    try {
        loop.do_events();
        if (p->m_virtual_time) loop.wait_until(kNoDeadline);
    } catch (...) {
        p->m_failure = std::current_exception();
        p->close();
    }
}

void Pulldowns::close() {
    if (!m_bar || m_closing) return;
    m_closing = true;
    Fl::remove_timeout(tick, this);
    if (Fl_Window* grab = Fl::grab()) {
        // The menu's own Escape: it closes with nothing chosen.
        int key = Fl::e_keysym;
        Fl::e_keysym = FL_Escape;
        grab->handle(FL_KEYBOARD);
        Fl::e_keysym = key;
        Fl::grab(nullptr);
    }
    std::vector<Fl_Window*> menus;
    for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w))
        if (w->menu_window()) menus.push_back(w);
    for (Fl_Window* w : menus) w->hide();
}

void Pulldowns::rethrow_pending() {
    if (!m_failure || m_bar) return;
    std::exception_ptr failure = m_failure;
    m_failure = nullptr;
    std::rethrow_exception(failure);
}

}  // namespace view
