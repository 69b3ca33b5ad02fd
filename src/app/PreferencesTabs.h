#pragma once
// The tabs of the Preferences window, one file each; every tab adds its fields to the
// window's PreferenceFields.
#include <QCoreApplication>
#include <QString>

class PreferenceFields;
class QWidget;

class PreferencesTabs {
    Q_DECLARE_TR_FUNCTIONS(PreferencesWindow)
public:
    // The inputs the card records from and plays to: microphone, line, aux, speakers, and
    // the CD drive or disc image.
    static QWidget* Devices(PreferenceFields& fields);
    // The encoder's choices and the CD files' names.
    static QWidget* Output(PreferenceFields& fields);
    // Disc lookups, covers, AccurateRip, the drive's read offset, test and copy, cue sheets.
    static QWidget* Discs(PreferenceFields& fields);
    // The MIDI synthesiser: sound font, reverb, chorus, output gain.
    static QWidget* Midi(PreferenceFields& fields);
};
