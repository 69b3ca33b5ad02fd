#pragma once
// MP3 data made up in the tests: frame headers with a silent (all-zero) payload, whole
// streams of them, and the RIFF WAVE wrapping (format tag 0x55) the encoder writes.
#include <cstdint>
#include <string>
#include <vector>

#include "support/WaveFixtures.h"  // Bytes, WriteBytes, ReadBytes

struct FrameFormat {
    int version = 1;       // 1 MPEG 1, 2 MPEG 2, 3 MPEG 2.5
    int layer = 3;
    int bitRateIndex = 9;  // 128 kbit/s for MPEG 1 layer III
    int sampleRateIndex = 0;
    int padding = 0;
    int protection = 1;    // 1: no CRC
    int mode = 1;          // joint stereo
    int copyright = 0;
    int original = 1;
};

std::uint32_t HeaderBits(const FrameFormat& format);
// Bytes in one frame: the textbook formulas, kept apart from the code under test.
std::size_t TextbookFrameLength(const FrameFormat& format, int bitRateKbps, int sampleRate);
// count frames, each its header and a zero payload.
Bytes SilentFrames(const FrameFormat& format, int bitRateKbps, int sampleRate, int count);
// 128 kbit/s 44100 Hz MPEG 1 layer III frames with the given padding bit.
Bytes Mp3Stream(int count, int padding = 0);
// A RIFF WAVE file with format tag 0x55 whose "data" chunk holds the frames; the
// format chunk and a "LIST" chunk in front hold a lone header-like word that a search
// without confirmation would take. dataOffset receives where the frames start.
Bytes RiffWrap(const Bytes& frames, std::size_t* dataOffset = nullptr);

void Append(Bytes& to, const Bytes& more);
