#include "cli/JobRunner.h"

#include "cli/Interrupt.h"
#include "cli/SourceList.h"
#include "mixer/CardSetup.h"
#include "mixer/OutputGuard.h"
#include "mixer/TrackTag.h"
#include "mixer/WaveCheck.h"
#include "mpeg/TagFile.h"
#include "platform/device/MediaDevice.h"
#include "platform/os/MessageTarget.h"
#include "platform/card/MixerService.h"
#include "platform/card/SoundCard.h"
#include "platform/card/SoundLine.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/Paths.h"
#include "platform/os/ProfileFile.h"
#include "stream/MMWavIn.h"
#include "wave/MMWave.h"
#include "platform/os/Translations.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <filesystem>

namespace {
RecordLevel levelOf(const std::string& source)
{
    return source == "mic" ? RecordLevel::Mic : source == "line" ? RecordLevel::Line : RecordLevel::Aux;
}
}  // namespace

JobRunner::JobRunner(const CliOptions& options, Progress progress)
    : options_(options), progress_(std::move(progress))
{
    const ProfileFile settings = ProfileFile::Settings();
    state_.encoder = ApplyEncoderOptions(options, EncoderSettings::Read(settings));
    for (std::size_t i = 0; i < state_.recordLevels.size(); ++i)
        state_.recordLevels[i] = settings.ReadInteger("RECORD_LEVEL", kRecordLevelKeys[i], kDefaultRecordLevel);
    state_.bitRateIndex = options.bitRateIndex.value_or(kDefaultBitRateIndex);
    state_.copyright = options.details.copyright;
    state_.original = options.details.original;
    state_.sourceKind = options.command == "record" ? options.source : options.command;
    if (options.command == "wave") {
        // A wave file needs no sound card and no mixer.
        form2_ = std::make_unique<TForm2>(state_, static_cast<IMixerService*>(nullptr));
    } else {
        card_ = CreateSoundCard([&](SoundCardSettings& s) { ApplyRecordDevice(options, s); });
        form2_ = std::make_unique<TForm2>(state_);
    }
    WizardHooks hooks;
    hooks.WriteTag = [this](const std::string& file) {
        state_.tag = std::make_unique<TMPEGAudio>();
        // Only what was given: a track number of 0 is none.
        TrackDetails details = options_.details;
        std::string trackText = details.track > 0 ? std::to_string(details.track) : std::string();
        // Each track of a split carries its own number, of how many, as the wizard's do.
        if (splitRun_ && !splitRun_->Done()) {
            details.track = splitRun_->Track();
            trackText = std::to_string(details.track) + "/" + std::to_string(splitRun_->Count());
        }
        return WriteTrackTag(form2_->MP3Encoder, *state_.tag, file, details, trackText, nullptr);
    };
    hooks.FinishUp = [] {};
    hooks.EnableTimer1 = [](bool) {};
    hooks.ShowConversionProgress = [this](int percent) { ActiveRun().ConversionProgress(percent); };
    // The stop handler's last word on the file follows in the same call, before the wait
    // looks at done_ again.
    hooks.EncodingEnded = [this](bool completed) { ActiveRun().EncodingEnded(completed); };
    hooks.RecordingStopped = [this] { recordingStopped_ = true; };
    hooks.RecordingFailed = [this](const std::string& message) {
        AddError(message);
        recordingStopped_ = true;
        if (state_.midiPlaying) {
            state_.cancel = true;
            form2_->MediaPlayer1.Stop();
        }
    };
    hooks.PlaybackEnded = [this](bool completed) {
        run_->PlaybackEnded(completed);
        if (state_.cancel)
            done_ = true;  // nothing is encoded
    };
    hooks.MakeMP3 = [this](const std::string& input, const std::string& output) { StartEncoding(input, output); };
    form2_->SetWizardHooks(std::move(hooks));
    run_ = std::make_unique<FileRun>(*form2_, state_, static_cast<FileRunListener&>(*this));
    poll_.setInterval(100);
    QObject::connect(&poll_, &QTimer::timeout, [this] { Guarded([&] { Poll(); }); });
}

JobRunner::~JobRunner()
{
    poll_.stop();
    // The sources selected for the take go back as the wizard leaves them when it closes.
    if (card_)
        Guarded([&] { form2_->RestoreMixer(); });
    form2_.reset();
    card_.reset();
}

