// The wizard frame and its navigation, driven by real mouse clicks.
#include "app/WizardFixture.h"
#include "platform/cd/CdioHandle.h"
#include "platform/os/ProfileFile.h"
#include "support/MidiFixtures.h"
#include "support/WaveFixtures.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

namespace {
QColor captionColour(QToolButton* b)
{
    return b->palette().color(QPalette::ButtonText);
}
}  // namespace

TEST_F(WizardTest, WindowStartsOnTheSourcePageWithEveryPageTitled)
{
    EXPECT_EQ(form1->windowTitle(), "Mervane V2.0");
    EXPECT_GE(form1->minimumWidth(), 424);
    EXPECT_GE(form1->minimumHeight(), 273);
    EXPECT_EQ(form1->size(), form1->minimumSize());
    EXPECT_GT(form1->maximumWidth(), form1->minimumWidth()) << "a minimum size, not a fixed one";
    EXPECT_EQ(CurrentPageName(), "SelSource");
    EXPECT_FALSE(Find<QPushButton>("BtnBack")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("SelSourceNext")->isEnabled());
    EXPECT_EQ(form3->windowTitle(), "Encoder details");
    EXPECT_TRUE(form3->isHidden());

    const std::pair<const char*, const char*> titles[] = {
        {"SelSource", "Select audio source"},     {"SelWav", "Select wave file"},
        {"SingleTag", "Enter MP3 file details"},  {"EncodeOptions", "Select encoding options"},
        {"EncodeWav", "Encoding WAVE file"},      {"RecEnc", "Encoding MIDI file"},
        {"RecExt", "Recording from AUX input"},   {"selCD", "Select CD tracks for encoding"},
        {"SelCDrec", "CD data extraction"},       {"CDoptions", "CD Encoding options"},
        {"CDtagsel", "CD file details"},          {"Multitag", "Enter details for track "},
        {"RecEncCD", "Encoding AUDIO CD file"},
    };
    for (const auto& [page, title] : titles) {
        QWidget* w = Find(page);
        ASSERT_NE(w, nullptr);
        auto* label = w->findChild<QLabel*>(QString(page) + "Heading");
        ASSERT_NE(label, nullptr) << page;
        EXPECT_EQ(label->text(), title) << page;
        EXPECT_NE(w->findChild<QPushButton*>(QString(page) + "Cancel"), nullptr) << page;
    }
    const char* captions[] = {"Wave file", "MIDI file", "Audio CD", "MIC. in", "LINE in", "AUX in"};
    for (int i = 0; i < 6; ++i) {
        auto* b = Find<QToolButton>(("IEButton" + std::to_string(i + 1)).c_str());
        EXPECT_EQ(b->text(), captions[i]);
        EXPECT_FALSE(b->icon().isNull()) << "every source button has a picture";
    }
}

// A card without any source line: no capture device and no usable sound font, so not even
// the synthesiser line exists.
class WizardWithoutLines : public WizardTest {
protected:
    void BeforeWizard() override
    {
        ProfileFile profile = ProfileFile::Settings();
        profile.WriteString("SOUNDCARD_SETUP", "SoundFont", "/nonexistent/font.sf2");
        // A desktop's default capture device would give the card a microphone line.
        profile.WriteString("SOUNDCARD_SETUP", "MicDevice", "nosuchmic");
    }
};

TEST_F(WizardWithoutLines, SourcesWithoutAMixerLineAreDisabledAtActivation)
{
    // No mixer line exists: only the wave file can be chosen (and the audio CD where the
    // machine has a CD drive, which gives the card its CD line).
    EXPECT_TRUE(Find("IEButton1")->isEnabled());
    for (const char* name : {"IEButton2", "IEButton4", "IEButton5", "IEButton6"})
        EXPECT_FALSE(Find(name)->isEnabled()) << name;
    EXPECT_EQ(Find("IEButton3")->isEnabled(), !ResolveCdDevice("").empty());

    // Activation never enables a button again.
    form2->MidiAvailable = true;
    form3->show();
    QApplication::setActiveWindow(form3.get());
    Activate();
    EXPECT_FALSE(Find("IEButton2")->isEnabled());
}

