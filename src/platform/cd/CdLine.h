#pragma once
// The CD line of the sound card (component type 4101): what the CD player plays. The line
// owns the process's CdPlayback, so the CD player (a media player of type "CDAudio") finds
// it through CdPlayback::Current() while the card lives, and the card's pulls pace the
// play: in real time, or as fast as the recorder takes data with Clock=fast. Without a
// play it carries silence. The line exists when SOUNDCARD_SETUP / CdDevice names a drive
// or image, or when libcdio finds a drive, at the moment the card is made.
//
//   SoundLineRegistration cd = RegisterCdLine();   // before the card is made
//   SoundCard card(settings);
//
// Threads: as every line (SoundLine.h): Start, Read (PlayerLine.h) and Stop on the card's thread, the rest
// on the main thread.
#include "platform/card/PlayerLine.h"

#include <memory>

class CdPlayback;

class CdLine : public PlayerLine {
public:
    CdLine();
    ~CdLine() override;

    void Start() override;  // card thread
    void Stop() override;   // card thread

    CdPlayback& Playback() { return *playback_; }

protected:
    PlayMarks Render(std::int16_t* out, std::size_t frames) override;  // card thread

private:
    std::shared_ptr<CdPlayback> playback_;
};

[[nodiscard]] SoundLineRegistration RegisterCdLine();
