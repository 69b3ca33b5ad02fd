#pragma once
// One digital extraction on a thread of its own: the wizard's CD run starts it, may cancel
// it, shows its progress and learns on the main thread when it has finished.
//
//   CdRipJob job;                                   // main thread
//   job.Start(3, [&](std::uint8_t result) { ... });  // finished: posted to the main thread
//   ... job.Progress() (any thread), job.Cancel() on Cancel ...
//   while (!job.Done()) ProcessMessages();          // or wait for the finished call
//
// Leaving the job's scope while it runs cancels the extraction and waits for it, so no
// extraction outlives its caller; a finished call not yet delivered then is dropped.
//
// Threads: Start and the destructor belong to the main thread; Cancel, Done, Progress and
// Result may be called from any thread. The extraction itself runs on the job's worker.
#include "platform/cd/CDDA.h"
#include "platform/os/WorkerJob.h"

#include <atomic>
#include <cstdint>
#include <functional>

class CdRipJob : public WorkerJob {
public:
    using Finished = std::function<void(std::uint8_t result)>;

    explicit CdRipJob(CdRipper& ripper = CddaLibrary());
    ~CdRipJob() override;
    CdRipJob(const CdRipJob&) = delete;
    CdRipJob& operator=(const CdRipJob&) = delete;

    // Main thread. Extracts the 1-based track with the ripper's current folder and device;
    // finished (may be empty) runs on the main thread once the extraction has ended. One
    // start per job.
    void Start(int track, Finished finished = {});
    // Cancel (any thread) stops the extraction between two sectors; Done (any thread): the
    // extraction has ended (Result is then final).
    // Any thread: 0..100, as CdRipper::Progress.
    int Progress() const override { return ripper_.Progress(); }
    // kRipOk, kRipFailed or kRipCancelled once Done; kRipFailed before.
    std::uint8_t Result() const { return result_.load(); }

private:
    void CancelWork() override;

    CdRipper& ripper_;
    std::atomic<std::uint8_t> result_{kRipFailed};
};
