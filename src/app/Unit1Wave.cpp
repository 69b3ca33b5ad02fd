// The wave-file road: choosing the files, the bit rate, and the encoding page.
#include "app/Unit1.h"

#include "mixer/OutputName.h"
#include "app/RememberedChoices.h"
#include "app/TypedPaths.h"
#include "app/Unit3.h"
#include "mixer/OutputGuard.h"
#include "mixer/Unit2.h"
#include "mixer/WaveCheck.h"
#include "platform/os/Dialogs.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/Paths.h"
#include "platform/os/ProfileFile.h"
#include "platform/card/SoundCard.h"
#include "platform/midi/MidiFile.h"
#include "wave/FileKind.h"
#include "wave/MMWave.h"
#include "wave/SampleLayout.h"
#include "wave/WaveIO.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <array>
#include <filesystem>

namespace {
constexpr std::array<int, 14> kBitratesKbps = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};

FileDialogOptions waveOpenDialog()
{
    return {TForm1::tr("Select source wave file").toStdString(),
            TForm1::tr("Wave audiofiles (*.wav)|*.wav|All files (*.*)|*.*").toStdString(), "*.wav", "*.wav"};
}

FileDialogOptions midiOpenDialog()
{
    return {TForm1::tr("Select source MIDI file").toStdString(),
            TForm1::tr("Midi files (*.mid)|*.mid|All files (*.*)|*.*").toStdString(), "*.mid", "*.mid"};
}
}  // namespace

void TForm1::SelWavEnter()
{
    const bool midi = state_.sourceKind == "midi";
    titles_["SelWav"]->setText(midi ? tr("Select MIDI file") : tr("Select wave file"));
    SelWav->setAccessibleName(titles_["SelWav"]->text());
    SelWavInputLabel->setText(midi ? tr("Location of MIDI file to encode") : tr("Location of wav file to encode"));
    FasterThanRealTime->setVisible(midi);
    SelWavInstruments->hide();
    nextWaitsForInstruments_ = false;
    if (midi) {
        LoadInstruments();
        const SoundCard* card = SoundCard::Current();
        const QSignalBlocker quiet(FasterThanRealTime);
        FasterThanRealTime->setChecked(RememberedFasterThanRealTime(card && card->Settings().fastClock));
    }
    if (selWavRoad_ == state_.sourceKind)
        return;
    // Each road keeps its own files: another road's input never shows here.
    if (!selWavRoad_.empty())
        roadFiles_[selWavRoad_] = {SelWavInput->text(), SelWavOutput->text()};
    selWavRoad_ = state_.sourceKind;
    const auto [input, output] = roadFiles_[selWavRoad_];
    SelWavInput->setText(input);
    SelWavOutput->setText(output);
    checkedInput_ = input;  // it passed its check when it was chosen
    inputOk_ = !input.isEmpty();
    proposedOutput_ = input.isEmpty() ? QString() : QString::fromStdString(ProposedOutput(input.toStdString()));
    SelWavInputNote->clear();
    SelWavOutputNote->clear();
    UpdateSelWavNext();
}

void TForm1::SelWavBrowseInputClick()
{
    FileDialogOptions options = state_.sourceKind == "midi" ? midiOpenDialog() : waveOpenDialog();
    options.initialName = DialogFolder();
    if (const auto chosen = AppDialogs().OpenFile(options))
        SelWavInputChosen(*chosen);
}

void TForm1::SelWavInputChosen(const std::string& path)
{
    if (SelWavInput->text().toStdString() != path)
        SelWavInput->setText(QString::fromStdString(path));
    checkedInput_ = SelWavInput->text();
    inputOk_ = false;
    SelWavInputNote->clear();
    UpdateSelWavNext();
    if (path.empty())
        return;
    // The file is checked as the encoding page would check it; what is wrong is told now,
    // on this page, and Next stays disabled.
    CheckInputFile(path);
    inputOk_ = true;
    RememberFolderOf(path);
    // The output follows the input until the user makes it their own.
    if (SelWavOutput->text().isEmpty() || SelWavOutput->text() == proposedOutput_) {
        const std::string output = ProposedOutput(path);
        proposedOutput_ = QString::fromStdString(output);
        SelWavOutput->setText(proposedOutput_);
        saveDialogInitialName_ = output;
        SelWavOutputNote->setText(QString::fromStdString(OutputFileProblem(output)));
    }
    UpdateSelWavNext();
}

std::string TForm1::ProposedOutput(const std::string& input) const
{
    std::string output = Mp3NameFor(input);
    if (const std::string folder = RememberedOutputFolder(state_.sourceKind); !folder.empty())
        output = folder + "/" + output.substr(output.rfind('/') + 1);
    return output;
}

