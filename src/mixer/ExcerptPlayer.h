#pragma once
// Plays a stretch of a wave file (a few seconds of a take around a cut) on the sound card's
// speakers: a worker reads it and brings it into the card's format, so the main thread never
// waits for the disk, then the card plays it at its own pace.
//
//   ExcerptPlayer player([&] { showPlay(); }, [&](const std::string& why) { ReportError(why); });
//   player.Play(take, split.AroundCut(0, 3.0));
//   player.Stop();   // Play again, a moved cut, the page left
//
// Threads: every call and both hooks run on the main thread; the reader is a thread of its
// own, joined by Stop and the destructor.
#include "wave/SilenceSplit.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class ExcerptPlayer {
public:
    // `ended`: the excerpt has played to its end. `failed`: it cannot be played; the text
    // names the file or the speakers' device and the reason.
    ExcerptPlayer(std::function<void()> ended, std::function<void(const std::string&)> failed);
    ~ExcerptPlayer();
    ExcerptPlayer(const ExcerptPlayer&) = delete;
    ExcerptPlayer& operator=(const ExcerptPlayer&) = delete;

    // Stops what plays and starts reading frames `span` of `wave`; they play once read.
    void Play(const std::string& wave, const TrackSpan& span);
    // Stops the reading or the play; neither hook hears of it afterwards.
    void Stop();
    // From Play until the excerpt ended, failed or was stopped.
    bool Playing() const { return playing_; }

private:
    // Main thread: the read excerpt goes to the card, unless a Stop came first.
    void startOnCard(std::uint64_t play, std::shared_ptr<std::vector<std::int16_t>> samples);
    // Main thread: the play `play` is over; true when it was the current one.
    bool finish(std::uint64_t play);

    std::function<void()> ended_;
    std::function<void(const std::string&)> failed_;
    // Main thread only.
    bool playing_ = false;
    std::uint64_t play_ = 0;  // counts Plays, so news of an earlier one is dropped
    std::uint64_t clip_ = 0;  // the card's number of the clip playing, 0 while none
    std::thread reader_;
    std::shared_ptr<std::atomic<bool>> stopReading_;  // shared with the reader
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // for posted news
};
