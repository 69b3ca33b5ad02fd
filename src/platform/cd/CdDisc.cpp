#include "platform/cd/CdDisc.h"

#include "platform/cd/CdImage.h"
#include "platform/cd/CdioHandle.h"
#include "platform/os/ProfileFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <mutex>

// A drive goes through libcdio; a disc image is read by the checked reader installed
// above the seam, which also knows what libcdio gets wrong (a toc's big-endian audio, a FILE per track, sheets
// that start past track 1).
struct CdDisc::Handle {
    std::mutex lock;  // guards cd, image and the table while ReadAudio runs on another thread
    CdioPtr cd;
    std::unique_ptr<CdImageSource> image;

    void Open(const std::string& device)
    {
        if (IsCdImageName(device)) {
            image = OpenCdImage(device);
            cd.reset();
            return;
        }
        std::string error;
        CdioPtr fresh = OpenCdio(device, error);
        if (!fresh)
            throw ECdError(error);
        cd = std::move(fresh);
        image.reset();
    }
};

CdDisc::CdDisc(std::string device) : device_(std::move(device)), handle_(std::make_unique<Handle>()) {}

CdDisc::~CdDisc() = default;

std::unique_ptr<CdDisc> CdDisc::Open(const std::string& device)
{
    std::unique_ptr<CdDisc> disc(new CdDisc(device));
    std::lock_guard lock(disc->handle_->lock);
    disc->handle_->Open(device);
    disc->readTable();
    return disc;
}

std::unique_ptr<CdDisc> CdDisc::OpenConfigured(const std::string& setting)
{
    return Open(ConfiguredCdDevice(setting));
}

std::string CdDeviceSetting(const ProfileFile& settings)
{
    return settings.ReadString("SOUNDCARD_SETUP", "CdDevice", "");
}

const std::string& CdDisc::Device() const
{
    return device_;
}

void CdDisc::readTable()
{
    tracks_.clear();
    leadOut_ = 0;
    hidden_ = 0;
    if (handle_->image) {
        const CdImageSource& image = *handle_->image;
        for (const SheetTrack& in : image.Tracks()) {
            CdTrack t;
            t.number = in.number;
            t.audio = in.audio;
            t.firstSector = in.firstSector;
            t.sectorCount = in.sectorCount;
            t.pregapSectors = in.pregapSectors;
            t.startMs = CdSectorsToMs(std::int64_t(in.firstSector) + kCdLeadInSectors);
            t.lengthMs = CdSectorsToMs(in.sectorCount);
            t.startTmsf = MakeTmsf(in.number, 0, 0, 0);
            t.lengthMsf = CdSectorsToMsf(in.sectorCount);
            tracks_.push_back(t);
        }
        leadOut_ = image.LeadOut();
        if (!tracks_.empty() && tracks_.front().audio)
            hidden_ = image.HiddenSectors();
        return;
    }
    CdIo_t* cd = handle_->cd.get();
    const track_t first = cdio_get_first_track_num(cd);
    const track_t count = cdio_get_num_tracks(cd);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0)
        return;  // no disc, or a disc without a table
    const lsn_t leadOut = cdio_get_track_lsn(cd, CDIO_CDROM_LEADOUT_TRACK);
    if (leadOut == CDIO_INVALID_LSN)
        return;
    std::vector<CdTrack> tracks;
    for (int n = first; n < first + count; ++n) {
        CdTrack t;
        t.number = n;
        t.audio = cdio_get_track_format(cd, track_t(n)) == TRACK_FORMAT_AUDIO;
        const lsn_t start = cdio_get_track_lsn(cd, track_t(n));
        const lsn_t next = n + 1 < first + count ? cdio_get_track_lsn(cd, track_t(n + 1)) : leadOut;
        if (start == CDIO_INVALID_LSN || next == CDIO_INVALID_LSN || next < start)
            return;  // a table that contradicts itself counts as no disc
        t.firstSector = start;
        t.sectorCount = next - start;
        // Drives that cannot tell the pregap answer with an invalid sector: no pregap then.
        // One that reaches back before the previous track's start is not believed either.
        const lsn_t pregap = cdio_get_track_pregap_lsn(cd, track_t(n));
        const lsn_t earliest = tracks.empty() ? -kCdLeadInSectors : tracks.back().firstSector + 1;
        if (pregap != CDIO_INVALID_LSN && pregap < start && pregap >= earliest)
            t.pregapSectors = start - pregap;
        t.startMs = CdSectorsToMs(std::int64_t(start) + kCdLeadInSectors);
        t.lengthMs = CdSectorsToMs(t.sectorCount);
        t.startTmsf = MakeTmsf(n, 0, 0, 0);
        t.lengthMsf = CdSectorsToMsf(t.sectorCount);
        tracks.push_back(t);
    }
    tracks_ = std::move(tracks);
    leadOut_ = leadOut;
    if (!tracks_.empty() && tracks_.front().audio && tracks_.front().firstSector > 0)
        hidden_ = tracks_.front().firstSector;
}

const CdTrack& CdDisc::Track(int number) const
{
    if (const CdTrack* t = FindTrack(number))
        return *t;
    throw ECdError(QCoreApplication::translate("CdDisc", "The CD has no track %1").arg(number).toStdString());
}

const CdTrack* CdDisc::FindTrack(int number) const
{
    for (const CdTrack& t : tracks_)
        if (t.number == number)
            return &t;
    return nullptr;
}

