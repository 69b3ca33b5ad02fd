// mervane-cli cd: the wizard's CD run from the command line. The disc's details are looked up
// as the wizard's track list looks them up (cache, MusicBrainz, gnudb, CD-Text), the files
// are named and tagged from them as the wizard names and tags them, and one CdRun extracts
// (or, with --record, has each track recorded through the sound card), verifies, encodes in
// lanes, tags and logs. Each track's verdict shows in the progress
// line, in --json and in the closing summary; the exit status says whether every track was
// read and written.
#include "cli/Batch.h"
#include "cli/CdCommand.h"
#include "cli/CdRecorder.h"

#include "discinfo/CoverArt.h"
#include "cli/Interrupt.h"
#include "discinfo/DiscLookup.h"
#include "platform/cd/CdDisc.h"
#include "platform/cd/DiscId.h"
#include "platform/os/Dialogs.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/InstanceFolder.h"
#include "platform/os/Terminal.h"
#include "platform/os/ProfileFile.h"
#include "run/CdNames.h"
#include "run/CdRun.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {
void say(const std::string& text)
{
    std::fprintf(stderr, "mervane-cli: %s\n", text.c_str());
}

// The dialogs of the command line: messages go to standard error, nothing is asked.
class CdConsoleDialogs : public Dialogs {
public:
    void ShowMessage(const std::string& text) override { say(text); }
    std::optional<std::string> OpenFile(const FileDialogOptions&) override { return std::nullopt; }
    std::optional<std::string> SaveFile(const FileDialogOptions&) override { return std::nullopt; }
    std::optional<std::string> SelectFolder(const std::string&, const std::string&) override { return std::nullopt; }
};

// What the lookup sources found, the chosen release (--release) first; the others listed.
std::optional<DiscDetails> lookUp(const CliOptions& options, CdDisc& disc)
{
    if (options.noLookup)
        return std::nullopt;
    LookupResult result;
    try {
        const DiscIdentity id = IdentifyDisc(disc.Tracks(), disc.LeadOutSector());
        const CdText text = disc.ReadCdText();
        const LookupSettings settings = ReadLookupSettings();
        std::atomic<bool> cancel{false};
        // The requests block: they run on a thread of their own, as the wizard's do.
        std::thread worker([&] {
            // Worker thread.
            result = LookUpDisc(id, text, settings, cancel, [&](const std::string& line) {
                if (!options.quiet)
                    say(line);
            });
        });
        worker.join();
    } catch (const std::exception& e) {
        // A disc that cannot be identified is still ripped, without found details.
        say(QCoreApplication::translate("mervane-cli", "No details: %1")
                .arg(QString::fromStdString(e.what()))
                .toStdString());
        return std::nullopt;
    }
    if (result.matches.empty())
        return std::nullopt;
    const std::size_t chosen = static_cast<std::size_t>(options.release - 1);
    if (chosen >= result.matches.size())
        throw CliUsageError(QCoreApplication::translate("mervane-cli", "--release %1: only %2 releases match the disc")
                                .arg(options.release)
                                .arg(int(result.matches.size()))
                                .toStdString());
    if (result.matches.size() > 1 && !options.quiet) {
        say(QCoreApplication::translate("mervane-cli", "several releases match the disc; taking %1 (--release N takes another):")
                .arg(int(chosen + 1))
                .toStdString());
        for (std::size_t i = 0; i < result.matches.size(); ++i)
            std::fprintf(stderr, "  %zu: %s\n", i + 1, result.matches[i].ChoiceLine().c_str());
    }
    return result.matches[chosen];
}

// The progress line, the messages, the JSON lines and the summary of the run.
class ConsoleCdListener : public CdRunListener {
public:
    ConsoleCdListener(const CliOptions& options)
        : options_(options), showProgress_(!options.quiet && ErrorStreamIsTerminal()),
          recording_(options.record)
    {
    }

