#include "run/CdRun.h"

#include "discinfo/CoverArt.h"

#include "mixer/TrackTag.h"
#include "mixer/Unit2.h"
#include "platform/Errors.h"
#include "platform/cd/CDDA.h"
#include "platform/cd/CdRipJob.h"
#include "disc/RipSession.h"
#include "platform/os/Paths.h"
#include "platform/os/Translations.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <filesystem>

namespace {
// A failed extraction's message: the first line says what failed, the second why.
std::string extractionFailed(const std::string& why)
{
    return (QCoreApplication::translate("CdRun", "unable to extract CD data") + "\n").toStdString() + why;
}

// The verdict's word, as --json and the listeners' checks take it: never translated.
std::string verdictWord(const AccurateRipVerdict& v)
{
    switch (v.kind) {
    case AccurateRipVerdict::Accurate: return "accurate";
    case AccurateRipVerdict::NotAccurate: return "not accurate";
    case AccurateRipVerdict::NotInDatabase: break;
    }
    return "not in database";
}
}  // namespace

std::string CdVerdictText(const std::string& verdict)
{
    if (verdict == "accurate")
        return QCoreApplication::translate("CdRun", "accurate").toStdString();
    if (verdict == "not accurate")
        return QCoreApplication::translate("CdRun", "not accurate").toStdString();
    if (verdict == "not in database")
        return QCoreApplication::translate("CdRun", "not in database").toStdString();
    if (verdict == "not checked")
        return QCoreApplication::translate("CdRun", "not checked").toStdString();
    return verdict;
}

std::string CdRunSummary::Line() const
{
    int written = 0, accurate = 0, notAccurate = 0, unchecked = 0, failed = 0;
    for (const CdTrackResult& r : tracks) {
        written += r.written ? 1 : 0;
        failed += !r.error.empty() ? 1 : 0;
        accurate += r.verdict == "accurate" ? 1 : 0;
        notAccurate += r.verdict == "not accurate" ? 1 : 0;
        unchecked += r.read && (r.verdict == "not checked" || r.verdict == "not in database") ? 1 : 0;
    }
    // "3 tracks: 2 written, 1 accurately ripped, 1 not accurate (cancelled)": each part a
    // text of its own, as only the parts with a count are said.
    QString line = tracks.size() == 1
                       ? QCoreApplication::translate("CdRun", "1 track: %1 written").arg(written)
                       : QCoreApplication::translate("CdRun", "%1 tracks: %2 written").arg(int(tracks.size())).arg(written);
    if (accurate)
        line += QCoreApplication::translate("CdRun", ", %1 accurately ripped").arg(accurate);
    if (notAccurate)
        line += QCoreApplication::translate("CdRun", ", %1 not accurate").arg(notAccurate);
    if (unchecked)
        line += QCoreApplication::translate("CdRun", ", %1 not verified").arg(unchecked);
    if (failed)
        line += QCoreApplication::translate("CdRun", ", %1 failed").arg(failed);
    if (cancelled)
        line += QCoreApplication::translate("CdRun", " (cancelled)");
    return line.toStdString();
}

bool CdRunSummary::AllWritten() const
{
    return !cancelled && !broken &&
           std::all_of(tracks.begin(), tracks.end(), [](const CdTrackResult& r) { return r.written || r.skipped; });
}

CdRun::CdRun(CdRunSettings settings, std::vector<CdRunTrack> tracks, CdRunListener& listener, CdRunDoor door)
    : settings_(std::move(settings)), tracks_(std::move(tracks)), listener_(listener), door_(std::move(door))
{
}

CdRun::~CdRun() = default;

int CdRun::RunningEncoders() const
{
    return lanes_ ? lanes_->Running() : 0;
}

CdTrackResult* CdRun::ResultOf(int track)
{
    for (CdTrackResult& r : results_)
        if (r.track == track)
            return &r;
    return nullptr;
}

void CdRun::Wait(const std::function<bool()>& busy)
{
    QTimer look;  // wakes the wait when no message does
    look.start(100);
    while (busy()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        if (lanes_ && lanes_->Running() > 0)
            ShowEncodeProgress();
    }
}

