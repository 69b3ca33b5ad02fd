#include "app/WizardFixture.h"

#include "app/AppSetup.h"
#include "platform/os/ProfileFile.h"
#include "platform/midi/MidiSynth.h"
#include "support/MidiFixtures.h"
#include "support/RunEvents.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <string_view>

void WizardTest::CreateWizard()
{
    if (!card)
        card = CreateSoundCard();
    form1 = std::make_unique<TForm1>(state);
    if (!form2)  // kept across re-creations so a test can set its mixer lines first
        form2 = std::make_unique<TForm2>(state);
    form3 = std::make_unique<TForm3>(form1.get());
    form1->Attach(form2.get(), form3.get());
    QObject::connect(form1.get(), &TForm1::closed, [this] { closedSignal = true; });
    form1->show();
    Activate();
}

void WizardTest::TearDown()
{
    form3.reset();
    form2.reset();
    form1.reset();
    card.reset();
}

void WizardTest::Activate()
{
    QApplication::setActiveWindow(form1.get());
    form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
}

void WizardTest::Click(QWidget* w)
{
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->isVisible()) << w->objectName().toStdString() << " is not visible";
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    QApplication::processEvents();
}

void WizardTest::Click(const char* objectName)
{
    // Offline, the track list's lookup only reads the cache and the CD-Text, and a person's
    // click on Next comes after it has ended; a test's click comes at once, so it lets the
    // lookup end first instead of finding Next waiting for it.
    if (std::string_view(objectName) == "selCDNext" &&
        ProfileFile::Settings().ReadInteger("METADATA", "Lookup", 1) == 0) {
        EXPECT_TRUE(RunEventsUntil([&] { return !state.discLookupRunning; })) << "the offline lookup never ended";
    }
    Click(Find(objectName));
}

void WizardTest::WalkToDetails(const std::string& input, const char* sourceButton)
{
    Click(sourceButton);
    Click("SelSourceNext");
    dialogs->openAnswers.push_back(input);
    Click("SelWavBrowseInput");
    Activate();
    ClickFileNext();
    ASSERT_EQ(CurrentPageName(), "SingleTag");
}

void WizardTest::WalkToOptions(const std::string& input)
{
    WalkToDetails(input);
    Click("SingleTagNext");
    ASSERT_EQ(CurrentPageName(), "EncodeOptions");
}

void WizardTest::StartEncoding(const std::string& input)
{
    WalkToOptions(input);
    Click("EncodeOptionsNext");
    ASSERT_EQ(CurrentPageName(), "EncodeWav");
}

void WizardTest::ClickFileNext()
{
    Click("SelWavNext");
    const MidiSynth* synth = MidiSynth::Current();
    if (state.sourceKind != "midi" || !synth)
        return;
    ASSERT_TRUE(RunEventsUntil([&] {
        return synth->Font() == MidiSynth::FontState::Loaded || synth->Font() == MidiSynth::FontState::Failed;
    }));
}

bool WizardTest::WaitForFinish()
{
    return RunEventsUntil([&] { return Find("EncodeWavFinish")->isEnabled(); });
}

void WizardTest::UseFastSoftwareCard()
{
    ProfileFile profile = ProfileFile::Settings();
    profile.WriteString("SOUNDCARD_SETUP", "MicDevice", "nosuchmic");
    profile.WriteString("SOUNDCARD_SETUP", "MonitorDevice", "null");
    profile.WriteString("SOUNDCARD_SETUP", "Clock", "fast");
    profile.WriteString("SOUNDCARD_SETUP", "SoundFont", TestSoundFont());
}

void WizardTest::RestartWizard()
{
    form3.reset();
    form1.reset();
    form2.reset();
    state.jobStarted = false;
    dialogs->messages.clear();
    CreateWizard();
}

void WizardTest::ExpectPageNamed()
{
    QWidget* page = form1->CurrentPage();
    SCOPED_TRACE(page->objectName().toStdString());
    for (QWidget* w : page->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(w);
        if (!w->isVisibleTo(page) || (label && label->text().isEmpty() && label->pixmap().isNull()))
            continue;
        const std::string id = (w->objectName() + " " + w->metaObject()->className()).toStdString();
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(a, nullptr) << id;
        EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty()) << id << " has no accessible name";
    }
}
