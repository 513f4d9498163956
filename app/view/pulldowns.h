#pragma once
// The program keeps running while a menu is pulled down. The toolkit's pulled-down menu runs a
// loop of its own until it closes. That loop runs here on a stack of its own, beside the
// program: the program's event loop goes on as if no menu were open (timers on their
// boundaries, chat lines judged, pauses ending when they are due), and each of its waits lets
// the menu's loop take the window events instead of waiting for them itself. So the menu stays
// live and an item chosen from it runs its handler in the loop's next round, as usual.
//
// Only one menu is pulled down at a time: a menu bar asks here before it opens one, and is
// refused while another is open. A box that opens while a menu is down closes the menu first,
// choosing nothing, so that the box takes the input. An exception thrown on the menu's side
// closes the menu and is thrown again on the program's side, from the wait that was running
// it. Where no stack can be made for the menu, it says so on standard error and does not open.

#include <ucontext.h>

#include <cstddef>
#include <exception>
#include <functional>
#include <memory>

namespace loop {
class StackMapping;
}

class Fl_Menu_Bar;

namespace view {

class Pulldowns {
  public:
    Pulldowns();
    ~Pulldowns();
    Pulldowns(const Pulldowns&) = delete;
    Pulldowns& operator=(const Pulldowns&) = delete;

    // Starts `pull`, which pulls a menu of `bar` down and returns once the menu has closed,
    // and returns as soon as the menu waits for events; `closed` runs once it has closed. False,
    // running neither, while a menu is already down or when it has no stack to run on.
    bool run(Fl_Menu_Bar& bar, std::function<void()> pull, std::function<void()> closed = {});
    // The menu bar whose menu is down, or nullptr.
    Fl_Menu_Bar* open_bar() const { return m_bar; }
    // Closes the menu that is down, choosing nothing, and returns once it has gone.
    void close();
    // The front end's wait while a menu is down: the menu's loop takes the events, for at most
    // `seconds`.
    void wait(double seconds);

  private:
    static void entry(unsigned high, unsigned low);
    static void check(void* self);
    void to_menu();
    void to_program();
    void finished();
    void rethrow_failure();
    void drop_menu_windows();

    Fl_Menu_Bar* m_bar = nullptr;
    std::function<void()> m_pull;
    std::function<void()> m_closed;
    bool m_in_menu = false;  // the menu's stack runs
    bool m_done = false;     // its loop has returned
    ucontext_t m_program{};
    ucontext_t m_menu{};
    std::unique_ptr<loop::StackMapping> m_stack;  // made at the first pull, kept for the next
    std::exception_ptr m_failure;                 // thrown on the menu's side
    // Where the sanitizer keeps each side's state across a switch.
    void* m_program_fake = nullptr;
    void* m_menu_fake = nullptr;
    const void* m_program_bottom = nullptr;
    std::size_t m_program_size = 0;
};

}  // namespace view
