#pragma once
// What the extraction sums over a track's samples while it writes them. The sums are the
// disc layer's (its AccurateRip rules live above the seam); the extraction only feeds the
// summer that layer installs at start and keeps the result in its report.
//
//   SetTrackSummerMaker(&MakeAccurateRipSummer);          // once, at start
//   std::unique_ptr<TrackSummer> sum = MakeTrackSummer(frames, first, last);
//   sum->Add(pcm, 588); ...  TrackChecksums c = sum->Result();
//
// Threads: the maker is set once before any extraction; a summer is used by one thread.
#include <cstddef>
#include <cstdint>
#include <memory>

struct TrackChecksums {
    std::uint32_t crc32 = 0;
    std::uint32_t arV1 = 0;
    std::uint32_t arV2 = 0;
};

class TrackSummer {
public:
    virtual ~TrackSummer() = default;
    // The next frames (2 host-order 16-bit samples each, left first).
    virtual void Add(const std::int16_t* samples, std::size_t frames) = 0;
    virtual TrackChecksums Result() const = 0;
};

// totalFrames: the track's stereo samples; first/last: the track is the disc's first or
// last track (for the edges the sums leave out).
using TrackSummerMaker = std::unique_ptr<TrackSummer> (*)(std::int64_t totalFrames, bool firstTrack, bool lastTrack);

void SetTrackSummerMaker(TrackSummerMaker maker);
// A summer from the installed maker; null when none is installed (the sums stay zero).
std::unique_ptr<TrackSummer> MakeTrackSummer(std::int64_t totalFrames, bool firstTrack, bool lastTrack);
