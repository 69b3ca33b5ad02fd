#include "platform/card/CardClock.h"

void CardClock::Restart(Clock::time_point now)
{
    origin_ = now;
    frames_ = 0;
}

CardClock::Clock::time_point CardClock::Deadline(std::int64_t frames) const
{
    const std::int64_t total = frames_ + frames;
    // Whole seconds apart, so long recordings do not overflow; rounded up, so the
    // deadline is never before the moment the frames exist.
    const std::int64_t ns = total / rate_ * 1000000000 + ((total % rate_) * 1000000000 + rate_ - 1) / rate_;
    return origin_ + std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(ns));
}

void CardClock::Produced(std::int64_t frames, Clock::time_point now)
{
    frames_ += frames;
    if (now - Deadline(0) > kMaxLag)
        Restart(now);
}
