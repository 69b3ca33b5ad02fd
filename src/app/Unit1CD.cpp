// The CD flow's choices: selCD lists the disc's tracks for checking, SelCDrec chooses
// between extracting and recording, CDoptions picks the output folder and the bit rate.
#include "app/Unit1.h"

#include "app/RememberedChoices.h"
#include "disc/CdImageSheet.h"
#include "app/TypedPaths.h"
#include "platform/os/Dialogs.h"
#include "platform/os/ErrorReport.h"
#include "platform/card/SoundCard.h"
#include "platform/cd/CdDisc.h"
#include "platform/os/ProfileFile.h"
#include "platform/device/MediaDevice.h"
#include "platform/os/MessageTarget.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <filesystem>

namespace {
// What each line of the track list carries besides its text.
constexpr int kTrackNumberRole = Qt::UserRole;
constexpr int kAudioTrackRole = Qt::UserRole + 1;

// "Track3         3 min. 5 sec.": the number, nine spaces, whole minutes and seconds.
QString TrackLine(std::uint32_t track, std::uint32_t lengthMs)
{
    return TForm1::tr("Track%1         %2 min. %3 sec.")
        .arg(track)
        .arg(lengthMs / 60000)
        .arg(lengthMs % 60000 / 1000);
}
}  // namespace

void TForm1::WireCD()
{
    RecEncCDOutput = RecEncCD->findChild<QLineEdit*>("RecEncCDOutput");
    RecEncCDProgressLabel = RecEncCD->findChild<QLabel*>("RecEncCDProgressLabel");
    MMGauge6 = RecEncCD->findChild<QProgressBar*>("MMGauge6");
    MMGauge5 = RecEncCD->findChild<QProgressBar*>("MMGauge5");
    RecEncCDAborted = RecEncCD->findChild<QLabel*>("RecEncCDAborted");
    MMSlider7 = RecEncCD->findChild<QSlider*>("MMSlider7");
    MMSlider8 = RecEncCD->findChild<QSlider*>("MMSlider8");

    const auto onClick = [this](QWidget* page, const char* name, void (TForm1::*handler)()) {
        connect(page->findChild<QPushButton*>(name), &QPushButton::clicked, this,
                [this, handler] { Guarded([&] { (this->*handler)(); }); });
    };
    onClick(selCD, "selCDNewCD", &TForm1::ReadCD);
    onClick(selCD, "selCDClear", &TForm1::selCDClearClick);
    onClick(selCD, "selCDSelectAll", &TForm1::selCDSelectAllClick);
    // A disc image (.cue, .toc, .nrg) browsed for, or dropped on the page, is the disc of this run.
    auto* image = new QPushButton(tr("Image..."), selCD);
    image->setObjectName("selCDImage");
    image->setGeometry(245, 150, 75, 25);
    image->setToolTip(tr("Open a disc image (.cue, .toc, .nrg) as the CD"));
    connect(image, &QPushButton::clicked, this, [this] {
        Guarded([&] {
            if (const auto chosen = AppDialogs().OpenFile(
                    {tr("Select a disc image").toStdString(),
                     tr("Disc images (*.cue;*.toc;*.nrg)|*.cue;*.toc;*.nrg|All files (*.*)|*.*").toStdString(), "", ""}))
                OpenDiscImage(*chosen);
        });
    });
    onClick(CDoptions, "CDoptionsBrowse", &TForm1::CDoptionsBrowseClick);
    onClick(RecEncCD, "RecEncCDFinish", &TForm1::RecEncCDFinishClick);
    onClick(RecEncCD, "RecEncCDCancel", &TForm1::RecEncCDCancelClick);
    // A folder can be typed or pasted; the folder used last is proposed.
    CDoptionsFolder->setReadOnly(false);
    CDoptionsFolder->setAcceptDrops(false);
    WatchTyping(CDoptionsFolder, [this] { CDoptionsFolderTyped(); });
    if (const std::string folder = RememberedOutputFolder("cd"); !folder.empty())
        CDoptionsFolderChosen(folder);
    connect(CDoptionsSlider, &QSlider::valueChanged, this,
            [this](int p) { Guarded([&] { CDoptionsSliderChange(p); }); });
    connect(MMSlider7, &QSlider::valueChanged, this, [this](int p) { Guarded([&] { MMSlider7Change(p); }); });
    connect(MMSlider8, &QSlider::valueChanged, this, [this](int p) { Guarded([&] { MMSlider8Change(p); }); });
    enterActions_[selCD] = [this] { selCDEnter(); };
    enterActions_[CDoptions] = [this] {
        ShowCDFileNaming();
        CDoptionsFolderTyped();
    };
    enterActions_[RecEncCD] = [this] { RecEncCDEnter(); };

    MediaPlayer1.SetDeviceType(dtCDAudio);
    MediaPlayer1.SetShareable(true);
    MediaPlayer1.SetVisible(false);

    Timer4 = new QTimer(this);
    Timer4->setObjectName("Timer4");
    Timer4->setInterval(1000);
    connect(Timer4, &QTimer::timeout, this, [this] { Guarded([&] { Timer4Timer(); }); });

    MMHiTimer1.SetEnabled(false);
    MMHiTimer1.SetCallBackMode(cmThread);
    MMHiTimer1.SetPriority(tpTimeCritical);
    MMHiTimer1.SetSynchronize(false);
    // Disabling waits for a tick in progress, so no tick outlives the extraction (or this window).
    MMHiTimer1.SetWaitForTerminate(true);
    MMHiTimer1.SetInterval(1000);
    MMHiTimer1.SetOnTimer([this](TMMHiTimer*) { MMHiTimer1Timer(); });
}

