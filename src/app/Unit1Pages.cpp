// The widgets of every wizard page, placed at fixed positions designed for a small font; the
// window grows the whole layout evenly when the desktop's font needs more room (PageFit).
#include "app/Unit1.h"

#include "app/AccessibleNames.h"
#include "app/ElidedRows.h"
#include "app/RememberedChoices.h"
#include "app/SourceIcons.h"
#include "controls/MMEGauge.h"
#include "platform/os/ErrorReport.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <tuple>
#include <utility>

namespace {
// The longest text a details field takes; the ID3v2 tag keeps it whole.
constexpr int kDetailsTextLength = 250;

QLabel* addLabel(QWidget* page, const QString& text, int x, int y, int w = 300, int h = 16)
{
    auto* label = new QLabel(text, page);
    label->setGeometry(x, y, w, h);
    return label;
}

QLineEdit* addReadOnlyField(QWidget* page, const char* name, int x, int y, int w)
{
    auto* field = new QLineEdit(page);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setGeometry(x, y, w, 22);
    return field;
}

// The line under a typed field that says why Next waits (empty while all is well).
QLabel* addNote(QWidget* page, const char* name, int x, int y)
{
    QLabel* note = addLabel(page, "", x, y, 315, 16);
    note->setObjectName(name);
    note->setStyleSheet("color: #b00000;");
    return note;
}

QProgressBar* addGauge(QWidget* page, const char* name, int x, int y, int w)
{
    auto* gauge = new QProgressBar(page);
    gauge->setObjectName(name);
    gauge->setRange(0, 100);
    gauge->setValue(0);
    gauge->setGeometry(x, y, w, 18);
    return gauge;
}

QSlider* addSlider(QWidget* page, const char* name, Qt::Orientation o, int max, QRect r)
{
    auto* slider = new QSlider(o, page);
    slider->setObjectName(name);
    slider->setRange(0, max);
    slider->setGeometry(r);
    return slider;
}

QLabel* addHiddenAborted(QWidget* page, const char* name, int x, int y)
{
    QLabel* label = addLabel(page, "....ABORTED", x, y, 90);
    label->setObjectName(name);
    label->setStyleSheet("color: red;");
    label->hide();
    return label;
}

// The level panel of the recording pages: two vertical LED meters, the caption and the
// recording level slider.
void addLevelPanel(QWidget* page, const char* meter1, const char* meter2, const char* levelSlider)
{
    for (auto [name, x, side] : {std::tuple{meter1, 259, "Left"}, std::tuple{meter2, 278, "Right"}}) {
        auto* meter = new TMMLEDGauge(page);
        meter->setObjectName(name);
        meter->setAccessibleName(QString(side) + " input level");
        meter->SetKind(gkVertical);
        meter->setGeometry(x, 30, 17, 140);
        meter->SetBevel({TMMBevelStyle::Lowered, 1});
    }
    QLabel* caption = addLabel(page, "Recording level", 252, 174, 75, 32);
    caption->setObjectName(QString(levelSlider) + "Caption");
    caption->setWordWrap(true);
    addSlider(page, levelSlider, Qt::Vertical, 65535, QRect(300, 30, 20, 140))->setAccessibleName("Recording level");
}
}  // namespace

void TForm1::BuildPages()
{
    BuildSelSource();
    BuildSelWav();
    BuildSingleTag();
    BuildEncodeOptions();
    BuildEncodeWav();
    BuildRecEnc();
    BuildRecExt();
    BuildSelCD();
    BuildSelCDrec();
    BuildCDoptions();
    BuildCDtagsel();
    BuildMultitag();
    BuildRecEncCD();
    BuildSplitTracks();
    for (std::size_t i = 0; i < MMLEDGauges.size(); ++i)
        MMLEDGauges[i] = findChild<TMMLEDGauge*>(QString("MMLEDGauge%1").arg(i + 1));
    for (QWidget* page : {SelSource, SelWav, SingleTag, EncodeOptions, EncodeWav, RecEnc, RecExt, selCD, SelCDrec,
                          CDoptions, CDtagsel, Multitag, RecEncCD, SplitTracks})
        NameControlsByLabels(page);
}

