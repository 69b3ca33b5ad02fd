#pragma once
// The values the wizard window and the hidden window share for the one job of a run. They
// are set at start and never reset; only the main thread touches them, except the cancel
// flag, which the CD extraction progress tick may also set from its timer thread.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "mpeg/MPEGAudio.h"

enum class RecordLevel { Midi, Cd, Mic, Line, Aux };
constexpr std::array<const char*, 5> kRecordLevelKeys = {"MIDI", "CD", "MIC", "LINE", "AUX"};
constexpr int kDefaultRecordLevel = 50000;
constexpr int kDefaultBitRateIndex = 8;  // 128 kbit/s

struct WizardState {
    std::string sourceKind;  // "wave", "midi", "cd", "mic", "line" or "aux"
    bool sourceChosen = false;
    std::string inputFileName;
    std::string outputFileName;
    int bitRateIndex = kDefaultBitRateIndex;
    bool copyright = false;
    bool original = false;
    std::atomic<bool> cancel{false};
    bool encodingInProgress = false;
    bool midiPlaying = false;
    bool jobStarted = false;
    bool ripMode = true;
    bool extractionRunning = false;
    bool cdTrackDetails = false;
    bool cdTrackDone = false;
    std::array<int, 5> recordLevels{kDefaultRecordLevel, kDefaultRecordLevel, kDefaultRecordLevel,
                                    kDefaultRecordLevel, kDefaultRecordLevel};

    // The tag of the file being made; a details page makes a fresh one on entry.
    std::unique_ptr<TMPEGAudio> tag;

    // The recording peaks: raised by the recorder's data event, read and reset by the meter
    // update (both on the main thread). Sample magnitudes 0..32767.
    std::int16_t PeakLevel1 = 0;
    std::int16_t PeakLevel2 = 0;

    int& Level(RecordLevel which) { return recordLevels[static_cast<std::size_t>(which)]; }
};
