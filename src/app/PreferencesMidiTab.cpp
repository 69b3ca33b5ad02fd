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

    QLineEdit* font = fields.AddPath(form, "SOUNDCARD_SETUP", "SoundFont", tr("&Sound font:"),
                                     QString::fromStdString(card.soundFont),
                                     {tr("&Browse..."), tr("Choose a sound font"),
                                      tr("Sound fonts") + "|*.sf2;*.sf3|" + tr("All files") + "|*.*"});
    font->setObjectName("SoundFontChoice");
    font->setPlaceholderText(tr("The first General MIDI font installed"));
    PreferenceFields::Browse(font)->setObjectName("SoundFontBrowse");

    fields.AddCheck(form, "SOUNDCARD_SETUP", "Reverb", tr("&Reverb"), synth.reverb)->setObjectName("ReverbChoice");
    fields.AddCheck(form, "SOUNDCARD_SETUP", "Chorus", tr("&Chorus"), synth.chorus)->setObjectName("ChorusChoice");
    QSpinBox* gain = fields.AddNumber(form, "SOUNDCARD_SETUP", "SynthGain", tr("Output &gain:"), SynthOptions::kMinGainDb,
                                      SynthOptions::kMaxGainDb, synth.gainDb);
    gain->setObjectName("SynthGainChoice");
    gain->setSuffix(tr(" dB"));

    auto* when = new QLabel(tr("The sound font, reverb, chorus and gain change at the next play."));
    when->setObjectName("MidiTakeEffect");
    when->setWordWrap(true);
    form->addRow(when);
    return tab;
}
