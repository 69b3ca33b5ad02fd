#include "platform/midi/SequencerDevice.h"

#include "platform/midi/MidiSynth.h"

#include <cmath>

MediaDeviceKind SequencerDevice::Kind()
{
    return {"Sequencer", [](const std::string& element) { return LooksLikeMidiFile(element); }, &SequencerDevice::Open};
}

std::unique_ptr<IMediaDevice> SequencerDevice::Open(const MediaOpenRequest& request, MediaResult& result)
{
    if (request.element.empty()) {
        result = MediaResult::Fail(mci::ErrUnsupportedFunction, "The sequencer needs a MIDI file.");
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
    : synth_(&synth),
      file_(std::move(file)),
      playable_(std::make_shared<const std::vector<std::uint8_t>>(file_.PlayableFile())),
      lengthMs_(static_cast<std::uint32_t>(std::llround(file_.LengthMs())))
{
    synth_->Stop();
    synth_->SetPosition(0);
}

SequencerDevice::~SequencerDevice()
{
    Close();
}

MediaResult SequencerDevice::Play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to, Notify notify)
{
    if (!synth_)
        return MediaResult::Fail(mci::ErrInvalidDeviceId);
    const std::uint32_t start = from.value_or(std::min(synth_->PositionMs(), lengthMs_));
    const std::uint32_t end = to.value_or(lengthMs_);
    if (start > lengthMs_ || end > lengthMs_ || start > end)
        return MediaResult::Fail(mci::ErrOutOfRange);
    // The play in progress ends here; its notification says it was replaced.
    if (synth_->Stop() && pending_)
        pending_(MediaNotify::Superseded);
    pending_ = notify;
    MidiSynth::Song song{playable_, file_.TickAt(start), start, end};
    std::string error;
    const bool started = synth_->Play(
        song,
        [notify](bool ok) {  // the rendering thread, at the end of the play
            if (notify)
                notify(ok ? MediaNotify::Successful : MediaNotify::Failure);
        },
        error);
    if (!started) {
        pending_ = nullptr;
        return MediaResult::Fail(mci::ErrHardware, error);
    }
    return {};
}

MediaResult SequencerDevice::Stop()
{
    if (!synth_)
        return MediaResult::Fail(mci::ErrInvalidDeviceId);
    if (synth_->Stop() && pending_)
        pending_(MediaNotify::Aborted);
    pending_ = nullptr;
    return {};
}

MediaResult SequencerDevice::SeekToStart()
{
    MediaResult stopped = Stop();
    if (stopped.error)
        return stopped;
    synth_->SetPosition(0);
    return {};
}

MediaResult SequencerDevice::SetTimeFormat(std::uint32_t format)
{
    if (!synth_)
        return MediaResult::Fail(mci::ErrInvalidDeviceId);
    return format == mci::FormatMilliseconds ? MediaResult{} : MediaResult::Fail(mci::ErrBadTimeFormat);
}

MediaResult SequencerDevice::Status(std::uint32_t item, std::optional<std::uint32_t> track, std::uint32_t& value)
{
    if (!synth_)
        return MediaResult::Fail(mci::ErrInvalidDeviceId);
    if (track && *track != 1 && (item == mci::StatusLength || item == mci::StatusPosition))
        return MediaResult::Fail(mci::ErrOutOfRange, "A MIDI file has one track.");
    switch (item) {
    case mci::StatusLength:
        value = lengthMs_;
        return {};
    case mci::StatusPosition:
        value = track ? 0 : std::min(synth_->PositionMs(), lengthMs_);
        return {};
    case mci::StatusNumberOfTracks:
        value = 1;
        return {};
    case mci::StatusMode:
        value = synth_->Playing() ? mci::ModePlaying : mci::ModeStopped;
        return {};
    default:
        return MediaResult::Fail(mci::ErrUnsupportedFunction);
    }
}

bool SequencerDevice::WaitPlayEnd(std::chrono::milliseconds slice)
{
    return !synth_ || synth_->WaitIdle(slice);
}

MediaResult SequencerDevice::Close()
{
    if (!synth_)
        return {};
    Stop();
    synth_->Release();
    synth_ = nullptr;
    return {};
}