int CdDisc::TrackAt(std::int32_t sector) const
{
    for (const CdTrack& t : tracks_)
        if (sector >= t.firstSector && sector < t.firstSector + t.sectorCount)
            return t.number;
    return 0;
}

std::uint32_t CdDisc::MsToTmsf(std::int64_t ms) const
{
    const std::int32_t sector = std::int32_t(CdMsToSectors(ms) - kCdLeadInSectors);
    const int n = TrackAt(sector);
    if (n == 0)
        return tracks_.empty() ? 0 : MakeTmsf(tracks_.front().number, 0, 0, 0);
    const std::uint32_t msf = CdSectorsToMsf(sector - Track(n).firstSector);
    return MakeTmsf(n, int(msf & 0xFF), int(msf >> 8 & 0xFF), int(msf >> 16 & 0xFF));
}

CdText CdDisc::ReadCdText()
{
    std::lock_guard lock(handle_->lock);
    if (handle_->image)
        return handle_->image->Text();
    CdText text;
    // libcdio gives the drive's CD-Text in UTF-8; a disc without any gives null.
    const cdtext_t* raw = handle_->cd ? cdio_get_cdtext(handle_->cd.get()) : nullptr;
    if (!raw)
        return text;
    const auto field = [raw](cdtext_field_t f, int track) {
        const char* value = cdtext_get_const(raw, f, track_t(track));
        return value ? std::string(value) : std::string();
    };
    text.disc = {field(CDTEXT_FIELD_TITLE, 0), field(CDTEXT_FIELD_PERFORMER, 0), field(CDTEXT_FIELD_SONGWRITER, 0), ""};
    text.genre = field(CDTEXT_FIELD_GENRE, 0);
    text.catalog = field(CDTEXT_FIELD_UPC_EAN, 0);
    for (const CdTrack& t : tracks_) {
        CdTextEntry entry{field(CDTEXT_FIELD_TITLE, t.number), field(CDTEXT_FIELD_PERFORMER, t.number),
                          field(CDTEXT_FIELD_SONGWRITER, t.number), field(CDTEXT_FIELD_ISRC, t.number)};
        if (!entry.title.empty() || !entry.performer.empty() || !entry.songwriter.empty() || !entry.isrc.empty())
            text.tracks[t.number] = entry;
    }
    return text;
}

bool CdDisc::Reload()
{
    // libcdio keeps a table per handle and an image may have changed: both are read anew.
    std::lock_guard lock(handle_->lock);
    handle_->Open(device_);
    readTable();
    return DiscPresent();
}

void CdDisc::ReadAudio(std::int32_t firstSector, std::int32_t count, std::int16_t* samples)
{
    if (count <= 0)
        return;
    std::lock_guard lock(handle_->lock);
    const std::int32_t hiddenFrom = tracks_.empty() ? 0 : tracks_.front().firstSector - hidden_;
    for (std::int32_t s : {firstSector, firstSector + count - 1}) {
        if (hidden_ > 0 && s >= hiddenFrom && s < tracks_.front().firstSector)
            continue;  // the audio before track 1
        const int n = TrackAt(s);
        if (n == 0)
            throw ECdError(QCoreApplication::translate("CdDisc", "Sector %1 lies outside the tracks of the CD").arg(s).toStdString());
        if (!Track(n).audio)
            throw ECdError(QCoreApplication::translate("CdDisc", "Track %1 is a data track and holds no audio").arg(n).toStdString());
    }
    for (const CdTrack& t : tracks_)
        if (!t.audio && t.firstSector < firstSector + count && firstSector < t.firstSector + t.sectorCount)
            throw ECdError(QCoreApplication::translate("CdDisc", "Track %1 is a data track and holds no audio").arg(t.number).toStdString());

    auto* bytes = reinterpret_cast<std::uint8_t*>(samples);
    if (handle_->image)
        handle_->image->Read(firstSector, count, bytes);
    else if (cdio_read_audio_sectors(handle_->cd.get(), bytes, firstSector, std::uint32_t(count)) != DRIVER_OP_SUCCESS)
        throw ECdError(QCoreApplication::translate("CdDisc", "The CD could not be read at sector %1").arg(firstSector).toStdString());
    // Audio sectors hold little-endian samples; turn them into host order in place.
    const std::size_t n = std::size_t(count) * kCdSamplesPerSector * 2;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint16_t v = std::uint16_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
        std::memcpy(samples + i, &v, sizeof v);
    }
}

std::int32_t CdDisc::HiddenTrackSectors(const std::atomic<bool>* cancel)
{
    // Two seconds of pregap are every disc's; only audio beyond them is a track of its own.
    if (hidden_ <= 2 * kCdSectorsPerSecond)
        return 0;
    const std::int32_t from = tracks_.front().firstSector - hidden_;
    constexpr std::int32_t kChunk = 75;
    std::vector<std::int16_t> samples(std::size_t(kChunk) * kCdSamplesPerSector * 2);
    for (std::int32_t at = 0; at < hidden_; at += kChunk) {
        if (cancel && cancel->load())
            return 0;
        const std::int32_t n = std::min(kChunk, hidden_ - at);
        ReadAudio(from + at, n, samples.data());
        const auto end = samples.begin() + std::ptrdiff_t(n) * kCdSamplesPerSector * 2;
        if (std::any_of(samples.begin(), end, [](std::int16_t v) { return v != 0; }))
            return hidden_;
    }
    return 0;
}
