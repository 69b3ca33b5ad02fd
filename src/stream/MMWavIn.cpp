#include "stream/MMWavIn.h"

#include "platform/os/Dialogs.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/MessageTable.h"
#include "platform/os/MessageTarget.h"
#include "platform/card/SoundCard.h"
#include "platform/os/ThreadPriority.h"
#include "platform/os/Translations.h"
#include "wave/PcmConvert.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <mutex>
#include <span>
#include <stdexcept>
#include <vector>
#include <new>
#include <thread>

namespace {
// How often a main thread waiting for the worker lets messages run.
constexpr auto kRound = std::chrono::milliseconds(10);
// Posted by the device's callback in cmWindow: device notifications wait in the queue.
constexpr unsigned kDrainMessage = TMMDriver::CloseMessage + 1;
constexpr std::size_t kErrorTextLength = 254;

WaveHdr* platformHeader(TMMWaveHdr* h)
{
    return reinterpret_cast<WaveHdr*>(h);
}

PcmFormat devicePcm(const TWaveFormatEx& f)
{
    PcmFormat p;
    p.wFormatTag = f.wFormatTag;
    p.nChannels = f.nChannels;
    p.nSamplesPerSec = f.nSamplesPerSec;
    p.nAvgBytesPerSec = f.nAvgBytesPerSec;
    p.nBlockAlign = f.nBlockAlign;
    p.wBitsPerSample = f.wBitsPerSample;
    return p;
}

// How many recorders' queue locks this thread holds: the device is never called with one
// held (the lock order in MMWavIn.h).
thread_local int queueLocksHeld = 0;

// Takes a recorder's queue lock and marks it held for the lock-order check.
class QueueLock {
public:
    explicit QueueLock(std::mutex& m) : lock_(m) { ++queueLocksHeld; }
    ~QueueLock() { --queueLocksHeld; }
    QueueLock(const QueueLock&) = delete;
    QueueLock& operator=(const QueueLock&) = delete;
    std::unique_lock<std::mutex>& Lock() { return lock_; }

private:
    std::unique_lock<std::mutex> lock_;
};

// Runs one step of closing; its error has gone to OnError and closing goes on.
template <class F>
void closeStep(F&& step)
{
    try {
        step();
    } catch (...) {
    }
}
}  // namespace

// ---------------------------------------------------------------- TMMCustomWaveIn

TMMCustomWaveIn::TMMCustomWaveIn(IWaveInDevices* devices, std::string name)
    : TMMDriver(std::move(name)), devices_(devices)
{
    numDevs_ = devices_ ? static_cast<int>(devices_->GetNumDevs()) : 0;
    buildFormat();
    SetDeviceID(0);
}

TMMCustomWaveIn::~TMMCustomWaveIn()
{
    CloseForGood();
    EndWorker();
    freeBuffers();
    Detach();
}

void TMMCustomWaveIn::Raise(const std::string& message)
{
    throw EMMWaveInError(message);
}

IWaveInDevices& TMMCustomWaveIn::device()
{
    // Cheap enough to check on every call: a call under the queue lock would deadlock as
    // soon as the device's callback queues a notification.
    if (queueLocksHeld != 0)
        throw std::logic_error("TMMWaveIn: the recording device was called with the notification queue locked");
    return *devices_;
}

std::string TMMCustomWaveIn::deviceText(MMResult code)
{
    std::string text;
    if (devices_ && devices_->GetErrorText(code, text)) {
        if (text.size() > kErrorTextLength)
            text.resize(kErrorTextLength);
        return text;
    }
    return LoadResString(msg::UnknownError);
}

void TMMCustomWaveIn::deviceError(const char* step, MMResult code)
{
    Error(std::string(step) + "\n\r" + deviceText(code));
}

void TMMCustomWaveIn::checkIdle()
{
    if (IsOpened())
        Error(LoadResString(msg::ChangeWhileOpen));
}

// ---------------------------------------------------------------- properties

void TMMCustomWaveIn::buildFormat()
{
    const TWaveFormatEx f = pcmWaveFormat((bitLength_ + 1) * 8, mode_ + 1, static_cast<std::uint32_t>(sampleRate_));
    SetWaveFormat(&f);
}

