// The Output tab: the encoder's settings (section ENCODER) and the CD files' names
// (METADATA FileNames and SafeNames), with the first track's name as the template makes it.
#include "app/PreferenceFields.h"
#include "app/PreferencesTabs.h"

#include "discinfo/DiscLookup.h"
#include "discinfo/FileNames.h"
#include "mpeg/EncoderSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QWidget>

QWidget* PreferencesTabs::Output(PreferenceFields& fields)
{
    auto* tab = new QWidget;
    tab->setObjectName("PreferencesOutput");
    auto* form = new QFormLayout(tab);
    const ProfileFile settings = ProfileFile::Settings();
    const EncoderSettings encoder = EncoderSettings::Read(settings);

    fields.AddChoice(form, kEncoderSection, "Container", tr("File &type:"),
                     {{"wave", tr("MP3 inside a wave file")}, {"mp3", tr("MP3 file")}},
                     encoder.mp3Container ? "mp3" : "wave")
        ->setObjectName("ContainerChoice");
    QComboBox* mode = fields.AddChoice(form, kEncoderSection, "Mode", tr("Bit rate &mode:"),
                                       {{"cbr", tr("Constant (the slider's bit rate)")}, {"vbr", tr("Variable")}},
                                       encoder.vbr ? "vbr" : "cbr");
    mode->setObjectName("ModeChoice");
    QSpinBox* quality = fields.AddNumber(form, kEncoderSection, "VbrQuality", tr("Variable &quality (0 best):"), 0, 9,
                                         encoder.vbrQuality);
    quality->setObjectName("VbrQualityChoice");
    quality->setEnabled(encoder.vbr);
    QObject::connect(mode, &QComboBox::currentIndexChanged, quality,
                     [mode, quality] { quality->setEnabled(mode->currentData().toString() == "vbr"); });
    fields.AddChoice(form, kEncoderSection, "Stereo", tr("&Stereo:"),
                     {{"stereo", tr("Stereo")}, {"joint", tr("Joint stereo")}}, encoder.jointStereo ? "joint" : "stereo")
        ->setObjectName("StereoChoice");
    fields.AddCheck(form, kEncoderSection, "ReplayGain", tr("&ReplayGain (measure loudness, tag track and album gain)"),
                    encoder.replayGain)
        ->setObjectName("ReplayGainChoice");
    fields.AddNumber(form, kEncoderSection, "Jobs", tr("&Encoders at once:"), 1, 64, encoder.jobs)
        ->setObjectName("JobsChoice");

    const LookupSettings lookup = ReadLookupSettings();
    QLineEdit* names = fields.AddText(form, "METADATA", "FileNames", tr("CD file &names:"),
                                      QString::fromStdString(lookup.fileNames));
    names->setObjectName("FileNamesChoice");
    names->setToolTip(tr("%n track number, %N two-digit number, %t title, %a artist, %A album, %y year"));
    QCheckBox* safe = fields.AddCheck(form, "METADATA", "SafeNames", tr("Safe names for &FAT file systems"),
                                      lookup.safeNames);
    safe->setObjectName("SafeNamesChoice");

    // The first track's name as the template makes it, following every key stroke.
    auto* example = new QLabel;
    example->setObjectName("FileNamesExample");
    example->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* caption = new QLabel(tr("First track:"));
    form->addRow(caption, example);
    example->setAccessibleName(tr("First track's file name"));
    const auto showExample = [names, safe, example] {
        FileNameFields track;
        track.track = 1;
        track.title = tr("Intro").toStdString();
        track.artist = tr("Artist").toStdString();
        track.album = tr("Album").toStdString();
        track.year = 1999;
        QString pattern = names->text().trimmed();
        if (pattern.isEmpty())
            pattern = kDefaultFileNameTemplate;
        example->setText(QString::fromStdString(FileNameFromTemplate(pattern.toStdString(), track, safe->isChecked())) +
                         ".mp3");
    };
    QObject::connect(names, &QLineEdit::textChanged, example, showExample);
    QObject::connect(safe, &QCheckBox::toggled, example, showExample);
    showExample();
    return tab;
}
