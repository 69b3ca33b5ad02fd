// The recorder of the live-input, MIDI and CD recordings and its peak capture.
#include "mixer/Unit2.h"

#include "mixer/PeakLevels.h"
#include "platform/Errors.h"
#include "platform/os/DiskSpace.h"
#include "platform/os/ErrorReport.h"
#include "wave/WaveFormat.h"
#include "platform/os/Translations.h"

#include <QCoreApplication>

#include <cstdint>
#include <filesystem>

void TForm2::ReadyRecorderForPlay(const std::string& file)
{
    std::error_code ec;
    std::filesystem::remove(file, ec);
    MMWaveRecorder1.Wave()->SetFileName(file);
    MMWaveRecorder1.WaveIn().SetRecordPlay(true);
}

void TForm2::RefuseRecordingBeyondFreeSpace(const std::string& input, std::uint32_t lengthMs,
                                            const std::string& file) const
{
    // The recorder's format (44100 Hz, 16 bits, stereo), plus room for the release tail.
    constexpr std::int64_t kBytesPerSecond = 44100 * 4;
    constexpr std::int64_t kTailBytes = 10 * kBytesPerSecond;
    const std::int64_t needed = std::int64_t(lengthMs) * kBytesPerSecond / 1000 + kTailBytes;
    const std::int64_t free = FreeDiskSpace(file);
    if (free < 0 || needed <= free)
        return;
    constexpr std::int64_t kMB = 1024 * 1024;
    throw EMervaneError(
        QCoreApplication::translate("Unit2Record",
                                    "The recording of %1 would need %2 MB, but only %3 MB are free for its temporary file %4.")
            .arg(QString::fromStdString(input), QString::number((needed + kMB - 1) / kMB), QString::number(free / kMB),
                 QString::fromStdString(file))
            .toStdString());
}

bool TForm2::StartRecordedPlay(TMediaPlayer& player)
{
    MMWaveRecorder1.StartRecording();
    try {
        player.Play();
    } catch (...) {
        MMWaveRecorder1.StopRecording();
        throw;
    }
    if (player.LastError() != 0) {
        MMWaveRecorder1.StopRecording();
        return false;
    }
    return true;
}

void TForm2::SetUpRecorder()
{
    TMMWaveRecorder& r = MMWaveRecorder1;
    r.SetBufferSize(2048);
    r.SetNumBuffers(10);
    r.SetDeviceID(0);
    r.SetCallBackMode(cmWindow);
    r.SetMaxRecordTime(-1);
    r.SetMode(mStereo);
    r.SetBitLength(b16Bit);
    r.SetSampleRate(44100);
    // The format record the window keeps for its recorder: PCM, 2 channels, 44100 Hz,
    // 16 bits, as the properties above already say.
    const TWaveFormatEx stored = pcmWaveFormat(16, 2, 44100);
    r.ReadWaveFormatEx({reinterpret_cast<const std::uint8_t*>(&stored), sizeof stored});
    r.SetTimeFormat(tfByte);
    LevelIn.SetBufferSize(2048);
    LevelIn.SetNumBuffers(10);
    LevelIn.SetDeviceID(0);
    LevelIn.SetCallBackMode(cmWindow);
    LevelIn.SetMaxRecordTime(-1);
    LevelIn.SetMode(mStereo);
    LevelIn.SetBitLength(b16Bit);
    LevelIn.SetSampleRate(44100);
    // The watch of a device that stops working only stills the meters: the recording that
    // lost it has told the user already, and Record tells again.
    LevelIn.SetQuietDeviceLoss(true);
    LevelIn.OnBufferReady = [this](TMMDSPComponent* sender, TMMWaveHdr* h) { MMWaveRecorder1Data(sender, h); };
    // The buffers are handled on the main thread (cmWindow), where the encoding beside the
    // synthesis lives too.
    r.OnStart = [this](TMMDSPComponent*) { BeginLiveFeed(); };
    r.OnData = [this](TMMDSPComponent* sender, TMMWaveHdr* h) {
        MMWaveRecorder1Data(sender, h);
        FeedLive(h);
    };
    r.OnStop = [this](TMMDSPComponent*) {
        if (hooks_.RecordingStopped)
            hooks_.RecordingStopped();
        // A recording cut short by its file is no recording: the wizard says why and encodes
        // nothing. Told from a message of its own, once the recorder has unwound.
        if (const int error = MMWaveRecorder1.WriteError()) {
            const std::string message = TranslatedMessage(kRecordingWriteFailedMessage) + "\n" +
                                        FileReasonLine(MMWaveRecorder1.Wave()->FileName(), error);
            awaitingPlayEnd_ = false;
            QMetaObject::invokeMethod(
                this, [this, message] { Guarded([&] { if (hooks_.RecordingFailed) hooks_.RecordingFailed(message); }); },
                Qt::QueuedConnection);
            return;
        }
        // The MIDI play's end has reached the file: the recording ends, from a message of its
        // own, once the recorder has finished unwinding.
        if (awaitingPlayEnd_)
            QMetaObject::invokeMethod(
                this, [this] { Guarded([&] { if (awaitingPlayEnd_) EndMidiRecording(playCompleted_); }); },
                Qt::QueuedConnection);
    };
}

void TForm2::MMWaveRecorder1Data(TMMDSPComponent*, TMMWaveHdr* lpWaveHdr)
{
    const TWaveFormatEx* f = MMWaveRecorder1.WaveIn().GetWaveFormat();
    if (!f || f->wBitsPerSample != 16)
        return;
    ScanPeaks(lpWaveHdr->lpData, lpWaveHdr->dwBytesRecorded, f->nChannels, state_.PeakLevel1, state_.PeakLevel2);
    state_.Clip.Scan(lpWaveHdr->lpData, lpWaveHdr->dwBytesRecorded, f->nChannels);
}

void TForm2::StartLevelWatch()
{
    if (LevelIn.IsOpened() || MMWaveRecorder1.IsOpened())
        return;
    try {
        LevelIn.Start();
    } catch (const EMervaneError&) {
        // The meters stay still; Record opens the same device and tells what is wrong.
    }
}

void TForm2::StopLevelWatch()
{
    if (!LevelIn.IsOpened())
        return;
    LevelIn.Stop();
    LevelIn.Close();
}
