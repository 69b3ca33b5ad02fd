#include "mixer/CardSetup.h"

#include "platform/card/SoundCard.h"
#include "platform/cd/CdLine.h"
#include "platform/midi/SynthLine.h"
#include "platform/os/ProfileFile.h"

std::unique_ptr<SoundCard> CreateSoundCard()
{
    // The card asks its line factories once, while it is made: the synthesiser line (present
    // only with a usable sound font) and the CD line need their registrations for that
    // moment only.
    const SoundLineRegistration synth = RegisterSynthLine();
    const SoundLineRegistration cd = RegisterCdLine();
    return std::make_unique<SoundCard>(SoundCardSettings::FromProfile(ProfileFile::Settings()));
}
