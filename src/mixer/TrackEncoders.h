#pragma once
// Several CD tracks encoded at once. Each encoder of the pool is a chain of its own
// (wave file -> pump -> MP3 encoder), set up as the hidden window's chain is, so a track
// gives the same bytes whichever encoder takes it and however many run beside it. The
// caller extracts the next track meanwhile and hands it over when an encoder is free:
//
//   TrackEncoders pool(settings, 2, tagWriter, ended);
//   pool.Start(job);                  // when pool.HasFreeEncoder()
//   ... let window messages run; ended(...) follows for every job started ...
//   pool.StopAll();                   // Cancel: the running encodings stop, their files go
//
// Each job's wave file belongs to the pool from Start on: it is removed when the job ends,
// however it ends. An encoding stopped by StopAll or by the pool's end leaves no MP3 and no
// partial file; one that failed leaves none either.
//
// Threads: everything here runs on the main thread; the pumps' workers encode, and each
// job's end arrives on the main thread (its window messages must run).
#include "mpeg/EncoderSettings.h"
#include "mpeg/MMBlade.h"
#include "stream/MMTrigg.h"
#include "stream/MMWaveFile.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Configures an encoder for one file as every road does: bit rate, flags, container,
// stereo mode, VBR and loudness from the settings. One encoder stream (no split).
void ConfigureEncoder(TMMMP3Encoder& encoder, const EncoderSettings& settings, int bitRateIndex, bool copyright,
                      bool original);

// Joins wave file -> pump -> encoder as every encoding chain is joined: the pump's buffer
// and pace, and an encoder whose MP3 takes its name only when it is whole.
void JoinEncodingChain(TMMWaveFile& file, TMMTrigger& trigger, TMMMP3Encoder& encoder);

// One track for the pool.
struct TrackJob {
    int track = 0;        // handed back to the tag writer and in TrackEnd
    std::string input;    // the track's 16-bit PCM wave file; the pool removes it
    std::string output;   // the MP3 file
    int bitRateIndex = 0;
    bool copyright = false;
    bool original = false;
};

// How a job ended.
struct TrackEnd {
    int track = 0;
    bool completed = false;  // the whole track was encoded, tagged and took its name
    std::string staged;      // the name the file was tagged under
    std::string published;   // the name it has now (completed only)
    std::string message;     // what went wrong, naming the file and the reason; empty if nothing did
};

class TrackEncoders {
public:
    // Tags the finished, staged file of a track: 0 or the system's error code.
    using TagWriter = std::function<int(const TMMMP3Encoder& encoder, const std::string& file, int track)>;
    using Ended = std::function<void(const TrackEnd& end)>;

    TrackEncoders(const EncoderSettings& settings, int jobs, TagWriter tag, Ended ended);
    // Stops what still runs; nothing it wrote stays, and no ended call follows.
    ~TrackEncoders();
    TrackEncoders(const TrackEncoders&) = delete;
    TrackEncoders& operator=(const TrackEncoders&) = delete;

    int Jobs() const { return static_cast<int>(lanes_.size()); }
    int Running() const;
    bool HasFreeEncoder() const { return Running() < Jobs(); }
    // Starts the job on a free encoder. Raises when there is none or the encoding cannot
    // start (the output is unsafe or cannot be created); the job's wave file is then gone.
    void Start(TrackJob job);
    // Stops every running encoding; each still ends through `ended`, not completed.
    void StopAll();
    // The running encodings' progress added up, 0..100 each.
    int RunningPercentSum() const;

private:
    struct Lane;
    void EndInTurn(Lane& lane);
    void LaneStopped(Lane& lane);

    EncoderSettings settings_;
    TagWriter tag_;
    Ended ended_;
    std::vector<std::unique_ptr<Lane>> lanes_;
    // The lanes whose runs ended and wait to be finished, one at a time (main thread).
    std::vector<Lane*> waitingEnds_;
    bool ending_ = false;
};
