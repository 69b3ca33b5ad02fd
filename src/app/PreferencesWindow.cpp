#include "app/PreferencesWindow.h"

#include "app/PreferencesTabs.h"
#include "platform/os/ErrorReport.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

PreferencesWindow::PreferencesWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("PreferencesWindow");
    setWindowTitle(tr("Preferences"));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("PreferencesTabs");
    tabs_->addTab(PreferencesTabs::Devices(fields_), tr("Devices"));
    tabs_->addTab(PreferencesTabs::Output(fields_), tr("Output"));
    tabs_->addTab(PreferencesTabs::Discs(fields_), tr("Discs"));
    tabs_->addTab(PreferencesTabs::Midi(fields_), tr("MIDI"));
    layout->addWidget(tabs_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("PreferencesOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName("PreferencesCancel");
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { Guarded([&] { Save(); }); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void PreferencesWindow::Save()
{
    // A refused write is told (naming the file and the reason) and leaves the file as it
    // was; the window stays open so nothing chosen is lost.
    ProfileFile settings(ProfileFile::Settings().Path(), ProfileFile::OnRefusedWrite::Raise);
    settings.WriteStrings(fields_.Changed());
    accept();
}