void TForm1::selCDEnter()
{
    state_.selectedTrackCount = 0;
    ReadCD();
    if (std::exchange(keepCheckedTracks_, false) &&
        static_cast<std::size_t>(selCDTracks->count()) == state_.cdTrackChecked.size())
        for (int i = 0; i < selCDTracks->count(); ++i)
            if (state_.cdTrackChecked[static_cast<std::size_t>(i)])
                selCDTracks->item(i)->setCheckState(Qt::Checked);
}

void TForm1::ReadCD()
{
    MediaPlayer1.SetNotifyNext(true);
    MediaPlayer1.SetWaitNext(false);
    hiddenTrack_.reset();
    ProcessMessages();
    try {
        MediaPlayer1.Open();
    } catch (const EMCIDeviceError& e) {
        // The list of a disc read before must not stand for a disc that cannot be read now.
        selCDTracks->clear();
        selCDInfo->clear();
        discLookup_.reset();
        discFound_.reset();
        state_.discLookupRunning = false;
        selCDLookup->clear();
        AppDialogs().ShowMessage(tr("Unable to open CD player").toStdString() + "\n" + e.what());
        return;
    }
    const std::uint32_t count = MediaPlayer1.TrackCount();
    const std::uint32_t first = count > 0 ? MediaPlayer1.FirstTrack() : 1;
    selCDInfo->setText(tr("This CD contains %1 tracks").arg(count));
    MediaPlayer1.SetTimeFormat(mci::FormatMilliseconds);
    selCDInfo->show();
    ProcessMessages();
    selCDTracks->clear();
    selCDTracks->show();
    // Audio hidden before track 1 is offered as track 0, first in the list; a disc that
    // cannot say so has none. An image says so at once; a drive's answer comes from a worker
    // while the page is shown, and counts only while the list is still the one on show.
    if (count > 0 && first == 1) {
        hiddenTrack_ = std::make_unique<HiddenTrackJob>();
        hiddenTrack_->Start(CdDeviceSetting(ProfileFile::Settings()), [this](std::int32_t hidden) {
            Guarded([&] {
                if (hidden <= 0 || CurrentPage() != selCD)
                    return;
                auto* line = new QListWidgetItem(TrackLine(0, std::uint32_t(CdSectorsToMs(hidden))));
                line->setData(kTrackNumberRole, 0);
                line->setData(kAudioTrackRole, true);
                line->setFlags(line->flags() | Qt::ItemIsUserCheckable);
                line->setCheckState(Qt::Unchecked);
                selCDTracks->insertItem(0, line);
            });
        });
    }
    for (std::uint32_t track = first; track < first + count; ++track) {
        // A data track holds no audio: it is shown as data and left out of "Select all".
        const bool audio = MediaPlayer1.TrackIsAudio(track);
        const QString text = TrackLine(track, MediaPlayer1.TrackLength(track)) + (audio ? QString() : tr(" (data)"));
        auto* line = new QListWidgetItem(text, selCDTracks);
        line->setData(kTrackNumberRole, track);
        line->setData(kAudioTrackRole, audio);
        line->setFlags(line->flags() | Qt::ItemIsUserCheckable);
        line->setCheckState(Qt::Unchecked);
    }
    StartDiscLookup();
    // An image whose files were found under other names says which were read, once per image.
    const std::vector<std::string> notes = CdImageNotes(ConfiguredCdDevice(CdDeviceSetting(ProfileFile::Settings())));
    QString text;
    for (const std::string& note : notes)
        text += (text.isEmpty() ? "" : "\n") + QString::fromStdString(note);
    selCDInfo->setToolTip(text);
    if (!text.isEmpty() && selCDInfo->property("imageNotes").toString() != text)
        AppDialogs().ShowMessage(text.toStdString());
    selCDInfo->setProperty("imageNotes", text);
}

