#include "mpeg/MPEGHeader.h"

namespace {
constexpr std::int32_t kBitRates[5][16] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},  // MPEG 1 layer I
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},     // MPEG 1 layer II
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},      // MPEG 1 layer III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},     // MPEG 2/2.5 layer I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},          // MPEG 2/2.5 layers II, III
};

constexpr std::int32_t kSampleRates[4][4] = {
    {0, 0, 0, 0},
    {44100, 48000, 32000, 0},  // MPEG 1
    {22050, 24000, 16000, 0},  // MPEG 2
    {11025, 12000, 8000, 0},   // MPEG 2.5
};

// Version code by the header's bits 19-20.
constexpr std::uint8_t kVersionByBits[4] = {3, 0, 2, 1};

unsigned Bits(std::uint32_t value, unsigned low, unsigned count)
{
    return (value >> low) & ((1u << count) - 1u);
}
}  // namespace

std::int32_t BitRateOf(std::uint8_t version, std::uint8_t layer, unsigned index)
{
    if (version == 0 || version > 3 || layer == 0 || layer > 3 || index > 15)
        return 0;
    if (version == 1)
        return kBitRates[layer - 1][index];
    return kBitRates[layer == 1 ? 3 : 4][index];
}

std::int32_t SampleRateOf(std::uint8_t version, unsigned index)
{
    if (version > 3 || index > 3)
        return 0;
    return kSampleRates[version][index];
}

std::uint16_t FrameLengthOf(std::uint8_t version, std::uint8_t layer, std::int32_t bitRate,
                            std::int32_t sampleRate, std::uint8_t padding)
{
    if (sampleRate <= 0 || bitRate <= 0)
        return 0;
    const std::int64_t bitsPerSecond = std::int64_t{bitRate} * 1000;
    // Layer I counts 4-byte slots of 384 samples; MPEG 2 and 2.5 layer III frames hold 576
    // samples, the others 1152.
    if (layer == 1)
        return static_cast<std::uint16_t>((12 * bitsPerSecond / sampleRate + padding) * 4);
    const int bytesPerKSample = (layer == 3 && version != 1) ? 72 : 144;
    return static_cast<std::uint16_t>(bytesPerKSample * bitsPerSecond / sampleRate + padding);
}

MPEGFrameHeader ParseFrameHeader(std::uint32_t bits)
{
    MPEGFrameHeader h;
    if (bits < 0xFFE00000u)
        return h;
    h.version = kVersionByBits[Bits(bits, 19, 2)];
    if (h.version == 0)
        return h;
    const unsigned layerBits = Bits(bits, 17, 2);
    h.layer = layerBits == 0 ? 0 : static_cast<std::uint8_t>(4 - layerBits);
    h.sampleRate = SampleRateOf(h.version, Bits(bits, 10, 2));
    h.protection = static_cast<std::uint8_t>(Bits(bits, 16, 1));
    h.copyright = static_cast<std::uint8_t>(Bits(bits, 3, 1));
    h.original = static_cast<std::uint8_t>(Bits(bits, 2, 1));
    h.mode = static_cast<std::uint8_t>(Bits(bits, 6, 2));
    h.padding = static_cast<std::uint8_t>(Bits(bits, 9, 1));
    h.bitRate = BitRateOf(h.version, h.layer, Bits(bits, 12, 4));
    h.frameLength = FrameLengthOf(h.version, h.layer, h.bitRate, h.sampleRate, h.padding);
    return h;
}