void CdRun::Cancel()
{
    cancel_.store(true);
    if (job_)
        job_->Cancel();
    if (lanes_)
        lanes_->StopAll();
}

void CdRun::Fail(CdTrackResult& result, const std::string& message)
{
    result.error = message;
    broken_ = true;
    Cancel();
    listener_.Broken();
    listener_.Message(message);
}

int CdRun::TagTrack(const TMMMP3Encoder& encoder, const std::string& file, int track)
{
    const auto it = std::find_if(tracks_.begin(), tracks_.end(), [track](const CdRunTrack& t) { return t.number == track; });
    const std::string count = std::to_string(settings_.discTrackCount);
    if (it == tracks_.end() || !it->details) {
        // Without details the track still carries its number on the disc (and its loudness)
        // in an ID3v2 tag; no ID3v1 tag is added.
        ID3v2Fields v2;
        v2.track = std::to_string(track) + "/" + count;
        v2.cover = settings_.cover;
        return WriteTrackID3v2(encoder, file, std::move(v2), &album_);
    }
    TrackDetails d = *it->details;
    if (!d.cover)
        d.cover = settings_.cover;
    return WriteTrackTag(encoder, tag_, file, d, std::to_string(d.track) + "/" + count, &album_);
}

CdRunSummary CdRun::Run()
{
    results_.clear();
    for (const CdRunTrack& t : tracks_) {
        CdTrackResult r;
        r.track = t.number;
        r.file = t.file;
        results_.push_back(r);
    }
    // A rip's lookup in the AccurateRip database runs beside the tracks' extraction.
    if (settings_.rip && settings_.verify)
        session_ = std::make_unique<RipSession>(settings_.device, settings_.read.readOffset);
    if (!door_.encodeSerially || (settings_.rip && settings_.jobs > 1))
        lanes_ = std::make_unique<TrackEncoders>(
            settings_.encoder, std::max(1, settings_.jobs),
            [this](const TMMMP3Encoder& encoder, const std::string& file, int track) {
                return TagTrack(encoder, file, track);
            },
            [this](const TrackEnd& end) { LaneEnded(end); });
    listener_.EncodeProgress(0);
    int started = 0;
    try {
        for (std::size_t i = 0; i < tracks_.size() && !cancel_.load(); ++i) {
            CdRunTrack& track = tracks_[i];
            CdTrackResult& result = results_[i];
            current_ = track.number;
            // A name the details gave after the folder page asked may still meet a file.
            std::error_code ec;
            if (std::filesystem::exists(track.file, ec) && !listener_.MayReplace(track.file)) {
                result.skipped = true;
                ++skipped_;
                continue;
            }
            listener_.TrackStarted(track.number, track.file, ++started, int(tracks_.size()));
            if (!ReadTrack(track, result) || cancel_.load())
                break;
            listener_.TrackRead(result);
            if (lanes_) {
                EncodeBeside(track, result);
                continue;
            }
            const std::size_t tagged = album_.size();
            result.written = door_.encodeSerially(track, TemporaryWavePath());
            // A track kept for the album gain was tagged under its staged name.
            for (std::size_t k = tagged; k < album_.size(); ++k)
                album_[k].fileName = track.file;
            if (!result.written && result.error.empty() && !cancel_.load())
                result.error = QCoreApplication::translate("CdRun", "not encoded").toStdString();
            listener_.TrackFinished(result);
        }
        if (lanes_) {
            // The tracks handed over are encoded to their end (or stopped by Cancel).
            Wait([this] { return lanes_->Running() > 0; });
            lanes_.reset();
        }
    } catch (...) {
        // Encodings still running stop, and leave neither their files nor their waves.
        lanes_.reset();
        throw;
    }
    // The album gain takes the tracks in the disc's order, whichever finished first.
    std::stable_sort(album_.begin(), album_.end(), [this](const AlbumTrack& a, const AlbumTrack& b) {
        const auto order = [this](const std::string& file) {
            for (std::size_t i = 0; i < tracks_.size(); ++i)
                if (tracks_[i].file == file)
                    return i;
            return tracks_.size();
        };
        return order(a.fileName) < order(b.fileName);
    });
    // The cover goes beside the files the run wrote; the log names it or says why not (in
    // English, as the whole log).
    const std::string coverLine = !settings_.cover ? (settings_.coverLine.empty() ? "Cover: none" : settings_.coverLine)
                                  : started > 0   ? PutCoverBeside(settings_.folder, *settings_.cover)
                                                  : std::string();
    if (session_) {
        const std::string file = settings_.cover ? "cover." + settings_.cover->Suffix() : "";
        session_->SetCover(coverLine, coverLine == "Cover: " + file ? file : "");
    }
    FinishVerification();
    std::string readErrors;
    for (const CdTrackResult& r : results_)
        if (!r.readErrors.empty())
            readErrors += "\n" + r.readErrors;
    if (!readErrors.empty())
        listener_.Message(QCoreApplication::translate("CdRun", "Some sectors of the CD could not be read:").toStdString() +
                          readErrors);
    if (const auto [file, rc] = WriteAlbumGain(album_); rc != 0)
        listener_.Message(TranslatedMessage(kTagWriteFailedMessage) + "\n" + FileReasonLine(file, rc));
    CdRunSummary summary;
    summary.tracks = results_;
    summary.cancelled = cancel_.load() && !broken_;
    summary.broken = broken_;
    listener_.Finished(summary);
    return summary;
}

