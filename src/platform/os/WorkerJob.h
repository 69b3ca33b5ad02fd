#pragma once
// The base of the jobs that do one piece of slow work (an extraction, a disc lookup, a
// search of the drive) on a thread of their own while the window keeps painting.
//
//   class MyJob : public WorkerJob {
//   public:
//       ~MyJob() override { CancelAndWait(); }         // before MyJob's members go
//       void Start(Done done) {
//           StartWorker([this] { ...; PostToOwner([] { ... }); ... },  // worker thread
//                       [this, done] { done(result_); });             // main thread
//       }
//   };
//
// Start, cancel, progress and finish: the work runs once on the job's worker; Cancel sets
// the flag the work looks at (and calls CancelWork, for work that stops its own way);
// Progress is read from any thread; the finished call and every call the work posts run on
// the main thread, in the order they were posted. A job destroyed while its work runs
// cancels it and waits for it, so no work outlives its job, and a call not yet delivered
// then is dropped.
//
// Threads: StartWorker, CancelAndWait and the destructor belong to the main thread; Cancel,
// Done, Progress and the flags may be used from any thread.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class WorkerJob {
public:
    WorkerJob(const WorkerJob&) = delete;
    WorkerJob& operator=(const WorkerJob&) = delete;

    // Any thread: asks the work to stop; it ends at its next look at the flag.
    void Cancel();
    // Any thread: the work has ended (what it wrote before is final).
    bool Done() const { return done_.load(); }
    // Any thread: the work was started and has not ended.
    bool Running() const { return started_.load() && !done_.load(); }
    // Any thread: 0..100, as the work reports it.
    virtual int Progress() const { return progress_.load(); }

protected:
    WorkerJob();
    // Cancels the work and waits for it. A derived job whose work uses the job's own
    // members calls CancelAndWait first in its destructor, while they still exist.
    virtual ~WorkerJob();

    // Main thread. Runs work on the worker; finished (may be empty) then runs on the main
    // thread unless the job is gone by then. One start per job: false for a second one.
    bool StartWorker(std::function<void()> work, std::function<void()> finished);
    // Main thread: Cancel, then wait for the work to end. Calls still queued stay queued
    // (they are dropped only with the job).
    void CancelAndWait();
    // Any thread: call runs on the main thread, after the calls posted before it, unless
    // the job is gone by then.
    void PostToOwner(std::function<void()> call) const;
    // Worker thread.
    void SetProgress(int percent) { progress_.store(percent); }
    // Any thread: the cancel flag, for work that hands it on (a request, a disc read).
    const std::atomic<bool>& CancelFlag() const { return cancel_; }
    bool CancelRequested() const { return cancel_.load(); }
    // Any thread, from Cancel: a derived job's own way to stop its work (default: none).
    virtual void CancelWork() {}

private:
    // Lives as long as the job's calls may be delivered; main thread only. Posted calls
    // hold token_, never changed after construction, so any thread may copy it.
    std::shared_ptr<const bool> alive_;
    const std::weak_ptr<const bool> token_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> started_{false};
    std::atomic<bool> done_{false};
    std::atomic<int> progress_{0};
    std::thread worker_;
};
