#pragma once
// BIN/CUE disc images written by the tests: one BINARY file of raw 2352-byte sectors with
// little-endian 16-bit stereo audio, a known tone per audio track, data tracks as
// MODE1/2352, and optional pregaps (INDEX 00) before a track.
#include <cstdint>
#include <string>
#include <vector>

struct CdImageTrack {
    bool audio = true;
    int sectors = 75;            // from this track's INDEX 01 to the next one's
    int frequency = 441;         // tone of an audio track; 44100 / frequency should be whole;
                                 // 0: non-periodic audio (noise), to check alignment
    int pregapSectors = 0;       // silence before INDEX 01, counted into the previous track
};

struct CdImage {
    std::string cue;             // the path to name as CdDevice
    std::string bin;
    std::vector<int> firstSector;  // LSN of each track's INDEX 01, track 1 at [0]
    std::vector<CdImageTrack> tracks;

    // The image's bytes of track n (1-based), from its INDEX 01 to the next track's.
    std::vector<std::uint8_t> TrackBytes(int n) const;
    // The same as samples.
    std::vector<std::int16_t> TrackSamples(int n) const;
};

// Writes name.cue and name.bin into folder.
CdImage WriteCdImage(const std::string& folder, const std::string& name, const std::vector<CdImageTrack>& tracks);