    void TrackStarted(int, const std::string& file, int position, int count) override
    {
        name_ = "[" + std::to_string(position) + "/" + std::to_string(count) + "] " + fs::path(file).filename().string();
        Draw(0);
    }
    void ReadProgress(int percent) override
    {
        Draw(percent);
    }
    void EncodeProgress(int percent) override
    {
        encoded_ = percent;
    }
    void Verdict(int track, const std::string& line) override
    {
        (void)track;
        verdict_ = line;
    }
    void Message(const std::string& text) override
    {
        Clear();
        say(text);
    }
    bool MayReplace(const std::string& file) override
    {
        if (!options_.overwrite) {
            Clear();
            say(QCoreApplication::translate("mervane-cli", "%1: the file exists (--overwrite replaces it)")
                    .arg(QString::fromStdString(file))
                    .toStdString());
        }
        return options_.overwrite;
    }
    void TrackFinished(const CdTrackResult& r) override
    {
        if (options_.quiet || !r.written)
            return;
        Clear();
        std::fprintf(stderr, "%s%s\n", r.file.c_str(), r.verdictLine.empty() ? "" : ("  " + r.verdictLine).c_str());
    }
    void Finished(const CdRunSummary& summary) override
    {
        Clear();
        for (const CdTrackResult& r : summary.tracks) {
            if (options_.json)
                PrintJson(r);
            if (!options_.quiet)
                std::fprintf(stderr, "%s\n", TrackLine(r).c_str());
        }
        if (!options_.quiet)
            std::fprintf(stderr, "%s\n", summary.Line().c_str());
        std::fflush(stdout);
    }

private:
    // "Track 3: /music/03 Song.mp3, accurate" (or ", not written", or the error's first line).
    static std::string TrackLine(const CdTrackResult& r)
    {
        QStringList parts{QString::fromStdString(r.file)};
        if (!r.verdict.empty())
            parts << QString::fromStdString(CdVerdictText(r.verdict));
        if (!r.error.empty())
            parts << QString::fromStdString(r.error.substr(0, r.error.find('\n')));
        else if (!r.written)
            parts << QCoreApplication::translate("mervane-cli", "not written");
        return QCoreApplication::translate("mervane-cli", "Track %1: %2")
            .arg(QString::number(r.track), parts.join(", "))
            .toStdString();
    }

    void Draw(int percent)
    {
        if (!showProgress_)
            return;
        const QString progress = recording_ ? QCoreApplication::translate("mervane-cli", "%1 record %2%, encoded %3%")
                                            : QCoreApplication::translate("mervane-cli", "%1 extract %2%, encoded %3%");
        std::string line = progress
                               .arg(QString::fromStdString(name_), QString::number(percent), QString::number(encoded_))
                               .toStdString();
        if (!verdict_.empty())
            line += "  " + verdict_;
        std::fprintf(stderr, "\r\033[K%s", line.c_str());
        std::fflush(stderr);
        drawn_ = true;
    }
    void Clear()
    {
        if (drawn_) {
            std::fputs("\r\033[K", stderr);
            drawn_ = false;
        }
    }
    void PrintJson(const CdTrackResult& r) const
    {
        QJsonObject o;
        o["track"] = r.track;
        o["output"] = QString::fromStdString(r.file);
        o["result"] = r.written ? "ok" : r.skipped ? "kept" : "failed";
        std::error_code ec;
        o["bytes"] = r.written ? static_cast<double>(fs::file_size(r.file, ec)) : 0.0;
        if (!r.verdict.empty()) {
            QJsonObject v;
            v["verdict"] = QString::fromStdString(r.verdict);
            v["confidence"] = r.confidence;
            v["others"] = r.others;
            o["accuraterip"] = v;
        }
        if (!r.readErrors.empty())
            o["read_errors"] = QString::fromStdString(r.readErrors);
        if (!r.error.empty())
            o["error"] = QString::fromStdString(r.error);
        std::fputs(QJsonDocument(o).toJson(QJsonDocument::Compact).constData(), stdout);
        std::fputc('\n', stdout);
    }

    const CliOptions& options_;
    bool showProgress_;
    bool recording_;  // tracks are recorded through the sound card, not extracted
    bool drawn_ = false;
    std::string name_;
    std::string verdict_;
    int encoded_ = 0;
};

