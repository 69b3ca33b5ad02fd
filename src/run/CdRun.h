#pragma once
// One CD run, the same for the wizard's last CD page and for `mervane-cli cd`: every chosen
// track in turn is extracted (one CdRipJob at a time, one drive) or obtained by the door's
// own recorder, handed to an encoder (up to `jobs` lanes of TrackEncoders, the next track
// extracted meanwhile; or the door's own serial encoder), tagged with its details (and the
// album gain in the disc's order at the end), checked against the AccurateRip database, and
// written into the rip log, cue sheet and playlist; the run ends with a result per track.
//
//   CdRun run(settings, tracks, listener);
//   run.Run();            // lets window messages run until the run has ended
//   run.Cancel();         // from a slot while Run waits: nothing new starts
//
// Decisions (names, tags, what is logged) live here; the listener only shows them.
// Threads: everything runs on the main thread; the extraction, the encoders and the
// database lookup have worker threads of their own whose ends come back as messages.
#include "mixer/TrackEncoders.h"
#include "mixer/WizardState.h"
#include "mpeg/EncoderSettings.h"
#include "platform/Picture.h"
#include "platform/cd/CDDA.h"

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class RipSession;
class CdRipJob;

// The settings a run is given, read once by whoever builds it.
struct CdRunSettings {
    EncoderSettings encoder;
    int bitRateIndex = kDefaultBitRateIndex;
    int jobs = 1;              // encoders at once (ENCODER / Jobs)
    std::string device;        // the drive or image; empty: the run's image, else the first drive
    CdReadSettings read;       // read offset, test and copy
    std::string folder;        // of the MP3 files, ending in '/'
    std::string ripFilesName = "Rip";  // the log's, cue sheet's and playlist's name
    int discTrackCount = 0;    // the tags' "n/count"
    bool rip = true;           // false: the door records each track itself
    bool verify = true;        // AccurateRip lookup, rip log, cue sheet (rip only)
    // The front cover every track's tag carries and cover.jpg holds (null: none), and what
    // became of the search for it, for the rip log when there is none.
    std::shared_ptr<const Picture> cover;
    std::string coverLine;
};

// One chosen track.
struct CdRunTrack {
    int number = 0;
    std::string file;                     // the MP3 file
    std::optional<TrackDetails> details;  // none: the ID3v2 tag carries only the number
};

// How one track ended.
struct CdTrackResult {
    int track = 0;
    std::string file;
    bool read = false;       // extracted (or recorded) whole
    bool written = false;    // encoded, tagged, under its name
    bool skipped = false;    // an existing file the door chose to keep
    std::string verdict;     // "accurate", "not accurate", "not in database", "not checked", "" (not ripped)
    int confidence = 0;      // accurate: the rips that agree
    int others = 0;          // not accurate: the rips that disagree
    std::string verdictLine; // "Track 2: not accurate (4 other rips disagree)"
    std::string readErrors;  // sectors that could not be read, when any
    std::string error;       // why it failed
};

// A verdict's word ("accurate", "not checked", ...) in the user's language, for the screen.
std::string CdVerdictText(const std::string& verdict);

struct CdRunSummary {
    std::vector<CdTrackResult> tracks;  // the chosen tracks in run order
    bool cancelled = false;
    bool broken = false;   // a track could not be read or written: the run stopped there
    // "3 tracks: 2 written, 1 accurately ripped, 1 not accurate" and so on.
    std::string Line() const;
    bool AllWritten() const;
};

