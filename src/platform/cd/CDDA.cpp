#include "platform/cd/CDDA.h"

#include "platform/cd/CdDisc.h"
#include "platform/cd/CdioHandle.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/ProfileFile.h"

#include <QCoreApplication>

#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace {
constexpr int kSectorBytes = CDIO_CD_FRAMESIZE_RAW;  // 2352
constexpr int kSectorsPerWrite = 64;
constexpr int kMaxRetries = 20;                      // cd-paranoia's default

struct DriveCloser {
    void operator()(cdrom_drive_t* d) const { cdio_cddap_close_no_free_cdio(d); }
};
struct ParanoiaFreer {
    void operator()(cdrom_paranoia_t* p) const { cdio_paranoia_free(p); }
};
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// The sectors paranoia gave up on during the running extraction (its callback carries no
// context: the extraction's thread keeps it).
thread_local std::set<long>* skippedSectors = nullptr;
thread_local long* readErrorCount = nullptr;

// Extracting thread. Positions arrive in 16-bit words from the disc's start.
void tallySkips(long position, paranoia_cb_mode_t event)
{
    if (skippedSectors && event == PARANOIA_CB_SKIP)
        skippedSectors->insert(position / (CDIO_CD_FRAMESIZE_RAW / 2));
    if (readErrorCount && event == PARANOIA_CB_READERR)
        ++*readErrorCount;
}

std::string minSec(long sectors)
{
    return std::to_string(sectors / 75 / 60) + " min. " + std::to_string(sectors / 75 % 60) + " sec.";
}

void putLe16(std::uint8_t* at, std::uint16_t v)
{
    at[0] = std::uint8_t(v);
    at[1] = std::uint8_t(v >> 8);
}
void putLe32(std::uint8_t* at, std::uint32_t v)
{
    putLe16(at, std::uint16_t(v));
    putLe16(at + 2, std::uint16_t(v >> 16));
}

// The 44-byte header of a 16-bit stereo 44100 Hz PCM wave file with dataBytes of samples.
std::array<std::uint8_t, 44> waveHeader(std::uint32_t dataBytes)
{
    std::array<std::uint8_t, 44> h{};
    std::memcpy(&h[0], "RIFF", 4);
    putLe32(&h[4], 36 + dataBytes);
    std::memcpy(&h[8], "WAVEfmt ", 8);
    putLe32(&h[16], 16);
    putLe16(&h[20], 1);        // PCM
    putLe16(&h[22], 2);        // channels
    putLe32(&h[24], 44100);
    putLe32(&h[28], 44100 * 4);
    putLe16(&h[32], 4);        // block alignment
    putLe16(&h[34], 16);
    std::memcpy(&h[36], "data", 4);
    putLe32(&h[40], dataBytes);
    return h;
}

// The wave file being extracted into: header first, sectors appended, sizes set at the end.
class WaveOut {
public:
    explicit WaveOut(const std::string& path) : file_(std::fopen(path.c_str(), "wb"))
    {
        if (file_) {
            const auto h = waveHeader(0);
            ok_ = std::fwrite(h.data(), 1, h.size(), file_.get()) == h.size();
        }
        buffer_.reserve(std::size_t(kSectorsPerWrite) * kSectorBytes);
    }
    bool Opened() const { return file_ != nullptr; }
    bool Ok() const { return ok_; }

    // One sector of host-order samples, stored little-endian.
    void Append(const std::int16_t* samples)
    {
        const std::size_t at = buffer_.size();
        buffer_.resize(at + kSectorBytes);
        for (int i = 0; i < kSectorBytes / 2; ++i)
            putLe16(&buffer_[at + 2 * std::size_t(i)], std::uint16_t(samples[i]));
        if (buffer_.size() >= std::size_t(kSectorsPerWrite) * kSectorBytes)
            flush();
    }

    // Writes what is buffered and the final sizes; false when any write failed.
    bool Finish()
    {
        if (!file_)
            return false;
        flush();
        if (ok_) {
            const auto h = waveHeader(std::uint32_t(dataBytes_));
            ok_ = std::fseek(file_.get(), 0, SEEK_SET) == 0 &&
                  std::fwrite(h.data(), 1, h.size(), file_.get()) == h.size();
        }
        ok_ = std::fclose(file_.release()) == 0 && ok_;
        return ok_;
    }

private:
    void flush()
    {
        if (ok_ && !buffer_.empty()) {
            ok_ = std::fwrite(buffer_.data(), 1, buffer_.size(), file_.get()) == buffer_.size();
            if (ok_)
                dataBytes_ += buffer_.size();
        }
        buffer_.clear();
    }

