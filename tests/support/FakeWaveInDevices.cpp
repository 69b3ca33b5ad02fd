#include "support/FakeWaveInDevices.h"

#include <algorithm>
#include <cstring>

FakeWaveInDevices::FakeWaveInDevices(unsigned devices) : devices_(devices) {}

MMResult FakeWaveInDevices::call(const char* callName)
{
    std::lock_guard lock(mutex_);
    calls_.push_back(callName);
    const auto it = failures.find(callName);
    return it == failures.end() ? MMSYSERR_NOERROR : it->second;
}

std::vector<std::string> FakeWaveInDevices::Calls()
{
    std::lock_guard lock(mutex_);
    return calls_;
}

MMResult FakeWaveInDevices::GetDevCaps(unsigned deviceId, WaveInCaps& caps)
{
    if (deviceId >= devices_ && deviceId != static_cast<unsigned>(-1))
        return MMSYSERR_BADDEVICEID;
    caps.szPname = name;
    caps.dwFormats = formats;
    caps.wChannels = 2;
    return MMSYSERR_NOERROR;
}

bool FakeWaveInDevices::GetErrorText(MMResult code, std::string& text)
{
    if (code >= 100)
        return false;
    text = "fake device error " + std::to_string(code);
    return true;
}

MMResult FakeWaveInDevices::Open(WaveInHandle& handle, int, const PcmFormat& format, WaveInCallback callback,
                                 std::uint32_t flags)
{
    if (flags & WAVE_FORMAT_QUERY) {
        const bool refused = std::find(refusedRates.begin(), refusedRates.end(), format.nSamplesPerSec) !=
                             refusedRates.end();
        return refused ? WAVERR_BADFORMAT : MMSYSERR_NOERROR;
    }
    if (const MMResult r = call("Open"))
        return r;
    {
        std::lock_guard lock(mutex_);
        callback_ = std::move(callback);
        handle = handle_ = handle_ + 1;
        lost_ = false;
    }
    callback_(MM_WIM_OPEN, handle, nullptr);
    return MMSYSERR_NOERROR;
}

MMResult FakeWaveInDevices::Close(WaveInHandle handle)
{
    if (const MMResult r = call("Close"))
        return r;
    WaveInCallback cb;
    {
        std::lock_guard lock(mutex_);
        if (!queue_.empty())
            return WAVERR_STILLPLAYING;
        cb = std::move(callback_);
        callback_ = nullptr;
    }
    cb(MM_WIM_CLOSE, handle, nullptr);
    return MMSYSERR_NOERROR;
}

MMResult FakeWaveInDevices::PrepareHeader(WaveInHandle, WaveHdr* header)
{
    if (const MMResult r = call("PrepareHeader"))
        return r;
    header->dwFlags |= 2;
    return MMSYSERR_NOERROR;
}

MMResult FakeWaveInDevices::UnprepareHeader(WaveInHandle, WaveHdr* header)
{
    if (const MMResult r = call("UnprepareHeader"))
        return r;
    std::lock_guard lock(mutex_);
    if (std::find(queue_.begin(), queue_.end(), header) != queue_.end())
        return WAVERR_STILLPLAYING;
    header->dwFlags &= ~2u;
    return MMSYSERR_NOERROR;
}

MMResult FakeWaveInDevices::AddBuffer(WaveInHandle, WaveHdr* header)
{
    if (const MMResult r = call("AddBuffer"))
        return r;
    std::lock_guard lock(mutex_);
    header->dwFlags = (header->dwFlags & ~1u) | WHDR_INQUEUE;
    header->dwBytesRecorded = 0;
    queue_.push_back(header);
    return MMSYSERR_NOERROR;
}

MMResult FakeWaveInDevices::Start(WaveInHandle)
{
    return call("Start");
}

MMResult FakeWaveInDevices::Stop(WaveInHandle)
{
    return call("Stop");
}

void FakeWaveInDevices::handBack(std::deque<WaveHdr*> buffers)
{
    WaveInCallback cb;
    WaveInHandle h;
    {
        std::lock_guard lock(mutex_);
        cb = callback_;
        h = handle_;
    }
    for (WaveHdr* b : buffers) {
        b->dwFlags = (b->dwFlags & ~WHDR_INQUEUE) | 1u;
        if (cb)
            cb(MM_WIM_DATA, h, b);
    }
}

MMResult FakeWaveInDevices::Reset(WaveInHandle)
{
    if (const MMResult r = call("Reset"))
        return r;
    std::deque<WaveHdr*> back;
    {
        std::lock_guard lock(mutex_);
        back.swap(queue_);
    }
    handBack(std::move(back));
    return MMSYSERR_NOERROR;
}

std::size_t FakeWaveInDevices::Deliver(const std::uint8_t* data, std::size_t size)
{
    WaveHdr* b = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (lost_ || queue_.empty())
            return 0;
        b = queue_.front();
        queue_.pop_front();
    }
    const std::size_t n = std::min<std::size_t>(size, b->dwBufferLength);
    std::memcpy(b->lpData, data, n);
    b->dwBytesRecorded = static_cast<std::int32_t>(n);
    handBack({b});
    return n;
}

void FakeWaveInDevices::LoseDevice()
{
    std::deque<WaveHdr*> back;
    WaveInCallback cb;
    WaveInHandle h;
    {
        std::lock_guard lock(mutex_);
        lost_ = true;
        back.swap(queue_);
        cb = callback_;
        h = handle_;
    }
    handBack(std::move(back));
    if (cb)
        cb(MM_WIM_DEVICE_LOST, h, nullptr);
}

std::size_t FakeWaveInDevices::Queued()
{
    std::lock_guard lock(mutex_);
    return queue_.size();
}

bool FakeWaveInDevices::Opened()
{
    std::lock_guard lock(mutex_);
    return static_cast<bool>(callback_);
}