TEST_F(WizardTest, TheLastSourceClickedIsTheOneChosen)
{
    form2->AuxAvailable = true;
    form3.reset();
    form1.reset();
    CreateWizard();
    Click("IEButton1");
    EXPECT_EQ(state.sourceKind, "wave");
    EXPECT_EQ(captionColour(Find<QToolButton>("IEButton1")), QColor(Qt::red));
    Click("IEButton6");
    EXPECT_EQ(state.sourceKind, "aux");
    EXPECT_EQ(captionColour(Find<QToolButton>("IEButton6")), QColor(Qt::red));
    EXPECT_EQ(captionColour(Find<QToolButton>("IEButton1")), QColor(Qt::black));
    Click("SelSourceNext");
    EXPECT_EQ(CurrentPageName(), "RecExt");
}

TEST_F(WizardTest, NextWithoutASourceSaysSoAndStays)
{
    auto* next = Find<QPushButton>("SelSourceNext");
    next->setEnabled(true);  // only a source click enables it; check the guard behind it
    Click(next);
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0], "No source selected");
    EXPECT_EQ(CurrentPageName(), "SelSource");
    EXPECT_TRUE(form1->PageHistory().empty());
}

TEST_F(WizardTest, NextBackNextKeepsOneHistoryEntry)
{
    Click("IEButton1");
    Click("SelSourceNext");
    EXPECT_EQ(CurrentPageName(), "SelWav");
    EXPECT_TRUE(Find("BtnBack")->isEnabled());
    Click("BtnBack");
    EXPECT_EQ(CurrentPageName(), "SelSource");
    EXPECT_FALSE(Find("BtnBack")->isEnabled());
    EXPECT_TRUE(form1->PageHistory().empty());
    Click("SelSourceNext");
    EXPECT_EQ(CurrentPageName(), "SelWav");
    ASSERT_EQ(form1->PageHistory().size(), 1u);
    EXPECT_EQ(form1->PageHistory()[0], Find("SelSource"));
}

TEST_F(WizardTest, AfterBackTheEnterActionRunsOnTheFirstClickIntoThePageBeforeTheClicksOwnAction)
{
    form2->MidiAvailable = true;
    form3.reset();
    form1.reset();
    CreateWizard();
    ASSERT_TRUE(Find("IEButton2")->isEnabled());
    Click("IEButton2");
    ASSERT_EQ(state.sourceKind, "midi");
    Click("SelSourceNext");
    auto* title = Find<QLabel>("SelWavHeading");
    EXPECT_EQ(title->text(), "Select MIDI file") << "the enter action ran as the page became current";
    EXPECT_EQ(Find<QLabel>("SelWavInputLabel")->text(), "Location of MIDI file to encode");

    WriteFileBytes(Input("song.mid"), HeldA4Song());
    dialogs->openAnswers.push_back(Input("song.mid"));
    Click("SelWavBrowseInput");
    Activate();
    ClickFileNext();
    EXPECT_EQ(CurrentPageName(), "SingleTag");
    Click("BtnBack");
    EXPECT_EQ(CurrentPageName(), "SelWav");

    // Mark the title so that a new run of the enter action shows.
    title->setText("marked");
    QString titleWhenDialogOpened;
    dialogs->onDialog = [&] { titleWhenDialogOpened = title->text(); };
    Click("SelWavBrowseInput");
    Activate();
    EXPECT_EQ(titleWhenDialogOpened, "Select MIDI file") << "enter action before the click's own action";
    EXPECT_EQ(dialogs->openRequests.back().title, "Select source MIDI file");

    // Further clicks inside the page do not run it again.
    title->setText("marked again");
    Click("SelWavInput");
    EXPECT_EQ(title->text(), "marked again");
}

TEST_F(WizardTest, BackToTheDetailsPageRefillsTheStyleListOnlyWhenTheFocusEntersIt)
{
    Click("IEButton1");
    Click("SelSourceNext");
    WritePcmWave(Input("a.wav"), 16, 2, 44100, PatternBytes(4000));
    dialogs->openAnswers.push_back(Input("a.wav"));
    Click("SelWavBrowseInput");
    Activate();
    Click("SelWavNext");
    auto* style = Find<QComboBox>("SingleTagStyle");
    EXPECT_EQ(style->count(), 82);
    style->setCurrentIndex(5);
    Find<QLineEdit>("SingleTagArtist")->setText("Someone");
    Click("SingleTagNext");
    EXPECT_EQ(CurrentPageName(), "EncodeOptions");
    Click("BtnBack");
    EXPECT_EQ(CurrentPageName(), "SingleTag");
    EXPECT_EQ(style->currentIndex(), 5) << "the focus has not entered the page yet";
    Click("SingleTagTitle");
    EXPECT_EQ(style->count(), 82);
    EXPECT_EQ(style->currentIndex(), 0);
    EXPECT_EQ(Find<QLineEdit>("SingleTagArtist")->text(), "Someone") << "fields keep what was entered";
}

