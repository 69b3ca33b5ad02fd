#include "disc/RipSession.h"

#include "disc/CdImageSheet.h"
#include "platform/os/ProfileFile.h"

#include <QCoreApplication>

#include <cstdio>
#include <ctime>
#include <fstream>

namespace {
std::string hex8(std::uint32_t v)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", v);
    return text;
}

std::string msf(std::int64_t sectors)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d.%02d", int(sectors / 4500), int(sectors / 75 % 60), int(sectors % 75));
    return text;
}

std::string now()
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}
}  // namespace

RipSession::RipSession(const std::string& device, const std::string& readOffset)
    : device_(device.empty() ? ConfiguredCdDevice("") : device), readOffset_(readOffset), imageNotes_(CdImageNotes(device_)), startedAt_(now())
{
    try {
        const auto disc = CdDisc::Open(device_);
        tracks_ = disc->Tracks();
        leadOut_ = disc->LeadOutSector();
    } catch (const ECdError& e) {
        tocProblem_ = e.what();
    }
    if (tracks_.empty()) {
        lookup_.error = "The AccurateRip database was not asked: the table of contents could not be read" +
                        (tocProblem_.empty() ? std::string() : " (" + tocProblem_ + ")");
        done_.store(true);
        return;
    }
    std::vector<AccurateRipTrack> toc;
    for (const CdTrack& t : tracks_)
        toc.push_back({t.number, t.firstSector, t.audio});
    id_ = AccurateRipIds(toc, leadOut_);
    const std::string base = ProfileFile::Settings().ReadString("CD", "AccurateRip", kAccurateRipDefaultUrl);
    worker_ = std::thread([this, base] {
        // Worker thread.
        lookup_ = AccurateRipLookup(id_, base, &cancel_);
        done_.store(true);
    });
}

RipSession::~RipSession()
{
    cancel_.store(true);
    if (worker_.joinable())
        worker_.join();
}

void RipSession::AddTrack(const CdRipReport& report, const std::string& file)
{
    ripped_.push_back({report, file});
}

void RipSession::DropTrack(int track)
{
    std::erase_if(ripped_, [track](const Ripped& r) { return r.report.track == track; });
}

std::optional<AccurateRipVerdict> RipSession::Verdict(int track) const
{
    if (!LookupDone() || !lookup_.reached)
        return std::nullopt;
    for (const Ripped& r : ripped_)
        if (r.report.track == track)
            return JudgeTrack(lookup_.pressings, id_, trackIndex(track), r.report.copy);
    return std::nullopt;
}

int RipSession::trackIndex(int track) const
{
    int index = 0;
    for (const CdTrack& t : tracks_) {
        if (t.number == track)
            return t.audio ? index : -1;
        index += t.audio ? 1 : 0;
    }
    return -1;
}

std::string RipSession::verdictText(const Ripped& r) const
{
    if (!LookupDone())
        return "Not checked (AccurateRip gave no answer in time)";
    if (!lookup_.reached && lookup_.answered)
        return "Not checked (the AccurateRip server answered with something unreadable)";
    if (!lookup_.reached)
        return "Not checked (AccurateRip could not be reached)";
    if (lookup_.otherDisc)
        return "Not in the AccurateRip database (its answer was for another disc)";
    return JudgeTrack(lookup_.pressings, id_, trackIndex(r.report.track), r.report.copy).Text();
}

