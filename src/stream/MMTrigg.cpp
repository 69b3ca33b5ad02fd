// The pump's states (state_) and how a run goes:
//   closed --Open--> opened: the chain opens, the worker starts and waits, the buffer exists.
//   opened --Start--> started: the main thread loads the first buffer and signals "data";
//       the worker pushes it down, loads the next and signals itself again, until the
//       source runs dry or a stop is asked for.
//   started --Pause--> started|paused: the worker holds at its next signal (held_);
//       Restart clears the pause and hands the held signal back.
//   started --Stop--> opened: with a buffer in the worker's hands the stop is only noted
//       (stopPending_); the worker posts StopMessage when that buffer is done, and the main
//       thread stops the chain and fires OnStop. A dry source ends the same way.
//   opened --Close--> closed: the chain closes, the worker ends, the buffer goes. A Close
//       during a pending stop is deferred (closeDeferred_) and runs right after OnStop.
// A failure on the worker is reported, then StopMessage with kCloseAfterFailure stops and
// closes the pump on the main thread.
#include "stream/MMTrigg.h"

#include "platform/os/ErrorReport.h"
#include "platform/os/MessageTable.h"
#include "platform/os/MessageTarget.h"

#include <chrono>
#include <new>
#include <thread>

namespace {
constexpr auto kThreadTimeout = std::chrono::milliseconds(5000);
constexpr std::intptr_t kCloseAfterFailure = 1;
}  // namespace

// ---------------------------------------------------------------- TMMTriggerThread

TMMTriggerThread::TMMTriggerThread(TMMTrigger* owner) : TMMDSPThread(owner), trigger_(owner) {}

void TMMTriggerThread::Execute()
{
    trigger_->runWorker();
}

// ---------------------------------------------------------------- TMMTrigger

TMMTrigger::TMMTrigger(std::string name) : TMMCustomSoundComponent(std::move(name)) {}

TMMTrigger::~TMMTrigger()
{
    try {
        Close();
    } catch (...) {
        // A destructor must not throw; Close shows the components' own errors itself.
    }
    // A close still waiting for the worker's last buffer: end the worker now.
    stopping_ = true;
    endWorker();
    buffer_.reset();
    window_.reset();
    Detach();
}

void TMMTrigger::Error(const std::string& message)
{
    fire(OnError);
    throw EMMTriggerError(message);
}

void TMMTrigger::SetWaveFormat(const TWaveFormatEx* format)
{
    if (format != GetWaveFormat())
        Close();
    TMMCustomSoundComponent::SetWaveFormat(format);
}

void TMMTrigger::SetBufferSize(int size)
{
    if (IsOpened())
        Error(LoadResString(msg::ChangeWhileOpen));
    TMMCustomSoundComponent::SetBufferSize(std::max(size, MinBufferSize));
}

void TMMTrigger::SetInterval(int value)
{
    if (value != interval_)
        interval_ = std::max(value, 1);
}

void TMMTrigger::BufferLoad(TMMWaveHdr* lpWaveHdr, bool& moreBuffers)
{
    TMMCustomSoundComponent::BufferLoad(lpWaveHdr, moreBuffers);
}

std::int32_t TMMTrigger::loadBuffer()
{
    TMMWaveHdr* h = buffer_->Header();
    moreData_ = false;
    h->dwBufferLength = static_cast<std::uint32_t>(GetBufferSize());
    h->dwBytesRecorded = 0;
    h->wLoop = 0;
    bool more = false;
    TMMDSPComponent::BufferLoad(h, more);
    // A source never reports more than the buffer holds.
    if (h->dwBytesRecorded > static_cast<std::int32_t>(buffer_->Size()))
        h->dwBytesRecorded = static_cast<std::int32_t>(buffer_->Size());
    moreData_ = more && h->dwBytesRecorded > 0;
    h->dwBufferLength = static_cast<std::uint32_t>(std::max(h->dwBytesRecorded, 0));
    return h->dwBytesRecorded;
}

void TMMTrigger::bufferFilled()
{
    if (OnBufferFilled)
        OnBufferFilled(this, buffer_->Header());
}

void TMMTrigger::handleMessage(unsigned message, std::intptr_t wParam)
{
    if (message != StopMessage)
        return;
    try {
        Stop();
        if (wParam == kCloseAfterFailure)
            Close();
    } catch (...) {
        Close();
        throw;  // to the error report through the message target's guard
    }
}

void TMMTrigger::startWorker()
{
    threadFailed_ = false;
    events_.ResetAll();
    {
        std::lock_guard lock(lock_);
        suspended_ = held_ = false;
    }
    thread_ = std::make_unique<TMMTriggerThread>(this);
    if (!thread_->Resume()) {
        thread_.reset();
        Error(StepMessage("Trigger:", msg::CreateThread));
    }
    if (events_.WaitAny({evReady}, kThreadTimeout) < 0)
        Error(StepMessage("Trigger:", msg::CreateThread));
}

void TMMTrigger::endWorker()
{
    if (!thread_)
        return;
    if (!threadFailed_) {
        events_.Set(evTerminate);
        events_.WaitAny({evReady}, kThreadTimeout);
    }
    thread_->Join();
    thread_.reset();
}

