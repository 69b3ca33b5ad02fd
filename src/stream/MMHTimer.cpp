#include "stream/MMHTimer.h"

#include "platform/os/Dialogs.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/MessageTable.h"
#include "platform/os/MessageTarget.h"

#include <QCoreApplication>
#include <chrono>
#include <condition_variable>
#include <system_error>
#include <thread>

namespace {
constexpr unsigned kSyncMessage = 0x800B;     // run the handler here for the timer thread
constexpr unsigned kRebuildMessage = 0x800C;  // a property changed on another thread
constexpr auto kStartWait = std::chrono::milliseconds(5000);
}  // namespace

// What the timer thread and the component share. The thread holds it for as long as it
// runs, so it outlives a component that is torn down or destroyed meanwhile.
struct TMMHiTimer::ThreadState {
    std::mutex lock;  // guards every field below
    std::condition_variable wake;
    TMMHiTimer* owner = nullptr;        // cleared when the component lets the thread go
    MessageTarget* syncTarget = nullptr;
    std::intptr_t generation = 0;
    bool tick = false;                  // the auto-reset tick event: ticks fold into one
    bool stop = false;
    bool started = false;
    bool ended = false;
    bool inHandler = false;             // a handler step runs (or waits for the main thread)
    bool syncDone = false;
    bool failed = false;                // the handler raised; the thread ends
    NativeThreadId nativeId = 0;
    std::thread::id threadId;
};

TMMHiTimer::TMMHiTimer(std::string name)
    : Name(std::move(name)), clock_(SteadyTickClock()), alive_(std::make_shared<std::atomic<bool>>(true))
{
    syncTarget_ = std::make_unique<MessageTarget>(
        [this, alive = alive_](unsigned message, std::intptr_t wParam, std::intptr_t) {
            if (!*alive)
                return;
            if (message == kSyncMessage)
                syncMessage(wParam);
            else if (message == kRebuildMessage)
                rebuild();
        });
}

TMMHiTimer::~TMMHiTimer()
{
    {
        std::lock_guard lock(handlerLock_);
        onTimer_ = nullptr;
    }
    enabled_.store(false);
    const std::shared_ptr<ThreadState> state = thread_;
    tearDown();
    // A handler still running on the timer thread may use this object; let it finish,
    // unless this is that handler (or the main-thread half of it) destroying its own timer.
    if (state && !inSync_) {
        std::unique_lock lock(state->lock);
        if (state->threadId != std::this_thread::get_id())
            state->wake.wait(lock, [&] { return !state->inHandler; });
    }
    alive_->store(false);
    dropTarget(syncTarget_, inSync_);
}

void TMMHiTimer::SetCallBackMode(TMMCBMode value)
{
    if (value == cmCallback) {
        // Callbacks at interrupt time do not exist here; the mode stays as it is.
        AppDialogs().ShowMessageBox(CallbackModeRefusal(), "TMMHiTimer", MessageBoxKind::Plain);
        return;
    }
    if (callBackMode_.exchange(value) != value)
        rebuild();
}

void TMMHiTimer::SetEnabled(bool value)
{
    if (enabled_.exchange(value) != value)
        rebuild();
}

void TMMHiTimer::SetInterval(int value)
{
    if (interval_.exchange(value) != value)
        rebuild();
}

void TMMHiTimer::SetOnTimer(TTimerEvent handler)
{
    {
        std::lock_guard lock(handlerLock_);
        onTimer_ = std::move(handler);
    }
    rebuild();
}

bool TMMHiTimer::HasOnTimer() const
{
    std::lock_guard lock(handlerLock_);
    return static_cast<bool>(onTimer_);
}

void TMMHiTimer::SetPriority(TThreadPriority value)
{
    priority_.store(value);
    if (!IsMainThread())
        return;  // the thread's own handler: the next start takes the value
    if (thread_) {
        std::lock_guard lock(thread_->lock);
        if (thread_->nativeId)
            SetNativeThreadPriority(thread_->nativeId, value);
    }
}

void TMMHiTimer::SetClock(std::shared_ptr<TickClock> clock)
{
    clock_ = clock ? std::move(clock) : SteadyTickClock();
}

void TMMHiTimer::Timer()
{
    TTimerEvent handler;
    {
        std::lock_guard lock(handlerLock_);
        handler = onTimer_;
    }
    if (handler && enabled_.load())
        handler(this);
}

void TMMHiTimer::rebuild()
{
    if (!IsMainThread()) {
        // A handler on the timer thread changed its own timer: the main thread rebuilds.
        syncTarget_->Post(kRebuildMessage);
        return;
    }
    tearDown();
    const int interval = interval_.load();
    if (interval <= 0 || !enabled_.load() || !HasOnTimer())
        return;

    const std::intptr_t id = ++lastId_;
    const TMMCBMode mode = callBackMode_.load();
    if (mode == cmWindow) {
        window_ = std::make_unique<MessageTarget>(
            [this, alive = alive_](unsigned message, std::intptr_t wParam, std::intptr_t) {
                if (*alive)
                    windowMessage(message, wParam);
            });
    } else if (mode == cmThread) {
        startThread(id);
    }
    timerId_ = id;
    try {
        // The tick runs on the periodic timer's thread.
        ticker_ = std::make_unique<PeriodicTimer>(
            std::chrono::milliseconds(interval),
            [this, state = thread_, window = window_.get(), id, mode] {
                if (mode == cmWindow) {
                    if (pendingTicks_.load() < MaxPendingTicks) {
                        pendingTicks_.fetch_add(1);
                        window->Post(TickMessage, id);
                    }
                } else if (mode == cmThread) {
                    std::lock_guard lock(state->lock);
                    state->tick = true;
                    state->wake.notify_all();
                } else {
                    Guarded([&] { Timer(); });
                }
            },
            clock_);
    } catch (const std::system_error&) {
        tearDown();
        throw EOutOfResources(QCoreApplication::translate("TMMHiTimer", "Not enough timers available").toStdString());
    }
}

