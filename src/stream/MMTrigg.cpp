// How a run of the pump goes (the states are TMMDriver's):
//   Open: the chain opens, the worker starts and waits, the buffer exists.
//   Start: the main thread loads the first buffer and signals "data"; the worker pushes it
//       down, loads the next and signals itself again, until the source runs dry or a
//       stop is asked for. A dry source posts StopMessage like a stop in flight does.
//   Pause: the worker holds at its next signal (held_); Restart clears the pause and hands
//       the held signal back.
//   Close: the chain closes, the worker ends, the buffer goes.
#include "stream/MMTrigg.h"

#include "platform/os/MessageTable.h"

#include <chrono>
#include <new>
#include <thread>

TMMTrigger::TMMTrigger(std::string name) : TMMDriver(std::move(name)) {}

TMMTrigger::~TMMTrigger()
{
    CloseForGood();
    EndWorker();
    buffer_.reset();
    Detach();
}

void TMMTrigger::Raise(const std::string& message)
{
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

std::int32_t TMMTrigger::loadBuffer(bool* announced)
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
    if (announced)
        *announced = more;
    h->dwBufferLength = static_cast<std::uint32_t>(std::max(h->dwBytesRecorded, 0));
    return h->dwBytesRecorded;
}

void TMMTrigger::bufferFilled()
{
    if (OnBufferFilled)
        OnBufferFilled(this, buffer_->Header());
}

void TMMTrigger::EndWorker()
{
    if (!HasWorker())
        return;
    events_.Set(evTerminate);
    JoinWorker();
}

void TMMTrigger::CheckOpen()
{
    if (!GetWaveFormat())
        Error(StepMessage("TriggerOpen:", msg::InvalidWaveFormat));
}

void TMMTrigger::OpenDriver()
{
    ChainOpen();
    events_.ResetAll();
    {
        std::lock_guard lock(lock_);
        suspended_ = held_ = false;
    }
    StartWorker("Trigger:");
    try {
        buffer_ = std::make_unique<TMMBufferBlock>(static_cast<std::size_t>(GetBufferSize()));
    } catch (const std::bad_alloc&) {
        Error(LoadResString(msg::AllocHeader));
    }
    state_ = stOpened;
}

void TMMTrigger::StartDriver()
{
    ChainStart();
    moreData_ = true;
    state_ |= stStarted;
    if (loadBuffer() > 0)
        bufferFilled();
    if (buffer_->Header()->dwBytesRecorded <= 0) {
        // Nothing to pump: the run never began, so it does not end with OnStop.
        ChainStop();
        state_ &= ~stStarted;
        Error(StepMessage("TriggerStart:", msg::StartDevice));
    }
    if (!IsPaused()) {
        events_.Set(evData);
    } else {
        // Paused before the start: Restart hands the first buffer to the worker.
        std::lock_guard lock(lock_);
        suspended_ = held_ = true;
    }
}

void TMMTrigger::PauseDriver()
{
    std::lock_guard lock(lock_);
    suspended_ = true;
}

void TMMTrigger::RestartDriver()
{
    std::lock_guard lock(lock_);
    suspended_ = false;
    if (held_) {
        held_ = false;
        events_.Set(evData);
    }
}

void TMMTrigger::ReleaseWorker()
{
    EndWorker();
    buffer_.reset();
}

void TMMTrigger::RunWorker()
{
    WorkerReady();
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
        WorkerFailed();
    }
}

void TMMTrigger::processBuffer()
{
    {
        std::lock_guard lock(lock_);
        if (!IsStarted() || stopping_)
            return;
        ++busy_;
    }
    try {
        TMMDSPComponent::BufferReady(buffer_->Header());
        if (moreData_ && !stopPending_) {
            // A source that waits for its bytes (a feed) is woken by a stop with nothing.
            // One that brings nothing and says it has ended ran dry at a buffer's edge (a
            // wave file cut short there): the run ends, and its owner asks the source why.
            // Nothing while still announcing more would never end.
            bool announced = false;
            const std::int32_t loaded = loadBuffer(&announced);
            if (loaded <= 0 && announced && !stopping_)
                Error(LoadResString(msg::FillBuffer));
            if (!stopPending_ && !stopping_ && loaded > 0) {
                bufferFilled();
                if (!moreData_)
                    TMMDSPComponent::BufferReady(buffer_->Header());
            }
        }
    } catch (...) {
        fire(OnError);
        EndBuffer(!moreData_);
        throw;
    }
    EndBuffer(!moreData_);
}