void TForm1::BuildSelSource()
{
    SelSource = AddPage("SelSource", "Select audio source");
    addLabel(SelSource, "Click on the icon to select the audio source", 10, 32);
    struct Source {
        const char* name;
        const char* caption;
        const char* kind;
    };
    static constexpr Source kSources[] = {
        {"IEButton1", "Wave file", "wave"}, {"IEButton2", "MIDI file", "midi"},
        {"IEButton3", "Audio CD", "cd"},    {"IEButton4", "MIC. in", "mic"},
        {"IEButton5", "LINE in", "line"},   {"IEButton6", "AUX in", "aux"},
    };
    int index = 0;
    for (const Source& s : kSources) {
        auto* button = new QToolButton(SelSource);
        button->setProperty("sourceTile", true);  // before anything asks for its accessible interface
        button->setObjectName(s.name);
        button->setText(s.caption);
        button->setIcon(SourceIcon(index));
        button->setIconSize(QSize(40, 40));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::StrongFocus);
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setGeometry(12 + (index % 3) * 102, 56 + (index / 3) * 84, 96, 78);
        connect(button, &QToolButton::clicked, this,
                [this, button, kind = s.kind] { Guarded([&] { SourceButtonClick(button, kind); }); });
        sourceButtons.push_back(button);
        ++index;
    }
    // Preferences sits on the heading's line, beside the page's title.
    titles_["SelSource"]->setGeometry(10, 4, 200, 22);
    auto* preferences = new QPushButton(tr("&Preferences..."), SelSource);
    preferences->setObjectName("PreferencesButton");
    preferences->setGeometry(214, 3, 104, 24);
    connect(preferences, &QPushButton::clicked, this, [this] { Guarded([&] { ShowPreferences(); }); });
    AddNextCancel(SelSource, "SelSourceNext", "&Next >", &TForm1::SelSourceNextClick, true);
    SelSourceNext = SelSource->findChild<QPushButton*>("SelSourceNext");
    SelSourceNext->setEnabled(false);
}

void TForm1::BuildSelWav()
{
    SelWav = AddPage("SelWav", "Select wave file");
    SelWavInputLabel = addLabel(SelWav, "Location of wav file to encode", 10, 40);
    SelWavInputLabel->setObjectName("SelWavInputLabel");
    SelWavInput = addReadOnlyField(SelWav, "SelWavInput", 10, 58, 230);
    AddButton(SelWav, "SelWavBrowseInput", "Br&owse", 246)->move(246, 57);
    addLabel(SelWav, "Location destination mp3 file", 10, 100);
    SelWavOutput = addReadOnlyField(SelWav, "SelWavOutput", 10, 118, 230);
    AddButton(SelWav, "SelWavBrowseOutput", "Bro&wse", 246)->move(246, 117);
    connect(SelWav->findChild<QPushButton*>("SelWavBrowseInput"), &QPushButton::clicked, this,
            [this] { Guarded([&] { SelWavBrowseInputClick(); }); });
    connect(SelWav->findChild<QPushButton*>("SelWavBrowseOutput"), &QPushButton::clicked, this,
            [this] { Guarded([&] { SelWavBrowseOutputClick(); }); });
    AddNextCancel(SelWav, "SelWavNext", "&Next >", &TForm1::SelWavNextClick, true);
    SelWavNext = SelWav->findChild<QPushButton*>("SelWavNext");
    SelWavNext->setEnabled(false);
    // Paths can be typed or pasted; what is typed is checked once the typing pauses (and at
    // Next), its reason shown under the field. A file dropped on the fields goes to the window.
    for (QLineEdit* field : {SelWavInput, SelWavOutput}) {
        field->setReadOnly(false);
        field->setAccessibleDescription("Type or paste a path, or choose the file with Browse");
        field->setAcceptDrops(false);
    }
    SelWavInputNote = addNote(SelWav, "SelWavInputNote", 10, 81);
    SelWavOutputNote = addNote(SelWav, "SelWavOutputNote", 10, 141);
    connect(SelWavInput, &QLineEdit::textEdited, this, [this] { SelWavNext->setEnabled(false); });
    WatchTyping(SelWavInput, [this] { SelWavInputTyped(); });
    WatchTyping(SelWavOutput, [this] { SelWavOutputTyped(); });
    FasterThanRealTime = new QCheckBox("Faster than real time (no monitoring)", SelWav);
    FasterThanRealTime->setObjectName("FasterThanRealTime");
    FasterThanRealTime->move(10, 160);
    FasterThanRealTime->adjustSize();
    FasterThanRealTime->hide();
    connect(FasterThanRealTime, &QCheckBox::toggled, this,
            [this](bool fast) { Guarded([&] { RememberFasterThanRealTime(fast); }); });
    SelWavInstruments = addLabel(SelWav, "Loading instruments...", 10, 184);
    SelWavInstruments->setObjectName("SelWavInstruments");
    SelWavInstruments->hide();
    enterActions_[SelWav] = [this] { SelWavEnter(); };
}