void TForm1::SelWavInputTyped()
{
    const QString typed = SelWavInput->text();
    if (typed == checkedInput_) {
        UpdateSelWavNext();  // typed back to what was checked
        return;
    }
    checkedInput_ = typed;
    inputOk_ = false;
    SelWavInputNote->clear();
    UpdateSelWavNext();
    const std::string path = ExpandTypedPath(typed.toStdString());
    if (path.empty())
        return;
    // While the user types, no dialog: the reason goes under the field.
    try {
        CheckInputFile(path);
    } catch (const std::exception& e) {
        const QString reason = QString::fromStdString(e.what()).section('\n', 0, 0);
        SelWavInputNote->setToolTip(QString::fromStdString(e.what()));
        SelWavInputNote->setText(
            SelWavInputNote->fontMetrics().elidedText(reason, Qt::ElideRight, SelWavInputNote->width()));
        return;
    }
    // Taken as a picked file, the field keeping the text as typed.
    SelWavInputChosen(path);
    if (SelWavInput->text() != typed)
        SelWavInput->setText(typed);
    checkedInput_ = typed;
}

void TForm1::SelWavOutputTyped()
{
    // Emptied, the field gets the input's proposal again.
    if (SelWavOutput->text().trimmed().isEmpty() && inputOk_) {
        proposedOutput_ = QString::fromStdString(ProposedOutput(ExpandTypedPath(checkedInput_.toStdString())));
        SelWavOutput->setText(proposedOutput_);
    }
    const std::string output = ExpandTypedPath(SelWavOutput->text().toStdString());
    SelWavOutputNote->setText(QString::fromStdString(OutputFileProblem(output)));
    UpdateSelWavNext();
}

void TForm1::UpdateSelWavNext()
{
    SelWavNext->setEnabled(inputOk_ && SelWavInput->text() == checkedInput_ && SelWavOutputNote->text().isEmpty());
}

void TForm1::CheckInputFile(const std::string& path)
{
    if (state_.sourceKind == "midi") {
        (void)MidiFile::Load(path);
        return;
    }
    const auto check = [&] {
        const bool encoderReady = CheckWave(path);
        CheckWaveContents(path);
        if (encoderReady)
            return;
        // The conversion must be able to read it.
        TMMWave wave;
        try {
            wave.SetFileName(path);
        } catch (const EMMWaveError&) {
            std::string unsupported;
            if (const WaveFormatPtr format = WaveIOReadFormat(path);
                format && !ReadSampleLayout(format.get(), &unsupported))
                throw EMMWaveError(unsupported);
            throw;
        }
        std::string unsupported;
        if (!ReadSampleLayout(wave.PWaveFormat(), &unsupported))
            throw EMMWaveError(unsupported);
    };
    try {
        check();
    } catch (const EMervaneError& e) {
        // A file that is something else says what it is.
        const std::string kind = KindOfNonWave(path);
        if (kind.empty())
            throw;
        throw EMMWaveError(std::string(e.what()) + "\n" +
                           tr("%1 is %2, not a wave file.")
                               .arg(QString::fromStdString(path), QString::fromStdString(kind))
                               .toStdString());
    }
}

FileDialogOptions TForm1::SaveDialog() const
{
    std::string initial = saveDialogInitialName_;
    if (initial.find('/') == std::string::npos) {
        const std::string folder = RememberedOutputFolder(state_.sourceKind);
        initial = (folder.empty() ? DialogFolder() : folder) + "/" + initial;
    }
    return {"", tr("mp3 audio files (*,mp3)|*.mp3|All files (*.*)|*.*").toStdString(), "*.mp3", initial};
}

void TForm1::SelWavBrowseOutputClick()
{
    if (const auto chosen = AppDialogs().SaveFile(SaveDialog())) {
        SelWavOutput->setText(QString::fromStdString(*chosen));
        SelWavOutputNote->setText(QString::fromStdString(OutputFileProblem(*chosen)));
        UpdateSelWavNext();
    }
}

bool TForm1::ConfirmReplace(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return true;
    return AppDialogs().AskYesNo(tr("Replace %1?").arg(QString::fromStdString(path)).toStdString());
}

void TForm1::SelWavNextClick()
{
    // What the fields show is what is used: a path typed and not yet checked is checked now.
    if (SelWavInput->text() != checkedInput_)
        SelWavInputChosen(ExpandTypedPath(SelWavInput->text().toStdString()));
    if (!inputOk_)
        return;
    if (state_.sourceKind == "midi" && !InstrumentsReadyForNext())
        return;
    std::string output = ExpandTypedPath(SelWavOutput->text().toStdString());
    if (output.empty())
        output = ProposedOutput(ExpandTypedPath(SelWavInput->text().toStdString()));
    output = WithDefaultExtension(output, "*.mp3");
    if (const std::string problem = OutputFileProblem(output); !problem.empty()) {
        SelWavOutputNote->setText(QString::fromStdString(problem));
        UpdateSelWavNext();
        throw EMervaneError(problem);
    }
    if (SelWavOutput->text().toStdString() != output) {
        if (SelWavOutput->text() == proposedOutput_)
            proposedOutput_ = QString::fromStdString(output);
        SelWavOutput->setText(QString::fromStdString(output));
    }
    if (!ConfirmReplace(output))
        return;
    state_.inputFileName = ExpandTypedPath(SelWavInput->text().toStdString());
    state_.outputFileName = output;
    RememberOutputFolder(state_.sourceKind, ParentFolder(output));
    MoveTo(SingleTag);
}

