#include "wave/MMWave.h"

#include "platform/Errors.h"
#include "platform/os/OwnedFile.h"
#include "wave/WaveMessages.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {
std::string fullPath(const std::string& name)
{
    if (name.empty())
        return name;
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::absolute(name, ec);
    return ec ? name : p.lexically_normal().string();
}

// Size on disk, or -1 when there is no such file.
std::int64_t sizeOnDisk(const std::string& name)
{
    const FileStatus status = StatusOfPath(name);
    if (status.error != 0)
        return -1;
    return static_cast<std::int64_t>(status.size);
}
}  // namespace

TMMWave::TMMWave() = default;

TMMWave::~TMMWave()
{
    changeSuspended_ = true;  // no notifications from a dying wave
    CloseFile();
    WaveIOFree(info_);
}

void TMMWave::Changed()
{
    if (changeSuspended_) {
        changePending_ = true;
        return;
    }
    TMMObject::Changed();
    observers_.NotifyObservers(this);
}

void TMMWave::Assign(const TMMWave& other)
{
    if (&other == this)
        return;
    changeSuspended_ = true;
    changePending_ = false;
    try {
        fileMustExist_ = other.fileMustExist_;
        growsToRf64_ = other.growsToRf64_;
        riffLimit_ = other.riffLimit_;
        ioBufferSize_ = other.ioBufferSize_;
        timeFormat_ = other.timeFormat_;
        SetFileName(other.fileName_);
    } catch (...) {
        changeSuspended_ = false;
        throw;
    }
    changeSuspended_ = false;
    changePending_ = false;
    Changed();
}

void TMMWave::SetTimeFormat(TMMTimeFormats value)
{
    if (value == timeFormat_)
        return;
    timeFormat_ = value;
    rebuildPlayList();
}

void TMMWave::SetIOBufferSize(std::int64_t value)
{
    ioBufferSize_ = std::max(value, MinIOBufferSize);
}

const TWaveFormatEx* TMMWave::PWaveFormat() const
{
    return info_ ? info_->lpwfx.get() : nullptr;
}

int TMMWave::BitLength() const
{
    const TWaveFormatEx* f = PWaveFormat();
    return f ? f->wBitsPerSample : 0;
}

TMMMode TMMWave::Mode() const
{
    const TWaveFormatEx* f = PWaveFormat();
    return f && f->nChannels == 2 ? mStereo : mMono;
}

int TMMWave::FormatTag() const
{
    const TWaveFormatEx* f = PWaveFormat();
    return f ? f->wFormatTag : 0;
}

std::string TMMWave::FormatString() const
{
    return wioGetFormatName(PWaveFormat());
}

std::int64_t TMMWave::SampleRate() const
{
    const TWaveFormatEx* f = PWaveFormat();
    return f ? f->nSamplesPerSec : 11025;
}

std::int64_t TMMWave::FileSize() const
{
    return info_ ? info_->dwFileSize : 0;
}

std::int64_t TMMWave::DataSize() const
{
    return hasRecord_ ? SamplesToTimeFormat(dataSamples_) : 0;
}

std::int64_t TMMWave::SamplesToTimeFormat(std::int64_t samples) const
{
    switch (timeFormat_) {
    case tfByte:
        return wioSamplesToBytes(PWaveFormat(), samples);
    case tfMillisecond:
        return wioSamplesToTime(PWaveFormat(), samples);
    case tfSample:
        break;
    }
    return samples;
}

std::int64_t TMMWave::TimeFormatToSamples(std::int64_t value) const
{
    switch (timeFormat_) {
    case tfByte:
        return wioBytesToSamples(PWaveFormat(), value);
    case tfMillisecond:
        return wioTimeToSamples(PWaveFormat(), value);
    case tfSample:
        break;
    }
    return value;
}

void TMMWave::mirror()
{
    hasRecord_ = info_ != nullptr;
    dataSamples_ = info_ ? info_->dwDataSamples : 0;
    dataBytes_ = info_ ? info_->dwDataBytes : 0;
}

void TMMWave::rebuildPlayList()
{
    if (!info_) {
        regionStart_ = regionEnd_ = totalBytes_ = 0;
        return;
    }
    regionStart_ = info_->dwFirstSample;
    regionEnd_ = info_->dwLastSample;
    totalBytes_ = wioSamplesToBytes(PWaveFormat(), regionEnd_ - regionStart_);
}

void TMMWave::takeRecord(PMMWaveIOInfo info)
{
    FreeWave();
    info_ = std::move(info);
    position_ = info_->dwPosition;
    bytesLeft_ = info_->dwBytesLeft;
    mirror();
    rebuildPlayList();
}

void TMMWave::FreeWave()
{
    CloseFile();
    fileName_.clear();
    WaveIOFree(info_);
    regionStart_ = regionEnd_ = totalBytes_ = 0;
    bytesLeft_ = regionBytesLeft_ = 0;
    position_ = 0;
    mirror();
}

void TMMWave::SetFileName(const std::string& rawName)
{
    const std::string name = fullPath(rawName);
    const std::int64_t onDisk = sizeOnDisk(name);
    if (name == fileName_ && (name.empty() || onDisk == FileSize()))
        return;
    if (name.empty()) {
        FreeWave();
        Changed();
        return;
    }
    const bool exists = onDisk >= 0;
    PMMWaveIOInfo parsed;
    if (exists && WaveIOOpen(name, &parsed) == WIOERR_NOERROR) {
        takeRecord(std::move(parsed));
        fileName_ = name;
        Changed();
        return;
    }
    if (exists || fileMustExist_)
        throw EMMWaveError(exists ? wavemsg::InvalidFile : wavemsg::ReadError);
    FreeWave();
    fileName_ = name;
    Changed();
}

