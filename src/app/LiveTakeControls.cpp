#include "app/LiveTakeControls.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QTimeEdit>

ClipLight::ClipLight(QWidget* parent) : QPushButton(tr("CLIP"), parent)
{
    setObjectName("RecExtClip");
    setAccessibleName(tr("Clip light"));
    setAccessibleDescription(tr("Lights when the input reaches full scale; click to reset it and the peak hold"));
    setFlat(true);
    SetLit(false);
}

void ClipLight::SetLit(bool lit)
{
    lit_ = lit;
    setStyleSheet(lit ? "background-color: #d00000; color: white; font-weight: bold;" : "color: gray;");
    setToolTip(lit ? tr("The input clipped: lower the recording level. Click to reset.") : tr("No clipping since the take began"));
}

LiveTakeControls LiveTakeControls::AddTo(QWidget* page)
{
    LiveTakeControls c;
    c.clip = new ClipLight(page);
    c.clip->setGeometry(180, 116, 65, 25);
    c.stopAfter = new QCheckBox(QCoreApplication::translate("LiveTakeControls", "Stop after"), page);
    c.stopAfter->setObjectName("RecExtStopAfter");
    c.stopAfter->setGeometry(10, 206, 90, 24);
    c.stopAfterTime = new QTimeEdit(page);
    c.stopAfterTime->setObjectName("RecExtStopAfterTime");
    c.stopAfterTime->setAccessibleName(QCoreApplication::translate("LiveTakeControls", "Stop after, hours minutes seconds"));
    c.stopAfterTime->setDisplayFormat("hh:mm:ss");
    c.stopAfterTime->setGeometry(105, 206, 90, 24);
    c.stopAfterTime->setEnabled(false);
    QObject::connect(c.stopAfter, &QCheckBox::toggled, c.stopAfterTime, &QWidget::setEnabled);
    return c;
}

std::int64_t LiveTakeControls::LimitBytes() const
{
    if (!stopAfter || !stopAfter->isChecked())
        return -1;
    const std::int64_t seconds = QTime(0, 0).secsTo(stopAfterTime->time());
    return seconds > 0 ? seconds * 44100 * 4 : -1;
}
