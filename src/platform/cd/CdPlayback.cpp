#include "platform/cd/CdPlayback.h"

#include "platform/cd/CdDisc.h"

#include <algorithm>
#include <vector>

namespace {
// Main thread only: the playback of the card's CD line.
std::weak_ptr<CdPlayback> currentPlayback;

constexpr std::int64_t framesOf(std::int32_t sectors)
{
    return std::int64_t(sectors) * kCdSamplesPerSector;
}
}  // namespace

std::shared_ptr<CdPlayback> CdPlayback::Current()
{
    return currentPlayback.lock();
}

void CdPlayback::MakeCurrent(const std::shared_ptr<CdPlayback>& playback)
{
    currentPlayback = playback;
}

CdPlayback::CdPlayback() : reader_([this] { ReaderLoop(); }) {}

CdPlayback::~CdPlayback()
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    reader_.join();
}

bool CdPlayback::Play(const Range& range, EndHandler onEnd)
{
    std::lock_guard lock(mutex_);
    const bool replaced = playing_;
    ++generation_;
    range_ = range;
    onEnd_ = std::move(onEnd);
    positionFrames_ = framesOf(range.fromSector);
    readSector_ = range.fromSector;
    queue_.clear();
    startMarked_ = false;
    endUnmarked_ = false;
    wallPacing_ = false;
    // A consumer about to pull (a recorder started just before or after) gets the grace
    // time to begin before the play runs on by the wall clock.
    lastPull_ = std::max(lastPull_, Clock::now());
    playing_ = true;
    if (range.toSector <= range.fromSector)
        Finish(MediaNotify::Successful);
    changed_.notify_all();
    return replaced;
}

bool CdPlayback::Stop()
{
    std::lock_guard lock(mutex_);
    if (!playing_)
        return false;
    playing_ = false;
    endUnmarked_ = false;
    ++generation_;
    onEnd_ = nullptr;
    queue_.clear();
    range_.disc.reset();
    changed_.notify_all();
    return true;
}

void CdPlayback::SetPosition(std::int64_t frames)
{
    std::lock_guard lock(mutex_);
    if (!playing_)
        positionFrames_ = frames;
}

bool CdPlayback::Playing() const
{
    std::lock_guard lock(mutex_);
    return playing_;
}

std::int64_t CdPlayback::PositionFrames() const
{
    std::lock_guard lock(mutex_);
    return positionFrames_;
}

bool CdPlayback::WaitIdle(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return !playing_; });
}

void CdPlayback::Finish(MediaNotify result)
{
    playing_ = false;
    endUnmarked_ = true;
    queue_.clear();
    range_.disc.reset();
    EndHandler handler = std::move(onEnd_);
    onEnd_ = nullptr;
    changed_.notify_all();
    if (handler)
        handler(result);
}

// Consumer's thread.
PlayMarks CdPlayback::Render(std::int16_t* out, std::size_t frames)
{
    std::unique_lock lock(mutex_);
    lastPull_ = Clock::now();
    PlayMarks marks;
    // A play that ended while nothing pulled, or failed: its end lies before these frames.
    if (endUnmarked_) {
        marks.end = 0;
        endUnmarked_ = false;
    }
    // Before the first frame a slow drive only delays the start; later a wait keeps a gap
    // out of the recording.
    const bool started = playing_ && positionFrames_ > framesOf(range_.fromSector);
    const Clock::time_point deadline = lastPull_ + (started ? kStallWait : kStartWait);
    std::size_t done = 0;
    while (done < frames && playing_) {
        if (!queue_.empty()) {
            if (!startMarked_) {
                marks.start = done;
                startMarked_ = true;
            }
            const std::int64_t left = framesOf(range_.toSector) - positionFrames_;
            const std::size_t take = std::min({frames - done, queue_.size() / Channels, std::size_t(left)});
            const auto first = queue_.begin();
            const auto last = first + std::ptrdiff_t(take * Channels);
            std::copy(first, last, out + done * Channels);
            queue_.erase(first, last);
            positionFrames_ += std::int64_t(take);
            done += take;
            changed_.notify_all();  // room for the reader
            if (positionFrames_ >= framesOf(range_.toSector)) {
                Finish(MediaNotify::Successful);
                endUnmarked_ = false;
                marks.end = done;
            }
            continue;
        }
        // The drive has not delivered yet: wait a little, then let the card go on.
        if (changed_.wait_until(lock, deadline) == std::cv_status::timeout)
            break;
    }
    std::fill(out + done * Channels, out + frames * Channels, std::int16_t(0));
    lastPull_ = Clock::now();
    return marks;
}

