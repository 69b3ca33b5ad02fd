#pragma once
// TMMWaveFile: a TMMWave inside an audio chain. Its role follows its links:
// - source (no Input): answers BufferLoad with the file's sample bytes;
//       WaveFile.Wave()->SetFileName("in.wav");  WaveFile.SetOutput(&Trigger);
// - sink (an Input): creates Wave()->FileName() with the input's format at Open and
//   appends every buffer that passes (BufferReady, or BufferLoad when pulled through);
//   Close finishes the file. A full disk (less than IOBufferSize + buffer + 10240 bytes
//   free) or a failed write closes the component mid-run; the file stays valid.
//       Sink.Wave()->SetFileMustExist(false);  Sink.Wave()->SetFileName("out.wav");
//       Trigger.SetOutput(&Sink);
// Open / Close / Start / Stop run on the main thread; BufferLoad / BufferReady on the
// pump's worker (the first load of a run on the main thread). OnOpen and OnClose always
// run on the main thread (through SynchronizeEvent); OnChange, OnChanged and OnLooping on
// the thread that caused them.
#include "stream/MMDSPObj.h"
#include "wave/MMObj.h"
#include "wave/MMWave.h"

#include <atomic>
#include <memory>

class TMMCustomWaveFile : public TMMDSPComponent {
public:
    explicit TMMCustomWaveFile(std::string name = {});
    ~TMMCustomWaveFile() override;

    TMMWave* Wave() const { return wave_.get(); }
    // Copies the other wave into the owned one.
    void SetWave(const TMMWave& other) { wave_->Assign(other); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    // The component has its file open (Open found something to do).
    bool FileOpened() const { return fileOpened_; }
    // The system's error code (ENOSPC for a full disk) that closed the sink's last run
    // early; 0 when no write failed since the file was created. Any thread.
    int WriteError() const { return writeError_; }

    void SetWaveFormat(const TWaveFormatEx* format) override;
    void Open() override;
    void Close() override;
    void Start() override;
    void Stop() override;
    void BufferReady(TMMWaveHdr* lpWaveHdr) override;
    void BufferLoad(TMMWaveHdr* lpWaveHdr, bool& moreBuffers) override;

    TNotifyEvent OnOpen, OnClose;  // main thread
    TNotifyEvent OnChange, OnChanged;
    TNotifyEvent OnLooping;        // worker thread

private:
    void waveChanged();
    // Appends a buffer in the sink role; closes the component when the disk is full or the
    // write fails. Worker thread.
    void append(const TMMWaveHdr* lpWaveHdr);

    // Made at construction, never replaced. The wave is used by the main thread while the
    // chain is stopped and by the driver's thread between Start and Stop; the driver never
    // lets the two overlap, so it needs no lock.
    std::unique_ptr<TMMWave> wave_;
    TMMObserver observer_;  // main thread only

    // Main thread only.
    std::int64_t openPosition_ = 0;

    // Written by the main thread (format, Open / Close, Start / Stop, SetEnabled), read by
    // the driver's thread on every buffer: atomics, no lock. The driver's thread also
    // clears fileOpened_ / fileStarted_ when a failed write closes the component.
    std::atomic<std::uint8_t> silence_{0};
    std::atomic<bool> fileOpened_{false};
    std::atomic<bool> fileStarted_{false};
    std::atomic<bool> enabled_{true};
    // Set by the driver's thread when a write fails (before it closes the component),
    // cleared by Open on the main thread.
    std::atomic<int> writeError_{0};
};

class TMMWaveFile : public TMMCustomWaveFile {
public:
    explicit TMMWaveFile(std::string name = "WaveFile") : TMMCustomWaveFile(std::move(name)) {}
    bool PublishesInput() const override { return true; }
    bool PublishesOutput() const override { return true; }
};
