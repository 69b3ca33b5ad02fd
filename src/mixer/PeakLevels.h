#pragma once
// The level-meter glue between the recorder and the meters: the peaks of a recorded
// buffer, and the meter level of a peak.
//
//   ScanPeaks(h->lpData, h->dwBytesRecorded, channels, state.PeakLevel1, state.PeakLevel2);
//   meter->SetProgress(MeterLevel(state.PeakLevel1));   // every 100 ms, then peaks := 0
//
// Pure functions; any thread.
#include <cstddef>
#include <cstdint>

// Raises peak1 to the largest magnitude of the first channel and peak2 of the second
// (mono: both from the one channel) over every whole frame of `bytes` 16-bit
// little-endian samples. -32768 counts as 32767, so a clipping buffer shows full scale.
void ScanPeaks(const std::uint8_t* data, std::int64_t bytes, int channels, std::int16_t& peak1, std::int16_t& peak2);

// The clip light of each channel: lit by a run of kClipRunSamples samples in a row at full
// scale (32767 or -32768; a run may span buffers), which only a clipping input or one
// driven into the converter's limit gives. A level just below full scale never lights it.
// Stays lit until Reset (the next take, or the user's click).
inline constexpr int kClipRunSamples = 3;
struct ClipWatch {
    bool clipped[2] = {false, false};
    int run[2] = {0, 0};

    void Scan(const std::uint8_t* data, std::int64_t bytes, int channels);
    void Reset() { *this = ClipWatch(); }
    bool Any() const { return clipped[0] || clipped[1]; }
};

// round(log2(peak) x 100 x 0.0625), ties to even, with peaks of 2 or less taken as 2:
// 2 gives 6, 1024 gives 62, 32767 gives 94.
int MeterLevel(int peak);
