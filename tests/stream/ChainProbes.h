#pragma once
// Chain components for tests: a probe that logs the chain operations it receives, a
// memory source and a memory sink.
#include "stream/MMDSPObj.h"

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

// Byte-for-byte equality of two formats over the format size.
inline bool SameFormat(const TWaveFormatEx* a, const TWaveFormatEx* b)
{
    const std::size_t size = wioSizeOfWaveFormat(a);
    return a && b && size == wioSizeOfWaveFormat(b) && std::memcmp(a, b, size) == 0;
}

// Logs "<name>.<operation>" into a shared log; publishes Input and Output by default.
class Probe : public TMMDSPComponent {
public:
    Probe(std::string name, std::vector<std::string>* log, bool publishes = true)
        : TMMDSPComponent(std::move(name)), log_(log), publishes_(publishes) {}
    ~Probe() override { Detach(); }
    bool PublishesInput() const override { return publishes_; }
    bool PublishesOutput() const override { return publishes_; }
    void AllowLinks(bool value)
    {
        SetAllowInputLink(value);
        SetAllowOutputLink(value);
    }
    void Open() override { note("Open(" + std::to_string(BufferSize()) + ")"); TMMDSPComponent::Open(); }
    void Close() override { note("Close"); TMMDSPComponent::Close(); }
    void Start() override { note("Start"); TMMDSPComponent::Start(); }
    void Stop() override { note("Stop"); TMMDSPComponent::Stop(); }
    void Pause() override { note("Pause"); }
    void Restart() override { note("Restart"); }
    void Reset() override { note("Reset"); }

private:
    void note(const std::string& what)
    {
        if (log_)
            log_->push_back(Name + "." + what);
    }
    std::vector<std::string>* log_;
    bool publishes_;
};

// A driver that only walks (no thread).
class ProbeDriver : public TMMCustomSoundComponent {
public:
    ProbeDriver(std::string name, std::vector<std::string>* log) : TMMCustomSoundComponent(std::move(name)), log_(log) {}
    ~ProbeDriver() override { Detach(); }
    bool PublishesInput() const override { return true; }
    bool PublishesOutput() const override { return true; }
    void Open() override { note("Open"); TMMCustomSoundComponent::Open(); }
    void Close() override { note("Close"); TMMCustomSoundComponent::Close(); }
    void Start() override { note("Start"); TMMCustomSoundComponent::Start(); }
    void Stop() override { note("Stop"); TMMCustomSoundComponent::Stop(); }

private:
    void note(const std::string& what) { log_->push_back(Name + "." + what); }
    std::vector<std::string>* log_;
};

// Serves `data` in buffer-sized pieces; sets MoreBuffers while bytes remain after the piece.
class MemorySource : public TMMDSPComponent {
public:
    explicit MemorySource(std::vector<std::uint8_t> data) : TMMDSPComponent("Source"), data_(std::move(data)) {}
    ~MemorySource() override { Detach(); }
    bool PublishesOutput() const override { return true; }
    void BufferLoad(TMMWaveHdr* h, bool& more) override
    {
        ++loads;  // worker thread
        const std::size_t n = std::min<std::size_t>(h->dwBufferLength, data_.size() - at_);
        if (n)
            std::memcpy(h->lpData, data_.data() + at_, n);
        at_ += n;
        h->dwBytesRecorded = static_cast<std::int32_t>(n);
        more = at_ < data_.size();
    }
    int loads = 0;

private:
    std::vector<std::uint8_t> data_;
    std::size_t at_ = 0;
};

// Collects what is pushed into it. With a gate, the push number `gateAt` waits inside
// BufferReady until Release (so a test can act while the worker is inside a buffer).
class MemorySink : public TMMDSPComponent {
public:
    MemorySink() : TMMDSPComponent("Sink") {}
    ~MemorySink() override { Detach(); }
    bool PublishesInput() const override { return true; }
    void BufferReady(TMMWaveHdr* h) override  // worker thread
    {
        if (throwAt && pushes + 1 == throwAt)
            throw std::runtime_error("sink failed");
        received.insert(received.end(), h->lpData, h->lpData + h->dwBytesRecorded);
        sizes.push_back(h->dwBytesRecorded);
        ++pushes;
        if (pushes == gateAt) {
            std::unique_lock lock(m_);
            inside_ = true;
            cv_.notify_all();
            cv_.wait(lock, [&] { return released_; });
        }
        TMMDSPComponent::BufferReady(h);
    }
    void WaitInside()
    {
        std::unique_lock lock(m_);
        cv_.wait(lock, [&] { return inside_; });
    }
    void Release()
    {
        std::lock_guard lock(m_);
        released_ = true;
        cv_.notify_all();
    }
    // Read by the test only after the run ended (OnStop) or inside the gate.
    std::vector<std::uint8_t> received;
    std::vector<int> sizes;
    int pushes = 0;
    int gateAt = 0;
    int throwAt = 0;

private:
    std::mutex m_;
    std::condition_variable cv_;
    bool inside_ = false;
    bool released_ = false;
};
