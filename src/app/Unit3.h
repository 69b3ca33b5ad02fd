#pragma once
// The "Encoder details" dialog: who encodes the MP3 frames, and which versions run.
#include <QDialog>

class QLabel;
struct EncoderSettings;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    // The line with the versions of the encoder interface and of the encoding engine.
    static QString VersionLine();
    // The settings the next encoding runs with: mode, bit rate or quality, stereo mode and
    // container, one a line.
    static QString SettingsText(const EncoderSettings& settings, int kbps);
    void ShowSettings(const EncoderSettings& settings, int kbps);

private:
    QLabel* settings_ = nullptr;
};
