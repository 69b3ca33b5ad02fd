#pragma once
// TMMMP3Encoder: the sink at the end of an encoding chain. It takes 16-bit PCM buffers,
// hands them in whole chunks to the BladeEnc interface and writes the MP3 frames to
// FileName, either as a plain MP3 stream (ftRAW) or inside a RIFF WAVE file with the
// MPEG Layer-3 format (ftWAV).
//
//   encoder.SetFileType(ftWAV);  encoder.SetBitrate(br128);  encoder.SetFileName("out.mp3");
//   trigger.SetOutput(&encoder);  trigger.Start();   // opens: checks format, creates file
//   ... trigger.Close() flushes the last frames and finishes the file ...
//
// Open, Stop and Close run on the main thread; BufferReady runs on the pump's worker
// thread. The two never overlap: the pump stops its chain only after its worker has
// delivered the last buffer. A full disk or failed write closes the encoder at once and
// leaves a complete file of the frames written so far; WriteFailed then tells the caller.
//
// Staged (SetStaged(true)), the frames go to a hidden temporary file beside FileName()
// (OutputPath()); the owner renames it over FileName() once the file is whole, tag
// included. A staged file nobody took is removed when the encoder opens again or goes, so an
// interrupted run never leaves a file that looks finished.
#include "platform/Errors.h"
#include "stream/MMDSPObj.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class LoudnessMeter;
class SplitEncoder;
class TMMWave;

// The encoder's errors ("Unsupported Input Format", "Unable to create file", ...).
class EMP3EncoderError : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};

enum TMMChannelMode { cmStereo, cmDualChannel, cmMono, cmJointStereo };
enum TMMBitrates { br32, br40, br48, br56, br64, br80, br96, br112, br128, br160, br192, br224, br256, br320 };
enum TMMFileType { ftWAV, ftRAW };

// The bit rate in kbit/s of a table entry.
int BitrateKbps(TMMBitrates bitrate);

class TMMMP3Encoder : public TMMDSPComponent {
public:
    explicit TMMMP3Encoder(std::string name = "MP3Encoder");
    ~TMMMP3Encoder() override;

    bool PublishesInput() const override { return true; }

    TMMChannelMode ChannelMode() const { return channelMode_; }
    void SetChannelMode(TMMChannelMode mode) { channelMode_ = mode; }
    TMMBitrates Bitrate() const { return bitrate_; }
    void SetBitrate(TMMBitrates bitrate) { bitrate_ = bitrate; }
    bool Copyright() const { return copyright_; }
    void SetCopyright(bool value) { copyright_ = value; }
    bool Privat() const { return privat_; }
    void SetPrivat(bool value) { privat_ = value; }
    bool CRC() const { return crc_; }
    void SetCRC(bool value) { crc_ = value; }
    bool Original() const { return original_; }
    void SetOriginal(bool value) { original_ = value; }
    const std::string& FileName() const { return fileName_; }
    // Raises "Change to property while device was open" while opened (unless unchanged).
    void SetFileName(const std::string& name);
    TMMFileType FileType() const { return fileType_; }
    void SetFileType(TMMFileType type);
    // Main thread, while closed.
    void SetStaged(bool staged) { staged_ = staged; }
    // Where the last Open wrote the frames: FileName(), or its temporary name when staged.
    const std::string& OutputPath() const { return outputPath_; }

    // LAME's variable bit rate at quality 0 (best) .. 9 (smallest) instead of the bit rate.
    bool Vbr() const { return vbr_; }
    int VbrQuality() const { return vbrQuality_; }
    void SetVbr(bool vbr, int quality = 2);
    // ftRAW only: bytes written before the first frame (the room kept for an ID3v2 tag),
    // and a Xing/Info frame with the LAME header as the first frame, filled in when the
    // stream ends so that decoders know the exact length and the encoder's delay.
    void SetLeadingBytes(std::vector<std::uint8_t> bytes);
    void SetInfoFrame(bool write);
    // Measures the input's loudness while encoding (ReplayGain); Loudness() then holds the
    // meter of the last run, null when none was measured. Read it after the run.
    void SetMeasureLoudness(bool measure);
    std::shared_ptr<const LoudnessMeter> Loudness() const { return loudness_; }
    // Up to `jobs` encoders at once on an input longer than two minutes: `source` is the
    // 16-bit PCM wave file the chain reads, which the encoders of the later parts read
    // themselves (see SplitEncoder.h). The frames of the parts are joined into one stream
    // when the input has ended; a run stopped early keeps the first part's frames so far.
    // jobs 1 or an empty source: one encoder. Main thread, while closed.
    void SetJobs(int jobs, std::string source);
    // Main thread: the share of the input encoded, 0..100, while a split run is open;
    // empty otherwise.
    std::optional<int> SplitPercent() const;