    std::unique_ptr<std::FILE, FileCloser> file_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t dataBytes_ = 0;
    bool ok_ = false;
};

std::string withSlash(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}
}  // namespace

ReadOffsetValue ParseReadOffset(const std::string& text)
{
    ReadOffsetValue result;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    const bool digits = i < text.size() && text.size() - i <= 9 &&
                        std::all_of(text.begin() + long(i), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (text.empty())
        return result;
    const std::string shown = "ReadOffset=" + text + " in section [CD] of the settings file";
    if (!digits) {
        result.problem = shown + " is not a whole number of samples; the read offset 0 is used";
        return result;
    }
    const long value = std::stol(text);
    if (value < -kMaxReadOffset || value > kMaxReadOffset) {
        result.problem = shown + " is outside -" + std::to_string(kMaxReadOffset) + " to " +
                         std::to_string(kMaxReadOffset) + " samples; the read offset 0 is used";
        return result;
    }
    result.offset = static_cast<int>(value);
    return result;
}

CdReadSettings CdReadSettings::FromProfile(const ProfileFile& settings)
{
    CdReadSettings s;
    s.readOffset = settings.ReadString("CD", "ReadOffset", "");
    s.testAndCopy = settings.ReadInteger("CD", "TestAndCopy", 0) == 1;
    return s;
}

int CdReadOffset(const std::string& setting)
{
    const ReadOffsetValue value = ParseReadOffset(setting);
    if (!value.problem.empty()) {
        // Once per value and run: every track of a rip reads the setting again.
        static std::mutex toldLock;
        static std::set<std::string> told;  // guarded by toldLock
        std::lock_guard lock(toldLock);
        if (told.insert(value.problem).second)
            ReportError(value.problem);
    }
    return value.offset;
}

std::string CddaFolderProblem(const std::string& folder)
{
    if (folder.empty())
        return QCoreApplication::translate("CDDA", "No folder was chosen for the extracted audio").toStdString();
    if (withSlash(folder).size() > kCddaMaxFolderLength)
        return QCoreApplication::translate("CDDA", "The folder name is longer than %1 characters; choose a folder with a shorter name:")
                   .arg(kCddaMaxFolderLength)
                   .toStdString() +
               "\n" + folder;
    return {};
}

void CdRipper::SetOutputDir(const std::string& folder)
{
    std::lock_guard lock(textLock_);
    folderProblem_ = CddaFolderProblem(folder);
    folder_ = folderProblem_.empty() ? withSlash(folder) : std::string();
    cancel_.store(false);
}

void CdRipper::SetDevice(const std::string& device)
{
    std::lock_guard lock(textLock_);
    device_ = device;
}

void CdRipper::SetReadSettings(const CdReadSettings& settings)
{
    std::lock_guard lock(textLock_);
    readSettings_ = settings;
}

std::string CdRipper::LastError() const
{
    std::lock_guard lock(textLock_);
    return error_;
}

std::string CdRipper::LastReadErrors() const
{
    std::lock_guard lock(textLock_);
    return readErrors_;
}

CdRipReport CdRipper::LastReport() const
{
    std::lock_guard lock(textLock_);
    return report_;
}

std::uint8_t CdRipper::fail(const std::string& message, std::uint8_t result)
{
    std::lock_guard lock(textLock_);
    error_ = message;
    return result;
}

std::uint8_t CdRipper::RipTrack(int track)
{
    std::unique_lock run(runLock_, std::try_to_lock);
    if (!run.owns_lock())
        return fail(QCoreApplication::translate("CDDA", "Another track is being extracted").toStdString());
    std::string folder, problem, device;
    CdReadSettings read;
    {
        std::lock_guard lock(textLock_);
        error_.clear();
        readErrors_.clear();
        report_ = {};
        folder = folder_;
        problem = folderProblem_;
        device = device_;
        read = readSettings_;
    }
    progress_.store(0);
    running_.store(true);
    readOffset_ = CdReadOffset(read.readOffset);
    testAndCopy_ = read.testAndCopy;
    rereads_ = 0;
    std::uint8_t result = kRipFailed;
    if (!problem.empty())
        result = fail(problem);
    else if (folder.empty())
        result = fail(CddaFolderProblem(folder));
    else
        result = rip(track, folder, device.empty() ? ConfiguredCdDevice("") : device);
    cancel_.store(false);
    running_.store(false);
    return result;
}

std::uint8_t CdRipper::rip(int track, const std::string& folder, const std::string& device)
{
    const std::string target = folder + "mp3tmp.wav";
    const std::string partial = target + ".partial";
    std::error_code ec;
    std::filesystem::remove(target, ec);
    std::filesystem::remove(partial, ec);
    if (cancel_.load())
        return fail(QCoreApplication::translate("CDDA", "The extraction was cancelled").toStdString(), kRipCancelled);
    if (IsCdImageName(device))
        return ripImage(track, device, target, partial);
    return ripDrive(track, device, target, partial);
}

std::uint8_t CdRipper::ripImage(int track, const std::string& device, const std::string& target,
                                const std::string& partial)
{
    // An image reads the same every time: there is nothing to verify, and a sector it
    // cannot give (a file cut short, a read error of the disk it lies on) fails the track.
    std::unique_ptr<CdDisc> disc;
    try {
        disc = CdDisc::Open(device);
    } catch (const ECdError& e) {
        return fail(e.what());
    }
    Span span;
    span.leadOut = disc->LeadOutSector();
    span.discStart = std::min(0, disc->Tracks().front().firstSector - disc->HiddenSectors());
    if (track == 0) {
        // Track 0: the hidden audio before track 1.
        if (disc->HiddenSectors() == 0)
            return fail(QCoreApplication::translate("CDDA", "The CD has no audio before track 1").toStdString());
        span.firstSector = disc->Tracks().front().firstSector - disc->HiddenSectors();
        span.count = disc->HiddenSectors();
    } else {
        const CdTrack* t = disc->FindTrack(track);
        if (!t)
            return fail(QCoreApplication::translate("CDDA", "The CD has no track %1").arg(track).toStdString());
        if (!t->audio)
            return fail(QCoreApplication::translate("CDDA", "Track %1 is a data track; only audio tracks can be extracted").arg(track).toStdString());
        span.firstSector = t->firstSector;
        span.count = t->sectorCount;
        span.firstTrack = track == disc->Tracks().front().number;
        span.lastTrack = track == disc->Tracks().back().number;
    }
    std::vector<std::int16_t> sector(std::size_t(kCdSamplesPerSector) * 2);
    static const std::vector<std::int16_t> silence(std::size_t(kCdSamplesPerSector) * 2);
    const std::int32_t hiddenFrom = disc->Tracks().front().firstSector - disc->HiddenSectors();
    return extractChecked(track, span, target, partial, [&](std::int32_t lsn, std::string& error) -> const std::int16_t* {
        // A shift into a neighbouring data track or the pregap before the first track
        // reads silence, as a drive gives no audio there; the hidden audio before track 1
        // is read.
        const CdTrack* holder = disc->FindTrack(disc->TrackAt(lsn));
        const bool hidden = lsn >= hiddenFrom && lsn < disc->Tracks().front().firstSector && disc->HiddenSectors() > 0;
        if (!hidden && (!holder || !holder->audio))
            return silence.data();
        try {
            disc->ReadAudio(lsn, 1, sector.data());
            return sector.data();
        } catch (const ECdError& e) {
            error = e.what();
            return nullptr;
        }
    });
}

std::uint8_t CdRipper::ripDrive(int track, const std::string& device, const std::string& target,
                                const std::string& partial)
{
    std::string error;
    CdioPtr cd = OpenCdio(device, error);
    if (!cd)
        return fail(error);
    const track_t first = cdio_get_first_track_num(cd.get());
    const track_t count = cdio_get_num_tracks(cd.get());
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0)
        return fail(QCoreApplication::translate("CDDA", "There is no CD in \"%1\"").arg(QString::fromStdString(device)).toStdString());
    // Track 0 is the audio before track 1 (from LSN 0 to its start).
    const int listed = track == 0 ? first : track;
    if (listed < first || listed >= first + count)
        return fail(QCoreApplication::translate("CDDA", "The CD has no track %1").arg(track).toStdString());
    if (cdio_get_track_format(cd.get(), track_t(listed)) != TRACK_FORMAT_AUDIO)
        return fail(QCoreApplication::translate("CDDA", "Track %1 is a data track; only audio tracks can be extracted").arg(listed).toStdString());

    std::unique_ptr<cdrom_drive_t, DriveCloser> drive(
        cdio_cddap_identify_cdio(cd.get(), CDDA_MESSAGE_FORGETIT, nullptr));
    if (!drive)
        return fail(QCoreApplication::translate("CDDA", "\"%1\" cannot read audio CDs").arg(QString::fromStdString(device)).toStdString());
    cdio_cddap_verbose_set(drive.get(), CDDA_MESSAGE_FORGETIT, CDDA_MESSAGE_FORGETIT);
    if (cdio_cddap_open(drive.get()) != 0)
        return fail(QCoreApplication::translate("CDDA", "Unable to read the audio CD in \"%1\"").arg(QString::fromStdString(device)).toStdString());

    const lsn_t firstSector = track == 0 ? 0 : cdio_cddap_track_firstsector(drive.get(), track_t(track));
    const lsn_t lastSector = track == 0 ? cdio_cddap_track_firstsector(drive.get(), track_t(first)) - 1
                                        : cdio_cddap_track_lastsector(drive.get(), track_t(track));
    if (firstSector < 0 || lastSector < firstSector)
        return fail(QCoreApplication::translate("CDDA", "Track %1 has no audio to extract").arg(track).toStdString());

    std::unique_ptr<cdrom_paranoia_t, ParanoiaFreer> paranoia(cdio_paranoia_init(drive.get()));
    if (!paranoia)
        return fail(QCoreApplication::translate("CDDA", "Unable to read the audio CD in \"%1\"").arg(QString::fromStdString(device)).toStdString());
    // Full verification; a sector still unreadable after the retries is skipped (so a
    // scratch does not stop the rip) but counted and told at the end.
    cdio_paranoia_modeset(paranoia.get(), PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
    std::set<long> skipped;
    skippedSectors = &skipped;
    readErrorCount = &rereads_;
    struct Forget {
        ~Forget()
        {
            skippedSectors = nullptr;
            readErrorCount = nullptr;
        }
    } forget;
    Span span;
    span.firstSector = firstSector;
    span.count = lastSector - firstSector + 1;
    span.leadOut = cdio_get_track_lsn(cd.get(), CDIO_CDROM_LEADOUT_TRACK);
    span.firstTrack = track == first;
    span.lastTrack = track != 0 && track == first + count - 1;
    lsn_t expected = -1;
    const std::uint8_t result =
        extractChecked(track, span, target, partial, [&](std::int32_t lsn, std::string&) {
            if (lsn != expected)
                cdio_paranoia_seek(paranoia.get(), lsn, SEEK_SET);
            expected = lsn + 1;
            return cdio_paranoia_read_limited(paranoia.get(), tallySkips, kMaxRetries);
        });
    {
        std::lock_guard lock(textLock_);
        report_.skippedSectors = long(skipped.size());
    }
    if (result == kRipOk && !skipped.empty()) {
        const long at = std::max<long>(0, *skipped.begin() - firstSector);
        std::lock_guard lock(textLock_);
        readErrors_ = "Track " + std::to_string(track) + ": " + std::to_string(skipped.size()) +
                      " sector(s) could not be read and are silence, the first at " + minSec(at);
    }
    return result;
}

std::uint8_t CdRipper::extractChecked(int track, const Span& span, const std::string& target,
                                      const std::string& partial, const SectorRead& read)
{
    Span shifted = span;
    shifted.offset = readOffset_;
    CdRipReport report;
    report.track = track;
    report.readOffset = readOffset_;
    report.firstSector = span.firstSector;
    report.sectorCount = span.count;
    if (testAndCopy_) {
        TrackChecksums test;
        const std::uint8_t result = extract(track, shifted, target, partial, read, test);
        if (result != kRipOk)
            return result;
        report.tested = true;
        report.testCrc = test.crc32;
    }
    const std::uint8_t result = extract(track, shifted, target, partial, read, report.copy);
    if (result == kRipOk) {
        report.rereads = rereads_;
        std::lock_guard lock(textLock_);
        report.skippedSectors = report_.skippedSectors;
        report_ = report;
    }
    return result;
}

std::uint8_t CdRipper::extract(int track, const Span& span, const std::string& target, const std::string& partial,
                               const SectorRead& read, TrackChecksums& sums)
{
    std::error_code ec;
    std::filesystem::remove(target, ec);
    WaveOut out(partial);
    if (!out.Opened())
        return fail(QCoreApplication::translate("CDDA", "Unable to create \"%1\"").arg(QString::fromStdString(partial)).toStdString());

    // Output sector k is the tail of disc sector first + k + whole from sample part on,
    // followed by the head of the sector after it.
    const int whole = span.offset >= 0 ? span.offset / kCdSamplesPerSector
                                       : -((-span.offset + kCdSamplesPerSector - 1) / kCdSamplesPerSector);
    const int part = span.offset - whole * kCdSamplesPerSector;
    const std::size_t sectorSamples = std::size_t(kCdSamplesPerSector) * 2;
    const std::vector<std::int16_t> silence(sectorSamples);
    std::string why;
    const auto readDisc = [&](std::int32_t lsn) -> const std::int16_t* {
        if (lsn < span.discStart || lsn >= span.leadOut)
            return silence.data();
        return read(lsn, why);
    };
    std::vector<std::int16_t> held(sectorSamples), joined(sectorSamples);
    const bool checksums = checksums_.load();
    const std::unique_ptr<TrackSummer> summer =
        checksums ? MakeTrackSummer(std::int64_t(span.count) * kCdSamplesPerSector, span.firstTrack, span.lastTrack)
                  : nullptr;

    const std::int32_t start = span.firstSector + whole;
    int done = 0;
    bool cancelled = false;
    std::string readError;
    const auto readFailed = [&] {
        readError = "The CD could not be read at " + minSec(done) + " of track " + std::to_string(track) +
                    (why.empty() ? std::string() : ":\n" + why);
    };
    if (part != 0 && span.count > 0) {
        if (const std::int16_t* first = readDisc(start))
            std::copy_n(first, sectorSamples, held.begin());
        else
            readFailed();
    }
    while (readError.empty() && done < span.count) {
        if (cancel_.load()) {
            cancelled = true;
            break;
        }
        const std::int16_t* samples = readDisc(start + done + (part != 0 ? 1 : 0));
        if (!samples) {
            readFailed();
            break;
        }
        if (part != 0) {
            const std::size_t tail = sectorSamples - std::size_t(part) * 2;
            std::copy_n(held.begin() + std::ptrdiff_t(part) * 2, tail, joined.begin());
            std::copy_n(samples, std::size_t(part) * 2, joined.begin() + std::ptrdiff_t(tail));
            std::copy_n(samples, sectorSamples, held.begin());
            samples = joined.data();
        }
        if (summer)
            summer->Add(samples, std::size_t(kCdSamplesPerSector));
        out.Append(samples);
        ++done;
        // 100 is kept for the moment the file is complete.
        progress_.store(std::min(99, int(std::int64_t(done) * 100 / span.count)));
        if (OnSector)
            OnSector(done, span.count);
    }
    const bool written = out.Finish();
    if (cancelled)
        return fail(QCoreApplication::translate("CDDA", "The extraction was cancelled").toStdString(), kRipCancelled);
    if (!readError.empty())
        return fail(readError);
    if (!written)
        return fail(QCoreApplication::translate("CDDA", "Unable to write \"%1\"; the disk may be full").arg(QString::fromStdString(partial)).toStdString());
    std::filesystem::rename(partial, target, ec);
    if (ec)
        return fail(QCoreApplication::translate("CDDA", "Unable to create \"%1\"").arg(QString::fromStdString(target)).toStdString());
    sums = summer ? summer->Result() : TrackChecksums{};
    progress_.store(100);
    return kRipOk;
}

CdRipper& CddaLibrary()
{
    static CdRipper ripper;
    return ripper;
}

void setOutputDir(const char* folder)
{
    CddaLibrary().SetOutputDir(folder ? folder : "");
}

std::uint8_t riptrack(std::int32_t track)
{
    return CddaLibrary().RipTrack(track);
}

std::int32_t getprogress()
{
    return CddaLibrary().Progress();
}

void cancelrip()
{
    CddaLibrary().Cancel();
}

std::string ripmessage()
{
    return CddaLibrary().LastError();
}
