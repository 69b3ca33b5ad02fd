#pragma once
// The sequencer: the media device that plays a MIDI file on the MIDI synthesiser (the
// synthesiser line of the sound card pulls the sound). Positions and lengths are
// milliseconds from our own MIDI file reader; the file counts as one track.
//
//   MediaOpenResult opened = OpenMediaDevice({"", "/home/me/song.mid", false});
//   // or by name: OpenMediaDevice({"Sequencer", "/home/me/song.mid", false})
//
// Opening fails with a clear text when the file is not a playable MIDI file, when there is
// no synthesiser (no usable sound font) or when another player holds it.
//
// Threads: main thread, except that a play's notify function is called on the thread
// that renders the synthesiser.
#include "platform/device/ClaimedPlayerDevice.h"
#include "platform/midi/MidiFile.h"

#include <memory>
#include <vector>

class MidiSynth;

class SequencerDevice : public ClaimedPlayerDevice<MidiSynth> {
public:
    static MediaDeviceKind Kind();
    static std::unique_ptr<IMediaDevice> Open(const MediaOpenRequest& request, MediaResult& result);

    ~SequencerDevice() override;

    MediaResult Play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to, Notify notify) override;
    MediaResult SeekToStart() override;
    MediaResult SetTimeFormat(std::uint32_t format) override;
    MediaResult Status(std::uint32_t item, std::optional<std::uint32_t> track, std::uint32_t& value) override;

private:
    SequencerDevice(MidiSynth& synth, MidiFile file);

    // Main thread only.
    MidiFile file_;
    std::shared_ptr<const std::vector<std::uint8_t>> playable_;
    std::uint32_t lengthMs_;
};
