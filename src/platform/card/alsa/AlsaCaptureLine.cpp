#include "platform/card/alsa/AlsaCaptureLine.h"

#include "platform/card/alsa/AlsaPcm.h"

#include <QCoreApplication>
#include <QString>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <thread>
#include <mutex>
#include <vector>

std::string CaptureLossReason(const std::string& device, int error)
{
    // A server source is named as the user chose it, not by the ALSA device that reaches it.
    std::string name = device;
    if (const auto at = device.find("DEVICE=\""); device.rfind("pulse:", 0) == 0 && at != std::string::npos)
        name = device.substr(at + 8, device.size() - at - 9);
    const bool server = device.rfind("pulse", 0) == 0;
    QString why;
    if (error == 0)
        why = server ? QCoreApplication::translate("CaptureLine", "the audio server stopped sending sound (nothing for 3 seconds)")
                     : QCoreApplication::translate("CaptureLine", "the device stopped delivering sound (nothing for 3 seconds)");
    else
        why = (server ? QCoreApplication::translate("CaptureLine", "the audio server stopped answering (%1)")
                      : QCoreApplication::translate("CaptureLine", "the device failed (%1)"))
                  .arg(QString::fromLocal8Bit(snd_strerror(error)));
    return "\"" + name + "\": " + why.toStdString();
}

namespace {
// How long the program waits for a capture device to open before it leaves it out.
constexpr std::chrono::seconds kOpenWait{2};

// Consulted before every read; null in the program.
std::atomic<CaptureReadFault> readFault{nullptr};

// What the card thread and the line's reader thread share. The reader may stay blocked in
// a read of a device that stopped delivering (a pipe behind ALSA's file plugin never
// returns), so the state lives as long as either side holds it, and a line that gives up
// on its reader leaves it behind instead of waiting for it.
struct CaptureShared {
    explicit CaptureShared(AlsaPcm p, std::string d) : pcm(std::move(p)), device(std::move(d)) {}

    AlsaPcm pcm;  // the reader thread's only
    const std::string device;
    std::atomic<std::uint64_t> overruns{0};  // written by the reader, read anywhere

    // Guarded by lock.
    std::mutex lock;
    std::condition_variable changed;
    bool quit = false;        // the line has gone: the reader ends
    bool restart = false;     // the card starts reading: the reader starts the device afresh
    bool stop = false;        // the card stopped reading: the reader stops the device
    bool lost = false;        // the device is gone, or stopped delivering
    std::string lossReason;   // set with lost: the device and why
    bool inRead = false;      // the reader is inside a device read
    std::vector<std::int16_t> request;  // the frames the card waits for, filled in order
    std::size_t filled = 0;   // samples of `request` filled so far
    bool pending = false;     // a request is open
};

// The reader thread: does what the card asks, one request at a time.
void readerLoop(std::shared_ptr<CaptureShared> shared)
{
    CaptureShared& c = *shared;
    std::unique_lock lock(c.lock);
    for (;;) {
        c.changed.wait(lock, [&] { return c.quit || c.restart || c.stop || (c.pending && !c.lost); });
        if (c.quit)
            break;
        if (c.restart || c.stop) {
            const bool start = c.restart;
            c.restart = c.stop = false;
            lock.unlock();
            if (c.pcm) {
                // Starts from an empty device buffer, so a recording begins with what the
                // device hears now, not with what it heard before.
                snd_pcm_drop(c.pcm.get());
                if (start) {
                    snd_pcm_prepare(c.pcm.get());
                    snd_pcm_start(c.pcm.get());
                }
            }
            lock.lock();
            continue;
        }
        if (!c.pcm) {
            c.lost = true;
            if (c.lossReason.empty())
                c.lossReason = QCoreApplication::translate("CaptureLine", "%1: the device is closed")
                                   .arg(QString::fromStdString(c.device))
                                   .toStdString();
            c.changed.notify_all();
            continue;
        }
        const std::size_t at = c.filled;
        const std::size_t want = (c.request.size() - at) / kCardChannels;
        std::vector<std::int16_t> piece(want * kCardChannels);
        c.inRead = true;
        lock.unlock();
        const CaptureReadFault fault = readFault.load();
        const int injected = fault ? fault(c.device) : 0;
        snd_pcm_sframes_t n = injected ? injected : snd_pcm_readi(c.pcm.get(), piece.data(), want);
        bool gone = false;
        std::string why;
        if (n == 0 || n == -EAGAIN) {
            snd_pcm_wait(c.pcm.get(), 100);
        } else if (n < 0) {
            // Recovered overruns are counted; a device that is gone is closed now, so it
            // can go away for good.
            if (n == -ENODEV || snd_pcm_recover(c.pcm.get(), int(n), 1) < 0) {
                why = CaptureLossReason(c.device, int(n));
                c.pcm.reset();
                gone = true;
            } else if (n == -EPIPE) {
                ++c.overruns;
            }
        }
        lock.lock();
        c.inRead = false;
        if (gone) {
            c.lost = true;
            c.lossReason = why;
        }
        if (n > 0 && c.pending && c.filled == at) {
            std::copy(piece.begin(), piece.begin() + n * kCardChannels, c.request.begin() + std::ptrdiff_t(at));
            c.filled += std::size_t(n) * kCardChannels;
            if (c.filled == c.request.size())
                c.pending = false;
        }
        c.changed.notify_all();
    }
}

class AlsaCaptureLine : public SoundLine {
public:
    explicit AlsaCaptureLine(std::shared_ptr<CaptureShared> shared)
        : shared_(std::move(shared)), reader_([s = shared_] { readerLoop(s); })
    {
    }

