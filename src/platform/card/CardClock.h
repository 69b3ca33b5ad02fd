#pragma once
// The sound card's real-time clock: keeps the card from handing out frames faster than
// the wall clock plays them, whatever its lines do. A capture device that paces itself
// holds the card back anyway; a software line, or a capture device that delivers as fast
// as it is read, is held back here.
//
//   CardClock clock(44100);
//   clock.Restart(now);
//   sleep_until(clock.Deadline(period));   // then make `period` frames
//   clock.Produced(period, now);
//
// Threads: the card thread only (no shared state). Times are passed in, so the pacing
// can be checked without waiting.
#include <chrono>
#include <cstdint>

class CardClock {
public:
    using Clock = std::chrono::steady_clock;

    explicit CardClock(unsigned rate) : rate_(rate) {}

    // Counting starts again at `now` (the card starts or resumes producing).
    void Restart(Clock::time_point now);
    // The earliest moment at which `frames` more frames may be handed out: the time at
    // which a real device would have recorded the last of them.
    Clock::time_point Deadline(std::int64_t frames) const;
    // `frames` were handed out; `now` is the time after that. When the card fell far
    // behind (stalled, suspended), counting restarts, so it does not burst to catch up.
    void Produced(std::int64_t frames, Clock::time_point now);

    std::int64_t FramesSinceRestart() const { return frames_; }

    // How far behind the wall clock the card may fall before it stops catching up.
    static constexpr std::chrono::milliseconds kMaxLag{250};

private:
    const unsigned rate_;
    Clock::time_point origin_{};
    std::int64_t frames_ = 0;
};
