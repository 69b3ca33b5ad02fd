#include "platform/os/WorkerJob.h"

#include "platform/os/MessageTarget.h"

WorkerJob::WorkerJob() : alive_(std::make_shared<const bool>(true)), token_(alive_) {}

WorkerJob::~WorkerJob()
{
    CancelAndWait();
    // Calls still queued find the token gone and are dropped.
    alive_.reset();
}

void WorkerJob::Cancel()
{
    cancel_.store(true);
    CancelWork();
}

void WorkerJob::CancelAndWait()
{
    if (!worker_.joinable())
        return;
    if (!done_.load())
        Cancel();
    worker_.join();
}

bool WorkerJob::StartWorker(std::function<void()> work, std::function<void()> finished)
{
    if (started_.exchange(true))
        return false;
    worker_ = std::thread([this, work = std::move(work), finished = std::move(finished)]() mutable {
        // Worker thread.
        work();
        done_.store(true);
        if (finished)
            PostToOwner(std::move(finished));
    });
    return true;
}

void WorkerJob::PostToOwner(std::function<void()> call) const
{
    PostToMainThread([token = token_, call = std::move(call)] {
        if (token.lock())
            call();
    });
}
