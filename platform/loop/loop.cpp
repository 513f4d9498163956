// The event loop.
//
// Rules, in the order the program relies on them:
// - One thread. Work arrives as posted events (chat lines, a person's clicks and keys, script
//   actions) and as timer ticks. A driver's timeline brings its input with `input_at`: each
//   piece runs at the start of the first round at or after its moment, at any nesting, and
//   posts the events it brings, so they run in that round, before its timers.
// - An input run (`post_input_run`, a script's actions of one moment) waits in the queue as
//   one entry and gives one piece each time its turn comes. What a piece posts from its own
//   code (a chat line's event for the line it said, say) goes in before the entry, with its
//   order, and so runs in the same round, before the next piece: each piece takes effect with
//   what the program does with it before the pieces after it, and all before the round's
//   timers. A handler that pauses runs the next piece inside its pause, at the same moment.
// - Ticks fall only on the platform's tick boundaries: every `tick` microseconds from program
//   start (15.625 ms by default, 64 per second). A timer switched on at t0, or whose interval is
//   set, falls due at the first boundary at or after t0 + interval; after each due time the next
//   is the first boundary at or after that due time + interval. So a 1 ms timer ticks at every
//   boundary, a 50 ms timer every 62.5 ms and a 1000 ms timer every second.
// - Setting a timer's enabled flag or interval to the value it has changes nothing.
// - A round runs at one moment: first the input due by then, then the events posted before it,
//   in order, then each timer due at that moment, in creation order.
// - A timer's handler is never entered again while it runs, also while it waits in a pause or
//   runs rounds of its own. Due times that pass meanwhile are skipped, never queued; a timer
//   switched off delivers nothing more.
// - Waiting: real time sleeps (or lets the front end wait) until the next due tick, posted
//   event or deadline; virtual time jumps the clock there, after a look at the front end's
//   windows when there is one. Virtual time moves only in waits.
// - Nesting: a handler that pauses or opens a box runs rounds inside itself, so handlers nest.
//   Posted events (chat lines, clicks, menu choices, keys, the script's input to windows) nest at
//   most `kNestingBound` levels: a round run at the bound runs no event. They wait, in order,
//   while the wait runs on to its deadline with the clock and the timers going on, and run,
//   oldest first, once the nesting is below the bound. Every kind of event waits alike, so
//   none overtakes an older one. Timers are not held: a timer is never entered again while it
//   runs, so its ticks add at most one level each, and the program's clocks and announcements
//   keep their pace at the bound. So the stack the program needs is bounded by the same
//   numbers in every build and on every machine.
// - A wait that is over (its time is up, its box has its answer) starts no further event in its
//   round: its handler goes on, and the rounds below take what waits. So when a wait at the
//   bound ends, the waits below it whose time is up unwind with it rather than fill the bound
//   again, and a flood that reaches the bound takes about one pause of its handler for each
//   bound's worth of events, not one pause each.
// - Ending the program throws `Ended` out of the waiting primitives, unwinding every running
//   handler.
#include "platform/loop/loop.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