DetailsFields TForm1::BuildDetailsFields(QWidget* page, const char* prefix, const QString& copyrightText, int top)
{
    const QString p(prefix);
    DetailsFields f;
    auto row = [&](const QString& caption, int y) { addLabel(page, caption, 10, y + 3, 60); };
    auto edit = [&](const char* name, int y, int w) {
        auto* e = new QLineEdit(page);
        e->setObjectName(p + name);
        e->setGeometry(72, y, w, 20);
        e->setMaxLength(kDetailsTextLength);
        return e;
    };
    row("Artist", top);
    f.artist = edit("Artist", top, 245);
    row("Title", top + 22);
    f.title = edit("Title", top + 22, 245);
    row("Album", top + 44);
    f.album = edit("Album", top + 44, 245);
    row("Year", top + 66);
    f.year = new QSpinBox(page);
    f.year->setObjectName(p + "Year");
    f.year->setRange(1900, 2099);
    f.year->setValue(kDefaultTagYear);
    f.year->findChild<QLineEdit*>()->setReadOnly(true);  // arrows only, no typing
    f.year->setGeometry(72, top + 66, 70, 20);
    addLabel(page, "Track", 152, top + 69, 40);
    f.track = new QSpinBox(page);
    f.track->setObjectName(p + "Track");
    f.track->setRange(1, 99);
    f.track->setValue(kDefaultTagTrack);
    f.track->findChild<QLineEdit*>()->setReadOnly(true);
    f.track->setGeometry(192, top + 66, 50, 20);
    row("Style", top + 88);
    f.style = new QComboBox(page);
    f.style->setObjectName(p + "Style");
    f.style->setEditable(true);
    f.style->setInsertPolicy(QComboBox::NoInsert);
    f.style->setGeometry(72, top + 88, 170, 20);
    row("Comment", top + 110);
    f.comment = edit("Comment", top + 110, 245);
    f.original = new QCheckBox("Audio is original", page);
    f.original->setObjectName(p + "Original");
    f.original->setGeometry(10, top + 134, 150, 20);
    f.copyright = new QCheckBox(copyrightText, page);
    f.copyright->setObjectName(p + "Copyright");
    f.copyright->setGeometry(165, top + 134, 160, 20);
    return f;
}

void TForm1::BuildSingleTag()
{
    SingleTag = AddPage("SingleTag", "Enter MP3 file details");
    QLabel* note = addLabel(SingleTag, "Enter track details. These can be displayed by some players.", 10, 24, 315, 30);
    note->setWordWrap(true);
    singleTag = BuildDetailsFields(SingleTag, "SingleTag", "Audio is copyrighted", 56);
    AddNextCancel(SingleTag, "SingleTagNext", "&Next >", &TForm1::SingleTagNextClick, true);
    enterActions_[SingleTag] = [this] { SingleTagEnter(); };
}

QSlider* TForm1::BuildBitrateGroup(QWidget* page, const char* sliderName, const char* labelName, int top,
                                   QLabel** valueLabel)
{
    auto* group = new QGroupBox("MP3 Quality", page);
    group->setGeometry(10, top, 310, 90);
    auto* caption = new QLabel("MP3 Bitrate = ", group);
    caption->setGeometry(10, 22, 90, 16);
    auto* value = new QLabel("128 Khz", group);
    value->setObjectName(labelName);
    value->setGeometry(100, 22, 90, 16);
    auto* low = new QLabel("Low", group);
    low->setGeometry(10, 52, 30, 16);
    auto* slider = new QSlider(Qt::Horizontal, group);
    slider->setProperty("bitrateSlider", true);  // before anything asks for its accessible interface
    slider->setObjectName(sliderName);
    slider->setRange(1, 14);
    slider->setValue(9);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setGeometry(42, 48, 220, 26);
    slider->setAccessibleName("MP3 Bitrate");
    slider->setAccessibleDescription("From low quality and small files to high quality and large files");
    auto* high = new QLabel("High", group);
    high->setGeometry(268, 52, 30, 16);
    *valueLabel = value;
    return slider;
}

