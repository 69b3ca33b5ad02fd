#pragma once
// The audio component chain. Components are linked Input -> Output; a driver
// (TMMCustomSoundComponent: the pump, the wave-in device) moves buffers along the chain
// from its own thread and spreads Open / Start / Stop / Close over the plain components
// around it. The encoding chain of the program is
//
//   WaveFile.SetOutput(&Trigger);  Trigger.SetOutput(&MP3Encoder);   // links both ways
//   Trigger.Start();     // opens and starts WaveFile, Trigger, MP3Encoder
//   ... Trigger.OnStop fires on the main thread when the source is exhausted ...
//   Trigger.Close();     // closes the chain; sinks finish their files
//
// Buffers: one block per buffer, a 60-byte TMMWaveHdr followed by the data
// (TMMBufferBlock). Pull: the caller sets dwBufferLength to the capacity,
// dwBytesRecorded to 0 and MoreBuffers to false, then BufferLoad fills data. Push:
// BufferReady hands dwBytesRecorded valid bytes down the chain. The same header travels
// down by pointer; nothing is copied.
//
// A sink derives from TMMDSPComponent and overrides ReceiveWaveFormat / SetWaveFormat (to
// learn the format), Open / Close (prepare and finish) and BufferReady (take the bytes,
// then call the base so the buffer goes on down). A source overrides BufferLoad and sets
// its format with SetWaveFormat. A derived class publishes its Input / Output by
// overriding PublishesInput / PublishesOutput, and calls Detach() first thing in its
// destructor, so it is unlinked while its own overrides still run.
//
// Threads: linking, formats and the chain operations run on the main thread; BufferLoad
// and BufferReady (and their events) run on the driver's thread. Events are std::function
// members, fired only when assigned.
#include "wave/WaveFormat.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The buffer header: the first part mirrors the system wave header (so the same block can
// go to a wave-in device), then reserved bytes and the four loop fields. The pointer is
// 8 bytes here, so the reserved block is 4 bytes shorter and the header stays 60 bytes.
#pragma pack(push, 4)
struct TMMWaveHdr {
    std::uint8_t* lpData;            // start of the data area (block + 60)
    std::uint32_t dwBufferLength;    // capacity when a buffer is loaded
    std::int32_t dwBytesRecorded;    // valid bytes at lpData
    std::uint32_t dwUser;
    std::uint32_t dwFlags;           // WHDR_DONE, WHDR_PREPARED
    std::uint32_t dwLoops;
    std::uint32_t lpNext;
    std::uint32_t reserved;
    std::uint8_t reserved2[8];
    std::uint32_t wLoop;             // nonzero asks a source to wrap round at its end
    std::int32_t dwLoopCount;        // repetitions allowed; 0 = without end
    std::int32_t dwLoopsLeft;        // lowered by the source at each wrap when dwLoopCount > 0
    std::uint32_t dwLooped;          // set to 1 by a source that wrapped round
};
#pragma pack(pop)
static_assert(sizeof(TMMWaveHdr) == 60);
using PWaveHdr = TMMWaveHdr*;

constexpr std::uint32_t WHDR_DONE = 1;
constexpr std::uint32_t WHDR_PREPARED = 2;

// One zero-initialised block: header, then `size` data bytes. Owns its memory.
class TMMBufferBlock {
public:
    explicit TMMBufferBlock(std::size_t size);
    TMMWaveHdr* Header() { return reinterpret_cast<TMMWaveHdr*>(block_.get()); }
    std::size_t Size() const { return size_; }

private:
    std::unique_ptr<std::uint8_t[]> block_;
    std::size_t size_;
};

class TMMDSPComponent;
class TMMCustomSoundComponent;

using TNotifyEvent = std::function<void(TMMDSPComponent* sender)>;
using TMMBufferEvent = std::function<void(TMMDSPComponent* sender, TMMWaveHdr* lpWaveHdr)>;
using TMMBufferLoadEvent = std::function<void(TMMDSPComponent* sender, TMMWaveHdr* lpWaveHdr, bool& moreBuffers)>;

enum TMMLinkSide { lsInput, lsOutput };

class TMMDSPComponent {
public:
    explicit TMMDSPComponent(std::string name = {});
    virtual ~TMMDSPComponent();
    TMMDSPComponent(const TMMDSPComponent&) = delete;
    TMMDSPComponent& operator=(const TMMDSPComponent&) = delete;

    std::string Name;  // the component's name on its window

    // Links (main thread). Setting a link stops this component first and refuses a link
    // to itself, to a component that publishes no matching property, or one that closes
    // a loop.
    virtual void SetInput(TMMDSPComponent* component);
    virtual TMMDSPComponent* Input() const { return input_; }
    virtual void SetOutput(TMMDSPComponent* component);
    virtual TMMDSPComponent* Output() const { return output_; }
    virtual bool CanConnectInput(TMMDSPComponent* component);
    virtual bool CanConnectOutput(TMMDSPComponent* component);
    // Whether this class publishes the Input / Output property.
    virtual bool PublishesInput() const { return false; }
    virtual bool PublishesOutput() const { return false; }
    const std::string& InputLinkName() const { return inputLinkName_; }
    const std::string& OutputLinkName() const { return outputLinkName_; }

    // Format (main thread). Each component holds its own copy; SetWaveFormat pushes the
    // format down to Output.
    virtual void ReceiveWaveFormat(const TWaveFormatEx* format);
    virtual void SetWaveFormat(const TWaveFormatEx* format);
    virtual const TWaveFormatEx* GetWaveFormat() const { return format_.get(); }
    const TWaveFormatEx* PWaveFormat() const { return GetWaveFormat(); }
    virtual void UpdateFormat();
    // Once every component of a window exists: pushes the held format down the chain.
    virtual void Loaded() { SetWaveFormat(GetWaveFormat()); }

