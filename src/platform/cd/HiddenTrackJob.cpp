#include "platform/cd/HiddenTrackJob.h"

#include "platform/cd/CdDisc.h"
#include "platform/cd/CdioHandle.h"
#include <exception>
#include <string>

namespace {
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

HiddenTrackJob::~HiddenTrackJob()
{
    CancelAndWait();
}

void HiddenTrackJob::Start(const std::string& setting, Found found)
{
    const std::string configured = CdDeviceForRun(setting);
    if (!IsCdImageName(configured)) {
        StartOnWorker(setting, std::move(found));
        return;
    }
    if (found)
        found(hiddenSectors(configured, nullptr));
}

void HiddenTrackJob::StartOnWorker(const std::string& setting, Found found)
{
    StartWorker([this, configured = CdDeviceForRun(setting)] { sectors_.store(hiddenSectors(configured, &CancelFlag())); },
                [this, found = std::move(found)] {
                    if (found)
                        found(sectors_.load());
                });
}
