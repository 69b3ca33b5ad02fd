#include "cli/Batch.h"

#include "cli/Interrupt.h"
#include "mixer/OutputName.h"
#include "platform/os/ErrorReport.h"
#include "platform/cd/CdDisc.h"
#include "platform/os/Dialogs.h"
#include "platform/os/InstanceFolder.h"
#include "platform/os/Terminal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <thread>

namespace fs = std::filesystem;

std::vector<std::string> PlanOutputs(const CliOptions& options)
{
    std::vector<std::string> outputs;
    const std::string& o = options.output;
    std::error_code ec;
    const bool folder = !o.empty() && (options.inputs.size() > 1 || o.back() == '/' || fs::is_directory(o, ec));
    if (folder && fs::exists(o, ec) && !fs::is_directory(o, ec))
        throw CliUsageError(QCoreApplication::translate("mervane-cli", "-o %1 is a file, but several inputs need a folder")
                                .arg(QString::fromStdString(o))
                                .toStdString());
    for (const std::string& input : options.inputs) {
        const std::string beside = Mp3NameFor(input);
        if (o.empty())
            outputs.push_back(beside);
        else if (folder)
            outputs.push_back((fs::path(o) / fs::path(beside).filename()).string());
        else
            outputs.push_back(o);
    }
    // Two inputs of the same name would race for one output.
    for (std::size_t i = 0; i < outputs.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (fs::path(outputs[i]).lexically_normal() == fs::path(outputs[j]).lexically_normal())
                throw CliUsageError(QCoreApplication::translate("mervane-cli", "%1 and %2 would both become %3")
                                        .arg(QString::fromStdString(options.inputs[j]),
                                             QString::fromStdString(options.inputs[i]), QString::fromStdString(outputs[i]))
                                        .toStdString());
    if (folder && !fs::create_directories(o, ec) && ec)
        throw EMervaneError(QCoreApplication::translate("mervane-cli", "cannot make the folder %1: %2")
                                .arg(QString::fromStdString(o), QString::fromStdString(ec.message()))
                                .toStdString());
    return outputs;
}

namespace {
std::string clock(double seconds)
{
    const int s = static_cast<int>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d", s / 60, s % 60);
    return text;
}

// The progress line, the error lines and the JSON report of a run.
class Report {
public:
    Report(const CliOptions& options, std::vector<std::string> inputs, std::vector<std::string> outputs)
        : options_(options), inputs_(std::move(inputs)), outputs_(std::move(outputs)),
          results_(inputs_.size()), showProgress_(!options.quiet && !options.worker && ErrorStreamIsTerminal())
    {
        clock_.start();
    }

    void Started(std::size_t i) { running_[i] = {"start", 0}; }

    void Progress(std::size_t i, const std::string& stage, int percent)
    {
        // A file that is converted or played first counts that stage as its first half.
        if (stage == "convert" || stage == "play" || stage == "record" || stage == "extract")
            twoStages_.insert(i);
        running_[i] = {stage, percent};
        Draw();
    }

    // Redraws the line so that its clocks move between progress reports.
    void Tick()
    {
        if (clock_.elapsed() - drawnAt_ >= 1000)
            Draw();
    }

    void Finished(std::size_t i, JobOutcome outcome)
    {
        running_.erase(i);
        ClearLine();
        if (outcome.result == JobOutcome::Failed) {
            if (outcome.errors.empty())
                outcome.errors.push_back(QCoreApplication::translate("mervane-cli", "failed").toStdString());
            for (const std::string& e : outcome.errors)
                std::fprintf(stderr, "mervane-cli: %s: %s\n", Name(i).c_str(), e.c_str());
        }
        for (const std::string& note : outcome.notes)
            std::fprintf(stderr, "mervane-cli: %s: %s\n", Name(i).c_str(), note.c_str());
        results_[i] = std::move(outcome);
        // The report keeps the inputs' order, whatever order they finish in.
        while (printed_ < results_.size() && results_[printed_]) {
            Print(printed_);
            ++printed_;
        }
        Draw();
    }

    // Prints the results still held back by an input that did not finish.
    void Flush()
    {
        ClearLine();
        for (; printed_ < results_.size(); ++printed_)
            if (results_[printed_])
                Print(printed_);
        std::fflush(stdout);
    }

    // The run's last words: after Ctrl+C which files were kept, else (unless --quiet) one
    // line with the files, their audio, the time taken and the failures.
    void Summary(bool interrupted)
    {
        ClearLine();
        std::size_t made = 0, failed = 0;
        double audio = 0;
        std::string kept;
        for (std::size_t i = 0; i < results_.size(); ++i) {
            const auto& r = results_[i];
            if (r && r->result == JobOutcome::Ok) {
                ++made;
                audio += r->seconds;
                kept += (kept.empty() ? "" : ", ") + fs::path(Output(i)).filename().string();
            } else if (r && r->result == JobOutcome::Failed) {
                ++failed;
            }
        }
        if (interrupted) {
            const QString line =
                made == 0 ? QCoreApplication::translate(
                                "mervane-cli",
                                "interrupted: no file was finished; the unfinished ones and every temporary file were removed")
                          : QCoreApplication::translate("mervane-cli",
                                                        "interrupted: kept the finished %1: %2; the unfinished ones and every "
                                                        "temporary file were removed")
                                .arg(filesText(made), QString::fromStdString(kept));
            std::fprintf(stderr, "mervane-cli: %s\n", line.toUtf8().constData());
        } else if (!options_.quiet && !options_.worker) {
            const QString failures = failed == 0 ? QCoreApplication::translate("mervane-cli", "no failures")
                                                 : QCoreApplication::translate("mervane-cli", "%1 failed").arg(int(failed));
            const QString line = QCoreApplication::translate("mervane-cli", "%1, %2 of audio in %3, %4")
                                     .arg(filesText(results_.size()), QString::fromStdString(clock(audio)),
                                          QString::fromStdString(clock(static_cast<double>(clock_.elapsed()) / 1000)),
                                          failures);
            std::fprintf(stderr, "mervane-cli: %s\n", line.toUtf8().constData());
        }
        std::fflush(stderr);
    }

    int Status(bool interrupted) const
    {
        if (interrupted)
            return kExitInterrupted;
        for (const auto& r : results_)
            if (!r || r->result != JobOutcome::Ok)
                return kExitFailed;
        return kExitOk;
    }

private:
    std::string Name(std::size_t i) const { return inputs_[i].empty() ? outputs_[i] : inputs_[i]; }
    std::string Output(std::size_t i) const
    {
        return results_[i] && !results_[i]->output.empty() ? results_[i]->output : outputs_[i];
    }
    static QString filesText(std::size_t n)
    {
        return n == 1 ? QCoreApplication::translate("mervane-cli", "1 file")
                      : QCoreApplication::translate("mervane-cli", "%1 files").arg(qulonglong(n));
    }

    // A stage of the progress line in the user's language; the workers report it in English.
    static QString stageText(const std::string& stage)
    {
        if (stage == "start")
            return QCoreApplication::translate("mervane-cli", "start");
        if (stage == "convert")
            return QCoreApplication::translate("mervane-cli", "convert");
        if (stage == "play")
            return QCoreApplication::translate("mervane-cli", "play");
        if (stage == "record")
            return QCoreApplication::translate("mervane-cli", "record");
        if (stage == "extract")
            return QCoreApplication::translate("mervane-cli", "extract");
        if (stage == "encode")
            return QCoreApplication::translate("mervane-cli", "encode");
        return QString::fromStdString(stage);
    }

    void Print(std::size_t i)
    {
        const JobOutcome& r = *results_[i];
        if (!options_.json || r.result == JobOutcome::Interrupted)
            return;
        QJsonObject o;
        o["input"] = QString::fromStdString(inputs_[i]);
        o["output"] = QString::fromStdString(Output(i));
        o["seconds"] = r.seconds;
        o["bytes"] = static_cast<double>(r.bytes);
        o["result"] = r.result == JobOutcome::Ok ? "ok" : "failed";
        if (!r.errors.empty()) {
            std::string text;
            for (const std::string& e : r.errors)
                text += (text.empty() ? "" : "\n") + e;
            o["error"] = QString::fromStdString(text);
        }
        if (!r.notes.empty()) {
            std::string text;
            for (const std::string& n : r.notes)
                text += (text.empty() ? "" : "\n") + n;
            o["note"] = QString::fromStdString(text);
        }
        std::fputs(QJsonDocument(o).toJson(QJsonDocument::Compact).constData(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }

    void ClearLine()
    {
        if (showProgress_ && drawn_) {
            std::fputs("\r\033[K", stderr);
            drawn_ = false;
        }
    }

    void Draw()
    {
        if (!showProgress_ || running_.empty())
            return;
        const std::size_t finished = static_cast<std::size_t>(
            std::count_if(results_.begin(), results_.end(), [](const auto& r) { return r.has_value(); }));
        double done = static_cast<double>(finished);
        std::string line;
        for (const auto& [i, p] : running_) {
            // Each file with its place in the run: "[2/4] hires.wav encode 40%".
            line += std::string(line.empty() ? "" : ", ") + "[" + std::to_string(i + 1) + "/" +
                    std::to_string(results_.size()) + "] " +
                    QCoreApplication::translate("mervane-cli", "%1 %2 %3%")
                        .arg(QString::fromStdString(fs::path(Name(i)).filename().string()), stageText(p.first),
                             QString::number(p.second))
                        .toStdString();
            const double share = p.second / 100.0;
            if (!twoStages_.contains(i))
                done += share;
            else
                done += p.first == "encode" ? 0.5 + share / 2 : share / 2;
        }
        const double elapsed = static_cast<double>(clock_.elapsed()) / 1000;
        line += "  " + clock(elapsed);
        if (done > 0)
            line += QCoreApplication::translate("mervane-cli", ", %1 left")
                        .arg(QString::fromStdString(clock(elapsed * (static_cast<double>(results_.size()) - done) / done)))
                        .toStdString();
        std::fprintf(stderr, "\r\033[K%s", line.c_str());
        std::fflush(stderr);
        drawn_ = true;
        drawnAt_ = clock_.elapsed();
    }

    const CliOptions& options_;
    std::vector<std::string> inputs_;
    std::vector<std::string> outputs_;
    std::vector<std::optional<JobOutcome>> results_;
    std::map<std::size_t, std::pair<std::string, int>> running_;
    std::set<std::size_t> twoStages_;
    qint64 drawnAt_ = 0;
    std::size_t printed_ = 0;
    bool showProgress_;
    bool drawn_ = false;
    QElapsedTimer clock_;
};

// "error" lines carry their text with '\\' and newlines escaped.
std::string escapeLine(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::string unescapeLine(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            out += text[i + 1] == 'n' ? '\n' : text[i + 1];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// One worker process and what it has said so far.
struct Worker {
    std::size_t index = 0;
    std::unique_ptr<QProcess> process;
    std::string pending;  // stdout not yet ended by a newline
    JobOutcome outcome;
    bool gotResult = false;
    bool finished = false;
};

void readWorker(Worker& w, Report& report)
{
    w.pending += w.process->readAllStandardOutput().toStdString();
    std::size_t end;
    while ((end = w.pending.find('\n')) != std::string::npos) {
        const std::string line = w.pending.substr(0, end);
        w.pending.erase(0, end + 1);
        if (line.starts_with("progress ")) {
            const auto space = line.find(' ', 9);
            if (space != std::string::npos)
                report.Progress(w.index, line.substr(9, space - 9), std::atoi(line.c_str() + space + 1));
        } else if (line.starts_with("error ")) {
            w.outcome.errors.push_back(unescapeLine(line.substr(6)));
        } else if (line.starts_with("note ")) {
            w.outcome.notes.push_back(unescapeLine(line.substr(5)));
        } else if (line.starts_with("output ")) {
            w.outcome.output = unescapeLine(line.substr(7));
        } else if (line.starts_with("result ")) {
            char result[16] = {};
            double seconds = 0;
            long long bytes = 0;
            if (std::sscanf(line.c_str() + 7, "%15s %lf %lld", result, &seconds, &bytes) == 3) {
                const std::string r = result;
                w.outcome.result = r == "ok" ? JobOutcome::Ok
                                   : r == "interrupted" ? JobOutcome::Interrupted
                                                        : JobOutcome::Failed;
                w.outcome.seconds = seconds;
                w.outcome.bytes = bytes;
                w.gotResult = true;
            }
        }
    }
}
}  // namespace

int RunBatch(const std::string& program, const CliOptions& options)
{
    const std::vector<std::string> outputs = PlanOutputs(options);
    Report report(options, options.inputs, outputs);
    const std::size_t jobs = static_cast<std::size_t>(
        options.jobs > 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::unique_ptr<Worker>> running;
    std::size_t next = 0;
    bool interrupted = false;
    QEventLoop loop;
    // Wakes the loop to look for Ctrl+C, which the signal handler only counts.
    QTimer wake;
    wake.start(100);
    while (next < options.inputs.size() || !running.empty()) {
        if (InterruptCount() > 0 && !interrupted) {
            // The running encodes stop and clean up after themselves; nothing new starts.
            interrupted = true;
            for (const auto& w : running)
                if (const qint64 pid = w->process->processId(); pid > 0)
                    ::kill(static_cast<pid_t>(pid), SIGINT);
        }
        while (!interrupted && running.size() < jobs && next < options.inputs.size()) {
            auto w = std::make_unique<Worker>();
            w->index = next;
            w->process = std::make_unique<QProcess>();
            w->process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            QStringList args{"--worker", QString::fromStdString(options.command)};
            for (const std::string& a : options.passOn)
                args << QString::fromStdString(a);
            args << "-o" << QString::fromStdString(outputs[next]) << "--" << QString::fromStdString(options.inputs[next]);
            Worker* raw = w.get();
            QObject::connect(raw->process.get(), &QProcess::readyReadStandardOutput, [raw, &report] { readWorker(*raw, report); });
            QObject::connect(raw->process.get(), &QProcess::finished, [raw] { raw->finished = true; });
            QObject::connect(raw->process.get(), &QProcess::errorOccurred, [raw](QProcess::ProcessError e) {
                if (e == QProcess::FailedToStart)
                    raw->finished = true;
            });
            report.Started(next);
            raw->process->start(QString::fromStdString(program), args);
            running.push_back(std::move(w));
            ++next;
        }
        if (interrupted && next < options.inputs.size())
            next = options.inputs.size();
        loop.processEvents(QEventLoop::WaitForMoreEvents);
        report.Tick();
        for (auto it = running.begin(); it != running.end();) {
            Worker& w = **it;
            if (!w.finished) {
                ++it;
                continue;
            }
            readWorker(w, report);
            if (!w.gotResult) {
                w.outcome.result = JobOutcome::Failed;
                const QString why = w.process->exitStatus() == QProcess::CrashExit || w.process->error() == QProcess::FailedToStart
                                        ? w.process->errorString()
                                        : QCoreApplication::translate("mervane-cli", "the worker ended with status %1")
                                              .arg(w.process->exitCode());
                w.outcome.errors.push_back(why.toStdString());
            }
            report.Finished(w.index, std::move(w.outcome));
            it = running.erase(it);
        }
    }
    report.Flush();
    report.Summary(interrupted);
    return report.Status(interrupted);
}

namespace {
// The dialogs of a program without a display: every message is an error of the running
// job; nothing is ever asked (the answer is No, and the job says what that answer did) and
// no file is ever chosen.
class ConsoleDialogs : public Dialogs {
public:
    explicit ConsoleDialogs(std::function<void(const std::string&)> sink) : sink_(std::move(sink)) {}
    void ShowMessage(const std::string& text) override { sink_(text); }
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> OpenFile(const FileDialogOptions&) override { return std::nullopt; }
    std::optional<std::string> SaveFile(const FileDialogOptions&) override { return std::nullopt; }
    std::optional<std::string> SelectFolder(const std::string&, const std::string&) override { return std::nullopt; }

private:
    std::function<void(const std::string&)> sink_;
};

struct Job {
    std::string input;
    std::string output;
};

// Runs the jobs one after the other on one engine, with the console's messages going to the
// running job; after Ctrl+C no further job starts. The instance folder goes at the end.
void runJobs(const CliOptions& options, const std::vector<Job>& jobs,
             const std::function<void(std::size_t, const std::string&, int)>& progress,
             const std::function<void(std::size_t, JobOutcome)>& finished)
{
    JobRunner* current = nullptr;
    std::vector<std::string> early;
    auto sink = [&](const std::string& text) {
        if (current)
            current->AddError(text);
        else
            early.push_back(text);
    };
    auto previous = SetAppDialogs(std::make_unique<ConsoleDialogs>(sink));
    const ErrorReporter previousReporter = SetErrorReporter(sink);
    std::size_t next = 0;
    try {
        OpenInstanceFolder();
        std::size_t running = 0;
        JobRunner runner(options, [&](const std::string& stage, int percent) { progress(running, stage, percent); });
        // A wave file needs no mixer: the start-up's complaint that there is none does not
        // concern it.
        if (options.command == "wave")
            early.clear();
        current = &runner;
        for (; next < jobs.size(); ++next) {
            if (next > 0 && InterruptCount() > 0)
                break;
            running = next;
            JobOutcome outcome = runner.Run(jobs[next].input, jobs[next].output);
            if (!early.empty()) {
                outcome.errors.insert(outcome.errors.begin(), early.begin(), early.end());
                early.clear();
                if (outcome.result == JobOutcome::Ok)
                    outcome.result = JobOutcome::Failed;
            }
            if (InterruptCount() > 0 && outcome.result != JobOutcome::Ok)
                outcome.result = JobOutcome::Interrupted;
            finished(next, std::move(outcome));
        }
        current = nullptr;
    } catch (...) {
        current = nullptr;
        ReportCurrentException();
    }
    // What went wrong before the first job could start belongs to it.
    if (next < jobs.size() && !early.empty()) {
        JobOutcome outcome;
        outcome.errors = early;
        if (InterruptCount() > 0)
            outcome.result = JobOutcome::Interrupted;
        finished(next, std::move(outcome));
    }
    CloseInstanceFolder();
    SetErrorReporter(previousReporter);
    SetAppDialogs(std::move(previous));
}

}  // namespace

int RunWorker(const CliOptions& options)
{
    const std::string input = options.inputs.empty() ? std::string() : options.inputs.front();
    JobOutcome outcome;
    runJobs(
        options, {{input, options.output}},
        [](std::size_t, const std::string& stage, int percent) {
            std::printf("progress %s %d\n", stage.c_str(), percent);
            std::fflush(stdout);
        },
        [&](std::size_t, JobOutcome o) { outcome = std::move(o); });
    for (const std::string& e : outcome.errors)
        std::printf("error %s\n", escapeLine(e).c_str());
    for (const std::string& n : outcome.notes)
        std::printf("note %s\n", escapeLine(n).c_str());
    if (!outcome.output.empty())
        std::printf("output %s\n", escapeLine(outcome.output).c_str());
    const char* result = outcome.result == JobOutcome::Ok            ? "ok"
                         : outcome.result == JobOutcome::Interrupted ? "interrupted"
                                                                     : "failed";
    std::printf("result %s %.3f %lld\n", result, outcome.seconds, static_cast<long long>(outcome.bytes));
    std::fflush(stdout);
    return outcome.result == JobOutcome::Ok            ? kExitOk
           : outcome.result == JobOutcome::Interrupted ? kExitInterrupted
                                                       : kExitFailed;
}

namespace {
int runHere(const CliOptions& options, const std::vector<Job>& jobs, const std::vector<std::string>& names)
{
    std::vector<std::string> outputs;
    for (const Job& j : jobs)
        outputs.push_back(j.output);
    Report report(options, names, outputs);
    bool interrupted = false;
    runJobs(
        options, jobs, [&](std::size_t i, const std::string& stage, int percent) { report.Progress(i, stage, percent); },
        [&](std::size_t i, JobOutcome outcome) {
            interrupted = interrupted || outcome.result == JobOutcome::Interrupted;
            report.Finished(i, std::move(outcome));
        });
    report.Flush();
    report.Summary(interrupted || InterruptCount() > 0);
    return report.Status(interrupted || InterruptCount() > 0);
}
}  // namespace

int RunInProcess(const CliOptions& options)
{
    return runHere(options, {{"", options.output}}, {""});
}

std::vector<int> ChosenCdTracks(const CliOptions& options, const CdDisc& disc)
{
    std::vector<int> tracks;
    if (options.tracks.empty()) {
        for (const CdTrack& t : disc.Tracks())
            if (t.audio)
                tracks.push_back(t.number);
    } else {
        tracks = ParseTrackList(options.tracks);
        for (int t : tracks) {
            const CdTrack* found = disc.FindTrack(t);
            if (!found)
                throw CliUsageError(
                    QCoreApplication::translate("mervane-cli", "--tracks: the disc has no track %1").arg(t).toStdString());
            if (!found->audio)
                throw CliUsageError(
                    QCoreApplication::translate("mervane-cli", "--tracks: track %1 is a data track").arg(t).toStdString());
        }
    }
    return tracks;
}
