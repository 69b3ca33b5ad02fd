#pragma once
// The parts of one long input that further encoders take at the same time as the chain's
// own encoder. The input is cut at frame boundaries into `jobs` parts of nearly equal
// length. Every part after the first starts kPrimeFrames frames before its cut, so that its
// encoder has settled (delay, psychoacoustic state, bit reservoir) by the time it reaches
// the audio it contributes; every part before the last runs kJoinFrames + kTailFrames past
// the next cut, so that the join can pick, among kJoinFrames frames, one where the bit
// reservoirs of the two streams agree (see FrameJoin.h). The chain's own encoder takes the
// first part as the input arrives; the others read the wave file themselves, each on a
// thread of its own.
#include "platform/codec/BladeEnc.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct SplitPart {
    std::uint64_t from = 0;       // first sample frame it encodes
    std::uint64_t to = 0;         // one past its last sample frame
    std::uint64_t joinFrom = 0;   // first MPEG frame where it may take over; its frame i is frame from/1152 + i
};

class SplitEncoder {
public:
    static constexpr std::uint64_t kPrimeFrames = 24;
    static constexpr std::uint64_t kJoinFrames = 64;
    static constexpr std::uint64_t kTailFrames = 8;

    // The parts of `samples` sample frames for `jobs` encoders; one part when the input is
    // too short to be worth cutting (two minutes at `rate`) or jobs is 1.
    static std::vector<SplitPart> Plan(std::uint64_t samples, unsigned rate, int jobs);

    // Main thread. Starts one thread per part after the first; `source` is the 16-bit PCM
    // wave file of `channels` channels the parts are read from.
    SplitEncoder(const BE_CONFIG& config, const BE_LAME_OPTIONS& options, std::string source, unsigned channels,
                 std::vector<SplitPart> parts);
    // Cancels and waits for the threads.
    ~SplitEncoder();
    SplitEncoder(const SplitEncoder&) = delete;
    SplitEncoder& operator=(const SplitEncoder&) = delete;

    const std::vector<SplitPart>& Parts() const { return parts_; }
    // Any thread: the threads stop at their next chunk.
    void Cancel() { cancel_ = true; }
    // Waits for every thread; true when every part was encoded whole. Then Frames(k) holds
    // part k's whole frames (k >= 1) and Error() is empty.
    bool Wait();
    const std::vector<std::uint8_t>& Frames(std::size_t part) const { return results_[part].frames; }
    // Why a part failed: a line naming the file and the reason. Read after Wait.
    const std::string& Error() const { return error_; }
    // Any thread: sample frames the threads have encoded so far.
    std::uint64_t SamplesDone() const { return done_; }

private:
    struct Result {
        std::vector<std::uint8_t> frames;  // written by the part's thread, read after Wait
        bool whole = false;                // likewise
    };
    // The part's own thread.
    void EncodePart(std::size_t part);

    const BE_CONFIG config_;
    const BE_LAME_OPTIONS options_;
    const std::string source_;
    const unsigned channels_;
    const std::vector<SplitPart> parts_;
    std::vector<Result> results_;  // one per part; each written only by its own thread until Wait
    std::mutex errorLock_;
    std::string error_;            // guarded by errorLock_ until Wait
    std::atomic<bool> cancel_{false};
    std::atomic<std::uint64_t> done_{0};
    std::vector<std::thread> threads_;  // main thread only
};
