// The Preferences window through the wizard: opened by its keys and its button, walked by
// keyboard, writing exactly the keys the user changed (and nothing on Esc), and a capture
// device chosen there recording the next take.
#include "app/PreferencesWindow.h"
#include "app/WizardFixture.h"
#include "discinfo/DiscLookup.h"
#include "mpeg/EncoderSettings.h"
#include "platform/cd/CDDA.h"
#include "platform/midi/MidiSynth.h"
#include "stream/MMWavIn.h"
#include "support/AudioOracles.h"
#include "support/WaveFixtures.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <fstream>
#include <map>
#include <set>

namespace {
constexpr int kRate = 44100;

using IniKeys = std::map<std::pair<std::string, std::string>, std::string>;

// Every key of the settings file as it stands, by section and key.
IniKeys ReadIniKeys(const std::string& path)
{
    IniKeys keys;
    std::ifstream in(path);
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
            section = line.substr(1, line.size() - 2);
        else if (const auto eq = line.find('='); eq != std::string::npos)
            keys[{section, line.substr(0, eq)}] = line.substr(eq + 1);
    }
    return keys;
}

class Preferences : public WizardTest {
protected:
    // Two microphones: the one set up hears 1 kHz, the other 3 kHz.
    void BeforeWizard() override
    {
        ProfileFile profile = ProfileFile::Settings();
        profile.WriteString("SOUNDCARD_SETUP", "MicDevice", "testmic");
        profile.WriteString("SOUNDCARD_SETUP", "MonitorDevice", "null");
        alsa.AddCapture("testmic", Tone(kRate, {1000, 1000}, 10 * kRate));
        alsa.AddCapture("othermic", Tone(kRate, {3000, 3000}, 10 * kRate));
    }

    // Ctrl+, on the wizard: the window it opens.
    PreferencesWindow* OpenByKey()
    {
        QTest::keyClick(form1.get(), Qt::Key_Comma, Qt::ControlModifier);
        auto* window = form1->findChild<PreferencesWindow*>();
        EXPECT_NE(window, nullptr) << "Ctrl+, opened no Preferences";
        if (window) {
            QApplication::setActiveWindow(window);
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return window;
    }
    template <class T = QWidget>
    static T* In(QWidget* window, const char* name)
    {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << "no widget " << name;
        return w;
    }
    std::string SettingsFile() { return settings.SettingsFile(); }

    // From the first page to the recording page of a live input, an output chosen.
    void OpenRecExt(const char* source)
    {
        Click(source);
        Click("SelSourceNext");
        ASSERT_EQ(CurrentPageName(), "RecExt");
        dialogs->saveAnswers.push_back(Input("take.mp3"));
        Click("RecExtBrowse");
        Activate();
    }
    // A take of a second; what the temporary wave holds.
    std::vector<std::int16_t> Take()
    {
        TMMWaveIn& in = form2->MMWaveRecorder1.WaveIn();
        Click("RecExtRecord");
        EXPECT_TRUE(RunEventsUntil([&] { return in.RecordedBytes() >= 4 * kRate; }));
        Click("RecExtStop");
        return SndReadShorts(settings.TemporaryWave());
    }
    // The amplitude of a tone in the middle of a take.
    static double Level(const std::vector<std::int16_t>& pcm, double hz)
    {
        const long frames = static_cast<long>(pcm.size() / 2);
        return FitTone(pcm, 2, 0, kRate, hz, frames / 4, frames / 2).amplitude;
    }
};

// The fields a keyboard must reach on a tab: its enabled controls (the editors inside
// combo and spin boxes belong to them).
std::set<QWidget*> FieldsOf(QWidget* tab)
{
    std::set<QWidget*> fields;
    for (QWidget* w : tab->findChildren<QWidget*>()) {
        QWidget* parent = w->parentWidget();
        const bool inner = qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractSpinBox*>(parent);
        if (!inner && w->isEnabled() && w->isVisible() &&
            (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractButton*>(w) ||
             qobject_cast<QLineEdit*>(w)))
            fields.insert(w);
    }
    return fields;
}

// The field the focus is in (a combo or spin box for its editor).
QWidget* FocusedField()
{
    QWidget* w = QApplication::focusWidget();
    if (w && (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractSpinBox*>(w->parentWidget())))
        return w->parentWidget();
    return w;
}
}  // namespace

