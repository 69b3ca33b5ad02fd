#include "platform/midi/SynthLine.h"

#include "platform/midi/MidiSynth.h"
#include "platform/card/MixerService.h"
#include "platform/card/SoundCard.h"
#include "platform/midi/SoundFont.h"

#include <QCoreApplication>

SynthLine::SynthLine(std::unique_ptr<MidiSynth> synth) : synth_(std::move(synth)) {}

SynthLine::~SynthLine() = default;

bool SynthLine::InUse() const
{
    return synth_->Claimed();
}

static_assert(MidiSynth::Channels == PlayerLine::Channels);

PlayMarks SynthLine::Render(std::int16_t* out, std::size_t frames)
{
    return synth_->Render(out, frames);
}

SoundLineRegistration RegisterSynthLine()
{
    return RegisterSoundLine(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER,
                             [](const SoundCardSettings& settings) -> std::unique_ptr<SoundLine> {
                                 std::string error;
                                 const std::string font = FindSoundFont(settings.soundFont);
                                 auto synth = MidiSynth::Create(font, error);
                                 if (!synth && font.empty() && !settings.soundFont.empty())
                                     error = QCoreApplication::translate("SynthLine",
                                                                         "The sound font \"%1\" is not a usable SoundFont 2 file.")
                                                 .arg(QString::fromStdString(settings.soundFont))
                                                 .toStdString();
                                 if (!synth)
                                     TellWhyNoLine(error, "SoundFont");
                                 return synth ? std::make_unique<SynthLine>(std::move(synth)) : nullptr;
                             });
}
