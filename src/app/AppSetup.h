#pragma once
#include <memory>

class SoundCard;

// Installs the program's real dialogs and routes the error report into a message box.
void InstallApplicationReport();

// The program's one sound card, set up from the settings file. Create it before the windows
// (the hidden window's mixer finds it as SoundCard::Current()) and destroy it after them.
std::unique_ptr<SoundCard> CreateSoundCard();
