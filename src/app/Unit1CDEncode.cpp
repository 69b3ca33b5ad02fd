// The CD flow's encoding page RecEncCD: every checked track, in list order, is extracted
// digitally (rip mode) or played and recorded through the sound card's CD line (record
// mode) into the temporary wave file, then encoded into the file the FileNames template
// names (by default "Track<n>.mp3") in the chosen folder and tagged. A rip with more than
// one encoder job (ENCODER/Jobs) hands each extracted track, moved into a hidden wave file
// of its own, to the next free encoder and extracts the next track meanwhile; the files
// are the same bytes as one encoder writes. The window keeps answering throughout: the
// extraction and the encoders run on threads of their own and every wait lets window
// messages run, so Cancel is handled at once.
#include "app/Unit1.h"

#include "mixer/TrackEncoders.h"
#include "mixer/Unit2.h"
#include "platform/Errors.h"
#include "platform/card/SoundCard.h"
#include "platform/cd/CDDA.h"
#include "platform/cd/CdRipJob.h"
#include "platform/os/Dialogs.h"
#include "platform/device/MediaDevice.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/Paths.h"
#include "platform/os/ProfileFile.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

namespace {
// The scan for the next checked line gives up past this list position.
constexpr int kLastScanIndex = 100;
// How long Cancel gives the extraction to stop before it asks the user to wait.
constexpr auto kRipStopGrace = std::chrono::milliseconds(300);

constexpr const char* kExtractionFailed = "unable to extract CD data";
constexpr const char* kRipperStopping = "Unable to halt ripper.. please wait";

QString CDTitle(int fileNumber, int count)
{
    return "Encoding AUDIO CD file " + QString::number(fileNumber) + " of " + QString::number(count);
}
}  // namespace

void TForm1::RecEncCDEnter()
{
    // The page starts its work once per run, however often the focus comes back into it.
    if (state_.jobStarted)
        return;
    state_.jobStarted = true;
    state_.scanIndex = 0;
    state_.cancel = false;
    btnBack_->hide();
    // A run that failed before and was started again shows a fresh page.
    RecEncCDAborted->hide();
    RecEncCDCancel->setEnabled(true);
    const bool recording = !state_.ripMode;
    for (const char* name : {"MMLEDGauge8", "MMLEDGauge7", "MMSlider8Caption", "MMSlider8", "MMSlider7",
                             "RecEncCDMonitorLabel"})
        RecEncCD->findChild<QWidget*>(name)->setVisible(recording);
    RecEncCDVerify->setVisible(!recording);
    RecEncCDVerify->clear();
    RecEncCDProgressLabel->setText(recording ? "Recording progress" : "Extraction progress");
    ProcessMessages();
    form2_->SetVolLevel();
    {
        const QSignalBlocker quiet(MMSlider7);
        MMSlider7->setValue(form2_->TrackBar1.Position);
    }
    titles_["RecEncCD"]->setText(CDTitle(1, state_.selectedTrackCount));
    {
        const QSignalBlocker quiet(MMSlider8);
        MMSlider8->setValue(state_.Level(RecordLevel::Cd));
    }
    MMSlider8Change(MMSlider8->value());

    // A recording runs at the speed chosen on SelCDrec; afterwards the card keeps its own pace.
    struct CardPace {
        bool set = false;
        ~CardPace()
        {
            if (SoundCard* card = SoundCard::Current(); card && set)
                card->SetFastClock(card->Settings().fastClock);
        }
    } pace;
    if (SoundCard* card = SoundCard::Current(); card && recording) {
        card->SetFastClock(SelCDrecFast->isChecked());
        pace.set = true;
    }

    cdRunning_ = true;
    bool ended = false;
    try {
        ended = EncodeCDTracks();
    } catch (...) {
        // What stopped the run (an output that cannot be created, a device gone) is
        // reported by the caller; the page ends the run and offers the way back. Encodings
        // still running stop, and leave neither their files nor their tracks' waves.
        cdEncoders_.reset();
        state_.encodingInProgress = false;
        Timer1->stop();
        cdRunning_ = false;
        Timer4->stop();
        state_.cancel = true;
        RecEncCDAborted->show();
        try {
            EndCDPlayer();
        } catch (...) {
            // The player is closed anew when the track list is read again.
        }
        FinishUp();
        OfferBackToInput();
        throw;
    }
    cdRunning_ = false;
    Timer4->stop();
    if (!ended)
        return;  // the internal error: Finish waits for Cancel
    coverLine_ = PutRunCover();
    FinishRipVerification();
    if (!cdReadErrors_.empty()) {
        std::string text = "Some sectors of the CD could not be read:";
        for (const std::string& line : cdReadErrors_)
            text += "\n" + line;
        AppDialogs().ShowMessage(text);
    }
    WriteAlbumGain();
    EndCDPlayer();
    FinishUp();
}

