#pragma once
// Checksums of ripped CD tracks and their comparison with the AccurateRip database, where
// other people's rips of the same pressing are counted.
//
//   TrackChecksummer sum(samplesInTrack, isFirstTrack, isLastTrack);
//   sum.Add(pcm, frames);  ... as the track is extracted ...
//   TrackChecksums c = sum.Result();   // CRC32, AccurateRip v1 and v2
//
//   AccurateRipDiscId id = AccurateRipIds(trackStarts, leadOut);
//   AccurateRipLookupResult found = AccurateRipLookup(id, baseUrl, &cancel);  // worker thread
//   AccurateRipVerdict v = JudgeTrack(found.pressings, trackIndex, c);
//
// The AccurateRip checksum of a track sums, over its stereo samples taken as 32-bit words
// (left in the low half), each word times its 1-based position, modulo 2^32 (v1); v2 adds
// the high halves of the 64-bit products as well. The first track of the disc leaves out
// its first five sectors less one sample, the last its last five sectors, where drives
// differ most. The CRC32 is the common one (as zip) over the track's little-endian bytes.
//
// Threads: everything here works on its own arguments; AccurateRipLookup blocks and runs
// on a worker thread.
#include "platform/cd/TrackSums.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TrackChecksummer : public TrackSummer {
public:
    // totalFrames: the track's stereo samples; first/last: the track is the disc's first or
    // last track (for the skipped edges).
    TrackChecksummer(std::int64_t totalFrames, bool firstTrack, bool lastTrack);
    // The next frames (2 host-order 16-bit samples each, left first).
    void Add(const std::int16_t* samples, std::size_t frames) override;
    TrackChecksums Result() const override;

private:
    std::int64_t from_ = 1, to_ = 0, position_ = 1;
    std::uint32_t crc_ = 0xFFFFFFFFu;
    std::uint32_t low_ = 0, high_ = 0;
};

// The CRC32 continued over bytes (start with 0xFFFFFFFF, finish by inverting).
std::uint32_t Crc32Update(std::uint32_t crc, const std::uint8_t* bytes, std::size_t count);

// The instructions the checksums are summed with: the widest the processor has (the
// default; on x86-64 256-bit carry-less multiplication and AVX2), at most 128-bit ones, or
// plain C++. Every choice gives the same sums: the narrower ones are what processors
// without the wider run, and what the tests compare the wider with. Any thread; takes
// effect for the pieces summed after it.
enum class ChecksumInstructions { Widest, Narrow, Portable };
void SetChecksumInstructions(ChecksumInstructions limit);

struct AccurateRipDiscId {
    int trackCount = 0;
    std::uint32_t id1 = 0, id2 = 0, cddb = 0;
    // "dBAR-NNN-XXXXXXXX-YYYYYYYY-ZZZZZZZZ.bin"
    std::string FileName() const;
    // base/X/Y/Z/FileName() where X, Y, Z are id1's last three hex digits, last first.
    std::string Url(const std::string& base) const;
};

struct AccurateRipTrack {
    int number = 0;
    std::int32_t start = 0;  // LSN of index 01
    bool audio = true;
};
// From the disc's tracks in order and its lead-out sector. Data tracks count only for the
// CDDB id; the track count is that of the audio tracks.
AccurateRipDiscId AccurateRipIds(const std::vector<AccurateRipTrack>& tracks, std::int32_t leadOut);

struct AccurateRipEntry {
    int confidence = 0;
    std::uint32_t checksum = 0;  // v1 or v2: the database holds both kinds
};
// One pressing's entry: its ids and a checksum per track.
struct AccurateRipPressing {
    AccurateRipDiscId id;
    std::vector<AccurateRipEntry> tracks;
};

// Parses a dBAR file: entries of a track count byte, the three ids (32-bit little-endian)
// and per track a confidence byte, a checksum and a second checksum (both 32-bit). False
// with a reason for a file that is cut short, empty, or holds no tracks.
bool ParseDbar(const std::string& bytes, std::vector<AccurateRipPressing>& pressings, std::string& error);

struct AccurateRipVerdict {
    enum Kind { NotInDatabase, Accurate, NotAccurate } kind = NotInDatabase;
    int confidence = 0;  // Accurate: the rips that agree
    int disagree = 0;    // NotAccurate: the rips that disagree
    // "Accurately ripped (confidence N)", "Not accurate (N other rips disagree)",
    // "Not in the AccurateRip database"
    std::string Text() const;
};

// The verdict for the track at trackIndex (0-based, the disc's order) of the pressings
// whose ids match disc.
AccurateRipVerdict JudgeTrack(const std::vector<AccurateRipPressing>& pressings, const AccurateRipDiscId& disc,
                              int trackIndex, const TrackChecksums& sums);

struct AccurateRipLookupResult {
    bool reached = false;   // a dBAR file (or a "not found") arrived and was read
    bool answered = false;  // the server sent an answer, readable or not
    bool otherDisc = false;  // reached, but the file lists only other discs
    std::string error;      // why not: one line for the log
    std::vector<AccurateRipPressing> pressings;
};

constexpr const char* kAccurateRipDefaultUrl = "http://www.accuraterip.com/accuraterip";

// The whole fetch's limit: redirects and a body that trickles in count against it.
constexpr std::chrono::milliseconds kAccurateRipDeadline{10000};

// Fetches and parses the disc's dBAR file from base (the settings' CD / AccurateRip),
// ending by `deadline` whatever the server does. An HTTP 404 is a disc not in the
// database (reached, no pressings). Worker thread.
AccurateRipLookupResult AccurateRipLookup(const AccurateRipDiscId& disc, const std::string& base,
                                          const std::atomic<bool>* cancel = nullptr,
                                          std::chrono::milliseconds deadline = kAccurateRipDeadline);