void TForm1::OpenDiscImage(const std::string& path)
{
    SetCdDeviceForRun(path);
    ReadCD();
}

void TForm1::selCDClearClick()
{
    for (int i = 0; i < selCDTracks->count(); ++i)
        selCDTracks->item(i)->setCheckState(Qt::Unchecked);
}

void TForm1::selCDSelectAllClick()
{
    for (int i = 0; i < selCDTracks->count(); ++i)
        if (selCDTracks->item(i)->data(kAudioTrackRole).toBool())
            selCDTracks->item(i)->setCheckState(Qt::Checked);
}

int TForm1::ListedTrack(int index) const
{
    const QListWidgetItem* line = selCDTracks->item(index);
    return line ? line->data(kTrackNumberRole).toInt() : index + 1;
}

void TForm1::selCDNextClick()
{
    state_.cdTrackChecked.assign(static_cast<std::size_t>(selCDTracks->count()), false);
    state_.selectedTrackCount = 0;
    for (int i = 0; i < selCDTracks->count(); ++i) {
        const bool checked = selCDTracks->item(i)->checkState() == Qt::Checked;
        state_.cdTrackChecked[static_cast<std::size_t>(i)] = checked;
        state_.selectedTrackCount += checked ? 1 : 0;
    }
    if (state_.selectedTrackCount == 0) {
        AppDialogs().ShowMessage(tr("No tracks selected for encoding").toStdString());
        return;
    }
    // The run's details are settled before it starts: no lookup answers during a rip.
    if (DiscLookupHoldsNext())
        return;
    MoveTo(SelCDrec);
}

void TForm1::SelCDrecEnter()
{
    const SoundCard* card = SoundCard::Current();
    const QSignalBlocker quiet(SelCDrecFast);
    SelCDrecFast->setChecked(RememberedFasterThanRealTime(card && card->Settings().fastClock));
}

void TForm1::SelCDrecNextClick()
{
    state_.ripMode = SelCDrecRip->isChecked();
    RememberRipMode(state_.ripMode);
    MoveTo(CDoptions);
}

void TForm1::CDoptionsBrowseClick()
{
    std::string initial = RememberedOutputFolder("cd");
    if (initial.empty())
        initial = DialogFolder();
    if (const auto chosen = AppDialogs().SelectFolder(tr("Select the folder for the mp3 files").toStdString(), initial))
        CDoptionsFolderChosen(*chosen);
}

namespace {
// A typed folder without its trailing separators ("/" stays).
std::string typedFolder(const QString& text)
{
    std::string folder = ExpandTypedPath(text.toStdString());
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}
}  // namespace

