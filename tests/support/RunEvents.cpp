#include "support/RunEvents.h"

#include <QCoreApplication>
#include <thread>

bool RunEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto giveUp = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > giveUp)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::yield();
    }
    return true;
}
