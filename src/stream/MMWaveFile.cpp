#include "stream/MMWaveFile.h"

#include "platform/os/DiskSpace.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
constexpr std::int64_t kSpareBytes = 10240;
}

TMMCustomWaveFile::TMMCustomWaveFile(std::string name)
    : TMMDSPComponent(std::move(name)), wave_(std::make_unique<TMMWave>())
{
    observer_.OnNotify = [this](TMMObserver*, void*) { waveChanged(); };
    wave_->AddObserver(&observer_);
}

TMMCustomWaveFile::~TMMCustomWaveFile()
{
    try {
        Close();
    } catch (...) {
    }
    Detach();
    wave_->RemoveObserver(&observer_);
}

void TMMCustomWaveFile::waveChanged()
{
    if (OnChange)
        OnChange(this);
    try {
        if (wave_->FileMustExist() || wave_->PWaveFormat())
            SetWaveFormat(wave_->PWaveFormat());
    } catch (...) {
        if (OnChanged)
            OnChanged(this);
        throw;
    }
    if (OnChanged)
        OnChanged(this);
}

void TMMCustomWaveFile::SetWaveFormat(const TWaveFormatEx* format)
{
    TMMDSPComponent::SetWaveFormat(format);
    const TWaveFormatEx* f = GetWaveFormat();
    silence_ = f && f->wFormatTag == WAVE_FORMAT_PCM && f->wBitsPerSample == 8 ? 128 : 0;
}

void TMMCustomWaveFile::Open()
{
    TMMDSPComponent::Open();
    if (fileOpened_)
        return;
    if (Input()) {
        SetWaveFormat(Input()->GetWaveFormat());
        if (GetWaveFormat() && !wave_->FileName().empty()) {
            // The wave's own copy is made before the component's format can change again.
            const WaveFormatPtr format = wioCopyWaveFormat(GetWaveFormat());
            writeError_ = 0;
            wave_->CreateWaveFile(wave_->FileName(), format.get());
            fileOpened_ = true;
        }
    } else if (wave_->DataSize() != 0) {
        wave_->OpenFile();
        openPosition_ = wave_->GetPosition();
        fileOpened_ = true;
    }
    if (fileOpened_)
        SynchronizeEvent(OnOpen, this);
}

void TMMCustomWaveFile::Start()
{
    TMMDSPComponent::Start();
    if (fileOpened_ && !fileStarted_) {
        fileStarted_ = true;
        if (!Input())
            wave_->SetPosition(openPosition_);
    }
}

void TMMCustomWaveFile::Stop()
{
    if (fileOpened_ && fileStarted_)
        fileStarted_ = false;
    TMMDSPComponent::Stop();
}

void TMMCustomWaveFile::Close()
{
    if (fileOpened_) {
        Stop();
        if (Input() && !wave_->FileName().empty() && GetWaveFormat() && wave_->DataSize() == 0) {
            // Never leave an empty "data" chunk behind.
            const std::uint8_t zeros[4] = {};
            wave_->WriteDataBytes(zeros, sizeof zeros);
        }
        wave_->CloseFile();
        fileOpened_ = false;
        SynchronizeEvent(OnClose, this);
    }
    TMMDSPComponent::Close();
}

void TMMCustomWaveFile::append(const TMMWaveHdr* h)
{
    const std::int64_t n = h->dwBytesRecorded;
    const std::int64_t free = FreeDiskSpace(wave_->FileName());
    int error = 0;
    if (free < 0 || free < wave_->IOBufferSize() + n + kSpareBytes) {
        error = free < 0 ? EIO : ENOSPC;
    } else {
        errno = 0;
        if (wave_->WriteDataBytes(h->lpData, n) <= 0)
            error = errno ? errno : EIO;
    }
    if (error == 0)
        return;
    writeError_ = error;
    Close();
}

void TMMCustomWaveFile::BufferReady(TMMWaveHdr* lpWaveHdr)
{
    if (fileStarted_ && enabled_ && Input() && !wave_->FileName().empty() && lpWaveHdr->dwBytesRecorded > 0)
        append(lpWaveHdr);
    TMMDSPComponent::BufferReady(lpWaveHdr);
}

void TMMCustomWaveFile::BufferLoad(TMMWaveHdr* h, bool& moreBuffers)
{
    if (Input()) {
        TMMDSPComponent::BufferLoad(h, moreBuffers);
        if (fileStarted_ && enabled_ && !wave_->FileName().empty() && h->dwBytesRecorded > 0)
            append(h);
        return;
    }
    if (wave_->DataSize() == 0) {
        h->dwBytesRecorded = 0;
        return;
    }
    if (!fileStarted_ || !enabled_) {
        std::memset(h->lpData, silence_, h->dwBufferLength);
        h->dwBytesRecorded = static_cast<std::int32_t>(h->dwBufferLength);
        moreBuffers = true;
        return;
    }
    const std::int64_t n = std::max<std::int64_t>(wave_->ReadDataBytes(h->lpData, h->dwBufferLength), 0);
    h->dwBytesRecorded = static_cast<std::int32_t>(n);
    if (n <= 0)
        return;
    if (wave_->BytesLeft() > 0) {
        moreBuffers = true;
        return;
    }
    if (h->wLoop) {
        if (h->dwLoopCount > 0)
            --h->dwLoopsLeft;
        if (h->dwLoopCount != 0 && h->dwLoopsLeft < 0)
            return;
        wave_->SetPosition(0);
        if (OnLooping)
            OnLooping(this);
        moreBuffers = true;
        h->dwLooped = 1;
    }
}
