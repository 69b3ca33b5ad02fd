// The CD flow's encoding page RecEncCD: the page builds a CdRun of the checked tracks
// with their names and details and shows what the run reports (titles, gauges, the
// verification line, every track's result); the run extracts, encodes, tags, verifies and
// logs. Record mode plays and records each track through the sound card's CD line here,
// and with one encoder the hidden window's chain encodes each track. The window keeps
// answering throughout: every wait lets window messages run, so Cancel is handled at once.
#include "app/Unit1.h"

#include "mixer/Unit2.h"
#include "platform/Errors.h"
#include "platform/card/SoundCard.h"
#include "platform/cd/CDDA.h"
#include "platform/cd/CdDisc.h"
#include "platform/cd/CdRipJob.h"
#include "platform/os/Dialogs.h"
#include "platform/device/MediaDevice.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/Paths.h"
#include "platform/os/ProfileFile.h"
#include "run/CdNames.h"
#include "platform/os/Translations.h"

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

constexpr const char* kExtractionFailed = QT_TRANSLATE_NOOP("TForm1", "unable to extract CD data");
constexpr const char* kRipperStopping = QT_TRANSLATE_NOOP("TForm1", "Unable to halt ripper.. please wait");

QString CDTitle(int fileNumber, int count)
{
    return TForm1::tr("Encoding AUDIO CD file %1 of %2").arg(fileNumber).arg(count);
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
    RecEncCDProgressLabel->setText(recording ? tr("Recording progress") : tr("Extraction progress"));
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
        // still running stop (with the run), and leave neither their files nor their
        // tracks' waves.
        state_.encodingInProgress = false;
        Timer1->stop();
        cdRunning_ = false;
        Timer4->stop();
        DarkenMeters(MMLEDGauges[7], MMLEDGauges[6], Timer5);
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
    DarkenMeters(MMLEDGauges[7], MMLEDGauges[6], Timer5);
    if (!ended)
        return;  // the internal error: Finish waits for Cancel
    EndCDPlayer();
    FinishUp();
}

// The wizard's page as the run's listener: every report goes to the page's widgets.
class CdPageListener : public CdRunListener {
public:
    explicit CdPageListener(TForm1& form) : f_(form) {}

    void TrackStarted(int track, const std::string& file, int position, int count) override
    {
        f_.state_.currentTrack = track;
        f_.RecEncCDOutput->setText(QString::fromStdString(file));
        f_.state_.outputFileName = file;
        // Several encoders: the title counts the files as they finish, and the encoding
        // gauge shows them all together.
        if (!f_.cdRun_->UsesLanes()) {
            f_.titles_["RecEncCD"]->setText(CDTitle(position, count));
            f_.MMGauge5->setValue(0);
        }
        f_.MMGauge6->setValue(0);
        if (!f_.jobNotice_->Running())
            f_.jobNotice_->Started();
        f_.jobNotice_->Progress(count > 0 ? double(position - 1) / count : 0);
        ProcessMessages();
    }
    void ReadProgress(int percent) override { f_.MMGauge6->setValue(percent); }
    void EncodeProgress(int percent) override
    {
        if (!f_.cdRun_ || f_.cdRun_->UsesLanes())
            f_.MMGauge5->setValue(percent);
    }
    void Extracting(bool on) override
    {
        f_.state_.extractionRunning = on;
        f_.MMHiTimer1.SetEnabled(on);
    }
    void TrackRead(const CdTrackResult& result) override
    {
        if (f_.cdRun_->UsesLanes()) {
            f_.state_.encodingInProgress = true;
            f_.Timer1->start();
        }
        f_.ShowCDTrackResult(result);
    }
    void TrackFinished(const CdTrackResult& result) override
    {
        if (f_.cdRun_->UsesLanes()) {
            f_.state_.encodingInProgress = f_.cdRun_->RunningEncoders() > 0;
            if (result.written) {
                ++f_.cdFilesDone_;
                const int count = f_.state_.selectedTrackCount;
                f_.titles_["RecEncCD"]->setText(CDTitle(std::min(f_.cdFilesDone_ + 1, count), count));
            }
        }
        f_.ShowCDTrackResult(result);
    }
    void Verdict(int, const std::string& line) override { f_.RecEncCDVerify->setText(QString::fromStdString(line)); }
    void Message(const std::string& text) override { AppDialogs().ShowMessage(text); }
    bool MayReplace(const std::string& file) override
    {
        const auto& agreed = f_.cdReplaceAgreed_;
        return std::find(agreed.begin(), agreed.end(), file) != agreed.end() ||
               AppDialogs().AskYesNo(TForm1::tr("Replace this file?\n%1").arg(QString::fromStdString(file)).toStdString());
    }
    void Broken() override
    {
        f_.state_.cancel = true;
        f_.RecEncCDAborted->show();
        f_.OfferBackToInput();
    }
    void Finished(const CdRunSummary& summary) override
    {
        f_.jobNotice_->Finished((summary.cancelled || summary.broken ? TForm1::tr("CD run stopped") : TForm1::tr("CD run finished")).toStdString(),
                                summary.Line());
        f_.CDRunEnded(summary);
    }

private:
    TForm1& f_;
};

