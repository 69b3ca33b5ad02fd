#include "platform/cd/CdAudioDevice.h"

#include "platform/cd/CdDisc.h"
#include "platform/cd/CdDriveStatus.h"
#include "platform/cd/CdPlayback.h"
#include "platform/cd/CdioHandle.h"

#include <QCoreApplication>

#include <algorithm>
#include <new>

namespace {
constexpr std::int64_t kLeadInFrames = std::int64_t(kCdLeadInSectors) * kCdSamplesPerSector;

// Milliseconds from the disc's start (lead-in included) of a position in frames from LSN 0,
// rounded to the nearest.
std::int64_t framesToMs(std::int64_t frames)
{
    return ((frames + kLeadInFrames) * 1000 + CdPlayback::SampleRate / 2) / CdPlayback::SampleRate;
}

MediaResult noTrack(std::uint32_t track)
{
    return MediaResult::Fail(mci::ErrOutOfRange, "The CD has no track " + std::to_string(track) + ".");
}
}  // namespace

MediaDeviceKind CdAudioDevice::Kind()
{
    // An audio CD is no file: the device is only ever opened by its type name.
    return {"CDAudio", [](const std::string&) { return false; }, &CdAudioDevice::Open};
}

std::unique_ptr<IMediaDevice> CdAudioDevice::Open(const MediaOpenRequest& request, MediaResult& result)
{
    try {
        std::shared_ptr<CdDisc> disc =
            request.element.empty() ? CdDisc::OpenConfigured("") : CdDisc::Open(request.element);
        // The card's CD line carries the play; without a card the play still runs, unheard.
        std::shared_ptr<CdPlayback> playback = CdPlayback::Current();
        if (!playback)
            playback = std::make_shared<CdPlayback>();
        if (!playback->TryClaim()) {
            result = MediaResult::Fail(mci::ErrDeviceInUse);
            return nullptr;
        }
        try {
            return std::unique_ptr<IMediaDevice>(new CdAudioDevice(std::move(disc), playback));
        } catch (...) {
            playback->Release();
            throw;
        }
    } catch (const ECdError& e) {
        result = MediaResult{mci::ErrHardware, e.what()};
    } catch (const std::bad_alloc&) {
        result = MediaResult::Fail(mci::ErrOutOfMemory);
    }
    return nullptr;
}

CdAudioDevice::CdAudioDevice(std::shared_ptr<CdDisc> disc, std::shared_ptr<CdPlayback> playback)
    : ClaimedPlayerDevice(*playback), disc_(std::move(disc)), playback_(std::move(playback)), drive_(!IsCdImageName(disc_->Device()))
{
    playback_->Stop();
    RewindToFirstTrack();
}

CdAudioDevice::~CdAudioDevice()
{
    Close();
}

std::int32_t CdAudioDevice::FirstTrackSector() const
{
    return disc_->DiscPresent() ? disc_->Tracks().front().firstSector : 0;
}

void CdAudioDevice::RewindToFirstTrack()
{
    playback_->SetPosition(std::int64_t(FirstTrackSector()) * kCdSamplesPerSector);
}

bool CdAudioDevice::ToSector(std::uint32_t value, std::int32_t& sector) const
{
    if (format_ == mci::FormatTmsf) {
        const int track = int(value & 0xFF);
        const int minutes = int(value >> 8 & 0xFF), seconds = int(value >> 16 & 0xFF), frames = int(value >> 24);
        const CdTrack* t = disc_->FindTrack(track);
        if (!t || seconds >= 60 || frames >= kCdSectorsPerSecond)
            return false;
        sector = t->firstSector + (minutes * 60 + seconds) * kCdSectorsPerSecond + frames;
    } else {
        sector = std::int32_t(CdMsToSectors(value) - kCdLeadInSectors);
    }
    return sector >= FirstTrackSector() && sector <= disc_->LeadOutSector();
}

std::uint32_t CdAudioDevice::Mode()
{
    if (playback_->Playing())
        return mci::ModePlaying;
    // A drive is asked every time: its tray may have opened since the table was read.
    if (drive_) {
        switch (QueryCdDrive(disc_->Device())) {
        case CdDriveState::NoDisc:
        case CdDriveState::TrayOpen: return mci::ModeOpen;
        case CdDriveState::NotReady: return mci::ModeNotReady;
        case CdDriveState::DiscReady:
            if (!disc_->DiscPresent()) {
                try {
                    if (disc_->Reload())  // a disc put in after the open
                        RewindToFirstTrack();
                } catch (const ECdError&) {
                    return mci::ModeNotReady;
                }
            }
            break;
        case CdDriveState::Unknown: break;
        }
    }
    return disc_->DiscPresent() ? mci::ModeStopped : mci::ModeOpen;
}