void TMMCustomWaveIn::SetWaveFormat(const TWaveFormatEx* format)
{
    Close();
    if (pcmIsValidFormat(format)) {
        sampleRate_ = static_cast<int>(format->nSamplesPerSec);
        bitLength_ = format->wBitsPerSample == 16 ? b16Bit : b8Bit;
        mode_ = format->nChannels == 2 ? mStereo : mMono;
    }
    TMMCustomSoundComponent::SetWaveFormat(format);
}

void TMMCustomWaveIn::SetDeviceID(TMMDeviceId id)
{
    checkIdle();
    productName_ = LoadResString(msg::NoWaveInDevice);
    if (numDevs_ > 0 && id >= MapperId && id < numDevs_) {
        WaveInCaps caps;
        if (devices_->GetDevCaps(static_cast<unsigned>(id), caps) == MMSYSERR_NOERROR) {
            caps_ = caps;
            productName_ = caps.szPname;
        }
    }
    deviceId_ = (id < MapperId || id >= numDevs_) ? badDeviceId : id;
}

void TMMCustomWaveIn::SetRecordPlay(bool on)
{
    checkIdle();
    recordPlay_ = on;
}

void TMMCustomWaveIn::SetCallBackMode(TMMCBMode mode)
{
    checkIdle();
    if (mode == cmCallback) {
        // Handling buffers inside the device's own callback is refused: it would run the
        // chain and its events on the card's mixing thread.
        AppDialogs().ShowMessageBox(CallbackModeRefusal(), "TMMWaveIn", MessageBoxKind::Plain);
        return;
    }
    callBackMode_ = mode;
}

void TMMCustomWaveIn::SetMode(TMMMode mode)
{
    checkIdle();
    if (mode < 2 && mode != mode_) {
        mode_ = mode;
        buildFormat();
    }
}

void TMMCustomWaveIn::SetBitLength(TMMBits bits)
{
    checkIdle();
    if (bits != bitLength_) {
        bitLength_ = bits;
        buildFormat();
    }
}

void TMMCustomWaveIn::SetSampleRate(int rate)
{
    checkIdle();
    rate = std::clamp(rate, 8000, 100000);
    if (rate != sampleRate_) {
        sampleRate_ = rate;
        buildFormat();
    }
}

void TMMCustomWaveIn::SetNumBuffers(int count)
{
    checkIdle();
    if (count <= 1)
        return;
    numBuffers_ = std::min(count, MaxBuffers);
}

void TMMCustomWaveIn::SetBufferSize(int size)
{
    checkIdle();
    TMMCustomSoundComponent::SetBufferSize(std::max(size, MinBufferSize));
}

void TMMCustomWaveIn::SetTimeFormat(TMMTimeFormats format)
{
    if (format == timeFormat_)
        return;
    if (maxRecordTime_ < 0) {
        timeFormat_ = format;
        return;
    }
    const std::int64_t bytes = computeByteLimit();
    timeFormat_ = format;
    const TWaveFormatEx* f = GetWaveFormat();
    switch (format) {
    case tfMillisecond: maxRecordTime_ = wioBytesToTime(f, bytes); break;
    case tfSample: maxRecordTime_ = wioBytesToSamples(f, bytes); break;
    case tfByte: maxRecordTime_ = bytes; break;
    }
}

std::int64_t TMMCustomWaveIn::computeByteLimit() const
{
    // No limit is none: a take may run past 2 GiB, and past a RIFF file's 4 GiB as RF64.
    constexpr std::int64_t kNoLimit = std::numeric_limits<std::int64_t>::max();
    const TWaveFormatEx* f = GetWaveFormat();
    std::int64_t bytes = kNoLimit;
    if (maxRecordTime_ >= 0 && f) {
        switch (timeFormat_) {
        case tfMillisecond: bytes = wioIsUsableFormat(f) ? wioTimeToBytes(f, maxRecordTime_) : kNoLimit; break;
        case tfSample: bytes = wioIsUsableFormat(f) ? wioSamplesToBytes(f, maxRecordTime_) : kNoLimit; break;
        case tfByte: bytes = maxRecordTime_; break;
        }
        bytes = std::min(bytes, kNoLimit);
    }
    if (f && f->nBlockAlign > 0)
        bytes -= bytes % f->nBlockAlign;
    return bytes;
}

