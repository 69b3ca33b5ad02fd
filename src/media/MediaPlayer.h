#pragma once
// TMediaPlayer: the media player control, never shown, that drives one media device (the
// sequencer for MIDI files, the CD player for audio CDs) through the commands of the Media
// Control Interface: open, close, play between two positions, stop, the status queries and
// the time format. Completion of a command sent with notification arrives as a posted
// message (MM_MCINOTIFY), which sets NotifyResult and fires OnNotify on the main thread.
//
//   TMediaPlayer player("MediaPlayer1");
//   player.OnNotify = [](TMediaPlayer* p) { if (p->NotifyResult() == nvSuccessful) ... };
//   player.SetFileName("/home/me/song.mid");
//   player.Open();                      // dtAutoSelect: a MIDI file opens the sequencer
//   player.SetNotifyNext(true);
//   player.Play();                      // notify unless told otherwise, no wait
//   player.CurrentPosition();  player.TotalLength();  player.DeviceMode();
//   player.Stop();                      // the play's notification: aborted
//
// One-shot items (NotifyNext, WaitNext, PlayFrom, PlayTo) are consumed by the next command
// that uses them. Open raises EMCIDeviceError with the device's text on failure; Play,
// Stop, TrackCount, TrackLength and TotalLength on a closed player raise "No MCI device
// open"; other failures are kept as LastError (ErrorMessage gives the text).
//
// Threads: main thread only. Notifications come from the device's rendering thread as
// posted messages, so OnNotify runs from the event loop (also inside ProcessMessages).
#include "platform/Errors.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class IMediaDevice;
class MessageTarget;

class EMCIDeviceError : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};

enum TMPDeviceTypes {
    dtAutoSelect, dtAVIVideo, dtCDAudio, dtDAT, dtDigitalVideo, dtMMMovie, dtOther,
    dtOverlay, dtScanner, dtSequencer, dtVCR, dtVideodisc, dtWaveAudio
};
enum TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };
enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

class TMediaPlayer {
public:
    static constexpr unsigned MM_MCINOTIFY = 0x3B9;
    // Completion codes carried by MM_MCINOTIFY.
    static constexpr int MCI_NOTIFY_SUCCESSFUL = 1;
    static constexpr int MCI_NOTIFY_SUPERSEDED = 2;
    static constexpr int MCI_NOTIFY_ABORTED = 4;
    static constexpr int MCI_NOTIFY_FAILURE = 8;

    explicit TMediaPlayer(std::string name = "MediaPlayer1");
    ~TMediaPlayer();
    TMediaPlayer(const TMediaPlayer&) = delete;
    TMediaPlayer& operator=(const TMediaPlayer&) = delete;

    const std::string& Name() const { return name_; }

    // Published properties.
    TMPDeviceTypes DeviceType() const { return deviceType_; }
    void SetDeviceType(TMPDeviceTypes value) { deviceType_ = value; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string value) { fileName_ = std::move(value); }
    bool Shareable() const { return shareable_; }
    void SetShareable(bool value) { shareable_ = value; }
    bool AutoRewind() const { return autoRewind_; }
    void SetAutoRewind(bool value) { autoRewind_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }  // the button row is never drawn
    std::function<void(TMediaPlayer* sender)> OnNotify;

    // One-shot items.
    void SetNotifyNext(bool value) { notifyNext_ = value; }
    void SetWaitNext(bool value) { waitNext_ = value; }
    void SetPlayFrom(std::uint32_t value) { playFrom_ = value; }
    void SetPlayTo(std::uint32_t value) { playTo_ = value; }

    // Run-time state.
    std::uint16_t DeviceID() const { return deviceId_; }
    bool Opened() const { return device_ != nullptr; }
    std::uint32_t LastError() const { return lastError_; }
    // The text of the last error: the device's own, "Unknown error code" when it has none.
    std::string ErrorMessage() const;
    TMPNotifyValues NotifyResult() const { return notifyResult_; }

    // Operations.
    void Open();
    void Close();
    void Play();
    void Stop();
    std::uint32_t TimeFormat() const { return timeFormat_; }
    void SetTimeFormat(std::uint32_t format);
    std::uint32_t TrackCount();
    std::uint32_t TrackLength(std::uint32_t track);
    std::uint32_t TrackStart(std::uint32_t track);
    // CD audio: the disc's first track number (tracks run from it for TrackCount tracks)
    // and whether a track holds audio.
    std::uint32_t FirstTrack();
    bool TrackIsAudio(std::uint32_t track);
    std::uint32_t TotalLength();
    std::uint32_t CurrentPosition();
    TMPModes DeviceMode();

    // The type name sent with the open command for each device type (empty for dtAutoSelect).
    static const char* DeviceTypeName(TMPDeviceTypes type);

private:
    // Open, Close and Stop: wait unless told otherwise, notify only when asked.
    bool TakeNotify(bool byDefault);
    bool TakeWait(bool byDefault);
    void Keep(std::uint32_t error, std::string text);
    void RequireOpen() const;
    void PostNotify(int code);
    void HandleMessage(unsigned message, std::intptr_t wParam);
    std::uint32_t Query(std::uint32_t item, std::optional<std::uint32_t> track);

    // Main thread only.
    std::string name_;
    TMPDeviceTypes deviceType_ = dtAutoSelect;
    std::string fileName_;
    bool shareable_ = false;
    bool autoRewind_ = true;
    bool visible_ = true;
    std::optional<bool> notifyNext_, waitNext_;
    std::optional<std::uint32_t> playFrom_, playTo_;
    std::unique_ptr<IMediaDevice> device_;
    std::uint16_t deviceId_ = 0;
    std::uint32_t lastError_ = 0;
    std::string lastErrorText_;
    std::uint32_t timeFormat_ = 0;
    TMPNotifyValues notifyResult_ = nvSuccessful;
    std::unique_ptr<MessageTarget> target_;  // receives MM_MCINOTIFY
};
