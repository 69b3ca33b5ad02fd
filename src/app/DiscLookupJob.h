#pragma once
// The disc details lookup of the CD track list, on a worker thread so the window never
// waits for a server: it opens the configured disc on its own, computes its identity,
// reads its CD-Text and asks the sources in order. Its outcome lines and its result come
// back to the main thread as posted messages; none arrives after the job is gone.
#include "discinfo/DiscLookup.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class DiscLookupJob {
public:
    // Both run on the main thread.
    using Outcome = std::function<void(const std::string& line)>;
    using Done = std::function<void(const std::string& discId, LookupResult result)>;

    DiscLookupJob(LookupSettings settings, Outcome outcome, Done done);
    // Cancels the lookup and waits for the worker (a request ends within its timeout, a
    // cancelled one at once).
    ~DiscLookupJob();
    DiscLookupJob(const DiscLookupJob&) = delete;
    DiscLookupJob& operator=(const DiscLookupJob&) = delete;

private:
    struct Callbacks {
        Outcome outcome;
        Done done;
    };
    void Run(std::weak_ptr<Callbacks> callbacks);  // runs on thread_

    LookupSettings settings_;       // read by the worker only after construction
    std::atomic<bool> cancel_{false};
    std::shared_ptr<Callbacks> callbacks_;  // main thread only; posted messages hold it weakly
    std::thread thread_;
};