// The log's verdicts (verdictText) stay English, as tools read the log; the line on the
// screen is the same verdict in the user's language.
std::string RipSession::VerificationLine(int track) const
{
    if (!LookupDone())
        return {};
    for (const Ripped& r : ripped_) {
        if (r.report.track != track)
            continue;
        QString text;
        if (!lookup_.reached && lookup_.answered) {
            text = QCoreApplication::translate("RipSession",
                                               "not checked (the AccurateRip server answered with something unreadable)");
        } else if (!lookup_.reached) {
            text = QCoreApplication::translate("RipSession", "not checked (AccurateRip could not be reached)");
        } else if (lookup_.otherDisc) {
            text = QCoreApplication::translate("RipSession",
                                               "not in the AccurateRip database (its answer was for another disc)");
        } else {
            const AccurateRipVerdict v = JudgeTrack(lookup_.pressings, id_, trackIndex(r.report.track), r.report.copy);
            switch (v.kind) {
            case AccurateRipVerdict::Accurate:
                text = QCoreApplication::translate("RipSession", "accurately ripped (confidence %1)").arg(v.confidence);
                break;
            case AccurateRipVerdict::NotAccurate:
                text = QCoreApplication::translate("RipSession", "not accurate (%1 other rips disagree)").arg(v.disagree);
                break;
            case AccurateRipVerdict::NotInDatabase:
                text = QCoreApplication::translate("RipSession", "not in the AccurateRip database");
                break;
            }
        }
        const bool differ = r.report.tested && r.report.testCrc != r.report.copy.crc32;
        const QString line = differ ? QCoreApplication::translate("RipSession", "Track %1: %2; test and copy differ")
                                    : QCoreApplication::translate("RipSession", "Track %1: %2");
        return line.arg(QString::number(track), text).toStdString();
    }
    return {};
}

void RipSession::SetCover(const std::string& line, const std::string& file)
{
    coverLine_ = line;
    coverFile_ = file;
}

// English whatever the user's language: the log is read by other tools and compared
// between rips.
std::string RipSession::LogText() const
{
    std::string log;
    log += "Mervane 2.0 rip log\n";
    log += "Date: " + startedAt_ + "\n";
    log += "Drive or image: " + device_ + "\n";
    for (const std::string& note : imageNotes_)
        log += "  " + note + "\n";
    log += "Read offset: " + std::to_string(ripped_.empty() ? CdReadOffset(readOffset_) : ripped_.front().report.readOffset) +
           " samples\n";
    log += "Paranoia mode: full verification, skipping after 20 retries (images are read as they are)\n";
    log += "\nTable of contents\n";
    // The pregap is the index 00 before the track's start, as the disc gives it.
    log += "  Track  Start     Length    Pregap    Start sector  End sector\n";
    for (const CdTrack& t : tracks_) {
        char line[112];
        std::snprintf(line, sizeof line, "  %5d  %s  %s  %s  %12d  %10d%s\n", t.number, msf(t.firstSector).c_str(),
                      msf(t.sectorCount).c_str(), msf(t.pregapSectors).c_str(), int(t.firstSector),
                      int(t.firstSector + t.sectorCount - 1), t.audio ? "" : "  (data)");
        log += line;
    }
    if (!tocProblem_.empty())
        log += "  " + tocProblem_ + "\n";
    if (!coverLine_.empty())
        log += coverLine_ + "\n";
    log += "\nAccurateRip disc: " + id_.FileName() + "\n";
    if (!lookup_.error.empty() && LookupDone())
        log += lookup_.error + "\n";
    std::vector<int> notAccurate;
    for (const Ripped& r : ripped_) {
        const CdRipReport& p = r.report;
        log += "\nTrack " + std::to_string(p.track) + "\n";
        log += "  File: " + r.file + "\n";
        log += "  Copy CRC: " + hex8(p.copy.crc32) + "\n";
        if (p.tested) {
            log += "  Test CRC: " + hex8(p.testCrc) + "\n";
            log += p.testCrc == p.copy.crc32 ? "  Test and copy agree\n" : "  Test and copy differ\n";
        }
        log += "  AccurateRip v1: " + hex8(p.copy.arV1) + "\n";
        log += "  AccurateRip v2: " + hex8(p.copy.arV2) + "\n";
        const std::string verdict = verdictText(r);
        log += "  AccurateRip: " + verdict + "\n";
        if (p.rereads)
            log += "  Re-reads: " + std::to_string(p.rereads) + "\n";
        if (p.skippedSectors)
            log += "  Skipped sectors: " + std::to_string(p.skippedSectors) + "\n";
        if (verdict.rfind("Accurately ripped", 0) != 0 || (p.tested && p.testCrc != p.copy.crc32))
            notAccurate.push_back(p.track);
    }
    log += "\n";
    if (ripped_.empty()) {
        log += "No track was ripped\n";
    } else if (notAccurate.empty()) {
        log += "All tracks accurately ripped\n";
    } else {
        log += "Not accurately ripped:";
        for (const int n : notAccurate)
            log += " " + std::to_string(n);
        log += "\n";
    }
    return log;
}

