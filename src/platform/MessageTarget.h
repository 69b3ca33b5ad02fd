#pragma once
// A hidden receiver of posted private messages, the way components hand work from their
// worker threads to the main thread: Post may be called from any thread, the handler runs
// later on the thread that owns the target (the main thread), inside the error guard.
#include <QObject>
#include <cstdint>
#include <functional>

class MessageTarget : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(unsigned message, std::intptr_t wParam, std::intptr_t lParam)>;

    explicit MessageTarget(Handler handler, QObject* parent = nullptr);
    ~MessageTarget() override;

    // Any thread. Queues the message; it is delivered when the owner's event loop runs.
    void Post(unsigned message, std::intptr_t wParam = 0, std::intptr_t lParam = 0);

protected:
    bool event(QEvent* e) override;

private:
    Handler handler_;
};

// Lets pending window messages (posted messages, timers, input) run once, then returns.
// Main thread only.
void ProcessMessages();

// True on the thread that runs the application's event loop.
bool IsMainThread();

// Runs f on the main thread and waits until it has returned; on the main thread it simply
// calls f. Exceptions from f go to the error report. Must not be called while the main
// thread waits for the caller (that would deadlock).
void RunOnMainThread(const std::function<void()>& f);
