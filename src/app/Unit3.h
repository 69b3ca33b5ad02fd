#pragma once
// The "Encoder details" dialog: who encodes the MP3 frames, and which versions run.
#include <QDialog>

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    // The line with the versions of the encoder interface and of the encoding engine.
    static QString VersionLine();
};
