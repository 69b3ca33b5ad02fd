#include "platform/MessageTarget.h"

#include "platform/ErrorReport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QThread>

namespace {
const QEvent::Type kPostedMessage = static_cast<QEvent::Type>(QEvent::registerEventType());

class PostedMessage : public QEvent {
public:
    PostedMessage(unsigned message, std::intptr_t w, std::intptr_t l)
        : QEvent(kPostedMessage), message_(message), wParam_(w), lParam_(l) {}
    unsigned message_;
    std::intptr_t wParam_;
    std::intptr_t lParam_;
};
}  // namespace

MessageTarget::MessageTarget(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {}

MessageTarget::~MessageTarget() = default;

void MessageTarget::Post(unsigned message, std::intptr_t wParam, std::intptr_t lParam)
{
    QCoreApplication::postEvent(this, new PostedMessage(message, wParam, lParam));
}

bool MessageTarget::event(QEvent* e)
{
    if (e->type() != kPostedMessage)
        return QObject::event(e);
    const auto* m = static_cast<PostedMessage*>(e);
    if (handler_)
        Guarded([&] { handler_(m->message_, m->wParam_, m->lParam_); });
    return true;
}

void ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool IsMainThread()
{
    QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void RunOnMainThread(const std::function<void()>& f)
{
    if (IsMainThread()) {
        Guarded(f);
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&f] { Guarded(f); },
                              Qt::BlockingQueuedConnection);
}