namespace loop {

namespace {
std::int64_t steady_ns() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
constexpr Micros kFarFuture = INT64_MAX / 4;
}  // namespace

// --- Timer -------------------------------------------------------------------------------

Timer::Timer(std::function<void()> on_tick) : m_on_tick(std::move(on_tick)) {
    EventLoop::instance().add_timer(this);
}

Timer::~Timer() {
    EventLoop::instance().remove_timer(this);
}

void Timer::set_enabled(bool on) {
    if (on == m_enabled) return;
    m_enabled = on;
    if (on) restart();
}

void Timer::set_interval(int ms) {
    if (ms == m_interval_ms) return;
    m_interval_ms = ms;
    if (m_enabled) restart();
}

void Timer::restart() {
    auto& loop = EventLoop::instance();
    m_due = loop.boundary_at_or_after(loop.now() + Micros{m_interval_ms} * 1000);
    ++m_schedule;
}

// --- EventLoop ---------------------------------------------------------------------------

EventLoop& EventLoop::instance() {
    static EventLoop loop;
    return loop;
}

void EventLoop::reset(const Options& options) {
    m_options = options;
    m_tick = std::max<Micros>(1, std::llround(options.tick_ms * 1000.0));
    m_virtual_now = 0;
    m_real_start_ns = steady_ns();
    for (Posted& posted : m_posted)
        if (posted.run) posted.run->queued = false;
    m_posted.clear();
    m_running.clear();
    m_scheduled.clear();
    m_nesting = 0;
    m_ended = false;
    m_end_after_round = false;
    m_rounds = 0;
    m_random.seed(static_cast<std::uint32_t>(options.seed * 0x9E3779B97F4A7C15ULL >> 32) ^ 0x5eed);
    for (Timer* t : m_timers)
        if (t->m_enabled) t->restart();
}

Micros EventLoop::now() const {
    if (m_options.virtual_time) return m_virtual_now;
    return (steady_ns() - m_real_start_ns) / 1000;
}

double EventLoop::time_of_day() const {
    double t = m_options.clock_start_seconds + static_cast<double>(now()) / 1e6;
    t = std::fmod(t, 86400.0);
    return t < 0 ? t + 86400.0 : t;
}

float Clock() {
    return static_cast<float>(EventLoop::instance().time_of_day());
}

void EventLoop::post(std::function<void()> event) {
    InputRun* run = m_running.empty() ? nullptr : m_running.back();
    if (run && run->queued)
        m_posted.insert(run->at, Posted{run->order, std::move(event), nullptr});
    else
        m_posted.push_back({m_posted_order++, std::move(event), nullptr});
}

void EventLoop::post_input_run(std::function<bool()> next) {
    auto run = std::make_shared<InputRun>();
    run->next = std::move(next);
    run->order = m_posted_order++;
    m_posted.push_back({run->order, {}, run});
    run->at = std::prev(m_posted.end());
}

void EventLoop::post_at(Micros when, std::function<void()> event) {
    m_scheduled.emplace(std::pair{when, m_scheduled_order++}, Scheduled{std::move(event), false});
}

void EventLoop::input_at(Micros when, std::function<void()> input) {
    m_scheduled.emplace(std::pair{when, m_scheduled_order++}, Scheduled{std::move(input), true});
}

void EventLoop::add_timer(Timer* t) {
    t->m_order = m_timer_order++;
    m_timers.push_back(t);
}

void EventLoop::remove_timer(Timer* t) {
    std::erase(m_timers, t);
}

Micros EventLoop::boundary_at_or_after(Micros t) const {
    if (t <= 0) return 0;
    return (t + m_tick - 1) / m_tick * m_tick;
}

void EventLoop::check_ended() const {
    if (m_ended) throw Ended();
}

void EventLoop::release_due() {
    // Input posts at the end of the queue, whatever runs.
    m_running.push_back(nullptr);
    struct Pop {
        std::vector<InputRun*>& running;
        ~Pop() { running.pop_back(); }
    } pop{m_running};
    // An input may schedule more input for now (a step after an awaited line): it comes too.
    while (!m_scheduled.empty() && m_scheduled.begin()->first.first <= now()) {
        Scheduled due = std::move(m_scheduled.begin()->second);
        m_scheduled.erase(m_scheduled.begin());
        if (due.input)
            due.action();
        else
            post(std::move(due.action));
    }
}

bool EventLoop::events_may_run() const {
    return m_nesting < kNestingBound;
}

void EventLoop::run_nested(InputRun* run, const std::function<void()>& body) {
    struct Level {
        EventLoop& loop;
        Level(EventLoop& l, InputRun* run) : loop(l) {
            ++loop.m_nesting;
            loop.m_running.push_back(run);
        }
        ~Level() {
            loop.m_running.pop_back();
            --loop.m_nesting;
        }
    } level(*this, run);
    body();
}

void EventLoop::deliver(Timer& t) {
    Micros due = t.m_due;
    std::uint64_t schedule = t.m_schedule;
    t.m_running = true;
    // What a tick posts goes to the end of the queue, also inside a piece of input.
    m_running.push_back(nullptr);
    try {
        t.m_on_tick();
    } catch (...) {
        m_running.pop_back();
        t.m_running = false;
        throw;
    }
    m_running.pop_back();
    t.m_running = false;
    if (!t.m_enabled || t.m_schedule != schedule) return;
    Micros interval = Micros{t.m_interval_ms} * 1000;
    Micros next = boundary_at_or_after(due + interval);
    Micros current = now();
    while (next < current) next = boundary_at_or_after(next + std::max<Micros>(interval, 1));
    t.m_due = next;
}

void EventLoop::do_events() {
    run_round(nullptr);
}

void EventLoop::do_events(const std::function<bool()>& over) {
    run_round(&over);
}

void EventLoop::run_round(const std::function<bool()>* over) {
    check_ended();
    ++m_rounds;
    release_due();
    // Only what was posted before the round runs in it, oldest first; events posted meanwhile
    // wait, also where rounds nested inside have taken some of the older ones. At the bound
    // they all wait, and so they do once the wait that runs the round is over: its handler
    // goes on, and the rounds below take them.
    const std::uint64_t posted_before = m_posted_order;
    while (events_may_run() && !(over && (*over)()) && !m_posted.empty() &&
           m_posted.front().order < posted_before) {
        if (std::shared_ptr<InputRun> run = m_posted.front().run) {
            // The entry stays queued while its piece runs: what the piece posts goes before it,
            // and a round nested in the piece takes the next piece.
            bool ran = false;
            run_nested(run.get(), [&] { ran = run->next(); });
            if (!ran && run->queued) {
                m_posted.erase(run->at);
                run->queued = false;
            }
        } else {
            std::function<void()> event = std::move(m_posted.front().event);
            m_posted.pop_front();
            run_nested(nullptr, event);
        }
        check_ended();
    }
    // A timer created or destroyed by a handler must not upset the walk: walk a snapshot and
    // check each timer is still registered before delivering.
    std::vector<Timer*> timers = m_timers;
    for (Timer* t : timers) {
        if (std::find(m_timers.begin(), m_timers.end(), t) == m_timers.end()) continue;
        if (!t->m_enabled || t->m_running || t->m_due > now()) continue;
        deliver(*t);
        check_ended();
    }
    if (m_end_after_round) {
        m_end_after_round = false;
        m_ended = true;
    }
    check_ended();
}

Micros EventLoop::next_wake() const {
    // At the bound the events wait: only the timers, the clock and input move on.
    if (events_may_run() && !m_posted.empty()) return now();
    Micros wake = kFarFuture;
    for (const Timer* t : m_timers)
        if (t->m_enabled && !t->m_running) wake = std::min(wake, t->m_due);
    if (!m_scheduled.empty()) wake = std::min(wake, m_scheduled.begin()->first.first);
    return wake;
}

void EventLoop::wait_until(Micros deadline) {
    check_ended();
    Micros wake = std::min(next_wake(), deadline);
    Micros current = now();
    if (wake <= current) return;
    if (m_options.virtual_time) {
        if (m_waiter) {
            // The front end's windows catch up; the input they take is posted as events.
            m_waiter(0);
            check_ended();
            wake = std::min(next_wake(), deadline);
            if (wake <= now()) return;
        }
        // Nothing can ever happen again: the program is stuck for good, so it ends.
        if (wake >= kFarFuture) end();
        m_virtual_now = wake;
        return;
    }
    Micros timeout = std::min<Micros>(wake - current, 1'000'000);
    if (m_waiter)
        m_waiter(timeout);
    else
        std::this_thread::sleep_for(std::chrono::microseconds(timeout));
    check_ended();
}

void EventLoop::run() {
    try {
        for (;;) {
            do_events();
            wait_until(kFarFuture);
        }
    } catch (const Ended&) {
    }
}

void EventLoop::end() {
    m_ended = true;
    throw Ended();
}

double EventLoop::rnd() {
    // 53 random bits give every double in [0, 1) on a uniform grid.
    std::uint64_t hi = m_random() >> 5;
    std::uint64_t lo = m_random() >> 6;
    return static_cast<double>(hi * 67108864ULL + lo) / 9007199254740992.0;
}

void EventLoop::randomize() {
    float clock = Clock();
    std::uint32_t bits;
    static_assert(sizeof bits == sizeof clock);
    std::memcpy(&bits, &clock, sizeof bits);
    std::uint64_t mixed = (std::uint64_t{bits} << 20) ^ (m_options.seed * 0x9E3779B97F4A7C15ULL);
    m_random.seed(static_cast<std::uint32_t>(mixed ^ (mixed >> 32)));
}

}  // namespace loop
