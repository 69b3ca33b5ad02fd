#pragma once
// TMMPcmFeed: a source at the head of a chain that hands on PCM bytes as another part of the
// program produces them, so that a pump can encode a recording while it is still being
// made. The producer pushes bytes and finally ends the feed; the pump's loads wait for the
// bytes they need.
//
//   feed.Begin(pcmWaveFormat(16, 2, 44100));   // main thread, while the chain is closed
//   feed.SetOutput(&Trigger);                  // Trigger.SetOutput(&MP3Encoder) ...
//   feed.Push(bytes);  ...                     // main thread, as the recording grows
//   Trigger.Start();                           // once Queued() > the pump's buffer size
//   feed.Push(bytes);  ...  feed.End();        // the pump runs dry after the last byte
//
// A load waits until the feed holds more bytes than the buffer takes (so a full buffer is
// never the last one while more may follow), or until the feed has ended or is aborted.
// Then it hands out what the buffer takes and says whether more will come. An aborted feed
// hands out nothing more: a pump stopping its run (Stop first, then Abort) is woken that way
// without waiting for a producer that has gone.
//
// Threads: Begin on the main thread while no load runs; Push, End, Abort and the counters
// from any thread; BufferLoad on the pump's thread (its first load of a run on the main
// thread). One lock guards the bytes and the end flags.
#include "stream/MMDSPObj.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

class TMMPcmFeed : public TMMDSPComponent {
public:
    explicit TMMPcmFeed(std::string name = "PcmFeed");
    ~TMMPcmFeed() override;

    bool PublishesOutput() const override { return true; }

    // Empties the feed and sets the format of the bytes to come (pushed down the chain).
    void Begin(const TWaveFormatEx& format);
    // Appends bytes (whole sample frames).
    void Push(std::span<const std::uint8_t> bytes);
    // No more bytes will come: the pump runs dry after the last one.
    void End();
    // Loads hand out nothing more and return at once.
    void Abort();

    bool Ended() const { return ended_; }
    // Bytes pushed since Begin, handed out to the chain, and waiting.
    std::int64_t Total() const { return total_; }
    std::int64_t Taken() const { return taken_; }
    std::int64_t Queued() const { return total_ - taken_; }
    // Whether more than `bytes` wait while bytes may still come (neither ended nor
    // aborted). Any thread.
    bool FarAhead(std::int64_t bytes) const;

    // Pump's thread: waits for bytes (see above).
    void BufferLoad(TMMWaveHdr* lpWaveHdr, bool& moreBuffers) override;

private:
    mutable std::mutex lock_;
    std::condition_variable arrived_;
    std::vector<std::uint8_t> bytes_;  // guarded by lock_
    std::size_t start_ = 0;            // guarded by lock_: first byte not handed out
    // Written under lock_, read without it by the counters.
    std::atomic<bool> ended_{false};
    std::atomic<bool> aborted_{false};
    std::atomic<std::int64_t> total_{0};
    std::atomic<std::int64_t> taken_{0};
};
