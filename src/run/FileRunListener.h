#pragma once
// What a file run tells the door that drives it (the wizard's pages, the command line).
// Every call comes on the main thread.
#include <string>

// The stages of a file run, in the order they come.
enum class FileStage { Convert, Play, Encode };

// How a file run ended.
struct FileRunResult {
    // The whole input is in the MP3 under `output`.
    bool ok = false;
    // The name the MP3 has now: the one asked for, or "<stem> (2).mp3" when another program
    // wrote that name meanwhile; empty when nothing was kept.
    std::string output;
    // Seconds of audio in the wave that was encoded (44100 Hz, 16 bits, stereo).
    double seconds = 0;
};

class FileRunListener {
public:
    virtual ~FileRunListener() = default;
    // How far the stage is, 0..100.
    virtual void RunProgress(FileStage stage, int percent) = 0;
    // Something the user must be told (a failure with its reason); the engine's own
    // messages still go through the application's dialogs.
    virtual void RunMessage(const std::string& text) = 0;
    // The encoding has ended (also after a Cancel: then ok is false).
    virtual void RunFinished(const FileRunResult& result) = 0;
};