void TMMTrigger::Open()
{
    if (!GetWaveFormat())
        Error(StepMessage("TriggerOpen:", msg::InvalidWaveFormat));
    if (IsOpened())
        Close();
    if (IsOpened() || closing_)
        return;
    try {
        closing_ = false;
        stopping_ = false;
        closeDeferred_ = false;
        if (!window_)
            window_ = std::make_unique<MessageTarget>(
                [this](unsigned m, std::intptr_t w, std::intptr_t) { handleMessage(m, w); });
        ChainOpen();
        startWorker();
        try {
            buffer_ = std::make_unique<TMMBufferBlock>(static_cast<std::size_t>(GetBufferSize()));
        } catch (const std::bad_alloc&) {
            Error(LoadResString(msg::AllocHeader));
        }
        state_ = stOpened;
        fire(OnOpen);
    } catch (...) {
        fire(OnError);
        state_ = stOpened;
        Close();
        state_ = 0;
        throw;
    }
}

void TMMTrigger::Start()
{
    try {
        if (!IsOpened())
            Open();
        if (!IsOpened() || IsStarted())
            return;
        busy_ = 0;
        stopPending_ = false;
        stopping_ = false;
        ChainStart();
        moreData_ = true;
        state_ |= stStarted;
        if (loadBuffer() > 0)
            bufferFilled();
        if (buffer_->Header()->dwBytesRecorded > 0) {
            if (!IsPaused()) {
                events_.Set(evData);
            } else {
                // Paused before the start: Restart hands the first buffer to the worker.
                std::lock_guard lock(lock_);
                suspended_ = held_ = true;
            }
            fire(OnStart);
        } else {
            // Nothing to pump: the run never began, so it does not end with OnStop.
            ChainStop();
            state_ &= ~stStarted;
            Error(StepMessage("TriggerStart:", msg::StartDevice));
        }
    } catch (...) {
        fire(OnError);
        Close();
        state_ = 0;
        throw;
    }
}

void TMMTrigger::Stop()
{
    if (!(state_ & (stStarted | stPaused)))
        return;
    try {
        {
            std::lock_guard lock(lock_);
            stopping_ = true;
            if (busy_ > 0) {
                stopPending_ = true;
                return;
            }
        }
        state_ &= ~(stStarted | stPaused);
        stopPending_ = false;
        ChainStop();
        fire(OnStop);
        if (closeDeferred_)
            Close();
    } catch (...) {
        fire(OnError);
        Close();
        throw;
    }
}

void TMMTrigger::Close()
{
    if (!IsOpened() || (closing_ && !closeDeferred_))
        return;
    closing_ = true;
    try {
        if (state_ & (stStarted | stPaused))
            Stop();
    } catch (...) {
        // Closing goes on; the stop's error has been reported through OnError.
    }
    if (stopPending_) {
        closeDeferred_ = true;
        return;
    }
    closeDeferred_ = false;
    state_ = 0;
    try {
        ChainClose();
    } catch (...) {
        // The pump closes anyway: its worker and buffer must go whatever a component did,
        // and Close also runs from the destructor and from error paths that are already
        // raising the first error. The component's failure is still shown.
        ReportCurrentException();
    }
    endWorker();
    buffer_.reset();
    closing_ = false;
    try {
        fire(OnClose);
    } catch (...) {
        // The pump is closed whatever the handler did; its error is shown, not raised, so a
        // close from the destructor or an error path never throws twice.
        ReportCurrentException();
    }
}

void TMMTrigger::Pause()
{
    try {
        if (!IsOpened())
            Open();
        if (!IsOpened() || IsPaused())
            return;
        if (IsStarted()) {
            std::lock_guard lock(lock_);
            suspended_ = true;
        }
        state_ |= stPaused;
        ChainPause();
        fire(OnPause);
    } catch (...) {
        fire(OnError);
        Close();
        throw;
    }
}

void TMMTrigger::Restart()
{
    if (!IsStarted() || !IsPaused())
        return;
    try {
        {
            std::lock_guard lock(lock_);
            suspended_ = false;
            if (held_) {
                held_ = false;
                events_.Set(evData);
            }
        }
        state_ &= ~stPaused;
        ChainRestart();
        fire(OnRestart);
    } catch (...) {
        fire(OnError);
        Close();
        throw;
    }
}

void TMMTrigger::runWorker()
{
    events_.Set(evReady);
    try {
        for (;;) {
            const int ev = events_.WaitAny({evTerminate, evData});
            if (ev == evTerminate)
                break;
            {
                std::lock_guard lock(lock_);
                if (suspended_) {
                    held_ = true;  // Restart signals the data event again
                    continue;
                }
            }
            if (!stopping_)
                processBuffer();
            if (!stopping_ && interval_ > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(interval_));
            if (!stopping_)
                events_.Set(evData);
        }
    } catch (...) {
        threadFailed_ = true;
        // Posted to the main thread, so it is shown before the stop message below is handled.
        ReportCurrentException();
        // The main thread stops and closes the pump, so OnStop and OnClose run there.
        window_->Post(StopMessage, kCloseAfterFailure);
        return;
    }
    events_.Set(evReady);
}

void TMMTrigger::processBuffer()
{
    {
        std::lock_guard lock(lock_);
        if (!IsStarted() || stopping_)
            return;
        ++busy_;
    }
    const auto finish = [this] {
        std::lock_guard lock(lock_);
        if (--busy_ == 0 && (stopPending_ || !moreData_)) {
            stopping_ = true;
            window_->Post(StopMessage);
        }
    };
    try {
        TMMDSPComponent::BufferReady(buffer_->Header());
        if (moreData_ && !stopPending_) {
            if (loadBuffer() <= 0)
                Error(LoadResString(msg::FillBuffer));
            if (!stopPending_) {
                bufferFilled();
                if (!moreData_)
                    TMMDSPComponent::BufferReady(buffer_->Header());
            }
        }
    } catch (...) {
        fire(OnError);
        finish();
        throw;
    }
    finish();
}
