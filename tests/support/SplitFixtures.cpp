#include "support/SplitFixtures.h"

#include <cmath>
#include <numbers>
#include <random>

namespace {
constexpr int kRate = 44100;
}

std::vector<std::int16_t> ThreeTonesSide()
{
    struct Part {
        double from, to, freq;
    };
    const Part tones[] = {{0, 20, 440}, {23, 53, 660}, {56, 77, 880}};
    const long frames = 77L * kRate;
    std::vector<double> x(static_cast<std::size_t>(frames), 0.0);
    for (const Part& p : tones)
        for (long i = long(p.from * kRate); i < long(p.to * kRate); ++i) {
            const double t = double(i) / kRate;
            const double level = (t >= 38 && t < 38.8) ? std::pow(10, -70 / 20.0) : 0.5;
            x[std::size_t(i)] = level * std::sin(2 * std::numbers::pi * p.freq * t);
        }
    // Pink noise by Paul Kellet's filter over white noise, scaled to -62 dBFS RMS.
    std::mt19937 random(7);
    std::normal_distribution<double> white(0, 1);
    std::vector<double> pink(x.size());
    double b0 = 0, b1 = 0, b2 = 0, power = 0;
    for (double& p : pink) {
        const double w = white(random);
        b0 = 0.99765 * b0 + w * 0.0990460;
        b1 = 0.96300 * b1 + w * 0.2965164;
        b2 = 0.57000 * b2 + w * 1.0526913;
        p = b0 + b1 + b2 + w * 0.1848;
        power += p * p;
    }
    const double gain = std::pow(10, -62 / 20.0) / std::sqrt(power / double(pink.size()));
    std::vector<std::int16_t> pcm(x.size() * 2);
    for (std::size_t i = 0; i < x.size(); ++i)
        pcm[2 * i] = pcm[2 * i + 1] = static_cast<std::int16_t>(std::lround((x[i] + gain * pink[i]) * 32767));
    return pcm;
}
