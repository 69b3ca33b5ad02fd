#pragma once
// The CD player: the media device of type "CDAudio" over the drive or disc image the open
// names as its element, or without one over the run's image (SetCdDeviceForRun), by
// default the first drive. It lists the tracks (count, starts and lengths), keeps the
// time format (milliseconds or TMSF), plays between two positions, stops and reports its
// mode: playing while a play runs, stopped otherwise, open when there is no disc or (on a
// drive, asked at each query) the tray is open, not ready while a drive cannot say yet. A
// drive that was empty at the open reads the table of a disc put in later.
//
//   MediaOpenResult opened = OpenMediaDevice({"CDAudio", "", true});
//   if (opened.result.error) show(opened.result.text);   // the drive's or image's own words
//   std::uint32_t n = 0, ms = 0;
//   opened.device->Status(mci::StatusNumberOfTracks, std::nullopt, n);
//   opened.device->Status(mci::StatusLength, 2, ms);       // track 2, current time format
//
// Positions in milliseconds count from the start of the disc including its two-second
// lead-in (track 1 of an ordinary disc starts at 2000 ms). In TMSF a position is the
// track and the time into it; lengths are MSF.
//
// Playing reads the audio digitally (so it works on every drive and on images) and hands
// it to the sound card's CD line, whose pulls pace the play (see CdPlayback.h). A range
// that touches a data track is refused.
//
// Threads: main thread, except that a play's notify function is called on the thread
// that ends the play (the card's, or the CD reader's).
#include "platform/cd/CdPlayback.h"
#include "platform/device/ClaimedPlayerDevice.h"

#include <cstdint>
#include <memory>

class CdDisc;

class CdAudioDevice : public ClaimedPlayerDevice<CdPlayback> {
public:
    static MediaDeviceKind Kind();
    static std::unique_ptr<IMediaDevice> Open(const MediaOpenRequest& request, MediaResult& result);

    ~CdAudioDevice() override;

    MediaResult Play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to, Notify notify) override;
    MediaResult SeekToStart() override;
    MediaResult SetTimeFormat(std::uint32_t format) override;
    MediaResult Status(std::uint32_t item, std::optional<std::uint32_t> track, std::uint32_t& value) override;

private:
    CdAudioDevice(std::shared_ptr<CdDisc> disc, std::shared_ptr<CdPlayback> playback);

    // A position given in the current time format, as a sector; false when it names no
    // place on the disc.
    bool ToSector(std::uint32_t value, std::int32_t& sector) const;
    // A position (sector) or a length (sectors) in the current time format.
    std::uint32_t PositionValue(std::int64_t frames) const;
    std::uint32_t LengthValue(std::int64_t sectors) const;
    std::int32_t FirstTrackSector() const;
    // Puts the position (while no play runs) at the start of the first track.
    void RewindToFirstTrack();
    // Playing, stopped, open (no disc, tray open) or, for a drive, not ready.
    std::uint32_t Mode();
    void Closed() override;

    // Main thread only.
    std::shared_ptr<CdDisc> disc_;          // null once closed
    std::shared_ptr<CdPlayback> playback_;  // claimed while open; kept alive as long as the device
    bool drive_;  // a drive, not a disc image
    std::uint32_t format_ = mci::FormatMilliseconds;
};
