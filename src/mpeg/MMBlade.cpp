#include "mpeg/MMBlade.h"

#include "mpeg/FrameJoin.h"
#include "mpeg/SplitEncoder.h"
#include "platform/codec/BladeEnc.h"
#include "platform/codec/Loudness.h"
#include "platform/os/DiskSpace.h"
#include "platform/os/MessageTable.h"
#include "platform/os/WorkingFiles.h"
#include "wave/MMWave.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace {
constexpr std::array<int, 14> kKbps = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
// A write needs this much free space beyond its own bytes.
constexpr std::uint64_t kSpareSpace = 10240;

// The MPEG Layer-3 wave format: the format record and its 12 extra bytes.
#pragma pack(push, 1)
struct MpegLayer3WaveFormat {
    TWaveFormatEx wfx;
    std::uint16_t wID;
    std::uint32_t fdwFlags;
    std::uint16_t nBlockSize;
    std::uint16_t nFramesPerBlock;
    std::uint16_t nCodecDelay;
};
#pragma pack(pop)
static_assert(sizeof(MpegLayer3WaveFormat) == 30);

constexpr std::uint16_t WAVE_FORMAT_MPEGLAYER3 = 0x55;

MpegLayer3WaveFormat mpegFormat(const TWaveFormatEx& input, int kbps)
{
    const double rate = input.nSamplesPerSec;
    const double frameLength = 144.0 * kbps * 1000.0 / rate;
    MpegLayer3WaveFormat f{};
    f.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    f.wfx.nChannels = input.nChannels;
    f.wfx.nSamplesPerSec = input.nSamplesPerSec;
    f.wfx.nAvgBytesPerSec = static_cast<std::uint32_t>(std::lround(rate * 100.0 * (1.0 / 1152.0) * frameLength * 0.01));
    f.wfx.nBlockAlign = 1;
    f.wfx.wBitsPerSample = 0;
    f.wfx.cbSize = 12;
    f.wID = 1;
    f.fdwFlags = 2;
    f.nBlockSize = static_cast<std::uint16_t>(frameLength);
    f.nFramesPerBlock = 1;
    f.nCodecDelay = 1393;
    return f;
}

// A file system that cannot tell its free space gets the write; the write itself then tells.
bool enoughSpace(const std::string& fileName, std::uint64_t bytes)
{
    const std::int64_t free = FreeDiskSpace(fileName);
    return free < 0 || static_cast<std::uint64_t>(free) >= bytes + kSpareSpace;
}
}  // namespace

int BitrateKbps(TMMBitrates bitrate)
{
    return kKbps.at(static_cast<std::size_t>(bitrate));
}

TMMMP3Encoder::TMMMP3Encoder(std::string name) : TMMDSPComponent(std::move(name)) {}

TMMMP3Encoder::~TMMMP3Encoder()
{
    Detach();
    try {
        Close();
    } catch (...) {
        // Destruction finishes the file as well as it can; nothing is left to report to.
    }
    RemoveStagedOutput();
}

void TMMMP3Encoder::RemoveStagedOutput()
{
    if (staged_ && !outputPath_.empty()) {
        std::error_code ec;
        std::filesystem::remove(outputPath_, ec);  // gone already when the owner took it
    }
}

void TMMMP3Encoder::SetFileName(const std::string& name)
{
    if (name == fileName_)
        return;
    if (Opened())
        throw EMP3EncoderError(LoadResString(msg::ChangeWhileOpen));
    fileName_ = name;
}

void TMMMP3Encoder::SetFileType(TMMFileType type)
{
    if (type == fileType_)
        return;
    if (Opened())
        throw EMP3EncoderError(LoadResString(msg::ChangeWhileOpen));
    fileType_ = type;
}

void TMMMP3Encoder::SetVbr(bool vbr, int quality)
{
    if (Opened() && (vbr != vbr_ || quality != vbrQuality_))
        throw EMP3EncoderError(LoadResString(msg::ChangeWhileOpen));
    vbr_ = vbr;
    vbrQuality_ = std::clamp(quality, 0, 9);
}

void TMMMP3Encoder::SetLeadingBytes(std::vector<std::uint8_t> bytes)
{
    if (Opened())
        throw EMP3EncoderError(LoadResString(msg::ChangeWhileOpen));
    leadingBytes_ = std::move(bytes);
}

void TMMMP3Encoder::SetInfoFrame(bool write)
{
    if (Opened() && write != infoFrame_)
        throw EMP3EncoderError(LoadResString(msg::ChangeWhileOpen));
    infoFrame_ = write;
}

