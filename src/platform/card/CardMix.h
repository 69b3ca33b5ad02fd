#pragma once
// Sums source lines into one destination of the sound card: each line scaled by its
// stereo volume and the destination's master volume (0..65535 linear, 65535 unity),
// saturated to 16 bits.
//
//   std::vector<MixInput> inputs{{micSamples, {65535, 32768}}};
//   MixLines(inputs, {65535, 65535}, out);
//
// Threads: pure function, called on the card thread.
#include <array>
#include <cstdint>
#include <span>

struct MixInput {
    std::span<const std::int16_t> samples;  // interleaved stereo, at least out.size()
    std::array<std::uint32_t, 2> volume;
};

void MixLines(std::span<const MixInput> inputs, std::array<std::uint32_t, 2> master, std::span<std::int16_t> out);
