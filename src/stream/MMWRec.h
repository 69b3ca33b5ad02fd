#pragma once
// TMMWaveRecorder: records a wave-in device into a wave file. It owns a wave-in (TMMWaveIn)
// and a wave file (TMMWaveFile) chained wave-in -> wave file -> recorder.
//
//   TMMWaveRecorder rec;                      // the sound card's device 0
//   rec.SetMode(mStereo); rec.SetBitLength(b16Bit); rec.SetSampleRate(44100);
//   rec.Wave()->SetFileName(TemporaryWavePath());
//   rec.OnData = [](TMMDSPComponent*, TMMWaveHdr* h) { ... };  // each filled buffer
//   rec.StartRecording();                     // nothing without a file name
//   rec.StopRecording();                      // stops and closes: the file is finished
//
// A new recording creates its file anew; past the RIFF limit it goes on as RF64. A full disk or a failed write closes the wave
// file, which stops and closes the wave-in, so the file that is left is always valid.
//
// Threads: everything runs on the main thread, except OnData, which runs where the
// wave-in handles its buffers (the main thread in cmWindow).
#include "stream/MMWavIn.h"
#include "stream/MMWaveFile.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class TMMWaveRecorder : public TMMDSPComponent {
public:
    // Records the program's sound card.
    explicit TMMWaveRecorder(std::string name = "MMWaveRecorder");
    // Records another wave-in device table (test doubles).
    TMMWaveRecorder(IWaveInDevices* devices, std::string name);
    ~TMMWaveRecorder() override;

    bool PublishesOutput() const override { return true; }

    // Starts the wave-in (opening it and creating the file) unless it runs already or no
    // file is named.
    void StartRecording();
    // Stops the wave-in, then closes it (the wave file finishes the recording file).
    void StopRecording();
    bool IsOpened() const { return waveIn_->IsOpened(); }
    bool IsStarted() const { return waveIn_->IsStarted(); }
    bool IsPaused() const { return waveIn_->IsPaused(); }

    // The system's error code that kept the last recording's file from being written to
    // its end (ENOSPC: the disk is full); 0 when it was.
    int WriteError() const { return waveFile_->WriteError(); }
    // The recording file; SetWave copies another wave's settings into it.
    TMMWave* Wave() const { return waveFile_->Wave(); }
    void SetWave(const TMMWave& wave) { waveFile_->SetWave(wave); }

    // The wave-in's properties.
    TMMWaveIn& WaveIn() { return *waveIn_; }
    void SetBufferSize(int size) override;
    void SetNumBuffers(int count) { waveIn_->SetNumBuffers(count); }
    void SetDeviceID(TMMDeviceId id) { waveIn_->SetDeviceID(id); }
    void SetCallBackMode(TMMCBMode mode) { waveIn_->SetCallBackMode(mode); }
    void SetMaxRecordTime(std::int64_t value) { waveIn_->SetMaxRecordTime(value); }
    void SetMode(TMMMode mode) { waveIn_->SetMode(mode); }
    void SetBitLength(TMMBits bits) { waveIn_->SetBitLength(bits); }
    void SetSampleRate(int rate) { waveIn_->SetSampleRate(rate); }
    const std::string& ProductName() const { return waveIn_->ProductName(); }
    // The unit of MaxRecordTime and of the wave's positions.
    void SetTimeFormat(TMMTimeFormats format);
    // "Unknown", or the format's tag name and description.
    std::string InputFormat() const;
    // The input format is read-only: an information box says so.
    void SetInputFormat(const std::string& value);

    void SetWaveFormat(const TWaveFormatEx* format) override;

    // The wave-in's format as a form stores it (the binary property "WaveFormatEx"): the
    // format record, 18 bytes for PCM; empty when the wave-in has no format.
    std::vector<std::uint8_t> WriteWaveFormatEx() const;
    // Reads such a record back into the wave-in's format. A record shorter than 18 bytes,
    // or shorter than the extra size it declares, is no format and changes nothing.
    void ReadWaveFormatEx(std::span<const std::uint8_t> record);

    TNotifyEvent OnStart;    // the wave-in has opened, before data flows
    TNotifyEvent OnStop;     // the wave-in has stopped and closed
    TNotifyEvent OnPause, OnRestart;
    TNotifyEvent OnChange;   // the wave changed (after the recording was stopped and closed)
    TMMBufferEvent OnData;   // each filled buffer, before the wave file takes it

private:
    void wire();
    static void fire(const TNotifyEvent& event, TMMDSPComponent* sender)
    {
        if (event)
            event(sender);
    }

    bool waveChanging_ = false;  // main thread
    std::unique_ptr<TMMWaveIn> waveIn_;
    std::unique_ptr<TMMWaveFile> waveFile_;
};
