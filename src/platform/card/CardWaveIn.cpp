#include "platform/card/CardWaveIn.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

namespace {
constexpr std::uint32_t kDone = 0x1;
constexpr std::uint32_t kPrepared = 0x2;
constexpr std::size_t kMixChannels = 2;  // the card's mix is interleaved stereo

// Guarded by converterLock.
std::mutex converterLock;
PcmConverter installedConverter;

PcmConverter currentConverter()
{
    std::lock_guard lock(converterLock);
    return installedConverter;
}

PcmFormat makeFormat(unsigned rate, unsigned channels, unsigned bits)
{
    PcmFormat f;
    f.wFormatTag = 1;
    f.nChannels = std::uint16_t(channels);
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = std::uint16_t(bits);
    f.nBlockAlign = std::uint16_t(channels * bits / 8);
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    return f;
}

bool sameFormat(const PcmFormat& a, const PcmFormat& b)
{
    return a.wFormatTag == b.wFormatTag && a.nChannels == b.nChannels && a.nSamplesPerSec == b.nSamplesPerSec &&
           a.wBitsPerSample == b.wBitsPerSample && a.nBlockAlign == b.nBlockAlign &&
           a.nAvgBytesPerSec == b.nAvgBytesPerSec;
}

bool wellFormed(const PcmFormat& f)
{
    return f.wFormatTag == 1 && (f.nChannels == 1 || f.nChannels == 2) &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec >= 1000 &&
           f.nSamplesPerSec <= 200000 && f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8 &&
           f.nAvgBytesPerSec == f.nSamplesPerSec * f.nBlockAlign;
}

// Empty converter: the card's own format, no conversion. Null optional: cannot record it.
bool converterFor(const PcmFormat& format, PcmConverter& out)
{
    out = nullptr;
    if (!wellFormed(format))
        return false;
    if (sameFormat(format, CardPcmFormat()))
        return true;
    PcmConverter converter = currentConverter();
    std::vector<std::uint8_t> none;
    if (!converter || !converter(CardPcmFormat(), format, {}, none))
        return false;
    out = std::move(converter);
    return true;
}
}  // namespace

void SetCardPcmConverter(PcmConverter converter)
{
    std::lock_guard lock(converterLock);
    installedConverter = std::move(converter);
}

PcmFormat CardPcmFormat()
{
    return makeFormat(44100, 2, 16);
}

CardWaveIn::CardWaveIn(std::function<void()> changed) : changed_(std::move(changed)) {}

void CardWaveIn::Changed()
{
    if (changed_)
        changed_();
}

unsigned CardWaveIn::GetNumDevs()
{
    return 1;
}

MMResult CardWaveIn::GetDevCaps(unsigned deviceId, WaveInCaps& caps)
{
    // The wave mapper (-1 as unsigned) stands for the one device.
    if (deviceId != 0 && deviceId != unsigned(-1))
        return MMSYSERR_BADDEVICEID;
    caps = WaveInCaps{};
    caps.wMid = 1;
    caps.wPid = 1;
    caps.vDriverVersion = 0x0200;
    caps.szPname = "Mervane Sound Card";
    caps.wChannels = 2;
    // Standard formats in the order of their bits: 11.025, 22.05, 44.1 kHz, each as mono
    // 8-bit, stereo 8-bit, mono 16-bit, stereo 16-bit.
    std::uint32_t bit = 1;
    for (unsigned rate : {11025u, 22050u, 44100u})
        for (auto [channels, bits] : std::array<std::pair<unsigned, unsigned>, 4>{{{1, 8}, {2, 8}, {1, 16}, {2, 16}}}) {
            PcmConverter unused;
            if (converterFor(makeFormat(rate, channels, bits), unused))
                caps.dwFormats |= bit;
            bit <<= 1;
        }
    return MMSYSERR_NOERROR;
}

bool CardWaveIn::GetErrorText(MMResult code, std::string& text)
{
    static const std::map<MMResult, const char*> texts{
        {MMSYSERR_NOERROR, QT_TRANSLATE_NOOP("CardWaveIn", "The specified command was carried out.")},
        {MMSYSERR_ERROR, QT_TRANSLATE_NOOP("CardWaveIn", "Undefined external error.")},
        {MMSYSERR_BADDEVICEID, QT_TRANSLATE_NOOP("CardWaveIn", "A device ID has been used that is out of range for your system.")},
        {MMSYSERR_ALLOCATED, QT_TRANSLATE_NOOP("CardWaveIn", "The specified device is already in use. Wait until it is free, and then try again.")},
        {MMSYSERR_INVALHANDLE, QT_TRANSLATE_NOOP("CardWaveIn", "The specified device handle is invalid.")},
        {MMSYSERR_NODRIVER, QT_TRANSLATE_NOOP("CardWaveIn", "There is no driver installed on your system.")},
        {MMSYSERR_NOMEM, QT_TRANSLATE_NOOP("CardWaveIn", "There is not enough memory available for this task.")},
        {MMSYSERR_INVALFLAG, QT_TRANSLATE_NOOP("CardWaveIn", "An invalid flag was passed to a system function.")},
        {MMSYSERR_INVALPARAM, QT_TRANSLATE_NOOP("CardWaveIn", "An invalid parameter was passed to a system function.")},
        {WAVERR_BADFORMAT, QT_TRANSLATE_NOOP("CardWaveIn", "The specified format is not supported or cannot be translated.")},
        {WAVERR_STILLPLAYING, QT_TRANSLATE_NOOP("CardWaveIn", "Cannot perform this operation while media data is still playing.")},
        {WAVERR_UNPREPARED, QT_TRANSLATE_NOOP("CardWaveIn", "The wave header was not prepared.")},
    };
    const auto it = texts.find(code);
    if (it == texts.end())
        return false;
    text = QCoreApplication::translate("CardWaveIn", it->second).toStdString();
    return true;
}

