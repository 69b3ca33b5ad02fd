#pragma once
// Disc images read without libcdio: a cue sheet (.cue, or the .bin beside one), a cdrdao
// table of contents (.toc) or a Nero image (.nrg) is parsed and checked before anything
// is read from it, and becomes a table of tracks and the layout of the disc's audio over
// the image's files. libcdio's own image readers trust what they are given (a track count
// past 99, an offset past the file, a chunk size that runs off the end) and crash on it;
// these checks refuse such an image with a sentence that says what is wrong.
//
//   CdImageLayout layout = ReadCdImage("/music/my disc.cue");   // throws ECdError
//   for (const SheetTrack& t : layout.tracks) ...
//   CdImageReader reader(layout);
//   reader.Read(layout.tracks[0].firstSector, 2, bytes);   // 2 x 2352 little-endian bytes
//
// What each format means here:
// - cue: the sheet is UTF-8 (with or without a byte-order mark), else Windows-1252, as
//   Windows rippers write it. A FILE is looked for as written (quoted or not, any name,
//   spaces) against the sheet's own folder, then by its base name after the last \ or /,
//   then by that name in any letter case, then as the same stem with another audio
//   extension that can be read (.flac, .wav, .ogg, .oga, .opus); a file found other than
//   by its exact name is told in the layout's notes. One FILE for the disc or one per
//   track; BINARY files hold little-endian audio, MOTOROLA big-endian; a WAVE (or FLAC,
//   OGG, OPUS) file is a wave file or a FLAC / Ogg stream, whatever its type says,
//   decoded by the platform (DecodedAudioFile). PREGAP and POSTGAP add silence that is in
//   no file. TITLE, PERFORMER, SONGWRITER, ISRC, CATALOG and REM DATE / GENRE become the
//   layout's CD-Text. A sheet with a FILE but no TRACK is a drive without a disc (no
//   tracks).
// - toc: FILE / AUDIOFILE raw audio is big-endian unless SWAP is given (cdrdao's rule);
//   a .wav file is read as a wave file; SILENCE, ZERO, PREGAP and START are understood;
//   DATAFILE tracks are data.
// - nrg: the footer (NER5 or NERO) names the chunk list; DAOX / DAOI or ETN2 / ETNF give
//   the tracks (CUEX / CUES are only checked); audio is little-endian as on a BIN.
// Track numbers start where the sheet says (a sheet starting at TRACK 02 has no track 1);
// a track's pregap counts into the previous track's length, as a drive reports it.
//
// One file per format reads it (CueSheet.cpp, TocFile.cpp, NeroImage.cpp); the CD services
// below reach these readers through the opener InstallDiscReaders sets (CdImage.h).
//
// Threads: ReadCdImage on any thread; a reader is used by one thread at a time.
#include "platform/cd/CdImage.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A run of the disc's sample frames (588 a sector) that lies in one file or is silence.
struct CdImageExtent {
    std::string file;               // empty: silence
    std::uint64_t byteOffset = 0;   // of the run's first frame in the file
    std::int64_t frames = 0;
    int sectorStride = kCdSectorBytes;  // bytes from one sector's start to the next one's
    bool bigEndian = false;
    // A FLAC or Ogg file, decoded: byteOffset and the stride count its 16-bit stereo samples'
    // bytes (4 a frame), as if it were a wave file's data.
    bool decoded = false;
};

struct CdImageLayout {
    std::string image;
    std::vector<SheetTrack> tracks;
    std::vector<CdImageExtent> extents;  // in disc order from LSN 0
    std::int32_t leadOut = 0;
    // An audio first track's pregap as the image holds it (a cue sheet's INDEX 00, a toc's
    // FILE audio before START or its PREGAP silence, a Nero image's index 0): audio before LSN 0, read at the sectors -hiddenSectors..-1. The extents start there.
    std::int32_t hiddenSectors = 0;
    CdText cdText;  // a cue sheet's text
    // What the user should know about how the image was read: a file found other than by
    // the name the sheet gives ("x.flac" named, "x.wav" read).
    std::vector<std::string> notes;
};

// Parses and checks the image; raises ECdError with the reason (without the image's name)
// when it cannot be read.
CdImageLayout ReadCdImage(const std::string& path);

// Reads sectors of the layout's audio as 2352 bytes each, little-endian.
class CdImageReader : public CdImageSource {
public:
    explicit CdImageReader(CdImageLayout layout);
    ~CdImageReader() override;
    CdImageReader(const CdImageReader&) = delete;
    CdImageReader& operator=(const CdImageReader&) = delete;

    const CdImageLayout& Layout() const { return layout_; }
    // Sectors from -Layout().hiddenSectors to the lead-out. Raises ECdError naming the file
    // and the sector when a file has gone or ends early.
    void Read(std::int32_t firstSector, std::int32_t count, std::uint8_t* bytes) override;

    const std::vector<SheetTrack>& Tracks() const override { return layout_.tracks; }
    std::int32_t LeadOut() const override { return layout_.leadOut; }
    std::int32_t HiddenSectors() const override { return layout_.hiddenSectors; }
    CdText Text() const override { return layout_.cdText; }

private:
    struct Files;
    // Frames of a decoded file from frame `at` (within one sector) as little-endian bytes.
    void readDecoded(const std::string& file, std::int64_t at, std::int64_t frames, std::uint8_t* bytes,
                     std::int32_t sector);
    CdImageLayout layout_;
    std::unique_ptr<Files> files_;
};

// The notes of an image (CdImageLayout::notes); empty for a drive or an image that cannot
// be read (its open says why).
std::vector<std::string> CdImageNotes(const std::string& device);

// ReadCdImage, raising ECdError with CdImageProblem's sentence: the check every image
// passes before it is read by us or by libcdio.
CdImageLayout CheckCdImage(const std::string& path);
