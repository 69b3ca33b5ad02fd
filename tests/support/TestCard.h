#pragma once
// The sound card as the tests make it: no microphone and no speakers (no machine here has
// either), so it holds only the lines a test registers or names. With `fastClock` a
// recording runs as fast as the recorder takes it instead of in real time.
#include "platform/card/SoundCard.h"
#include "support/MidiFixtures.h"

inline SoundCardSettings TestCardSettings(bool fastClock = false)
{
    SoundCardSettings s;
    s.micDevice.clear();
    s.monitorDevice.clear();
    s.fastClock = fastClock;
    s.soundFont = TestSoundFont();
    return s;
}