bool TForm1::EncodeCDTracks()
{
    fileNumber_ = 1;
    cdReadErrors_.clear();
    CoverForTheRun();
    // A rip's lookup in the AccurateRip database runs beside the tracks' extraction.
    ripSession_.reset();
    if (state_.ripMode)
        ripSession_ = std::make_unique<RipSession>();
    state_.albumTracks.clear();
    cdFilesDone_ = 0;
    cdFilesSkipped_ = 0;
    cdEncoders_.reset();
    if (state_.ripMode && state_.encoder.jobs > 1)
        cdEncoders_ = std::make_unique<TrackEncoders>(
            state_.encoder, state_.encoder.jobs,
            [this](const TMMMP3Encoder& encoder, const std::string& file, int track) {
                return CDTrackTag(encoder, file, track);
            },
            [this](const TrackEnd& end) { CDTrackEncoded(end); });
    MMGauge5->setValue(0);
    bool internalError = false;
    int remaining = state_.selectedTrackCount;
    // No track starts after Cancel, whether it came during an extraction, a recording or
    // an encoding.
    while (remaining > 0 && !state_.cancel) {
        const auto checked = [this](int index) {
            const QListWidgetItem* line = selCDTracks->item(index);
            return line && line->checkState() == Qt::Checked;
        };
        while (!checked(state_.scanIndex)) {
            if (++state_.scanIndex > kLastScanIndex) {
                AppDialogs().ShowMessageBox("Internal error " + std::to_string(1001), "Error", MessageBoxKind::Error);
                internalError = true;
                break;
            }
        }
        if (internalError)
            break;
        state_.currentTrack = ListedTrack(state_.scanIndex);
        ++state_.scanIndex;
        const std::string output = CDTrackFileName(state_.currentTrack, state_.cdTrackDetails);
        // A name the track details gave after CDoptions asked may still meet a file.
        std::error_code ec;
        if (std::filesystem::exists(output, ec) &&
            std::find(cdReplaceAgreed_.begin(), cdReplaceAgreed_.end(), output) == cdReplaceAgreed_.end() &&
            !AppDialogs().AskYesNo("Replace this file?\n" + output)) {
            --remaining;
            ++cdFilesSkipped_;
            continue;
        }
        RecEncCDOutput->setText(QString::fromStdString(output));
        state_.outputFileName = RecEncCDOutput->text().toStdString();
        // Several encoders: the title counts the files as they finish, and the encoding
        // gauge shows them all together.
        if (!cdEncoders_) {
            titles_["RecEncCD"]->setText(CDTitle(fileNumber_, state_.selectedTrackCount));
            MMGauge5->setValue(0);
        }
        MMGauge6->setValue(0);
        ProcessMessages();

        if (state_.ripMode)
            RipTrack(state_.currentTrack);
        else if (state_.currentTrack == 0)
            CDTrackFailed("The audio before track 1 can only be extracted digitally");  // no player reaches it
        else
            RecordTrack(state_.currentTrack);
        // A cancelled or failed track is not encoded.
        if (state_.cancel)
            break;
        if (state_.cdTrackDetails) {
            const TrackDetails& details = state_.trackDetails.at(static_cast<std::size_t>(state_.currentTrack));
            state_.copyright = details.copyright;
            state_.original = details.original;
        }
        if (cdEncoders_) {
            EncodeTrackBeside(state_.currentTrack);
            --remaining;
            continue;
        }

        state_.cdTrackDone = false;
        Timer1->start();
        state_.encodingInProgress = true;
        try {
            MakeMP3(state_.inputFileName, state_.outputFileName);
        } catch (...) {
            Timer1->stop();
            state_.encodingInProgress = false;
            throw;
        }
        // The encoding's stop handler tags the file and marks the track done.
        WaitWithMessages([this] { return !state_.cdTrackDone; });
        Timer1->stop();
        state_.encodingInProgress = false;
        ++fileNumber_;
        --remaining;
    }
    if (cdEncoders_) {
        // The tracks handed over are encoded to their end (or stopped by Cancel).
        WaitWithMessages([this] { return cdEncoders_->Running() > 0; });
        Timer1->stop();
        state_.encodingInProgress = false;
        cdEncoders_.reset();
        // The album gain takes the tracks in the disc's order, whichever finished first.
        std::stable_sort(state_.albumTracks.begin(), state_.albumTracks.end(),
                         [this](const AlbumTrack& a, const AlbumTrack& b) {
                             return cdEncodedTrack_[a.fileName] < cdEncodedTrack_[b.fileName];
                         });
        cdEncodedTrack_.clear();
    }
    return !internalError;
}

