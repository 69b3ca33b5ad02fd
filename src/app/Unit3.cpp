#include "app/Unit3.h"

#include "mpeg/EncoderSettings.h"
#include "platform/codec/BladeEnc.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm3::TForm3(QWidget* parent) : QDialog(parent)
{
    setObjectName("Form3");
    setWindowTitle(tr("Encoder details"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* credit = new QLabel(tr("MP3 encoding by LAME, through the BladeEnc interface."), this);
    credit->setObjectName("EncoderCredit");
    auto* version = new QLabel(VersionLine(), this);
    version->setObjectName("EncoderVersion");
    settings_ = new QLabel(SettingsText(EncoderSettings{}, 128), this);
    settings_->setObjectName("EncoderSettings");
    auto* home = new QLabel("LAME: https://lame.sourceforge.io/", this);
    home->setObjectName("EncoderHome");
    home->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("OKButton");
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(credit);
    layout->addWidget(version);
    layout->addWidget(settings_);
    layout->addWidget(home);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

QString TForm3::VersionLine()
{
    const BE_VERSION_STRINGS versions = beVersionStrings();
    return tr("Version %1   Engine %2 ").arg(QString::fromStdString(versions.interfaceVersion),
                                                 QString::fromStdString(versions.engineVersion));
}

QString TForm3::SettingsText(const EncoderSettings& settings, int kbps)
{
    return tr("Encoder: LAME %1\nMode: %2\nStereo mode: %3\nSaved as: %4")
        .arg(QString::fromStdString(beVersionStrings().engineVersion), QString::fromStdString(settings.ModeText(kbps)),
             QString::fromStdString(settings.StereoText()), QString::fromStdString(settings.ContainerText()));
}

void TForm3::ShowSettings(const EncoderSettings& settings, int kbps)
{
    settings_->setText(SettingsText(settings, kbps));
}
