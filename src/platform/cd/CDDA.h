#pragma once
// The CD extraction library: one audio track of the CD, read digitally with verification,
// becomes the wave file mp3tmp.wav (16-bit stereo 44100 Hz PCM) in a chosen folder.
//
//   if (const std::string problem = CddaFolderProblem(folder); !problem.empty())
//       ... show problem, do not extract ...
//   setOutputDir(folder.c_str());          // main thread, before every extraction
//   std::thread worker([&] { result = riptrack(3); });   // blocks until the track is done
//   ... getprogress() once a second (0..100), cancelrip() on Cancel ...
//   worker.join();  if (result != 1) ... ripmessage() says why ...
//
// The drive is the one SetDevice names (a device node or a .cue, .bin, .toc or .nrg image),
// else the run's image (SetCdDeviceForRun), by default the first drive found. Drive reads are
// verified the way cd-paranoia does by default (full paranoia, skipping allowed after
// retries); every sector paranoia had to skip is counted and told (LastReadErrors), never
// passed off as a clean rip. An image is read as it is (it reads the same every time) and
// a sector it cannot give, as when its file has been cut short, fails the track. The extraction writes mp3tmp.wav.partial and renames it to mp3tmp.wav only
// when the whole track has been read; a cancelled or failed extraction leaves no
// mp3tmp.wav, and what it had read stays in mp3tmp.wav.partial (a valid wave file of that
// part) until the next extraction removes it.
//
// The read offset (CdReadSettings: CD / ReadOffset, samples, -3000..3000, default 0) is applied
// to every extraction: sample i of the track's file is sample i + offset of the disc as the
// drive returns it, and samples the shift puts before the disc's first sector or past its
// last are zeros (the drive is never asked for them). While a track is written its CRC32
// and AccurateRip checksums are summed by the installed summer (TrackSums.h, LastReport). With CD / TestAndCopy = 1 every track
// is read twice and the CRCs of the two reads are compared.
//
// Threads: riptrack may run on any thread, one extraction at a time. getprogress,
// cancelrip and ripmessage may be called from any thread at any time. setOutputDir is
// called between extractions.
#include "platform/cd/TrackSums.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

constexpr std::uint8_t kRipOk = 1;
constexpr std::uint8_t kRipFailed = 0;
constexpr std::uint8_t kRipCancelled = 2;
// The folder text travels in a buffer of 251 bytes.
constexpr std::size_t kCddaMaxFolderLength = 250;
constexpr int kMaxReadOffset = 3000;

// What the last successful extraction read, for the rip log.
struct CdRipReport {
    int track = 0;
    int readOffset = 0;
    std::int32_t firstSector = 0;
    std::int32_t sectorCount = 0;
    TrackChecksums copy;
    bool tested = false;          // read twice (test and copy)
    std::uint32_t testCrc = 0;    // the first read's CRC32 when tested
    long skippedSectors = 0;      // sectors paranoia gave up on (drives only)
    long rereads = 0;             // paranoia's read errors it read again (drives only)
};

// The read offset a setting's text gives: a whole number of samples from -3000 to 3000,
// written in decimal. Anything else gives 0 and says why, naming the key and the value.
struct ReadOffsetValue {
    int offset = 0;
    std::string problem;  // empty when the text was a valid offset or empty
};
ReadOffsetValue ParseReadOffset(const std::string& text);

// The read offset a setting's text gives (CD / ReadOffset); a value that is no valid offset
// is reported (once per value and run) and 0 is used. Any thread.
int CdReadOffset(const std::string& setting);

class ProfileFile;

// How the settings say a disc is read, read once by whoever starts the extractions.
struct CdReadSettings {
    std::string readOffset;    // CD / ReadOffset as written (CdReadOffset reads it)
    bool testAndCopy = false;  // CD / TestAndCopy = 1
    static CdReadSettings FromProfile(const ProfileFile& settings);
};

class CdRipper {
public:
    CdRipper() = default;
    CdRipper(const CdRipper&) = delete;
    CdRipper& operator=(const CdRipper&) = delete;