void TForm1::EncodeTrackBeside(int track)
{
    // The next extraction writes the temporary file anew: the track waits for its encoder
    // in a hidden file of its own beside it.
    const std::string wave = TemporaryFolder() + ".mp3tmp-" + std::to_string(track) + ".wav";
    std::error_code ec;
    std::filesystem::rename(state_.inputFileName, wave, ec);
    if (ec) {
        std::filesystem::remove(state_.inputFileName, ec);
        CDTrackFailed(FileReasonLine(wave, ec.value()));
        return;
    }
    WaitWithMessages([this] { return !cdEncoders_->HasFreeEncoder() && !state_.cancel; });
    if (state_.cancel) {
        std::filesystem::remove(wave, ec);
        return;
    }
    TrackJob job;
    job.track = track;
    job.input = wave;
    job.output = state_.outputFileName;
    job.bitRateIndex = state_.bitRateIndex;
    job.copyright = state_.copyright;
    job.original = state_.original;
    cdEncoders_->Start(std::move(job));
    state_.encodingInProgress = true;
    Timer1->start();
}

void TForm1::CDTrackEncoded(const TrackEnd& end)
{
    state_.encodingInProgress = cdEncoders_ && cdEncoders_->Running() > 0;
    if (end.completed) {
        // A track kept for the album gain was tagged under its staged name.
        for (AlbumTrack& t : state_.albumTracks)
            if (t.fileName == end.staged)
                t.fileName = end.published;
        cdEncodedTrack_[end.published] = end.track;
        ++cdFilesDone_;
        titles_["RecEncCD"]->setText(
            CDTitle(std::min(cdFilesDone_ + 1, state_.selectedTrackCount), state_.selectedTrackCount));
        ShowCDEncodingProgress();
    } else if (!state_.cancel && !end.message.empty()) {
        // A file that could not be written ends the run: no further track starts, and the
        // other encodings stop without leaving their files.
        state_.cancel = true;
        RecEncCDAborted->show();
        if (state_.extractionRunning)
            cancelrip();
        if (cdEncoders_)
            cdEncoders_->StopAll();
        OfferBackToInput();
    }
    if (!end.message.empty())
        AppDialogs().ShowMessage(end.message);
}

void TForm1::ShowCDEncodingProgress()
{
    const int files = state_.selectedTrackCount - cdFilesSkipped_;
    const int running = cdEncoders_ ? cdEncoders_->RunningPercentSum() : 0;
    if (files > 0)
        MMGauge5->setValue(std::min(100, (cdFilesDone_ * 100 + running) / files));
}

