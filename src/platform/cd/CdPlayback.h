#pragma once
// The play of an audio CD: a reader thread reads the range ahead from the disc (digital
// read) into a bounded queue, and the consumer (the sound card's CD line) takes frames
// from it. The position follows the frames taken, so the card's clock paces the play: in
// real time, or faster than real time with Clock=fast. While nothing pulls (the line is
// not selected or monitored, or there is no card at all) the reader thread moves the
// position on by the wall clock itself, the way a drive plays that nobody listens to, so
// a play still reaches its end. A new play waits kPullGrace for a consumer before it runs
// on by itself, so a recorder started just after the play misses nothing.
//
//   auto playback = CdPlayback::Current();          // the card line's; null without a card
//   if (!playback) playback = std::make_shared<CdPlayback>();
//   playback->TryClaim();
//   playback->Play({disc, firstSector, endSector}, [](MediaNotify n) { post(n); });
//   playback->Render(frames, 1024);                   // the card's thread, again and again
//   playback->PositionFrames();  playback->Playing();  playback->Stop();
//
// A play ends once, with its end handler: Successful when the consumer has taken the last
// frame, Failure when the disc cannot be read. Render says where a play's first frame and
// the frame after its last lie in what it hands out (PlayMarks); a play that ended while
// nothing pulled (or failed) has its end marked at the start of the next Render, so a
// consumer that records the play always learns where it ended. Stop and a new
// Play end it without calling the handler (they return true, so the caller reports
// aborted or superseded). The handler runs on the main thread (an empty range), the
// consumer's or the reader's.
//
// On a drive that is slow to deliver Render waits for the reader, at most kStartWait
// before the play's first frame (a drive spinning up) and kStallWait later (a read being
// retried), then hands out silence without moving the position: the play is delayed,
// never skipped, and the card is held up for a bounded time only. Reading ahead keeps
// such waits rare: the queue holds kAheadSectors.
//
// Threads: Play, Stop, SetPosition, TryClaim, Release and the destructor on the main
// thread; Render and SetPulled on the consumer's thread; Playing, PositionFrames and
// WaitIdle on any thread; the reader thread is the object's own. One lock guards the play
// state; the end handler runs with that lock held, so it must only hand the news on.
#include "platform/card/SoundLine.h"
#include "platform/device/ClaimedPlayerDevice.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class CdDisc;

// One device at a time plays through it (ClaimablePlayer: TryClaim, Release).
class CdPlayback : public ClaimablePlayer {
public:
    using EndHandler = std::function<void(MediaNotify)>;
    using Clock = std::chrono::steady_clock;

    static constexpr unsigned SampleRate = 44100;
    static constexpr unsigned Channels = 2;
    // How far the reader reads ahead, and in what steps (sectors).
    static constexpr std::int32_t kAheadSectors = 150;
    static constexpr std::int32_t kChunkSectors = 25;
    // The longest Render waits for a slow drive before it hands out silence: at the start
    // of a play (spinning up), and once frames have been taken (a retried read).
    static constexpr std::chrono::milliseconds kStartWait{200};
    static constexpr std::chrono::milliseconds kStallWait{2000};
    // A consumer that has not pulled for this long no longer paces the play.
    static constexpr std::chrono::milliseconds kPullGrace{250};

    struct Range {
        std::shared_ptr<CdDisc> disc;
        std::int32_t fromSector = 0;  // first sector played
        std::int32_t toSector = 0;    // the sector after the last
    };

    // The playback of the newest card's CD line while it lives (the line, or a player still
    // open, holds it), else null. Main thread.
    static std::shared_ptr<CdPlayback> Current();
    // Makes `playback` the one Current() returns. Main thread.
    static void MakeCurrent(const std::shared_ptr<CdPlayback>& playback);

    CdPlayback();
    ~CdPlayback();
    CdPlayback(const CdPlayback&) = delete;
    CdPlayback& operator=(const CdPlayback&) = delete;

    // Starts a play of the range; true when it replaced a play in progress (whose handler
    // will not run). An empty range ends at once, successfully.
    bool Play(const Range& range, EndHandler onEnd);
    // Ends the play in progress where the consumer left it; true when one was in progress.
    bool Stop();
    // Moves the position while no play runs (a seek).
    void SetPosition(std::int64_t frames);

    bool Playing() const;
    // Sample frames from the disc's sector 0 (LSN 0).
    std::int64_t PositionFrames() const;
    // Waits until no play runs or the time is up; true when none runs.
    bool WaitIdle(std::chrono::milliseconds timeout) const;

    // Consumer's thread: fills `frames` interleaved stereo frames; silence while no play
    // runs. Returns where a play began or ended among them.
    PlayMarks Render(std::int16_t* out, std::size_t frames);
    // Consumer's thread: the consumer begins / stops pulling regularly.
    void SetPulled(bool pulled);

private:
    void ReaderLoop();                                  // the reader thread
    void Finish(MediaNotify result);                    // any thread, lock held
    bool PacedByConsumer(Clock::time_point now) const;  // the reader thread, lock held
    void PaceByWallClock(Clock::time_point now);        // the reader thread, lock held

    // Guarded by mutex_.
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;  // the state, the queue or the pull changed
    bool quit_ = false;
    bool playing_ = false;
    bool startMarked_ = false;                // the play's first frame has been handed out
    bool endUnmarked_ = false;                // a play ended that the consumer has not seen end
    std::uint64_t generation_ = 0;            // counts plays and stops
    Range range_;
    EndHandler onEnd_;
    std::int64_t positionFrames_ = 0;
    std::int32_t readSector_ = 0;             // the next sector the reader reads
    std::deque<std::int16_t> queue_;          // read, not yet taken: from positionFrames_ on
    bool pulled_ = false;                     // the consumer has started pulling
    Clock::time_point lastPull_{};
    bool wallPacing_ = false;                 // the reader paces the play
    Clock::time_point paceOrigin_{};          // wall-clock pacing: since when
    std::int64_t pacedFrames_ = 0;            // ... and how many frames so far

    std::thread reader_;  // last: starts once everything above exists
};