TEST_F(Preferences, CtrlCommaOpensATabWalkReachesEveryFieldAndEscWritesNothing)
{
    const Bytes before = ReadBytes(SettingsFile());
    PreferencesWindow* window = OpenByKey();
    ASSERT_NE(window, nullptr);
    auto* tabs = In<QTabWidget>(window, "PreferencesTabs");
    ASSERT_EQ(tabs->count(), 4);
    for (int t = 0; t < tabs->count(); ++t) {
        SCOPED_TRACE(tabs->tabText(t).toStdString());
        ASSERT_EQ(tabs->currentIndex(), t);
        const std::set<QWidget*> fields = FieldsOf(tabs->currentWidget());
        ASSERT_GE(fields.size(), 4u);
        // Tab goes once round the window: the tabs, the tab's fields, OK, Cancel.
        std::set<QWidget*> reached;
        QWidget* start = FocusedField();
        ASSERT_NE(start, nullptr);
        int steps = 0;
        do {
            reached.insert(FocusedField());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        } while (FocusedField() != start && ++steps < 60);
        ASSERT_EQ(FocusedField(), start) << "Tab never came round";
        for (QWidget* f : fields)
            EXPECT_TRUE(reached.count(f)) << f->objectName().toStdString() << " is never reached by Tab";
        EXPECT_TRUE(reached.count(tabs->tabBar()));
        EXPECT_TRUE(reached.count(In(window, "PreferencesOK")));
        EXPECT_TRUE(reached.count(In(window, "PreferencesCancel")));
        // Every field has a name a screen reader says (its label's, for a labelled one).
        for (QWidget* f : fields) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(f);
            ASSERT_NE(a, nullptr);
            EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << f->objectName().toStdString() << " has no name";
        }
        // On to the tabs, and the next one.
        while (FocusedField() != tabs->tabBar() && ++steps < 120)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(tabs->tabBar(), Qt::Key_Right);
    }
    // A change made, then Esc: the window goes and the file is as it was.
    tabs->setCurrentIndex(1);
    auto* safe = In<QCheckBox>(window, "SafeNamesChoice");
    safe->setFocus();
    QTest::keyClick(safe, Qt::Key_Space);
    ASSERT_TRUE(safe->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(RunEventsUntil([&] { return form1->findChild<PreferencesWindow*>() == nullptr; }));
    EXPECT_TRUE(ReadBytes(SettingsFile()) == before) << "Esc wrote the settings file";
}

