#include "app/AppSetup.h"

#include "app/QtDialogs.h"
#include "app/Unit1.h"
#include "app/Unit3.h"
#include "disc/DiscReaders.h"
#include "mixer/Unit2.h"
#include "platform/card/SoundCard.h"
#include "platform/card/SoundLine.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/InstanceFolder.h"

void InstallApplicationReport()
{
    SetAppDialogs(std::make_unique<QtDialogs>());
    SetErrorReporter([](const std::string& text) { AppDialogs().ShowMessage(text); });
}

WizardProgram::WizardProgram()
{
    // This instance's folder for its temporary files; folders of instances that died go.
    Guarded([] { OpenInstanceFolder(); });
    InstallDiscReaders();
    card = CreateSoundCard();
    form1 = std::make_unique<TForm1>(state);
    form2 = std::make_unique<TForm2>(state);
    form3 = std::make_unique<TForm3>(form1.get());
    form1->Attach(form2.get(), form3.get());
    // A recorded source the audio server no longer offers is told once, after the window
    // shows; its tile stays greyed with the reason.
    for (std::string text : TakeGoneSourceReports())
        PostToMainThread([text = std::move(text)] { Guarded([&] { ReportError(text); }); });
}

WizardProgram::~WizardProgram() = default;
