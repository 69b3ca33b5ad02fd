#pragma once
// WizardState holds the run's shared values: what the wizard window, the hidden window and
// the flows' pages share for the job of a run (source, files, encoder options, the CD run's
// track details and scan position, the tag being made).
// Lifetime: one object, made by main before both windows and destroyed after them (tests
// make it the same way in their fixture), so every reference the windows keep stays valid.
// The pages write the values as the user walks through them; an encoding page clears the
// cancel flag as it starts and the CD run starts its scan position at 0; reading a disc
// sizes the checked list anew. Nothing is reset between two walks through the wizard, so a
// page that relies on a value sets it itself.
// Threads: only the main thread touches the values, except the cancel flag (atomic), which
// the CD extraction's progress tick may also set from its timer thread.
#include "mixer/PeakLevels.h"
#include "mpeg/EncoderSettings.h"
#include "mpeg/MPEGAudio.h"
#include "platform/Picture.h"
#include "platform/codec/Loudness.h"
#include "platform/tag/ID3v2Render.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class RecordLevel { Midi, Cd, Mic, Line, Aux };
constexpr std::array<const char*, 5> kRecordLevelKeys = {"MIDI", "CD", "MIC", "LINE", "AUX"};
constexpr int kDefaultRecordLevel = 50000;
constexpr int kDefaultBitRateIndex = 8;  // 128 kbit/s
// The details a tag gets when nobody changes them: the year and track fields start here.
constexpr int kDefaultTagYear = 1999;
constexpr int kDefaultTagTrack = 1;

// A file of the CD run whose ID3v2 tag gets the album's ReplayGain once the run is done.
struct AlbumTrack {
    std::string fileName;
    bool mp3Container = false;
    ID3v2Fields fields;  // the tag as written after the track
    std::shared_ptr<const LoudnessMeter> loudness;
};

// One stored set of details of a CD track.
struct TrackDetails {
    std::string artist;
    std::string title;
    std::string album;
    int year = 0;
    int track = 0;
    int genre = 255;
    std::string comment;
    // From a disc's text (a cue sheet's SONGWRITER and ISRC): the ID3v2 tag carries them,
    // the ID3v1 tag has no room for them. Empty when unknown.
    std::string composer;
    std::string isrc;
    bool copyright = false;
    bool original = false;
    std::shared_ptr<const Picture> cover;  // the front cover the tag carries, null for none
};

struct WizardState {
    std::string sourceKind;  // "wave", "midi", "cd", "mic", "line" or "aux"
    bool sourceChosen = false;
    std::string inputFileName;
    std::string outputFileName;
    int bitRateIndex = kDefaultBitRateIndex;
    bool copyright = false;
    bool original = false;
    // The ENCODER section of the settings file, read at start, written on change.
    EncoderSettings encoder;
    std::atomic<bool> cancel{false};
    bool encodingInProgress = false;
    bool midiPlaying = false;
    bool jobStarted = false;
    bool ripMode = true;
    bool extractionRunning = false;
    bool cdTrackDetails = false;
    bool cdTrackDone = false;
    // selCD's lookup of the disc's details is under way.
    bool discLookupRunning = false;
    std::array<int, 5> recordLevels{kDefaultRecordLevel, kDefaultRecordLevel, kDefaultRecordLevel,
                                    kDefaultRecordLevel, kDefaultRecordLevel};

    // The run's front cover: the release's, found by a worker, or the user's own picture;
    // null for none. The details pages hand it to every track's details.
    std::shared_ptr<const Picture> cover;

    // The tag of the file being made; a details page makes a fresh one on entry.
    std::unique_ptr<TMPEGAudio> tag;

    // The CD run. Per-track details, indexed by track number 1..99.
    std::array<TrackDetails, 100> trackDetails;
    // CD track list check marks, in track order (filled by the CD flow).
    std::vector<bool> cdTrackChecked;
    int selectedTrackCount = 0;
    // Multitag's walk over the checked tracks: the next index to look at, the details
    // pages shown so far and the track on show (0 when none).
    int scanIndex = 0;
    int detailsCount = 0;
    int currentTrack = 0;
    // The tagged files of the CD run so far, in order.
    std::vector<AlbumTrack> albumTracks;

    // The recording peaks: raised by the recorder's data event, read and reset by the meter
    // update (both on the main thread). Sample magnitudes 0..32767.
    std::int16_t PeakLevel1 = 0;
    std::int16_t PeakLevel2 = 0;
    // The clip lights, raised with the peaks; reset by a new take or a click on the light.
    ClipWatch Clip;

    int& Level(RecordLevel which) { return recordLevels[static_cast<std::size_t>(which)]; }
};
