#pragma once
// The chosen release's cover, found on a worker thread so the window never waits for the
// Cover Art Archive (FindCover: the cache, then the service). The outcome comes back to
// the main thread as a posted message; none arrives after the job is gone.
#include "discinfo/CoverArt.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class CoverJob {
public:
    // Runs on the main thread.
    using Done = std::function<void(FoundCover found)>;

    CoverJob(std::string discId, DiscDetails release, LookupSettings settings, Done done);
    // Cancels the fetch and waits for the worker (a cancelled request ends at once).
    ~CoverJob();
    CoverJob(const CoverJob&) = delete;
    CoverJob& operator=(const CoverJob&) = delete;

private:
    void Run(std::weak_ptr<Done> done);  // runs on thread_

    // Read by the worker only after construction.
    const std::string discId_;
    const DiscDetails release_;
    const LookupSettings settings_;
    std::atomic<bool> cancel_{false};
    std::shared_ptr<Done> done_;  // main thread only; the posted message holds it weakly
    std::thread thread_;
};