bool CdRun::ReadTrack(CdRunTrack& track, CdTrackResult& result)
{
    if (settings_.rip)
        return Extract(track.number, result);
    if (track.number == 0) {
        Fail(result, extractionFailed(
                         QCoreApplication::translate("CdRun", "The audio before track 1 can only be extracted digitally")
                             .toStdString()));
        return false;
    }
    result.read = door_.record && door_.record(track.number, TemporaryWavePath());
    if (!result.read && !cancel_.load())
        result.error = QCoreApplication::translate("CdRun", "not recorded whole").toStdString();
    return result.read;
}

bool CdRun::Extract(int track, CdTrackResult& result)
{
    const std::string temporary = TemporaryWavePath();
    std::error_code ec;
    std::filesystem::remove(temporary, ec);
    // The library writes mp3tmp.wav into the folder it is given: this instance's own.
    const std::string folder = temporary.substr(0, temporary.rfind('/') + 1);
    if (const std::string problem = CddaFolderProblem(folder); !problem.empty()) {
        Fail(result, extractionFailed(problem));
        return false;
    }
    CdRipper& ripper = CddaLibrary();
    ripper.SetDevice(settings_.device);
    ripper.SetReadSettings(settings_.read);
    ripper.SetOutputDir(folder);
    listener_.ReadProgress(0);
    listener_.Extracting(true);
    std::uint8_t outcome = kRipFailed;
    {
        // Leaving this scope early cancels the extraction and waits for it.
        CdRipJob job(ripper);
        struct Running {
            CdRun& run;
            CdRipJob& job;
            Running(CdRun& r, CdRipJob& j) : run(r), job(j) { run.job_ = &job; }
            ~Running()
            {
                run.job_ = nullptr;
                run.listener_.Extracting(false);
            }
        } running(*this, job);
        job.Start(track);
        // A Cancel before the start would be dropped by the folder's reset.
        if (cancel_.load())
            job.Cancel();
        Wait([&] {
            listener_.ReadProgress(job.Progress());
            return !job.Done();
        });
        outcome = job.Result();
    }
    listener_.ReadProgress(100);
    if (outcome == kRipOk) {
        result.read = true;
        result.readErrors = ripper.LastReadErrors();
        if (session_) {
            session_->AddTrack(ripper.LastReport(), result.file);
            if (const std::string line = session_->VerificationLine(track); !line.empty()) {
                result.verdictLine = line;
                listener_.Verdict(track, line);
            }
        }
        return true;
    }
    // What a stopped extraction had read is no track: it goes at once.
    std::filesystem::remove(temporary + ".partial", ec);
    // A cancelled extraction is no failure to report: Cancel has said what happened.
    if (!cancel_.load())
        Fail(result, extractionFailed(ripper.LastError()));
    return false;
}

