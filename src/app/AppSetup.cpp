#include "app/AppSetup.h"

#include "app/QtDialogs.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/ProfileFile.h"
#include "platform/cd/CdLine.h"
#include "platform/card/SoundCard.h"
#include "platform/midi/SynthLine.h"

void InstallApplicationReport()
{
    SetAppDialogs(std::make_unique<QtDialogs>());
    SetErrorReporter([](const std::string& text) { AppDialogs().ShowMessage(text); });
}

std::unique_ptr<SoundCard> CreateSoundCard()
{
    // The card asks its line factories once, while it is made: the synthesiser line (present
    // only with a usable sound font) and the CD line need their registrations for that
    // moment only.
    const SoundLineRegistration synth = RegisterSynthLine();
    const SoundLineRegistration cd = RegisterCdLine();
    return std::make_unique<SoundCard>(SoundCardSettings::FromProfile(ProfileFile::Settings()));
}
