#include "app/view/pulldowns.h"

#include <FL/Fl.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Window.H>

#include <cstdint>
#include <exception>
#include <iostream>
#include <utility>
#include <vector>

#include "platform/loop/stack.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define TAVREL_FIBER_START(save, bottom, size) __sanitizer_start_switch_fiber(save, bottom, size)
#define TAVREL_FIBER_FINISH(save, bottom, size) __sanitizer_finish_switch_fiber(save, bottom, size)
#else
#define TAVREL_FIBER_START(save, bottom, size) ((void)(save), (void)(bottom), (void)(size))
#define TAVREL_FIBER_FINISH(save, bottom, size) ((void)(save), (void)(bottom), (void)(size))
#endif

namespace view {

namespace {
// The menu's loop draws every window and measures fonts on its stack, too.
constexpr std::size_t kMenuStackBytes = std::size_t{8} << 20;
// Waits that closing a menu may take before it has gone; each is one turn of its loop.
constexpr int kClosingTurns = 1000;

void Nothing(void*) {}
}  // namespace

Pulldowns::Pulldowns() {
    Fl::add_check(check, this);
}

Pulldowns::~Pulldowns() {
    try {
        close();
    } catch (...) {
        // The program is going: what failed on the menu's side has nobody left to tell.
    }
    Fl::remove_check(check, this);
    Fl::remove_timeout(Nothing, this);
    // A menu that never returned keeps its stack: the toolkit may still know its windows.
    if (m_bar) static_cast<void>(m_stack.release());
}

bool Pulldowns::run(Fl_Menu_Bar& bar, std::function<void()> pull, std::function<void()> closed) {
    if (m_bar) return false;
    if (!m_stack) {
        try {
            m_stack = std::make_unique<loop::StackMapping>(kMenuStackBytes);
        } catch (const loop::StackUnavailable& e) {
            std::cerr << "tavrel: the menu is not pulled down: " << e.what() << "\n";
            return false;
        }
    }
    m_bar = &bar;
    m_pull = std::move(pull);
    m_closed = std::move(closed);
    m_done = false;
    m_failure = nullptr;
    getcontext(&m_menu);
    m_menu.uc_stack.ss_sp = m_stack->bottom();
    m_menu.uc_stack.ss_size = m_stack->size();
    m_menu.uc_link = nullptr;
    auto self = reinterpret_cast<std::uintptr_t>(this);
    makecontext(&m_menu, reinterpret_cast<void (*)()>(entry), 2, static_cast<unsigned>(self >> 32),
                static_cast<unsigned>(self & 0xFFFFFFFFu));
    to_menu();
    if (m_done) finished();
    return true;
}

void Pulldowns::rethrow_failure() {
    if (m_failure) std::rethrow_exception(std::exchange(m_failure, nullptr));
}

void Pulldowns::entry(unsigned high, unsigned low) {
    auto* self = reinterpret_cast<Pulldowns*>((std::uintptr_t{high} << 32) | low);
    TAVREL_FIBER_FINISH(nullptr, &self->m_program_bottom, &self->m_program_size);
    // What the toolkit runs meanwhile (drawing, the room's lines, posting a chosen item) may
    // throw: the exception must not unwind past this frame, so it is carried to the program's
    // side and thrown again there. The menu has closed on the way out.
    try {
        self->m_pull();
    } catch (...) {
        self->m_failure = std::current_exception();
    }
    self->m_done = true;
    TAVREL_FIBER_START(nullptr, self->m_program_bottom, self->m_program_size);
    setcontext(&self->m_program);
}

void Pulldowns::to_menu() {
    m_in_menu = true;
    TAVREL_FIBER_START(&m_program_fake, m_stack->bottom(), m_stack->size());
    swapcontext(&m_program, &m_menu);
    TAVREL_FIBER_FINISH(m_program_fake, nullptr, nullptr);
    m_in_menu = false;
}

void Pulldowns::to_program() {
    TAVREL_FIBER_START(&m_menu_fake, m_program_bottom, m_program_size);
    swapcontext(&m_menu, &m_program);
    TAVREL_FIBER_FINISH(m_menu_fake, &m_program_bottom, &m_program_size);
}

// The toolkit calls its checks in every wait before it sleeps: the menu's loop hands back to
// the program there, having taken the events of one turn.
void Pulldowns::check(void* self) {
    auto* p = static_cast<Pulldowns*>(self);
    if (p->m_in_menu) p->to_program();
}

void Pulldowns::wait(double seconds) {
    if (!m_bar || m_in_menu) {
        Fl::wait(seconds);
        return;
    }
    Fl::add_timeout(seconds, Nothing, this);
    to_menu();
    Fl::remove_timeout(Nothing, this);
    if (m_done) finished();
}

void Pulldowns::finished() {
    m_bar = nullptr;
    m_done = false;
    m_pull = nullptr;
    std::function<void()> closed = std::move(m_closed);
    m_closed = nullptr;
    if (!m_failure) {
        if (closed) closed();
        return;
    }
    // The menu's loop was unwound: its windows and its grab may still stand.
    drop_menu_windows();
    rethrow_failure();
}

void Pulldowns::drop_menu_windows() {
    Fl::grab(nullptr);
    std::vector<Fl_Window*> menus;
    for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w))
        if (w->menu_window()) menus.push_back(w);
    for (Fl_Window* w : menus) w->hide();
}

void Pulldowns::close() {
    if (!m_bar || m_in_menu) return;
    if (Fl_Window* grab = Fl::grab()) {
        // The menu's own Escape: it closes with nothing chosen.
        int key = Fl::e_keysym;
        Fl::e_keysym = FL_Escape;
        grab->handle(FL_KEYBOARD);
        Fl::e_keysym = key;
    }
    for (int turn = 0; m_bar && turn < kClosingTurns; ++turn) wait(0);
    if (!m_bar) return;
    // A menu that would not close: at least its windows go, and the input with them.
    drop_menu_windows();
}

}  // namespace view
