// The Devices tab: the capture device of each live input (the audio server's sources by
// their descriptions, else ALSA's capture devices; any other ALSA name can be typed), the
// speakers' device, and the CD drive or disc image.
#include "app/PreferenceFields.h"
#include "app/PreferencesTabs.h"

#include "platform/card/CaptureSources.h"
#include "platform/card/SoundCard.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace {
// What the combo holds as the settings spell it: the chosen source's device, or the text
// typed when it names none of the listed ones.
QString deviceOf(const QComboBox* combo)
{
    const QString text = combo->currentText().trimmed();
    const int index = combo->findText(text, Qt::MatchExactly);
    return index >= 0 ? combo->itemData(index).toString() : text;
}

// A combo listing the sources, with "None" first where the input may be left out; the
// device set now is listed even when the list has it not (a source that has gone).
QComboBox* deviceCombo(const CaptureSourceList& list, const QString& none, const std::string& current)
{
    auto* combo = new QComboBox;
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    if (!none.isEmpty())
        combo->addItem(none, QString());
    for (const CaptureSource& s : list.sources) {
        QString text = QString::fromStdString(s.description.empty() ? s.device : s.description);
        if (!list.fromServer && !s.description.empty())
            text = QString::fromStdString(s.device) + " - " + text;
        combo->addItem(text, QString::fromStdString(s.device));
    }
    const QString now = QString::fromStdString(current);
    int index = combo->findData(now);
    if (index < 0) {
        combo->addItem(now, now);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
    return combo;
}
}  // namespace

QWidget* PreferencesTabs::Devices(PreferenceFields& fields)
{
    auto* tab = new QWidget;
    tab->setObjectName("PreferencesDevices");
    auto* form = new QFormLayout(tab);
    const SoundCardSettings now = SoundCardSettings::FromProfile(ProfileFile::Settings());
    const CaptureSourceList sources = ListCaptureSources();

    struct Input {
        const char* name;
        const char* key;
        QString label;
        const std::string& device;
        bool mayBeNone;
    };
    const Input inputs[] = {
        {"MicDeviceChoice", "MicDevice", tr("&Microphone:"), now.micDevice, false},
        {"LineDeviceChoice", "LineDevice", tr("&Line input:"), now.lineDevice, true},
        {"AuxDeviceChoice", "AuxDevice", tr("&Aux input:"), now.auxDevice, true},
    };
    for (const Input& in : inputs) {
        QComboBox* combo = deviceCombo(sources, in.mayBeNone ? tr("None") : QString(), in.device);
        combo->setObjectName(in.name);
        PreferenceFields::AddRow(form, in.label, combo);
        fields.Track("SOUNDCARD_SETUP", in.key, deviceOf(combo), [combo] { return deviceOf(combo); });
    }

    auto* speakers = new QComboBox;
    speakers->setObjectName("MonitorDeviceChoice");
    speakers->setEditable(true);
    speakers->setInsertPolicy(QComboBox::NoInsert);
    speakers->addItem("default", "default");
    if (now.monitorDevice != "default")
        speakers->addItem(QString::fromStdString(now.monitorDevice), QString::fromStdString(now.monitorDevice));
    speakers->setCurrentIndex(speakers->findData(QString::fromStdString(now.monitorDevice)));
    PreferenceFields::AddRow(form, tr("&Speakers:"), speakers);
    fields.Track("SOUNDCARD_SETUP", "MonitorDevice", deviceOf(speakers), [speakers] { return deviceOf(speakers); });

    QLineEdit* cd = fields.AddPath(form, "SOUNDCARD_SETUP", "CdDevice", tr("CD d&rive or disc image:"),
                                   QString::fromStdString(now.cdDevice),
                                   {tr("&Browse..."), tr("Open a disc image"),
                                    tr("Disc images") + "|*.cue;*.toc;*.nrg|" + tr("All files") + "|*.*"});
    cd->setObjectName("CdDeviceChoice");
    cd->setPlaceholderText(tr("The first drive"));
    PreferenceFields::Browse(cd)->setObjectName("CdDeviceBrowse");

    // The card follows the devices when the window's OK is pressed, and again at every take.
    auto* when = new QLabel(tr("A changed device is used from the next take or play on."));
    when->setObjectName("DevicesTakeEffect");
    when->setWordWrap(true);
    form->addRow(when);
    return tab;
}