MMResult CardWaveIn::Open(WaveInHandle& handle, int deviceId, const PcmFormat& format, WaveInCallback callback,
                          std::uint32_t flags)
{
    if (flags & ~(WAVE_FORMAT_QUERY | CALLBACK_FUNCTION | WAVE_RECORD_PLAY))
        return MMSYSERR_INVALFLAG;
    if (deviceId != 0 && deviceId != -1)
        return MMSYSERR_BADDEVICEID;
    PcmConverter converter;
    if (!converterFor(format, converter))
        return WAVERR_BADFORMAT;
    if (flags & WAVE_FORMAT_QUERY)
        return MMSYSERR_NOERROR;

    std::lock_guard lock(lock_);
    if (open_)
        return MMSYSERR_ALLOCATED;
    open_ = true;
    started_ = false;
    lost_ = false;
    lossReason_.clear();
    handle_ = nextHandle_++;
    callback_ = std::move(callback);
    format_ = format;
    converter_ = std::move(converter);
    pending_.clear();
    pendingStart_ = 0;
    play_ = (flags & WAVE_RECORD_PLAY) ? Play::Awaiting : Play::None;
    handle = handle_;
    if (callback_)
        callback_(MM_WIM_OPEN, handle_, nullptr);
    return MMSYSERR_NOERROR;
}

bool CardWaveIn::Valid(WaveInHandle handle) const
{
    return open_ && handle == handle_;
}

MMResult CardWaveIn::Close(WaveInHandle handle)
{
    {
        std::lock_guard lock(lock_);
        if (!Valid(handle))
            return MMSYSERR_INVALHANDLE;
        if (!queue_.empty())
            return WAVERR_STILLPLAYING;
        open_ = false;
        started_ = false;
        if (callback_)
            callback_(MM_WIM_CLOSE, handle_, nullptr);
        callback_ = nullptr;
        converter_ = nullptr;
        pending_.clear();
        pendingStart_ = 0;
    }
    Changed();
    return MMSYSERR_NOERROR;
}

MMResult CardWaveIn::PrepareHeader(WaveInHandle handle, WaveHdr* header)
{
    std::lock_guard lock(lock_);
    if (!Valid(handle))
        return MMSYSERR_INVALHANDLE;
    if (!header || !header->lpData || header->dwBufferLength == 0)
        return MMSYSERR_INVALPARAM;
    header->dwFlags |= kPrepared;
    return MMSYSERR_NOERROR;
}