void TForm1::RipTrack(int track)
{
    extractionProgress_.store(0);
    const std::string temporary = TemporaryWavePath();
    std::error_code ec;
    std::filesystem::remove(temporary, ec);
    state_.inputFileName = temporary;
    // The library writes mp3tmp.wav into the folder it is given: this instance's own.
    const std::string folder = temporary.substr(0, temporary.rfind('/') + 1);
    if (const std::string problem = CddaFolderProblem(folder); !problem.empty()) {
        CDTrackFailed(problem);
        return;
    }
    setOutputDir(folder.c_str());
    MMHiTimer1.SetEnabled(true);
    state_.extractionRunning = true;
    std::uint8_t result = kRipFailed;
    try {
        // Leaving this scope early cancels the extraction and waits for it.
        CdRipJob job;
        job.Start(track);
        WaitWithMessages([&] {
            MMGauge6->setValue(extractionProgress_.load());
            return !job.Done();
        });
        result = job.Result();
    } catch (...) {
        state_.extractionRunning = false;
        MMHiTimer1.SetEnabled(false);
        throw;
    }
    state_.extractionRunning = false;
    MMHiTimer1.SetEnabled(false);
    MMGauge6->setValue(100);
    if (result == kRipOk) {
        if (std::string errors = CddaLibrary().LastReadErrors(); !errors.empty())
            cdReadErrors_.push_back(std::move(errors));
        if (ripSession_) {
            ripSession_->AddTrack(CddaLibrary().LastReport(), state_.outputFileName);
            ShowRipVerification(track);
        }
        return;
    }
    // What a stopped extraction had read is no track: it goes at once.
    std::filesystem::remove(temporary + ".partial", ec);
    // A cancelled extraction is no failure to report: Cancel has said what happened.
    if (!state_.cancel)
        CDTrackFailed(ripmessage());
}

void TForm1::ShowRipVerification(int track)
{
    if (const std::string line = ripSession_->VerificationLine(track); !line.empty())
        RecEncCDVerify->setText(QString::fromStdString(line));
}

void TForm1::FinishRipVerification()
{
    if (!ripSession_)
        return;
    // The lookup has its own deadline; the tracks are all written by now.
    WaitWithMessages([this] { return !ripSession_->LookupDone() && !state_.cancel; });
    if (ripSession_->LookupDone() && state_.currentTrack > 0)
        ShowRipVerification(state_.currentTrack);
    const std::string name = RipFilesName();
    const std::string coverFile = state_.cover ? "cover." + state_.cover->Suffix() : "";
    ripSession_->SetCover(coverLine_, coverLine_ == "Cover: " + coverFile ? coverFile : "");
    if (const std::string problem = ripSession_->WriteLog(cdOutputFolder_, name); !problem.empty())
        AppDialogs().ShowMessage(problem);
    if (const std::string problem = ripSession_->WriteCueSheet(cdOutputFolder_, name); !problem.empty())
        AppDialogs().ShowMessage(problem);
    ripSession_.reset();
}

void TForm1::CDTrackFailed(const std::string& reason)
{
    state_.cancel = true;
    AppDialogs().ShowMessage(std::string(kExtractionFailed) + (reason.empty() ? "" : "\n" + reason));
    RecEncCDCancelClick();
    OfferBackToInput();
}

void TForm1::MMHiTimer1Timer()
{
    // Timer thread. The realtime class is a favour the system may refuse to an ordinary
    // user; the progress goes on being shown either way.
    try {
        SetPriority(3);
    } catch (const ESetPriority&) {
    }
    extractionProgress_.store(getprogress());
    try {
        SetPriority(1);
    } catch (const ESetPriority&) {
    }
}

