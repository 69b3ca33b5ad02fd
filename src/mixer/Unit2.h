#pragma once
// The hidden window: owns the program's long-lived components for the whole run and carries
// the glue between them and the wizard. It is never shown, so it is a plain QObject; the
// wizard reaches it directly and it reaches the wizard only through WizardHooks.
//   Unit2.cpp          construction
//   Unit2Mixer.cpp     the mixer: start-up, save, source selection, monitor volume, restore
//   Unit2Encoding.cpp  the encoding chain: start, stop, progress, the stop handler
//   Unit2Record.cpp    the recorder and its peak capture for the level meters
//   Unit2Convert.cpp   the wave check and the conversion into the encoder's format
//   Unit2Midi.cpp      the MIDI player, the end of a MIDI recording, its encoding as it is made
#include "media/MediaPlayer.h"
#include "mixer/AMixer.h"
#include "mixer/MixerDebugView.h"
#include "mixer/OutputGuard.h"
#include "mixer/WizardState.h"
#include "mpeg/MMBlade.h"
#include "stream/MMPcmFeed.h"
#include "stream/MMTrigg.h"
#include "stream/MMWRec.h"
#include "stream/MMWaveFile.h"

#include <QObject>
#include <array>
#include <functional>
#include <optional>
#include <string>

// What the hidden window calls back on the wizard window.
struct WizardHooks {
    // Tag the file named (the MP3 before it takes its name); 0, or the system's error code
    // when it could not be written (the stop handler tells the user).
    std::function<int(const std::string& file)> WriteTag;
    std::function<int(const std::string& file)> CDWriteTag;
    std::function<void()> FinishUp;
    std::function<void(bool enabled)> EnableTimer1;
    std::function<void(int percent)> ShowConversionProgress;  // MMGauge2
    // An encoding has ended; completed is false after a Cancel or a failed write.
    std::function<void(bool completed)> EncodingEnded;
    // The recorder stopped (by Stop, or by itself when its device vanished).
    std::function<void()> RecordingStopped;
    // The recorder stopped because its temporary file could not be written; the message
    // names the file and the reason. The recording must not be encoded.
    std::function<void(const std::string& message)> RecordingFailed;
    // A MIDI recording's playback has ended; completed is false when it was stopped or failed.
    std::function<void(bool completed)> PlaybackEnded;
    // Starts the encoding of a finished recording (the wizard's MakeMP3).
    std::function<void(const std::string& input, const std::string& output)> MakeMP3;
};

// Shown when the encoder had to stop because the disk was full or a write failed; the file
// and the system's reason follow on a line of their own.
inline constexpr const char* kEncodingWriteFailedMessage =
    QT_TRANSLATE_NOOP("Messages", "The disk was full or writing the MP3 file failed. No MP3 file was made.");

// Shown when the tag could not be appended to the MP3 file; the file and the reason follow.
inline constexpr const char* kTagWriteFailedMessage = QT_TRANSLATE_NOOP("Messages", "unable to write header");

// Shown when the recorder's temporary wave file could not be written; the file and the
// system's reason follow on a line of their own.
inline constexpr const char* kRecordingWriteFailedMessage =
    QT_TRANSLATE_NOOP("Messages", "The disk was full or writing the temporary wave file failed. The recording has stopped and will not be "
    "encoded.");

// Shown when the converted copy could not be written in full.
inline constexpr const char* kConversionWriteFailedMessage =
    QT_TRANSLATE_NOOP("Messages", "The disk was full or writing the temporary wave file failed. Only the part converted until then will be "
    "encoded.");

// The message of a wave file that gave less audio than it holds while it was read (another
// program cut it, or it could not be read): the file and the reason, and that nothing was
// made of it. Empty when the wave's reads were whole.
std::string InputCutShortMessage(const TMMWave& wave);

class TForm2 : public QObject {
    Q_OBJECT
public:
    // Works on the current sound card's mixer (none: no mixer device).
    explicit TForm2(WizardState& state, QObject* parent = nullptr);
    // Works on `mixer`; null: no mixer device.
    TForm2(WizardState& state, IMixerService* mixer, QObject* parent = nullptr);
    ~TForm2() override;

    void SetWizardHooks(WizardHooks hooks) { hooks_ = std::move(hooks); }

    // Which recording source lines the sound card offers; set by the mixer start-up.
    bool MidiAvailable = false;
    bool CDAvailable = false;
    bool MicAvailable = false;
    bool LineAvailable = false;
    bool AuxAvailable = false;