TEST_F(WizardTest, EveryCancelOutsideTheEncodingPagesClosesTheWizard)
{
    const char* pages[] = {"SelSource", "SelWav", "SingleTag", "EncodeOptions", "RecExt",
                           "selCD", "SelCDrec", "CDoptions", "CDtagsel", "Multitag"};
    for (const char* page : pages) {
        SCOPED_TRACE(page);
        form3.reset();
        form1.reset();
        closedSignal = false;
        CreateWizard();
        QWidget* target = Find(page);
        if (target != Find("SelSource"))
            form1->MoveTo(target);
        std::ofstream(settings.TemporaryWave()) << "partial";
        Click((std::string(page) + "Cancel").c_str());
        EXPECT_TRUE(closedSignal);
        EXPECT_FALSE(form1->isVisible());
        EXPECT_FALSE(std::filesystem::exists(settings.TemporaryWave()));
    }
}

TEST_F(WizardTest, CancelOnTheEncodingPagesDoesNotCloseTheWizard)
{
    form1->MoveTo(Find("RecEnc"));
    Click("RecEncCancel");
    EXPECT_FALSE(closedSignal);
    EXPECT_TRUE(form1->isVisible());
    EXPECT_FALSE(Find("BtnBack")->isVisible()) << "entering an encoding page hides Back";
}

TEST_F(WizardTest, TheCloseBoxDeletesTheTemporaryFile)
{
    Click("IEButton1");
    Click("SelSourceNext");
    std::ofstream(settings.TemporaryWave()) << "partial";
    ASSERT_TRUE(std::filesystem::exists(settings.TemporaryWave()));
    form1->close();
    EXPECT_TRUE(closedSignal);
    EXPECT_FALSE(std::filesystem::exists(settings.TemporaryWave()));
}

TEST_F(WizardTest, StartValuesAndRecordLevels)
{
    // No recording levels in the settings file (it holds only what the mixer start-up
    // saved): every level starts at 50000.
    EXPECT_EQ(ProfileFile(settings.SettingsFile()).ReadString("RECORD_LEVEL", "MIDI", "none"), "none");
    EXPECT_FALSE(ProfileFile(settings.SettingsFile()).ReadString("SOUNDCARD", "DESTINATION_COUNT", "").empty());
    for (int level : state.recordLevels)
        EXPECT_EQ(level, 50000);
    EXPECT_EQ(state.bitRateIndex, 8);
    EXPECT_TRUE(state.ripMode);
    EXPECT_FALSE(state.sourceChosen);

    // Keys and section compare case-insensitively; a missing key keeps its default.
    std::filesystem::create_directories(std::filesystem::path(settings.SettingsFile()).parent_path());
    std::ofstream(settings.SettingsFile()) << "[record_level]\nmidi=1000\nCd=2000\nMIC=3000\nline=4000\n";
    WizardState fresh;
    TForm1 other(fresh);
    EXPECT_EQ(fresh.recordLevels[0], 1000);
    EXPECT_EQ(fresh.recordLevels[1], 2000);
    EXPECT_EQ(fresh.recordLevels[2], 3000);
    EXPECT_EQ(fresh.recordLevels[3], 4000);
    EXPECT_EQ(fresh.recordLevels[4], 50000);
}

TEST_F(WizardTest, SetPriorityChangesTheProcessClassAndIgnoresUnknownLevels)
{
    form1->SetPriority(0);
    EXPECT_EQ(getpriority(PRIO_PROCESS, 0), 19);
    form1->SetPriority(7);
    EXPECT_EQ(getpriority(PRIO_PROCESS, 0), 19) << "an unknown level changes nothing";
    try {
        form1->SetPriority(1);
    } catch (const ESetPriority& e) {
        EXPECT_TRUE(std::string(e.what()).rfind("Attempt to set priority error #", 0) == 0);
        GTEST_SKIP() << "this user may not raise the priority again";
    }
    EXPECT_EQ(getpriority(PRIO_PROCESS, 0), 0);
}
