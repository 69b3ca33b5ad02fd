#pragma once
// TMMCustomWaveIn: the wave-in device as the driver at the head of a recording chain. It
// opens a recording device of a wave-in device table (IWaveInDevices) with a PCM format,
// keeps a ring of buffers queued there and pushes every filled buffer down the chain
// (usually into a wave file). TMMWaveIn binds the table of the program's sound card.
//
//   TMMWaveIn in;                         // the card's wave-in devices
//   in.SetMode(mStereo);  in.SetBitLength(b16Bit);  in.SetSampleRate(44100);
//   in.SetOutput(&waveFile);              // a sink: TMMWaveFile with a file name
//   in.Start();                           // opens device and chain, queues the buffers
//   ... filled buffers reach OnBufferReady and the chain ...
//   in.Stop();  in.Close();               // the wave file finishes its file at Close
//
// Where filled buffers are handled (CallBackMode):
//   cmWindow  on the main thread: the device's notifications are queued and a hidden
//             message target drains the queue, so the main thread's event loop must run
//             (buffers that arrive while the main thread is busy are handled together);
//   cmThread  on a worker thread of the component;
//   cmCallback is refused here (a message box explains it), the mode stays.
// A device that disappears during a recording ends it: the buffers it returned are
// written, the chain is stopped and closed (the wave file is finished), and the error
// report tells the user.
//
// Threads: every operation, property and event except OnBufferReady runs on the main
// thread (the lifecycle is TMMDriver's, MMDriver.h). OnBufferReady and the chain's
// BufferReady run where the buffers are handled.
// The device table is called on the main thread, except AddBuffer, which re-queues a
// buffer from the thread that handled it.
#include "platform/Errors.h"
#include "platform/card/WaveInDevices.h"
#include "stream/MMCBMode.h"
#include "stream/MMDSPObj.h"
#include "stream/MMDriver.h"

#include <QtGlobal>
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

// The platform's header is the first part of the chain's header: the same block goes to
// the device and down the chain.
static_assert(offsetof(TMMWaveHdr, lpData) == offsetof(WaveHdr, lpData));
static_assert(offsetof(TMMWaveHdr, dwBufferLength) == offsetof(WaveHdr, dwBufferLength));
static_assert(offsetof(TMMWaveHdr, dwBytesRecorded) == offsetof(WaveHdr, dwBytesRecorded));
static_assert(offsetof(TMMWaveHdr, dwUser) == offsetof(WaveHdr, dwUser));
static_assert(offsetof(TMMWaveHdr, dwFlags) == offsetof(WaveHdr, dwFlags));
static_assert(offsetof(TMMWaveHdr, dwLoops) == offsetof(WaveHdr, dwLoops));
static_assert(offsetof(TMMWaveHdr, lpNext) == offsetof(WaveHdr, lpNext));
static_assert(offsetof(TMMWaveHdr, reserved) == offsetof(WaveHdr, reserved));
static_assert(sizeof(WaveHdr) <= sizeof(TMMWaveHdr));

enum TMMBits { b8Bit = 0, b16Bit = 1 };
using TMMDeviceId = int;
constexpr TMMDeviceId MapperId = -1;
constexpr TMMDeviceId badDeviceId = -2;

class EMMWaveInError : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};

// Shown when the recording device stops working during a recording, followed by a line that
// names the device and says why when the device table can tell.
inline constexpr const char* kRecordingDeviceLostMessage =
    QT_TRANSLATE_NOOP("Messages", "The recording device stopped working (it was removed or unplugged). The recording "
                                  "ends here; what was recorded until then has been saved.");

class TMMCustomWaveIn : public TMMDriver {
public:
    static constexpr int MaxBuffers = 500;
    static constexpr int MinBufferSize = 32;

    // devices may be null (no card): the component then finds no device.
    TMMCustomWaveIn(IWaveInDevices* devices, std::string name);
    ~TMMCustomWaveIn() override;

    bool PublishesOutput() const override { return true; }

    // Properties. Changing DeviceID, CallBackMode, Mode, SampleRate, BitLength, NumBuffers
    // or BufferSize while opened raises "Change to property while device was open".
    TMMDeviceId DeviceID() const { return deviceId_; }
    void SetDeviceID(TMMDeviceId id);
    TMMCBMode CallBackMode() const { return callBackMode_; }
    void SetCallBackMode(TMMCBMode mode);
    TMMMode Mode() const { return mode_; }
    void SetMode(TMMMode mode);
    TMMBits BitLength() const { return bitLength_; }
    void SetBitLength(TMMBits bits);
    int SampleRate() const { return sampleRate_; }
    void SetSampleRate(int rate);
    int NumBuffers() const { return numBuffers_; }
    void SetNumBuffers(int count);
    void SetBufferSize(int size) override;
    const std::string& ProductName() const { return productName_; }
    TMMTimeFormats TimeFormat() const { return timeFormat_; }
    void SetTimeFormat(TMMTimeFormats format);
    // Records one play of a software line (a MIDI song, a CD track): from the play's first
    // frame to its last, as the card marks them; the recording stops by itself after the
    // last (PlayEnded then says so). Set while closed.
    bool RecordPlay() const { return recordPlay_; }
    void SetRecordPlay(bool on);
    // The recording stopped at the end of the play it recorded (since the last start).
    bool PlayEnded() const { return playEnded_; }
    std::int64_t MaxRecordTime() const { return maxRecordTime_; }
    void SetMaxRecordTime(std::int64_t value) { maxRecordTime_ = value; }
    int NumDevs() const { return numDevs_; }
    // A lost device closes the component and raises kRecordingDeviceLostMessage; set, the
    // loss closes it quietly instead (a level watch, whose recorder tells of the loss).
    void SetQuietDeviceLoss(bool quiet) { quietDeviceLoss_ = quiet; }

