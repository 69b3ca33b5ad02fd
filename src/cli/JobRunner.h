#pragma once
// One input of mervane-cli run through the hidden window's engine exactly as the wizard's
// roads run it: the wave check and conversion, the MIDI play recorded through the sound
// card's synthesiser, a live input's take, then the encoding chain and the tags. (A disc,
// ripped or recorded, is a CdRun of its own.)
#include "cli/Options.h"
#include "mixer/Unit2.h"
#include "mpeg/MPEGAudio.h"
#include "run/FileRun.h"
#include "run/SplitRun.h"

#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class SoundCard;

struct JobOutcome {
    enum Result { Ok, Failed, Interrupted } result = Failed;
    double seconds = 0;       // of audio encoded
    std::int64_t bytes = 0;   // of the output
    std::string output;       // the name the MP3 took when it is not the one planned
    std::vector<std::string> errors;
    std::vector<std::string> notes;  // what the user should know of a file that was made
};

class JobRunner : private FileRunListener {
public:
    // stage is "convert", "play", "record" or "encode".
    using Progress = std::function<void(const std::string& stage, int percent)>;

    // Makes the sound card (except for wave files, which need none) and the hidden window.
    // Main thread; the error report and the dialogs must already go to the console.
    JobRunner(const CliOptions& options, Progress progress);
    ~JobRunner();

    // Runs one input into `output` ("record": input unused). Never raises. Main thread.
    JobOutcome Run(const std::string& input, const std::string& output);

    // A wave file split into tracks, each encoded into its output in turn, tagged with its
    // number of how many, through the same split run as the wizard's. Never raises. Main
    // thread.
    JobOutcome RunSplit(const std::string& input, const TrackSplit& split, const std::vector<std::string>& outputs);

    // Where the console's messages go while a job runs: an error of the job, except the
    // word that a recording device stopped, which ends a take that is still kept.
    void AddError(const std::string& text);

private:
    // The file run's news.
    void RunProgress(FileStage stage, int percent) override;
    void RunMessage(const std::string& text) override { AddError(text); }
    void RunFinished(const FileRunResult& result) override;

    void RunWave(const std::string& input, const std::string& output);
    void RunMidi(const std::string& input, const std::string& output);
    void RunRecord(const std::string& output);
    // Starts the encoding chain on a 44100 Hz 16-bit stereo wave; returns at once.
    void StartEncoding(const std::string& input, const std::string& output);
    // The file run of the track being encoded while a split runs, else the one run.
    FileRun& ActiveRun();
    // Lets the engine run until done_ (or an interrupt has stopped everything).
    void Wait();
    void Poll();
    void Interrupt();

    const CliOptions& options_;
    Progress progress_;
    WizardState state_;
    std::unique_ptr<SoundCard> card_;  // outlives the hidden window
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<FileRun> run_;
    std::unique_ptr<SplitRun> splitRun_;  // while a split runs
    std::string requestedOutput_;  // the job's output as planned
    QTimer poll_;
    // Main thread only.
    JobOutcome outcome_;
    std::string stage_;
    bool done_ = false;
    bool completed_ = false;
    bool recordingStopped_ = false;
    int interruptsSeen_ = 0;
    bool interrupted_ = false;
};
