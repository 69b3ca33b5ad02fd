#include "media/MediaPlayer.h"

#include "platform/cd/CdAudioDevice.h"
#include "platform/cd/CdDisc.h"
#include "platform/device/MediaDevice.h"
#include "platform/midi/MidiSynth.h"
#include "platform/midi/SequencerDevice.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/ProfileFile.h"

#include <QCoreApplication>

#include <chrono>

namespace {
constexpr const char* kNoDevice = "No MCI device open";
// How long a waiting play blocks before it lets pending messages run (so Cancel still works).
constexpr std::chrono::milliseconds kWaitSlice{50};

// The devices a player can open besides any registered for a test: the sequencer and the
// CD player. Added on the first open; later calls change nothing.
void addStandardDevices()
{
    AddStandardMediaDevice(SequencerDevice::Kind());
    AddStandardMediaDevice(CdAudioDevice::Kind());
}
}  // namespace

TMediaPlayer::TMediaPlayer(std::string name)
    : name_(std::move(name)),
      target_(std::make_unique<MessageTarget>(
          [this](unsigned message, std::intptr_t wParam, std::intptr_t) { HandleMessage(message, wParam); }))
{
    target_->setObjectName(QString::fromStdString(name_));
}

TMediaPlayer::~TMediaPlayer()
{
    // The device goes first: once it is closed no thread can post to the target any more.
    if (device_)
        device_->Close();
    device_.reset();
}

const char* TMediaPlayer::DeviceTypeName(TMPDeviceTypes type)
{
    static const char* const names[] = {"", "AVIVideo", "CDAudio", "DAT", "DigitalVideo", "MMMovie", "Other",
                                        "Overlay", "Scanner", "Sequencer", "VCR", "Videodisc", "WaveAudio"};
    return type >= dtAutoSelect && type <= dtWaveAudio ? names[type] : "";
}

std::string TMediaPlayer::ErrorMessage() const
{
    if (lastError_ == 0)
        return QCoreApplication::translate("MediaPlayer", "The command was carried out.").toStdString();
    if (!lastErrorText_.empty())
        return lastErrorText_;
    return MediaErrorText(lastError_).value_or(
        QCoreApplication::translate("MediaPlayer", "Unknown error code").toStdString());
}

bool TMediaPlayer::TakeNotify(bool byDefault)
{
    const bool value = notifyNext_.value_or(byDefault);
    notifyNext_.reset();
    return value;
}

bool TMediaPlayer::TakeWait(bool byDefault)
{
    const bool value = waitNext_.value_or(byDefault);
    waitNext_.reset();
    return value;
}

void TMediaPlayer::Keep(std::uint32_t error, std::string text)
{
    lastError_ = error;
    lastErrorText_ = std::move(text);
}

void TMediaPlayer::RequireOpen() const
{
    if (!device_)
        throw EMCIDeviceError(kNoDevice);
}

void TMediaPlayer::PostNotify(int code)
{
    target_->Post(MM_MCINOTIFY, code, deviceId_);
}

void TMediaPlayer::HandleMessage(unsigned message, std::intptr_t wParam)
{
    if (message != MM_MCINOTIFY)
        return;
    switch (wParam) {
    case MCI_NOTIFY_SUCCESSFUL: notifyResult_ = nvSuccessful; break;
    case MCI_NOTIFY_SUPERSEDED: notifyResult_ = nvSuperseded; break;
    case MCI_NOTIFY_ABORTED: notifyResult_ = nvAborted; break;
    default: notifyResult_ = nvFailure; break;
    }
    if (OnNotify)
        OnNotify(this);
}

void TMediaPlayer::Open()
{
    if (device_) {
        // The old device goes without a command of its own: the one-shot items are this
        // Open's.
        device_->Close();
        device_.reset();
        deviceId_ = 0;
    }
    TakeWait(true);  // opening completes before the call returns either way
    const bool notify = TakeNotify(false);
    addStandardDevices();
    // A CD player opened without a drive reads the run's image, else the drive the settings
    // name, by default the first drive found.
    const std::string element = deviceType_ == dtCDAudio && fileName_.empty()
                                    ? ConfiguredCdDevice(CdDeviceSetting(ProfileFile::Settings()))
                                    : fileName_;
    MediaOpenResult opened = OpenMediaDevice({DeviceTypeName(deviceType_), element, shareable_});
    Keep(opened.result.error, opened.result.text);
    if (!opened.device)
        throw EMCIDeviceError(ErrorMessage());
    device_ = std::move(opened.device);
    deviceId_ = opened.id;
    timeFormat_ = mci::FormatMilliseconds;
    if (deviceType_ == dtCDAudio || deviceType_ == dtVideodisc)
        SetTimeFormat(mci::FormatTmsf);
    if (notify)
        PostNotify(MCI_NOTIFY_SUCCESSFUL);
}

