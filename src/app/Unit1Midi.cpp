// The MIDI flow's page RecEnc: the chosen MIDI file plays through the sound card's
// synthesiser while the recorder records the synthesiser line into the temporary wave file;
// when the playback ends the hidden window's MediaPlayer1Notify starts its encoding.
#include "app/Unit1.h"

#include "mixer/OutputGuard.h"
#include "mixer/Unit2.h"
#include "platform/card/SoundCard.h"
#include "platform/midi/MidiSynth.h"
#include "platform/os/Dialogs.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/Paths.h"
#include "platform/os/ProfileFile.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <algorithm>

void TForm1::WireRecEnc()
{
    RecEncOutput = RecEnc->findChild<QLineEdit*>("RecEncOutput");
    MMGauge4 = RecEnc->findChild<QProgressBar*>("MMGauge4");
    MMGauge3 = RecEnc->findChild<QProgressBar*>("MMGauge3");
    RecEncAborted = RecEnc->findChild<QLabel*>("RecEncAborted");
    MMSlider2 = RecEnc->findChild<QSlider*>("MMSlider2");
    MMSlider3 = RecEnc->findChild<QSlider*>("MMSlider3");
    connect(MMSlider2, &QSlider::valueChanged, this, [this](int p) { Guarded([&] { MMSlider2Change(p); }); });
    connect(MMSlider3, &QSlider::valueChanged, this, [this](int p) { Guarded([&] { MMSlider3Change(p); }); });
    connect(RecEncFinish, &QPushButton::clicked, this, [this] { Guarded([&] { RecEncFinishClick(); }); });
    connect(RecEncCancel, &QPushButton::clicked, this, [this] { Guarded([&] { RecEncCancelClick(); }); });
    enterActions_[RecEnc] = [this] { RecEncEnter(); };
}

void TForm1::LoadInstruments()
{
    // A sound font chosen in Preferences while a play held the synthesiser takes its place
    // now.
    Guarded([&] { form2_->FollowDeviceChoices(); });
    MidiSynth* synth = MidiSynth::Current();
    // Without a synthesiser the source button is disabled; a file opened on the command line
    // still comes here, and its play says why it cannot start.
    if (!synth)
        return;
    if (synth->Font() == MidiSynth::FontState::Unloaded || synth->Font() == MidiSynth::FontState::Loading) {
        SelWavInstruments->setText(tr("Loading instruments..."));
        SelWavInstruments->show();
    }
    // The window may go before the load ends; the synthesiser (the card's) outlives it.
    synth->LoadFontInBackground([window = QPointer<TForm1>(this)](bool ok, const std::string& error) {
        if (window)
            window->InstrumentsLoaded(ok, error);
    });
}

bool TForm1::InstrumentsReadyForNext()
{
    const MidiSynth* synth = MidiSynth::Current();
    if (!synth || synth->Font() == MidiSynth::FontState::Loaded)
        return true;
    if (synth->Font() == MidiSynth::FontState::Failed) {
        AppDialogs().ShowMessageBox(synth->FontError(), tr("Error").toStdString(), MessageBoxKind::Error);
        return false;
    }
    nextWaitsForInstruments_ = true;
    return false;
}

void TForm1::InstrumentsLoaded(bool ok, const std::string& error)
{
    const bool onPage = CurrentPage() == SelWav && state_.sourceKind == "midi";
    const bool next = nextWaitsForInstruments_;
    nextWaitsForInstruments_ = false;
    if (ok) {
        SelWavInstruments->hide();
        if (onPage && next)
            Guarded([&] { SelWavNextClick(); });
        return;
    }
    // The page says the road cannot go on; the message says why, once per entry.
    SelWavInstruments->setText(tr("The instruments cannot be loaded."));
    SelWavInstruments->setVisible(onPage);
    if (onPage)
        AppDialogs().ShowMessageBox(error, tr("Error").toStdString(), MessageBoxKind::Error);
}

void TForm1::RecEncEnter()
{
    // The page starts its work once per run, however often the focus comes back into it.
    if (state_.jobStarted)
        return;
    state_.jobStarted = true;
    state_.cancel = false;
    btnBack_->hide();
    // A run that failed before and was started again shows a fresh page.
    RecEncAborted->hide();
    RecEncCancel->setEnabled(true);
    ProcessMessages();
    try {
        StartMidiRecording();
    } catch (...) {
        // The page does not strand the user: Back leads to the file.
        OfferBackToInput();
        throw;
    }
}

void TForm1::StartMidiRecording()
{
    {
        const QSignalBlocker quiet(MMSlider3);
        MMSlider3->setValue(state_.Level(RecordLevel::Midi));
    }
    MMSlider3Change(MMSlider3->value());
    RecEncOutput->setText(QString::fromStdString(state_.outputFileName));
    MMGauge4->setValue(0);
    MMGauge3->setValue(0);
    // Faster than real time, as chosen on the file page: nothing is heard meanwhile. A file
    // the sequencer cannot read raises here; Cancel stays usable.
    fileRun_->StartMidi(state_.inputFileName, state_.outputFileName, FasterThanRealTime->isChecked());
    Timer1->start();
    Timer2->start();
    form2_->SetVolLevel();
    {
        const QSignalBlocker quiet(MMSlider2);
        MMSlider2->setValue(form2_->TrackBar1.Position);
    }
}

void TForm1::MMSlider3Change(int position)
{
    state_.Level(RecordLevel::Midi) = position;
    form2_->SelMidi();
}

void TForm1::MMSlider2Change(int position)
{
    form2_->TrackBar1.Position = position;
    form2_->TrackBar1Change();
}

void TForm1::RecEncFinishClick()
{
    ProfileFile settings = ProfileFile::Settings();
    settings.WriteInteger("RECORD_LEVEL", kRecordLevelKeys[static_cast<std::size_t>(RecordLevel::Midi)],
                          MMSlider3->value());
    close();
}

void TForm1::RecEncCancelClick()
{
    fileRun_->Cancel();
    FinishUp();
    RecEncAborted->show();
}
