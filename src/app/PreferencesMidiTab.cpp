// The MIDI tab: the synthesiser's sound font, reverb, chorus and output gain (section
// SOUNDCARD_SETUP).
#include "app/PreferenceFields.h"
#include "app/PreferencesTabs.h"

#include "platform/card/SoundCard.h"
#include "platform/midi/MidiSynth.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>

QWidget* PreferencesTabs::Midi(PreferenceFields& fields)
{
    auto* tab = new QWidget;
    tab->setObjectName("PreferencesMidi");
    auto* form = new QFormLayout(tab);
    const SoundCardSettings card = SoundCardSettings::FromProfile(ProfileFile::Settings());
    const SynthOptions synth = SynthOptions::FromProfile(ProfileFile::Settings());

    auto* font = new QLineEdit(QString::fromStdString(card.soundFont));
    font->setObjectName("SoundFontChoice");
    font->setPlaceholderText(tr("The first General MIDI font installed"));
    QWidget* fontRow = PathWithBrowse(font, tr("&Browse..."), tr("Choose a sound font"),
                                      tr("Sound fonts") + "|*.sf2;*.sf3|" + tr("All files") + "|*.*");
    fontRow->findChild<QPushButton*>()->setObjectName("SoundFontBrowse");
    PreferenceFields::AddRow(form, tr("&Sound font:"), font, fontRow);
    fields.Track("SOUNDCARD_SETUP", "SoundFont", font->text().trimmed(), [font] { return font->text().trimmed(); });

    fields.AddCheck(form, "SOUNDCARD_SETUP", "Reverb", tr("&Reverb"), synth.reverb)->setObjectName("ReverbChoice");
    fields.AddCheck(form, "SOUNDCARD_SETUP", "Chorus", tr("&Chorus"), synth.chorus)->setObjectName("ChorusChoice");
    QSpinBox* gain = fields.AddNumber(form, "SOUNDCARD_SETUP", "SynthGain", tr("Output &gain:"), SynthOptions::kMinGainDb,
                                      SynthOptions::kMaxGainDb, synth.gainDb);
    gain->setObjectName("SynthGainChoice");
    gain->setSuffix(tr(" dB"));

    auto* when = new QLabel(tr("Reverb, chorus and gain change at the next play; the sound font when Mervane "
                               "starts again."));
    when->setObjectName("MidiTakeEffect");
    when->setWordWrap(true);
    form->addRow(when);
    return tab;
}
