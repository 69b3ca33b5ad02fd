// The Devices tab: the capture device of each live input (the audio server's sources by
// their descriptions, else ALSA's capture devices; any other ALSA name can be typed), the
// speakers' device, and the CD drive or disc image.
#include "app/PreferenceFields.h"
#include "app/PreferencesTabs.h"

#include "platform/card/CaptureSources.h"
#include "platform/card/SoundCard.h"
#include "platform/os/Dialogs.h"
#include "platform/os/ErrorReport.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
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

QWidget* PreferencesTabs::PathWithBrowse(QWidget* edit, const QString& browseText, const QString& dialogTitle, const QString& filter)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* browse = new QPushButton(browseText);
    layout->addWidget(edit, 1);
    layout->addWidget(browse);
    auto* line = qobject_cast<QLineEdit*>(edit);
    QObject::connect(browse, &QPushButton::clicked, edit, [line, dialogTitle, filter] {
        Guarded([&] {
            FileDialogOptions options;
            options.title = dialogTitle.toStdString();
            options.filter = filter.toStdString();
            options.initialName = line->text().trimmed().toStdString();
            if (const auto chosen = AppDialogs().OpenFile(options))
                line->setText(QString::fromStdString(*chosen));
        });
    });
    return row;
}

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

    auto* cd = new QLineEdit(QString::fromStdString(now.cdDevice));
    cd->setObjectName("CdDeviceChoice");
    cd->setPlaceholderText(tr("The first drive"));
    QWidget* cdRow = PathWithBrowse(cd, tr("&Browse..."), tr("Open a disc image"),
                                    tr("Disc images") + "|*.cue;*.toc;*.nrg|" + tr("All files") + "|*.*");
    cdRow->findChild<QPushButton*>()->setObjectName("CdDeviceBrowse");
    PreferenceFields::AddRow(form, tr("CD d&rive or disc image:"), cd, cdRow);
    fields.Track("SOUNDCARD_SETUP", "CdDevice", cd->text().trimmed(), [cd] { return cd->text().trimmed(); });

    // The card's lines are made when the program starts; only a capture device of an input
    // it has changes at once.
    auto* when = new QLabel(tr("A changed input records from the next take on. An input that had no device, and "
                               "the speakers, change when Mervane starts again."));
    when->setObjectName("DevicesTakeEffect");
    when->setWordWrap(true);
    form->addRow(when);
    return tab;
}
