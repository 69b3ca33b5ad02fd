#pragma once
#include "mixer/CardSetup.h"
#include "mixer/WizardState.h"

#include <memory>

class SoundCard;
class TForm1;
class TForm2;
class TForm3;

// Installs the program's real dialogs and routes the error report into a message box.
void InstallApplicationReport();

// The program's start after its report is installed: this instance's folder, the sound card,
// then the wizard window, the hidden window that owns the components and the encoder details
// dialog, in this order; the members go in the reverse order, the card after the windows.
struct WizardProgram {
    std::unique_ptr<SoundCard> card;
    WizardState state;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TForm3> form3;

    WizardProgram();
    ~WizardProgram();
    WizardProgram(const WizardProgram&) = delete;
    WizardProgram& operator=(const WizardProgram&) = delete;
};
