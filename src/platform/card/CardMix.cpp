#include "platform/card/CardMix.h"

#include <algorithm>

void MixLines(std::span<const MixInput> inputs, std::array<std::uint32_t, 2> master, std::span<std::int16_t> out)
{
    // Gains in units of 1/(65535*65535): unity times unity is exactly one.
    constexpr std::int64_t kUnity = std::int64_t(65535) * 65535;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::size_t ch = i & 1;
        std::int64_t sum = 0;
        for (const MixInput& in : inputs)
            sum += std::int64_t(in.samples[i]) * std::int64_t(in.volume[ch]) * std::int64_t(master[ch]);
        out[i] = std::int16_t(std::clamp<std::int64_t>(sum / kUnity, -32768, 32767));
    }
}
