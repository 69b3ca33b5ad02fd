#pragma once
// One file made into an MP3 on the hidden window's engine, whichever door asks: a wave file
// checked and, when the encoder cannot take it as it is, converted into the temporary wave;
// a MIDI file played through the sound card's synthesiser and recorded from its first
// rendered frame to the end of its release tail; a finished wave (a take, a CD track)
// encoded, split among encoders as the settings say, and tagged by the door's WriteTag hook.
// The run watches the files it reads: one that became shorter while it was read makes the
// run a failure with the reason, never a short MP3 reported whole.
//
//   FileRun run(form2, state, listener);
//   run.StartMidi("song.mid", "song.mp3", /*fastPace=*/true);
//   // the door's hooks pass on ConversionProgress, PlaybackEnded, EncodingEnded; its
//   // timer calls Tick; the listener hears RunProgress, RunMessage and RunFinished.
//
// Threads: main thread only.
#include "mixer/Unit2.h"
#include "mixer/WizardState.h"
#include "run/FileRunListener.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class FileRun {
public:
    FileRun(TForm2& engine, WizardState& state, FileRunListener& listener);

    // Refuses an output that would destroy the input or something not a file, checks the
    // wave, converts it when needed (window messages run between its chunks) and starts its
    // encoding unless the run was cancelled meanwhile. Raises what the checks find.
    void StartWave(const std::string& input, const std::string& output);
    // Plays `input` through the card's synthesiser while the recorder records the
    // synthesiser line into the temporary wave; the engine encodes the recording when the
    // play ends. fastPace: as fast as the encoder takes it, heard nowhere; otherwise in real
    // time through the speakers. Raises when the file cannot be played; then nothing plays.
    void StartMidi(const std::string& input, const std::string& output, bool fastPace);
    // Starts the encoding of a finished wave file into `output`.
    void Encode(const std::string& input, const std::string& output);
    // Stops whatever runs; the engine's stop handler ends the run.
    void Cancel();

    // The engine's news, passed on by the door's hooks.
    void ConversionProgress(int percent);
    void PlaybackEnded(bool completed);
    void EncodingEnded(bool completed);
    // Tells the listener how far the play or the encoding is (the door's timer).
    void Tick();

private:
    TForm2& engine_;
    WizardState& state_;
    FileRunListener& listener_;
    bool paceChosen_ = false;  // StartMidi set the card's pace; the play's end puts it back
    double seconds_ = 0;       // of the wave being encoded
};