// A format the device must be able to record: the device answers a query, and for the
// simple PCM formats its capabilities name the format's standard bit.
bool TMMCustomWaveIn::formatSupported()
{
    const TWaveFormatEx* f = GetWaveFormat();
    if (deviceId_ < MapperId || deviceId_ >= numDevs_ || !f)
        return false;
    WaveInHandle query = 0;
    if (device().Open(query, deviceId_, devicePcm(*f), {}, CALLBACK_FUNCTION | WAVE_FORMAT_QUERY) !=
        MMSYSERR_NOERROR)
        return false;
    if (f->wFormatTag != WAVE_FORMAT_PCM)
        return true;
    WaveInCaps caps;
    if (device().GetDevCaps(static_cast<unsigned>(deviceId_), caps) != MMSYSERR_NOERROR)
        return false;
    const bool simple = (f->wBitsPerSample == 8 || f->wBitsPerSample == 16) && (f->nChannels == 1 || f->nChannels == 2);
    if (!simple)
        return true;
    int group;
    if (f->nSamplesPerSec >= 8000 && f->nSamplesPerSec <= 11025)
        group = 0;
    else if (f->nSamplesPerSec > 11025 && f->nSamplesPerSec <= 22050)
        group = 1;
    else if (f->nSamplesPerSec > 22050 && f->nSamplesPerSec <= 48000)
        group = 2;
    else
        return true;
    const int bit = group * 4 + (f->wBitsPerSample == 16 ? 2 : 0) + (f->nChannels == 2 ? 1 : 0);
    return (caps.dwFormats & (1u << bit)) != 0;
}

// ---------------------------------------------------------------- device notifications

void TMMCustomWaveIn::deviceMessage(std::uint64_t session, TMMCBMode mode, unsigned message, WaveHdr* header)
{
    switch (message) {
    case MM_WIM_OPEN:
        state_ = stOpened;
        return;
    case MM_WIM_CLOSE:
        state_ = 0;
        return;
    case MM_WIM_DATA:
    case MM_WIM_DEVICE_LOST:
        break;
    default:
        return;
    }
    bool post = false;
    {
        QueueLock lock(queueLock_);
        queue_.push_back({message, session, reinterpret_cast<TMMWaveHdr*>(header)});
        if (mode != cmThread && !drainPosted_)
            post = drainPosted_ = true;
    }
    if (mode == cmThread)
        queueSignal_.notify_one();
    else if (post)
        Window().Post(kDrainMessage, static_cast<std::intptr_t>(session));
}

void TMMCustomWaveIn::drainQueue()
{
    // Only the notifications queued so far: a device that refills every returned buffer at
    // once (the card's fast clock) would otherwise keep this loop going for the whole
    // recording, and no other message (a Stop, a timer, a click) would run meanwhile. Later
    // ones get a drain message of their own, behind whatever was posted in between.
    std::size_t count = 0;
    {
        QueueLock lock(queueLock_);
        drainPosted_ = false;
        count = queue_.size();
    }
    for (; count > 0; --count) {
        Posted p{};
        {
            QueueLock lock(queueLock_);
            if (queue_.empty())
                return;
            p = queue_.front();
            queue_.pop_front();
        }
        handleNotification(p);
    }
}

void TMMCustomWaveIn::handleNotification(const Posted& p)
{
    if (p.session != session_)
        return;  // of an earlier open
    if (p.message == MM_WIM_DATA)
        bufferDone(p.header);
    else if (p.message != MM_WIM_DEVICE_LOST)
        return;
    else if (IsMainThread())
        deviceLost();  // after every buffer the device returned
    else
        Window().Post(MM_WIM_DEVICE_LOST, static_cast<std::intptr_t>(p.session));
}

void TMMCustomWaveIn::DriverMessage(unsigned message, std::intptr_t wParam, std::intptr_t)
{
    if (message == kDrainMessage) {
        drainQueue();  // each notification carries its own session
        return;
    }
    // Messages of an earlier open carry an older session and are dropped.
    if (message == MM_WIM_DEVICE_LOST && static_cast<std::uint64_t>(wParam) == session_)
        deviceLost();
}