std::vector<CdRunTrack> TForm1::CDRunTracks() const
{
    std::vector<CdRunTrack> tracks;
    for (int index = 0; index < selCDTracks->count() && index <= kLastScanIndex; ++index) {
        const QListWidgetItem* line = selCDTracks->item(index);
        if (!line || line->checkState() != Qt::Checked)
            continue;
        CdRunTrack t;
        t.number = ListedTrack(index);
        t.file = CDTrackFileName(t.number, state_.cdTrackDetails);
        if (state_.cdTrackDetails)
            t.details = state_.trackDetails.at(static_cast<std::size_t>(t.number));
        else if (discFound_)
            // Found details the user did not go through still tag the files they name.
            t.details = DetailsOfFound(t.number, *discFound_, kDefaultTagYear);
        tracks.push_back(std::move(t));
    }
    return tracks;
}

bool TForm1::EncodeCDTracks()
{
    cdFilesDone_ = 0;
    RecEncCDResults->clear();
    RecEncCDResults->setVisible(state_.ripMode);
    MMGauge5->setValue(0);
    std::vector<CdRunTrack> tracks = CDRunTracks();
    if (tracks.size() != static_cast<std::size_t>(state_.selectedTrackCount)) {
        AppDialogs().ShowMessageBox(tr("Internal error %1").arg(1001).toStdString(), tr("Error").toStdString(), MessageBoxKind::Error);
        return false;
    }
    CdRunSettings settings;
    settings.encoder = state_.encoder;
    settings.bitRateIndex = state_.bitRateIndex;
    settings.jobs = state_.encoder.jobs;
    settings.folder = cdOutputFolder_;
    settings.ripFilesName = RipFilesName();
    settings.discTrackCount = static_cast<int>(state_.cdTrackChecked.size());
    settings.rip = state_.ripMode;
    {
        const ProfileFile profile = ProfileFile::Settings();
        settings.device = ConfiguredCdDevice(CdDeviceSetting(profile));
        settings.read = CdReadSettings::FromProfile(profile);
    }
    CoverForTheRun();
    settings.cover = state_.cover;
    settings.coverLine = coverLine_;
    CdRunDoor door;
    door.record = [this](int track, const std::string& wave) { return RecordTrack(track, wave); };
    door.encodeSerially = [this](const CdRunTrack& track, const std::string& wave) { return EncodeTrackHere(track, wave); };
    cdListener_ = std::make_unique<CdPageListener>(*this);
    cdRun_ = std::make_unique<CdRun>(std::move(settings), std::move(tracks), *cdListener_, std::move(door));
    // The run ends with the page: whatever stops it, its encoders and extraction go.
    struct End {
        TForm1& f;
        ~End()
        {
            f.cdRun_.reset();
            f.state_.encodingInProgress = false;
            f.Timer1->stop();
        }
    } end{*this};
    cdRun_->Run();
    return true;
}

