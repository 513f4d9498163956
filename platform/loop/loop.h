#pragma once
// The program's one event loop: posted events, timers and the clock.
//
// Everything runs on one thread. The loop is a documented singleton (`EventLoop::instance()`),
// reset by drivers and tests with `reset()`. Its rules are spelled out at the top of loop.cpp.

#include <cstdint>
#include <exception>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace loop {

using Micros = std::int64_t;  // microseconds since the program started

// Thrown out of every waiting primitive once the program has ended, so that no pause, round of
// events or modal wait returns into program code after the end.
class Ended : public std::exception {
  public:
    const char* what() const noexcept override { return "program ended"; }
};

struct Options {
    bool virtual_time = true;
    double tick_ms = 15.625;             // the platform's timer granularity (64 per second)
    double clock_start_seconds = 43200;  // time of day at program start (12:00:00.000)
    std::uint64_t seed = 0;              // mixed into every seeding of the random generator
};

class EventLoop;

// A platform timer. Its handler is never entered again while it runs; due times that pass
// meanwhile are skipped.
class Timer {
  public:
    explicit Timer(std::function<void()> on_tick);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool enabled() const { return m_enabled; }
    void set_enabled(bool on);
    int interval() const { return m_interval_ms; }
    void set_interval(int ms);
    bool running() const { return m_running; }
    // When an enabled timer falls due; while its handler runs, the due time of that tick.
    Micros due() const { return m_due; }

  private:
    friend class EventLoop;
    void restart();

    std::function<void()> m_on_tick;
    bool m_enabled = false;
    int m_interval_ms = 0;
    bool m_running = false;
    Micros m_due = 0;
    std::uint64_t m_schedule = 0;  // bumped whenever the schedule restarts
    std::uint64_t m_order = 0;     // creation order
};

class EventLoop {
  public:
    static EventLoop& instance();

    // Starts afresh: no events, no timers' schedules, time zero, the clock at its start.
    void reset(const Options& options);
    const Options& options() const { return m_options; }

    Micros now() const;
    double time_of_day() const;  // seconds since midnight, exact, wrapping at midnight
    Micros tick() const { return m_tick; }

    // Handlers nest inside the rounds that pauses and boxes run. Posted events nest at most
    // this many levels, in every build and on every machine: a round run at the bound runs no
    // event, and those that wait meanwhile run, in order, once the nesting is below it. Timer
    // ticks go on at the bound; each timer adds at most one level, as it is never re-entered.
    static constexpr int kNestingBound = 1000;
    // How many posted events are running, each inside the one before.
    int nesting() const { return m_nesting; }

    // Posts an event. Posted by a piece of an input run (see below) from its own code, it runs
    // before the rest of that run; otherwise after every event waiting.
    void post(std::function<void()> event);
    // Posts the event when the clock reaches `when` (it then runs in that moment's round).
    void post_at(Micros when, std::function<void()> event);
    // Input from outside the program, as a driver's timeline gives it: `input` runs when the
    // clock reaches `when`, at the start of the next round, before that round's events and at
    // any nesting. It must run none of the program's handlers, only post events for them, so
    // what it brings takes its place in the order of events.
    void input_at(Micros when, std::function<void()> input);
    // A run of input that takes its turn among the posted events as one, such as the actions
    // of one moment of a script. Each time its turn comes, `next` runs the next piece of it, as
    // a posted event runs, and gives true; it gives false once nothing is left. The events a
    // piece posts from its own code run before the rest of the run, so each piece takes effect,
    // with what the program does with it, before the pieces after it; and a run of any length
    // waits in the queue as one entry.
    void post_input_run(std::function<bool()> next);

    // One round: the input due, then the events posted before it, in order (none at the
    // bound), then each due timer in creation order.
    void do_events();
    // The round of a wait (a pause, an open box) that is over once `over` gives true: from then
    // on it starts no further event, so that the wait can end and the handler inside it go on.
    // The events left wait for the rounds below.
    void do_events(const std::function<bool()>& over);
    // Waits until the earliest of: a posted event that may run, a due timer, scheduled input or
    // events, `deadline`.
    void wait_until(Micros deadline);
    // Runs rounds until the program ends.
    void run();
    // The moment the loop next has work: now when events are waiting and may run, else the
    // earliest due timer or scheduled input or event (far in the future when there is none).
    Micros next_wake() const;

    // Ends the program now: throws Ended.
    [[noreturn]] void end();
    // Ends the program when the current round has run.
    void end_after_round() { m_end_after_round = true; }
    bool ended() const { return m_ended; }

    // Real-time waiting can be handed to a front end that must keep its own windows alive. In
    // virtual time the front end is called with a timeout of 0 before each jump of the clock,
    // so its windows keep up with the program and the input they take is posted first.
    using Waiter = std::function<void(Micros timeout)>;
    void set_waiter(Waiter waiter) { m_waiter = std::move(waiter); }

    // The one random-number generator (std::mt19937), uniform in [0, 1).
    double rnd();
    void randomize();

    // Counts rounds run, for tests and benchmarks.
    std::uint64_t rounds() const { return m_rounds; }

  private:
    friend class Timer;
    void add_timer(Timer* t);
    void remove_timer(Timer* t);
    Micros boundary_at_or_after(Micros t) const;
    void release_due();
    // The one place that asks the bound: whether a round may run another posted event now.
    bool events_may_run() const;
    struct InputRun;
    void run_round(const std::function<bool()>* over);
    // Runs `body` one level deeper, as the code of `run` (a piece of that input run) or, with
    // none, of a plain event.
    void run_nested(InputRun* run, const std::function<void()>& body);
    void deliver(Timer& t);
    void check_ended() const;

    Options m_options;
    Micros m_tick = 15625;
    Micros m_virtual_now = 0;
    std::int64_t m_real_start_ns = 0;
    struct Posted {
        std::uint64_t order;
        std::function<void()> event;  // empty for an input run's entry
        std::shared_ptr<InputRun> run;
    };
    struct InputRun {
        std::function<bool()> next;
        std::uint64_t order = 0;
        bool queued = true;  // its entry is still in the queue, at `at`
        std::list<Posted>::iterator at = {};
    };
    // In the order they run. What a piece of an input run posts goes in before the run's entry,
    // with the entry's order, so the orders never fall along the queue.
    std::list<Posted> m_posted;
    // What runs at each level of nesting, innermost last: the input run whose piece it is, or
    // nullptr for a plain event, a timer or input.
    std::vector<InputRun*> m_running;
    std::uint64_t m_posted_order = 0;
    struct Scheduled {
        std::function<void()> action;
        bool input;  // run when due, rather than posted
    };
    // By due time, then by the order they were scheduled in.
    std::map<std::pair<Micros, std::uint64_t>, Scheduled> m_scheduled;
    std::uint64_t m_scheduled_order = 0;
    int m_nesting = 0;             // posted events running
    std::vector<Timer*> m_timers;  // creation order
    std::uint64_t m_timer_order = 0;
    bool m_ended = false;
    bool m_end_after_round = false;
    Waiter m_waiter;
    std::mt19937 m_random;
    std::uint64_t m_rounds = 0;
};

// The names the program's code uses.
inline void DoEvents() {
    EventLoop::instance().do_events();
}
float Clock();  // seconds since midnight, single precision, as the program's pauses read it
inline double Rnd() {
    return EventLoop::instance().rnd();
}
inline void Randomize() {
    EventLoop::instance().randomize();
}

}  // namespace loop
