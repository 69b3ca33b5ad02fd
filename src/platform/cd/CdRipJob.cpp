#include "platform/cd/CdRipJob.h"

#include "platform/os/MessageTarget.h"

namespace {
constexpr unsigned kRipFinishedMessage = 1;
}

CdRipJob::CdRipJob(CdRipper& ripper)
    : ripper_(ripper),
      target_(std::make_unique<MessageTarget>([this](unsigned message, std::intptr_t, std::intptr_t) {
          if (message == kRipFinishedMessage && finished_)
              finished_(result_.load());
      }))
{
}

CdRipJob::~CdRipJob()
{
    if (worker_.joinable()) {
        // A cancel after the end would stay behind for the ripper's next extraction.
        if (!done_.load())
            ripper_.Cancel();
        worker_.join();
    }
    // target_ goes last of the two: no worker posts any more, and a finished message still
    // queued goes with it undelivered.
}

void CdRipJob::Start(int track, Finished finished)
{
    if (worker_.joinable())
        return;
    finished_ = std::move(finished);
    worker_ = std::thread([this, track] {
        // Worker thread.
        result_.store(ripper_.RipTrack(track));
        done_.store(true);
        target_->Post(kRipFinishedMessage);
    });
}
