// The live-input page RecExt (microphone, line or aux: Record, Stop, Next on to the track
// details) and the level meters of the three recording pages.
#include "app/Unit1.h"

#include "app/RememberedChoices.h"
#include "app/TypedPaths.h"

#include "controls/MMEGauge.h"
#include "mixer/CardSetup.h"
#include "mixer/PeakLevels.h"
#include "mixer/Unit2.h"
#include "platform/os/Dialogs.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/Paths.h"
#include "platform/os/ProfileFile.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <filesystem>

namespace {
struct LiveSource {
    const char* kind;
    const char* title;
    RecordLevel level;
    void (TForm2::*select)();
};

constexpr LiveSource kLiveSources[] = {
    {"line", QT_TRANSLATE_NOOP("TForm1", "Recording from LINE input"), RecordLevel::Line, &TForm2::SelLin},
    {"aux", QT_TRANSLATE_NOOP("TForm1", "Recording from AUX input"), RecordLevel::Aux, &TForm2::SelAUX},
    {"mic", QT_TRANSLATE_NOOP("TForm1", "Recording from MIC input"), RecordLevel::Mic, &TForm2::SelMIC},
};

const LiveSource* liveSource(const std::string& kind)
{
    for (const LiveSource& s : kLiveSources)
        if (kind == s.kind)
            return &s;
    return nullptr;
}
}  // namespace

void TForm1::RecExtEnter()
{
    const LiveSource* source = liveSource(state_.sourceKind);
    if (!source)
        return;
    titles_["RecExt"]->setText(tr(source->title));
    RecExt->setAccessibleName(tr(source->title));
    (form2_->*source->select)();
    {
        const QSignalBlocker quiet(MMSlider4);
        MMSlider4->setValue(state_.Level(source->level));
    }
    MMSlider4Change(MMSlider4->value());
    RecExtRecord->setText(tr("&Record"));
    form2_->SetVolLevel();
    {
        const QSignalBlocker quiet(MMSlider5);
        MMSlider5->setValue(form2_->TrackBar1.Position);
    }
    form2_->MMWaveRecorder1.Wave()->SetFileName(TemporaryWavePath());
    // The meters show the device chosen last; one that cannot be opened is told once, here
    // or by Record.
    Guarded([&] { form2_->FollowDeviceChoices(); });
    // A take runs from Record to Stop.
    if (!form2_->MMWaveRecorder1.IsOpened())
        form2_->MMWaveRecorder1.WaveIn().SetRecordPlay(false);
    // The level can be set before Record.
    StartLevelWatch();
}

void TForm1::StartLevelWatch()
{
    if (CurrentPage() != RecExt || form2_->MMWaveRecorder1.IsOpened())
        return;
    form2_->StartLevelWatch();
    Timer3->start();
}

void TForm1::EndLevelWatch()
{
    Timer3->stop();
    if (form2_)
        form2_->StopLevelWatch();
}

void TForm1::RecExtBrowseClick()
{
    const auto chosen = AppDialogs().SaveFile(SaveDialog());
    if (!chosen || !ConfirmReplace(*chosen))
        return;
    RecExtOutput->setText(QString::fromStdString(*chosen));
    state_.outputFileName = *chosen;
    RememberOutputFolder(state_.sourceKind, ParentFolder(*chosen));
    RecExtRecord->setEnabled(true);
}

bool TForm1::RecExtOutputTyped()
{
    const std::string typed = ExpandTypedPath(RecExtOutput->text().toStdString());
    if (typed.empty() || typed == state_.outputFileName)
        return !typed.empty();
    const std::string path = WithDefaultExtension(typed, "*.mp3");
    if (const std::string problem = OutputFileProblem(path); !problem.empty())
        throw EMervaneError(problem);
    if (!ConfirmReplace(path))
        return false;
    RecExtOutput->setText(QString::fromStdString(path));
    state_.outputFileName = path;
    RememberOutputFolder(state_.sourceKind, ParentFolder(path));
    return true;
}

void TForm1::RecExtOutputChecked()
{
    if (RecExtStop->isEnabled())
        return;  // a take is being recorded into the temporary file; the name waits for Next
    const std::string typed = ExpandTypedPath(RecExtOutput->text().toStdString());
    const std::string problem = OutputFileProblem(typed);
    RecExtElapsed->setText(QString::fromStdString(problem));
    RecExtRecord->setEnabled(!typed.empty() && problem.empty());
}

void TForm1::RecExtRecordClick()
{
    // The name the field shows is the one the take will be encoded into.
    if (!RecExtOutputTyped())
        return;
    RecExtRecord->setEnabled(false);
    RecExtStop->setEnabled(true);
    RecExtNext->setEnabled(false);
    keepSplitTracks_ = false;  // a new take is split anew
    btnBack_->setEnabled(false);
    // The card's wave-in goes over from the level watch to the recorder.
    form2_->StopLevelWatch();
    ResetClipLight();
    // "Stop after": the wave-in cuts the buffer that crosses the limit and stops the take.
    form2_->MMWaveRecorder1.SetMaxRecordTime(liveTake_.LimitBytes());
    try {
        // A device chosen in Preferences since the last take records this one.
        form2_->FollowDeviceChoices();
        form2_->MMWaveRecorder1.StartRecording();
    } catch (...) {
        // The recorder could not start: the page goes back to where it was.
        RecExtRecord->setEnabled(true);
        RecExtStop->setEnabled(false);
        btnBack_->setEnabled(!history_.empty());
        StartLevelWatch();
        throw;
    }
    unencodedTake_ = false;
    recordClock_.start();
    RecExtElapsed->clear();
    Timer3->start();
}

