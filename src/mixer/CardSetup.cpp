#include "mixer/CardSetup.h"

#include "platform/card/SoundCard.h"
#include "platform/cd/CdLine.h"
#include "platform/midi/SynthLine.h"
#include "platform/os/ProfileFile.h"

std::unique_ptr<SoundCard> CreateSoundCard(const std::function<void(SoundCardSettings&)>& adjust)
{
    // The card asks its line factories once, while it is made: the synthesiser line (present
    // only with a usable sound font) and the CD line need their registrations for that
    // moment only.
    const SoundLineRegistration synth = RegisterSynthLine();
    const SoundLineRegistration cd = RegisterCdLine();
    SoundCardSettings settings = SoundCardSettings::FromProfile(ProfileFile::Settings());
    if (adjust)
        adjust(settings);
    return std::make_unique<SoundCard>(std::move(settings));
}

void FollowDeviceSettings()
{
    SoundCard* card = SoundCard::Current();
    if (!card)
        return;
    // A synthesiser line made anew, or one the card was made without, needs its factory for
    // this moment.
    const SoundLineRegistration synth = RegisterSynthLine();
    card->FollowDevices(SoundCardSettings::FromProfile(ProfileFile::Settings()));
}
