#pragma once
// A wizard as the program builds it (the sound card, then TForm1, TForm2, TForm3), shown on
// the offscreen platform with scripted dialogs and its own settings and temporary folders.
// The card is made from the test's settings; a fixture adds the ALSA devices and writes the
// settings it needs in BeforeWizard.
#include "app/Unit1.h"
#include "app/Unit3.h"
#include "platform/card/SoundCard.h"
#include "platform/os/ProfileFile.h"
#include "mixer/Unit2.h"
#include "support/MidiFixtures.h"
#include "support/QtPrinters.h"
#include "support/RunEvents.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestAlsa.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // No test asks the real disc databases; a test that serves them sets the servers.
        ProfileFile::Settings().WriteString("METADATA", "Lookup", "0");
        // Every wizard plays MIDI with the same small font, whatever else is installed.
        ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "SoundFont", TestSoundFont());
        BeforeWizard();
        alsa.Install();
        CreateWizard();
    }
    void TearDown() override;
    // Runs before the card and the windows are made.
    virtual void BeforeWizard() {}
    // For BeforeWizard: a card of software lines only, no microphone, the monitor on
    // ALSA's null device, and Clock=fast, so recordings run faster than real time.
    static void UseFastSoftwareCard();

    void CreateWizard();
    // A fresh wizard for the next case of a test, as a second run of the program: the
    // windows are made anew on the same card and settings, with no message left over.
    void RestartWizard();
    // Re-activates the wizard window: offscreen, no window is active after a dialog.
    void Activate();
    // A real mouse click in the middle of the widget (moves the focus as a person's does).
    void Click(QWidget* w);
    void Click(const char* objectName);
    template <class T = QWidget>
    T* Find(const char* objectName)
    {
        T* w = form1->findChild<T*>(objectName);
        EXPECT_NE(w, nullptr) << "no widget " << objectName;
        return w;
    }
    QString CurrentPageName() const { return form1->CurrentPage()->objectName(); }

    // The wave road (or the MIDI road: "IEButton2"): from the source page to the details
    // page with `input` chosen,
    void WalkToDetails(const std::string& input, const char* sourceButton = "IEButton1");
    // ... on to the options page,
    void WalkToOptions(const std::string& input);
    // ... and into the encoding page, whose entry starts the work.
    void StartEncoding(const std::string& input);
    // Next on the file page; on the MIDI road it goes on once the instruments have loaded
    // (or failed to).
    void ClickFileNext();
    bool WaitForFinish();
    // Every widget the current page shows answers a screen reader with a name (a label
    // that shows no text has nothing to say and is passed over).
    void ExpectPageNamed();
    // A file in the test's own folder.
    std::string Input(const char* name) { return settings.Folder().File(name); }

    IsolatedSettings settings;
    TestAlsa alsa;
    ScriptedDialogsScope dialogs;
    WizardState state;
    std::unique_ptr<SoundCard> card;  // outlives the windows
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TForm3> form3;
    bool closedSignal = false;
};
