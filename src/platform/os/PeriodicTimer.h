#pragma once
// A periodic timer on a thread of its own: the tick function runs every period at
// absolute deadlines (start + k x period), so the ticks do not drift with the time the
// tick itself takes. A deadline already missed when the thread wakes (a stalled machine)
// is skipped rather than made up in a burst.
//
//   PeriodicTimer timer(std::chrono::milliseconds(1000), [&] { ... });   // ticks start
//   ...                                                                 // destructor stops
//
// The clock is replaceable so tests can move time by hand (TickClock).
//
// Threads: the tick function runs on the timer's thread. Construction and destruction on
// any one thread; the destructor waits for a tick in progress, unless it runs on the
// timer's own thread (from inside a tick), in which case the thread is let go and ends
// without another tick.
#include <chrono>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>

class TickClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~TickClock() = default;
    virtual TimePoint Now() = 0;
    // Returns at the deadline or as soon as a stop is requested, whichever comes first.
    // Timer thread.
    virtual void SleepUntil(TimePoint deadline, std::stop_token stop) = 0;
};

// The steady clock of the system.
std::shared_ptr<TickClock> SteadyTickClock();

class PeriodicTimer {
public:
    // Raises std::system_error when no thread can be started.
    PeriodicTimer(std::chrono::milliseconds period, std::function<void()> tick,
                  std::shared_ptr<TickClock> clock = SteadyTickClock());
    ~PeriodicTimer();
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;

    // True on the timer's own thread.
    bool OnTimerThread() const { return std::this_thread::get_id() == thread_.get_id(); }

private:
    std::jthread thread_;
};