void CdRun::EncodeBeside(const CdRunTrack& track, CdTrackResult& result)
{
    // The next extraction writes the temporary file anew: the track waits for its encoder
    // in a hidden file of its own beside it.
    const std::string wave = TemporaryFolder() + ".mp3tmp-" + std::to_string(track.number) + ".wav";
    std::error_code ec;
    std::filesystem::rename(TemporaryWavePath(), wave, ec);
    if (ec) {
        std::filesystem::remove(TemporaryWavePath(), ec);
        Fail(result, extractionFailed(FileReasonLine(wave, ec.value())));
        return;
    }
    Wait([this] { return !lanes_->HasFreeEncoder() && !cancel_.load(); });
    if (cancel_.load()) {
        std::filesystem::remove(wave, ec);
        return;
    }
    TrackJob job;
    job.track = track.number;
    job.input = wave;
    job.output = track.file;
    job.bitRateIndex = settings_.bitRateIndex;
    job.copyright = track.details && track.details->copyright;
    job.original = track.details && track.details->original;
    lanes_->Start(std::move(job));
    ShowEncodeProgress();
}

void CdRun::LaneEnded(const TrackEnd& end)
{
    CdTrackResult* result = ResultOf(end.track);
    if (end.completed) {
        // A track kept for the album gain was tagged under its staged name.
        for (AlbumTrack& t : album_)
            if (t.fileName == end.staged)
                t.fileName = end.published;
        ++filesDone_;
        if (result) {
            result->written = true;
            result->file = end.published;
        }
        ShowEncodeProgress();
    } else if (!cancel_.load() && !end.message.empty()) {
        // A file that could not be written ends the run: no further track starts, and the
        // other encodings stop without leaving their files.
        broken_ = true;
        Cancel();
        listener_.Broken();
    }
    if (result) {
        if (!end.message.empty())
            result->error = end.message;
        listener_.TrackFinished(*result);
    }
    if (!end.message.empty())
        listener_.Message(end.message);
}

void CdRun::ShowEncodeProgress()
{
    const int files = int(tracks_.size()) - skipped_;
    const int running = lanes_ ? lanes_->RunningPercentSum() : 0;
    if (files > 0)
        listener_.EncodeProgress(std::min(100, (filesDone_ * 100 + running) / files));
}

void CdRun::FinishVerification()
{
    if (!session_)
        return;
    // The lookup has its own deadline; the tracks are all written by now.
    Wait([this] { return !session_->LookupDone() && !cancel_.load(); });
    for (CdTrackResult& r : results_) {
        if (!r.read)
            continue;
        std::error_code ec;
        // A file that is gone (a cancelled or failed encoding) is not described.
        if (!std::filesystem::exists(r.file, ec)) {
            session_->DropTrack(r.track);
            continue;
        }
        if (!session_->LookupDone()) {
            r.verdict = "not checked";
            continue;
        }
        r.verdictLine = session_->VerificationLine(r.track);
        if (const std::optional<AccurateRipVerdict> v = session_->Verdict(r.track)) {
            r.verdict = verdictWord(*v);
            r.confidence = v->confidence;
            r.others = v->disagree;
        } else {
            r.verdict = "not checked";
        }
    }
    if (session_->LookupDone() && current_ > 0)
        if (const CdTrackResult* r = ResultOf(current_); r && !r->verdictLine.empty())
            listener_.Verdict(current_, r->verdictLine);
    if (const std::string problem = session_->WriteLog(settings_.folder, settings_.ripFilesName); !problem.empty())
        listener_.Message(problem);
    if (const std::string problem = session_->WriteCueSheet(settings_.folder, settings_.ripFilesName); !problem.empty())
        listener_.Message(problem);
    session_.reset();
}
