#include "app/AppSetup.h"

#include "app/QtDialogs.h"
#include "platform/ErrorReport.h"
#include "platform/ProfileFile.h"
#include "platform/SoundCard.h"

void InstallApplicationReport()
{
    SetAppDialogs(std::make_unique<QtDialogs>());
    SetErrorReporter([](const std::string& text) { AppDialogs().ShowMessage(text); });
}

std::unique_ptr<SoundCard> CreateSoundCard()
{
    return std::make_unique<SoundCard>(SoundCardSettings::FromProfile(ProfileFile::Settings()));
}
