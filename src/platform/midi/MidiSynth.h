#pragma once
// The MIDI synthesiser: FluidSynth with one sound font, playing a Standard MIDI File into
// 44100 Hz 16-bit stereo that its consumer pulls. FluidSynth's player is driven by the
// samples rendered (player.timing-source=sample), so the music runs exactly as fast as the
// consumer asks for frames: in real time behind the sound card's clock, or as fast as a
// recorder takes the data.
//
//   auto synth = MidiSynth::Create(FindSoundFont(""), error);   // null: no usable font
//   synth->LoadFontInBackground([](bool ok, const std::string& why) { ... });  // optional
//   synth->Play({playable, fromTick, fromMs, toMs}, [](bool ok) { ... }, error);
//   synth->Render(frames, 1024);        // the consumer's thread, again and again
//   synth->PositionMs();                // follows the rendered frames
//   synth->Stop();                      // silence at once; the position stays
//
// Creating the synthesiser only checks the font's header; the font itself (with dynamic
// sample loading: its preset and sample tables, an instrument's samples being read when a
// play first selects it) is read by LoadFontInBackground on a worker thread, whose result
// the main thread takes over, or by LoadFont, or by the first Play, which waits for a load
// in progress. So a program that may never play MIDI does not pay for a large font at
// start-up. A font that fails to load keeps failing with the same reason.
//
// Every play renders the same frames for the same song: it gets a fresh FluidSynth
// synthesiser (the font is loaded once and shared) and the output is rounded without
// dither, so nothing left from an earlier play reaches this one. Render says where a play's
// first frame and the frame after its last (release tail included) lie in what it wrote.
//
// A play ends when its last event has played (or its end position is reached) and the
// voices have died away: after the events, every note is released and the synthesiser runs
// on until no voice sounds and the output is silent, for at most MaxTailMs. So the last
// note is never cut. The end handler then runs once, unless Stop or a new Play came first.
//
// Threads: Create, the font loading calls, Play, Stop, SetPosition and the destructor on
// the main thread (LoadFontInBackground needs its event loop to hand the font over); the
// background load reads the font on a loader thread of its own that leaves its result, under
// loadMutex_, for the main thread to take over; Render on the consumer's thread (the sound card's mixing thread, or a test); PositionMs, Playing
// and WaitIdle on any thread. One lock guards the synthesiser and the play state; the end
// handler runs on the rendering thread with that lock held, so it must only hand work on
// (post a message) and never call back into the synthesiser.
#include "platform/card/SoundLine.h"
#include "platform/device/ClaimedPlayerDevice.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The synthesiser's sound, from MERVANE2.INI, section SOUNDCARD_SETUP (the media player reads
// them before every play and hands them over, SetOptions):
//   Reverb    = 1 (the default) | 0: the font's reverb on or off
//   Chorus    = 1 (the default) | 0: the font's chorus on or off
//   SynthGain = -12..12: decibels on FluidSynth's own output gain (default 0)
// Values that are missing or not understood read as the default.
class ProfileFile;

struct SynthOptions {
    bool reverb = true;
    bool chorus = true;
    int gainDb = 0;
    static constexpr int kMinGainDb = -12;
    static constexpr int kMaxGainDb = 12;

    static SynthOptions FromProfile(const ProfileFile& settings);
};

// One device at a time plays through it (ClaimablePlayer: TryClaim, Release).
class MidiSynth : public ClaimablePlayer {
public:
    static constexpr unsigned SampleRate = 44100;
    static constexpr unsigned Channels = 2;
    static constexpr std::uint32_t MaxTailMs = 2000;

    struct Song {
        std::shared_ptr<const std::vector<std::uint8_t>> file;  // a Standard MIDI File
        std::uint64_t fromTick = 0;   // where in the file the play starts
        std::uint32_t fromMs = 0;     // the same place in milliseconds
        std::uint32_t toMs = 0;       // where the events stop
    };
    // Runs on the rendering thread with the lock held: true when the play ended normally,
    // false when the synthesiser failed.
    using EndHandler = std::function<void(bool ok)>;

