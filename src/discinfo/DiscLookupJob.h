#pragma once
// The disc details lookup of the CD track list, on a worker thread so the window never
// waits for a server: it opens the configured disc on its own, computes its identity,
// reads its CD-Text and asks the sources in order. The disc's identity and CD-Text, its
// outcome lines and its result come back to the main thread; none arrives after the job
// is gone.
#include "discinfo/DiscLookup.h"
#include "platform/os/WorkerJob.h"

#include <functional>
#include <optional>
#include <string>

class DiscLookupJob : public WorkerJob {
public:
    // Both run on the main thread.
    using Outcome = std::function<void(const std::string& line)>;
    using Finished = std::function<void(const std::string& discId, LookupResult result)>;

    DiscLookupJob(LookupSettings settings, Outcome outcome, Finished finished);
    // Cancels the lookup and waits for the worker (a request ends within its timeout, a
    // cancelled one at once).
    ~DiscLookupJob() override;

    // Main thread, once the disc is read (before any source is asked): its MusicBrainz disc
    // ID, and the details its CD-Text gives (nothing when it names nothing). For a user who
    // goes on without waiting for the sources.
    const std::string& DiscId() const { return discId_; }
    const std::optional<DiscDetails>& CdTextDetails() const { return cdText_; }

private:
    void Run();  // worker thread

    const LookupSettings settings_;  // read by the worker
    const Outcome outcome_;          // main thread
    std::string discId_;             // main thread
    std::optional<DiscDetails> cdText_;  // main thread
    LookupResult result_;  // written by the worker, read on the main thread once it has ended
    std::string foundId_;  // as result_
};
