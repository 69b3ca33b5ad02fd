#pragma once
// Media devices: what the media player drives in place of the Media Control Interface.
// A device is opened by type name ("Sequencer", "CDAudio") or, with no type, by the
// file it is to play (a MIDI file opens the sequencer). Each command returns a result: 0,
// or an error code whose text says what failed. A play may ask to be told when it ends;
// the device then calls its notify function exactly once: successful at the end, aborted
// when stopped or closed, superseded when another play replaces it, failure when the
// device broke down.
//
//   MediaOpenResult opened = OpenMediaDevice({"", "/home/me/song.mid", false});
//   if (opened.result.error) show(opened.result.text);
//   opened.device->Play(std::nullopt, std::nullopt, [](MediaNotify n) { post(n); });
//   std::uint32_t ms = 0;
//   opened.device->Status(mci::StatusPosition, std::nullopt, ms);
//
// Threads: opening, every command and closing run on the main thread. A play's notify
// function may be called on another thread (the one that renders the sound): it must only
// post the news on.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace mci {
// Status items.
constexpr std::uint32_t StatusLength = 1;
constexpr std::uint32_t StatusPosition = 2;
constexpr std::uint32_t StatusNumberOfTracks = 3;
constexpr std::uint32_t StatusMode = 4;
// CD audio: the number of the disc's first track (a disc may start past track 1), and the
// type of a track (TrackAudio or TrackOther).
constexpr std::uint32_t StatusFirstTrack = 5;
constexpr std::uint32_t StatusTrackType = 0x4001;
constexpr std::uint32_t TrackAudio = 1088;
constexpr std::uint32_t TrackOther = 1089;

// Modes a device reports for StatusMode.
constexpr std::uint32_t ModeNotReady = 524;
constexpr std::uint32_t ModeStopped = 525;
constexpr std::uint32_t ModePlaying = 526;
constexpr std::uint32_t ModeRecording = 527;
constexpr std::uint32_t ModeSeeking = 528;
constexpr std::uint32_t ModePaused = 529;
constexpr std::uint32_t ModeOpen = 530;

// Time formats.
constexpr std::uint32_t FormatMilliseconds = 0;
constexpr std::uint32_t FormatTmsf = 10;

// Error codes (0 is success).
constexpr std::uint32_t ErrInvalidDeviceId = 257;
constexpr std::uint32_t ErrUnrecognizedCommand = 261;
constexpr std::uint32_t ErrHardware = 262;
constexpr std::uint32_t ErrInvalidDeviceName = 263;
constexpr std::uint32_t ErrOutOfMemory = 264;
constexpr std::uint32_t ErrDeviceInUse = 265;
constexpr std::uint32_t ErrUnsupportedFunction = 274;
constexpr std::uint32_t ErrFileNotFound = 275;
constexpr std::uint32_t ErrOutOfRange = 282;
constexpr std::uint32_t ErrDeviceTypeRequired = 287;
constexpr std::uint32_t ErrBadTimeFormat = 293;
constexpr std::uint32_t ErrInvalidFile = 296;
constexpr std::uint32_t ErrNoSynthesiser = 343;
}  // namespace mci

// The text of an error code; nothing for a code no device uses.
std::optional<std::string> MediaErrorText(std::uint32_t code);

struct MediaResult {
    std::uint32_t error = 0;
    std::string text;  // what went wrong, in full; empty on success

    // A failure with the code's own text, followed by the detail when there is one.
    static MediaResult Fail(std::uint32_t code, const std::string& detail = {});
};

enum class MediaNotify : int { Successful = 1, Superseded = 2, Aborted = 4, Failure = 8 };

class IMediaDevice {
public:
    using Notify = std::function<void(MediaNotify)>;

    virtual ~IMediaDevice() = default;

    // Plays from `from` (default: the current position) to `to` (default: the end), in the
    // current time format. With a notify function the end of this play is reported.
    virtual MediaResult Play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to, Notify notify) = 0;
    virtual MediaResult Stop() = 0;
    virtual MediaResult SeekToStart() = 0;
    virtual MediaResult SetTimeFormat(std::uint32_t format) = 0;
    // A status item, for the whole medium or for one track.
    virtual MediaResult Status(std::uint32_t item, std::optional<std::uint32_t> track, std::uint32_t& value) = 0;
    // Waits up to `slice` for the play in progress to end; true when none is playing.
    virtual bool WaitPlayEnd(std::chrono::milliseconds slice) = 0;
    // Stops a play (aborted) and lets the device go; the object may then only be destroyed.
    virtual MediaResult Close() = 0;
};

struct MediaOpenRequest {
    std::string deviceType;  // empty: chosen by the element
    std::string element;     // the file to play; may be empty for devices without files
    bool shareable = false;
};

struct MediaOpenResult {
    std::unique_ptr<IMediaDevice> device;  // null on failure
    std::uint16_t id = 0;                  // never 0 for an open device
    MediaResult result;
};

// One kind of device: its type name, whether it plays a given file, and how it opens.
struct MediaDeviceKind {
    std::string typeName;
    std::function<bool(const std::string& element)> playsElement;
    std::function<std::unique_ptr<IMediaDevice>(const MediaOpenRequest&, MediaResult&)> open;
};

// A registration lasts as long as this object. Registered kinds are tried before the
// standard ones (the sequencer, the CD player), so a test can stand in for a device.
class MediaDeviceRegistration {
public:
    explicit MediaDeviceRegistration(MediaDeviceKind kind);
    ~MediaDeviceRegistration();
    MediaDeviceRegistration(const MediaDeviceRegistration&) = delete;
    MediaDeviceRegistration& operator=(const MediaDeviceRegistration&) = delete;

private:
    std::uint64_t id_;
};

// Adds a kind for the life of the process, tried after every registration, in the order
// added; a second kind of the same type name is ignored. The devices themselves live in
// services above this seam, so whoever opens devices (the media player) adds them.
// Main thread only, as registrations are.
void AddStandardMediaDevice(MediaDeviceKind kind);

MediaOpenResult OpenMediaDevice(const MediaOpenRequest& request);