void TMMMP3Encoder::SetMeasureLoudness(bool measure)
{
    if (Opened() && measure != measureLoudness_)
        throw EMP3EncoderError(LoadResString(msg::ChangeWhileOpen));
    measureLoudness_ = measure;
}

void TMMMP3Encoder::Open()
{
    TMMDSPComponent::Open();
    if (stream_ != 0 || !PWaveFormat() || !Input() || fileName_.empty())
        return;
    const TWaveFormatEx& format = *PWaveFormat();
    if (format.wFormatTag != WAVE_FORMAT_PCM || format.wBitsPerSample != 16 ||
        (format.nSamplesPerSec != 48000 && format.nSamplesPerSec != 44100 && format.nSamplesPerSec != 32000))
        throw EMP3EncoderError(QCoreApplication::translate("MMBlade", "Unsupported Input Format").toStdString());

    BE_CONFIG config{};
    config.dwConfig = BE_CONFIG_MP3;
    config.dwSampleRate = format.nSamplesPerSec;
    if (format.nChannels == 1)
        config.byMode = BE_MP3_MODE_MONO;
    else if (channelMode_ == cmDualChannel)
        config.byMode = BE_MP3_MODE_DUALCHANNEL;
    else
        config.byMode = channelMode_ == cmJointStereo ? BE_MP3_MODE_JSTEREO : BE_MP3_MODE_STEREO;
    config.wBitrate = static_cast<std::uint16_t>(BitrateKbps(bitrate_));
    config.bPrivate = privat_;
    config.bCRC = crc_;
    config.bCopyright = copyright_;
    config.bOriginal = original_;

    RemoveStagedOutput();
    outputPath_ = fileName_;
    if (staged_) {
        // Working files that a process which died mid-run left in the folder go first.
        SweepDeadWorkingFiles(std::filesystem::path(fileName_).parent_path().string());
        outputPath_ = WorkingFileName(fileName_);
    }
    BE_LAME_OPTIONS options;
    options.vbr = vbr_;
    options.vbrQuality = vbrQuality_;
    options.infoFrame = infoFrame_ && fileType_ == ftRAW;

    loudness_.reset();
    if (measureLoudness_)
        loudness_ = std::make_shared<LoudnessMeter>(format.nChannels, format.nSamplesPerSec);
    infoFrameError_ = 0;
    CreateOutput();
    std::uint32_t outputSize = 0;
    if (beInitStreamEx(&config, options, &chunkSamples_, &outputSize, &stream_) != BE_ERR_SUCCESSFUL) {
        stream_ = 0;
        CloseOutput();
        throw EMP3EncoderError(QCoreApplication::translate("MMBlade", "Unable to initialize stream").toStdString());
    }
    chunkBytes_ = chunkSamples_ * 2;
    output_.assign(outputSize, 0);
    pending_.assign(chunkBytes_, 0);
    pendingBytes_ = 0;
    writeFailed_ = false;
    writeError_ = 0;
    split_.reset();
    firstPart_.clear();
    received_ = 0;
    firstEncoded_ = 0;
    firstEnded_ = assembled_ = splitWriting_ = false;
    if (jobs_ > 1 && !splitSource_.empty()) {
        try {
            TMMWave source;
            source.SetFileName(splitSource_);
            const TWaveFormatEx* f = source.PWaveFormat();
            if (f && f->wFormatTag == WAVE_FORMAT_PCM && f->wBitsPerSample == 16 && f->nChannels == format.nChannels &&
                f->nSamplesPerSec == format.nSamplesPerSec) {
                splitTotal_ = static_cast<std::uint64_t>(source.DataBytes()) / (2u * format.nChannels);
                auto parts = SplitEncoder::Plan(splitTotal_, format.nSamplesPerSec, jobs_);
                if (parts.size() > 1) {
                    BE_LAME_OPTIONS later = options;
                    later.infoFrame = false;
                    split_ = std::make_unique<SplitEncoder>(config, later, splitSource_, format.nChannels,
                                                            std::move(parts));
                }
            }
        } catch (...) {
            // The file cannot be read again: one encoder does the whole run.
            split_.reset();
        }
    }
    SetOpened(true);
}

void TMMMP3Encoder::SetJobs(int jobs, std::string source)
{
    if (Opened())
        throw EMP3EncoderError(LoadResString(msg::ChangeWhileOpen));
    jobs_ = std::max(jobs, 1);
    splitSource_ = std::move(source);
}

