#pragma once
// One MPEG audio frame header: the 32 bits at the start of every frame, read big-endian.
#include <cstdint>

struct MPEGFrameHeader {
    std::uint8_t version = 0;     // 0 reserved, 1 MPEG 1, 2 MPEG 2, 3 MPEG 2.5
    std::uint8_t layer = 0;       // 0 reserved, 1, 2 or 3
    std::int32_t sampleRate = 0;  // Hz, 0 for the reserved index
    std::int32_t bitRate = 0;     // kbit/s, 0 for "free" and the bad index
    std::uint8_t mode = 0;        // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
    std::uint8_t copyright = 0;
    std::uint8_t original = 0;
    std::uint8_t protection = 0;  // 1: no CRC follows the header, 0: a CRC follows
    std::uint8_t padding = 0;
    std::uint16_t frameLength = 0;  // bytes, header included

    // True when version and layer are known and bit rate and sample rate are not 0: the
    // only headers whose frame length is known, so the only ones the search accepts.
    bool Usable() const { return version != 0 && layer != 0 && bitRate > 0 && sampleRate > 0; }
};

// Decodes the 32 header bits. Fields that the bits do not give stay 0; a value without
// the 11 sync bits gives an all-zero header.
MPEGFrameHeader ParseFrameHeader(std::uint32_t bits);

// Bit rate in kbit/s for a version code, layer and the header's 4-bit index; 0 when the
// index is 0 (free format) or 15, or version or layer is reserved.
std::int32_t BitRateOf(std::uint8_t version, std::uint8_t layer, unsigned index);

// Sample rate in Hz for a version code and the header's 2-bit index; 0 when reserved.
std::int32_t SampleRateOf(std::uint8_t version, unsigned index);

// Bytes in one frame, header included, for the layer and version.
std::uint16_t FrameLengthOf(std::uint8_t version, std::uint8_t layer, std::int32_t bitRate,
                            std::int32_t sampleRate, std::uint8_t padding);
