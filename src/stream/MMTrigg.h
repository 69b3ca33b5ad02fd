#pragma once
// TMMTrigger: the pump. A chain driver that pulls buffers from its Input and pushes them
// into its Output on a worker thread, as fast as they take them, until the source runs
// dry. Then it stops itself on the main thread and fires OnStop there.
//
//   WaveFile.SetOutput(&Trigger);  Trigger.SetOutput(&MP3Encoder);
//   Trigger.SetBufferSize(65536);  Trigger.SetInterval(0);
//   Trigger.OnStart = [&](TMMDSPComponent*) { ... };   // main thread
//   Trigger.OnStop = [&](TMMDSPComponent*) { Trigger.Close(); ... };  // main thread
//   Trigger.Start();   // opens the chain, loads the first buffer, starts the worker
//   Trigger.Stop();    // Cancel: OnStop follows once the buffer in hand is done
//
// Start, Stop, Close, Open, Pause and Restart are main-thread calls; the end of a run
// arrives as a posted message, so the main thread's event loop must run for OnStop to
// fire. Errors raise EMMTriggerError after OnError; errors on the worker are shown through
// the error report and the pump is then stopped and closed on the main thread.
#include "platform/Errors.h"
#include "stream/MMDSPObj.h"
#include "stream/MMSignals.h"

#include <atomic>
#include <memory>
#include <mutex>

class MessageTarget;
class TMMTrigger;

class EMMTriggerError : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};

// The pump's worker.
class TMMTriggerThread : public TMMDSPThread {
public:
    explicit TMMTriggerThread(TMMTrigger* owner);

protected:
    void Execute() override;  // worker thread

private:
    TMMTrigger* trigger_;
};

class TMMTrigger : public TMMCustomSoundComponent {
public:
    static constexpr unsigned StopMessage = 0x8001;
    static constexpr int MinBufferSize = 32;

    explicit TMMTrigger(std::string name = "Trigger");
    ~TMMTrigger() override;

    bool PublishesInput() const override { return true; }
    bool PublishesOutput() const override { return true; }

    void SetWaveFormat(const TWaveFormatEx* format) override;
    // Refused while opened; values below 32 become 32.
    void SetBufferSize(int size) override;
    // Milliseconds the worker rests after each buffer; a changed value becomes at least 1.
    void SetInterval(int value);
    int Interval() const { return interval_; }
    TMMTimeFormats TimeFormat() const { return timeFormat_; }
    void SetTimeFormat(TMMTimeFormats value) { timeFormat_ = value; }

    void Open() override;
    void Close() override;
    void Start() override;
    void Stop() override;
    void Pause() override;
    void Restart() override;
    // Buffers pushed into the pump from above are dropped.
    void BufferReady(TMMWaveHdr*) override {}
    void BufferLoad(TMMWaveHdr* lpWaveHdr, bool& moreBuffers) override;

    bool IsOpened() const { return (state_ & stOpened) != 0; }
    bool IsStarted() const { return (state_ & stStarted) != 0; }
    bool IsPaused() const { return (state_ & stPaused) != 0; }

    TNotifyEvent OnError;
    TNotifyEvent OnOpen, OnClose;       // main thread
    TNotifyEvent OnStart, OnStop;       // main thread
    TNotifyEvent OnPause, OnRestart;    // main thread
    TMMBufferEvent OnBufferFilled;      // main thread for the first buffer, then the worker

protected:
    // Fires OnError and raises EMMTriggerError with the message.
    [[noreturn]] virtual void Error(const std::string& message);

private:
    friend class TMMTriggerThread;
    enum : unsigned { stOpened = 1, stStarted = 2, stPaused = 4 };
    enum : std::size_t { evReady = 0, evData = 1, evTerminate = 2 };

    void fire(const TNotifyEvent& event) { if (event) event(this); }
    std::int32_t loadBuffer();  // main thread (first buffer) or worker
    void bufferFilled();
    void processBuffer();       // worker thread
    void runWorker();           // worker thread
    void startWorker();
    void endWorker();
    void handleMessage(unsigned message, std::intptr_t wParam);

    // Main thread only.
    std::unique_ptr<MessageTarget> window_;     // receives the stop message
    std::unique_ptr<TMMTriggerThread> thread_;
    bool closeDeferred_ = false;  // a close waits for the worker's last buffer
    bool closing_ = false;
    TMMTimeFormats timeFormat_ = tfByte;

    // Made and freed by the main thread at open and close; between them the buffer belongs
    // to whoever loads it: the main thread for the first buffer of a run, then the worker.
    // The data signal (events_) hands it over.
    std::unique_ptr<TMMBufferBlock> buffer_;

    // Any thread: the signals have a lock of their own.
    TMMSignals events_{3};

    // Guarded by lock_: both threads read and write them only under it.
    std::mutex lock_;
    bool suspended_ = false;  // paused: the worker holds between buffers
    bool held_ = false;       // a data signal arrived while suspended

    // Atomics read by either thread without the lock. Decisions that combine busy_,
    // stopping_ and stopPending_ are taken under lock_, so a stop and the end of a buffer
    // agree on who posts the stop message.
    std::atomic<unsigned> state_{0};      // written by the main thread, read by the worker
    std::atomic<int> interval_{0};        // written by the main thread, read by the worker
    std::atomic<bool> stopPending_{false};  // set by the main thread, read by the worker
    std::atomic<int> busy_{0};            // written by the worker, read by the main thread
    std::atomic<bool> threadFailed_{false};  // written by the worker, read by the main thread
    std::atomic<bool> stopping_{false};   // written by both
    std::atomic<bool> moreData_{false};   // written by whichever thread loads the buffer
};