void TForm1::BuildEncodeOptions()
{
    EncodeOptions = AddPage("EncodeOptions", "Select encoding options");
    addLabel(EncodeOptions, "Specify MP3 quality/compression factor.", 10, 40);
    MMSlider1 = BuildBitrateGroup(EncodeOptions, "MMSlider1", "BitrateValue", 70, &BitrateValue);
    connect(MMSlider1, &QSlider::valueChanged, this, [this](int p) { Guarded([&] { MMSlider1Change(p); }); });
    encodeChoices = BuildEncoderChoices(EncodeOptions, "EncodeOptions", 168);
    AddNextCancel(EncodeOptions, "EncodeOptionsNext", "&Next >", &TForm1::EncodeOptionsNextClick, true);
}

TForm1::EncoderChoices TForm1::BuildEncoderChoices(QWidget* page, const char* prefix, int top)
{
    const QString p(prefix);
    EncoderChoices c;
    QLabel* saveAs = addLabel(page, "Save &as:", 10, top + 3, 48);
    c.container = new QComboBox(page);
    saveAs->setBuddy(c.container);
    c.container->setObjectName(p + "Container");
    c.container->addItems({"MP3 file", "MP3 inside a wave file"});
    c.container->setGeometry(60, top, 162, 21);
    QLabel* quality = addLabel(page, "&Quality:", 10, top + 25, 48);
    c.quality = new QComboBox(page);
    quality->setBuddy(c.quality);
    c.quality->setObjectName(p + "Quality");
    c.quality->addItem("constant bit rate");
    for (int q = 0; q <= 9; ++q)
        c.quality->addItem(QString("variable V%1%2").arg(q).arg(q == 0 ? " (best)" : q == 9 ? " (smallest)" : ""));
    c.quality->setGeometry(60, top + 22, 162, 21);
    c.joint = new QCheckBox("Joint stereo", page);
    c.joint->setObjectName(p + "JointStereo");
    c.joint->setGeometry(226, top + 1, 100, 20);
    c.replayGain = new QCheckBox("ReplayGain", page);
    c.replayGain->setObjectName(p + "ReplayGain");
    c.replayGain->setGeometry(226, top + 23, 100, 20);
    const auto changed = [this, c] { Guarded([&] { EncoderChoiceChanged(c); }); };
    connect(c.container, &QComboBox::currentIndexChanged, this, changed);
    connect(c.quality, &QComboBox::currentIndexChanged, this, changed);
    connect(c.joint, &QCheckBox::toggled, this, changed);
    connect(c.replayGain, &QCheckBox::toggled, this, changed);
    return c;
}

QLabel* TForm1::AddClickHere(QWidget* page, int top)
{
    // One line, read as one: "using the Blade encoder." "Click here" "for details", the link
    // reachable with Tab and pressed with Enter.
    auto* strip = new QLabel("using the Blade encoder. <a href=\"#\">Click here</a> for details", page);
    strip->setObjectName(page->objectName() + "ClickHere");
    strip->setAccessibleName("using the Blade encoder. Click here for details");
    strip->setGeometry(10, top, 310, 18);
    strip->setTextFormat(Qt::RichText);
    strip->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    strip->setFocusPolicy(Qt::StrongFocus);
    connect(strip, &QLabel::linkActivated, this, [this] { Guarded([&] { ClickHereClick(); }); });
    return strip;
}

void TForm1::BuildEncodeWav()
{
    EncodeWav = AddPage("EncodeWav", "Encoding WAVE file");
    addLabel(EncodeWav, "Output file", 10, 32);
    EncodeWavOutput = addReadOnlyField(EncodeWav, "EncodeWavOutput", 10, 50, 310);
    addLabel(EncodeWav, "Checking and converting Wave format", 10, 82);
    MMGauge2 = addGauge(EncodeWav, "MMGauge2", 10, 100, 310);
    addLabel(EncodeWav, "Encoding progress", 10, 130, 150);
    EncodeWavAborted = addHiddenAborted(EncodeWav, "EncodeWavAborted", 160, 130);
    MMGauge1 = addGauge(EncodeWav, "MMGauge1", 10, 148, 310);
    AddClickHere(EncodeWav, 190);
    EncodeWavFinish = AddButton(EncodeWav, "EncodeWavFinish", "&Finish", 158);
    EncodeWavFinish->setEnabled(false);
    EncodeWavCancel = AddButton(EncodeWav, "EncodeWavCancel", "&Cancel", 243);
    connect(EncodeWavFinish, &QPushButton::clicked, this, [this] { Guarded([&] { EncodeWavFinishClick(); }); });
    connect(EncodeWavCancel, &QPushButton::clicked, this, [this] { Guarded([&] { EncodeWavCancelClick(); }); });
    enterActions_[EncodeWav] = [this] { EncodeWavEnter(); };
}