void JobRunner::AddError(const std::string& text)
{
    // The take recorded until the device stopped is in the temporary file: it is encoded,
    // as the wizard lets it be, and the user learns why it is short.
    if (text.rfind(TranslatedMessage(kRecordingDeviceLostMessage), 0) == 0 && options_.command == "record" && stage_ == "record") {
        outcome_.notes.push_back(text);
        recordingStopped_ = true;
        return;
    }
    outcome_.errors.push_back(text);
}

void JobRunner::RunProgress(FileStage stage, int percent)
{
    progress_(stage == FileStage::Convert ? "convert" : stage == FileStage::Play ? "play" : "encode", percent);
}

void JobRunner::RunFinished(const FileRunResult& result)
{
    completed_ = result.ok;
    done_ = true;
    outcome_.seconds = result.seconds;
    if (result.ok && result.output != requestedOutput_) {
        outcome_.output = result.output;
        outcome_.notes.push_back(
            QCoreApplication::translate("mervane-cli",
                                        "another program wrote %1 while this MP3 was being made; this MP3 was saved as %2")
                .arg(QString::fromStdString(requestedOutput_), QString::fromStdString(result.output))
                .toStdString());
    }
}

JobOutcome JobRunner::Run(const std::string& input, const std::string& output)
{
    outcome_ = {};
    requestedOutput_ = output;
    done_ = completed_ = recordingStopped_ = false;
    state_.cancel = false;
    poll_.start();
    try {
        std::error_code ec;
        if (!options_.overwrite && std::filesystem::exists(output, ec))
            throw EMervaneError(QCoreApplication::translate("mervane-cli", "%1: the file exists (--overwrite replaces it)")
                                    .arg(QString::fromStdString(output))
                                    .toStdString());
        if (options_.command == "wave")
            RunWave(input, output);
        else if (options_.command == "midi")
            RunMidi(input, output);
        else
            RunRecord(output);
    } catch (...) {
        ReportCurrentException();
    }
    poll_.stop();
    RemoveTemporaryWave();
    if (interrupted_) {
        outcome_.result = JobOutcome::Interrupted;
    } else if (done_ && completed_ && outcome_.errors.empty()) {
        outcome_.result = JobOutcome::Ok;
        std::error_code ec;
        outcome_.bytes = static_cast<std::int64_t>(
            std::filesystem::file_size(outcome_.output.empty() ? output : outcome_.output, ec));
    }
    return outcome_;
}

FileRun& JobRunner::ActiveRun()
{
    return splitRun_ ? splitRun_->Run() : *run_;
}

JobOutcome JobRunner::RunSplit(const std::string& input, const TrackSplit& split,
                               const std::vector<std::string>& outputs)
{
    outcome_ = {};
    requestedOutput_ = outputs.empty() ? std::string() : outputs.back();
    done_ = completed_ = recordingStopped_ = false;
    state_.cancel = false;
    poll_.start();
    try {
        std::error_code ec;
        for (const std::string& output : outputs)
            if (!options_.overwrite && std::filesystem::exists(output, ec))
                throw EMervaneError(QCoreApplication::translate("mervane-cli", "%1: the file exists (--overwrite replaces it)")
                                        .arg(QString::fromStdString(output))
                                        .toStdString());
        splitRun_ = std::make_unique<SplitRun>(*form2_, state_, static_cast<FileRunListener&>(*this), split, outputs);
        stage_ = "encode";
        splitRun_->StartOnFile(input);
        Wait();
    } catch (...) {
        ReportCurrentException();
    }
    poll_.stop();
    RemoveTemporaryWave();
    if (interrupted_)
        outcome_.result = JobOutcome::Interrupted;
    else if (done_ && completed_ && outcome_.errors.empty())
        outcome_.result = JobOutcome::Ok;
    return outcome_;
}

void JobRunner::RunWave(const std::string& input, const std::string& output)
{
    stage_ = "convert";
    state_.inputFileName = input;  // the converted copy's name when there is one
    run_->StartWave(input, output);
    if (!state_.encodingInProgress)
        return;
    stage_ = "encode";
    Wait();
}