TEST_F(Preferences, OkWritesExactlyTheChangedKeysWithTheirDocumentedMeaning)
{
    const IniKeys before = ReadIniKeys(SettingsFile());
    Click("PreferencesButton");
    auto* window = form1->findChild<PreferencesWindow*>();
    ASSERT_NE(window, nullptr) << "the first page's button opened no Preferences";
    In<QComboBox>(window, "ModeChoice")->setCurrentIndex(In<QComboBox>(window, "ModeChoice")->findData("vbr"));
    In<QSpinBox>(window, "VbrQualityChoice")->setValue(4);
    auto* stereo = In<QComboBox>(window, "StereoChoice");
    stereo->setCurrentIndex(stereo->findData("joint"));
    stereo->setCurrentIndex(stereo->findData("stereo"));  // changed back: not written
    In<QLineEdit>(window, "FileNamesChoice")->setText("%N %t");
    EXPECT_EQ(In<QLabel>(window, "FileNamesExample")->text(), "01 Intro.mp3");
    In<QCheckBox>(window, "SafeNamesChoice")->setChecked(true);
    In<QSpinBox>(window, "ReadOffsetChoice")->setValue(6);
    In<QCheckBox>(window, "CueSheetChoice")->setChecked(true);
    In<QCheckBox>(window, "ReverbChoice")->setChecked(false);
    In<QSpinBox>(window, "SynthGainChoice")->setValue(-3);
    In<QComboBox>(window, "MicDeviceChoice")->setEditText("othermic");
    In<QComboBox>(window, "LineDeviceChoice")->setEditText("hw:7");
    dialogs->openAnswers.push_back(Input("album.cue"));
    Click(In(window, "CdDeviceBrowse"));
    EXPECT_EQ(In<QLineEdit>(window, "CdDeviceChoice")->text().toStdString(), Input("album.cue"));
    ASSERT_FALSE(dialogs->openRequests.empty());
    EXPECT_NE(dialogs->openRequests.back().filter.find("*.cue;*.toc;*.nrg"), std::string::npos);
    Click(In(window, "PreferencesOK"));
    EXPECT_TRUE(RunEventsUntil([&] { return form1->findChild<PreferencesWindow*>() == nullptr; }));

    IniKeys expected = before;
    for (const auto& [section, key, value] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"ENCODER", "Mode", "vbr"},
             {"ENCODER", "VbrQuality", "4"},
             {"METADATA", "FileNames", "%N %t"},
             {"METADATA", "SafeNames", "1"},
             {"CD", "ReadOffset", "6"},
             {"CD", "CueSheet", "1"},
             {"SOUNDCARD_SETUP", "Reverb", "0"},
             {"SOUNDCARD_SETUP", "SynthGain", "-3"},
             {"SOUNDCARD_SETUP", "MicDevice", "othermic"},
             {"SOUNDCARD_SETUP", "LineDevice", "hw:7"},
             {"SOUNDCARD_SETUP", "CdDevice", Input("album.cue")}})
        expected[{section, key}] = value;
    EXPECT_EQ(ReadIniKeys(SettingsFile()), expected);

    // The program's own readers take them as the settings reference documents them.
    const EncoderSettings encoder = EncoderSettings::Read(ProfileFile::Settings());
    EXPECT_TRUE(encoder.vbr);
    EXPECT_EQ(encoder.vbrQuality, 4);
    EXPECT_TRUE(ReadLookupSettings().safeNames);
    EXPECT_EQ(CdReadOffset(CdReadSettings::FromProfile(ProfileFile::Settings()).readOffset), 6);
    EXPECT_FALSE(SynthOptions::FromProfile(ProfileFile::Settings()).reverb);
    EXPECT_EQ(SynthOptions::FromProfile(ProfileFile::Settings()).gainDb, -3);
    EXPECT_EQ(SoundCardSettings::FromProfile(ProfileFile::Settings()).cdDevice, Input("album.cue"));
    // The wizard's options follow at once.
    EXPECT_TRUE(state.encoder.vbr);
    EXPECT_EQ(state.encoder.vbrQuality, 4);
}

TEST_F(Preferences, AMicrophoneChosenThereRecordsTheNextTake)
{
    OpenRecExt("IEButton4");
    const std::vector<std::int16_t> first = Take();
    ASSERT_GT(first.size(), 8000u);
    EXPECT_GT(Level(first, 1000), 1000);
    EXPECT_LT(Level(first, 3000), 50);

    // Chosen in Preferences, opened from the recording page itself.
    PreferencesWindow* window = OpenByKey();
    ASSERT_NE(window, nullptr);
    In<QComboBox>(window, "MicDeviceChoice")->setEditText("othermic");
    Click(In(window, "PreferencesOK"));
    Activate();
    const std::vector<std::int16_t> second = Take();
    ASSERT_GT(second.size(), 8000u);
    EXPECT_GT(Level(second, 3000), 1000) << "the next take did not record the chosen microphone";
    EXPECT_LT(Level(second, 1000), 50);
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
}

TEST_F(Preferences, AnInputThatHadNoDeviceWakesWhenOneIsChosenThereAndRecordsIt)
{
    ASSERT_FALSE(Find("IEButton5")->isEnabled()) << "no line input is set up";
    PreferencesWindow* window = OpenByKey();
    ASSERT_NE(window, nullptr);
    In<QComboBox>(window, "LineDeviceChoice")->setEditText("othermic");
    Click(In(window, "PreferencesOK"));
    Activate();
    ASSERT_TRUE(Find("IEButton5")->isEnabled()) << Find("IEButton5")->toolTip().toStdString();
    EXPECT_TRUE(Find("IEButton5")->toolTip().isEmpty());

    OpenRecExt("IEButton5");
    const std::vector<std::int16_t> take = Take();
    ASSERT_GT(take.size(), 8000u);
    EXPECT_GT(Level(take, 3000), 1000) << "the line input did not record the device chosen";
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
}
