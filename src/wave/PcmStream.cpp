#include "wave/PcmStream.h"

#include "platform/codec/Resampler.h"
#include "wave/PcmConvert.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace {
constexpr float kMinus3dB = 0.70710678f;
constexpr float kMinus6dB = 0.5f;

TStereoGain speakerGain(std::uint32_t speaker)
{
    switch (speaker) {
    case SPEAKER_FRONT_LEFT:
    case SPEAKER_FRONT_LEFT_OF_CENTER: return {1.0f, 0.0f};
    case SPEAKER_FRONT_RIGHT:
    case SPEAKER_FRONT_RIGHT_OF_CENTER: return {0.0f, 1.0f};
    case SPEAKER_FRONT_CENTER: return {kMinus3dB, kMinus3dB};
    case SPEAKER_LOW_FREQUENCY: return {0.0f, 0.0f};
    case SPEAKER_BACK_LEFT:
    case SPEAKER_SIDE_LEFT: return {kMinus3dB, 0.0f};
    case SPEAKER_BACK_RIGHT:
    case SPEAKER_SIDE_RIGHT: return {0.0f, kMinus3dB};
    default: return {kMinus6dB, kMinus6dB};  // back centre, the top speakers, no position
    }
}

// One sample as a float in [-1, 1): integers scaled by their full scale, floats clipped.
template <TSampleEncoding E>
inline float sampleAt(const std::uint8_t* p)
{
    if constexpr (E == TSampleEncoding::Unsigned8) {
        return static_cast<float>(static_cast<int>(p[0]) - 128) * (1.0f / 128);
    } else if constexpr (E == TSampleEncoding::Signed16) {
        const auto v = static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
        return static_cast<float>(v) * (1.0f / 32768);
    } else if constexpr (E == TSampleEncoding::Signed24) {
        const std::uint32_t u = static_cast<std::uint32_t>(p[0]) << 8 | static_cast<std::uint32_t>(p[1]) << 16 |
                                static_cast<std::uint32_t>(p[2]) << 24;
        return static_cast<float>(static_cast<std::int32_t>(u)) * (1.0f / 2147483648.0f);
    } else if constexpr (E == TSampleEncoding::Signed32) {
        std::int32_t v;
        std::memcpy(&v, p, 4);
        return static_cast<float>(v) * (1.0f / 2147483648.0f);
    } else {
        using Stored = std::conditional_t<E == TSampleEncoding::Float32, float, double>;
        Stored v;
        std::memcpy(&v, p, sizeof v);
        if (std::isnan(v))
            return 0.0f;
        return static_cast<float>(v < -1 ? -1 : (v > 1 ? 1 : v));
    }
}

// Frames as floats: a mono source stays one channel (copied to both sides when it is
// quantised), stereo stays as it is, more channels are mixed down by their gains.
template <TSampleEncoding E>
void decode(const std::uint8_t* in, std::size_t frames, const std::vector<TStereoGain>& gains, float* out)
{
    constexpr int bytes = E == TSampleEncoding::Unsigned8   ? 1
                          : E == TSampleEncoding::Signed16 ? 2
                          : E == TSampleEncoding::Signed24 ? 3
                          : E == TSampleEncoding::Float64  ? 8
                                                           : 4;
    const std::size_t channels = gains.size();
    if (channels == 1) {
        for (std::size_t i = 0; i < frames; ++i, in += bytes)
            out[i] = sampleAt<E>(in);
        return;
    }
    if (channels == 2) {
        for (std::size_t i = 0; i < frames; ++i, in += 2 * bytes, out += 2) {
            out[0] = sampleAt<E>(in);
            out[1] = sampleAt<E>(in + bytes);
        }
        return;
    }
    for (std::size_t i = 0; i < frames; ++i, out += 2) {
        float left = 0, right = 0;
        for (std::size_t c = 0; c < channels; ++c, in += bytes) {
            const float x = sampleAt<E>(in);
            left += x * gains[c].left;
            right += x * gains[c].right;
        }
        out[0] = left;
        out[1] = right;
    }
}

void decodeAny(TSampleEncoding e, const std::uint8_t* in, std::size_t frames, const std::vector<TStereoGain>& gains,
               float* out)
{
    switch (e) {
    case TSampleEncoding::Unsigned8: return decode<TSampleEncoding::Unsigned8>(in, frames, gains, out);
    case TSampleEncoding::Signed16: return decode<TSampleEncoding::Signed16>(in, frames, gains, out);
    case TSampleEncoding::Signed24: return decode<TSampleEncoding::Signed24>(in, frames, gains, out);
    case TSampleEncoding::Signed32: return decode<TSampleEncoding::Signed32>(in, frames, gains, out);
    case TSampleEncoding::Float32: return decode<TSampleEncoding::Float32>(in, frames, gains, out);
    case TSampleEncoding::Float64: return decode<TSampleEncoding::Float64>(in, frames, gains, out);
    }
}
}  // namespace