// The MIDI and CD encoding pages share one layout: recording and encoding progress, the
// monitor volume, the level panel, the encoder strip, Finish and Cancel.
QWidget* TForm1::BuildRecordAndEncodePage(const RecordAndEncodeNames& n, QPushButton** finish, QPushButton** cancel)
{
    QWidget* page = AddPage(n.page, n.title);
    const QString name(n.page);
    addLabel(page, "Output file", 10, 28);
    addReadOnlyField(page, (name + "Output").toUtf8().constData(), 10, 44, 235);
    addLabel(page, "Recording progress", 10, 70)->setObjectName(name + "ProgressLabel");
    addGauge(page, n.recordGauge, 10, 86, 235);
    addLabel(page, "Encoding progress", 10, 108, 120);
    addHiddenAborted(page, (name + "Aborted").toUtf8().constData(), 140, 108);
    addGauge(page, n.encodeGauge, 10, 124, 235);
    addLabel(page, "Monitor volume", 10, 148)->setObjectName(name + "MonitorLabel");
    addSlider(page, n.monitorSlider, Qt::Horizontal, 65535, QRect(10, 164, 235, 20));
    addLevelPanel(page, n.meter1, n.meter2, n.levelSlider);
    AddClickHere(page, 210);
    *finish = AddButton(page, (name + "Finish").toUtf8().constData(), "&Finish", 158);
    (*finish)->setEnabled(false);
    *cancel = AddButton(page, (name + "Cancel").toUtf8().constData(), "&Cancel", 243);
    enterActions_[page] = [this] { btnBack_->hide(); };
    return page;
}

void TForm1::BuildRecEnc()
{
    RecEnc = BuildRecordAndEncodePage({"RecEnc", "Encoding MIDI file", "MMGauge4", "MMGauge3", "MMSlider2",
                                       "MMLEDGauge1", "MMLEDGauge2", "MMSlider3"},
                                      &RecEncFinish, &RecEncCancel);
    WireRecEnc();
}

void TForm1::BuildRecExt()
{
    RecExt = AddPage("RecExt", "Recording from AUX input");
    addLabel(RecExt, "Select a destination file then use the RECORD and STOP buttons to record.", 10, 26, 240, 36)
        ->setWordWrap(true);
    addLabel(RecExt, "Location destination mp3 file", 10, 66, 240);
    RecExtOutput = addReadOnlyField(RecExt, "RecExtOutput", 10, 84, 160);
    QPushButton* browse = AddButton(RecExt, "RecExtBrowse", "Br&owse", 0);
    browse->setGeometry(174, 83, 70, 24);
    RecExtRecord = AddButton(RecExt, "RecExtRecord", "&Record", 0);
    RecExtRecord->setGeometry(10, 116, 75, 25);
    RecExtRecord->setEnabled(false);
    RecExtStop = AddButton(RecExt, "RecExtStop", "&Stop", 0);
    RecExtStop->setGeometry(95, 116, 75, 25);
    RecExtStop->setEnabled(false);
    RecExtElapsed = addLabel(RecExt, "", 10, 145, 235, 16);
    RecExtElapsed->setObjectName("RecExtElapsed");
    // The split choice takes the row above the monitor volume, whose caption moves beside it.
    addLabel(RecExt, "Monitor volume", 10, 184, 88);
    MMSlider5 = addSlider(RecExt, "MMSlider5", Qt::Horizontal, 65535, QRect(100, 182, 145, 20));
    addLevelPanel(RecExt, "MMLEDGauge3", "MMLEDGauge4", "MMSlider4");
    liveTake_ = LiveTakeControls::AddTo(RecExt);
    RecExtSplit = new QCheckBox(tr("Split into tracks at silences"), RecExt);
    RecExtSplit->setObjectName("RecExtSplit");
    RecExtSplit->setToolTip(tr("After the take, proposes one track for each stretch between silences"));
    RecExtSplit->setGeometry(10, 162, 240, 18);
    connect(liveTake_.clip, &QPushButton::clicked, this, [this] { Guarded([&] { ResetClipLight(); }); });
    MMSlider4 = RecExt->findChild<QSlider*>("MMSlider4");
    AddNextCancel(RecExt, "RecExtNext", "&Next >", &TForm1::RecExtNextClick, true);
    RecExtNext = RecExt->findChild<QPushButton*>("RecExtNext");
    RecExtNext->setEnabled(false);
    connect(browse, &QPushButton::clicked, this, [this] { Guarded([&] { RecExtBrowseClick(); }); });
    RecExtOutput->setReadOnly(false);
    RecExtOutput->setAccessibleDescription("Type or paste a path, or choose the file with Browse");
    WatchTyping(RecExtOutput, [this] { RecExtOutputChecked(); });
    connect(RecExtRecord, &QPushButton::clicked, this, [this] { Guarded([&] { RecExtRecordClick(); }); });
    connect(RecExtStop, &QPushButton::clicked, this, [this] { Guarded([&] { RecExtStopClick(); }); });
    connect(MMSlider4, &QSlider::valueChanged, this, [this](int p) { Guarded([&] { MMSlider4Change(p); }); });
    connect(MMSlider5, &QSlider::valueChanged, this, [this](int p) { Guarded([&] { MMSlider5Change(p); }); });
    enterActions_[RecExt] = [this] { RecExtEnter(); };
}

