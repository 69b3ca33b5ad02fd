#include "platform/os/MessageTarget.h"

#include "platform/os/ErrorReport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

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

MessageTarget::~MessageTarget()
{
    closing_ = true;
    while (posting_.load() != 0)
        std::this_thread::yield();
}

namespace {
// Posted messages are made and first read under this lock. Qt's event queue hands them
// over safely, but ThreadSanitizer cannot see inside Qt; the lock makes the hand-over of
// a message made on a worker (and its deletion by Qt on the main thread, after it was
// read) visible to it.
std::mutex postedMessageLock;
}  // namespace

void MessageTarget::Post(unsigned message, std::intptr_t wParam, std::intptr_t lParam)
{
    ++posting_;
    struct Done {
        std::atomic<int>& count;
        ~Done() { --count; }
    } done{posting_};
    if (closing_)
        return;
    std::unique_ptr<PostedMessage> posted;
    {
        std::lock_guard lock(postedMessageLock);
        posted = std::make_unique<PostedMessage>(message, wParam, lParam);
    }
    QCoreApplication::postEvent(this, posted.release());
}

bool MessageTarget::event(QEvent* e)
{
    bool posted = false;
    unsigned message = 0;
    std::intptr_t wParam = 0, lParam = 0;
    {
        std::lock_guard lock(postedMessageLock);
        posted = e->type() == kPostedMessage;
        if (posted) {
            const auto* m = static_cast<PostedMessage*>(e);
            message = m->message_;
            wParam = m->wParam_;
            lParam = m->lParam_;
        }
    }
    if (!posted)
        return QObject::event(e);
    if (handler_)
        Guarded([&] { handler_(message, wParam, lParam); });
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

namespace {
void runMainJobs();

// Wakes the main thread for queued jobs. It has no state of its own and never looks at
// the wake-up event (Qt's own dispatch sends it to customEvent). The waker and each
// wake-up event are made under the queue's lock, which the main thread takes in
// runMainJobs before Qt deletes the event: so everything a worker hands over passes
// through a lock ThreadSanitizer can see, not only through Qt's event queue.
class MainJobWaker : public QObject {
protected:
    void customEvent(QEvent*) override { runMainJobs(); }
};

// Work handed to the main thread: the job travels through this queue, the posted event
// only wakes the main thread (see the header for why).
std::mutex mainJobsMutex;
std::vector<std::function<void()>> mainJobs;  // guarded by mainJobsMutex
std::unique_ptr<MainJobWaker> mainWaker;       // made under mainJobsMutex; lives on the main thread

void runMainJobs()
{
    std::vector<std::function<void()>> jobs;
    {
        std::lock_guard lock(mainJobsMutex);
        jobs.swap(mainJobs);
    }
    for (auto& job : jobs)
        Guarded(job);
}

// Not on the main thread, with the application running.
void queueMainJob(std::function<void()> job)
{
    MainJobWaker* waker = nullptr;
    std::unique_ptr<QEvent> wakeUp;
    {
        std::lock_guard lock(mainJobsMutex);
        mainJobs.push_back(std::move(job));
        if (!mainWaker) {
            // Made by whichever thread posts first, then handed to the main thread, which
            // delivers its events. It lives until the program ends.
            mainWaker = std::make_unique<MainJobWaker>();
            mainWaker->moveToThread(QCoreApplication::instance()->thread());
        }
        waker = mainWaker.get();
        wakeUp = std::make_unique<QEvent>(kPostedMessage);
    }
    // The wake-up is posted outside the lock, so the queue's lock is never held while Qt
    // takes its own.
    QCoreApplication::postEvent(waker, wakeUp.release());
}
}  // namespace

void PostToMainThread(std::function<void()> job)
{
    if (IsMainThread()) {
        Guarded(job);
        return;
    }
    queueMainJob(std::move(job));
}

void RunOnMainThread(const std::function<void()>& f)
{
    if (IsMainThread()) {
        Guarded(f);
        return;
    }
    struct Handoff {
        std::mutex mutex;
        std::condition_variable cv;
        bool done = false;  // guarded by mutex
    };
    auto handoff = std::make_shared<Handoff>();
    queueMainJob([handoff, &f] {
        Guarded(f);
        std::lock_guard done(handoff->mutex);
        handoff->done = true;
        handoff->cv.notify_all();
    });
    std::unique_lock lock(handoff->mutex);
    handoff->cv.wait(lock, [&] { return handoff->done; });
}
