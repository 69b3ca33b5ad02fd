// The clip light's rule: a run of samples at full scale lights a channel, across buffers;
// single full-scale peaks and a level just below full scale never do.
#include "mixer/PeakLevels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {
std::vector<std::uint8_t> Bytes(const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> b(samples.size() * 2);
    std::memcpy(b.data(), samples.data(), b.size());
    return b;
}

void Scan(ClipWatch& w, const std::vector<std::int16_t>& stereo)
{
    const auto b = Bytes(stereo);
    w.Scan(b.data(), std::int64_t(b.size()), 2);
}
}  // namespace

TEST(ClipWatch, ARunAtFullScaleLatchesItsChannelAcrossBuffersAndOnlyResetPutsItOut)
{
    ClipWatch w;
    // Left: two full-scale samples end one buffer, one more begins the next.
    Scan(w, {0, 0, 32767, 0, -32768, 0});
    EXPECT_FALSE(w.Any());
    Scan(w, {32767, 0, 100, 0});
    EXPECT_TRUE(w.clipped[0]);
    EXPECT_FALSE(w.clipped[1]);
    Scan(w, std::vector<std::int16_t>(1000, 0));
    EXPECT_TRUE(w.Any()) << "latched until reset";
    w.Reset();
    EXPECT_FALSE(w.Any());
}

TEST(ClipWatch, PeaksJustBelowFullScaleOrSingleFullScaleSamplesDoNotLightIt)
{
    ClipWatch w;
    // -0.5 dBFS held for a long run, in both channels.
    Scan(w, std::vector<std::int16_t>(4000, 30934));
    Scan(w, std::vector<std::int16_t>(4000, -30934));
    // Full scale, but never kClipRunSamples in a row in one channel.
    std::vector<std::int16_t> peaks;
    for (int i = 0; i < 100; ++i)
        peaks.insert(peaks.end(), {32767, 32767, 32767, -32768, 0, 0});
    Scan(w, peaks);
    EXPECT_FALSE(w.Any());
    // Mono: the one channel lights both lights.
    const auto mono = Bytes({-32768, -32768, -32768});
    w.Scan(mono.data(), std::int64_t(mono.size()), 1);
    EXPECT_TRUE(w.clipped[0] && w.clipped[1]);
}
