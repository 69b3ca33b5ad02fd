#pragma once
// BIN/CUE disc images written by the tests: one BINARY file of raw 2352-byte sectors with
// little-endian 16-bit stereo audio, a known tone per audio track, data tracks as
// MODE1/2352, and optional pregaps (INDEX 00) before a track.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CdImageTrack {
    bool audio = true;
    int sectors = 75;            // from this track's INDEX 01 to the next one's
    int frequency = 441;         // tone of an audio track; 44100 / frequency should be whole;
                                 // 0: non-periodic audio (noise), to check alignment
    int pregapSectors = 0;       // before INDEX 01, counted into the previous track
    int pregapFrequency = -1;    // the pregap's tone as frequency above; -1: silence
};

struct CdImage {
    std::string cue;             // the path to name as CdDevice
    std::string bin;
    int firstNumber = 1;         // the number of the first track
    std::vector<int> firstSector;  // LSN of each track's INDEX 01, the first track at [0]
    std::vector<CdImageTrack> tracks;

    // The image's bytes of track n (the disc's number), from its INDEX 01 to the next track's.
    std::vector<std::uint8_t> TrackBytes(int n) const;
    // The same as samples.
    std::vector<std::int16_t> TrackSamples(int n) const;
    // The samples of track n's pregap, from its INDEX 00 to its INDEX 01.
    std::vector<std::int16_t> PregapSamples(int n) const;
};

// How the cue sheet is written: the BIN's file name (by default name.bin) and the first
// track's number.
struct CdSheetStyle {
    std::string binName;
    int firstNumber = 1;
};

// Writes name.cue and the BIN into folder.
CdImage WriteCdImage(const std::string& folder, const std::string& name, const std::vector<CdImageTrack>& tracks,
                     const CdSheetStyle& style = {});

// Writes folder/name.toc, a cdrdao table of contents of the image's audio tracks over a
// big-endian copy of its BIN, name-be.bin, named relative to the toc; returns the toc's path.
// A pregap with a tone is the FILE's audio before START, a silent one a PREGAP.
std::string WriteTocImage(const CdImage& image, const std::string& folder, const std::string& name);

// One track of a Nero image: byte offsets of its index 00, index 01 and end in the image.
struct NrgTrackEntry {
    std::uint64_t index0 = 0, index1 = 0, end = 0;
    bool audio = true;
};
// Writes a Nero image: the bytes, a CUEX and a DAOX chunk listing the tracks (numbered
// from 1), an END! chunk and a NER5 footer giving the chunk list's offset (or footerOffset).
void WriteNrg(const std::string& path, const std::vector<std::uint8_t>& bytes, const std::vector<NrgTrackEntry>& tracks,
              std::optional<std::uint64_t> footerOffset = std::nullopt);

// A 75 s album image as a Windows ripper leaves it, in `folder`: "Artist - Album.flac" holding
// three tracks of tones (20 s, then 25 s and 30 s, each after a 2 s INDEX 00 gap) and the CRLF
// cue sheet `sheetName` naming it by `fileLine` (as written on the FILE line). The sheet has
// REM GENRE Rock, REM DATE 1999, the disc's TITLE "First Album" and PERFORMER "The Band",
// each track's TITLE and PERFORMER, and SONGWRITER and ISRC for tracks 1 and 3 only.
struct WindowsAlbumImage {
    CdImage tones;  // the same audio as a BIN image (tones.bin in folder): the tracks' samples
    std::string cue;
    std::vector<std::string> titles;     // of tracks 1..3
    std::vector<std::string> composers;  // of tracks 1..3, empty where the sheet has none
    std::vector<std::string> isrcs;      // likewise
};
WindowsAlbumImage WriteWindowsAlbumImage(const std::string& folder, const std::string& sheetName,
                                         const std::string& fileLine);