void TForm1::BuildSelCD()
{
    selCD = AddPage("selCD", "Select CD tracks for encoding");
    AddButton(selCD, "selCDNewCD", "New CD", 0)->setGeometry(245, 30, 75, 25);
    selCDInfo = addLabel(selCD, "", 10, 34, 230);
    selCDInfo->setObjectName("selCDInfo");
    selCDTracks = new QListWidget(selCD);
    selCDTracks->setObjectName("selCDTracks");
    selCDTracks->setGeometry(10, 60, 230, 148);
    selCDTracks->setAccessibleName("CD tracks");
    selCDTracks->setAccessibleDescription("Check the tracks to encode");
    new ElidedRows(selCDTracks);
    AddButton(selCD, "selCDClear", "Clear list", 0)->setGeometry(245, 90, 75, 25);
    AddButton(selCD, "selCDSelectAll", "Select all", 0)->setGeometry(245, 120, 75, 25);
    AddNextCancel(selCD, "selCDNext", "&Next >", &TForm1::selCDNextClick, true);
}

void TForm1::BuildSelCDrec()
{
    SelCDrec = AddPage("SelCDrec", "CD data extraction");
    // Each paragraph wraps inside the page.
    const std::pair<const char*, int> paragraphs[] = {
        {"There are two methods of extracting the CD audio data", 32},
        {"1) Ripping", 16},
        {"The data is extracted digitally for best audio quality. Not all CDROMS support ripping.", 32},
        {"1) Recording", 16},
        {"The audio is recorded using the soundcard with some loss of fidelity.", 32}};
    int y = 26;
    for (auto [text, height] : paragraphs) {
        addLabel(SelCDrec, text, 10, y, 315, height)->setWordWrap(true);
        y += height + 2;
    }
    auto* record = new QRadioButton("RECORD the audio with the soundcard", SelCDrec);
    record->setObjectName("SelCDrecRecord");
    record->setGeometry(10, 166, 300, 20);
    record->setChecked(true);
    SelCDrecRip = new QRadioButton("RIP the data digitally", SelCDrec);
    SelCDrecRip->setObjectName("SelCDrecRip");
    SelCDrecRip->setGeometry(10, 187, 300, 20);
    // A recording may run as fast as the card renders the CD's line, unheard; the choice is
    // the MIDI page's, remembered for both.
    SelCDrecFast = new QCheckBox("Faster than real time (no monitoring)", SelCDrec);
    SelCDrecFast->setObjectName("SelCDrecFast");
    SelCDrecFast->setGeometry(28, 208, 290, 20);
    SelCDrecFast->setEnabled(record->isChecked());
    connect(record, &QRadioButton::toggled, SelCDrecFast, &QWidget::setEnabled);
    connect(SelCDrecFast, &QCheckBox::toggled, this,
            [this](bool fast) { Guarded([&] { RememberFasterThanRealTime(fast); }); });
    enterActions_[SelCDrec] = [this] { SelCDrecEnter(); };
    AddNextCancel(SelCDrec, "SelCDrecNext", "&Next >", &TForm1::SelCDrecNextClick, true);
}