    // The mixer (Unit2Mixer.cpp). At creation: finds the recording and playback
    // destinations and the five sources in them, saves every line to the settings file,
    // deselects every recording source and mutes every playback source. Main thread.
    void FormCreate();
    void InitMixer();
    void SaveMixer();
    void GetVolIndex();
    void GetRepIndex();
    void MuteAll();
    // Monitor volume: TrackBar1 takes the speakers' master volume; TrackBar1Change writes
    // TrackBar1's position back (the wizard's slider copies its position first).
    void SetVolLevel();
    void TrackBar1Change();
    // Selects one source for recording at its recording level and plays it on the speakers
    // at the same level. Earlier selections stay; a selection inside another is ignored.
    void SelMidi();
    void SelCD();
    void SelMIC();
    void SelLin();
    void SelAUX();
    // Puts back the mixer settings saved at start (the wizard calls it when it closes).
    void RestoreMixer();
    // The card follows the devices the settings name now (FollowDeviceSettings), and the
    // sources a line was added for become available. Main thread; raises what following
    // raises, after the sources are brought up to date.
    void FollowDeviceChoices();
    // The debug view's handlers.
    void ComboBox1Change();
    void ComboBox2Change();
    void TrackBarChange();
    void CheckBoxClick();
    void SettingsChange();

    TAudioMixer amMixer1;
    // The debug view: destinations, lines of the current destination, the line's volume
    // and mute-or-select state, and the speakers' master volume.
    TDebugList ComboBox1;
    TDebugList ComboBox2;
    TDebugSlider TrackBar;
    TDebugCheckBox CheckBox;
    TDebugSlider TrackBar1;

    // Whether a wave file can go to the encoder unchanged: PCM, 2 channels, 16 bits, 44100 Hz.
    bool CheckWave(const std::string& fileName);
    // Writes a 16-bit stereo 44100 Hz PCM copy of a PCM or float wave file of 1 to 8 channels
    // (TPcmStreamConverter: band-limited rate change, downmix, dither); stops after the
    // current chunk on cancel. Raises EMMWaveError "Unsupported wave format: ..." naming
    // what any other file holds, before anything is written. Main thread; lets window
    // messages run after every chunk.
    void ConvertFile(const std::string& source, const std::string& destination);
    // Configures the encoding chain for one file and starts the pump.
    void StartEncoding(const std::string& input, const std::string& output, int bitRateIndex,
                       bool copyright, bool original);
    // Stops a running encoding; the stop handler writes the tag and ends the page's work.
    void StopEncoding();
    // The window is closing: a running encoding stops, and what it wrote so far is removed
    // instead of taking the MP3's name. Main thread.
    void AbandonEncoding();
    // How much of the source wave has been read by the pump, 0..100; nothing while no wave
    // is open.
    std::optional<int> EncodingPercent() const;
    // The name the last finished MP3 took (another program's file at its name may have made
    // it "<stem> (2).mp3"); empty when nothing was kept. Main thread.
    const std::string& PublishedOutput() const { return publishedOutput_; }

    // The components.
    // The MIDI recording as it is made: at the card's fast pace the pump takes the encoder's
    // input from here instead of WaveFile, so encoding runs beside the synthesis.
    TMMPcmFeed LiveFeed{"LiveFeed"};
    TMMWaveFile WaveFile{"WaveFile"};
    TMMTrigger Trigger{"Trigger"};
    TMMMP3Encoder MP3Encoder{"MP3Encoder"};
    TMMWaveFile SrcFile{"SrcFile"};
    TMMWaveFile DstFile{"DstFile"};
    // Records the sound card into the temporary wave file: 44100 Hz, 16 bit, stereo, 10
    // buffers of 2048 bytes, device 0, buffers handled on the main thread.
    TMMWaveRecorder MMWaveRecorder1{"MMWaveRecorder1"};

    // Readies the recorder to record the next play of a player into `file` (anything there
    // is removed first): from the play's first frame to its last, as the synthesiser and CD
    // lines mark them; the recorder then stops by itself after the last. Main thread.
    void ReadyRecorderForPlay(const std::string& file);
    // Refuses, before anything plays, a play of `lengthMs` whose recording into `file` would
    // need more than the free space of its file system, naming both. Main thread.
    void RefuseRecordingBeyondFreeSpace(const std::string& input, std::uint32_t lengthMs, const std::string& file) const;
    // Starts the recorder, then `player`'s play. A play that raises stops the recorder and
    // raises; a play that does not start (the player's LastError: a data track, a disc
    // gone) stops it and returns false, since a recording of silence is no track. Main thread.
    bool StartRecordedPlay(TMediaPlayer& player);

    // The recorder's data event: raises PeakLevel1 (first channel) and PeakLevel2 (second
    // channel; mono: both) to the loudest sample of every frame of the buffer. Main thread.
    void MMWaveRecorder1Data(TMMDSPComponent* sender, TMMWaveHdr* lpWaveHdr);

