#pragma once
// How long the main thread was kept from its messages: a 5 ms timer notes the longest gap
// between two of its ticks (beyond its period) while the probe lives. Benches that drive the
// wizard's roads make one on the main thread before the run and read it after.
//
//   StallProbe probe;            // main thread, with a running event loop afterwards
//   ... the run ...
//   probe.LongestMs();           // 0 when the ticks came on time
//
// A bench child passes its figure to the parent through the file named by
// MERVANE_BENCH_STALL_FILE (ReportStall / ReadStall below).
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

class StallProbe {
public:
    static constexpr int kPeriodMs = 5;

    StallProbe()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        last_ = std::chrono::steady_clock::now();
        timer_.start(kPeriodMs);
    }

    // The longest time beyond the period that passed between two ticks, in milliseconds.
    double LongestMs() const { return longest_; }

private:
    void Tick()
    {
        const auto now = std::chrono::steady_clock::now();
        const double gap = std::chrono::duration<double, std::milli>(now - last_).count() - kPeriodMs;
        longest_ = std::max(longest_, gap);
        last_ = now;
    }

    QTimer timer_;
    std::chrono::steady_clock::time_point last_;
    double longest_ = 0;
};

// In a bench child: writes the probe's figure where the parent asked for it, if it did.
inline void ReportStall(const StallProbe& probe)
{
    if (const char* file = std::getenv("MERVANE_BENCH_STALL_FILE"))
        std::ofstream(file) << probe.LongestMs() << "\n";
}

// In the parent: the figure the last child wrote into `file` (removed), or -1 without one.
inline double ReadStall(const std::string& file)
{
    double ms = -1;
    {
        std::ifstream in(file);
        if (!(in >> ms))
            ms = -1;
    }
    std::remove(file.c_str());
    return ms;
}
