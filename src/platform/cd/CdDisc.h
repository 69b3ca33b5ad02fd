#pragma once
// An audio CD as the CD player and the sound card's CD line see it: the table of contents
// of a drive or disc image (tracks, starts and lengths in sectors, milliseconds and
// TMSF, audio or data, disc present or not) and the digital read of audio sectors.
//
//   std::unique_ptr<CdDisc> disc = CdDisc::OpenConfigured(setting);   // throws ECdError
//   for (const CdTrack& t : disc->Tracks())
//       list << "Track" << t.number << ... << t.lengthMs / 60000 << " min. ";
//   std::vector<std::int16_t> pcm(2 * kCdSamplesPerSector * n);
//   disc->ReadAudio(disc->Track(2).firstSector, n, pcm.data());
//
// Positions in milliseconds count the way a CD player counts them: from the start of the
// disc including its two-second lead-in, so track 1 of an ordinary disc starts at 2000 ms.
// Sectors are libcdio's logical sectors (LSN, without the lead-in). One sector is 1/75 s,
// 588 stereo sample frames, 2352 bytes; milliseconds are rounded to the nearest.
//
// Threads: Open, Reload and the table queries belong to one thread (the CD device's, the
// main thread). ReadAudio may run on another thread at the same time (the card's CD line);
// the drive handle and the table are guarded by a lock inside.
#include "platform/Errors.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class ProfileFile;

class ECdError : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};

constexpr int kCdSectorsPerSecond = 75;
constexpr int kCdSamplesPerSector = 588;       // stereo sample frames
constexpr int kCdSectorBytes = 2352;
constexpr int kCdLeadInSectors = 150;          // the two seconds before LSN 0

// Milliseconds of a sector count, rounded to the nearest; and back.
constexpr std::int64_t CdSectorsToMs(std::int64_t sectors) { return (sectors * 1000 + 37) / 75; }
constexpr std::int64_t CdMsToSectors(std::int64_t ms) { return (ms * 75 + 500) / 1000; }

// The packed time formats of a CD player: TMSF holds track, minute, second and frame in
// its four bytes from the lowest; MSF minute, second and frame in the lower three.
constexpr std::uint32_t MakeTmsf(int t, int m, int s, int f)
{
    return std::uint32_t(t & 0xFF) | std::uint32_t(m & 0xFF) << 8 | std::uint32_t(s & 0xFF) << 16 |
           std::uint32_t(f & 0xFF) << 24;
}
constexpr std::uint32_t MakeMsf(int m, int s, int f) { return MakeTmsf(m, s, f, 0); }
// The MSF of a sector count (minutes beyond 255 do not occur on a CD).
constexpr std::uint32_t CdSectorsToMsf(std::int64_t sectors)
{
    return MakeMsf(int(sectors / (60 * 75)), int(sectors / 75 % 60), int(sectors % 75));
}

// The CD-Text of a disc (from the drive, or a disc image's sheet: a cue sheet's TITLE,
// PERFORMER, SONGWRITER, ISRC, CATALOG and REM DATE / GENRE lines), UTF-8.
struct CdTextEntry {
    std::string title;
    std::string performer;
    std::string songwriter;
    std::string isrc;  // a track's recording code
};
struct CdText {
    CdTextEntry disc;
    std::map<int, CdTextEntry> tracks;  // by track number
    std::string genre;    // a name, or an ID3v1 genre number as the sheet gives it
    std::string date;     // as given: "1999", "1999-05-01", ...
    std::string catalog;  // the disc's UPC/EAN
    bool Empty() const
    {
        return disc.title.empty() && disc.performer.empty() && tracks.empty() && genre.empty() && date.empty() &&
               catalog.empty();
    }
};

struct CdTrack {
    int number = 0;
    bool audio = false;
    std::int32_t firstSector = 0;    // LSN of the track's start (its index 1)
    std::int32_t sectorCount = 0;    // up to the next track's start or the lead-out
    // The pregap (index 00) before firstSector; 0 when the disc gives none. A later track's
    // pregap lies in the sectors of the track before it; the first track's before LSN 0
    // holds the two-second lead-in and any hidden audio before track 1.
    std::int32_t pregapSectors = 0;
    std::int64_t startMs = 0;        // from the disc's start, lead-in included
    std::int64_t lengthMs = 0;
    std::uint32_t startTmsf = 0;     // track number, 0:00:00
    std::uint32_t lengthMsf = 0;     // the length as MSF
};

