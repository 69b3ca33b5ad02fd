#pragma once
// mervane-cli cd --record: a disc's track played through the sound card's CD line and
// recorded from its first frame to its last, as the wizard's "record through the sound
// card" method records it. The CdRun that asks for it names, encodes, tags and logs.
//
//   CdRecorder recorder(options);
//   door.record = [&](int track, const std::string& wave) { return recorder.Record(track, wave, ...); };
//
// Threads: main thread only; a recording lets window messages run until it has ended.
#include "cli/Options.h"
#include "mixer/WizardState.h"

#include <functional>
#include <memory>
#include <string>

class SoundCard;
class TForm2;
class TMediaPlayer;

class CdRecorder {
public:
    // Makes the sound card (with --device's recording device applied) and the hidden window.
    explicit CdRecorder(const CliOptions& options);
    ~CdRecorder();
    CdRecorder(const CdRecorder&) = delete;
    CdRecorder& operator=(const CdRecorder&) = delete;

    // Records `track` into `wave`; true when it holds the whole track. `progress` hears
    // 0..100 as the play goes on, `tell` why a track was not recorded. Ctrl+C stops the
    // play and the recording.
    bool Record(int track, const std::string& wave, const std::function<void(int)>& progress,
                const std::function<void(const std::string&)>& tell);

private:
    // Opens the CD player on the drive or image of --device (else the configured one) once
    // for the whole run.
    TMediaPlayer& Player();
    void StopPlayer();

    const CliOptions& options_;
    WizardState state_;
    std::unique_ptr<SoundCard> card_;  // outlives the hidden window
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TMediaPlayer> player_;  // plays into the card's CD line
    std::string failure_;  // the recorder's word on a write that failed
};