void TForm1::CDoptionsFolderChosen(const std::string& chosen)
{
    // Every track names its own file in the folder.
    const std::string folder = typedFolder(QString::fromStdString(chosen));
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        CDoptionsNext->setEnabled(false);
        throw EMervaneError(tr("There is no folder %1").arg(QString::fromStdString(folder)).toStdString());
    }
    CDoptionsNext->setEnabled(true);
    CDoptionsFolderNote->clear();
    cdOutputFolder_ = folder == "/" ? folder : folder + "/";
    if (CDoptionsFolder->text().toStdString() != folder)
        CDoptionsFolder->setText(QString::fromStdString(folder));
}

void TForm1::CDoptionsFolderTyped()
{
    const FolderVerdict verdict = CheckOutputFolder(typedFolder(CDoptionsFolder->text()));
    CDoptionsNext->setEnabled(verdict.exists || verdict.creatable);
    CDoptionsFolderNote->setText(QString::fromStdString(verdict.reason));
    CDoptionsFolderNote->setToolTip(QString::fromStdString(verdict.reason));
}

void TForm1::ShowCDFileNaming()
{
    const std::string fileNames = ReadLookupSettings().fileNames;
    QString text = tr("Files will be named Track1, Track2, Track3 etc.");
    if (fileNames != "Track%n") {
        QStringList names;
        int checked = 0;
        for (std::size_t i = 0; i < state_.cdTrackChecked.size(); ++i) {
            if (!state_.cdTrackChecked[i])
                continue;
            if (++checked > 3)
                continue;
            const std::string file = CDTrackFileName(ListedTrack(int(i)), false);
            names << QString::fromStdString(file.substr(file.rfind('/') + 1)).chopped(4);  // without ".mp3"
        }
        text = (checked > 3 ? tr("Files will be named %1 etc.") : tr("Files will be named %1.")).arg(names.join(", "));
    }
    // A sentence wider than the page shows its ends; the tooltip has all of it.
    CDoptionsNaming->setToolTip(text);
    CDoptionsNaming->setText(
        CDoptionsNaming->fontMetrics().elidedText(text, Qt::ElideMiddle, CDoptionsNaming->contentsRect().width()));
}

void TForm1::CDoptionsSliderChange(int position)
{
    state_.bitRateIndex = position - 1;
    CDoptionsBitrateValue->setText(BitrateLabel(position));
}

void TForm1::CDoptionsNextClick()
{
    // The folder the field shows is the one used: made first when it is missing.
    const std::string folder = typedFolder(CDoptionsFolder->text());
    const FolderVerdict verdict = CheckOutputFolder(folder);
    if (!verdict.exists) {
        CDoptionsFolderTyped();
        if (!verdict.creatable)
            throw EMervaneError(verdict.reason.empty() ? tr("Choose a folder for the mp3 files").toStdString() : verdict.reason);
        if (!AppDialogs().AskYesNo(tr("Create folder %1?").arg(QString::fromStdString(folder)).toStdString()))
            return;
        CreateOutputFolder(folder);
    }
    CDoptionsFolderChosen(folder);
    // One question before the first track starts, listing every file the run would replace.
    std::string existing;
    std::vector<std::string> agreed;
    for (std::size_t i = 0; i < state_.cdTrackChecked.size(); ++i) {
        if (!state_.cdTrackChecked[i])
            continue;
        const std::string file = CDTrackFileName(ListedTrack(int(i)), false);
        std::error_code ec;
        if (std::filesystem::exists(file, ec)) {
            existing += "\n" + file;
            agreed.push_back(file);
        }
    }
    if (!existing.empty() && !AppDialogs().AskYesNo(tr("Replace these files?").toStdString() + existing))
        return;
    cdReplaceAgreed_ = std::move(agreed);
    RememberOutputFolder("cd", ParentFolder(cdOutputFolder_ + "x"));
    RememberBitRateIndex(state_.bitRateIndex);
    MoveTo(CDtagsel);
}
