// The wizard window's frame: creation, the banner and page container, activation, closing
// and the process priority.
#include "app/Unit1.h"

#include "app/AccessibleControls.h"
#include "app/SourceIcons.h"
#include "app/PageFit.h"
#include "app/RememberedChoices.h"
#include "app/Unit3.h"
#include "mixer/TrackEncoders.h"
#include "mixer/Unit2.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/InstanceFolder.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/Paths.h"
#include "platform/os/ProcessPriority.h"
#include "platform/os/ProfileFile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QtMath>
#include <QToolButton>
#include <cstdio>

namespace {
constexpr int kClientWidth = 424;
constexpr int kClientHeight = 273;
constexpr int kBannerWidth = 95;
constexpr int kStripeHeight = 6;
}  // namespace

TForm1::TForm1(WizardState& state, QWidget* parent) : QWidget(parent), state_(state)
{
    setObjectName("Form1");
    setWindowTitle("Mervane V2.0");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(kClientWidth, kClientHeight);
    InstallAccessibleControls();
    BuildFrame();
    BuildPages();
    AddPreferencesKeys();
    // The designed size at the designed font; a larger font grows the window just enough
    // for every text to show whole, and the window can be made larger still.
    const double scale = FitLayout(this);
    setMinimumSize(qCeil(kClientWidth * scale), qCeil(kClientHeight * scale));
    resize(minimumSize());
    setAcceptDrops(true);  // a file dropped anywhere on the window (dropEvent)
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { Guarded([&] { OnFocusChanged(now); }); });
    FormCreate();
}

TForm1::~TForm1()
{
    // The pages go with the QWidget base, after this object has stopped being a TForm1;
    // focus moves they cause must not reach it.
    disconnect(qApp, nullptr, this, nullptr);
    // So must the editing a field's lost focus finishes.
    for (QLineEdit* field : {SelWavInput, RecExtOutput, CDoptionsFolder})
        disconnect(field, nullptr, this, nullptr);
}

namespace {
// The wave and MIDI roads' pages as a file run's listener: each stage has its gauge.
class FilePages : public FileRunListener {
public:
    FilePages(std::function<void(FileStage, int)> progress, std::function<void(const FileRunResult&)> finished)
        : progress_(std::move(progress)), finished_(std::move(finished))
    {
    }
    void RunProgress(FileStage stage, int percent) override { progress_(stage, percent); }
    void RunMessage(const std::string& text) override { AppDialogs().ShowMessage(text); }
    void RunFinished(const FileRunResult& result) override { finished_(result); }

private:
    std::function<void(FileStage, int)> progress_;
    std::function<void(const FileRunResult&)> finished_;
};
}  // namespace

void TForm1::Attach(TForm2* form2, TForm3* form3)
{
    form2_ = form2;
    form3_ = form3;
    jobNotice_ = std::make_unique<LongJobNotice>(this);
    filePages_ = std::make_unique<FilePages>(
        [this](FileStage stage, int percent) {
            QProgressBar* gauge = stage == FileStage::Convert ? MMGauge2
                                  : stage == FileStage::Play  ? MMGauge4
                                                              : EncodingGauge();
            gauge->setValue(percent);
            if (!jobNotice_->Running())
                jobNotice_->Started();
            jobNotice_->Progress(percent / 100.0);
        },
        [this](const FileRunResult& result) {
            jobNotice_->Finished((result.ok ? tr("Encoding finished") : tr("Encoding stopped")).toStdString(),
                                 (result.ok ? tr("%1 is ready").arg(QString::fromStdString(result.output))
                                            : tr("No MP3 file was finished"))
                                     .toStdString());
            EncodingEnded(result.ok);
        });
    fileRun_ = std::make_unique<FileRun>(*form2_, state_, *filePages_);
    WizardHooks hooks;
    hooks.WriteTag = [this](const std::string& file) { return WriteTag(file); };
    hooks.CDWriteTag = [this](const std::string& file) { return CDWriteTag(file); };
    hooks.FinishUp = [this] { FinishUp(); };
    hooks.EnableTimer1 = [this](bool on) { on ? Timer1->start() : Timer1->stop(); };
    hooks.ShowConversionProgress = [this](int percent) { fileRun_->ConversionProgress(percent); };
    hooks.EncodingEnded = [this](bool completed) { ActiveRun().EncodingEnded(completed); };
    hooks.RecordingStopped = [this] { RecExtStopped(); };
    hooks.RecordingFailed = [this](const std::string& message) { RecordingFailed(message); };
    hooks.PlaybackEnded = [this](bool completed) { fileRun_->PlaybackEnded(completed); };
    hooks.MakeMP3 = [this](const std::string& input, const std::string& output) { MakeMP3(input, output); };
    form2_->SetWizardHooks(std::move(hooks));
}

