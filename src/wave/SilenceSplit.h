#pragma once
// Where one long recording (a side of a tape or a record) falls into tracks: the gaps are
// runs of 10 ms windows whose RMS over every channel lies below a threshold, at least
// minGapSeconds long and inside the recording (silence at its very start or end stays with
// the first or last track); each gap is cut in its middle; a cut that would leave a track
// shorter than minTrackSeconds is left out (the tracks on either side stay one). Every
// sample belongs to exactly one track.
//
//   SilenceSplitter s(44100, 2, {});
//   s.Feed(samples, frames);  ...  // the whole recording, in order, in any pieces
//   std::vector<TrackSpan> tracks = s.Tracks();
//
// One thread at a time.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

struct SilenceSplitOptions {
    double thresholdDb = -45;   // dBFS; a window below it is silent
    double minGapSeconds = 1.5;
    double minTrackSeconds = 5;
};

struct TrackSpan {
    std::int64_t first = 0;   // sample frame
    std::int64_t frames = 0;
};

class SilenceSplitter {
public:
    SilenceSplitter(unsigned rate, int channels, SilenceSplitOptions options);

    // Interleaved 16-bit samples.
    void Feed(const std::int16_t* samples, std::int64_t frames);
    std::int64_t Frames() const { return frames_; }
    // The tracks the recording fed so far falls into, in order, covering it whole.
    std::vector<TrackSpan> Tracks() const;
    // The cuts (first frames of every track but the first).
    std::vector<std::int64_t> Cuts() const;

private:
    void closeWindow();

    unsigned rate_;
    int channels_;
    SilenceSplitOptions options_;
    std::int64_t windowFrames_;
    std::int64_t frames_ = 0;
    double sum_ = 0;            // squares of the open window
    std::int64_t inWindow_ = 0;  // frames in the open window
    std::vector<bool> silent_;  // one per whole window
};

// Feeds a 16-bit PCM wave file whole into a splitter. Raises EMervaneError naming the file
// when it cannot be read or is not 16-bit PCM.
std::vector<TrackSpan> SplitWaveFileAtSilences(const std::string& file, SilenceSplitOptions options);

// Writes frames [span.first, span.first + span.frames) of a 16-bit PCM wave file into a
// new wave file of the same format. Raises EMervaneError naming the file that failed.
void CopyWaveSpan(const std::string& from, const TrackSpan& span, const std::string& to);

// Frames of a 16-bit PCM wave file, interleaved as the file holds them.
struct WaveSpanSamples {
    std::vector<std::int16_t> samples;
    unsigned rate = 0;
    int channels = 0;
};

// Reads frames [span.first, span.first + span.frames) of a 16-bit PCM wave file (fewer
// when the file ends first). Between blocks it looks at `stop`: once set, it returns what
// it has. Raises EMervaneError naming the file and the reason when it cannot be read.
WaveSpanSamples ReadWaveSpan(const std::string& from, const TrackSpan& span, const std::atomic<bool>& stop);
