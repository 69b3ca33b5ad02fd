#include "platform/codec/Loudness.h"

#include <ebur128.h>

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

struct LoudnessMeter::State {
    explicit State(ebur128_state* state) : s(state) {}
    ~State() { ebur128_destroy(&s); }
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ebur128_state* s;
};

LoudnessMeter::LoudnessMeter(unsigned channels, unsigned sampleRate) : channels_(channels)
{
    // The histogram keeps the memory fixed however long the track runs.
    if (channels == 0 || sampleRate == 0)
        throw std::runtime_error("loudness meter: no channels or sample rate");
    ebur128_state* state =
        ebur128_init(channels, sampleRate, EBUR128_MODE_I | EBUR128_MODE_SAMPLE_PEAK | EBUR128_MODE_HISTOGRAM);
    if (!state)
        throw std::runtime_error("loudness meter: libebur128 could not start");
    state_ = std::make_unique<State>(state);
}

LoudnessMeter::~LoudnessMeter() = default;

void LoudnessMeter::Add(const std::int16_t* samples, std::size_t frames)
{
    if (frames > 0 && samples)
        ebur128_add_frames_short(state_->s, samples, frames);
}

std::optional<double> LoudnessMeter::IntegratedLufs() const
{
    double lufs = 0;
    if (ebur128_loudness_global(state_->s, &lufs) != EBUR128_SUCCESS || !std::isfinite(lufs))
        return std::nullopt;
    return lufs;
}

double LoudnessMeter::SamplePeak() const
{
    double peak = 0;
    for (unsigned c = 0; c < channels_; ++c) {
        double p = 0;
        if (ebur128_sample_peak(state_->s, c, &p) == EBUR128_SUCCESS)
            peak = std::max(peak, p);
    }
    return peak;
}

std::optional<double> LoudnessMeter::AlbumLufs(std::span<const LoudnessMeter* const> meters)
{
    std::vector<ebur128_state*> states;
    for (const LoudnessMeter* m : meters)
        if (m)
            states.push_back(m->state_->s);
    double lufs = 0;
    if (states.empty() || ebur128_loudness_global_multiple(states.data(), states.size(), &lufs) != EBUR128_SUCCESS ||
        !std::isfinite(lufs))
        return std::nullopt;
    return lufs;
}

std::string ReplayGainText(double lufs)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f dB", kReplayGainReferenceLufs - lufs);
    return text;
}

std::string ReplayPeakText(double peak)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", peak);
    return text;
}