    // Main thread, while the card thread no longer uses the line. A reader stuck in a read
    // is left to end when the read does; the program never waits for it.
    ~AlsaCaptureLine() override
    {
        bool stuck = false;
        {
            std::lock_guard lock(shared_->lock);
            shared_->quit = true;
            stuck = shared_->inRead && shared_->lost;
        }
        shared_->changed.notify_all();
        if (!stuck) {
            // A read in progress on a live device returns within its 100 ms wait.
            std::unique_lock lock(shared_->lock);
            stuck = !shared_->changed.wait_for(lock, kLeaveWait, [&] { return !shared_->inRead; });
        }
        if (stuck)
            reader_.detach();
        else
            reader_.join();
    }

    bool IsSoftware() const override { return false; }

    // Card thread.
    void Start() override { Ask(&CaptureShared::restart); }
    void Stop() override { Ask(&CaptureShared::stop); }

    // Card thread. Waits until the device has delivered every frame asked for; a device
    // that delivers nothing for kStallLimit has stopped working and counts as gone, as
    // does a line whose card is closing.
    LineStatus Read(std::span<std::int16_t> samples) override
    {
        CaptureShared& c = *shared_;
        std::unique_lock lock(c.lock);
        if (c.lost || interrupted_)
            return LineStatus::Lost;
        c.request.assign(samples.size(), 0);
        c.filled = 0;
        c.pending = true;
        c.changed.notify_all();
        std::size_t seen = 0;
        while (c.pending && !c.lost && !interrupted_) {
            if (!c.changed.wait_for(lock, kStallLimit, [&] { return !c.pending || c.lost || interrupted_ || c.filled != seen; })) {
                c.lost = true;  // nothing for kStallLimit
                c.lossReason = CaptureLossReason(c.device, 0);
                break;
            }
            seen = c.filled;
        }
        c.pending = false;
        if (c.lost || interrupted_)
            return LineStatus::Lost;
        std::copy(c.request.begin(), c.request.end(), samples.begin());
        return LineStatus::Ok;
    }

    // Any thread.
    void Interrupt() override
    {
        {
            std::lock_guard lock(shared_->lock);
            interrupted_ = true;
        }
        shared_->changed.notify_all();
    }

    std::uint64_t Overruns() const override { return shared_->overruns.load(); }

    std::string LossReason() const override
    {
        std::lock_guard lock(shared_->lock);
        return shared_->lossReason;
    }

private:
    static constexpr std::chrono::seconds kStallLimit{3};
    static constexpr std::chrono::milliseconds kLeaveWait{250};

    // Card thread: hands the reader a start or stop of the device.
    void Ask(bool CaptureShared::*what)
    {
        {
            std::lock_guard lock(shared_->lock);
            (*shared_).*what = true;
        }
        shared_->changed.notify_all();
    }

    std::shared_ptr<CaptureShared> shared_;
    bool interrupted_ = false;  // guarded by shared_->lock
    std::thread reader_;        // last: starts once the state exists
};
}  // namespace

std::unique_ptr<SoundLine> OpenCaptureLine(const std::string& device, std::string* why)
{
    // ALSA's open can block (a device behind a pipe nobody writes): it runs on a thread of
    // its own, and a device that has not opened after kOpenWait is left out. Its thread
    // then closes what it opens, whenever that is.
    struct Opening {
        std::mutex lock;
        std::condition_variable done;
        bool finished = false;  // guarded by lock
        bool wanted = true;     // guarded by lock
        AlsaPcm pcm;            // guarded by lock
        std::string reason;     // guarded by lock: ALSA's words when the open failed
    };
    auto opening = std::make_shared<Opening>();
    std::thread opener([opening, device] {
        std::string reason;
        AlsaPcm pcm = OpenCardPcm(device, SND_PCM_STREAM_CAPTURE, &reason);
        std::lock_guard lock(opening->lock);
        if (opening->wanted)
            opening->pcm = std::move(pcm);
        opening->reason = std::move(reason);
        opening->finished = true;
        opening->done.notify_all();
    });
    std::unique_lock lock(opening->lock);
    if (!opening->done.wait_for(lock, kOpenWait, [&] { return opening->finished; })) {
        opening->wanted = false;
        lock.unlock();
        opener.detach();
        if (why)
            *why = QCoreApplication::translate("CaptureLine", "the device did not open within %1 seconds")
                       .arg(qlonglong(kOpenWait.count()))
                       .toStdString();
        return nullptr;
    }
    AlsaPcm pcm = std::move(opening->pcm);
    if (!pcm && why)
        *why = opening->reason;
    lock.unlock();
    opener.join();
    if (!pcm)
        return nullptr;
    return std::make_unique<AlsaCaptureLine>(std::make_shared<CaptureShared>(std::move(pcm), device));
}

void SetCaptureReadFault(CaptureReadFault fault)
{
    readFault.store(fault);
}