    // The live-input page's meters before and between takes: the card's wave-in runs
    // without a file and only raises the peaks, as the recorder's data event does. The
    // card's wave-in takes one client, so the watch never runs while the recorder is open
    // (StartLevelWatch then does nothing) and must be stopped before a take starts. A device
    // that cannot be opened leaves the meters still (Record then says why). Main thread.
    void StartLevelWatch();
    void StopLevelWatch();
    bool LevelWatching() const { return LevelIn.IsOpened(); }
    // The watch's wave-in: the recorder's format, no output, buffers on the main thread.
    TMMWaveIn LevelIn{"LevelIn"};

    // Plays the MIDI file of the MIDI flow through the sound card's synthesiser; opened on the
    // file by the flow, closed when this window goes (before the sound card).
    TMediaPlayer MediaPlayer1{"MediaPlayer1"};

    // The end of a MIDI recording, whatever ended the playback: stops Timer1 and the
    // recorder, clears the notify flag and the MIDI-playing flag, and starts the encoding of
    // the recording unless the run was cancelled. Main thread (a posted notification).
    void MediaPlayer1Notify(TMediaPlayer* sender);
    // Stops the recorder, ends the playback state and starts the encoding (unless
    // cancelled). Main thread.
    void EndMidiRecording(bool completed);
    // Whether the last MIDI recording was encoded while it was made (its running encoding
    // was handed over when it ended) rather than from its file afterwards. Main thread.
    bool LastRecordingEncodedWhileMade() const { return lastRecordingEncodedLive_; }

private:
    void TriggerStart(TMMDSPComponent* sender);
    void TriggerStop(TMMDSPComponent* sender);
    // What follows a run of the pump: the tag, the MP3's name, the page's hooks, a message.
    void FinishEncodingRun();
    // Sets the encoder up for `output` as StartEncoding does (jobs: encoders for a long input).
    void PrepareEncoder(const std::string& output, int bitRateIndex, bool copyright, bool original, int jobs,
                        const std::string& source);

    // The encoding of a MIDI recording beside its synthesis (the card's fast pace, where
    // nobody listens): the recorder's buffers go into LiveFeed as they are recorded, the
    // pump starts on them as soon as a buffer's worth waits, and StartEncoding of the
    // finished recording takes the running encoding over instead of reading the file
    // again. Real time keeps the file-then-encode order. Main thread, all of them.
    bool WantsLiveEncoding();
    void BeginLiveFeed();
    void FeedLive(const TMMWaveHdr* lpWaveHdr);
    // Starts the pump on the feed; one that cannot start gives the feed up.
    void StartLiveEncoding();
    // The recording is whole: the running encoding becomes the run StartEncoding asked for.
    void HandOverLiveEncoding();
    // The recording is not encoded after all: the encoding so far goes without a trace.
    void DiscardLiveEncoding();
    // Relinks WaveFile as the pump's source after a run on the feed.
    void EndLiveRun();
    void SetUpRecorder();
    void SetUpMediaPlayer();
    void CloseMediaPlayer();

    void Select(RecordLevel source);
    void MakeDestinationCurrent(int index);
    void MakeLineCurrent(int index);

    WizardState& state_;
    WizardHooks hooks_;
    // What stood at the MP3's name when its encoding started. Main thread only.
    OutputSnapshot outputBefore_;
    bool abandoning_ = false;  // the window is closing; main thread only
    std::string publishedOutput_;  // see PublishedOutput; main thread only

    // Mixer state, main thread only (reset at creation).
    int recordingDest_ = 0;
    bool recordingFound_ = false;
    int playbackDest_ = 0;
    std::array<int, 5> recordingLine_{};  // line-list item of each source, by RecordLevel
    std::array<int, 5> playbackLine_{};
    int currentLevel_ = 0;
    bool updating_ = false;   // the debug view is being filled: the check box does not write
    bool selecting_ = false;  // a source selection runs
    bool debugHooked_ = true; // the debug view's handlers act on the mixer
    // A MIDI play has ended; its recording ends when the recorder reaches the play's last
    // frame (main thread only).
    bool awaitingPlayEnd_ = false;
    bool playCompleted_ = false;

    // The encoding beside the synthesis (main thread only). liveFeeding_: this recording's
    // buffers go into LiveFeed, for the output and settings in liveRun_; liveRunning_: the
    // pump runs on the feed; liveHandedOver_: the recording ended and the run is the
    // page's encoding now; liveStoppedEarly_: the pump stopped (a failed write) before
    // that, and the end of the run waits for the handover.
    struct LiveRun {
        std::string input, output;
        int bitRateIndex = 0;
        bool copyright = false, original = false;
    } liveRun_;
    bool liveFeeding_ = false;
    bool liveRunning_ = false;
    bool liveHandedOver_ = false;
    bool liveStoppedEarly_ = false;
    bool lastRecordingEncodedLive_ = false;  // see LastRecordingEncodedWhileMade
};

// round(position * 100 / size) with ties to even and no overflow; nothing for size <= 0.
std::optional<int> PercentOf(std::int64_t position, std::int64_t size);
