#pragma once
// A source line of the software sound card (synthesiser, CD, microphone, line, aux): one
// SoundLine subclass that produces samples, and one RegisterSoundLine call that tells the
// card how to make it.
//
//   class SynthLine : public SoundLine {
//       bool IsSoftware() const override { return true; }
//       LineStatus Read(std::span<std::int16_t> frames) override { /* render */ return LineStatus::Ok; }
//   };
//   SoundLineRegistration reg = RegisterSoundLine(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER,
//       [](const SoundCardSettings& s) -> std::unique_ptr<SoundLine> {
//           return FontUsable(s.soundFont) ? std::make_unique<SynthLine>(s) : nullptr;
//       });
//   SoundCard card(settings);   // asks the factories once, here
//
// How a line produces samples: the card pulls. While the line is needed (selected for
// wave-in while a recording runs, or unmuted on the speakers while the monitor plays) the
// card calls Start once, then Read for every period of the mix, then Stop when it is no
// longer needed. Read fills the whole span with interleaved stereo 16-bit frames at
// 44100 Hz (the card's own format). A software line computes its samples and returns at
// once; the card then paces it by the wall clock (or, with Clock=fast, by the recorder's
// demand). A capture line may block in Read until the hardware has the frames: the
// hardware then paces the card. A line whose source has gone for good (a device
// unplugged) returns LineStatus::Lost; the card stops asking it and the mix carries
// silence in its place.
//
// Registration: the newest registration of a component type is asked first; a factory
// returning null (no sound font, no drive, a capture device that cannot be opened) lets
// the next older one try; a type whose factories all return null has no line. The card
// asks at its construction, and again when it follows changed settings (FollowDevices), so
// a registration must exist at those moments.
// The microphone, line and aux capture lines are registered by the platform itself.
//
// Plays: a software line that plays something with a beginning and an end (a MIDI song, a
// CD track) says, after each Read, where in those frames its play began and where it
// ended (PlayMarks). The card carries the marks with the frames to wave-in, so a recorder
// that records a play gets exactly the frames the line made for it, from the first to the
// last, however late the messages about the play arrive.
//
// Threads: Start, Read, Stop and Marks run on the card's thread; construction (by the factory)
// and destruction run on the main thread while the card thread does not use the line.
// RegisterSoundLine and the registration's destruction run on the main thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct SoundCardSettings;

enum class LineStatus { Ok, Lost };

// Where a play (a song, a CD track) begins or ends inside the frames of one Read.
struct PlayMarks {
    std::optional<std::size_t> start;  // the play's first frame
    std::optional<std::size_t> end;    // the frame just past the play's last one
};

class SoundLine {
public:
    virtual ~SoundLine() = default;

    // True when the line computes its samples (no device paces it), so Clock=fast may run
    // it as fast as the recorder takes data.
    virtual bool IsSoftware() const = 0;
    // Card thread: the card is about to read / has stopped reading.
    virtual void Start() {}
    virtual void Stop() {}
    // Card thread: fill `frames` (interleaved stereo, frames.size() / 2 frames) completely.
    virtual LineStatus Read(std::span<std::int16_t> frames) = 0;
    // Any thread: a Read in progress (or the next) returns at once; the card is closing.
    virtual void Interrupt() {}
    // Card thread, right after Read: where a play began or ended in the frames just read.
    virtual PlayMarks Marks() const { return {}; }
    // Any thread: capture overruns recovered so far (0 for lines that cannot overrun).
    virtual std::uint64_t Overruns() const { return 0; }
    // Card thread, after Read returned Lost: the device and why it was lost, for the user.
    virtual std::string LossReason() const { return {}; }
    // Main thread: a player holds the line now (a device is open on it), so the card does
    // not make it anew for a changed setting until the player lets go.
    virtual bool InUse() const { return false; }
};

using SoundLineFactory = std::function<std::unique_ptr<SoundLine>(const SoundCardSettings& settings)>;

// Keeps a factory registered while it lives. Movable, main thread only.
class SoundLineRegistration {
public:
    SoundLineRegistration() = default;
    explicit SoundLineRegistration(std::uint64_t id) : id_(id) {}
    ~SoundLineRegistration();
    SoundLineRegistration(SoundLineRegistration&& other) noexcept : id_(other.id_) { other.id_ = 0; }
    SoundLineRegistration& operator=(SoundLineRegistration&& other) noexcept;
    SoundLineRegistration(const SoundLineRegistration&) = delete;
    SoundLineRegistration& operator=(const SoundLineRegistration&) = delete;

private:
    std::uint64_t id_ = 0;
};

[[nodiscard]] SoundLineRegistration RegisterSoundLine(std::uint32_t componentType, SoundLineFactory factory);

// One line the card made: its component type and the line itself.
struct MadeSoundLine {
    std::uint32_t componentType = 0;
    std::unique_ptr<SoundLine> line;
};

// Asks the registered factories (newest first per type) and returns the lines that exist,
// in the card's connection order: synthesiser, CD, microphone, line, aux, then any other
// type in ascending order. Main thread.
std::vector<MadeSoundLine> MakeSoundLines(const SoundCardSettings& settings);

// Asks the factories of one type (newest first) for a line, as MakeSoundLines does; null
// when none makes one, `why` then holding what they told (and WhyNoLine too). Main thread.
std::unique_ptr<SoundLine> MakeSoundLine(std::uint32_t componentType, const SoundCardSettings& settings,
                                         std::string* why = nullptr);

// For a factory that returns null for a reason the user can put right: says why ("The
// sound font ... cannot be used: ..."), and the SOUNDCARD_SETUP key that sets the line up
// (its advice is added: "Set SoundFont in the section SOUNDCARD_SETUP of <settings
// file>."). Main thread, from a factory only.
void TellWhyNoLine(std::string reason, std::string key = {});
// Why the last MakeSoundLines made no line of this type: what its factories told, with the
// key's advice, or empty (a line there is, or nothing was told). Main thread.
std::string WhyNoLine(std::uint32_t componentType);
// The same reason without the advice, for a window that offers its own way to set it up.
std::string WhyNoLineReason(std::uint32_t componentType);

// What the last cards found gone among the audio server's sources they were set to record
// (a text naming each), each handed out once per run: the wizard tells them, the input's
// tile keeps the reason. Main thread.
std::vector<std::string> TakeGoneSourceReports();

// Names a SOUNDCARD_SETUP key and the settings file it is set in, for TellWhyNoLine.
std::string SetKeyAdvice(const std::string& key, const std::string& settingsFile);

// The names the mixer shows for a source line of this type.
std::string SoundLineName(std::uint32_t componentType);
std::string SoundLineShortName(std::uint32_t componentType);
