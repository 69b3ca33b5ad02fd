#pragma once
// The one road from any thread to the main thread.
// - MessageTarget: a hidden receiver of posted private messages. Post may be called from
//   any thread; the handler runs later on the thread that owns the target (the main
//   thread), inside the error guard.
// - PostToMainThread: queues a job for the main thread and returns at once.
// - RunOnMainThread: runs a job on the main thread and waits until it has returned.
//
//   PostToMainThread([text] { label->setText(text); });   // worker: fire and forget
//   RunOnMainThread([&] { OnStop(this); });                // worker: wait for the handler
//
// Threads: every function here may be called from any thread, except ProcessMessages
// (main thread only). Jobs travel through a queue guarded by its own mutex, and a posted
// message only wakes the main thread, so the hand-over is visible to ThreadSanitizer,
// which cannot see inside Qt's event queue. Jobs posted from one thread run in the order
// they were posted, and before any message that thread posts to a MessageTarget later.
#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>

class MessageTarget : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(unsigned message, std::intptr_t wParam, std::intptr_t lParam)>;

    explicit MessageTarget(Handler handler, QObject* parent = nullptr);
    // Main thread. The target must outlive every thread that may still Post to it: its owner
    // stops (joins, or closes the device of) each such thread before destroying it. A Post
    // that is under way as destruction starts is waited for and its message dropped; messages
    // already queued are dropped by Qt with the object, never delivered.
    ~MessageTarget() override;

    // Any thread, while the target lives. Queues the message; it is delivered when the
    // owner's event loop runs.
    void Post(unsigned message, std::intptr_t wParam = 0, std::intptr_t lParam = 0);

protected:
    bool event(QEvent* e) override;

private:
    Handler handler_;
    // A Post in progress counts itself in posting_; the destructor sets closing_ and then
    // waits for posting_ to reach zero, so no Post touches a half-destroyed target.
    std::atomic<int> posting_{0};
    std::atomic<bool> closing_{false};
};

// Lets pending window messages (posted messages, timers, input) run once, then returns.
// Main thread only.
void ProcessMessages();

// True on the thread that runs the application's event loop.
bool IsMainThread();

// Queues job to run on the main thread when its event loop next runs; on the main thread
// (or before the application exists) it runs job at once. Exceptions from job go to the
// error report. Any thread.
void PostToMainThread(std::function<void()> job);

// Runs f on the main thread and waits until it has returned; on the main thread it simply
// calls f. Exceptions from f go to the error report. Must not be called while the main
// thread waits for the caller (that would deadlock). Any thread.
void RunOnMainThread(const std::function<void()>& f);