// Consumer's thread.
void CdPlayback::SetPulled(bool pulled)
{
    std::lock_guard lock(mutex_);
    pulled_ = pulled;
    lastPull_ = pulled ? Clock::now() : Clock::time_point{};
    changed_.notify_all();
}

bool CdPlayback::PacedByConsumer(Clock::time_point now) const
{
    return pulled_ || now - lastPull_ < kPullGrace;
}

void CdPlayback::PaceByWallClock(Clock::time_point now)
{
    if (!wallPacing_) {
        wallPacing_ = true;
        paceOrigin_ = now;
        pacedFrames_ = 0;
        return;
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(now - paceOrigin_).count();
    const std::int64_t due = elapsed * SampleRate / 1000000 - pacedFrames_;
    if (due <= 0)
        return;
    const std::int64_t left = framesOf(range_.toSector) - positionFrames_;
    const std::int64_t take = std::min({due, std::int64_t(queue_.size() / Channels), left});
    queue_.erase(queue_.begin(), queue_.begin() + std::ptrdiff_t(take * Channels));
    positionFrames_ += take;
    pacedFrames_ += take;
    changed_.notify_all();
    if (positionFrames_ >= framesOf(range_.toSector)) {
        Finish(MediaNotify::Successful);
        return;
    }
    if (take < due) {  // the drive is behind the clock: go on from here, without a burst
        paceOrigin_ = now;
        pacedFrames_ = 0;
    }
}

// The reader thread: reads the range ahead of the position, and moves the position on by
// the wall clock while no consumer pulls.
void CdPlayback::ReaderLoop()
{
    std::vector<std::int16_t> chunk;
    std::unique_lock lock(mutex_);
    while (!quit_) {
        if (!playing_) {
            changed_.wait(lock);
            continue;
        }
        const Clock::time_point now = Clock::now();
        if (PacedByConsumer(now))
            wallPacing_ = false;
        else
            PaceByWallClock(now);
        if (!playing_)
            continue;
        const std::int64_t queued = std::int64_t(queue_.size() / Channels);
        if (readSector_ < range_.toSector && queued < framesOf(kAheadSectors)) {
            const std::uint64_t generation = generation_;
            const std::shared_ptr<CdDisc> disc = range_.disc;
            const std::int32_t first = readSector_;
            const std::int32_t count = std::min(kChunkSectors, range_.toSector - first);
            chunk.resize(std::size_t(framesOf(count)) * Channels);
            bool ok = true;
            lock.unlock();
            try {
                disc->ReadAudio(first, count, chunk.data());
            } catch (...) {
                ok = false;  // the play ends with a failure below
            }
            lock.lock();
            if (generation != generation_ || !playing_)
                continue;  // stopped or replaced meanwhile: the sectors are not wanted
            if (!ok) {
                Finish(MediaNotify::Failure);
                continue;
            }
            queue_.insert(queue_.end(), chunk.begin(), chunk.end());
            readSector_ += count;
            changed_.notify_all();
            continue;
        }
        // Nothing to read now: wake on a change, or soon to pace by the wall clock.
        changed_.wait_for(lock, std::chrono::milliseconds(10));
    }
}
