#include "wave/SilenceSplit.h"

#include "platform/Errors.h"
#include "wave/WaveFormat.h"
#include "wave/WaveIO.h"

#include <algorithm>
#include <cmath>

SilenceSplitter::SilenceSplitter(unsigned rate, int channels, SilenceSplitOptions options)
    : rate_(rate), channels_(std::max(channels, 1)), options_(options), windowFrames_(std::max<std::int64_t>(rate / 100, 1))
{
}

void SilenceSplitter::Feed(const std::int16_t* samples, std::int64_t frames)
{
    for (std::int64_t f = 0; f < frames; ++f) {
        for (int c = 0; c < channels_; ++c) {
            const double s = samples[f * channels_ + c];
            sum_ += s * s;
        }
        if (++inWindow_ == windowFrames_)
            closeWindow();
    }
    frames_ += frames;
}

void SilenceSplitter::closeWindow()
{
    const double rms = std::sqrt(sum_ / double(inWindow_ * channels_)) / 32768.0;
    const double db = rms > 0 ? 20 * std::log10(rms) : -200;
    silent_.push_back(db < options_.thresholdDb);
    sum_ = 0;
    inWindow_ = 0;
}

std::vector<std::int64_t> SilenceSplitter::Cuts() const
{
    const auto minGap = static_cast<std::size_t>(std::ceil(options_.minGapSeconds * 100));
    const auto minTrack = static_cast<std::int64_t>(options_.minTrackSeconds * rate_);
    std::vector<std::int64_t> gapMiddles;
    std::size_t w = 0;
    while (w < silent_.size()) {
        if (!silent_[w]) {
            ++w;
            continue;
        }
        const std::size_t start = w;
        while (w < silent_.size() && silent_[w])
            ++w;
        // Silence at the very start or end stays with its track: it is not between two.
        const bool inside = start > 0 && w < silent_.size();
        if (inside && w - start >= minGap)
            gapMiddles.push_back(std::int64_t(start + w) * windowFrames_ / 2);
    }
    std::vector<std::int64_t> cuts;
    std::int64_t last = 0;
    for (std::int64_t cut : gapMiddles) {
        if (cut - last < minTrack)
            continue;
        cuts.push_back(cut);
        last = cut;
    }
    // The last track too is at least minTrack long: its cut goes, and it joins the one before.
    if (!cuts.empty() && frames_ - cuts.back() < minTrack)
        cuts.pop_back();
    return cuts;
}

std::vector<TrackSpan> SilenceSplitter::Tracks() const
{
    std::vector<TrackSpan> tracks;
    std::int64_t first = 0;
    for (std::int64_t cut : Cuts()) {
        tracks.push_back({first, cut - first});
        first = cut;
    }
    tracks.push_back({first, frames_ - first});
    return tracks;
}

namespace {
struct OpenWave {
    PMMWaveIOInfo info;
    OpenWave() = default;
    OpenWave(OpenWave&& other) noexcept : info(std::move(other.info)) {}
    OpenWave& operator=(OpenWave&&) = delete;
    ~OpenWave() { WaveIOFree(info); }
};

OpenWave openPcm16(const std::string& file)
{
    OpenWave w;
    if (WaveIOOpen(file, &w.info) != 0 || !w.info)
        throw EMervaneError(file + ": the wave file cannot be read");
    const TWaveFormatEx* f = w.info->lpwfx.get();
    if (!f || f->wFormatTag != WAVE_FORMAT_PCM || f->wBitsPerSample != 16 || f->nChannels < 1)
        throw EMervaneError(file + ": only 16-bit PCM wave files are split at silences");
    if (WaveIOReopen(w.info.get()) != 0)
        throw EMervaneError(file + ": the wave file cannot be opened");
    return w;
}
}  // namespace

std::vector<TrackSpan> SplitWaveFileAtSilences(const std::string& file, SilenceSplitOptions options)
{
    OpenWave in = openPcm16(file);
    const TWaveFormatEx* f = in.info->lpwfx.get();
    SilenceSplitter splitter(f->nSamplesPerSec, f->nChannels, options);
    std::vector<std::int16_t> buffer(std::size_t(65536) * f->nChannels);
    for (;;) {
        const std::int64_t n = WaveIORead(in.info.get(), buffer.data(), std::int64_t(buffer.size() * 2));
        if (n < 0)
            throw EMervaneError(file + ": reading the wave file failed");
        if (n == 0)
            break;
        splitter.Feed(buffer.data(), n / (2 * f->nChannels));
    }
    return splitter.Tracks();
}

void CopyWaveSpan(const std::string& from, const TrackSpan& span, const std::string& to)
{
    OpenWave in = openPcm16(from);
    const TWaveFormatEx* f = in.info->lpwfx.get();
    OpenWave out;
    out.info = WaveIOCreateInfo(f);
    out.info->mayGrowToRf64 = true;  // a track of a take may itself be longer than 4 GiB
    if (WaveIOCreate(out.info.get(), to) != 0)
        throw EMervaneError(to + ": the wave file cannot be created");
    if (WaveIOSeek(in.info.get(), span.first) != 0)
        throw EMervaneError(from + ": seeking in the wave file failed");
    const std::int64_t frameBytes = 2 * f->nChannels;
    std::vector<std::uint8_t> buffer(std::size_t(65536) * frameBytes);
    for (std::int64_t left = span.frames * frameBytes; left > 0;) {
        const std::int64_t n = WaveIORead(in.info.get(), buffer.data(), std::min<std::int64_t>(left, buffer.size()));
        if (n <= 0)
            throw EMervaneError(from + ": the wave file ends before its track does");
        if (WaveIOWrite(out.info.get(), buffer.data(), n) != n)
            throw EMervaneError(to + ": writing the wave file failed");
        left -= n;
    }
    if (WaveIOFinish(out.info.get()) != 0)
        throw EMervaneError(to + ": finishing the wave file failed");
}

WaveSpanSamples ReadWaveSpan(const std::string& from, const TrackSpan& span, const std::atomic<bool>& stop)
{
    OpenWave in = openPcm16(from);
    const TWaveFormatEx* f = in.info->lpwfx.get();
    WaveSpanSamples read;
    read.rate = f->nSamplesPerSec;
    read.channels = f->nChannels;
    if (WaveIOSeek(in.info.get(), span.first) != 0)
        throw EMervaneError(from + ": seeking in the wave file failed");
    const std::int64_t frameBytes = 2 * f->nChannels;
    read.samples.resize(std::size_t(span.frames) * f->nChannels);
    std::int64_t done = 0;  // bytes
    const std::int64_t wanted = span.frames * frameBytes;
    constexpr std::int64_t kBlock = 65536;
    while (done < wanted && !stop) {
        const std::int64_t n =
            WaveIORead(in.info.get(), reinterpret_cast<char*>(read.samples.data()) + done, std::min(kBlock, wanted - done));
        if (n < 0)
            throw EMervaneError(from + ": reading the wave file failed");
        if (n == 0)
            break;
        done += n;
    }
    read.samples.resize(std::size_t(done / frameBytes) * f->nChannels);
    return read;
}