bool TMMCustomWaveIn::ownsHeader(const TMMWaveHdr* header) const
{
    for (int i = 0; i < numBuffers_; ++i)
        if (ring_[static_cast<std::size_t>(i)] && ring_[static_cast<std::size_t>(i)]->Header() == header)
            return true;
    return false;
}

void TMMCustomWaveIn::queueBuffer(TMMWaveHdr* header)
{
    header->dwFlags = (header->dwFlags & ~(WHDR_DONE | WHDR_ENDOFPLAY)) | WHDR_PREPARED;
    ++queued_;
    if (const MMResult r = device().AddBuffer(handle_, platformHeader(header))) {
        --queued_;
        deviceError("WaveInAddBuffer:", r);
    }
}

void TMMCustomWaveIn::bufferDone(TMMWaveHdr* header)
{
    if (!IsStarted() || !ownsHeader(header))
        return;
    {
        std::unique_lock lock(lock_);
        if (stopping_ || resetting_) {
            // Buffers handed back by a stop or a reset: what they hold was recorded before
            // the stop, so it is written too; a take keeps every frame up to Stop.
            const bool write = header->dwBytesRecorded > 0;
            lock.unlock();
            struct CountOff {
                TMMCustomWaveIn* self;
                ~CountOff() { self->countOff(); }
            } countOff{this};
            if (write)
                BufferReady(header);
            return;
        }
        ++busy_;
        --queued_;
    }
    try {
        BufferReady(header);
        if (!stopPending_)
            queueBuffer(header);
    } catch (...) {
        fire(OnError);
        EndBuffer(false);
        throw;
    }
    EndBuffer(false);
}

void TMMCustomWaveIn::BufferReady(TMMWaveHdr* lpWaveHdr)
{
    const std::int64_t total = recordedBytes_ + lpWaveHdr->dwBytesRecorded;
    const std::int64_t limit = byteLimit_;
    bool reached = false;
    if (total >= limit) {
        lpWaveHdr->dwBytesRecorded -= static_cast<std::int32_t>(total - limit);
        recordedBytes_ = limit;
        reached = true;
    } else {
        recordedBytes_ = total;
    }
    TMMCustomSoundComponent::BufferReady(lpWaveHdr);
    // The play being recorded has ended in this buffer: the recording ends with it.
    if (lpWaveHdr->dwFlags & WHDR_ENDOFPLAY) {
        playEnded_ = true;
        reached = true;
    }
    if (reached && !stopping_) {
        if (IsMainThread()) {
            Stop();
        } else {
            // The device is stopped from the main thread: the end of this buffer posts it.
            StopAfterBuffer();
        }
    }
}

void TMMCustomWaveIn::deviceLost()
{
    if (!IsOpened())
        return;
    // Every buffer the device still had has been handled; stopping and closing finishes
    // the recording file. The device table says which device went and why.
    const std::string reason = devices_ ? devices_->LossReason(handle_) : std::string();
    Close();
    if (!quietDeviceLoss_)
        Error(reason.empty() ? TranslatedMessage(kRecordingDeviceLostMessage)
                             : TranslatedMessage(kRecordingDeviceLostMessage) + "\n" + reason);
}

// ---------------------------------------------------------------- the worker (cmThread)

bool TMMCustomWaveIn::awaitWorkerSettled()
{
    // The worker hands the buffers the reset returned down the chain; a chain event it runs
    // on the main thread meanwhile needs the main thread's messages, so they run between
    // the wake-ups. No time limit: the worker always gets through its queue, and a worker
    // that failed has stopped taking buffers (its close follows).
    std::unique_lock lock(settleLock_);
    for (;;) {
        if (queued_ <= 0)
            return true;
        if (threadFailed_ || !HasWorker())
            return false;
        lock.unlock();
        ProcessMessages();
        lock.lock();
        settled_.wait_for(lock, kRound, [this] { return queued_ <= 0 || threadFailed_; });
    }
}

void TMMCustomWaveIn::countOff()
{
    bool settled = false;
    {
        std::lock_guard l(lock_);
        if (--queued_ <= 0) {
            resetting_ = false;
            settled = true;
        }
    }
    if (settled) {
        std::lock_guard l(settleLock_);
        settled_.notify_all();
    }
}

