#pragma once
// A wave-in device table for tests: devices with chosen capabilities, buffers filled by
// the test (Deliver, from any thread), injected failures, and a device that can vanish.
#include "platform/card/WaveInDevices.h"

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class FakeWaveInDevices final : public IWaveInDevices {
public:
    explicit FakeWaveInDevices(unsigned devices = 1);

    // Capabilities of every device: name and standard format bits.
    std::string name = "Fake recorder";
    std::uint32_t formats = 0xFFF;
    // Formats the query accepts (all when empty): sample rates.
    std::vector<std::uint32_t> refusedRates;
    // A call named here ("Open", "Start", "AddBuffer", ...) fails with the given result.
    std::map<std::string, MMResult> failures;

    // Fills the oldest queued buffer with up to its length of `data` and hands it back
    // (MM_WIM_DATA). Bytes taken; 0 when no buffer is queued or the device is gone. Any thread.
    std::size_t Deliver(const std::uint8_t* data, std::size_t size);
    // The device vanishes: every queued buffer comes back as it is, then MM_WIM_DEVICE_LOST.
    void LoseDevice();
    // Buffers queued at the device now. Any thread.
    std::size_t Queued();
    bool Opened();
    // The calls made, in order ("Open", "AddBuffer", ...). Main thread.
    std::vector<std::string> Calls();

    unsigned GetNumDevs() override { return devices_; }
    MMResult GetDevCaps(unsigned deviceId, WaveInCaps& caps) override;
    bool GetErrorText(MMResult code, std::string& text) override;
    MMResult Open(WaveInHandle& handle, int deviceId, const PcmFormat& format, WaveInCallback callback,
                  std::uint32_t flags) override;
    MMResult Close(WaveInHandle handle) override;
    MMResult PrepareHeader(WaveInHandle handle, WaveHdr* header) override;
    MMResult UnprepareHeader(WaveInHandle handle, WaveHdr* header) override;
    MMResult AddBuffer(WaveInHandle handle, WaveHdr* header) override;
    MMResult Start(WaveInHandle handle) override;
    MMResult Stop(WaveInHandle handle) override;
    MMResult Reset(WaveInHandle handle) override;

private:
    MMResult call(const char* name);
    void handBack(std::deque<WaveHdr*> buffers);

    unsigned devices_;
    std::mutex mutex_;  // guards everything below
    WaveInCallback callback_;
    WaveInHandle handle_ = 0;
    std::deque<WaveHdr*> queue_;
    bool lost_ = false;
    std::vector<std::string> calls_;
};
