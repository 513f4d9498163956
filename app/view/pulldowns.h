#pragma once
// The program keeps running while a menu is pulled down. The toolkit's pulled-down menu runs a
// loop of its own until it closes; while it is open, this drives the program's event loop from
// inside that loop: a round whenever the loop has work (timers on their boundaries, posted
// events, a script's actions), and in virtual time the clock's jumps between them. So timers
// tick and chat lines are judged as they would be with no menu open, as the platform's own
// menus let timer messages through.
//
// Only one menu is pulled down at a time: a menu bar asks here before it opens one, and is
// refused while another is open (a handler run from inside the menu may let a person click
// again). A box that opens while a menu is down closes the menu first, choosing nothing, so
// the box takes the input. Whatever the program throws from inside the menu (its end) closes
// the menu and is thrown again by the wait that was running when the menu opened, so it never
// passes through the toolkit's frames.
//
// A handler that is waiting in a pause when the menu opens goes on once the menu closes, since
// the menu's loop runs inside that pause; everything else goes on meanwhile.

#include <exception>
#include <functional>

class Fl_Menu_Bar;

namespace view {

class Pulldowns {
  public:
    explicit Pulldowns(bool virtual_time);
    ~Pulldowns();
    Pulldowns(const Pulldowns&) = delete;
    Pulldowns& operator=(const Pulldowns&) = delete;

    // Runs `pull`, which pulls a menu of `bar` down and returns once it has closed; false,
    // without running it, while a menu is already down.
    bool run(Fl_Menu_Bar& bar, const std::function<void()>& pull);
    // The menu bar whose menu is down, or nullptr.
    Fl_Menu_Bar* open_bar() const { return m_bar; }
    // Closes the menu that is down, choosing nothing. Nothing happens when none is.
    void close();

    // Marks the front end's own wait of the event loop while it runs: the program's loop then
    // drives itself, and nothing is run from here.
    class OwnWait {
      public:
        explicit OwnWait(Pulldowns& p) : m_p(p) { ++m_p.m_own_waits; }
        ~OwnWait() { --m_p.m_own_waits; }
        OwnWait(const OwnWait&) = delete;
        OwnWait& operator=(const OwnWait&) = delete;

      private:
        Pulldowns& m_p;
    };
    // After an own wait: throws what the program threw inside a menu that has closed since.
    void rethrow_pending();

  private:
    static void tick(void* self);
    static void check(void* self);
    void arm();

    bool m_virtual_time;
    Fl_Menu_Bar* m_bar = nullptr;
    int m_own_waits = 0;
    int m_own_waits_at_open = 0;
    bool m_closing = false;
    std::exception_ptr m_failure;
};

}  // namespace view