std::optional<int> TMMMP3Encoder::SplitPercent() const
{
    if (!split_)
        return std::nullopt;
    std::uint64_t total = 0;
    for (const SplitPart& p : split_->Parts())
        total += p.to - p.from;
    const std::uint64_t done = firstEncoded_ + split_->SamplesDone();
    return total == 0 ? 100 : static_cast<int>(std::min<std::uint64_t>(100, done * 100 / total));
}


void TMMMP3Encoder::CreateOutput()
{
    std::error_code ec;
    std::filesystem::remove(outputPath_, ec);
    if (fileType_ == ftRAW) {
        errno = 0;
        rawFile_.reset(std::fopen(outputPath_.c_str(), "wb"));
        if (!rawFile_)
            throw EMP3EncoderError(QCoreApplication::translate("MMBlade", "Unable to create file").toStdString() + "\n" + FileReasonLine(fileName_, errno ? errno : EIO));
        if (!leadingBytes_.empty() &&
            std::fwrite(leadingBytes_.data(), 1, leadingBytes_.size(), rawFile_.get()) != leadingBytes_.size()) {
            const int error = errno ? errno : EIO;
            rawFile_.reset();
            throw EMP3EncoderError(QCoreApplication::translate("MMBlade", "Unable to create file").toStdString() + "\n" + FileReasonLine(fileName_, error));
        }
        return;
    }
    const MpegLayer3WaveFormat format = mpegFormat(*PWaveFormat(), BitrateKbps(bitrate_));
    try {
        wave_ = std::make_unique<TMMWave>();
        errno = 0;
        wave_->CreateWaveFile(outputPath_, &format.wfx);
    } catch (...) {
        const int error = errno ? errno : EIO;  // what the failed create left
        wave_.reset();
        throw EMP3EncoderError(QCoreApplication::translate("MMBlade", "Unable to create file").toStdString() + "\n" + FileReasonLine(fileName_, error));
    }
}

void TMMMP3Encoder::CloseOutput()
{
    // Writes are buffered: the last of them reach the disk only now, and a disk that has
    // filled meanwhile (another encoder writing beside this one) fails the file here.
    bool finished = true;
    errno = 0;
    if (wave_) {
        try {
            finished = wave_->CloseFile();
        } catch (...) {
            finished = false;
        }
        wave_.reset();
    }
    if (rawFile_)
        finished = std::fclose(rawFile_.release()) == 0 && finished;
    if (!finished && !writeFailed_) {
        writeError_ = errno ? errno : EIO;
        writeFailed_ = true;
    }
}

void TMMMP3Encoder::Start()
{
    TMMDSPComponent::Start();
    if (Opened() && !Started()) {
        SetStarted(true);
        pendingBytes_ = 0;
    }
}

void TMMMP3Encoder::BufferReady(TMMWaveHdr* lpWaveHdr)
{
    // After a failed write the run encodes nothing more: the file stays as it is until the
    // main thread closes the encoder (the worker never tears it down under the main thread).
    if (!Started() || writeFailed_ || !Input() || fileName_.empty() || !lpWaveHdr)
        return;
    const std::int32_t n = lpWaveHdr->dwBytesRecorded;
    if (n <= 0)
        return;
    const bool going = split_ ? SplitBufferReady(lpWaveHdr->lpData, static_cast<std::uint32_t>(n))
                              : Consume(lpWaveHdr->lpData, static_cast<std::uint32_t>(n));
    if (going)
        TMMDSPComponent::BufferReady(lpWaveHdr);
}

bool TMMMP3Encoder::Consume(const std::uint8_t* data, std::uint32_t remaining)
{
    const std::uint32_t blockAlign = 2u * PWaveFormat()->nChannels;
    if (pendingBytes_ > 0) {
        const std::uint32_t d = std::min(chunkBytes_ - pendingBytes_, remaining);
        std::memcpy(pending_.data() + pendingBytes_, data, d);
        pendingBytes_ += d;
        data += d;
        remaining -= d;
        if (pendingBytes_ == chunkBytes_) {
            pendingBytes_ = 0;
            if (!EncodeAndWrite(pending_.data(), chunkSamples_))
                return false;
            firstEncoded_ += chunkBytes_ / blockAlign;
        }
    }
    while (remaining >= chunkBytes_) {
        if (!EncodeAndWrite(data, chunkSamples_))
            return false;
        firstEncoded_ += chunkBytes_ / blockAlign;
        data += chunkBytes_;
        remaining -= chunkBytes_;
    }
    if (remaining > 0) {
        std::memcpy(pending_.data() + pendingBytes_, data, remaining);
        pendingBytes_ += remaining;
    }
    return true;
}