// What the run reports, on the main thread; the wizard's page and the command line each
// implement it.
class CdRunListener {
public:
    virtual ~CdRunListener() = default;
    // The run takes the track (position 1-based among the chosen tracks).
    virtual void TrackStarted(int /*track*/, const std::string& /*file*/, int /*position*/, int /*count*/) {}
    // 0..100: the extraction (or recording) of the current track.
    virtual void ReadProgress(int /*percent*/) {}
    // 0..100: the run's share encoded (lanes) or the current track's encoding.
    virtual void EncodeProgress(int /*percent*/) {}
    // A track's extraction ended (whole or not) and it goes to an encoder.
    virtual void TrackRead(const CdTrackResult&) {}
    virtual void TrackFinished(const CdTrackResult&) {}
    // A verification line became known ("Track 3: accurately ripped (confidence 12)").
    virtual void Verdict(int /*track*/, const std::string& /*line*/) {}
    // Something the user must read: a failure naming the file and the reason.
    virtual void Message(const std::string&) {}
    // A track could not be read or written: the run stops (nothing new starts, the
    // encodings stop); its message follows.
    virtual void Broken() {}
    // An existing file: true replaces it, false keeps it and skips the track.
    virtual bool MayReplace(const std::string&) { return false; }
    // Whether the extraction is running (the wizard's page ticks its progress timer).
    virtual void Extracting(bool) {}
    virtual void Finished(const CdRunSummary&) {}
};

// A door's own way to get or encode a track, used instead of the run's.
struct CdRunDoor {
    // Records the track into `wave` (record mode); true when it holds the whole track.
    // Returns when the recording has ended (it lets window messages run).
    std::function<bool(int track, const std::string& wave)> record;
    // Encodes `wave` into the track's file on the door's own chain with one encoder and
    // returns when it has ended (the tag comes through CdRun::TagTrack); true when whole.
    std::function<bool(const CdRunTrack& track, const std::string& wave)> encodeSerially;
};

class CdRun {
public:
    CdRun(CdRunSettings settings, std::vector<CdRunTrack> tracks, CdRunListener& listener, CdRunDoor door = {});
    ~CdRun();
    CdRun(const CdRun&) = delete;
    CdRun& operator=(const CdRun&) = delete;

    // Runs every track and the run's end (album gain, log, cue sheet), letting window
    // messages run meanwhile, and reports Finished. Raises what the engine raises (an
    // output that cannot be created); then nothing runs any more.
    CdRunSummary Run();
    // Stops the extraction and every encoding; no track starts after it. From a slot.
    void Cancel();
    bool Cancelled() const { return cancel_.load(); }
    // Tags a finished file of `track` as the run does (details, "n/count", the loudness
    // kept for the album gain); 0 or the system's error code. For a door's serial encoder.
    int TagTrack(const TMMMP3Encoder& encoder, const std::string& file, int track);
    // The track the run is on (its extraction, recording or serial encoding).
    int CurrentTrack() const { return current_; }
    // Lanes that are encoding now.
    int RunningEncoders() const;
    // The tracks go to encoder lanes (not the door's serial encoder) while the run lasts.
    bool UsesLanes() const { return lanes_ != nullptr; }

private:
    bool ReadTrack(CdRunTrack& track, CdTrackResult& result);
    bool Extract(int track, CdTrackResult& result);
    void EncodeBeside(const CdRunTrack& track, CdTrackResult& result);
    void LaneEnded(const TrackEnd& end);
    void ShowEncodeProgress();
    void Fail(CdTrackResult& result, const std::string& message);
    void FinishVerification();
    CdTrackResult* ResultOf(int track);
    void Wait(const std::function<bool()>& busy);

    CdRunSettings settings_;
    std::vector<CdRunTrack> tracks_;
    CdRunListener& listener_;
    CdRunDoor door_;
    // Main thread only, but the cancel flag, which a slot or a signal may set.
    std::atomic<bool> cancel_{false};
    std::unique_ptr<RipSession> session_;
    std::unique_ptr<TrackEncoders> lanes_;
    CdRipJob* job_ = nullptr;  // the running extraction, owned by Extract
    TMPEGAudio tag_;
    std::vector<AlbumTrack> album_;
    std::vector<CdTrackResult> results_;
    int current_ = 0;
    int filesDone_ = 0;
    int skipped_ = 0;
    bool broken_ = false;
};