void TMMWave::CreateWaveFile(const std::string& rawName, const TWaveFormatEx* format)
{
    if (!format || rawName.empty())
        return;
    const std::string name = fullPath(rawName);
    if (info_ && info_->hmmio && info_->lpFileName == name)
        CloseFile();  // recreating the file this wave is writing
    RemoveFile(name);
    PMMWaveIOInfo created = WaveIOCreateInfo(format);
    if (created) {
        created->mayGrowToRf64 = growsToRf64_;
        created->riffLimit = riffLimit_;
    }
    errno = 0;
    if (!created || WaveIOCreate(created.get(), name) != WIOERR_NOERROR) {
        const int error = errno ? errno : EIO;
        WaveIOFree(created);
        throw EMMWaveError(std::string(wavemsg::CreateFile) + "\n" + FileReasonLine(name, error));
    }
    if (WaveIOSetBuffer(created.get(), ioBufferSize_) != WIOERR_NOERROR) {
        WaveIOFinish(created.get());
        WaveIOFree(created);
        throw EMMWaveError(wavemsg::SetupBuffer);
    }
    takeRecord(std::move(created));
    fileName_ = name;
    Changed();
}

void TMMWave::OpenFile()
{
    if (!info_)
        return;
    if (!info_->hmmio && WaveIOReopen(info_.get()) != WIOERR_NOERROR)
        throw EMMWaveError(wavemsg::OpenFile);
    if (WaveIOSetBuffer(info_.get(), ioBufferSize_) != WIOERR_NOERROR) {
        info_->hmmio.reset();
        throw EMMWaveError(wavemsg::SetupBuffer);
    }
    rebuildPlayList();
    opened_ = true;
    cutShort_ = false;
    cutShortError_ = 0;
    SetPosition(GetPosition());
}

bool TMMWave::CloseFile()
{
    bool finished = true;
    if (info_) {
        finished = WaveIOFinish(info_.get()) == WIOERR_NOERROR;
        mirror();
    }
    opened_ = false;
    position_ = 0;
    bytesLeft_ = regionBytesLeft_ = 0;
    return finished;
}

void TMMWave::SetPosition(std::int64_t value)
{
    if (!info_)
        return;
    std::int64_t position = TimeFormatToSamples(value);
    if (opened_) {
        const std::int64_t total = regionEnd_ - regionStart_;
        position = std::clamp<std::int64_t>(position, 0, total);
        const TWaveFormatEx* f = PWaveFormat();
        const std::int64_t limit = std::min(totalBytes_, info_->dwDataBytes);
        bytesLeft_ = std::max<std::int64_t>(limit - wioSamplesToBytes(f, position), 0);
        if (WaveIOSeek(info_.get(), regionStart_ + position) != WIOERR_NOERROR &&
            WaveIOSeek(info_.get(), regionStart_ + position) != WIOERR_NOERROR)
            throw EMMWaveError(wavemsg::SeekError);
        regionBytesLeft_ = bytesLeft_;
    }
    position_ = position;
}

std::int64_t TMMWave::GetPosition() const
{
    return hasRecord_ ? SamplesToTimeFormat(position_) : -1;
}

std::int64_t TMMWave::ReadDataBytes(void* buffer, std::int64_t count)
{
    if (!info_ || bytesLeft_ <= 0)
        return -1;
    auto* out = static_cast<unsigned char*>(buffer);
    std::int64_t c = std::min(count, bytesLeft_);
    std::int64_t total = 0;
    while (c > 0) {
        if (regionBytesLeft_ <= 0) {
            bytesLeft_ = 0;  // a single region: nothing follows it
            break;
        }
        const std::int64_t want = std::min(c, regionBytesLeft_);
        errno = 0;
        const std::int64_t n = WaveIORead(info_.get(), out + total, want);
        if (n < want) {
            // The file gave less than its data chunk holds: what it gave is delivered, and
            // the data ends here, so the reader stops instead of asking again.
            const int error = errno;
            total += std::max<std::int64_t>(n, 0);
            cutShortError_ = error;
            bytesRead_ = totalBytes_ - bytesLeft_ + total;
            cutShort_ = true;
            bytesLeft_ = regionBytesLeft_ = 0;
            position_ = regionEnd_ - regionStart_;
            return total;
        }
        c -= n;
        regionBytesLeft_ -= n;
        total += n;
    }
    bytesLeft_ = std::max<std::int64_t>(bytesLeft_ - total, 0);
    position_ = wioBytesToSamples(PWaveFormat(), totalBytes_ - bytesLeft_);
    return total;
}

std::string TMMWave::CutShortReason() const
{
    if (!cutShort_)
        return {};
    if (const int error = cutShortError_.load())
        return std::system_category().message(error);
    return "it ended after " + std::to_string(bytesRead_.load()) + " of the " + std::to_string(totalBytes_) +
           " bytes of its audio";
}

std::int64_t TMMWave::WriteDataBytes(const void* buffer, std::int64_t count)
{
    if (!info_)
        return -1;
    const std::int64_t n = WaveIOWrite(info_.get(), buffer, count);
    if (n > 0) {
        dataSamples_ = info_->dwDataSamples;
        dataBytes_ = info_->dwDataBytes;
        position_ = info_->dwPosition;
    }
    return n;
}