bool TMMMP3Encoder::Flush()
{
    if (pendingBytes_ > 0) {
        const std::uint32_t samples = pendingBytes_ / 2;
        pendingBytes_ = 0;
        if (samples > 0 && !EncodeAndWrite(pending_.data(), samples))
            return false;
    }
    std::uint32_t bytes = 0;
    if (beDeinitStream(stream_, output_.data(), &bytes) != BE_ERR_SUCCESSFUL)
        throw EMP3EncoderError(QCoreApplication::translate("MMBlade", "Unable to deinitialize stream").toStdString());
    if (!Write(output_.data(), bytes)) {
        writeFailed_ = true;
        return false;
    }
    return true;
}

void TMMMP3Encoder::FeedLoudness(const std::uint8_t* pcm, std::uint32_t samples)
{
    if (!loudness_ || samples == 0)
        return;
    const std::uint32_t channels = PWaveFormat()->nChannels;
    if (reinterpret_cast<std::uintptr_t>(pcm) % alignof(std::int16_t) == 0) {
        loudness_->Add(reinterpret_cast<const std::int16_t*>(pcm), samples / channels);
    } else {
        std::vector<std::int16_t> aligned(samples);
        std::memcpy(aligned.data(), pcm, samples * 2);
        loudness_->Add(aligned.data(), samples / channels);
    }
}

bool TMMMP3Encoder::SplitBufferReady(const std::uint8_t* data, std::uint32_t bytes)
{
    const std::uint32_t blockAlign = 2u * PWaveFormat()->nChannels;
    const std::uint64_t frames = bytes / blockAlign;
    const std::uint64_t firstEnd = split_->Parts().front().to;
    if (!firstEnded_) {
        const std::uint64_t take = std::min<std::uint64_t>(frames, firstEnd - received_);
        if (!Consume(data, static_cast<std::uint32_t>(take * blockAlign)))
            return false;
        // The rest of the input is measured here; the first part's share as it is encoded.
        FeedLoudness(data + take * blockAlign, static_cast<std::uint32_t>((frames - take) * blockAlign / 2));
        if (received_ + take == firstEnd) {
            if (!Flush())
                return false;
            firstEncoded_ = firstEnd;
            firstEnded_ = true;
        }
    } else {
        FeedLoudness(data, bytes / 2);
    }
    received_ += frames;
    if (received_ >= splitTotal_ && !assembled_)
        return FinishSplit();
    return true;
}

bool TMMMP3Encoder::FinishSplit()
{
    if (!split_->Wait())
        throw EMP3EncoderError(QCoreApplication::translate("MMBlade", "Unable to encode data").toStdString() + "\n" + split_->Error());
    std::vector<std::uint8_t> info;
    std::vector<std::uint8_t> music = std::move(firstPart_);
    firstPart_.clear();
    const bool withInfo = rawFile_ && infoFrame_;
    if (withInfo) {
        // The first frame is the Info frame's placeholder; the first part's encoder fills
        // in its own values, which are then made to describe the joined stream.
        const auto frames = ScanMp3Frames(music.data(), std::min<std::size_t>(music.size(), 4096));
        info.assign(2880, 0);
        std::uint32_t infoBytes = 0;
        if (frames.empty() || beGetInfoFrame(stream_, info.data(), 2880, &infoBytes) != BE_ERR_SUCCESSFUL ||
            infoBytes != frames.front().length)
            throw EMP3EncoderError(QCoreApplication::translate("MMBlade", "Unable to encode data").toStdString());
        info.resize(infoBytes);
        music.erase(music.begin(), music.begin() + static_cast<std::ptrdiff_t>(infoBytes));
    }
    const auto& parts = split_->Parts();
    for (std::size_t k = 1; k < parts.size(); ++k) {
        const std::uint64_t offset = parts[k].from / 1152;
        const auto& tail = split_->Frames(k);
        const auto join = FindJoinFrame(music, tail, offset, parts[k].joinFrom,
                                        parts[k].joinFrom + SplitEncoder::kJoinFrames);
        if (!join || !JoinMp3Streams(music, *join, tail, *join - offset))
            throw EMP3EncoderError(QCoreApplication::translate("MMBlade", "Unable to encode data").toStdString());
    }
    if (withInfo && !RewriteInfoFrame(info, music, splitTotal_))
        infoFrameError_ = EIO;
    splitWriting_ = true;
    assembled_ = true;
    if (!Write(info.data(), static_cast<std::uint32_t>(info.size())) ||
        !Write(music.data(), static_cast<std::uint32_t>(music.size()))) {
        writeFailed_ = true;
        return false;
    }
    return true;
}