bool TForm1::EncodeTrackHere(const CdRunTrack& track, const std::string& wave)
{
    state_.inputFileName = wave;
    state_.outputFileName = track.file;
    if (track.details) {
        state_.copyright = track.details->copyright;
        state_.original = track.details->original;
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
    // The encoding's stop handler tags the file (through the run) and marks the track done.
    WaitWithMessages([this] { return !state_.cdTrackDone; });
    Timer1->stop();
    state_.encodingInProgress = false;
    std::error_code ec;
    return !state_.cancel && std::filesystem::exists(track.file, ec);
}

void TForm1::ShowCDTrackResult(const CdTrackResult& r)
{
    QStringList parts;
    if (!r.error.empty())
        parts << tr("failed (%1)").arg(QString::fromStdString(r.error).section('\n', 0, 0));
    else if (r.read)
        parts << (state_.ripMode ? tr("read") : tr("recorded"));
    if (!r.verdictLine.empty())
        parts << QString::fromStdString(r.verdictLine.substr(r.verdictLine.find(": ") + 2));
    if (r.written)
        parts << tr("encoded");
    const QString text = tr("Track %1: %2").arg(r.track).arg(parts.join(tr(", ")));
    const bool failed = !r.error.empty() || r.verdict == "not accurate";
    // One line per track, replaced as the track goes on; failures stand first.
    for (int i = 0; i < RecEncCDResults->count(); ++i)
        if (RecEncCDResults->item(i)->data(Qt::UserRole).toInt() == r.track) {
            delete RecEncCDResults->takeItem(i);
            break;
        }
    auto* item = new QListWidgetItem(failed ? "! " + text : text);
    item->setData(Qt::UserRole, r.track);
    item->setData(Qt::UserRole + 1, failed);
    int at = RecEncCDResults->count();
    if (failed) {
        at = 0;
        while (at < RecEncCDResults->count() && RecEncCDResults->item(at)->data(Qt::UserRole + 1).toBool())
            ++at;
    }
    RecEncCDResults->insertItem(at, item);
}

void TForm1::CDRunEnded(const CdRunSummary& summary)
{
    if (!state_.ripMode)
        return;
    for (const CdTrackResult& r : summary.tracks)
        if (r.read || !r.error.empty())
            ShowCDTrackResult(r);
    auto* line = new QListWidgetItem(QString::fromStdString(summary.Line()));
    line->setData(Qt::UserRole, -1);
    RecEncCDResults->addItem(line);
}

void TForm1::CDTrackFailed(const std::string& reason)
{
    state_.cancel = true;
    AppDialogs().ShowMessage(tr(kExtractionFailed).toStdString() + (reason.empty() ? "" : "\n" + reason));
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

bool TForm1::RecordTrack(int track, const std::string& temporary)
{
    TMediaPlayer& player = MediaPlayer1;
    player.SetTimeFormat(mci::FormatMilliseconds);
    cdTrackLength_ = player.TrackLength(static_cast<std::uint32_t>(track));
    cdTrackStart_ = player.TrackStart(static_cast<std::uint32_t>(track));
    cdTrackEnd_ = cdTrackStart_ + cdTrackLength_;
    cdPlayPosition_ = cdTrackStart_;
    player.SetPlayFrom(cdTrackStart_);
    player.SetPlayTo(cdTrackEnd_);

    state_.inputFileName = temporary;
    TMMWaveRecorder& recorder = form2_->MMWaveRecorder1;
    form2_->ReadyRecorderForPlay(temporary);
    if (!form2_->StartRecordedPlay(player)) {
        CDTrackFailed(player.ErrorMessage());
        return false;
    }
    Timer4->start();
    Timer5->start();
    WaitWithMessages([&] {
        if (player.DeviceMode() == mpPlaying)
            cdPlayPosition_ = player.CurrentPosition();
        return recorder.IsStarted() && !state_.cancel;
    });
    Timer4->stop();
    if (!state_.cancel)  // a cancelled track was not recorded whole
        MMGauge6->setValue(100);
    recorder.StopRecording();
    // The temporary file could not take the track: the CD stops now and nothing is encoded.
    if (const int error = recorder.WriteError(); error && !state_.cancel) {
        state_.cancel = true;
        EndCDPlayer();
        AppDialogs().ShowMessage(TranslatedMessage(kRecordingWriteFailedMessage) + "\n" + FileReasonLine(temporary, error));
        RecEncCDCancelClick();
        OfferBackToInput();
        return false;
    }
    // A play the disc broke off is no whole track (its end notification has come in
    // during the waits above).
    if (!state_.cancel && player.NotifyResult() == nvFailure)
        CDTrackFailed(tr("The CD could not be read to the end of track %1").arg(track).toStdString());
    return !state_.cancel;
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
    if (cdRun_)
        cdRun_->Cancel();
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
            AppDialogs().ShowMessage(tr(kRipperStopping).toStdString());
    }
    EndCDPlayer();
    // A running encoding ends at once; its stop handler tags what was written and marks
    // the track done, which ends the loop's wait. Several encoders stop without leaving
    // their partial files.
    if (state_.encodingInProgress)
        form2_->StopEncoding();
    if (cdRun_)
        cdRun_->Cancel();
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
    if (cdRun_)
        cdRun_->Cancel();
}
