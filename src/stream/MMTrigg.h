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
// fire (the lifecycle is TMMDriver's, MMDriver.h). Errors raise EMMTriggerError after OnError; errors on the worker are shown through
// the error report and the pump is then stopped and closed on the main thread.
#include "platform/Errors.h"
#include "stream/MMDriver.h"
#include "stream/MMSignals.h"

#include <atomic>
#include <memory>
#include <mutex>

class EMMTriggerError : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};

class TMMTrigger : public TMMDriver {
public:
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

    // Buffers pushed into the pump from above are dropped.
    void BufferReady(TMMWaveHdr*) override {}
    void BufferLoad(TMMWaveHdr* lpWaveHdr, bool& moreBuffers) override;

    TMMBufferEvent OnBufferFilled;      // main thread for the first buffer, then the worker

protected:
    // Raises EMMTriggerError with the message.
    [[noreturn]] void Raise(const std::string& message) override;

    void CheckOpen() override;
    void OpenDriver() override;
    void StartDriver() override;
    void PauseDriver() override;
    void RestartDriver() override;
    void ReleaseWorker() override;
    void EndWorker() override;
    void RunWorker() override;  // worker thread

private:
    enum : std::size_t { evData = 0, evTerminate = 1 };

    // Main thread (first buffer) or worker. Bytes loaded; `announced`: the source said more
    // would follow.
    std::int32_t loadBuffer(bool* announced = nullptr);
    void bufferFilled();
    void processBuffer();       // worker thread

    // Main thread only.
    TMMTimeFormats timeFormat_ = tfByte;

    // Made and freed by the main thread at open and close; between them the buffer belongs
    // to whoever loads it: the main thread for the first buffer of a run, then the worker.
    // The data signal (events_) hands it over.
    std::unique_ptr<TMMBufferBlock> buffer_;

    // Any thread: the signals have a lock of their own.
    TMMSignals events_{2};

    // Guarded by lock_: both threads read and write them only under it.
    bool suspended_ = false;  // paused: the worker holds between buffers
    bool held_ = false;       // a data signal arrived while suspended

    std::atomic<int> interval_{0};        // written by the main thread, read by the worker
    std::atomic<bool> moreData_{false};   // written by whichever thread loads the buffer
};
