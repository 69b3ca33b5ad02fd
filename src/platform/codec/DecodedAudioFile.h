#pragma once
// Compressed audio files (FLAC, and Ogg Vorbis or Opus) decoded by libsndfile into 16-bit
// samples and read at any frame: the audio of album images kept as FLAC beside their cue
// sheet. Wave files are read by our own RIFF code, never here.
//
//   std::string why;
//   if (std::unique_ptr<DecodedAudioFile> f = DecodedAudioFile::Open("/music/album.flac", why))
//       f->Read(frame, 588, samples, why);   // host-order 16-bit, channels interleaved
//
// libsndfile is not built with sanitizers: only a regular file that starts as a FLAC or Ogg
// stream is handed to it.
//
// Threads: Open on any thread; a file is used by one thread at a time.
#include <cstdint>
#include <memory>
#include <string>

class DecodedAudioFile {
public:
    // True when the file's first bytes are those of a stream decoded here (a FLAC stream,
    // perhaps behind an ID3v2 tag, or an Ogg stream).
    static bool Recognised(const std::string& path);
    // Null with a sentence's reason in error (without the file's name) when the file cannot
    // be opened, is not recognised, or libsndfile cannot decode it.
    static std::unique_ptr<DecodedAudioFile> Open(const std::string& path, std::string& error);
    ~DecodedAudioFile();
    DecodedAudioFile(const DecodedAudioFile&) = delete;
    DecodedAudioFile& operator=(const DecodedAudioFile&) = delete;

    int Channels() const { return channels_; }
    int Rate() const { return rate_; }
    std::int64_t Frames() const { return frames_; }
    // Bits of a lossless file's samples (16 for CD audio); 0 for a lossy one.
    int Bits() const { return bits_; }
    // "FLAC", "Ogg Vorbis", "Opus" or "Ogg".
    const std::string& FormatName() const { return format_; }

    // Reads frames from frame `at` into samples (Channels() per frame). False with the
    // reason when the file ends early or its stream is damaged there.
    bool Read(std::int64_t at, std::int64_t frames, std::int16_t* samples, std::string& error);

private:
    struct Handle;
    explicit DecodedAudioFile(std::unique_ptr<Handle> handle);

    std::unique_ptr<Handle> handle_;
    int channels_ = 0;
    int rate_ = 0;
    int bits_ = 0;
    std::int64_t frames_ = 0;
    std::int64_t position_ = 0;  // the frame the decoder reads next
    std::string format_;
};
