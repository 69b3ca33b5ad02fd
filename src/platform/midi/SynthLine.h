#pragma once
// The synthesiser line of the sound card (component type 4100): what the MIDI synthesiser
// plays. The line owns the process's MidiSynth, so the sequencer (a media player opened on
// a MIDI file) finds it through MidiSynth::Current() while the card lives, and the card's
// pulls drive the music: in real time, or as fast as the recorder takes data with
// Clock=fast. With no usable sound font (SOUNDCARD_SETUP, SoundFont, or the system's
// General MIDI font) the factory makes nothing and the card has no synthesiser line.
//
//   SoundLineRegistration synth = RegisterSynthLine();   // before the card is made
//   SoundCard card(settings);
//
// Threads: as every line (SoundLine.h): Read (PlayerLine.h) on the card's thread, the rest on the main
// thread. Media players must be closed before the card (and so the synthesiser) goes.
#include "platform/card/PlayerLine.h"

#include <memory>

class MidiSynth;

class SynthLine : public PlayerLine {
public:
    explicit SynthLine(std::unique_ptr<MidiSynth> synth);
    ~SynthLine() override;

    MidiSynth& Synth() { return *synth_; }
    bool InUse() const override;  // a sequencer holds the synthesiser

protected:
    PlayMarks Render(std::int16_t* out, std::size_t frames) override;  // card thread

private:
    std::unique_ptr<MidiSynth> synth_;
};

[[nodiscard]] SoundLineRegistration RegisterSynthLine();