void TMMCustomWaveIn::EndWorker()
{
    if (!HasWorker())
        return;
    {
        QueueLock lock(queueLock_);
        terminate_ = true;
    }
    queueSignal_.notify_one();
    JoinWorker();
    QueueLock lock(queueLock_);
    queue_.clear();
}

void TMMCustomWaveIn::RunWorker()
{
    // Buffers wait for this thread while the card fills the next ones: it asks to run
    // ahead of ordinary work. A refusal (no privilege) leaves it at normal priority.
    SetNativeThreadPriority(CurrentNativeThreadId(), tpHigher);
    WorkerReady();
    try {
        for (;;) {
            Posted p{};
            {
                QueueLock lock(queueLock_);
                queueSignal_.wait(lock.Lock(), [this] { return terminate_ || !queue_.empty(); });
                if (terminate_)
                    return;
                p = queue_.front();
                queue_.pop_front();
            }
            handleNotification(p);
        }
    } catch (...) {
        WorkerFailed();
    }
}

// ---------------------------------------------------------------- operations

void TMMCustomWaveIn::CheckOpen()
{
    if (numDevs_ <= 0)
        Error(LoadResString(msg::NoWaveInDevice));
    if (deviceId_ == badDeviceId)
        Error(LoadResString(msg::InvalidDeviceId));
    if (!GetWaveFormat())
        Error(LoadResString(msg::InvalidWaveFormat));
}

void TMMCustomWaveIn::OpenDriver()
{
    resetting_ = false;
    if (!formatSupported())
        Error(StepMessage("WaveInOpen:", msg::CannotRecordFormat));
    handle_ = 0;
    ChainOpen();
    if (callBackMode_ == cmThread) {
        {
            QueueLock lock(queueLock_);
            queue_.clear();
            terminate_ = false;
        }
        StartWorker("WaveIn:");
    }
    const std::uint64_t session = ++session_;
    WaveInHandle handle = 0;
    const MMResult r = device().Open(
        handle, deviceId_, devicePcm(*GetWaveFormat()),
        [this, session, mode = callBackMode_](unsigned m, WaveInHandle, WaveHdr* h) {
            deviceMessage(session, mode, m, h);
        },
        CALLBACK_FUNCTION | (recordPlay_ ? WAVE_RECORD_PLAY : 0));
    if (r != MMSYSERR_NOERROR)
        deviceError("WaveInOpen:", r);
    handle_ = handle;
    // The device confirms the open before Open returns; one that did not never will.
    if (!IsOpened())
        Error(StepMessage("WaveInOpen:", msg::OpenDevice));
    const int size = GetBufferSize();
    for (int i = 0; i < numBuffers_; ++i) {
        auto& slot = ring_[static_cast<std::size_t>(i)];
        if (!slot) {
            try {
                slot = std::make_unique<TMMBufferBlock>(static_cast<std::size_t>(size));
            } catch (const std::bad_alloc&) {
                Error(LoadResString(msg::AllocHeader));
            }
        }
        if (const MMResult pr = device().PrepareHeader(handle_, platformHeader(slot->Header())))
            deviceError("WaveInPrepareHeader:", pr);
    }
}

void TMMCustomWaveIn::StartDriver()
{
    try {
        recordedBytes_ = 0;
        playEnded_ = false;
        queued_ = 0;
        resetting_ = false;
        byteLimit_ = computeByteLimit();
        for (int i = 0; i < numBuffers_; ++i)
            queueBuffer(ring_[static_cast<std::size_t>(i)]->Header());
        state_ |= stStarted;
        // The chain is ready before the device runs: in thread mode the first buffers may
        // be handled before Start returns.
        ChainStart();
        if (!IsPaused())
            if (const MMResult r = device().Start(handle_))
                deviceError("WaveInStart:", r);
    } catch (...) {
        // Buffers may be with the device already: closing stops it as it stops a run.
        state_ |= stStarted;
        throw;
    }
}

void TMMCustomWaveIn::HaltDriver()
{
    if (const MMResult r = device().Stop(handle_))
        deviceError("WaveInStop:", r);
    resetting_ = true;
    if (const MMResult r = device().Reset(handle_))
        deviceError("WaveInReset:", r);
}