void TForm1::RecordTrack(int track)
{
    TMediaPlayer& player = MediaPlayer1;
    player.SetTimeFormat(mci::FormatMilliseconds);
    cdTrackLength_ = player.TrackLength(static_cast<std::uint32_t>(track));
    cdTrackStart_ = player.TrackStart(static_cast<std::uint32_t>(track));
    cdTrackEnd_ = cdTrackStart_ + cdTrackLength_;
    cdPlayPosition_ = cdTrackStart_;
    player.SetPlayFrom(cdTrackStart_);
    player.SetPlayTo(cdTrackEnd_);

    const std::string temporary = TemporaryWavePath();
    state_.inputFileName = temporary;
    TMMWaveRecorder& recorder = form2_->MMWaveRecorder1;
    form2_->ReadyRecorderForPlay(temporary);
    if (!form2_->StartRecordedPlay(player)) {
        CDTrackFailed(player.ErrorMessage());
        return;
    }
    Timer4->start();
    Timer5->start();
    WaitWithMessages([&] {
        if (player.DeviceMode() == mpPlaying)
            cdPlayPosition_ = player.CurrentPosition();
        return recorder.IsStarted() && !state_.cancel;
    });
    Timer4->stop();
    MMGauge6->setValue(100);
    recorder.StopRecording();
    // The temporary file could not take the track: the CD stops now and nothing is encoded.
    if (const int error = recorder.WriteError(); error && !state_.cancel) {
        state_.cancel = true;
        EndCDPlayer();
        AppDialogs().ShowMessage(std::string(kRecordingWriteFailedMessage) + "\n" + FileReasonLine(temporary, error));
        RecEncCDCancelClick();
        OfferBackToInput();
        return;
    }
    // A play the disc broke off is no whole track (its end notification has come in
    // during the waits above).
    if (!state_.cancel && player.NotifyResult() == nvFailure)
        CDTrackFailed("The CD could not be read to the end of track " + std::to_string(track));
}

void TForm1::Timer4Timer()
{
    if (cdPlayPosition_ < cdTrackStart_)
        return;
    if (const auto percent = PercentOf(cdPlayPosition_ - cdTrackStart_, cdTrackLength_))
        MMGauge6->setValue(std::min(*percent, 100));
}

void TForm1::WaitWithMessages(const std::function<bool()>& busy)
{
    QTimer look;  // wakes the wait when no message does
    look.start(100);
    while (busy())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TForm1::EndCDPlayer()
{
    const TMPModes mode = MediaPlayer1.DeviceMode();
    if (mode == mpPlaying)
        MediaPlayer1.Stop();
    else if (mode == mpOpen)
        MediaPlayer1.Close();
}

void TForm1::MMSlider8Change(int position)
{
    state_.Level(RecordLevel::Cd) = position;
    form2_->SelCD();
}

void TForm1::MMSlider7Change(int position)
{
    form2_->TrackBar1.Position = position;
    form2_->TrackBar1Change();
}

void TForm1::RecEncCDFinishClick()
{
    state_.jobStarted = true;
    if (state_.encodingInProgress)
        form2_->StopEncoding();
    if (cdEncoders_)
        cdEncoders_->StopAll();
    ProfileFile settings = ProfileFile::Settings();
    settings.WriteInteger("RECORD_LEVEL", kRecordLevelKeys[static_cast<std::size_t>(RecordLevel::Cd)],
                          MMSlider8->value());
    close();
}

void TForm1::RecEncCDCancelClick()
{
    const bool extracting = state_.extractionRunning;
    if (extracting)
        cancelrip();
    state_.cancel = true;
    state_.jobStarted = true;
    RecEncCDAborted->show();
    // The extraction stops between two reads; only one that is still busy after a moment
    // is worth a word.
    if (extracting) {
        const auto until = std::chrono::steady_clock::now() + kRipStopGrace;
        while (CddaLibrary().Running() && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (CddaLibrary().Running())
            AppDialogs().ShowMessage(kRipperStopping);
    }
    EndCDPlayer();
    // A running encoding ends at once; its stop handler tags what was written and marks
    // the track done, which ends the loop's wait. Several encoders stop without leaving
    // their partial files.
    if (state_.encodingInProgress)
        form2_->StopEncoding();
    if (cdEncoders_)
        cdEncoders_->StopAll();
    RecEncCDFinish->setEnabled(true);
}

void TForm1::AbandonCDRun()
{
    if (!cdRunning_)
        return;
    state_.cancel = true;
    if (state_.extractionRunning)
        cancelrip();
    EndCDPlayer();
    if (state_.encodingInProgress)
        form2_->StopEncoding();
    if (cdEncoders_)
        cdEncoders_->StopAll();
}