    // The requested buffer size; while opened GetBufferSize gives the size in use.
    virtual int GetBufferSize() const;
    virtual void SetBufferSize(int size);
    int BufferSize() const { return bufferSize_; }

    // Chain operations (main thread).
    virtual void Open();
    virtual void Close();
    virtual void Start();
    virtual void Pause() {}
    virtual void Restart() {}
    virtual void Stop();
    virtual void Reset() {}
    bool Opened() const { return opened_; }
    bool Started() const { return started_; }

    // Buffer handshake (driver's thread).
    virtual void BufferReady(TMMWaveHdr* lpWaveHdr);
    virtual void BufferLoad(TMMWaveHdr* lpWaveHdr, bool& moreBuffers);

    // Store a neighbour and the name of its property that points back; notify nobody.
    virtual void SetInputLink(TMMDSPComponent* component, std::string name);
    virtual void SetOutputLink(TMMDSPComponent* component, std::string name);
    // Called on every component before a link of `component` on `side` changes.
    virtual void LinkChanged(TMMDSPComponent* component, TMMLinkSide side, const std::string& name);

    // True for the drivers (pump, wave-in).
    virtual bool IsDriver() const { return false; }
    // A boundary ends a driver's upward walk; the chain's design has it, no component of
    // this program sets it.
    bool ChainBoundary() const { return chainBoundary_; }
    void SetChainBoundary(bool value) { chainBoundary_ = value; }

    TMMBufferEvent OnBufferReady;         // driver's thread
    TMMBufferLoadEvent OnBufferLoad;      // driver's thread
    TMMBufferEvent OnBufferLoaded;        // driver's thread

    // Every live component in order of creation (main thread only).
    static const std::vector<TMMDSPComponent*>& DSPComponentList();

protected:
    void SetAllowInputLink(bool value) { allowInputLink_ = value; }
    void SetAllowOutputLink(bool value) { allowOutputLink_ = value; }
    bool Destroying() const { return destroying_; }
    // Called by the destructor of a derived class before its own parts go, so that the
    // unlinking below still sees a whole object.
    void Detach();
    void SetOpened(bool value) { opened_ = value; }
    void SetStarted(bool value) { started_ = value; }

private:
    static void BroadcastLinkChange(TMMDSPComponent* component, TMMLinkSide side, const std::string& name);
    void RemovalNotice(TMMDSPComponent* removed);

    TMMDSPComponent* input_ = nullptr;   // neighbours, not owned
    TMMDSPComponent* output_ = nullptr;
    WaveFormatPtr format_;
    int bufferSize_ = 2048;
    int realBufferSize_ = 2048;
    // Set on the main thread, read on the driver's thread.
    std::atomic<bool> opened_{false};
    std::atomic<bool> started_{false};
    bool allowInputLink_ = false;
    bool allowOutputLink_ = false;
    std::string inputLinkName_;
    std::string outputLinkName_;
    bool chainBoundary_ = false;
    bool destroying_ = false;
    bool detached_ = false;
};

// A component that drives the chain around it. Its Open / Start / Pause / Restart / Reset
// walk up to the head of the chain (or to the next driver above) and then down to the next
// driver below; Close and Stop go to the driver below first, then over the plain
// components. The Chain* operations are the walks; derived drivers call them.
class TMMCustomSoundComponent : public TMMDSPComponent {
public:
    using TMMDSPComponent::TMMDSPComponent;

    bool IsDriver() const override { return true; }
    bool DriverUpstream() const { return driverUpstream_; }

    void Open() override { ChainOpen(); }
    void Close() override { ChainClose(); }
    void Start() override { ChainStart(); }
    void Pause() override { ChainPause(); }
    void Restart() override { ChainRestart(); }
    void Stop() override { ChainStop(); }
    void Reset() override { ChainReset(); }

protected:
    void ChainOpen();
    void ChainClose();
    void ChainStart();
    void ChainPause();
    void ChainRestart();
    void ChainStop();
    void ChainReset();

private:
    enum class Op { Open, Close, Start, Pause, Restart, Stop, Reset };
    TMMDSPComponent* walkUp(bool honourBoundary);
    TMMDSPComponent* nextDriverBelow() const;
    void walkDown(TMMDSPComponent* start, Op op, bool withBufferSize);
    static void apply(TMMDSPComponent* c, Op op);

    bool driverUpstream_ = false;
};

// A worker thread serving a driver. Created suspended (Resume starts it) and listed in
// the process-wide DSPThreadList while it lives, so SynchronizeEvent can tell a chain
// worker from other threads. The destructor joins a running thread.
class TMMDSPThread {
public:
    explicit TMMDSPThread(TMMCustomSoundComponent* owner);
    virtual ~TMMDSPThread();
    TMMDSPThread(const TMMDSPThread&) = delete;
    TMMDSPThread& operator=(const TMMDSPThread&) = delete;

    // Main thread: starts Execute on the new thread; false when the thread cannot start.
    bool Resume();
    // Main thread: waits for the thread to end (not from the thread itself).
    void Join();
    bool Running() const { return thread_.joinable(); }
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    TMMCustomSoundComponent* Owner() const { return owner_; }

    // True when the calling thread is a live chain worker.
    static bool IsDSPThread();

protected:
    // Runs on the worker thread.
    virtual void Execute() = 0;

private:
    TMMCustomSoundComponent* owner_;
    std::thread thread_;
    std::atomic<bool> terminated_{false};
};

// Runs event(sender) on the main thread, waiting for it (RunOnMainThread), when called from
// a chain worker thread; anywhere else it calls the event directly. Empty events are not
// called.
void SynchronizeEvent(const TNotifyEvent& event, TMMDSPComponent* sender);