// The drive or image every CD service reads for the rest of this run instead of the
// settings' SOUNDCARD_SETUP / CdDevice (a disc image the wizard was given); empty goes back
// to the settings. Any thread.
void SetCdDeviceForRun(const std::string& device);
// The drive or image a CD service reads now: the run's, else `setting` (SOUNDCARD_SETUP /
// CdDevice as the caller read it), else the first drive found; empty when there is none.
std::string ConfiguredCdDevice(const std::string& setting);
// What SOUNDCARD_SETUP / CdDevice says in these settings; empty: none named.
std::string CdDeviceSetting(const ProfileFile& settings);

class CdDisc {
public:
    // Opens a drive or disc image (.cue, .bin, .toc, .nrg) and reads its table of contents.
    // A drive without a disc opens with no tracks (DiscPresent false). Raises ECdError with
    // a sentence for the user when the drive or image cannot be opened.
    static std::unique_ptr<CdDisc> Open(const std::string& device);
    // Opens what ConfiguredCdDevice(setting) names: the run's drive or image, else the
    // setting's, by default the first drive found.
    static std::unique_ptr<CdDisc> OpenConfigured(const std::string& setting);

    ~CdDisc();
    CdDisc(const CdDisc&) = delete;
    CdDisc& operator=(const CdDisc&) = delete;

    const std::string& Device() const;
    // From the last reading of the table: a disc with at least one track is in the drive.
    bool DiscPresent() const { return !tracks_.empty(); }
    int TrackCount() const { return int(tracks_.size()); }
    const std::vector<CdTrack>& Tracks() const { return tracks_; }
    // Raises ECdError "The CD has no track n" for a number not on the disc.
    const CdTrack& Track(int number) const;
    // The same, or null for a number not on the disc.
    const CdTrack* FindTrack(int number) const;
    // The track holding the sector; 0 before the first track or past the last.
    int TrackAt(std::int32_t sector) const;
    std::int32_t LeadOutSector() const { return leadOut_; }
    // The whole disc, from its lead-in to the lead-out, in milliseconds.
    std::int64_t TotalLengthMs() const { return CdSectorsToMs(std::int64_t(leadOut_) + kCdLeadInSectors); }
    // A position in milliseconds as TMSF: the track holding it and the time into that track.
    std::uint32_t MsToTmsf(std::int64_t ms) const;

    // The disc's CD-Text, empty when it has none. Same thread as the table queries.
    CdText ReadCdText();

    // The readable sectors before the first track's start that belong to its pregap: an
    // image's audio of track 1's pregap (at negative sectors), or a drive's sectors from
    // LSN 0 when track 1 starts later. ReadAudio reads them like a track's.
    std::int32_t HiddenSectors() const { return hidden_; }
    // The hidden first track: the audio before track 1 when it is longer than two seconds
    // and not silence. Reads that audio (up to the first sound); returns its sector count,
    // 0 when there is none or cancel is set between two reads. Raises ECdError when the
    // drive or image cannot be read. Same thread as the table queries (HiddenTrackJob reads
    // a drive's on a worker of its own).
    std::int32_t HiddenTrackSectors(const std::atomic<bool>* cancel = nullptr);

    // Reads the table again, as after a disc change; a missing disc leaves no tracks.
    // Returns DiscPresent. Raises ECdError when the drive or image has gone.
    bool Reload();

    // Reads count sectors from firstSector as 16-bit stereo samples in host byte order,
    // 2 x 588 per sector, into samples. Every sector must lie in an audio track (or the
    // hidden sectors before an audio track 1); otherwise,
    // or when the drive fails, raises ECdError. Any thread (see Threads).
    void ReadAudio(std::int32_t firstSector, std::int32_t count, std::int16_t* samples);

private:
    struct Handle;
    explicit CdDisc(std::string device);
    void readTable();  // the handle's lock held

    std::string device_;
    std::unique_ptr<Handle> handle_;  // guarded by the lock inside Handle
    std::vector<CdTrack> tracks_;     // written under the lock by the owning thread
    std::int32_t leadOut_ = 0;
    std::int32_t hidden_ = 0;  // written with the table
};