std::uint32_t CdAudioDevice::PositionValue(std::int64_t frames) const
{
    const std::int64_t ms = framesToMs(frames);
    return format_ == mci::FormatTmsf ? disc_->MsToTmsf(ms) : std::uint32_t(ms);
}

std::uint32_t CdAudioDevice::LengthValue(std::int64_t sectors) const
{
    return format_ == mci::FormatTmsf ? CdSectorsToMsf(sectors) : std::uint32_t(CdSectorsToMs(sectors));
}

MediaResult CdAudioDevice::Play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to, Notify notify)
{
    if (!disc_)
        return MediaResult::Fail(mci::ErrInvalidDeviceId);
    if (Mode() == mci::ModeOpen)
        return MediaResult::Fail(mci::ErrHardware,
                                 QCoreApplication::translate("CdAudioDevice", "There is no disc in the CD drive.").toStdString());
    std::int32_t first = 0, end = 0;
    if (from) {
        if (!ToSector(*from, first))
            return MediaResult::Fail(mci::ErrOutOfRange);
    } else {
        first = std::int32_t(playback_->PositionFrames() / kCdSamplesPerSector);
    }
    if (to) {
        if (!ToSector(*to, end))
            return MediaResult::Fail(mci::ErrOutOfRange);
    } else {
        // To the end of the audio that follows the start: a data track ends the play.
        end = first;
        for (const CdTrack& t : disc_->Tracks())
            if (t.firstSector + t.sectorCount > first) {
                if (!t.audio && t.firstSector > first)
                    break;
                end = t.firstSector + t.sectorCount;
            }
    }
    if (first > end || first < FirstTrackSector())
        return MediaResult::Fail(mci::ErrOutOfRange);
    for (const CdTrack& t : disc_->Tracks())
        if (!t.audio && t.firstSector < std::max(end, first + 1) && first < t.firstSector + t.sectorCount)
            return MediaResult::Fail(mci::ErrUnsupportedFunction,
                                     "Track " + std::to_string(t.number) + " is a data track and cannot be played.");

    // The play in progress ends here; its notification says it was replaced.
    BeginPlay(notify, playback_->Play({disc_, first, end}, notify));
    return {};
}

MediaResult CdAudioDevice::SeekToStart()
{
    const MediaResult stopped = Stop();
    if (stopped.error)
        return stopped;
    RewindToFirstTrack();
    return {};
}

MediaResult CdAudioDevice::SetTimeFormat(std::uint32_t format)
{
    if (!disc_)
        return MediaResult::Fail(mci::ErrInvalidDeviceId);
    if (format != mci::FormatMilliseconds && format != mci::FormatTmsf)
        return MediaResult::Fail(mci::ErrBadTimeFormat);
    format_ = format;
    return {};
}

MediaResult CdAudioDevice::Status(std::uint32_t item, std::optional<std::uint32_t> track, std::uint32_t& value)
{
    if (!disc_)
        return MediaResult::Fail(mci::ErrInvalidDeviceId);
    const CdTrack* t = nullptr;
    if (track && (item == mci::StatusLength || item == mci::StatusPosition || item == mci::StatusTrackType)) {
        t = disc_->FindTrack(int(*track));  // past INT_MAX it turns negative: no track either
        if (!t)
            return noTrack(*track);
    }
    switch (item) {
    case mci::StatusLength:
        value = t ? LengthValue(t->sectorCount)
                  : LengthValue(disc_->DiscPresent() ? std::int64_t(disc_->LeadOutSector()) + kCdLeadInSectors : 0);
        return {};
    case mci::StatusPosition:
        if (t)
            value = format_ == mci::FormatTmsf ? t->startTmsf : std::uint32_t(t->startMs);
        else
            value = PositionValue(playback_->PositionFrames());
        return {};
    case mci::StatusNumberOfTracks:
        value = std::uint32_t(disc_->TrackCount());
        return {};
    case mci::StatusFirstTrack:
        value = disc_->DiscPresent() ? std::uint32_t(disc_->Tracks().front().number) : 0;
        return {};
    case mci::StatusTrackType:
        if (!t)
            return MediaResult::Fail(mci::ErrOutOfRange, "Give the track whose type is asked.");
        value = t->audio ? mci::TrackAudio : mci::TrackOther;
        return {};
    case mci::StatusMode:
        value = Mode();
        return {};
    default:
        return MediaResult::Fail(mci::ErrUnsupportedFunction);
    }
}

void CdAudioDevice::Closed()
{
    disc_.reset();
}
