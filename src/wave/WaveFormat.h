#pragma once
// The wave format record and the small stateless functions every audio part shares:
// size and copy of a format, building and checking PCM formats, conversions between
// bytes, samples (frames) and milliseconds, tag names and a one-line description.
// Formats travel by pointer; nullptr means "no format". A component keeps its own
// heap copy in a WaveFormatPtr made by wioCopyWaveFormat.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// The on-disk / in-memory layout: little-endian, packed, 18 bytes, extra bytes follow.
#pragma pack(push, 1)
struct TWaveFormatEx {
    std::uint16_t wFormatTag;
    std::uint16_t nChannels;
    std::uint32_t nSamplesPerSec;
    std::uint32_t nAvgBytesPerSec;
    std::uint16_t nBlockAlign;
    std::uint16_t wBitsPerSample;
    std::uint16_t cbSize;
};
#pragma pack(pop)
static_assert(sizeof(TWaveFormatEx) == 18);

constexpr std::uint16_t WAVE_FORMAT_PCM = 1;

// Channel layout as the wave object reports it.
enum TMMMode { mMono = 0, mStereo = 1 };

// Units of positions and lengths: milliseconds, bytes or samples (sample frames).
enum TMMTimeFormats { tfMillisecond = 0, tfByte = 1, tfSample = 2 };

// Frees a format made by wioCopyWaveFormat / wioAllocWaveFormat.
struct WaveFormatDeleter {
    void operator()(TWaveFormatEx* p) const noexcept;
};
using WaveFormatPtr = std::unique_ptr<TWaveFormatEx, WaveFormatDeleter>;

// A zero-filled format record of `size` bytes (at least 18).
WaveFormatPtr wioAllocWaveFormat(std::size_t size);

// (a * b) / c with a 128-bit product, rounded half away from zero for positive values
// (q + 2r / c). A zero divisor gives 0 instead of a fault.
std::int64_t MulDivRound(std::int64_t a, std::int64_t b, std::int64_t c);

// 0 for no format, 18 for PCM (whatever its extra size says), 18 + extra size otherwise.
std::size_t wioSizeOfWaveFormat(const TWaveFormatEx* format);
// A copy of wioSizeOfWaveFormat bytes; a PCM copy gets extra size 0. No format, no copy.
WaveFormatPtr wioCopyWaveFormat(const TWaveFormatEx* format);

// Fills `format` as PCM with the given bits, channels and rate.
void pcmBuildWaveHeader(TWaveFormatEx* format, int bits, int channels, std::uint32_t rate);
// The same, as a value.
TWaveFormatEx pcmWaveFormat(int bits, int channels, std::uint32_t rate);
// PCM, 8 or 16 bits, 1 or 2 channels, 4000..100000 Hz.
bool pcmIsValidFormat(const TWaveFormatEx* format);
// True when the rate, byte rate and block alignment are all nonzero, so that every
// conversion below is meaningful.
bool wioIsUsableFormat(const TWaveFormatEx* format);

// Conversions. Each returns 0 for a missing format or one whose divisor field is 0.
std::int64_t wioBytesToSamples(const TWaveFormatEx* format, std::int64_t bytes);
std::int64_t wioBytesToTime(const TWaveFormatEx* format, std::int64_t bytes);
std::int64_t wioSamplesToBytes(const TWaveFormatEx* format, std::int64_t samples);
std::int64_t wioSamplesToTime(const TWaveFormatEx* format, std::int64_t samples);
std::int64_t wioTimeToSamples(const TWaveFormatEx* format, std::int64_t ms);
// One of the conversion set the format utilities are designed with; nothing calls it yet.
std::int64_t wioTimeToBytes(const TWaveFormatEx* format, std::int64_t ms);

// The tag's name from the built-in table; "Unknown" for no format or an unlisted tag.
std::string wioGetFormatTagName(std::uint16_t tag);
std::string wioGetFormatName(const TWaveFormatEx* format);
// "44.100 kHz, 16 Bit, Stereo" (separators from the C locale); "Unknown" for no format.
// The format utilities' display text by design; nothing shows it yet.
std::string wioGetFormatDescription(const TWaveFormatEx* format);
