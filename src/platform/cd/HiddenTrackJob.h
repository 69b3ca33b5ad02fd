#pragma once
// The hidden first track of a disc (the audio before track 1, see CdDisc::HiddenTrackSectors)
// found without holding up the window: reading two seconds and more of audio from a drive
// can take seconds, so a drive is read on a worker thread of the job's own; an image reads
// quickly from a file and is read at once.
//
//   job = std::make_unique<HiddenTrackJob>();            // main thread
//   job->Start(setting, [&](std::int32_t sectors) { if (sectors > 0) ... offer Track0 ... });
//
// found gets the hidden track's sector count, 0 when there is none or the disc cannot be
// read (the track list's own reading of the disc says why). It runs on the main thread:
// inside Start for an image, later from the event loop for a drive. Leaving the job's
// scope stops the worker between two reads and waits for it; a found call not yet
// delivered then is dropped.
//
// Threads: Start and the destructor belong to the main thread; the drive is read on the
// job's worker.
#include "platform/os/WorkerJob.h"

#include <atomic>
#include <cstdint>
#include <functional>

class HiddenTrackJob : public WorkerJob {
public:
    using Found = std::function<void(std::int32_t sectors)>;

    HiddenTrackJob() = default;
    ~HiddenTrackJob() override;
    HiddenTrackJob(const HiddenTrackJob&) = delete;
    HiddenTrackJob& operator=(const HiddenTrackJob&) = delete;

    // Main thread. Reads the run's drive or image, else the one `setting` names (SOUNDCARD_SETUP
    // / CdDevice as the caller read it), by default the first drive found: an image at once,
    // a drive on the worker. One start per job.
    void Start(const std::string& setting, Found found);
    // Main thread. The same on the worker, whatever is named.
    void StartOnWorker(const std::string& setting, Found found);

private:
    std::atomic<std::int32_t> sectors_{0};  // written by the worker before it ends
};
