#pragma once
// The program's own sound card. Linux desktops no longer offer a hardware mixer with a
// synthesiser and a CD line, so the card is software: source lines (synthesiser, CD,
// microphone, line, aux) are mixed into two destinations, the speakers (the monitor,
// played on an ALSA device) and wave-in (what a recorder records), behind the mixer
// service and the wave-in device table that the recorder and the mixer model use.
//
//   SoundCard card(SoundCardSettings::FromProfile(ProfileFile::Settings()));
//   IMixerService& mixer = card.Mixer();        // one device, id 0
//   IWaveInDevices& waveIn = card.WaveIn();     // one device, id 0
//   SoundCard::Current() == &card;              // while it lives
//
// Lines: each source is one SoundLine subclass and one RegisterSoundLine call (see
// SoundLine.h). The card asks every registered factory at construction; a factory that
// returns null (no font, no drive, a capture device that cannot be opened) leaves its line
// out of the mixer until FollowDevices finds it usable.
//
// Clock: by default the card hands out audio at the wall clock's pace, never faster, even
// when a capture device delivers as fast as it is read. With Clock=fast, while every line
// selected for recording is a software line, the card mixes as fast as the recorder
// queues buffers (and the monitor stays silent).
//
// Threads: construction, destruction and every mixer and wave-in call run on the main
// thread; the card mixes on a thread of its own (see SoundLine.h).
#include "platform/card/CardWaveIn.h"
#include "platform/card/MixerService.h"
#include "platform/card/WaveInDevices.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ProfileFile;

// MERVANE2.INI, section SOUNDCARD_SETUP.
struct SoundCardSettings {
    std::string micDevice = "default";  // MicDevice: ALSA capture device
    std::string lineDevice;             // LineDevice: empty = no line input
    std::string auxDevice;              // AuxDevice: empty = no aux input
    std::string monitorDevice = "default";  // MonitorDevice: ALSA playback device
    std::string cdDevice;               // CdDevice: drive or disc image; empty = first drive
    std::string soundFont;              // SoundFont: empty = the system's General MIDI font
    bool fastClock = false;             // Clock=fast
    std::string settingsFile;           // the file these were read from, named in advice

    static SoundCardSettings FromProfile(const ProfileFile& profile);
};

// The capture device the settings name for a microphone, line or aux line; null for
// the other lines.
std::optional<std::string> CaptureDeviceOf(const SoundCardSettings& settings, std::uint32_t componentType);

class SoundCard {
public:
    explicit SoundCard(SoundCardSettings settings);
    ~SoundCard();
    SoundCard(const SoundCard&) = delete;
    SoundCard& operator=(const SoundCard&) = delete;

    // The card of this process while one exists, else null. Main thread.
    static SoundCard* Current();

    const SoundCardSettings& Settings() const;
    // Recordings of software lines run as fast as they are taken (no monitoring) instead of
    // in real time; starts as Clock=fast says. Main thread; a running recording follows at
    // once.
    void SetFastClock(bool fast);
    bool FastClock() const;
    // At the fast pace the card renders no further period while `hold` returns true (the
    // one who takes the recording further has fallen behind), so the lines it renders do
    // not take the processor from it; empty: never held. Main thread; `hold` is called on
    // the card thread and must stay callable until it is replaced.
    void SetFastPaceHold(std::function<bool()> hold);
    IMixerService& Mixer();
    IWaveInDevices& WaveIn();

    // Installs the converter that turns the card's own format (44100 Hz, 16-bit, stereo)
    // into any other PCM format a recorder opens wave-in with; without one, only the
    // card's own format can be recorded. Process-wide, for every card; any thread.
    static void SetPcmConverter(PcmConverter converter);

    // The card follows the devices `now` names, as the Preferences window may have changed
    // them since it was made: a microphone, line or aux line whose capture device changed,
    // and the synthesiser line whose sound font changed, is made anew and takes the old
    // one's place at the card's next period, with its volumes and selection kept (a
    // synthesiser a player holds keeps its font until the player lets go); an input the
    // card was made without gets its line now, added to the mixer after the others; the
    // speakers play on the monitor device named now. Raises EMervaneError naming the device
    // (or font) that cannot be used, once per setting tried; the line then stays as it was.
    // Main thread.
    void FollowDevices(const SoundCardSettings& now);
    // Whether the card has a line of this type now (FollowDevices may add one). Main thread.
    bool HasLine(std::uint32_t componentType) const;
    // The device each line was last opened on ("" for lines that are no capture line).
    std::string CaptureDevice(std::uint32_t componentType) const;

    // Plays `samples` (the card's own format: 44100 Hz, 16-bit, interleaved stereo) on the
    // speakers once, at the speakers' master volume, in place of the lines they monitor (the
    // user listens to the clip, not to the inputs); a clip playing before stops. A clip plays
    // at the wall clock's pace: during a recording at the fast pace it waits for that to end.
    // When the card has no speakers' device open, it is opened again now. Raises
    // EMervaneError naming the device and the reason when it cannot be opened. `ended` runs
    // on the card thread once the last frame has gone to the device (or the device went
    // away); a clip stopped just as it ended may still tell its end. Returns the clip's
    // number. Main thread.
    std::uint64_t PlayOnSpeakers(std::vector<std::int16_t> samples, std::function<void()> ended);
    // Stops clip `clip` if it still plays; when this returns, no more of it is written.
    // Main thread.
    void StopOnSpeakers(std::uint64_t clip);

    // Capture overruns recovered so far, over all lines. Any thread.
    std::uint64_t Overruns() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