QString BitrateLabel(int position)
{
    return TForm1::tr("%1 Khz").arg(kBitratesKbps.at(static_cast<std::size_t>(position - 1)));
}

void TForm1::MMSlider1Change(int position)
{
    state_.bitRateIndex = position - 1;
    BitrateValue->setText(BitrateLabel(position));
}

void TForm1::ShowEncoderChoices()
{
    const EncoderSettings& e = state_.encoder;
    for (const EncoderChoices& c : {encodeChoices, cdChoices}) {
        const QSignalBlocker a(c.container), b(c.quality), d(c.joint), f(c.replayGain);
        c.container->setCurrentIndex(e.mp3Container ? 0 : 1);
        c.quality->setCurrentIndex(e.vbr ? 1 + e.vbrQuality : 0);
        c.joint->setChecked(e.jointStereo);
        c.replayGain->setChecked(e.replayGain);
    }
    // A variable bit rate is chosen by its quality: the fixed rate's slider has no say.
    for (QSlider* slider : {MMSlider1, CDoptionsSlider})
        slider->setEnabled(!e.vbr);
}

void TForm1::EncoderChoiceChanged(const EncoderChoices& from)
{
    EncoderSettings e = state_.encoder;  // what the pages do not show stays
    e.mp3Container = from.container->currentIndex() == 0;
    e.vbr = from.quality->currentIndex() > 0;
    e.vbrQuality = e.vbr ? from.quality->currentIndex() - 1 : state_.encoder.vbrQuality;
    e.jointStereo = from.joint->isChecked();
    e.replayGain = from.replayGain->isChecked();
    state_.encoder = e;
    ShowEncoderChoices();
    ProfileFile settings = ProfileFile::Settings();
    e.Write(settings);
}

void TForm1::EncodeOptionsNextClick()
{
    RememberBitRateIndex(state_.bitRateIndex);
    if (state_.sourceKind == "midi")
        MoveTo(RecEnc);
    else
        MoveTo(EncodeWav);
}

void TForm1::EncodeWavEnter()
{
    if (state_.jobStarted)
        return;
    state_.jobStarted = true;
    state_.cancel = false;
    btnBack_->hide();
    EncodeWavAborted->hide();
    EncodeWavFinish->setEnabled(false);
    EncodeWavCancel->setEnabled(true);
    MMGauge1->setValue(0);
    MMGauge2->setValue(0);
    EncodeWavOutput->setText(QString::fromStdString(state_.outputFileName));
    ProcessMessages();
    try {
        if (SplittingTake())
            StartSplitRun();
        else
            fileRun_->StartWave(state_.inputFileName, state_.outputFileName);
    } catch (...) {
        // The page does not strand the user: Back leads to the files.
        OfferBackToInput();
        throw;
    }
}

void TForm1::MakeMP3(const std::string& input, const std::string& output)
{
    fileRun_->Encode(input, output);
}

QProgressBar* TForm1::EncodingGauge() const
{
    const auto& kind = state_.sourceKind;
    if (kind == "cd")
        return findChild<QProgressBar*>("MMGauge5");
    if (kind == "midi")
        return findChild<QProgressBar*>("MMGauge3");
    return MMGauge1;
}

void TForm1::Timer1Timer()
{
    // A CD run's encoder lanes report their share themselves.
    if (cdRun_ && cdRun_->UsesLanes())
        return;
    if (fileRun_)
        ActiveRun().Tick();
}

void TForm1::EncodingEnded(bool completed)
{
    if (completed) {
        EncodingGauge()->setValue(100);
        return;
    }
    if (state_.cancel)
        return;
    // The disk filled or the file went: the user can choose again. A CD run starts no
    // further track.
    if (state_.sourceKind == "cd") {
        state_.cancel = true;
        RecEncCDAborted->show();
    }
    OfferBackToInput();
}

void TForm1::FinishUp()
{
    // A split take's tracks are encoded one after another; the page finishes after the last.
    if (splitRun_ && !splitRun_->Done())
        return;
    for (QPushButton* finish : {EncodeWavFinish, RecEncFinish, RecEncCDFinish})
        finish->setEnabled(true);
    for (QPushButton* cancel : {EncodeWavCancel, RecEncCancel, RecEncCDCancel})
        cancel->setEnabled(false);
    // A split take whose run failed is kept for another run.
    if (!splitRun_ || !splitRun_->TakeGivenBack())
        RemoveTemporaryWave();
}

void TForm1::EncodeWavFinishClick()
{
    state_.jobStarted = true;
    close();
}

void TForm1::EncodeWavCancelClick()
{
    if (splitRun_)
        splitRun_->Cancel();
    else
        fileRun_->Cancel();
    FinishUp();
    EncodeWavAborted->show();
}

void TForm1::ClickHereClick()
{
    if (!form3_)
        return;
    form3_->ShowSettings(state_.encoder, BitrateKbps(static_cast<TMMBitrates>(state_.bitRateIndex)));
    form3_->show();
    form3_->raise();
}

bool TForm1::CheckWave(const std::string& fileName)
{
    return form2_->CheckWave(fileName);
}
