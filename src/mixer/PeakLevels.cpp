#include "mixer/PeakLevels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

void ScanPeaks(const std::uint8_t* data, std::int64_t bytes, int channels, std::int16_t& peak1, std::int16_t& peak2)
{
    if (!data || bytes <= 0 || channels < 1)
        return;
    const std::int64_t frameBytes = 2 * static_cast<std::int64_t>(channels);
    const std::int64_t frames = bytes / frameBytes;
    const auto magnitude = [](const std::uint8_t* at) {
        std::int16_t s;
        std::memcpy(&s, at, sizeof s);
        return static_cast<std::int16_t>(std::min(std::abs(static_cast<int>(s)), 32767));
    };
    std::int16_t p1 = peak1;
    std::int16_t p2 = peak2;
    for (std::int64_t f = 0; f < frames; ++f) {
        const std::uint8_t* frame = data + f * frameBytes;
        const std::int16_t first = magnitude(frame);
        const std::int16_t second = channels > 1 ? magnitude(frame + 2) : first;
        p1 = std::max(p1, first);
        p2 = std::max(p2, second);
    }
    peak1 = p1;
    peak2 = p2;
}

int MeterLevel(int peak)
{
    const long double p = std::max(peak, 2);
    // nearbyint rounds in the current mode, which is to nearest with ties to even.
    return static_cast<int>(std::nearbyintl(std::log2l(p) * 100.0L * 0.0625L));
}

void ClipWatch::Scan(const std::uint8_t* data, std::int64_t bytes, int channels)
{
    if (!data || bytes <= 0 || channels < 1)
        return;
    const std::int64_t frameBytes = 2 * static_cast<std::int64_t>(channels);
    const std::int64_t frames = bytes / frameBytes;
    for (std::int64_t f = 0; f < frames; ++f) {
        for (int c = 0; c < std::min(channels, 2); ++c) {
            std::int16_t s;
            std::memcpy(&s, data + f * frameBytes + 2 * c, sizeof s);
            run[c] = (s == 32767 || s == -32768) ? run[c] + 1 : 0;
            if (run[c] >= kClipRunSamples)
                clipped[c] = true;
        }
    }
    if (channels == 1)
        clipped[1] = clipped[0];
}