void JobRunner::RunMidi(const std::string& input, const std::string& output)
{
    // Nobody listens to a command line's render: it runs as fast as the encoder takes it,
    // unless --real-time asks to hear it.
    stage_ = "play";
    run_->StartMidi(input, output, !options_.realTime);
    Wait();
    form2_->MediaPlayer1.Close();
}

void JobRunner::RunRecord(const std::string& output)
{
    RefuseUnsafeOutput(TemporaryWavePath(), output, OutputInput::Recording);
    const RecordLevel level = levelOf(options_.source);
    // A source the card has no line for (its capture device is not set up or cannot be
    // opened) would record silence: the take is refused with the card's reason instead.
    struct Source {
        bool available;
        std::uint32_t type;
    };
    const Source source = level == RecordLevel::Mic    ? Source{form2_->MicAvailable, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE}
                          : level == RecordLevel::Line ? Source{form2_->LineAvailable, MIXERLINE_COMPONENTTYPE_SRC_LINE}
                                                       : Source{form2_->AuxAvailable, MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY};
    if (!source.available) {
        const std::string why = WhyNoLine(source.type);
        throw EMervaneError(why.empty() ? QCoreApplication::translate("mervane-cli", "the sound card has no %1 input")
                                              .arg(QString::fromStdString(options_.source))
                                              .toStdString()
                                        : why);
    }
    switch (level) {
    case RecordLevel::Mic: form2_->SelMIC(); break;
    case RecordLevel::Line: form2_->SelLin(); break;
    default: form2_->SelAUX(); break;
    }
    TMMWaveRecorder& recorder = form2_->MMWaveRecorder1;
    const std::string temporary = TemporaryWavePath();
    recorder.Wave()->SetFileName(temporary);
    // A take runs from its start to the time limit or Ctrl+C.
    recorder.WaveIn().SetRecordPlay(false);
    stage_ = "record";
    // --seconds counts the audio taken, not the clock on the wall: the wave-in cuts the
    // buffer that crosses the limit and stops, so the take holds exactly that much whatever
    // pace the card runs at.
    recorder.SetMaxRecordTime(options_.seconds > 0 ? static_cast<std::int64_t>(options_.seconds) * 44100 * 4 : -1);
    struct Unlimit {
        TMMWaveRecorder& r;
        ~Unlimit() { r.SetMaxRecordTime(-1); }
    } unlimit{recorder};
    recorder.StartRecording();
    QEventLoop loop;
    while (!recordingStopped_ && !interrupted_ && outcome_.errors.empty())
        loop.processEvents(QEventLoop::WaitForMoreEvents);  // the poll timer wakes it
    recorder.StopRecording();
    if (interrupted_ || !outcome_.errors.empty())
        return;
    StartEncoding(temporary, output);
    Wait();
}

void JobRunner::StartEncoding(const std::string& input, const std::string& output)
{
    stage_ = "encode";
    run_->Encode(input, output);
}

void JobRunner::Wait()
{
    QEventLoop loop;
    while (!done_) {
        if (interrupted_ && !state_.encodingInProgress && !state_.midiPlaying)
            break;
        loop.processEvents(QEventLoop::WaitForMoreEvents);  // the poll timer wakes it
    }
}

void JobRunner::Poll()
{
    if (InterruptCount() != interruptsSeen_) {
        interruptsSeen_ = InterruptCount();
        Interrupt();
    }
    if (stage_ == "encode" || stage_ == "play") {
        ActiveRun().Tick();
    } else if (stage_ == "record" && options_.seconds > 0) {
        const double seconds = static_cast<double>(form2_->MMWaveRecorder1.Wave()->DataBytes()) / (44100.0 * 4);
        progress_(stage_, std::min(100, static_cast<int>(seconds * 100 / options_.seconds)));
    }
}

void JobRunner::Interrupt()
{
    TMMWaveRecorder& recorder = form2_->MMWaveRecorder1;
    // The first Ctrl+C ends a live take cleanly, and the take is encoded.
    if (stage_ == "record" && options_.command == "record" && !interrupted_) {
        recorder.StopRecording();
        recordingStopped_ = true;
        return;
    }
    // Anything else stops: what was written so far is removed.
    interrupted_ = true;
    state_.cancel = true;
    if (state_.midiPlaying)
        form2_->MediaPlayer1.Stop();
    if (recorder.IsStarted())
        recorder.StopRecording();
    form2_->AbandonEncoding();
}