void TForm1::BuildFrame()
{
    auto* banner = new QLabel(this);
    banner->setObjectName("Banner");
    banner->setGeometry(0, 0, kBannerWidth, kClientHeight);
    banner->setAutoFillBackground(true);
    banner->setStyleSheet("QLabel#Banner { background: #1c3f74; }");
    auto* name = new QLabel("Mervane", banner);
    name->setObjectName("BannerName");
    QFont bannerFont = name->font();
    bannerFont.setPointSize(12);
    bannerFont.setBold(true);
    name->setFont(bannerFont);
    name->setStyleSheet("color: white;");
    name->setGeometry(6, 20, kBannerWidth - 12, 28);
    auto* version = new QLabel("V2.0", banner);
    version->setObjectName("BannerVersion");
    version->setStyleSheet("color: #c8d8f0;");
    version->setGeometry(6, 48, kBannerWidth - 12, 20);

    auto* stripe = new QLabel(this);
    stripe->setObjectName("Stripe");
    stripe->setGeometry(kBannerWidth, 0, kClientWidth - kBannerWidth, kStripeHeight);
    stripe->setStyleSheet("QLabel#Stripe { background: #e0a020; }");

    pages_ = new QStackedWidget(this);
    pages_->setObjectName("PageControl1");
    pages_->setGeometry(kBannerWidth, kStripeHeight, kClientWidth - kBannerWidth,
                        kClientHeight - kStripeHeight);

    // Back lies outside the pages, left of each page's Next button.
    btnBack_ = new QPushButton(tr("< &Back"), this);
    btnBack_->setObjectName("BtnBack");
    btnBack_->setGeometry(kBannerWidth + 78, kStripeHeight + 236, 75, 25);
    btnBack_->setEnabled(false);
    btnBack_->raise();
    connect(btnBack_, &QPushButton::clicked, this, [this] { Guarded([&] { BtnBackClick(); }); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(250);
    connect(Timer1, &QTimer::timeout, this, [this] { Guarded([&] { Timer1Timer(); }); });
    const auto meterTimer = [this](const char* timerName, void (TForm1::*tick)()) {
        auto* timer = new QTimer(this);
        timer->setObjectName(timerName);
        timer->setInterval(100);
        connect(timer, &QTimer::timeout, this, [this, tick] { Guarded([&] { (this->*tick)(); }); });
        return timer;
    };
    Timer2 = meterTimer("Timer2", &TForm1::Timer2Timer);
    Timer3 = meterTimer("Timer3", &TForm1::Timer3Timer);
    Timer5 = meterTimer("Timer5", &TForm1::Timer5Timer);
    // The live-input page's meters run while the page shows, and only then.
    connect(pages_, &QStackedWidget::currentChanged, this, [this] {
        if (CurrentPage() != RecExt)
            Guarded([&] { EndLevelWatch(); });
    });
}

QWidget* TForm1::AddPage(const char* name, const QString& title)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    page->setAccessibleName(title);
    auto* label = new QLabel(title, page);
    label->setObjectName(QString(name) + "Heading");
    QFont f = label->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 1);
    label->setFont(f);
    label->setGeometry(10, 4, 315, 22);
    titles_[name] = label;
    pages_->addWidget(page);
    return page;
}

QPushButton* TForm1::AddButton(QWidget* page, const char* name, const QString& text, int x)
{
    auto* button = new QPushButton(text, page);
    button->setObjectName(name);
    button->setGeometry(x, 236, 75, 25);
    return button;
}

void TForm1::AddNextCancel(QWidget* page, const char* nextName, const QString& nextText,
                           void (TForm1::*next)(), bool cancelCloses)
{
    QPushButton* nextButton = AddButton(page, nextName, nextText, 158);
    connect(nextButton, &QPushButton::clicked, this, [this, next] { Guarded([&] { (this->*next)(); }); });
    const QString cancelName = page->objectName() + "Cancel";
    QPushButton* cancel = AddButton(page, cancelName.toUtf8().constData(), tr("&Cancel"), 243);
    if (cancelCloses)
        connect(cancel, &QPushButton::clicked, this, [this] { Guarded([&] { CancelClick(); }); });
}

