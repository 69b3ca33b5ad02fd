#pragma once
#include <functional>
#include <memory>

class SoundCard;
struct SoundCardSettings;

// The program's one sound card, set up from the settings file, with the synthesiser line
// when a sound font is usable. Create it before the hidden window (its mixer finds it as
// SoundCard::Current()) and destroy it after it. The wizard and the command line make it
// the same way.
// `adjust`, when given, changes the settings read for this card only (a command line's
// --device).
std::unique_ptr<SoundCard> CreateSoundCard(const std::function<void(SoundCardSettings&)>& adjust = {});

// The current card's microphone, line and aux inputs follow the capture devices the
// settings file names now (the Preferences window may have changed them since the card was
// made), so a take records from the device chosen last. Main thread; raises EMervaneError
// naming a device that cannot be opened.
void FollowDeviceSettings();
