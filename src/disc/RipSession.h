#pragma once
// What a digital rip of several tracks keeps for its verification: the disc's table of
// contents, the AccurateRip lookup running on a worker thread of its own, and every
// ripped track's report; at the end the rip log beside the MP3 files.
//
//   RipSession session;                             // main thread: reads the table, starts the lookup
//   session.AddTrack(ripper.LastReport(), "/music/Track3.mp3");
//   if (session.LookupDone()) label = session.VerificationLine(3);
//   session.WaitForLookup(...); session.WriteLog(folder, "Rip");
//
// A lookup that fails (no network, an HTTP error, an unreadable answer) is said in the log
// and on the page and never stops the rip. The database is the settings' CD / AccurateRip
// (default http://www.accuraterip.com/accuraterip).
//
// Threads: everything but the lookup belongs to the thread that made the session (the
// main thread). The lookup's worker writes its result once and then sets the done flag;
// the result is read only after LookupDone. The destructor cancels the lookup and waits.
#include "disc/AccurateRip.h"
#include "platform/cd/CDDA.h"
#include "platform/cd/CdDisc.h"

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class RipSession {
public:
    // Reads `device`, or when it is empty the run's image, by default the first drive found.
    // `readOffset` (CD / ReadOffset as written) is the one the log names before a track
    // has been read.
    explicit RipSession(const std::string& device = {}, const std::string& readOffset = {});
    ~RipSession();
    RipSession(const RipSession&) = delete;
    RipSession& operator=(const RipSession&) = delete;

    void AddTrack(const CdRipReport& report, const std::string& file);
    // The log's line about the run's cover picture, and the picture's file beside the
    // tracks ("cover.jpg", empty for none) that the cue sheet names.
    void SetCover(const std::string& line, const std::string& file);
    // The track's file is gone (a cancelled or failed encoding): the log and the cue sheet
    // leave it out.
    void DropTrack(int track);
    bool LookupDone() const { return done_.load(); }
    // "Track 3: accurately ripped (confidence 12)"; empty before the lookup has ended.
    std::string VerificationLine(int track) const;
    // The track's verdict; empty before the lookup has ended, when the database could not
    // be reached, or for a track not added.
    std::optional<AccurateRipVerdict> Verdict(int track) const;
    // The log's text (UTF-8).
    std::string LogText() const;
    // Writes folder/<album>.log; empty on success, otherwise the sentence naming the file
    // and the reason.
    std::string WriteLog(const std::string& folder, const std::string& album) const;

    // With CD / CueSheet = 1: folder/<album>.cue naming the ripped files in track order, one
    // FILE each, and folder/<album>.m3u listing them. Empty on success (or when not wanted),
    // otherwise the sentence naming the file and the reason.
    std::string WriteCueSheet(const std::string& folder, const std::string& album) const;

private:
    struct Ripped {
        CdRipReport report;
        std::string file;
    };
    int trackIndex(int track) const;  // 0-based among the audio tracks, -1 when not one
    std::string verdictText(const Ripped& r) const;

    std::string device_;
    std::string readOffset_;
    std::vector<std::string> imageNotes_;  // an image's files found under other names
    std::string tocProblem_;
    std::vector<CdTrack> tracks_;
    std::int32_t leadOut_ = 0;
    AccurateRipDiscId id_;
    std::vector<Ripped> ripped_;
    std::string startedAt_;
    std::string coverLine_;
    std::string coverFile_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> done_{false};
    AccurateRipLookupResult lookup_;  // written by the worker before done_, then read-only
    std::thread worker_;
};
