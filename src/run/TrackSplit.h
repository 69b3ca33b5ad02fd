#pragma once
// A long take (a side of a tape or a record) made into tracks at its silences, the way both
// doors do it: the finder's proposal (SilenceSplit), the user's adjustments (two neighbours
// merged, a cut moved by a few seconds), the tracks' file names from the file-name template
// with their numbers, and each track's samples written into a wave of its own for the
// encoder. Every sample of the take belongs to exactly one track, whatever is adjusted.
//
//   TrackSplit split = TrackSplit::Propose(take, {});
//   split.MergeWithNext(1);  split.MoveCut(0, -2.0);
//   std::vector<std::string> mp3s = TrackFileNames(folder, details, split.Tracks().size());
//   std::string part = WriteTrackPart(take, split.Tracks()[0], 1);
//
// Main thread (or the command line's one thread).
#include "wave/SilenceSplit.h"

#include <cstddef>
#include <string>
#include <vector>

class TrackSplit {
public:
    TrackSplit() = default;
    TrackSplit(std::vector<TrackSpan> tracks, unsigned rate) : tracks_(std::move(tracks)), rate_(rate) {}

    // The finder's tracks of a 16-bit PCM wave file. Raises EMervaneError naming the file
    // when it cannot be read.
    static TrackSplit Propose(const std::string& wave, const SilenceSplitOptions& options);

    const std::vector<TrackSpan>& Tracks() const { return tracks_; }
    unsigned Rate() const { return rate_; }
    // Track i and the one after it become one; false when no track follows i.
    bool MergeWithNext(std::size_t i);
    // Moves the cut between track i and track i + 1 by `seconds` (negative: earlier), as
    // far as each of the two keeps kShortestTrackSeconds; false when it cannot move at all.
    bool MoveCut(std::size_t i, double seconds);

    // The frames from `seconds` before to `seconds` after the cut between track i and track
    // i + 1, within the take; empty when no track follows i.
    TrackSpan AroundCut(std::size_t i, double seconds) const;

    static constexpr double kShortestTrackSeconds = 1.0;

private:
    std::vector<TrackSpan> tracks_;
    unsigned rate_ = 44100;
};

// What the names of the tracks' files are made of (the take's details).
struct TrackNaming {
    std::string title;
    std::string artist;
    std::string album;
    int year = 0;
};

// The MP3 files of `count` tracks in `folder`: the file-name template of the settings
// (METADATA/FileNames, SafeNames) with track numbers from 1, made distinct, ending ".mp3".
std::vector<std::string> TrackFileNames(const std::string& folder, const TrackNaming& naming, std::size_t count);

// Writes track `span` of `take` into a wave of its own in the instance folder (numbered
// `number`) and returns its path. Raises EMervaneError naming the file that failed.
std::string WriteTrackPart(const std::string& take, const TrackSpan& span, std::size_t number);
