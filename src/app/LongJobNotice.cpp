#include "app/LongJobNotice.h"

#include "platform/os/DesktopNotifications.h"

#include <QWidget>

namespace {
std::chrono::milliseconds longRunThreshold{30000};
}

void LongJobNotice::SetLongRunThreshold(std::chrono::milliseconds threshold)
{
    longRunThreshold = threshold;
}

void LongJobNotice::Started()
{
    running_ = true;
    started_ = std::chrono::steady_clock::now();
    DesktopNotifications::ShowProgress(0);
}

void LongJobNotice::Progress(double fraction)
{
    if (running_)
        DesktopNotifications::ShowProgress(fraction);
}

void LongJobNotice::Finished(const std::string& summary, const std::string& body)
{
    if (!running_)
        return;
    running_ = false;
    DesktopNotifications::HideProgress();
    const bool longRun = std::chrono::steady_clock::now() - started_ > longRunThreshold;
    if (longRun && !(window_ && window_->isActiveWindow()))
        DesktopNotifications::Notify(summary, body);
}
