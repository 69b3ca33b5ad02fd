#include "platform/midi/SynthLine.h"

#include "platform/midi/MidiSynth.h"
#include "platform/card/MixerService.h"
#include "platform/card/SoundCard.h"
#include "platform/midi/SoundFont.h"

SynthLine::SynthLine(std::unique_ptr<MidiSynth> synth) : synth_(std::move(synth)) {}

SynthLine::~SynthLine() = default;

LineStatus SynthLine::Read(std::span<std::int16_t> frames)
{
    marks_ = synth_->Render(frames.data(), frames.size() / MidiSynth::Channels);
    return LineStatus::Ok;
}

PlayMarks SynthLine::Marks() const
{
    return marks_;
}

SoundLineRegistration RegisterSynthLine()
{
    return RegisterSoundLine(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER,
                             [](const SoundCardSettings& settings) -> std::unique_ptr<SoundLine> {
                                 std::string error;
                                 auto synth = MidiSynth::Create(FindSoundFont(settings.soundFont), error);
                                 return synth ? std::make_unique<SynthLine>(std::move(synth)) : nullptr;
                             });
}
