#pragma once
// A disc image (.cue, .bin, .toc, .nrg) as the CD services see it: a table of tracks and
// the audio of its sectors. The images are parsed, checked and read above the seam (the
// disc layer's readers, installed at start); the CD services open them only through the
// installed opener, so libcdio never meets an image nobody has checked.
//
//   SetCdImageOpener(&OpenCheckedImage);                  // once, at start
//   std::unique_ptr<CdImageSource> image = OpenCdImage("/music/my disc.cue");   // throws ECdError
//   image->Read(image->Tracks()[0].firstSector, 2, bytes);  // 2 x 2352 little-endian bytes
//
// Track numbers start where the image says; a track's pregap counts into the previous
// track's length, as a drive reports it.
//
// Threads: the opener is set once before any image is opened; OpenCdImage on any thread;
// an image is used by one thread at a time.
#include "platform/cd/CdDisc.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct SheetTrack {
    int number = 0;
    bool audio = true;
    std::int32_t firstSector = 0;  // LSN of index 01
    std::int32_t sectorCount = 0;  // up to the next track's index 01 or the lead-out
    std::int32_t pregapSectors = 0;  // index 00 (or PREGAP / START) to index 01
};

class CdImageSource {
public:
    virtual ~CdImageSource() = default;
    virtual const std::vector<SheetTrack>& Tracks() const = 0;
    virtual std::int32_t LeadOut() const = 0;
    // An audio first track's pregap as the image holds it: audio before LSN 0, read at the
    // sectors -HiddenSectors()..-1.
    virtual std::int32_t HiddenSectors() const = 0;
    // The image's CD-Text (a cue sheet's TITLE and PERFORMER lines).
    virtual CdText Text() const = 0;
    // Sectors from -HiddenSectors() to the lead-out as 2352 little-endian bytes each. Raises
    // ECdError naming the file and the sector when a file has gone or ends early.
    virtual void Read(std::int32_t firstSector, std::int32_t count, std::uint8_t* bytes) = 0;
};

// Opens and checks an image; raises ECdError with CdImageProblem's sentence.
using CdImageOpener = std::unique_ptr<CdImageSource> (*)(const std::string& path);

void SetCdImageOpener(CdImageOpener opener);
// Opens the image through the installed opener; ECdError with the reason when it cannot be
// read or no opener is installed.
std::unique_ptr<CdImageSource> OpenCdImage(const std::string& path);

// "Unable to read the CD image "path"" with the reason on a second line.
std::string CdImageProblem(const std::string& path, const std::string& reason);
