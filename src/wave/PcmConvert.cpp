#include "wave/PcmConvert.h"

#include <array>
#include <cstring>

namespace {
// Class code: bit 1 stereo, bit 2 sixteen bits. Frame size 1, 2, 2 or 4 bytes.
constexpr int kStereo = 2;
constexpr int k16Bit = 4;

int pcmClass(const TWaveFormatEx* f)
{
    if (!f || f->wFormatTag != WAVE_FORMAT_PCM || f->nSamplesPerSec == 0)
        return -1;
    if (f->nChannels != 1 && f->nChannels != 2)
        return -1;
    if (f->wBitsPerSample != 8 && f->wBitsPerSample != 16)
        return -1;
    return (f->nChannels == 2 ? kStereo : 0) | (f->wBitsPerSample == 16 ? k16Bit : 0);
}

constexpr int frameSize(int cls)
{
    return ((cls & kStereo) ? 2 : 1) * ((cls & k16Bit) ? 2 : 1);
}

// One frame in the destination's sample form: unsigned bytes for 8 bits, signed for 16.
struct Frame {
    int left;
    int right;
};

inline int get16(const std::uint8_t* p)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

inline void put16(std::uint8_t* p, int v)
{
    p[0] = static_cast<std::uint8_t>(v & 0xFF);
    p[1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

// Width conversions of one value.
inline int to16(int u8) { return (u8 - 128) * 256; }
inline int to8(int s16) { return static_cast<std::uint8_t>(((s16 >> 8) & 0xFF) ^ 0x80); }

// Reader: one source frame of class S in the layout of class D.
template <int S, int D>
inline Frame readFrame(const std::uint8_t* p)
{
    constexpr bool s16 = S & k16Bit;
    constexpr bool sStereo = S & kStereo;
    constexpr bool d16 = D & k16Bit;
    constexpr bool dStereo = D & kStereo;
    int value;
    if constexpr (sStereo && !dStereo) {
        // Average in the unsigned form, rounded down, then change width.
        if constexpr (s16) {
            const int avg = ((get16(p) + 32768) + (get16(p + 2) + 32768)) / 2 - 32768;
            value = d16 ? avg : to8(avg);
        } else {
            const int avg = (p[0] + p[1]) / 2;
            value = d16 ? to16(avg) : avg;
        }
        return {value, value};
    } else if constexpr (sStereo) {
        int l = s16 ? get16(p) : p[0];
        int r = s16 ? get16(p + 2) : p[1];
        if constexpr (s16 && !d16) {
            l = to8(l);
            r = to8(r);
        } else if constexpr (!s16 && d16) {
            l = to16(l);
            r = to16(r);
        }
        return {l, r};
    } else {
        value = s16 ? get16(p) : p[0];
        if constexpr (s16 && !d16)
            value = to8(value);
        else if constexpr (!s16 && d16)
            value = to16(value);
        return {value, value};
    }
}

// Writer: stores one frame of class D and returns the next free byte.
template <int D>
inline std::uint8_t* writeFrame(std::uint8_t* p, Frame f)
{
    if constexpr (D == 0) {
        p[0] = static_cast<std::uint8_t>(f.left);
    } else if constexpr (D == kStereo) {
        p[0] = static_cast<std::uint8_t>(f.left);
        p[1] = static_cast<std::uint8_t>(f.right);
    } else if constexpr (D == k16Bit) {
        put16(p, f.left);
    } else {
        put16(p, f.left);
        put16(p + 2, f.right);
    }
    return p + frameSize(D);
}

using BlockConverter = std::int64_t (*)(std::int64_t frames, const std::uint8_t* in, std::uint8_t* out,
                                        std::int64_t srcRate, std::int64_t dstRate);

// The reader and writer are chosen once per block by picking this instantiation.
template <int S, int D>
std::int64_t convertBlock(std::int64_t frames, const std::uint8_t* in, std::uint8_t* out, std::int64_t srcRate,
                          std::int64_t dstRate)
{
    constexpr int inStep = frameSize(S);
    std::uint8_t* const start = out;
    if (srcRate > dstRate) {
        std::int64_t acc = srcRate / 2;
        for (std::int64_t i = 0; i < frames; ++i, in += inStep) {
            acc -= dstRate;
            if (acc < 0) {
                out = writeFrame<D>(out, readFrame<S, D>(in));
                acc += srcRate;
            }
        }
    } else if (srcRate == dstRate) {
        for (std::int64_t i = 0; i < frames; ++i, in += inStep)
            out = writeFrame<D>(out, readFrame<S, D>(in));
    } else {
        std::int64_t acc = dstRate / 2;
        for (std::int64_t i = 0; i < frames; ++i, in += inStep) {
            const Frame f = readFrame<S, D>(in);
            do {
                out = writeFrame<D>(out, f);
                acc -= srcRate;
            } while (acc >= 0);
            acc += dstRate;
        }
    }
    return (out - start) / frameSize(D);
}

template <int S>
constexpr std::array<BlockConverter, 4> row()
{
    return {convertBlock<S, 0>, convertBlock<S, kStereo>, convertBlock<S, k16Bit>, convertBlock<S, k16Bit | kStereo>};
}

constexpr std::array<std::array<BlockConverter, 4>, 4> kConverters = {row<0>(), row<kStereo>(), row<k16Bit>(),
                                                                       row<k16Bit | kStereo>()};
}  // namespace

std::int64_t pcmConvertedSize(std::int64_t n, const TWaveFormatEx* src, const TWaveFormatEx* dst)
{
    const int s = pcmClass(src);
    const int d = pcmClass(dst);
    if (s < 0 || d < 0)
        return -1;
    const std::int64_t frames = n / frameSize(s);
    return frames * dst->nSamplesPerSec / src->nSamplesPerSec * frameSize(d);
}

std::int64_t pcmConvert(std::int64_t n, const std::uint8_t* srcBuffer, const TWaveFormatEx* src,
                        std::uint8_t* dstBuffer, const TWaveFormatEx* dst)
{
    if (n <= 0)
        return n;
    const int s = pcmClass(src);
    const int d = pcmClass(dst);
    if (s < 0 || d < 0)
        return -1;
    const std::int64_t frames = n / frameSize(s);
    const std::int64_t written =
        kConverters[s / 2][d / 2](frames, srcBuffer, dstBuffer, src->nSamplesPerSec, dst->nSamplesPerSec);
    return written * frameSize(d);
}