void TMediaPlayer::Close()
{
    if (!device_)
        return;
    TakeWait(true);
    const bool notify = TakeNotify(false);
    const MediaResult result = device_->Close();
    Keep(result.error, result.text);
    if (result.error)
        return;
    device_.reset();
    deviceId_ = 0;
    if (notify)
        PostNotify(MCI_NOTIFY_SUCCESSFUL);
}

void TMediaPlayer::Play()
{
    RequireOpen();
    if (autoRewind_ && !playFrom_ && !playTo_ && CurrentPosition() == TotalLength()) {
        const MediaResult rewound = device_->SeekToStart();
        Keep(rewound.error, rewound.text);
    }
    const bool notify = TakeNotify(true);
    const bool wait = TakeWait(false);
    const std::optional<std::uint32_t> from = playFrom_, to = playTo_;
    playFrom_.reset();
    playTo_.reset();
    // The synthesiser plays with the sound the settings ask for now.
    if (dynamic_cast<SequencerDevice*>(device_.get()))
        if (MidiSynth* synth = MidiSynth::Current())
            synth->SetOptions(SynthOptions::FromProfile(ProfileFile::Settings()));
    IMediaDevice::Notify notifier;
    if (notify) {
        MessageTarget* target = target_.get();
        const std::uint16_t id = deviceId_;
        // Any thread (the synthesiser's at the end of the play): only posts the news on.
        notifier = [target, id](MediaNotify code) { target->Post(MM_MCINOTIFY, static_cast<int>(code), id); };
    }
    const MediaResult result = device_->Play(from, to, notifier);
    Keep(result.error, result.text);
    if (result.error || !wait)
        return;
    while (device_ && !device_->WaitPlayEnd(kWaitSlice))
        ProcessMessages();
}

void TMediaPlayer::Stop()
{
    RequireOpen();
    TakeWait(true);
    const bool notify = TakeNotify(false);
    const MediaResult result = device_->Stop();
    Keep(result.error, result.text);
    if (notify && !result.error)
        PostNotify(MCI_NOTIFY_SUCCESSFUL);
}

void TMediaPlayer::SetTimeFormat(std::uint32_t format)
{
    if (!device_) {
        Keep(mci::ErrInvalidDeviceId, {});
        return;
    }
    const MediaResult result = device_->SetTimeFormat(format);
    Keep(result.error, result.text);
    if (result.error)
        return;
    timeFormat_ = format;
    PostNotify(MCI_NOTIFY_SUCCESSFUL);  // the set command is always sent with notification
}

std::uint32_t TMediaPlayer::Query(std::uint32_t item, std::optional<std::uint32_t> track)
{
    if (!device_) {
        Keep(mci::ErrInvalidDeviceId, {});
        return 0;
    }
    std::uint32_t value = 0;
    const MediaResult result = device_->Status(item, track, value);
    Keep(result.error, result.text);
    return result.error ? 0 : value;
}

std::uint32_t TMediaPlayer::TrackCount()
{
    RequireOpen();
    return Query(mci::StatusNumberOfTracks, std::nullopt);
}

std::uint32_t TMediaPlayer::TrackLength(std::uint32_t track)
{
    RequireOpen();
    return Query(mci::StatusLength, track);
}

std::uint32_t TMediaPlayer::TrackStart(std::uint32_t track)
{
    return Query(mci::StatusPosition, track);
}

std::uint32_t TMediaPlayer::FirstTrack()
{
    RequireOpen();
    return Query(mci::StatusFirstTrack, std::nullopt);
}

bool TMediaPlayer::TrackIsAudio(std::uint32_t track)
{
    RequireOpen();
    return Query(mci::StatusTrackType, track) == mci::TrackAudio;
}

std::uint32_t TMediaPlayer::TotalLength()
{
    RequireOpen();
    return Query(mci::StatusLength, std::nullopt);
}

std::uint32_t TMediaPlayer::CurrentPosition()
{
    return Query(mci::StatusPosition, std::nullopt);
}

TMPModes TMediaPlayer::DeviceMode()
{
    // The player's mode is the device's mode less 12, taken in 8 bits; a failed query
    // (nothing open) reads as not ready.
    const std::uint32_t mode = (Query(mci::StatusMode, std::nullopt) - 12) & 0xFFu;
    return mode <= mpOpen ? static_cast<TMPModes>(mode) : mpNotReady;
}
