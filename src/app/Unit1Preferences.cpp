// The Preferences window as the wizard opens it: the first page's button and the keys that
// work on every page, and what its OK changes in the wizard at once.
#include "app/Unit1.h"

#include "app/PreferencesWindow.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/ProfileFile.h"

#include <QAction>
#include <QKeySequence>

void TForm1::AddPreferencesKeys()
{
    // The desktop's own key for Preferences, and Ctrl+, where the desktop names another
    // (or none); one action, so no key is ever claimed twice.
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Preferences);
    const QKeySequence ctrlComma(Qt::CTRL | Qt::Key_Comma);
    if (!keys.contains(ctrlComma))
        keys.append(ctrlComma);
    auto* action = new QAction(tr("Preferences"), this);
    action->setObjectName("PreferencesAction");
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this] { Guarded([&] { ShowPreferences(); }); });
    addAction(action);
}

void TForm1::ShowPreferences()
{
    if (preferences_) {
        preferences_->raise();
        preferences_->activateWindow();
        return;
    }
    preferences_ = new PreferencesWindow(this);
    preferences_->setAttribute(Qt::WA_DeleteOnClose);
    preferences_->setWindowModality(Qt::WindowModal);
    connect(preferences_, &QDialog::accepted, this, [this] { Guarded([&] { PreferencesAccepted(); }); });
    preferences_->show();
}

void TForm1::PreferencesAccepted()
{
    // Lookups, names and the rip's choices are read where they are used; the encoder's
    // choices are shown on the options pages, so they follow now.
    state_.encoder = EncoderSettings::Read(ProfileFile::Settings());
    ShowEncoderChoices();
    // The card follows the devices and the sound font chosen; a tile greyed for a missing
    // device wakes when one is chosen.
    if (form2_) {
        Guarded([&] { form2_->FollowDeviceChoices(); });
        ShowSourcesAvailable();
    }
}
