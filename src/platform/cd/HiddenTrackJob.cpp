#include "platform/cd/HiddenTrackJob.h"

#include "platform/cd/CdDisc.h"
#include "platform/cd/CdioHandle.h"
#include "platform/os/MessageTarget.h"

#include <exception>
#include <string>

namespace {
constexpr unsigned kFoundMessage = 1;

// The hidden track's sectors, 0 when there is none or the disc cannot be read. Runs on the
// job's worker for a drive.
std::int32_t hiddenSectors(const std::string& configured, const std::atomic<bool>* cancel)
{
    try {
        return CdDisc::Open(ResolveCdDevice(configured))->HiddenTrackSectors(cancel);
    } catch (const std::exception&) {
        return 0;
    }
}
}  // namespace

HiddenTrackJob::HiddenTrackJob()
    : target_(std::make_unique<MessageTarget>([this](unsigned message, std::intptr_t, std::intptr_t) {
          if (message == kFoundMessage && found_)
              found_(sectors_.load());
      }))
{
}

HiddenTrackJob::~HiddenTrackJob()
{
    cancel_.store(true);
    if (worker_.joinable())
        worker_.join();
    // target_ goes after the worker: a result still queued goes with it undelivered.
}

void HiddenTrackJob::Start(Found found)
{
    const std::string configured = CdDeviceSetting();
    if (!IsCdImageName(configured)) {
        StartOnWorker(std::move(found));
        return;
    }
    if (found)
        found(hiddenSectors(configured, nullptr));
}

void HiddenTrackJob::StartOnWorker(Found found)
{
    if (worker_.joinable())
        return;
    found_ = std::move(found);
    worker_ = std::thread([this, configured = CdDeviceSetting()] {
        // Worker thread.
        sectors_.store(hiddenSectors(configured, &cancel_));
        target_->Post(kFoundMessage);
    });
}
