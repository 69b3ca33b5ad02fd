#pragma once
// The strongest frequency of a stretch of sound, from a Hann-windowed FFT.
#include <complex>
#include <cstdint>
#include <vector>

// Frequency in Hz of the highest spectral peak of channel `channel` of interleaved 16-bit
// audio, over `count` frames from frame `first` (count is rounded down to a power of two).
double StrongestFrequency(const std::vector<std::int16_t>& interleaved, int channels, int channel, unsigned rate,
                          std::size_t first, std::size_t count);

// In-place iterative radix-2 FFT; the size must be a power of two.
void Fft(std::vector<std::complex<double>>& a);
