#pragma once
// Loudness of 16-bit PCM by EBU R 128 (libebur128), for ReplayGain 2.0: the gain that
// brings the integrated loudness to -18 LUFS, and the sample peak. One meter per track;
// the album's loudness is measured over the meters of all its tracks.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

class LoudnessMeter {
public:
    // Throws std::runtime_error when libebur128 refuses the format.
    LoudnessMeter(unsigned channels, unsigned sampleRate);
    ~LoudnessMeter();
    LoudnessMeter(const LoudnessMeter&) = delete;
    LoudnessMeter& operator=(const LoudnessMeter&) = delete;

    // Adds interleaved samples (a whole number of sample frames). Any one thread at a time.
    void Add(const std::int16_t* samples, std::size_t frames);

    // Integrated loudness in LUFS; nothing for silence or no audio.
    std::optional<double> IntegratedLufs() const;
    // The largest sample magnitude over all channels, 1.0 = full scale.
    double SamplePeak() const;

    // The loudness of all meters' audio together (the album), as IntegratedLufs.
    static std::optional<double> AlbumLufs(std::span<const LoudnessMeter* const> meters);

private:
    struct State;  // owns libebur128's state
    std::unique_ptr<State> state_;
    unsigned channels_;
};

// ReplayGain 2.0's reference loudness.
constexpr double kReplayGainReferenceLufs = -18.0;

// "-6.48 dB": the gain for a loudness, two decimals.
std::string ReplayGainText(double lufs);
// "0.988553": a peak, six decimals.
std::string ReplayPeakText(double peak);
