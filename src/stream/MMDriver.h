#pragma once
// TMMDriver: the lifecycle every chain driver shares (the pump TMMTrigger, the wave-in
// recorder TMMCustomWaveIn). A driver hands buffers down the chain from a thread of its own
// (or the card's) while the main thread opens, starts, pauses, stops and closes it; this
// class owns the state machine between the two, the drivers fill in what they move.
//
//   closed --Open--> opened        the chain opens, the driver's worker, device and buffers
//                                  are made (OpenDriver)
//   opened --Start--> started      StartDriver hands out the first buffers
//   started --Pause--> paused      PauseDriver holds them; Restart hands them out again
//   started --Stop--> opened       at once when no buffer is in hand (busy_ == 0); otherwise
//                                  the stop is only noted (stopPending_), and the end of
//                                  the buffer in hand posts StopMessage, which stops the
//                                  driver on the main thread and fires OnStop there
//   opened --Close--> closed       the chain closes, the device, worker and buffers go;
//                                  a Close during a pending stop is deferred
//                                  (closeDeferred_) and runs right after OnStop
//
// Every operation that fails fires OnError, closes the driver and raises the error again
// (Error raises the driver's own exception type after OnError). A failure on the worker is
// shown through the error report, then CloseMessage stops and closes the driver on the
// main thread.
//
// Threads: Open, Start, Stop, Pause, Restart and Close and every event here run on the main
// thread; the main thread's event loop must run for a posted stop to end a run. Worker-side
// helpers say where they run.
#include "stream/MMDSPObj.h"
#include "stream/MMSignals.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

class MessageTarget;
class TMMDriver;

// A driver's worker thread: runs the driver's RunWorker.
class TMMDriverThread : public TMMDSPThread {
public:
    explicit TMMDriverThread(TMMDriver* owner);

protected:
    void Execute() override;  // worker thread

private:
    TMMDriver* driver_;
};

class TMMDriver : public TMMCustomSoundComponent {
public:
    // Posted by the worker: stop on the main thread; stop and close there.
    static constexpr unsigned StopMessage = 0x8001;
    static constexpr unsigned CloseMessage = 0x8002;

    void Open() final;
    void Close() final;
    void Start() final;
    void Stop() final;
    void Pause() final;
    void Restart() final;

    // Main thread: closes now, also when a close still waits for a stop in flight (the
    // worker then ends first). First thing in a driver's destructor, and in an owner's
    // before the components the chain feeds are destroyed. Never throws.
    void CloseForGood();

    bool IsOpened() const { return (state_ & stOpened) != 0; }
    bool IsStarted() const { return (state_ & stStarted) != 0; }
    bool IsPaused() const { return (state_ & stPaused) != 0; }

    TNotifyEvent OnError;
    TNotifyEvent OnOpen, OnClose, OnStart, OnStop, OnPause, OnRestart;

protected:
    explicit TMMDriver(std::string name);
    ~TMMDriver() override;

    enum : unsigned { stOpened = 1, stStarted = 2, stPaused = 4 };

    void fire(const TNotifyEvent& event) { if (event) event(this); }
    // Fires OnError and raises the driver's exception with the message.
    [[noreturn]] void Error(const std::string& message);
    // Throws the driver's own error type.
    [[noreturn]] virtual void Raise(const std::string& message) = 0;

    // What a driver does at each step (main thread). The hooks may raise, except the
    // Release ones, which must always finish.
    virtual void CheckOpen() {}        // refuses an open before anything is made
    virtual void OpenDriver() = 0;     // chain, worker, device, buffers; sets stOpened
    virtual void StartDriver() = 0;    // starts the chain, hands out buffers; sets stStarted
    virtual void HaltDriver() {}       // lock_ held, stopping_ set: no more buffers are handed out
    virtual void SettleDriver() {}     // no buffer in hand: takes back those still out
    virtual void PauseDriver() {}      // started: holds the buffers
    virtual void RestartDriver() {}    // paused: hands them out again
    virtual void ReleaseDevice() {}    // before the chain closes
    virtual void ReleaseWorker() = 0;  // after the chain closed: worker and buffers go
    // A message of the hidden target other than StopMessage and CloseMessage.
    virtual void DriverMessage(unsigned message, std::intptr_t wParam, std::intptr_t lParam);
    // Carried by StopMessage and CloseMessage; a message with another tag is of an earlier
    // open and is dropped. Any thread.
    virtual std::intptr_t MessageTag() const { return 0; }

    // Worker or card thread: the buffer in hand is done. With `last` (the source ran dry)
    // or a stop pending, the last buffer to finish posts StopMessage.
    void EndBuffer(bool last);
    // Handling thread: the run ends after the buffer in hand.
    void StopAfterBuffer();
    // Worker thread, inside a catch block: shows the error and has the main thread stop and
    // close the driver.
    void WorkerFailed();
    // Main thread: ends the worker, if there is one (the destructor's close needs it):
    // wakes it to end, then JoinWorker.
    virtual void EndWorker() = 0;

    // The worker (drivers that have one). StartWorker (main thread) starts RunWorker on a
    // thread of its own and waits until it calls WorkerReady; `who` names the driver in
    // the error raised when the thread cannot start.
    void StartWorker(const char* who);
    virtual void RunWorker() {}  // worker thread
    void WorkerReady();          // worker thread, once it waits for work
    bool HasWorker() const { return thread_ != nullptr; }
    void JoinWorker();           // main thread: waits for the worker to end

    MessageTarget& Window() { return *window_; }

    // Main thread only.
    bool closeDeferred_ = false;  // a close waits for the buffer in hand
    bool closing_ = false;

    // Guards the decisions that combine busy_, stopping_ and stopPending_, so that a stop
    // and the end of a buffer agree on who posts the stop. Taken before the device's lock
    // (see HaltDriver) and never while a driver holds a lock of its own.
    std::mutex lock_;

    // Read by either thread without the lock.
    std::atomic<unsigned> state_{0};          // written by the main thread (and the device's open)
    std::atomic<int> busy_{0};                // buffers in the handling thread's hands
    std::atomic<bool> stopping_{false};       // no buffer is handed out any more
    std::atomic<bool> stopPending_{false};    // the stop waits for the buffer in hand
    std::atomic<bool> threadFailed_{false};   // written by the worker

private:
    friend class TMMDriverThread;
    void handleMessage(unsigned message, std::intptr_t wParam, std::intptr_t lParam);

    // Created on the main thread at the first open, posted to from any thread; goes with
    // the driver, after its worker has ended.
    std::unique_ptr<MessageTarget> window_;
    std::unique_ptr<TMMDriverThread> thread_;  // main thread only
    TMMSignals workerReady_{1};                // any thread
};
