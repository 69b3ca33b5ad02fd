#include "platform/os/PeriodicTimer.h"

#include <condition_variable>
#include <mutex>

namespace {
class SteadyClock final : public TickClock {
public:
    TimePoint Now() override { return std::chrono::steady_clock::now(); }
    void SleepUntil(TimePoint deadline, std::stop_token stop) override
    {
        std::mutex m;
        std::condition_variable_any wake;
        std::unique_lock lock(m);
        wake.wait_until(lock, stop, deadline, [] { return false; });
    }
};

// Timer thread.
void run(std::stop_token stop, std::chrono::milliseconds period, const std::function<void()>& tick,
         const std::shared_ptr<TickClock>& clock)
{
    if (period.count() <= 0)
        period = std::chrono::milliseconds(1);
    const TickClock::TimePoint start = clock->Now();
    std::int64_t k = 1;
    while (!stop.stop_requested()) {
        clock->SleepUntil(start + k * period, stop);
        if (stop.stop_requested())
            break;
        tick();
        const auto late = clock->Now() - start;
        k = std::max(k + 1, std::int64_t(late / period) + 1);
    }
}
}  // namespace

std::shared_ptr<TickClock> SteadyTickClock()
{
    static const std::shared_ptr<TickClock> clock = std::make_shared<SteadyClock>();
    return clock;
}

PeriodicTimer::PeriodicTimer(std::chrono::milliseconds period, std::function<void()> tick,
                             std::shared_ptr<TickClock> clock)
    : thread_([period, tick = std::move(tick), clock = std::move(clock)](std::stop_token stop) {
          run(stop, period, tick, clock);
      })
{
}

PeriodicTimer::~PeriodicTimer()
{
    thread_.request_stop();
    if (OnTimerThread())
        thread_.detach();  // the thread sees the stop after this tick and ends by itself
}