namespace {
std::string fileName(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

// A name on one line: a line end or other control character (a network title may bring
// one) would split the sheet's or the playlist's line, so it is left out.
std::string oneLine(const std::string& text)
{
    std::string out;
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
            out += c;
    return out;
}

// A cue sheet's quoted text: a quote inside is written \" (as cue readers take it).
std::string cueQuoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : oneLine(text))
        out += c == '"' ? std::string("\\\"") : std::string(1, c);
    return out + "\"";
}

// A playlist entry: a name starting with '#' would read as a comment.
std::string playlistEntry(const std::string& path)
{
    const std::string name = oneLine(fileName(path));
    return (name.starts_with("#") ? "./" : "") + name + "\n";
}

std::string writeText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), std::streamsize(text.size()));
    out.close();
    if (out)
        return {};
    return QCoreApplication::translate("RipSession", "Unable to write \"%1\"")
        .arg(QString::fromStdString(path))
        .toStdString();
}
}  // namespace

std::string RipSession::WriteCueSheet(const std::string& folder, const std::string& album) const
{
    if (ProfileFile::Settings().ReadInteger("CD", "CueSheet", 0) != 1 || ripped_.empty())
        return {};
    std::string base = folder;
    if (!base.empty() && base.back() != '/')
        base += '/';
    base += album.empty() ? std::string("Rip") : album;
    std::string cue = "REM COMMENT \"Mervane 2.0\"\n", m3u = "#EXTM3U\n";
    if (!coverFile_.empty())
        cue += "REM COVER \"" + coverFile_ + "\"\n";
    const auto msf = [](std::int64_t sectors) {
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", int(sectors / 4500), int(sectors / 75 % 60), int(sectors % 75));
        return std::string(text);
    };
    int number = 0;
    for (std::size_t i = 0; i < ripped_.size(); ++i) {
        const Ripped& r = ripped_[i];
        const std::string file = "FILE " + cueQuoted(fileName(r.file)) + " MP3\n";
        std::int32_t pregap = 0;
        for (const CdTrack& t : tracks_)
            if (t.number == r.report.track)
                pregap = t.pregapSectors;
        // A pregap lies at the end of the track before it: when that track's file is the
        // one just written, the pregap's index 00 points into it; otherwise the pregap is
        // in no file of the rip and is given as a length.
        const Ripped* before = i > 0 ? &ripped_[i - 1] : nullptr;
        // Track 0, the audio before track 1, is track 1's pregap: its file opens the sheet
        // and holds track 1's index 00 when track 1 follows it.
        if (r.report.track == 0 && i + 1 < ripped_.size() && ripped_[i + 1].report.track == 1) {
            cue += file;
            m3u += playlistEntry(r.file);
            continue;
        }
        char track[32];
        std::snprintf(track, sizeof track, "  TRACK %02d AUDIO\n", ++number);
        if (pregap > 0 && before && before->report.track + 1 == r.report.track && before->report.sectorCount >= pregap)
            cue += std::string(track) + "    INDEX 00 " + msf(before->report.sectorCount - pregap) + "\n" + file +
                   "    INDEX 01 00:00:00\n";
        else if (pregap > 0)
            cue += file + track + "    PREGAP " + msf(pregap) + "\n    INDEX 01 00:00:00\n";
        else
            cue += file + track + "    INDEX 01 00:00:00\n";
        m3u += playlistEntry(r.file);
    }
    if (std::string problem = writeText(base + ".cue", cue); !problem.empty())
        return problem;
    return writeText(base + ".m3u", m3u);
}

std::string RipSession::WriteLog(const std::string& folder, const std::string& album) const
{
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += (album.empty() ? std::string("Rip") : album) + ".log";
    const std::string text = LogText();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), std::streamsize(text.size()));
    out.close();
    if (!out)
        return QCoreApplication::translate("RipSession", "Unable to write the rip log \"%1\"")
            .arg(QString::fromStdString(path))
            .toStdString();
    return {};
}
