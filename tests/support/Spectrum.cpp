#include "support/Spectrum.h"

#include <cmath>
#include <complex>
#include <numbers>

void Fft(std::vector<std::complex<double>>& a)
{
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> w = std::polar(1.0, -2 * std::numbers::pi / static_cast<double>(len));
        for (std::size_t i = 0; i < n; i += len) {
            std::complex<double> wk = 1;
            for (std::size_t k = 0; k < len / 2; ++k, wk *= w) {
                const auto u = a[i + k], v = a[i + k + len / 2] * wk;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

double StrongestFrequency(const std::vector<std::int16_t>& interleaved, int channels, int channel, unsigned rate,
                          std::size_t first, std::size_t count)
{
    std::size_t n = 1;
    while (n * 2 <= count)
        n *= 2;
    std::vector<std::complex<double>> a(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t at = (first + i) * static_cast<std::size_t>(channels) + static_cast<std::size_t>(channel);
        const double window = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n));
        a[i] = at < interleaved.size() ? interleaved[at] * window : 0.0;
    }
    Fft(a);
    std::size_t best = 1;
    for (std::size_t k = 1; k < n / 2; ++k)
        if (std::abs(a[k]) > std::abs(a[best]))
            best = k;
    return static_cast<double>(best) * rate / static_cast<double>(n);
}