void TForm1::BuildCDoptions()
{
    CDoptions = AddPage("CDoptions", "CD Encoding options");
    addLabel(CDoptions, "Choose a location for the resulting mp3 files.", 10, 26, 315, 16);
    CDoptionsNaming = addLabel(CDoptions, "Files will be named Track1, Track2, Track3 etc.", 10, 43, 315, 16);
    CDoptionsNaming->setObjectName("CDoptionsNaming");
    CDoptionsFolder = addReadOnlyField(CDoptions, "CDoptionsFolder", 10, 62, 230);
    CDoptionsFolder->setAccessibleName("Folder for the mp3 files");
    AddButton(CDoptions, "CDoptionsBrowse", "Br&owse", 0)->setGeometry(246, 61, 75, 24);
    CDoptionsFolderNote = addNote(CDoptions, "CDoptionsFolderNote", 10, 85);
    CDoptionsSlider =
        BuildBitrateGroup(CDoptions, "CDoptionsSlider", "CDoptionsBitrateValue", 102, &CDoptionsBitrateValue);
    CDoptionsSlider->parentWidget()->setGeometry(10, 102, 310, 84);
    cdChoices = BuildEncoderChoices(CDoptions, "CDoptions", 189);
    AddNextCancel(CDoptions, "CDoptionsNext", "&Next >", &TForm1::CDoptionsNextClick, true);
    CDoptionsNext = CDoptions->findChild<QPushButton*>("CDoptionsNext");
    CDoptionsNext->setEnabled(false);
}

void TForm1::BuildCDtagsel()
{
    CDtagsel = AddPage("CDtagsel", "CD file details");
    addLabel(CDtagsel,
             "Do you want to enter details for each of the CD tracks? These details will be written into "
             "the MP3 file and can be displayed by some players.",
             10, 30, 315, 64)
        ->setWordWrap(true);
    CDtagselYes = new QRadioButton("Yes, I want to enter the track details.", CDtagsel);
    CDtagselYes->setObjectName("CDtagselYes");
    CDtagselYes->setGeometry(10, 100, 310, 20);
    CDtagselNo = new QRadioButton("No, encode the tracks without descriptions.", CDtagsel);
    CDtagselNo->setObjectName("CDtagselNo");
    CDtagselNo->setGeometry(10, 124, 310, 20);
    CDtagselNo->setChecked(true);
    AddNextCancel(CDtagsel, "CDtagselNext", "&Next >", &TForm1::CDtagselNextClick, true);
}

void TForm1::BuildMultitag()
{
    Multitag = AddPage("Multitag", "Enter details for track ");
    multiTag = BuildDetailsFields(Multitag, "Multitag", "Audio is copyright", 32);
    AddNextCancel(Multitag, "MultitagNext", "&Next >", &TForm1::MultitagNextClick, true);
    enterActions_[Multitag] = [this] { MultitagEnter(); };
}

void TForm1::BuildRecEncCD()
{
    RecEncCD = BuildRecordAndEncodePage({"RecEncCD", "Encoding AUDIO CD file", "MMGauge6", "MMGauge5", "MMSlider7",
                                         "MMLEDGauge8", "MMLEDGauge7", "MMSlider8"},
                                        &RecEncCDFinish, &RecEncCDCancel);
    // Where the monitor volume is in record mode: a rip's verification line.
    RecEncCDVerify = addLabel(RecEncCD, "", 10, 148, 235, 16);
    RecEncCDVerify->setObjectName("RecEncCDVerify");
    // Below it, what became of every track of a rip, readable after the run.
    RecEncCDResults = new QListWidget(RecEncCD);
    RecEncCDResults->setObjectName("RecEncCDResults");
    RecEncCDResults->setAccessibleName("Track results");
    RecEncCDResults->setGeometry(10, 168, 310, 62);
    RecEncCDResults->hide();
    WireCD();
    WireDiscInfo();
    WireCover();
}
