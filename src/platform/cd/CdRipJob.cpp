#include "platform/cd/CdRipJob.h"

CdRipJob::CdRipJob(CdRipper& ripper) : ripper_(ripper) {}

CdRipJob::~CdRipJob()
{
    CancelAndWait();
}

void CdRipJob::CancelWork()
{
    // A cancel after the end would stay behind for the ripper's next extraction.
    if (!Done())
        ripper_.Cancel();
}

void CdRipJob::Start(int track, Finished finished)
{
    StartWorker([this, track] { result_.store(ripper_.RipTrack(track)); },  // worker thread
                [this, finished = std::move(finished)] {
                    if (finished)
                        finished(result_.load());
                });
}