int ripDisc(const CliOptions& options)
{
    const std::unique_ptr<CdDisc> disc = options.device.empty()
                                             ? CdDisc::OpenConfigured(CdDeviceSetting(ProfileFile::Settings()))
                                             : CdDisc::Open(options.device);
    if (!disc->DiscPresent())
        throw EMervaneError(QCoreApplication::translate("mervane-cli", "there is no disc in %1")
                                .arg(QString::fromStdString(disc->Device()))
                                .toStdString());
    const std::vector<int> chosen = ChosenCdTracks(options, *disc);
    const std::optional<DiscDetails> found = lookUp(options, *disc);

    // The details of each track: those given on the command line (what they leave empty
    // the lookup fills), else those found, as the wizard's details pages take them.
    const auto detailsOf = [&](int number) -> std::optional<TrackDetails> {
        if (options.detailsGiven) {
            TrackDetails d = options.details;
            d.track = number;
            if (found) {
                const TrackDetails f = DetailsOfFound(number, *found, d.year);
                for (auto [mine, theirs] : {std::pair{&d.title, &f.title}, {&d.artist, &f.artist}, {&d.album, &f.album}})
                    if (mine->empty())
                        *mine = *theirs;
                // No option gives these: they come from the disc.
                d.composer = f.composer;
                d.isrc = f.isrc;
            }
            return d;
        }
        if (found)
            return DetailsOfFound(number, *found, kDefaultTagYear);
        return std::nullopt;
    };
    const LookupSettings names = ReadLookupSettings();
    std::string folder = options.output.empty() ? std::string(".") : options.output;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (folder.back() != '/')
        folder += '/';
    std::vector<CdNamedTrack> listed;
    for (const CdTrack& t : disc->Tracks()) {
        CdNamedTrack n;
        n.number = t.number;
        n.chosen = std::find(chosen.begin(), chosen.end(), t.number) != chosen.end();
        const std::optional<TrackDetails> d = detailsOf(t.number);
        n.fields = options.detailsGiven && d ? FieldsOfDetails(t.number, *d) : FieldsOfFound(t.number, found ? &*found : nullptr);
        listed.push_back(std::move(n));
    }
    std::vector<CdRunTrack> tracks;
    for (int number : chosen) {
        CdRunTrack t;
        t.number = number;
        t.file = CdTrackFileName(listed, number, folder, names.fileNames, names.safeNames);
        t.details = detailsOf(number);
        tracks.push_back(std::move(t));
    }

    CdRunSettings settings;
    settings.encoder = ApplyEncoderOptions(options, EncoderSettings::Read(ProfileFile::Settings()));
    settings.bitRateIndex = options.bitRateIndex.value_or(kDefaultBitRateIndex);
    settings.jobs = options.jobs > 0 ? options.jobs : settings.encoder.jobs;
    settings.device = disc->Device();
    settings.read = CdReadSettings::FromProfile(ProfileFile::Settings());
    settings.folder = folder;
    std::string album = found ? found->album : std::string();
    if (options.detailsGiven && !options.details.album.empty())
        album = options.details.album;
    settings.ripFilesName = RipFilesName(album, names.safeNames);
    settings.discTrackCount = disc->TrackCount();
    settings.rip = !options.record;
    // --cover gives the picture; otherwise the found release's cover, unless --no-cover.
    settings.cover = options.details.cover;
    if (!settings.cover && !options.noCover && found) {
        std::atomic<bool> cancel{false};
        FoundCover cover;
        const std::string discId = IdentifyDisc(disc->Tracks(), disc->LeadOutSector()).musicBrainzId;
        // The request blocks: it runs on a thread of its own, as the wizard's does.
        std::thread worker([&] { cover = FindCover(discId, *found, names, cancel); });  // worker thread
        worker.join();
        settings.cover = cover.picture;
        settings.coverLine = cover.line;
        // The line the rip log keeps, in the log's English.
        if (!options.quiet)
            std::fprintf(stderr, "%s\n", cover.line.c_str());
    }

    ConsoleCdListener listener(options);
    // With --record the door records each track through the sound card, as the wizard's
    // record method does; the run does the rest.
    CdRunDoor door;
    std::unique_ptr<CdRecorder> recorder;
    if (options.record) {
        recorder = std::make_unique<CdRecorder>(options);
        door.record = [&](int track, const std::string& wave) {
            return recorder->Record(
                track, wave, [&](int percent) { listener.ReadProgress(percent); },
                [&](const std::string& why) { listener.Message(why); });
        };
    }
    CdRun run(std::move(settings), std::move(tracks), listener, std::move(door));
    // Ctrl+C stops the extraction and every encoding; what was not whole goes.
    QTimer interrupt;
    QObject::connect(&interrupt, &QTimer::timeout, [&] {
        if (InterruptCount() > 0 && !run.Cancelled())
            run.Cancel();
    });
    interrupt.start(100);
    const CdRunSummary summary = run.Run();
    if (InterruptCount() > 0)
        return kExitInterrupted;
    for (const CdTrackResult& r : summary.tracks)
        if (!r.written)
            return kExitFailed;
    return kExitOk;
}
}  // namespace

int RunCd(const CliOptions& options)
{
    auto previous = SetAppDialogs(std::make_unique<CdConsoleDialogs>());
    const ErrorReporter previousReporter = SetErrorReporter(say);
    int status = kExitFailed;
    OpenInstanceFolder();
    try {
        status = ripDisc(options);
    } catch (...) {
        CloseInstanceFolder();
        SetErrorReporter(previousReporter);
        SetAppDialogs(std::move(previous));
        throw;
    }
    CloseInstanceFolder();
    SetErrorReporter(previousReporter);
    SetAppDialogs(std::move(previous));
    return status;
}