void TForm1::FormCreate()
{
    state_.ripMode = true;
    state_.jobStarted = false;
    state_.extractionRunning = false;
    history_.clear();
    pages_->setCurrentWidget(SelSource);
    state_.sourceChosen = false;
    state_.bitRateIndex = RememberedBitRateIndex(kDefaultBitRateIndex);
    for (QSlider* slider : {MMSlider1, CDoptionsSlider})
        slider->setValue(state_.bitRateIndex + 1);
    (RememberedRipMode(false) ? SelCDrecRip : findChild<QRadioButton*>("SelCDrecRecord"))->setChecked(true);
    state_.encodingInProgress = false;
    const ProfileFile settings = ProfileFile::Settings();
    for (std::size_t i = 0; i < kRecordLevelKeys.size(); ++i)
        state_.recordLevels[i] = settings.ReadInteger("RECORD_LEVEL", kRecordLevelKeys[i], kDefaultRecordLevel);
    state_.encoder = EncoderSettings::Read(settings);
    ShowEncoderChoices();
}

void TForm1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Guarded([&] { FormActivate(); });
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The designed layout is the smallest; a larger window stretches the pages to fill it.
    const QVariant designed = property("designedGeometry");
    if (designed.isValid() && designed.toSize().width() > 0 && designed.toSize().height() > 0)
        ScaleChildren(this, double(width()) / designed.toSize().width(),
                      double(height()) / designed.toSize().height());
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Without a window manager the window may never become active; the source buttons must
    // still show which sources exist.
    Guarded([&] { FormActivate(); });
}

void TForm1::FormActivate()
{
    if (!form2_)
        return;
    const bool available[] = {form2_->MidiAvailable, form2_->CDAvailable, form2_->MicAvailable,
                              form2_->LineAvailable, form2_->AuxAvailable};
    for (std::size_t i = 0; i < std::size(available); ++i)
        if (!available[i]) {
            sourceButtons[i + 1]->setEnabled(false);
            sourceButtons[i + 1]->setToolTip(UnavailableSourceTip(static_cast<int>(i) + 1));
        }
}

void TForm1::ShowSourcesAvailable()
{
    if (!form2_)
        return;
    const bool available[] = {form2_->MidiAvailable, form2_->CDAvailable, form2_->MicAvailable,
                              form2_->LineAvailable, form2_->AuxAvailable};
    for (std::size_t i = 0; i < std::size(available); ++i) {
        sourceButtons[i + 1]->setEnabled(available[i]);
        sourceButtons[i + 1]->setToolTip(available[i] ? QString() : UnavailableSourceTip(static_cast<int>(i) + 1));
    }
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!MayDiscardTake()) {
        event->ignore();
        return;
    }
    Guarded([&] { FormClose(); });
    event->accept();
    emit closed();
}

void TForm1::EndBySignal()
{
    if (endedBySignal_)
        return;
    endedBySignal_ = true;
    Guarded([&] { FormClose(); });
    hide();
    emit closed();
}

void TForm1::FormClose()
{
    if (form2_) {
        // A MIDI file still playing is abandoned: its end must not start an encoding.
        if (state_.midiPlaying) {
            state_.cancel = true;
            form2_->MediaPlayer1.Stop();
        }
        // An encoding cut short by the closing window leaves no MP3 that looks finished.
        form2_->AbandonEncoding();
        // A CD run still going stops its extraction, play or encoding; its loop then ends.
        AbandonCDRun();
        // A recording still running ends before its file is removed.
        form2_->MMWaveRecorder1.StopRecording();
        form2_->StopLevelWatch();
        form2_->RestoreMixer();
    }
    RemoveTemporaryWave();
    // The instance's own folder goes with the program; a folder left by a crash is swept
    // by the next start.
    CloseInstanceFolder();
    ProcessMessages();
}

void TForm1::SetPriority(int level)
{
    PriorityClass priority = PriorityClass::Normal;
    switch (level) {
    case 0: priority = PriorityClass::Idle; break;
    case 1: priority = PriorityClass::Normal; break;
    case 2: priority = PriorityClass::High; break;
    case 3: priority = PriorityClass::Realtime; break;
    default: return;  // not a priority class; nothing is changed
    }
    if (IsMainThread())
        ProcessMessages();
    if (const int error = SetProcessPriorityClass(priority); error != 0)
        throw ESetPriority(tr("Attempt to set priority error #%1").arg(error).toStdString());
}
