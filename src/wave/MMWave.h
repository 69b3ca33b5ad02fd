#pragma once
// TMMWave: one RIFF WAVE file as an object. Setting FileName parses the file (the handle
// is closed again at once); CreateWaveFile makes a new file and keeps it open for
// WriteDataBytes; OpenFile / ReadDataBytes / CloseFile stream a parsed file. CloseFile on
// a created file writes the sizes and the "fact" chunk; only then is the file complete.
//
//   TMMWave w;  w.SetFileName("in.wav");        // throws EMMWaveError when unreadable
//   w.OpenFile();  n = w.ReadDataBytes(buf, size);  w.CloseFile();
//   out.CreateWaveFile("out.wav", w.PWaveFormat());  out.WriteDataBytes(buf, n);  out.CloseFile();
//
// Parsing, creating, opening and closing run on the main thread. ReadDataBytes and
// WriteDataBytes run on the pump's worker thread between open and close (never two
// threads at once); GetPosition and DataSize may be read from the main thread meanwhile
// for progress (they are atomic mirrors).
#include "platform/Errors.h"
#include "wave/MMObj.h"
#include "wave/WaveFormat.h"
#include "wave/WaveIO.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

class EMMWaveError : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};

class TMMWave : public TMMObject {
public:
    static constexpr std::int64_t MinIOBufferSize = 8192;

    TMMWave();
    ~TMMWave() override;

    // Copies the other wave's settings and file (parsing it again); one notification.
    void Assign(const TMMWave& other);

    // Parses the named file (see the class comment). The same name with an unchanged size
    // on disk does nothing; an empty name frees the wave.
    void SetFileName(const std::string& name);
    const std::string& FileName() const { return fileName_; }
    bool FileMustExist() const { return fileMustExist_; }
    void SetFileMustExist(bool value) { fileMustExist_ = value; }
    // Files created from now on go on as RF64 past the RIFF limit instead of refusing data
    // (a recording that may run for hours); the limit itself is lowered only by tests.
    void SetGrowsToRf64(bool value, std::int64_t riffLimit = kRiffSizeLimit)
    {
        growsToRf64_ = value;
        riffLimit_ = riffLimit;
    }
    bool GrowsToRf64() const { return growsToRf64_; }
    TMMTimeFormats TimeFormat() const { return timeFormat_; }
    void SetTimeFormat(TMMTimeFormats value);
    std::int64_t IOBufferSize() const { return ioBufferSize_; }
    void SetIOBufferSize(std::int64_t value);

    // Read-only properties.
    int BitLength() const;
    TMMMode Mode() const;
    int FormatTag() const;
    std::string FormatString() const;
    std::int64_t SampleRate() const;
    std::int64_t FileSize() const;
    // Samples in the file in TimeFormat units; 0 without a record. Any thread.
    std::int64_t DataSize() const;
    // Sample bytes in the file; 0 without a record. Any thread.
    std::int64_t DataBytes() const { return dataBytes_.load(); }
    // The record's format or nullptr.
    const TWaveFormatEx* PWaveFormat() const;
    bool Opened() const { return opened_; }

    void CreateWaveFile(const std::string& name, const TWaveFormatEx* format);
    void OpenFile();
    // False when a written file could not be finished: its last bytes or its sizes did not
    // reach the disk (errno tells why).
    bool CloseFile();
    void FreeWave();
    // Position in TimeFormat units.
    void SetPosition(std::int64_t position);
    // Position in TimeFormat units, -1 without a record. Any thread.
    std::int64_t GetPosition() const;
    // Pump worker thread (or main thread for the first buffer). Bytes read, -1 when
    // nothing is left; a failed read ends the data and returns 0.
    std::int64_t ReadDataBytes(void* buffer, std::int64_t count);
    // Pump worker thread. Bytes written, -1 without a record or on a failed write.
    std::int64_t WriteDataBytes(const void* buffer, std::int64_t count);
    // Sample bytes still to be read in this run. Reader's thread.
    std::int64_t BytesLeft() const { return bytesLeft_; }
    // A read gave less than the data chunk holds: the file became shorter (another program
    // cut it) or could not be read while it was read, so the run did not get all of it.
    // Set by the reader's thread, cleared by OpenFile; read by any thread after the reads.
    bool CutShort() const { return cutShort_.load(); }
    // Why, for a message after the file's name: the system's reason, or how much of the
    // audio the file still gave. Empty when the reads were whole.
    std::string CutShortReason() const;
    std::int64_t SamplesToTimeFormat(std::int64_t samples) const;
    std::int64_t TimeFormatToSamples(std::int64_t value) const;

    void AddObserver(TMMObserver* observer) { observers_.AddObserver(observer); }
    void RemoveObserver(TMMObserver* observer) { observers_.RemoveObserver(observer); }

    // Part of the wave object's design, raised by none of its operations here.
    std::function<void(TMMWave* sender, std::int64_t curByte, std::int64_t numBytes, bool& cancel)> OnProgress;

protected:
    void Changed() override;

private:
    void takeRecord(PMMWaveIOInfo info);
    void rebuildPlayList();
    void mirror();

    PMMWaveIOInfo info_;  // main thread replaces it; the streaming thread uses it between open and close
    std::string fileName_;
    bool fileMustExist_ = true;
    bool growsToRf64_ = false;
    std::int64_t riffLimit_ = kRiffSizeLimit;
    std::int64_t ioBufferSize_ = 32768;
    TMMTimeFormats timeFormat_ = tfSample;
    // The single-region play list: first .. last sample of the record.
    std::int64_t regionStart_ = 0;
    std::int64_t regionEnd_ = 0;
    std::int64_t totalBytes_ = 0;
    std::int64_t bytesLeft_ = 0;        // streaming thread between open and close
    std::int64_t regionBytesLeft_ = 0;  // streaming thread between open and close
    bool opened_ = false;
    bool changeSuspended_ = false;
    bool changePending_ = false;
    // Mirrors for readers on other threads (progress).
    std::atomic<std::int64_t> position_{0};    // samples
    std::atomic<std::int64_t> dataSamples_{0};
    std::atomic<std::int64_t> dataBytes_{0};
    std::atomic<bool> hasRecord_{false};
    // What the reads met (see CutShort): written by the reader's thread, read after it.
    std::atomic<bool> cutShort_{false};
    std::atomic<int> cutShortError_{0};          // the system's error code, 0: the file ended
    std::atomic<std::int64_t> bytesRead_{0};     // of the audio, before the reads fell short
    TMMObservable observers_;
};