    enum class FontState { Unloaded, Loading, Loaded, Failed };
    // Runs on the main thread when a load ends: whether the font is ready, and why not.
    using FontHandler = std::function<void(bool ok, const std::string& error)>;

    // Checks the font's header without loading it; null with a reason in `error` when the
    // file is not a SoundFont.
    static std::unique_ptr<MidiSynth> Create(const std::string& soundFont, std::string& error);
    // The synthesiser of this process while one exists (the newest), else null. Main thread.
    static MidiSynth* Current();

    ~MidiSynth();
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;

    const std::string& SoundFont() const { return soundFont_; }
    // The sound of the next play (those running keep theirs). Any thread.
    void SetOptions(const SynthOptions& options);

    // Main thread: how far the font has come, and why it failed.
    FontState Font() const { return fontState_; }
    const std::string& FontError() const { return fontError_; }
    // Loads the font on this thread (waiting for a background load in progress) unless it is
    // loaded; false with the reason (naming the file) when it cannot be loaded.
    bool LoadFont(std::string& error);
    // Starts loading the font on a worker thread; `done` runs on the main thread when the
    // load ends, or at once when it has ended before. Handlers of one load run in order.
    void LoadFontInBackground(FontHandler done);

    // Starts a play, replacing (silencing) one in progress without calling its handler.
    // False with a reason when FluidSynth refuses the song.
    bool Play(const Song& song, EndHandler onEnd, std::string& error);
    // Silences the synthesiser; true when a play was in progress (its handler will not run).
    bool Stop();
    // Moves the position while no play runs (a rewind).
    void SetPosition(std::uint32_t ms);

    bool Playing() const;
    std::uint32_t PositionMs() const;
    // Waits until no play runs or the time is up; true when none runs.
    bool WaitIdle(std::chrono::milliseconds timeout) const;

    // Fills `frames` interleaved stereo frames; silence while no play runs. Returns where a
    // play began or ended among them.
    PlayMarks Render(std::int16_t* out, std::size_t frames);

private:
    struct Fluid;
    enum class State { Idle, Playing, Tail };

    explicit MidiSynth(std::string soundFont);
    // Any thread: FluidSynth with the font loaded, or null with the reason in `error`.
    static std::unique_ptr<Fluid> LoadFluid(const std::string& soundFont, std::string& error);
    // Main thread: takes over the loader's result and runs the waiting handlers.
    void TakeLoadedFont();
    void BeginTail();           // lock held
    void Finish(bool ok);       // lock held
    void Silence();             // lock held
    // Renders n frames into `at` (interleaved stereo), rounded to 16 bits. Lock held.
    bool Write(std::int16_t* at, std::size_t n);

    // Set at creation, then read only.
    std::string soundFont_;

    // Main thread only.
    FontState fontState_ = FontState::Unloaded;
    std::string fontError_;
    std::vector<FontHandler> fontHandlers_;  // waiting for the load in progress
    std::thread loader_;                     // the background load, joined when taken over
    // The loader's posted hand-over holds a weak reference: it does nothing once the
    // synthesiser has gone.
    std::shared_ptr<MidiSynth*> handOver_;

    // Guarded by loadMutex_: the loader's result until the main thread takes it.
    std::mutex loadMutex_;
    std::unique_ptr<Fluid> loaded_;
    std::string loadError_;

    // Guarded by mutex_.
    mutable std::mutex mutex_;
    std::unique_ptr<Fluid> fluid_;  // null until the font is loaded
    SynthOptions options_;
    mutable std::condition_variable idle_;
    State state_ = State::Idle;
    EndHandler onEnd_;
    std::uint32_t fromMs_ = 0, toMs_ = 0, positionMs_ = 0;
    std::uint64_t playFrames_ = 0;     // rendered since the play started
    std::uint64_t endFrames_ = 0;      // frames from the start to the end of the events
    std::uint64_t tailFrames_ = 0;
    bool tailLoud_ = false;  // the tail piece being rendered has sound in it
    std::vector<float> scratch_;       // Write's float frames
};