    // The system's error code when the Info frame could not be written back (the file then
    // plays, without exact length); 0 when it was written or not asked for. Cleared by Open.
    int InfoFrameError() const { return infoFrameError_; }

    // True when the last run ended early because a write failed or the disk was full.
    // Any thread; cleared by Open.
    bool WriteFailed() const { return writeFailed_; }
    // Why the last write failed: the system's error code (ENOSPC for a full disk). Read it
    // after the run has stopped.
    int WriteError() const { return writeError_; }

    void Open() override;
    void Close() override;
    void Start() override;
    void Stop() override;
    // Pump's worker thread.
    void BufferReady(TMMWaveHdr* lpWaveHdr) override;

private:
    void CreateOutput();
    // Main thread: removes the staged file of the last run, if it is still there.
    void RemoveStagedOutput();
    void CloseOutput();
    // Pump's worker thread (and main thread from Stop): encodes `samples` samples and writes
    // the frames; false when the write failed (the run then writes nothing more, and the
    // main thread's Close ends it).
    bool EncodeAndWrite(const std::uint8_t* pcm, std::uint32_t samples);
    // Pump's worker thread: hands `bytes` bytes to the encoder in whole chunks.
    bool Consume(const std::uint8_t* data, std::uint32_t bytes);
    // Pump's worker thread (or main thread from Stop): encodes what is pending and ends
    // the stream. False when a write failed.
    bool Flush();
    // Pump's worker thread: the split run's share of a buffer.
    bool SplitBufferReady(const std::uint8_t* data, std::uint32_t bytes);
    // Pump's worker thread, once the whole input has arrived: joins the parts and writes them.
    bool FinishSplit();
    // Main thread: ends a split run that was stopped before its input ended.
    void StopSplit();
    void FeedLoudness(const std::uint8_t* pcm, std::uint32_t samples);
    // Main thread, after the stream's flush: writes the Info frame over its placeholder.
    void WriteInfoFrame();
    // Pump's worker thread, or main thread from Stop. On failure writeError_ holds why.
    bool Write(const std::uint8_t* data, std::uint32_t count);

    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    // Fields below are set on the main thread while closed and used by the worker only
    // between Open and Close; the pump never lets the two overlap.
    std::unique_ptr<TMMWave> wave_;                       // ftWAV output
    std::unique_ptr<std::FILE, FileCloser> rawFile_;      // ftRAW output
    std::string fileName_;
    std::string outputPath_;  // set by Open
    bool staged_ = false;
    TMMChannelMode channelMode_ = cmStereo;
    TMMBitrates bitrate_ = br128;
    bool copyright_ = false;
    bool privat_ = false;
    bool crc_ = false;
    bool original_ = false;
    TMMFileType fileType_ = ftRAW;
    bool vbr_ = false;
    int vbrQuality_ = 2;
    bool infoFrame_ = false;
    std::vector<std::uint8_t> leadingBytes_;
    bool measureLoudness_ = false;
    std::shared_ptr<LoudnessMeter> loudness_;  // fed by the worker between Open and Close
    int infoFrameError_ = 0;
    std::uint32_t chunkSamples_ = 0;
    std::uint32_t chunkBytes_ = 0;
    std::vector<std::uint8_t> pending_;   // accumulation buffer, chunkBytes_ long
    std::vector<std::uint8_t> output_;    // encoded bytes of one call
    std::uint32_t pendingBytes_ = 0;
    std::uint32_t stream_ = 0;            // BladeEnc stream handle, 0 when none
    int jobs_ = 1;
    std::string splitSource_;
    // A split run: made by Open, ended by Stop; the worker uses it in between.
    std::unique_ptr<SplitEncoder> split_;
    std::vector<std::uint8_t> firstPart_;  // the first part's frames, kept to be joined
    std::uint64_t splitTotal_ = 0;         // sample frames of the input
    std::uint64_t received_ = 0;           // sample frames the pump has delivered
    bool firstEnded_ = false;              // the first part's stream has ended
    bool assembled_ = false;               // the joined stream has been written
    bool splitWriting_ = false;            // Write goes to the file, not to firstPart_
    std::atomic<std::uint64_t> firstEncoded_{0};  // sample frames of the first part encoded; any thread
    std::atomic<bool> writeFailed_{false};
    std::atomic<int> writeError_{0};  // set with writeFailed_
};
