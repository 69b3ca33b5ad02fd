#pragma once
// SIGTERM, SIGHUP and SIGINT (a logout, a closed terminal, Ctrl+C) for the wizard: the
// handler only writes the signal into a pipe; the Qt main thread reads it there and calls
// the stop, which ends the program's run the way its own controls do.
#include <functional>
#include <memory>

class QSocketNotifier;

class StopSignals {
public:
    // Installs the handlers; `stop` runs on the main thread, through the error report's
    // guard, once per signal. One object at a time. Main thread only.
    explicit StopSignals(std::function<void()> stop);
    ~StopSignals();  // restores the handlers that were there before
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    struct Saved;
    std::unique_ptr<Saved> saved_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> stop_;
    int readEnd_ = -1;
    int writeEnd_ = -1;
};
