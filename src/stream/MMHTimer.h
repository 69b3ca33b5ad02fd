#pragma once
// TMMHiTimer: a periodic timer with millisecond intervals that calls OnTimer in one of
// three delivery modes:
//   cmWindow   OnTimer runs on the main thread; at most 10 ticks wait in the queue, a
//              slow handler loses ticks instead of flooding the main thread.
//   cmThread   OnTimer runs on the timer's own thread at Priority (or, with Synchronize,
//              on the main thread through that thread); ticks that arrive while the
//              handler runs fold into one.
//   cmCallback refused on this system with a message box; the mode stays.
//
//   TMMHiTimer MMHiTimer1;
//   MMHiTimer1.SetCallBackMode(cmThread);
//   MMHiTimer1.SetPriority(tpTimeCritical);
//   MMHiTimer1.SetSynchronize(false);
//   MMHiTimer1.SetEnabled(false);
//   MMHiTimer1.SetOnTimer([&](TMMHiTimer*) { progress = getprogress(); });   // timer thread
//   MMHiTimer1.SetEnabled(true);   ...   MMHiTimer1.SetEnabled(false);
//
// Changing CallBackMode, Enabled or Interval, and setting OnTimer (always), rebuilds the
// timer: the running one is torn down and a new one started when Interval > 0, Enabled
// and OnTimer is set. An exception from the handler goes to the error report; in cmThread
// it also ends the timer thread until the next rebuild.
//
// Threads: the setters, the rebuild and destruction run on the main thread (a handler may
// change its own timer: on the main thread in cmWindow or with Synchronize, on the timer
// thread otherwise). The ticks come from a periodic timer thread with absolute deadlines.
#include "platform/Errors.h"
#include "platform/os/PeriodicTimer.h"
#include "platform/os/ThreadPriority.h"
#include "stream/MMCBMode.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

class MessageTarget;

class EMMHiTimerError : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};

// No periodic timer could be started.
class EOutOfResources : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};

class TMMHiTimer {
public:
    static constexpr unsigned TickMessage = 0x800A;  // 32778
    static constexpr int MaxPendingTicks = 10;
    using TTimerEvent = std::function<void(TMMHiTimer* sender)>;

    explicit TMMHiTimer(std::string name = "MMHiTimer1");
    virtual ~TMMHiTimer();
    TMMHiTimer(const TMMHiTimer&) = delete;
    TMMHiTimer& operator=(const TMMHiTimer&) = delete;

    std::string Name;

    TMMCBMode CallBackMode() const { return callBackMode_.load(); }
    // cmCallback shows the refusal (caption "TMMHiTimer") and keeps the mode.
    void SetCallBackMode(TMMCBMode value);
    bool Enabled() const { return enabled_.load(); }
    void SetEnabled(bool value);
    int Interval() const { return interval_.load(); }
    // Milliseconds; 0 (or less) means no timer.
    void SetInterval(int value);
    void SetOnTimer(TTimerEvent handler);
    bool HasOnTimer() const;
    TThreadPriority Priority() const { return priority_.load(); }
    // Applies to a running timer thread at once.
    void SetPriority(TThreadPriority value);
    bool Synchronize() const { return synchronize_.load(); }
    void SetSynchronize(bool value) { synchronize_.store(value); }
    bool WaitForTerminate() const { return waitForTerminate_.load(); }
    void SetWaitForTerminate(bool value) { waitForTerminate_.store(value); }

    // The clock of the ticks, from the next rebuild on; tests move time by hand with it.
    void SetClock(std::shared_ptr<TickClock> clock);

    // Ticks queued for the main thread in cmWindow and not yet handled. Any thread.
    int PendingTicks() const { return pendingTicks_.load(); }
    // True while a timer runs (the rebuild found everything it needs).
    bool Running() const { return ticker_ != nullptr; }

protected:
    // The handler step: fires OnTimer(this) when it is set and Enabled. Runs where the mode
    // delivers (see the top).
    virtual void Timer();

private:
    struct ThreadState;

    void rebuild();
    void tearDown();
    void startThread(std::intptr_t generation);
    void windowMessage(unsigned message, std::intptr_t wParam);  // main thread
    void syncMessage(std::intptr_t generation);                  // main thread
    static void threadMain(std::shared_ptr<ThreadState> state);  // timer thread
    void dropTarget(std::unique_ptr<MessageTarget>& target, bool insideIt);

    // Published values: written on the main thread, read by the tick and timer threads.
    std::atomic<TMMCBMode> callBackMode_{cmWindow};
    std::atomic<bool> enabled_{true};
    std::atomic<int> interval_{1000};
    std::atomic<TThreadPriority> priority_{tpNormal};
    std::atomic<bool> synchronize_{true};
    std::atomic<bool> waitForTerminate_{false};

    mutable std::mutex handlerLock_;  // guards onTimer_ (set on the main thread, copied where the tick runs)
    TTimerEvent onTimer_;

    // Main thread only.
    std::shared_ptr<TickClock> clock_;
    std::unique_ptr<PeriodicTimer> ticker_;        // the system timer; ticks on its own thread
    std::unique_ptr<MessageTarget> window_;        // cmWindow: receives the tick messages
    std::unique_ptr<MessageTarget> syncTarget_;    // cmThread + Synchronize: runs the handler here
    std::shared_ptr<ThreadState> thread_;          // cmThread: shared with the timer thread
    std::intptr_t timerId_ = 0;                    // id of the running timer, 0 when none
    std::intptr_t lastId_ = 0;
    int inWindowHandler_ = 0;
    bool inSync_ = false;                          // the handler runs here on behalf of the thread
    std::shared_ptr<std::atomic<bool>> alive_;     // false once destroyed; handlers check it after OnTimer

    std::atomic<int> pendingTicks_{0};             // incremented by the tick thread, lowered here
};