std::vector<TStereoGain> StereoDownmixGains(const TSampleLayout& layout)
{
    if (layout.channels == 1)
        return {{1.0f, 1.0f}};
    if (layout.channels == 2)
        return {{1.0f, 0.0f}, {0.0f, 1.0f}};
    std::vector<TStereoGain> gains;
    std::uint32_t mask = layout.channelMask;
    for (int c = 0; c < layout.channels; ++c) {
        const std::uint32_t speaker = mask & (~mask + 1);  // lowest set bit, 0 when none is left
        mask &= ~speaker;
        gains.push_back(speakerGain(speaker));
    }
    return gains;
}

TPcmStreamConverter::TPcmStreamConverter(const TSampleLayout& source, std::uint32_t targetRate)
    : source_(source),
      exactSource_(pcmWaveFormat(source.BitsPerSample(), source.channels, source.rate)),
      target_(pcmWaveFormat(16, 2, targetRate)),
      exact_(source.rate == targetRate && source.channels <= 2 &&
             (source.encoding == TSampleEncoding::Unsigned8 || source.encoding == TSampleEncoding::Signed16)),
      gains_(StereoDownmixGains(source)),
      channels_(source.channels == 1 ? 1 : 2)
{
    if (source.rate != targetRate)
        resampler_ = std::make_unique<Resampler>(source.rate, targetRate, channels_);
}

TPcmStreamConverter::~TPcmStreamConverter() = default;

std::int64_t TPcmStreamConverter::BlockBytes(std::int64_t preferred) const
{
    const std::int64_t frame = source_.frameBytes;
    return std::max<std::int64_t>(frame, preferred / frame * frame);
}

std::span<const std::uint8_t> TPcmStreamConverter::Convert(const std::uint8_t* in, std::int64_t n)
{
    const auto frames = static_cast<std::size_t>(std::max<std::int64_t>(n, 0) / source_.frameBytes);
    if (frames == 0)
        return {};
    if (exact_) {
        const std::int64_t bytes = static_cast<std::int64_t>(frames) * source_.frameBytes;
        const std::int64_t room = pcmConvertedSize(bytes, &exactSource_, &target_) + target_.nBlockAlign;
        if (out_.size() < static_cast<std::size_t>(room))
            out_.resize(static_cast<std::size_t>(room));
        const std::int64_t written = pcmConvert(bytes, in, &exactSource_, out_.data(), &target_);
        return {out_.data(), static_cast<std::size_t>(std::max<std::int64_t>(written, 0))};
    }
    if (samples_.size() < frames * channels_)
        samples_.resize(frames * channels_);
    decodeAny(source_.encoding, in, frames, gains_, samples_.data());
    if (resampler_)
        return quantise(resampler_->Process(samples_.data(), frames));
    return quantise({samples_.data(), frames * channels_});
}

std::span<const std::uint8_t> TPcmStreamConverter::Finish()
{
    if (!resampler_)
        return {};
    return quantise(resampler_->Flush());
}

// 16-bit little-endian stereo with triangular dither of +-1 step (the difference of two
// uniform values), rounded to nearest and saturated, so a float beyond full scale clips.
// A mono sample goes to both sides with the same dither, so both sides stay equal.
std::span<const std::uint8_t> TPcmStreamConverter::quantise(std::span<const float> samples)
{
    const std::size_t bytes = samples.size() / channels_ * 4;
    if (out_.size() < bytes)
        out_.resize(bytes);
    std::uint8_t* p = out_.data();
    std::uint32_t noise = noise_;
    for (const float x : samples) {
        noise ^= noise << 13;  // xorshift32
        noise ^= noise >> 17;
        noise ^= noise << 5;
        const float dither =
            static_cast<float>(static_cast<int>(noise & 0xFFFF) - static_cast<int>(noise >> 16)) * (1.0f / 65536);
        float v = x * 32768.0f + dither;
        v = v < -32768.0f ? -32768.0f : (v > 32767.0f ? 32767.0f : v);
        const int s = static_cast<int>(v + (v >= 0 ? 0.5f : -0.5f));
        const auto low = static_cast<std::uint8_t>(s & 0xFF);
        const auto high = static_cast<std::uint8_t>((s >> 8) & 0xFF);
        for (unsigned side = 0; side < 2; side += channels_) {
            *p++ = low;
            *p++ = high;
        }
    }
    noise_ = noise;
    return {out_.data(), bytes};
}

std::size_t TPcmStreamConverter::BufferBytes() const
{
    return samples_.capacity() * sizeof(float) + out_.capacity() +
           (resampler_ ? resampler_->BufferCapacity() * sizeof(float) : 0);
}