void TForm1::RecExtStopClick()
{
    RecExtStopped();
    form2_->MMWaveRecorder1.StopRecording();
}

void TForm1::RecExtStopped()
{
    if (!RecExtStop->isEnabled())
        return;
    RecExtRecord->setEnabled(true);
    RecExtStop->setEnabled(false);
    btnBack_->setEnabled(true);
    RecExtNext->setEnabled(true);
    unencodedTake_ = true;
    form2_->MMWaveRecorder1.SetMaxRecordTime(-1);
    // The watch takes the meters over once the recorder has let the wave-in go (this may
    // run inside the recorder's own stop).
    QTimer::singleShot(0, this, [this] { Guarded([&] { StartLevelWatch(); }); });
}

bool TForm1::MayDiscardTake()
{
    if (!unencodedTake_)
        return true;
    if (!AppDialogs().AskYesNo(tr("Discard the recording?").toStdString()))
        return false;
    unencodedTake_ = false;
    return true;
}

void TForm1::RecordingFailed(const std::string& message)
{
    if (CurrentPage() == RecExt) {
        RecExtStopped();
        RecExtNext->setEnabled(false);  // nothing to encode; Record starts a new take
        AppDialogs().ShowMessage(message);
    } else if (CurrentPage() == RecEnc) {
        RecEncCancelClick();
        if (state_.midiPlaying)
            form2_->EndMidiRecording(false);
        OfferBackToInput();
        AppDialogs().ShowMessage(message);
    }
}

void TForm1::MMSlider4Change(int position)
{
    const LiveSource* source = liveSource(state_.sourceKind);
    if (!source)
        return;
    state_.Level(source->level) = position;
    (form2_->*source->select)();
}

void TForm1::MMSlider5Change(int position)
{
    form2_->TrackBar1.Position = position;
    form2_->TrackBar1Change();
}

void TForm1::RecExtNextClick()
{
    const LiveSource* source = liveSource(state_.sourceKind);
    if (source) {
        ProfileFile settings = ProfileFile::Settings();
        settings.WriteInteger("RECORD_LEVEL", kRecordLevelKeys[static_cast<std::size_t>(source->level)],
                              MMSlider4->value());
    }
    state_.inputFileName = TemporaryWavePath();
    unencodedTake_ = false;
    MoveTo(RecExtSplit->isChecked() ? SplitTracks : SingleTag);
}

void TForm1::UpdateMeters(TMMLEDGauge* meter1, TMMLEDGauge* meter2)
{
    const int level1 = MeterLevel(state_.PeakLevel1);
    const int level2 = MeterLevel(state_.PeakLevel2);
    for (auto [meter, level] : {std::pair{meter1, level1}, std::pair{meter2, level2}}) {
        if (!meter)
            continue;
        // Rises at once, falls by 5 per tick.
        meter->SetProgress(level < meter->Progress() ? meter->Progress() - 5 : level);
    }
    ProcessMessages();
    state_.PeakLevel1 = 0;
    state_.PeakLevel2 = 0;
}

void TForm1::DarkenMeters(TMMLEDGauge* meter1, TMMLEDGauge* meter2, QTimer* timer)
{
    timer->stop();
    for (TMMLEDGauge* meter : {meter1, meter2})
        if (meter)
            meter->SetProgress(0);
}

void TForm1::Timer2Timer()
{
    UpdateMeters(MMLEDGauges[0], MMLEDGauges[1]);
}

void TForm1::ResetClipLight()
{
    state_.Clip.Reset();
    liveTake_.clip->SetLit(false);
    for (TMMLEDGauge* meter : {MMLEDGauges[2], MMLEDGauges[3]})
        if (meter)
            meter->SetPeakHold(0);
}

void TForm1::Timer3Timer()
{
    UpdateMeters(MMLEDGauges[2], MMLEDGauges[3]);
    for (TMMLEDGauge* meter : {MMLEDGauges[2], MMLEDGauges[3]})
        if (meter)
            meter->SetPeakHold(std::max(meter->PeakHold(), meter->Progress()));
    if (state_.Clip.Any() != liveTake_.clip->Lit())
        liveTake_.clip->SetLit(state_.Clip.Any());
    if (!RecExtStop->isEnabled())
        return;
    // The time and the size recorded so far.
    const qint64 seconds = recordClock_.isValid() ? recordClock_.elapsed() / 1000 : 0;
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(TemporaryWavePath(), ec);
    RecExtElapsed->setText(tr("Recorded %1:%2, %3 KB")
                               .arg(seconds / 60)
                               .arg(seconds % 60, 2, 10, QChar('0'))
                               .arg(ec ? 0 : static_cast<qint64>(bytes / 1024)));
}

void TForm1::Timer5Timer()
{
    UpdateMeters(MMLEDGauges[7], MMLEDGauges[6]);
}
