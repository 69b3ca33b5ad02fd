#pragma once
// Generated tones and outside readers for checking what the program writes: libmpg123
// decodes MP3 files as a player would, and the frame headers are read by hand.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr long kMp3FrameSamples = 1152;
// LAME's encoder delay plus the synthesis delay of an MPEG-1 Layer III decoder.
constexpr long kMp3CodecDelay = 576 + 529;

// Interleaved 16-bit tones, half full scale, one frequency per channel.
std::vector<std::int16_t> Tone(unsigned rate, const std::vector<double>& freqs, long frames);

// Interleaved tones as doubles, full scale 1.0: channel c carries freqs[c] at `amplitude`
// (a frequency of 0 gives silence).
std::vector<double> ToneDoubles(unsigned rate, const std::vector<double>& freqs, long frames, double amplitude);

// A tone found in one channel of interleaved samples by a least-squares fit of a sine, a
// cosine and an offset at the known frequency over [from, from + count): its amplitude and
// what is left when the tone is taken out (a perfect notch), so distortion plus noise.
struct ToneFit {
    double amplitude = 0;
    double residualRms = 0;
    // THD+N in dB relative to the tone (negative: below it).
    double ThdNoiseDb() const;
};
ToneFit FitTone(const std::vector<std::int16_t>& pcm, int channels, int ch, double rate, double freq, long from,
                long count);

// Power spectrum of `count` samples of one channel (a power of two) under a 4-term
// Blackman-Harris window: the level in dB of the strongest bin above `aboveHz`, relative
// to the strongest bin of all.
double StrongestAboveDb(const std::vector<std::int16_t>& pcm, int channels, int ch, double rate, long from, long count,
                        double aboveHz);

// One MPEG-1 Layer III frame header.
struct Mp3Header {
    unsigned kbps, rate, mode;
    bool crc, padding, priv, copyright, original;
    unsigned emphasis;
    std::size_t length;
};
std::optional<Mp3Header> ParseMp3Header(const std::uint8_t* h, std::size_t available);

// Every frame header of a run of whole frames; records a test failure where the bytes are
// not one.
std::vector<Mp3Header> Mp3Frames(const std::vector<std::uint8_t>& bytes);

struct DecodedMp3 {
    long rate = 0;
    int channels = 0;
    std::vector<std::int16_t> pcm;  // interleaved
    long Frames() const { return channels ? static_cast<long>(pcm.size()) / channels : 0; }
};

// Decodes a whole MP3 file with libmpg123, every frame in full (no gapless trimming), or
// with gapless: trimmed by the encoder delay and padding of a LAME header, as players do.
// Records a test failure when it cannot.
DecodedMp3 DecodeMp3File(const std::string& path, bool gapless = false);

// Outside command-line tools (ffmpeg, ffprobe, lame, python3 with mutagen).
// True when `name` is on the PATH.
bool HaveTool(const std::string& name);
// The standard output of a shell command; nothing when it could not run or failed.
std::optional<std::string> ToolOutput(const std::string& command);
// A path quoted for the shell.
std::string ShellQuoted(const std::string& path);

// The AccurateRip v1 and v2 checksums of a 16-bit stereo wave file holding track `track` of
// a disc of `tracks` audio tracks, by whipper's accuraterip-checksum; nothing when it
// could not run.
struct AccurateRipReference {
    std::uint32_t v1 = 0, v2 = 0;
};
std::optional<AccurateRipReference> WhipperAccurateRip(const std::string& wave, int track, int tracks);
// The CRC32 of bytes by zlib.
std::uint32_t ZlibCrc32(const std::vector<std::uint8_t>& bytes);

// Signal-to-noise in dB of decoded channel ch against the input shifted by delay samples,
// leaving out the first and last MP3 frame.
double AlignedSnr(const std::vector<std::int16_t>& in, const DecodedMp3& out, int channels, int ch, long frames,
                  long delay);

// The delay within [from, to] at which channel ch of the decoded signal best matches the input.
long BestDelay(const std::vector<std::int16_t>& in, const DecodedMp3& out, int channels, int ch, long frames,
               long from, long to);
