#include "platform/card/testing/CaptureFaults.h"

#include "platform/card/alsa/AlsaCaptureLine.h"

#include <atomic>
#include <deque>
#include <map>
#include <mutex>

namespace {
// Pending faults per device name. Guarded by faultsLock; faultsPending lets a read skip the
// lock when nothing is pending.
std::mutex faultsLock;
std::map<std::string, std::deque<int>> faults;
std::atomic<int> faultsPending{0};

// A capture line's reader thread, before each read.
int takeFault(const std::string& device)
{
    if (faultsPending.load() == 0)
        return 0;
    std::lock_guard lock(faultsLock);
    auto it = faults.find(device);
    if (it == faults.end() || it->second.empty())
        return 0;
    const int error = it->second.front();
    it->second.pop_front();
    --faultsPending;
    return error;
}
}  // namespace

void InjectCaptureFault(const std::string& device, int error)
{
    {
        std::lock_guard lock(faultsLock);
        faults[device].push_back(error);
        ++faultsPending;
    }
    SetCaptureReadFault(takeFault);
}
