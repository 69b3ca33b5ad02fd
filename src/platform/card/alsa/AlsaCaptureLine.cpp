#include "platform/card/alsa/AlsaCaptureLine.h"

#include "platform/card/alsa/AlsaPcm.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <map>
#include <mutex>
#include <vector>

namespace {
// Pending injected faults per device name. Guarded by faultsLock; faultsPending lets a
// read skip the lock when nothing is pending.
std::mutex faultsLock;
std::map<std::string, std::vector<int>> faults;
std::atomic<int> faultsPending{0};

int takeInjectedFault(const std::string& device)
{
    if (faultsPending.load() == 0)
        return 0;
    std::lock_guard lock(faultsLock);
    auto it = faults.find(device);
    if (it == faults.end() || it->second.empty())
        return 0;
    const int error = it->second.front();
    it->second.erase(it->second.begin());
    --faultsPending;
    return error;
}

class AlsaCaptureLine : public SoundLine {
public:
    AlsaCaptureLine(AlsaPcm pcm, std::string device) : pcm_(std::move(pcm)), device_(std::move(device)) {}

    bool IsSoftware() const override { return false; }

    // Card thread. Starts from an empty device buffer, so a recording begins with what the
    // device hears now, not with what it heard before.
    void Start() override
    {
        if (pcm_) {
            snd_pcm_drop(pcm_.get());
            snd_pcm_prepare(pcm_.get());
            snd_pcm_start(pcm_.get());
        }
    }

    // Card thread.
    void Stop() override
    {
        if (pcm_)
            snd_pcm_drop(pcm_.get());
    }

    // Card thread. Waits until the device has delivered every frame asked for; a device
    // that delivers nothing for kStallLimit has stopped working and counts as gone.
    LineStatus Read(std::span<std::int16_t> samples) override
    {
        const snd_pcm_uframes_t frames = samples.size() / kCardChannels;
        snd_pcm_uframes_t done = 0;
        auto progress = std::chrono::steady_clock::now();
        while (done < frames) {
            if (!pcm_)
                return LineStatus::Lost;
            const int injected = takeInjectedFault(device_);
            snd_pcm_sframes_t n =
                injected ? injected : snd_pcm_readi(pcm_.get(), samples.data() + done * kCardChannels, frames - done);
            if (n > 0) {
                done += snd_pcm_uframes_t(n);
                progress = std::chrono::steady_clock::now();
                continue;
            }
            if (n == 0 || n == -EAGAIN) {
                if (std::chrono::steady_clock::now() - progress > kStallLimit) {
                    pcm_.reset();
                    return LineStatus::Lost;
                }
                snd_pcm_wait(pcm_.get(), 100);
                continue;
            }
            if (!Recover(int(n))) {
                // The device is gone: close it now, so it can go away for good.
                pcm_.reset();
                return LineStatus::Lost;
            }
        }
        return LineStatus::Ok;
    }

    std::uint64_t Overruns() const override { return overruns_.load(); }

private:
    static constexpr std::chrono::seconds kStallLimit{3};

    // Card thread. True when the device records again after `error`.
    bool Recover(int error)
    {
        if (error == -ENODEV)
            return false;
        if (snd_pcm_recover(pcm_.get(), error, 1) < 0)
            return false;
        if (error == -EPIPE)
            ++overruns_;
        return true;
    }

    // Card thread only, after construction.
    AlsaPcm pcm_;
    const std::string device_;
    // Written by the card thread, read anywhere.
    std::atomic<std::uint64_t> overruns_{0};
};
}  // namespace

std::unique_ptr<SoundLine> OpenCaptureLine(const std::string& device, std::string* why)
{
    AlsaPcm pcm = OpenCardPcm(device, SND_PCM_STREAM_CAPTURE, why);
    if (!pcm)
        return nullptr;
    return std::make_unique<AlsaCaptureLine>(std::move(pcm), device);
}

void InjectCaptureFault(const std::string& device, int error)
{
    std::lock_guard lock(faultsLock);
    faults[device].push_back(error);
    ++faultsPending;
}
