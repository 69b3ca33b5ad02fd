#pragma once
// How the sample bytes of a wave format are laid out, for the formats the program can turn
// into the encoder's input: PCM of 8 (unsigned), 16, 24 or 32 bits, IEEE float of 32 or 64
// bits, either as a plain format tag or as WAVE_FORMAT_EXTENSIBLE with the PCM or float
// sub-format, with 1 to 8 channels. Anything else gets a text that says what the file holds.
//
//   std::string why;
//   if (auto layout = ReadSampleLayout(wave.PWaveFormat(), &why)) ...; else throw EMMWaveError(why);
//
// Threads: stateless, any thread.
#include "wave/WaveFormat.h"

#include <cstdint>
#include <optional>
#include <string>

constexpr std::uint16_t WAVE_FORMAT_IEEE_FLOAT = 0x0003;
constexpr std::uint16_t WAVE_FORMAT_EXTENSIBLE = 0xFFFE;

// Speaker positions of the channel mask, in the order their channels appear in a frame.
constexpr std::uint32_t SPEAKER_FRONT_LEFT = 0x1;
constexpr std::uint32_t SPEAKER_FRONT_RIGHT = 0x2;
constexpr std::uint32_t SPEAKER_FRONT_CENTER = 0x4;
constexpr std::uint32_t SPEAKER_LOW_FREQUENCY = 0x8;
constexpr std::uint32_t SPEAKER_BACK_LEFT = 0x10;
constexpr std::uint32_t SPEAKER_BACK_RIGHT = 0x20;
constexpr std::uint32_t SPEAKER_FRONT_LEFT_OF_CENTER = 0x40;
constexpr std::uint32_t SPEAKER_FRONT_RIGHT_OF_CENTER = 0x80;
constexpr std::uint32_t SPEAKER_BACK_CENTER = 0x100;
constexpr std::uint32_t SPEAKER_SIDE_LEFT = 0x200;
constexpr std::uint32_t SPEAKER_SIDE_RIGHT = 0x400;

constexpr int kMaxSourceChannels = 8;

enum class TSampleEncoding { Unsigned8, Signed16, Signed24, Signed32, Float32, Float64 };

struct TSampleLayout {
    TSampleEncoding encoding = TSampleEncoding::Signed16;
    int channels = 0;
    // The speakers of the channels, in mask-bit order; for more than two channels without
    // a usable mask, the usual layout for that count (5.1 for six channels, ...).
    std::uint32_t channelMask = 0;
    std::uint32_t rate = 0;
    int frameBytes = 0;  // channels x container bytes

    int BitsPerSample() const;
    bool IsFloat() const { return encoding == TSampleEncoding::Float32 || encoding == TSampleEncoding::Float64; }
};

// The layout of a format the conversion can read, or nothing with `why` set to the
// "Unsupported wave format: ..." text naming what the format holds.
std::optional<TSampleLayout> ReadSampleLayout(const TWaveFormatEx* format, std::string* why);

// The usual speaker mask for a channel count without one (3..8 channels).
std::uint32_t DefaultChannelMask(int channels);
