#pragma once
// Wave-in device 0 of the sound card: the buffer queue a recorder fills through the
// device table, fed by the card thread with the wave-in mix in the card's own format
// (44100 Hz, 16-bit, stereo) and handed out in the format the recorder opened with
// (through the installed PCM converter when that differs).
//
//   CardWaveIn waveIn([&] { wakeCard(); });
//   // recorder: Open, PrepareHeader, AddBuffer..., Start (see WaveInDevices.h)
//   // card thread: if (waveIn.Started()) waveIn.Deliver(mix);
//
// Threads: the IWaveInDevices calls run on the main thread. Started, WantsData, Deliver
// and DeviceLost run on the card thread. Every callback is made while the device's lock
// is held (so Reset's buffers are all back before it returns, and no MM_WIM_DATA can
// follow it); a callback must only hand the message on. `changed` runs outside the lock
// after the recorder queued a buffer or started, stopped or closed the device.
#include "platform/card/SoundLine.h"
#include "platform/card/WaveInDevices.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

// Converts PCM bytes of format `from` into format `to`, appending to `out`. Called with
// empty input to ask whether the conversion can be made at all. Must be reentrant: the
// card thread calls it while a main-thread query may run.
using PcmConverter = std::function<bool(const PcmFormat& from, const PcmFormat& to,
                                        std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out)>;

// The process's converter (none at start). Any thread; a device takes it at Open.
void SetCardPcmConverter(PcmConverter converter);

// The card's own format.
PcmFormat CardPcmFormat();

class CardWaveIn : public IWaveInDevices {
public:
    explicit CardWaveIn(std::function<void()> changed);

    unsigned GetNumDevs() override;
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

    // Card thread: recording (started, device not lost).
    bool Started() const;
    // Card thread: started and the queued buffers have room beyond what is already mixed.
    bool WantsData() const;
    // Card thread: waits for the first frame of a play (opened with WAVE_RECORD_PLAY).
    bool AwaitsPlay() const;
    // Card thread: interleaved stereo frames of the wave-in mix, with the marks of a play
    // that began or ended in them. Without a queued buffer the frames wait (up to one
    // second of them; older ones are dropped, as a device whose recorder falls behind
    // drops them). Frames delivered while not started are dropped.
    void Deliver(std::span<const std::int16_t> frames, const PlayMarks& marks = {});
    // Card thread: a selected line's device went away (`reason` names it and says why).
    // Every queued buffer comes back with what it holds, then MM_WIM_DEVICE_LOST, once per
    // Open.
    void DeviceLost(const std::string& reason);
    std::string LossReason(WaveInHandle handle) override;

private:
    bool Valid(WaveInHandle handle) const;  // lock_ held
    void Flush();                           // lock_ held
    void Complete();                        // lock_ held: hands back the queue's head
    void Changed();

    const std::function<void()> changed_;

    // Guarded by lock_. Lock order: a recorder may call in holding its own driver lock
    // (TMMCustomWaveIn stops and resets the device under it), and the callbacks, made with
    // lock_ held, take the recorder's notification-queue lock. So lock_ is never taken with
    // a recorder's queue lock held, and nothing here takes a recorder's driver lock.
    mutable std::mutex lock_;
    bool open_ = false;
    bool started_ = false;
    bool lost_ = false;
    std::string lossReason_;
    WaveInHandle handle_ = 0;
    WaveInHandle nextHandle_ = 1;
    WaveInCallback callback_;
    PcmFormat format_;
    PcmConverter converter_;  // empty when the recorder takes the card's own format
    std::deque<WaveHdr*> queue_;
    std::vector<std::uint8_t> pending_;  // mixed bytes in the recorder's format, not yet in a buffer
    std::size_t pendingStart_ = 0;
    // WAVE_RECORD_PLAY: the play's state. EndPending: the last of pending_ is the play's
    // last frame, and the buffer that takes it comes back flagged.
    enum class Play { None, Awaiting, Recording, EndPending, Ended };
    Play play_ = Play::None;
};