void TMMCustomWaveIn::SettleDriver()
{
    // The reset has handed every buffer back before it returned. On the main thread
    // (cmWindow) they are all in the queue now and are handled here, at once: nothing is
    // left to wait for. In cmThread the worker handles them.
    if (callBackMode_ == cmWindow && IsMainThread())
        drainQueue();
    else if (callBackMode_ == cmThread)
        awaitWorkerSettled();
}

void TMMCustomWaveIn::PauseDriver()
{
    if (const MMResult r = device().Stop(handle_))
        deviceError("WaveInPause:", r);
}

void TMMCustomWaveIn::RestartDriver()
{
    if (const MMResult r = device().Start(handle_))
        deviceError("WaveInRestart:", r);
}

// Each step runs even when one before it failed, so the chain is always closed and the
// recording file always finished; failures reach OnError only.
void TMMCustomWaveIn::ReleaseDevice()
{
    closeTimedOut_ = false;
    if (!handle_)
        return;
    closeStep([this] {
        device().Stop(handle_);
        device().Reset(handle_);
    });
    for (int i = 0; i < numBuffers_; ++i) {
        if (auto& slot = ring_[static_cast<std::size_t>(i)]) {
            TMMWaveHdr* h = slot->Header();
            h->dwFlags |= WHDR_DONE;  // the reset has handed every buffer back
            closeStep([&] {
                if (const MMResult r = device().UnprepareHeader(handle_, platformHeader(h)))
                    deviceError("WaveInUnprepareHeader:", r);
            });
        }
    }
    closeStep([this] {
        if (const MMResult r = device().Close(handle_))
            deviceError("WaveInClose:", r);
    });
    // The device confirms the close before Close returns.
    closeTimedOut_ = state_ != 0;
}

void TMMCustomWaveIn::ReleaseWorker()
{
    EndWorker();
    handle_ = 0;
    freeBuffers();
    if (closeTimedOut_)
        closeStep([this] { Error(StepMessage("WaveInOpen:", msg::CloseDevice)); });
}

void TMMCustomWaveIn::freeBuffers()
{
    for (auto& slot : ring_)
        slot.reset();
}

// ---------------------------------------------------------------- TMMWaveIn

namespace {
// The card mixes 44100 Hz 16-bit stereo; a recorder asking for another PCM format gets it
// through the wave layer's converter. Card thread (and a main-thread query); reentrant.
bool convertCardPcm(const PcmFormat& from, const PcmFormat& to, std::span<const std::uint8_t> in,
                    std::vector<std::uint8_t>& out)
{
    if (from.wFormatTag != WAVE_FORMAT_PCM || to.wFormatTag != WAVE_FORMAT_PCM)
        return false;
    const TWaveFormatEx src = pcmWaveFormat(from.wBitsPerSample, from.nChannels, from.nSamplesPerSec);
    const TWaveFormatEx dst = pcmWaveFormat(to.wBitsPerSample, to.nChannels, to.nSamplesPerSec);
    if (!pcmIsValidFormat(&src) || !pcmIsValidFormat(&dst))
        return false;
    if (in.empty())
        return true;
    const auto n = static_cast<std::int64_t>(in.size());
    const std::int64_t room = pcmConvertedSize(n, &src, &dst);
    if (room < 0)
        return false;
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(room) + dst.nBlockAlign);
    const std::int64_t written = pcmConvert(n, in.data(), &src, out.data() + at, &dst);
    out.resize(at + static_cast<std::size_t>(std::max<std::int64_t>(written, 0)));
    return written >= 0;
}

IWaveInDevices* cardWaveIn()
{
    static std::once_flag installed;
    std::call_once(installed, [] { SoundCard::SetPcmConverter(convertCardPcm); });
    SoundCard* card = SoundCard::Current();
    return card ? &card->WaveIn() : nullptr;
}
}  // namespace

TMMWaveIn::TMMWaveIn(std::string name) : TMMCustomWaveIn(cardWaveIn(), std::move(name)) {}

TMMWaveIn::TMMWaveIn(IWaveInDevices* devices, std::string name) : TMMCustomWaveIn(devices, std::move(name)) {}