void TMMMP3Encoder::StopSplit()
{
    if (!assembled_) {
        // Stopped before the input ended: the first part's frames so far make the file.
        split_->Cancel();
        split_->Wait();
        if (!firstEnded_) {
            firstEnded_ = true;
            if (!Flush())
                return;
        }
        splitWriting_ = true;
        assembled_ = true;
        if (!Write(firstPart_.data(), static_cast<std::uint32_t>(firstPart_.size()))) {
            writeFailed_ = true;
            return;
        }
        WriteInfoFrame();
    }
}

bool TMMMP3Encoder::EncodeAndWrite(const std::uint8_t* pcm, std::uint32_t samples)
{
    std::uint32_t bytes = 0;
    BE_ERR result;
    if (reinterpret_cast<std::uintptr_t>(pcm) % alignof(std::int16_t) == 0) {
        result = beEncodeChunk(stream_, samples, reinterpret_cast<const std::int16_t*>(pcm), output_.data(), &bytes);
    } else {
        // An odd offset into the incoming buffer: encode from an aligned copy.
        std::vector<std::int16_t> aligned(samples);
        std::memcpy(aligned.data(), pcm, samples * 2);
        result = beEncodeChunk(stream_, samples, aligned.data(), output_.data(), &bytes);
    }
    if (result != BE_ERR_SUCCESSFUL)
        throw EMP3EncoderError(QCoreApplication::translate("MMBlade", "Unable to encode data").toStdString());
    FeedLoudness(pcm, samples);
    if (!Write(output_.data(), bytes)) {
        writeFailed_ = true;
        return false;
    }
    return true;
}

bool TMMMP3Encoder::Write(const std::uint8_t* data, std::uint32_t count)
{
    if (count == 0)
        return true;
    if (split_ && !splitWriting_) {
        firstPart_.insert(firstPart_.end(), data, data + count);
        return true;
    }
    if (!enoughSpace(outputPath_, count)) {
        writeError_ = ENOSPC;
        return false;
    }
    errno = 0;
    bool written = false;
    if (wave_)
        written = wave_->WriteDataBytes(data, count) == static_cast<std::int64_t>(count);
    else if (rawFile_)
        written = std::fwrite(data, 1, count, rawFile_.get()) == count;
    if (!written)
        writeError_ = errno ? errno : EIO;
    return written;
}

void TMMMP3Encoder::Stop()
{
    if (Opened() && Started()) {
        SetStarted(false);
        // A file that refused a write gets nothing more; Close ends the stream.
        if (!writeFailed_) {
            if (split_)
                StopSplit();
            else if (Flush())
                WriteInfoFrame();
        }
    }
    TMMDSPComponent::Stop();
}

void TMMMP3Encoder::WriteInfoFrame()
{
    if (!rawFile_ || !infoFrame_)
        return;
    std::vector<std::uint8_t> frame(2880);  // the longest MPEG-1 Layer III frame is 1441 bytes
    std::uint32_t bytes = 0;
    if (beGetInfoFrame(stream_, frame.data(), static_cast<std::uint32_t>(frame.size()), &bytes) != BE_ERR_SUCCESSFUL) {
        infoFrameError_ = EIO;
        return;
    }
    if (bytes == 0)
        return;
    // The placeholder stands right behind the leading bytes; the frames after it stay.
    std::FILE* f = rawFile_.get();
    errno = 0;
    const bool written = std::fseek(f, static_cast<long>(leadingBytes_.size()), SEEK_SET) == 0 &&
                         std::fwrite(frame.data(), 1, bytes, f) == bytes && std::fflush(f) == 0;
    if (!written)
        infoFrameError_ = errno ? errno : EIO;
    std::fseek(f, 0, SEEK_END);
}

void TMMMP3Encoder::Close()
{
    if (Opened()) {
        Stop();
        CloseOutput();
        if (stream_ != 0) {
            beCloseStream(stream_);
            stream_ = 0;
        }
        split_.reset();
        firstPart_.clear();
        firstPart_.shrink_to_fit();
        pending_.clear();
        pending_.shrink_to_fit();
        output_.clear();
        output_.shrink_to_fit();
        SetOpened(false);
    }
    TMMDSPComponent::Close();
}
