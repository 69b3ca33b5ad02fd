#include "app/AppSetup.h"

#include "app/QtDialogs.h"
#include "platform/ErrorReport.h"
#include "platform/ProfileFile.h"
#include "platform/CdLine.h"
#include "platform/SoundCard.h"
#include "platform/SynthLine.h"

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
