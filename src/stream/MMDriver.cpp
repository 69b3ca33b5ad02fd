#include "stream/MMDriver.h"

#include "platform/Errors.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/MessageTable.h"
#include "platform/os/MessageTarget.h"

#include <chrono>

namespace {
constexpr auto kThreadTimeout = std::chrono::milliseconds(5000);
}  // namespace

TMMDriverThread::TMMDriverThread(TMMDriver* owner) : TMMDSPThread(owner), driver_(owner) {}

void TMMDriverThread::Execute()
{
    driver_->RunWorker();
}

TMMDriver::TMMDriver(std::string name) : TMMCustomSoundComponent(std::move(name)) {}

// The window goes with the object; CloseForGood has ended the worker that posts to it.
TMMDriver::~TMMDriver() = default;

void TMMDriver::Error(const std::string& message)
{
    fire(OnError);
    Raise(message);
    throw EMervaneError(message);  // not reached: Raise throws the driver's own error
}

void TMMDriver::DriverMessage(unsigned, std::intptr_t, std::intptr_t) {}

void TMMDriver::handleMessage(unsigned message, std::intptr_t wParam, std::intptr_t lParam)
{
    try {
        if (message == StopMessage || message == CloseMessage) {
            if (wParam != MessageTag())
                return;
            Stop();
            if (message == CloseMessage)
                Close();
            return;
        }
        DriverMessage(message, wParam, lParam);
    } catch (...) {
        Close();
        throw;  // to the error report through the message target's guard
    }
}

void TMMDriver::Open()
{
    CheckOpen();
    if (IsOpened())
        Close();
    if (IsOpened() || closing_)
        return;
    stopping_ = false;
    closeDeferred_ = false;
    try {
        if (!window_)
            window_ = std::make_unique<MessageTarget>(
                [this](unsigned m, std::intptr_t w, std::intptr_t l) { handleMessage(m, w, l); });
        OpenDriver();
        fire(OnOpen);
    } catch (...) {
        fire(OnError);
        state_ = stOpened;
        Close();
        state_ = 0;
        throw;
    }
}

void TMMDriver::Start()
{
    try {
        if (!IsOpened())
            Open();
        if (!IsOpened() || IsStarted())
            return;
        busy_ = 0;
        stopPending_ = false;
        stopping_ = false;
        StartDriver();
        fire(OnStart);
    } catch (...) {
        fire(OnError);
        Close();
        state_ = 0;
        throw;
    }
}

void TMMDriver::Stop()
{
    if (!(state_ & (stStarted | stPaused)))
        return;
    try {
        {
            std::lock_guard lock(lock_);
            stopping_ = true;
            HaltDriver();
        }
        if (busy_ == 0)
            SettleDriver();
        {
            std::lock_guard lock(lock_);
            if (!(state_ & (stStarted | stPaused)))
                return;
            if (busy_ > 0) {
                // The buffer in hand finishes first; its end posts the stop again.
                stopPending_ = true;
                return;
            }
            state_ &= ~(stStarted | stPaused);
            stopPending_ = false;
        }
        ChainStop();
        if (!Destroying())
            fire(OnStop);
        if (closeDeferred_)
            Close();
    } catch (...) {
        fire(OnError);
        Close();
        throw;
    }
}

void TMMDriver::Pause()
{
    try {
        if (!IsOpened())
            Open();
        if (!IsOpened() || IsPaused())
            return;
        if (IsStarted())
            PauseDriver();
        state_ |= stPaused;
        ChainPause();
        fire(OnPause);
    } catch (...) {
        fire(OnError);
        Close();
        throw;
    }
}

void TMMDriver::Restart()
{
    if (!IsStarted() || !IsPaused())
        return;
    try {
        RestartDriver();
        state_ &= ~stPaused;
        ChainRestart();
        fire(OnRestart);
    } catch (...) {
        fire(OnError);
        Close();
        throw;
    }
}

void TMMDriver::Close()
{
    if (!IsOpened() || (closing_ && !closeDeferred_))
        return;
    closing_ = true;
    if (state_ & (stStarted | stPaused)) {
        try {
            Stop();
        } catch (...) {
            // Closing goes on; the stop's error has been reported through OnError.
        }
        if (!IsOpened())
            return;  // OnStop's handler closed the driver
    }
    if (stopPending_) {
        closeDeferred_ = true;
        return;
    }
    closeDeferred_ = false;
    ReleaseDevice();
    state_ = 0;
    try {
        ChainClose();
    } catch (...) {
        // The driver closes anyway: its worker and buffers must go whatever a component
        // did, and Close also runs from destructors and from error paths that are already
        // raising the first error. The component's failure is still shown.
        ReportCurrentException();
    }
    ReleaseWorker();
    closing_ = false;
    if (Destroying())
        return;
    try {
        fire(OnClose);
    } catch (...) {
        // Closed whatever the handler did; its error is shown, not raised, so a close from
        // a destructor or an error path never throws twice.
        ReportCurrentException();
    }
}

void TMMDriver::CloseForGood()
{
    try {
        Close();
    } catch (...) {
        // A destructor must not throw; Close shows the components' own errors itself.
    }
    if (!IsOpened())
        return;
    // A close still waiting for a stop in flight: the worker ends first, then everything
    // is closed now.
    stopping_ = true;
    EndWorker();
    stopPending_ = false;
    closeDeferred_ = true;
    try {
        Close();
    } catch (...) {
    }
}

void TMMDriver::EndBuffer(bool last)
{
    std::lock_guard lock(lock_);
    if (--busy_ == 0 && (stopPending_ || last)) {
        stopping_ = true;
        window_->Post(StopMessage, MessageTag());
    }
}

void TMMDriver::StopAfterBuffer()
{
    std::lock_guard lock(lock_);
    stopPending_ = true;
}

void TMMDriver::WorkerFailed()
{
    threadFailed_ = true;
    // Posted to the main thread, so it is shown before the close below is handled.
    ReportCurrentException();
    window_->Post(CloseMessage, MessageTag());
}

void TMMDriver::StartWorker(const char* who)
{
    threadFailed_ = false;
    workerReady_.ResetAll();
    thread_ = std::make_unique<TMMDriverThread>(this);
    if (!thread_->Resume()) {
        thread_.reset();
        Error(StepMessage(who, msg::CreateThread));
    }
    if (workerReady_.WaitAny({0}, kThreadTimeout) < 0)
        Error(StepMessage(who, msg::CreateThread));
}

void TMMDriver::WorkerReady()
{
    workerReady_.Set(0);
}

void TMMDriver::JoinWorker()
{
    if (!thread_)
        return;
    thread_->Join();
    thread_.reset();
}