MMResult CardWaveIn::UnprepareHeader(WaveInHandle handle, WaveHdr* header)
{
    std::lock_guard lock(lock_);
    if (!Valid(handle))
        return MMSYSERR_INVALHANDLE;
    if (!header)
        return MMSYSERR_INVALPARAM;
    if (header->dwFlags & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    header->dwFlags &= ~kPrepared;
    return MMSYSERR_NOERROR;
}

MMResult CardWaveIn::AddBuffer(WaveInHandle handle, WaveHdr* header)
{
    {
        std::lock_guard lock(lock_);
        if (!Valid(handle))
            return MMSYSERR_INVALHANDLE;
        if (!header || !header->lpData || header->dwBufferLength == 0)
            return MMSYSERR_INVALPARAM;
        if (!(header->dwFlags & kPrepared))
            return WAVERR_UNPREPARED;
        if (header->dwFlags & WHDR_INQUEUE)
            return WAVERR_STILLPLAYING;
        header->dwFlags = (header->dwFlags & ~kDone) | WHDR_INQUEUE;
        header->dwBytesRecorded = 0;
        queue_.push_back(header);
        // Mixed bytes that waited for room go in at once.
        if (started_ && !lost_)
            Flush();
    }
    Changed();
    return MMSYSERR_NOERROR;
}

MMResult CardWaveIn::Start(WaveInHandle handle)
{
    {
        std::lock_guard lock(lock_);
        if (!Valid(handle))
            return MMSYSERR_INVALHANDLE;
        started_ = true;
    }
    Changed();
    return MMSYSERR_NOERROR;
}

MMResult CardWaveIn::Stop(WaveInHandle handle)
{
    {
        std::lock_guard lock(lock_);
        if (!Valid(handle))
            return MMSYSERR_INVALHANDLE;
        if (started_) {
            started_ = false;
            if (!queue_.empty() && queue_.front()->dwBytesRecorded > 0)
                Complete();
        }
        pending_.clear();
        pendingStart_ = 0;
    }
    Changed();
    return MMSYSERR_NOERROR;
}

MMResult CardWaveIn::Reset(WaveInHandle handle)
{
    {
        std::lock_guard lock(lock_);
        if (!Valid(handle))
            return MMSYSERR_INVALHANDLE;
        started_ = false;
        while (!queue_.empty())
            Complete();
        pending_.clear();
        pendingStart_ = 0;
    }
    Changed();
    return MMSYSERR_NOERROR;
}

bool CardWaveIn::Started() const
{
    std::lock_guard lock(lock_);
    return open_ && started_ && !lost_;
}

bool CardWaveIn::AwaitsPlay() const
{
    std::lock_guard lock(lock_);
    return open_ && started_ && play_ == Play::Awaiting;
}

bool CardWaveIn::WantsData() const
{
    std::lock_guard lock(lock_);
    if (!open_ || !started_ || lost_ || play_ == Play::EndPending || play_ == Play::Ended)
        return false;
    std::size_t room = 0;
    for (const WaveHdr* h : queue_)
        room += h->dwBufferLength - std::uint32_t(h->dwBytesRecorded);
    return room > pending_.size() - pendingStart_;
}

void CardWaveIn::Complete()
{
    WaveHdr* header = queue_.front();
    queue_.pop_front();
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | kDone;
    if (callback_)
        callback_(MM_WIM_DATA, handle_, header);
}

void CardWaveIn::Flush()
{
    while (!queue_.empty() && (pendingStart_ < pending_.size() || play_ == Play::EndPending)) {
        WaveHdr* header = queue_.front();
        const std::size_t room = header->dwBufferLength - std::uint32_t(header->dwBytesRecorded);
        const std::size_t n = std::min(room, pending_.size() - pendingStart_);
        std::memcpy(header->lpData + header->dwBytesRecorded, pending_.data() + pendingStart_, n);
        header->dwBytesRecorded += std::int32_t(n);
        pendingStart_ += n;
        if (play_ == Play::EndPending && pendingStart_ == pending_.size()) {
            // The play's last frame is in: this buffer comes back now, flagged.
            header->dwFlags |= WHDR_ENDOFPLAY;
            play_ = Play::Ended;
            Complete();
            break;
        }
        if (std::uint32_t(header->dwBytesRecorded) == header->dwBufferLength)
            Complete();
    }
    if (pendingStart_ == pending_.size()) {
        pending_.clear();
        pendingStart_ = 0;
    }
}

void CardWaveIn::Deliver(std::span<const std::int16_t> frames, const PlayMarks& marks)
{
    std::lock_guard lock(lock_);
    if (!open_ || !started_ || lost_ || play_ == Play::EndPending || play_ == Play::Ended)
        return;
    // Recording a play: only the frames from its first to its last.
    std::size_t from = 0, to = frames.size() / kMixChannels;
    bool ends = false;
    if (play_ == Play::Awaiting) {
        if (!marks.start && !marks.end)
            return;
        from = marks.start.value_or(marks.end.value_or(0));
        play_ = Play::Recording;
    }
    if (play_ == Play::Recording && marks.end && *marks.end >= from) {
        to = *marks.end;
        ends = true;
    }
    frames = frames.subspan(from * kMixChannels, (to - from) * kMixChannels);
    // Drop the bytes already handed out before the waiting ones grow the vector.
    if (pendingStart_ > 0) {
        pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(pendingStart_));
        pendingStart_ = 0;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(frames.data());
    const std::span<const std::uint8_t> in(bytes, frames.size() * sizeof(std::int16_t));
    if (!converter_)
        pending_.insert(pending_.end(), in.begin(), in.end());
    else if (!in.empty())
        converter_(CardPcmFormat(), format_, in, pending_);
    // At most one second waits; what is older is lost, whole blocks at a time.
    const std::size_t limit = format_.nAvgBytesPerSec;
    if (pending_.size() > limit) {
        std::size_t excess = pending_.size() - limit;
        excess += (format_.nBlockAlign - excess % format_.nBlockAlign) % format_.nBlockAlign;
        pendingStart_ = std::min(excess, pending_.size());
    }
    if (ends)
        play_ = Play::EndPending;
    Flush();
}

std::string CardWaveIn::LossReason(WaveInHandle handle)
{
    std::lock_guard lock(lock_);
    return Valid(handle) ? lossReason_ : std::string();
}

void CardWaveIn::DeviceLost(const std::string& reason)
{
    std::lock_guard lock(lock_);
    if (!open_ || lost_)
        return;
    lost_ = true;
    lossReason_ = reason;
    Flush();
    while (!queue_.empty())
        Complete();
    pending_.clear();
    pendingStart_ = 0;
    if (callback_)
        callback_(MM_WIM_DEVICE_LOST, handle_, nullptr);
}
