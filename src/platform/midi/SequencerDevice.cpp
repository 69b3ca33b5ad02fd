#include "platform/midi/SequencerDevice.h"

#include "platform/midi/MidiSynth.h"

#include <QCoreApplication>

#include <cmath>

MediaDeviceKind SequencerDevice::Kind()
{
    return {"Sequencer", [](const std::string& element) { return LooksLikeMidiFile(element); }, &SequencerDevice::Open};
}

std::unique_ptr<IMediaDevice> SequencerDevice::Open(const MediaOpenRequest& request, MediaResult& result)
{
    if (request.element.empty()) {
        result = MediaResult::Fail(mci::ErrUnsupportedFunction,
                                  QCoreApplication::translate("SequencerDevice", "The sequencer needs a MIDI file.").toStdString());
        return nullptr;
    }
    MidiSynth* synth = MidiSynth::Current();
    if (!synth) {
        result = MediaResult::Fail(mci::ErrNoSynthesiser);
        return nullptr;
    }
    try {
        MidiFile file = MidiFile::Load(request.element);
        if (!synth->TryClaim()) {
            result = MediaResult::Fail(mci::ErrDeviceInUse);
            return nullptr;
        }
        return std::unique_ptr<IMediaDevice>(new SequencerDevice(*synth, std::move(file)));
    } catch (const EMidiFileError& e) {
        result = MediaResult::Fail(mci::ErrInvalidFile, e.what());
    } catch (const std::bad_alloc&) {
        result = MediaResult::Fail(mci::ErrOutOfMemory);
    }
    return nullptr;
}

SequencerDevice::SequencerDevice(MidiSynth& synth, MidiFile file)
    : ClaimedPlayerDevice(synth),
      file_(std::move(file)),
      playable_(std::make_shared<const std::vector<std::uint8_t>>(file_.PlayableFile())),
      lengthMs_(static_cast<std::uint32_t>(std::llround(file_.LengthMs())))
{
    synth.Stop();
    synth.SetPosition(0);
}

SequencerDevice::~SequencerDevice()
{
    Close();
}

MediaResult SequencerDevice::Play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to, Notify notify)
{
    if (!IsOpen())
        return MediaResult::Fail(mci::ErrInvalidDeviceId);
    MidiSynth& synth = player();
    const std::uint32_t start = from.value_or(std::min(synth.PositionMs(), lengthMs_));
    const std::uint32_t end = to.value_or(lengthMs_);
    if (start > lengthMs_ || end > lengthMs_ || start > end)
        return MediaResult::Fail(mci::ErrOutOfRange);
    // The play in progress ends here; its notification says it was replaced.
    BeginPlay(notify, synth.Stop());
    MidiSynth::Song song{playable_, file_.TickAt(start), start, end};
    std::string error;
    const bool started = synth.Play(
        song,
        [notify](bool ok) {  // the rendering thread, at the end of the play
            if (notify)
                notify(ok ? MediaNotify::Successful : MediaNotify::Failure);
        },
        error);
    if (!started) {
        BeginPlay(nullptr, false);
        return MediaResult::Fail(mci::ErrHardware, error);
    }
    return {};
}

MediaResult SequencerDevice::SeekToStart()
{
    MediaResult stopped = Stop();
    if (stopped.error)
        return stopped;
    player().SetPosition(0);
    return {};
}

MediaResult SequencerDevice::SetTimeFormat(std::uint32_t format)
{
    if (!IsOpen())
        return MediaResult::Fail(mci::ErrInvalidDeviceId);
    return format == mci::FormatMilliseconds ? MediaResult{} : MediaResult::Fail(mci::ErrBadTimeFormat);
}

MediaResult SequencerDevice::Status(std::uint32_t item, std::optional<std::uint32_t> track, std::uint32_t& value)
{
    if (!IsOpen())
        return MediaResult::Fail(mci::ErrInvalidDeviceId);
    if (track && *track != 1 && (item == mci::StatusLength || item == mci::StatusPosition))
        return MediaResult::Fail(mci::ErrOutOfRange, "A MIDI file has one track.");
    switch (item) {
    case mci::StatusLength:
        value = lengthMs_;
        return {};
    case mci::StatusPosition:
        value = track ? 0 : std::min(player().PositionMs(), lengthMs_);
        return {};
    case mci::StatusNumberOfTracks:
        value = 1;
        return {};
    case mci::StatusMode:
        value = player().Playing() ? mci::ModePlaying : mci::ModeStopped;
        return {};
    default:
        return MediaResult::Fail(mci::ErrUnsupportedFunction);
    }
}