void TMMHiTimer::tearDown()
{
    if (const std::shared_ptr<ThreadState> state = std::exchange(thread_, nullptr)) {
        std::unique_lock lock(state->lock);
        state->stop = true;
        state->owner = nullptr;
        state->syncTarget = nullptr;
        state->tick = true;
        state->wake.notify_all();
        // Waiting is not possible from inside the handler: in synchronisation the thread
        // waits for this very call to return.
        if (waitForTerminate_.load() && !inSync_ && state->threadId != std::this_thread::get_id())
            state->wake.wait_for(lock, kStartWait, [&] { return state->ended; });
    }
    ticker_.reset();
    if (window_)
        dropTarget(window_, inWindowHandler_ > 0);
    pendingTicks_.store(0);
    timerId_ = 0;
}

void TMMHiTimer::startThread(std::intptr_t generation)
{
    auto state = std::make_shared<ThreadState>();
    state->generation = generation;
    state->owner = this;
    state->syncTarget = syncTarget_.get();
    try {
        std::thread(threadMain, state).detach();  // the thread frees itself when it ends
    } catch (const std::system_error&) {
        throw EMMHiTimerError(StepMessage("HiTimer:", msg::CreateThread));
    }
    thread_ = state;
    std::unique_lock lock(state->lock);
    if (!state->wake.wait_for(lock, kStartWait, [&] { return state->started; })) {
        lock.unlock();
        tearDown();
        throw EMMHiTimerError(StepMessage("HiTimer:", msg::CreateThread));
    }
}

// Timer thread.
void TMMHiTimer::threadMain(std::shared_ptr<ThreadState> state)
{
    TThreadPriority priority = tpNormal;
    {
        std::lock_guard lock(state->lock);
        state->nativeId = CurrentNativeThreadId();
        state->threadId = std::this_thread::get_id();
        if (state->owner)
            priority = state->owner->priority_.load();
    }
    SetNativeThreadPriority(CurrentNativeThreadId(), priority);  // a refusal leaves the priority
    {
        std::lock_guard lock(state->lock);
        state->started = true;
        state->wake.notify_all();
    }
    for (;;) {
        TMMHiTimer* owner = nullptr;
        bool synchronized = false;
        {
            std::unique_lock lock(state->lock);
            state->wake.wait(lock, [&] { return state->tick || state->stop; });
            if (state->stop || !state->owner)
                break;
            state->tick = false;
            owner = state->owner;
            synchronized = owner->synchronize_.load();
            state->inHandler = true;
            if (synchronized) {
                state->syncDone = false;
                state->syncTarget->Post(kSyncMessage, state->generation);
                state->wake.wait(lock, [&] { return state->syncDone || state->stop; });
                state->inHandler = false;
                state->wake.notify_all();
                if (state->failed)
                    break;
                continue;
            }
        }
        bool ok = true;
        try {
            owner->Timer();
        } catch (...) {
            ReportCurrentException();
            ok = false;
        }
        std::lock_guard lock(state->lock);
        state->inHandler = false;
        state->failed = !ok;
        state->wake.notify_all();
        if (!ok)
            break;
    }
    std::lock_guard lock(state->lock);
    state->ended = true;
    state->wake.notify_all();
}

void TMMHiTimer::syncMessage(std::intptr_t generation)
{
    const std::shared_ptr<ThreadState> state = thread_;
    if (!state)
        return;
    {
        std::lock_guard lock(state->lock);
        if (state->generation != generation || state->stop)
            return;
    }
    const std::shared_ptr<std::atomic<bool>> alive = alive_;
    bool failed = false;
    inSync_ = true;
    try {
        Timer();
    } catch (...) {
        ReportCurrentException();
        failed = true;
    }
    if (*alive)
        inSync_ = false;
    std::lock_guard lock(state->lock);
    state->syncDone = true;
    state->failed = failed;
    state->wake.notify_all();
}

void TMMHiTimer::windowMessage(unsigned message, std::intptr_t wParam)
{
    if (message != TickMessage || wParam != timerId_)
        return;  // a tick of a timer that has been rebuilt since
    const std::shared_ptr<std::atomic<bool>> alive = alive_;
    ++inWindowHandler_;
    Guarded([&] { Timer(); });
    if (!*alive)
        return;
    --inWindowHandler_;
    if (wParam == timerId_ && pendingTicks_.load() > 0)
        pendingTicks_.fetch_sub(1);
}

void TMMHiTimer::dropTarget(std::unique_ptr<MessageTarget>& target, bool insideIt)
{
    if (insideIt)
        target.release()->deleteLater();  // its own message is being handled right now
    else
        target.reset();
}