    // Sets the folder of the next extraction (a trailing '/' is added when missing) and
    // drops a cancel request left from before. A folder longer than 250 characters is
    // not taken: the next extraction fails with the reason.
    void SetOutputDir(const std::string& folder);
    // The drive or image to read; empty (the default): the run's image, else the first
    // drive found, looked up at each extraction.
    void SetDevice(const std::string& device);
    // The read offset and test and copy of the next extractions (by default none).
    void SetReadSettings(const CdReadSettings& settings);

    // Extracts the 1-based track; kRipOk, kRipFailed or kRipCancelled. Blocks until done.
    std::uint8_t RipTrack(int track);
    // Percentage of the running (or last) extraction, 0..100; 100 only once it succeeded.
    int Progress() const { return progress_.load(); }
    // Stops the running extraction between two sectors; a cancel that arrives before the
    // extraction starts stops it at once. setOutputDir clears a cancel left over.
    void Cancel() { cancel_.store(true); }
    bool Running() const { return running_.load(); }
    // Why the last extraction did not succeed; empty after a success.
    std::string LastError() const;
    // After a successful extraction from a drive: which sectors could not be read and were
    // skipped (how many, where the first lies in the track); empty when every sector read.
    std::string LastReadErrors() const;

    // The report of the last successful extraction.
    CdRipReport LastReport() const;
    // Checksums are summed unless switched off (for measuring what they cost).
    void SetChecksums(bool on) { checksums_.store(on); }

    // Runs on the extracting thread after every sector written (set it before RipTrack).
    std::function<void(int sectorsDone, int sectorsTotal)> OnSector;

private:
    std::uint8_t rip(int track, const std::string& folder, const std::string& device);
    // Reads disc sector lsn (called for consecutive sectors) into 588 frames; null and a
    // reason when it cannot.
    using SectorRead = std::function<const std::int16_t*(std::int32_t lsn, std::string& error)>;
    struct Span {
        std::int32_t firstSector = 0, count = 0, leadOut = 0;
        std::int32_t discStart = 0;  // the first readable sector: below 0 with audio before track 1
        bool firstTrack = false, lastTrack = false;
        int offset = 0;
    };
    std::uint8_t ripImage(int track, const std::string& device, const std::string& target, const std::string& partial);
    std::uint8_t ripDrive(int track, const std::string& device, const std::string& target, const std::string& partial);
    // Reads the span once, or twice with test and copy, and keeps the report.
    std::uint8_t extractChecked(int track, const Span& span, const std::string& target, const std::string& partial,
                                const SectorRead& read);
    // Writes the span's sectors, shifted by its offset, into the partial file and renames
    // it to target when all are written.
    std::uint8_t extract(int track, const Span& span, const std::string& target, const std::string& partial,
                         const SectorRead& read, TrackChecksums& sums);
    std::uint8_t fail(const std::string& message, std::uint8_t result = kRipFailed);

    std::mutex runLock_;  // held by the extracting thread for the whole extraction
    mutable std::mutex textLock_;  // guards folder_, folderProblem_, device_, readSettings_, error_, readErrors_, report_
    std::string folder_;
    std::string folderProblem_;
    std::string device_;
    CdReadSettings readSettings_;
    std::string error_;
    std::string readErrors_;
    CdRipReport report_;          // guarded by textLock_
    bool testAndCopy_ = false;    // the running extraction's: extracting thread only
    int readOffset_ = 0;          // the same
    long rereads_ = 0;            // the same
    std::atomic<bool> checksums_{true};
    std::atomic<int> progress_{0};
    std::atomic<bool> cancel_{false};
    std::atomic<bool> running_{false};
};

// The library's one ripper, behind the entry points below.
CdRipper& CddaLibrary();

// Empty when the folder can be handed to setOutputDir, otherwise the sentence that says why
// not (too long, or empty).
std::string CddaFolderProblem(const std::string& folder);

void setOutputDir(const char* folder);
std::uint8_t riptrack(std::int32_t track);
std::int32_t getprogress();
void cancelrip();
std::string ripmessage();
