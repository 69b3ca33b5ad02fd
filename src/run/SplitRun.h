#pragma once
// The tracks of a split take encoded one after another on the hidden window's engine, each
// into its own MP3 tagged with its number: one FileRun per track over a wave of that track's
// samples (converted, as a wave file is, when the encoder cannot take it as it is), the door
// hearing of the whole as of one run (progress over every track, one end). The wizard and
// the command line both split through it, so they make the same files.
// The take is kept aside for the run, since the engine removes the temporary wave after
// each encoding.
//
//   SplitRun split(form2, state, door, trackSplit, TrackFileNames(folder, naming, n));
//   split.Start(takeFile);
//   // the door's hooks pass the engine's news to split.Run(); its WriteTag asks Track()
//
// Threads: main thread only.
#include "mixer/Unit2.h"
#include "mixer/WizardState.h"
#include "run/FileRun.h"
#include "run/TrackSplit.h"

#include <memory>
#include <string>
#include <vector>

class SplitRun : public FileRunListener {
public:
    SplitRun(TForm2& engine, WizardState& state, FileRunListener& door, TrackSplit split,
             std::vector<std::string> outputs);
    ~SplitRun() override;
    SplitRun(const SplitRun&) = delete;
    SplitRun& operator=(const SplitRun&) = delete;

    // Moves `take` (the program's temporary wave) aside, writes the first track's wave and
    // starts its encoding. Raises what writing the track or starting its encoding raises.
    void Start(const std::string& take);
    // The same for a wave file of the user's: it is read where it lies, never moved or
    // removed.
    void StartOnFile(const std::string& wave);
    // The run of the track being encoded, for the door's hooks.
    FileRun& Run() { return run_; }
    // The number (from 1) of the track being encoded, and how many there are.
    int Track() const { return static_cast<int>(index_) + 1; }
    std::size_t Count() const { return outputs_.size(); }
    // The MP3 of the track being encoded.
    const std::string& Output() const { return outputs_.at(index_); }
    // Every track has been encoded, or the run stopped.
    bool Done() const { return done_; }
    // Stops the run: the track being encoded is kept as far as it got, no further one starts.
    void Cancel();
    // The run failed (a track could not be written or encoded) and the take is back under
    // the name Start was given, so a new run can split it again.
    bool TakeGivenBack() const { return takeGivenBack_; }

    void RunProgress(FileStage stage, int percent) override;
    void RunMessage(const std::string& text) override;
    void RunFinished(const FileRunResult& result) override;

private:
    void startTrack();
    void removeFiles();
    // The run has failed: the take goes back to its own name.
    void giveTakeBack();

    WizardState& state_;
    FileRunListener& door_;
    FileRun run_;
    TrackSplit split_;
    std::vector<std::string> outputs_;
    std::string take_;  // the take, moved aside, or the user's wave
    bool ownTake_ = false;  // take_ is the program's, removed when the run ends
    std::string takeName_;  // the take's own name, as Start was given it
    bool takeGivenBack_ = false;
    std::string part_;  // the wave of the track being encoded
    std::size_t index_ = 0;
    bool done_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // for the posted next track
};
