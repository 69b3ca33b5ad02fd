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

// The current card follows the devices the settings file names now (the Preferences window
// may have changed them since the card was made): the microphone, line and aux inputs, the
// sound font and the speakers, so a take or a play uses the device chosen last, and an
// input that had none gets its line. Main thread; raises EMervaneError naming a device that
// cannot be used.
void FollowDeviceSettings();
