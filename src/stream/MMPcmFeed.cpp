#include "stream/MMPcmFeed.h"

#include <algorithm>
#include <cstring>

TMMPcmFeed::TMMPcmFeed(std::string name) : TMMDSPComponent(std::move(name)) {}

TMMPcmFeed::~TMMPcmFeed()
{
    Abort();
    Detach();
}

void TMMPcmFeed::Begin(const TWaveFormatEx& format)
{
    {
        std::lock_guard lock(lock_);
        bytes_.clear();
        start_ = 0;
        ended_ = false;
        aborted_ = false;
        total_ = 0;
        taken_ = 0;
    }
    SetWaveFormat(&format);
}

void TMMPcmFeed::Push(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return;
    {
        std::lock_guard lock(lock_);
        if (ended_ || aborted_)
            return;
        // What the chain took goes first, so the vector holds only what waits.
        if (start_ > 0 && start_ >= bytes_.size() / 2) {
            bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(start_));
            start_ = 0;
        }
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        total_ += static_cast<std::int64_t>(bytes.size());
    }
    arrived_.notify_all();
}

void TMMPcmFeed::End()
{
    {
        std::lock_guard lock(lock_);
        ended_ = true;
    }
    arrived_.notify_all();
}

void TMMPcmFeed::Abort()
{
    {
        std::lock_guard lock(lock_);
        aborted_ = true;
    }
    arrived_.notify_all();
}

bool TMMPcmFeed::FarAhead(std::int64_t bytes) const
{
    std::lock_guard lock(lock_);
    return !ended_ && !aborted_ && Queued() > bytes;
}

void TMMPcmFeed::BufferLoad(TMMWaveHdr* lpWaveHdr, bool& moreBuffers)
{
    const std::size_t room = lpWaveHdr->dwBufferLength - static_cast<std::size_t>(std::max(lpWaveHdr->dwBytesRecorded, 0));
    std::unique_lock lock(lock_);
    arrived_.wait(lock, [&] { return aborted_ || ended_ || bytes_.size() - start_ > room; });
    if (aborted_) {
        moreBuffers = false;
        return;
    }
    const std::size_t n = std::min(room, bytes_.size() - start_);
    std::memcpy(lpWaveHdr->lpData + lpWaveHdr->dwBytesRecorded, bytes_.data() + start_, n);
    lpWaveHdr->dwBytesRecorded += static_cast<std::int32_t>(n);
    start_ += n;
    taken_ += static_cast<std::int64_t>(n);
    moreBuffers = !ended_ || start_ < bytes_.size();
    if (start_ == bytes_.size()) {
        bytes_.clear();
        start_ = 0;
    }
}