    void SetWaveFormat(const TWaveFormatEx* format) override;

    // Handling thread: counts the bytes, cuts the buffer at the byte limit, pushes it on.
    void BufferReady(TMMWaveHdr* lpWaveHdr) override;

    // Bytes pushed down the chain since the last start (handling thread writes it).
    std::int64_t RecordedBytes() const { return recordedBytes_; }
    // The recording limit in bytes computed at the last start.
    std::int64_t ByteLimit() const { return byteLimit_; }

protected:
    // Raises EMMWaveInError with the message.
    [[noreturn]] void Raise(const std::string& message) override;

    void CheckOpen() override;
    void OpenDriver() override;
    void StartDriver() override;
    void HaltDriver() override;
    void SettleDriver() override;
    void PauseDriver() override;
    void RestartDriver() override;
    void ReleaseDevice() override;
    void ReleaseWorker() override;
    void EndWorker() override;
    void RunWorker() override;  // worker thread (cmThread)
    // The hidden target's messages: the drain of queued notifications, a lost device.
    void DriverMessage(unsigned message, std::intptr_t wParam, std::intptr_t lParam) override;
    std::intptr_t MessageTag() const override { return static_cast<std::intptr_t>(session_.load()); }

private:
    struct Posted {
        unsigned message;
        std::uint64_t session;
        TMMWaveHdr* header;
    };

    void checkIdle();
    void buildFormat();
    bool formatSupported();
    std::int64_t computeByteLimit() const;
    std::string deviceText(MMResult code);
    [[noreturn]] void deviceError(const char* step, MMResult code);
    // Card thread (or the main thread inside Open / Close / Reset), with the card's wave-in
    // lock held; `mode` is the callback mode the device was opened with.
    void deviceMessage(std::uint64_t session, TMMCBMode mode, unsigned message, WaveHdr* header);
    // Main thread (cmWindow): handles the queued notifications one by one, in order, also
    // when a handler lets messages run and a nested drain takes over.
    void drainQueue();
    // Handling thread: one notification; a lost device is closed on the main thread.
    void handleNotification(const Posted& p);
    void queueBuffer(TMMWaveHdr* header);  // handling thread
    void bufferDone(TMMWaveHdr* header);   // handling thread
    void endBusy();                        // handling thread
    bool ownsHeader(const TMMWaveHdr* header) const;
    void deviceLost();                     // main thread
    bool quietDeviceLoss_ = false;  // main thread
    // Main thread, cmThread: waits until the worker has handled every buffer the device
    // handed back (false when the worker failed).
    bool awaitWorkerSettled();
    // Handling thread: a buffer handed back by a stop or reset has been handled.
    void countOff();
    void freeBuffers();
    // The device table; raises when called with queueLock_ held (the lock order below).
    IWaveInDevices& device();

    IWaveInDevices* devices_;  // not owned; the card outlives its recorders

    // Main thread only.
    TMMDeviceId deviceId_ = 0;
    // Fixed while opened (SetCallBackMode refuses a change then): the device's callback
    // carries the mode of its open, so the card thread never reads this field.
    TMMCBMode callBackMode_ = cmWindow;
    int numDevs_ = 0;
    WaveInCaps caps_;
    std::string productName_;
    int numBuffers_ = 10;
    TMMTimeFormats timeFormat_ = tfByte;
    TMMMode mode_ = mMono;
    TMMBits bitLength_ = b8Bit;
    int sampleRate_ = 11025;
    std::int64_t maxRecordTime_ = -1;
    bool recordPlay_ = false;
    bool closeTimedOut_ = false;  // the device did not confirm the last close
    std::atomic<WaveInHandle> handle_{0};  // written on the main thread, read by the handling thread
    // The buffer blocks; allocated at open, freed at close. The device or the handling
    // thread owns each header in between (see WaveInDevices.h).
    std::array<std::unique_ptr<TMMBufferBlock>, MaxBuffers> ring_;

    // Shared with the handling thread.
    std::atomic<std::uint64_t> session_{0};  // one per open: stale notifications are dropped
    std::atomic<std::int64_t> byteLimit_{0};
    std::atomic<std::int64_t> recordedBytes_{0};  // written by the handling thread
    std::atomic<bool> playEnded_{false};  // written by the handling thread
    // Besides the driver's decisions, lock_ guards those on queued_ and resetting_.
    std::atomic<int> queued_{0};
    std::atomic<bool> resetting_{false};
    // Signalled when queued_ reaches 0; settleLock_ only orders the signal with the wait.
    std::mutex settleLock_;
    std::condition_variable settled_;

    // The device's notifications in order of arrival, drained by the main thread
    // (cmWindow) or the worker (cmThread).
    //
    // Lock order: lock_ (the driver's), then the card's wave-in lock, then queueLock_. The
    // stop calls the device under lock_, and the device makes its callbacks, which queue
    // here, under its own lock. So nothing here calls the device with queueLock_ held
    // (device() refuses such a call), and nothing takes lock_ with queueLock_ held.
    std::mutex queueLock_;
    std::condition_variable queueSignal_;
    std::deque<Posted> queue_;    // guarded by queueLock_
    bool drainPosted_ = false;    // guarded by queueLock_: a drain message is on its way
    bool terminate_ = false;      // guarded by queueLock_
};

// The wave-in devices of the program's sound card (none when there is no card).
class TMMWaveIn : public TMMCustomWaveIn {
public:
    explicit TMMWaveIn(std::string name = "WaveIn");
    // A wave-in over another device table (test doubles).
    TMMWaveIn(IWaveInDevices* devices, std::string name);
};
