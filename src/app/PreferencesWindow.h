#pragma once
// The Preferences window: every setting of the settings file's reference, on four tabs
// (Devices, Output, Discs, MIDI). OK writes the keys whose fields were changed, all in one
// replacement of the file, and nothing else; Cancel (or Esc, or the close box) writes
// nothing. The wizard reads what OK wrote when it next needs it: a capture device at the
// next take, the encoder's choices at once (`accepted` tells it).
#include "app/PreferenceFields.h"

#include <QDialog>

class QTabWidget;

class PreferencesWindow : public QDialog {
    Q_OBJECT
public:
    explicit PreferencesWindow(QWidget* parent = nullptr);

    // The keys OK would write now.
    std::vector<ProfileFile::Entry> Changes() const { return fields_.Changed(); }

private:
    void Save();

    PreferenceFields fields_;
    QTabWidget* tabs_ = nullptr;
};
