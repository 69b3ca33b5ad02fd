#pragma once
// The conversion of a whole wave file into the encoder's input, 16-bit stereo PCM at one
// rate, fed block by block in the order of the file:
//   - 8- and 16-bit PCM with 1 or 2 channels at the target rate keep the exact rules of the
//     block converter (PcmConvert.h): 8-bit values widened, mono copied to both sides;
//   - everything else is read as float: 24- and 32-bit PCM scaled, float samples beyond full
//     scale clipped, mono kept as one channel until it is copied to both sides at the end,
//     3 to 8 channels mixed down to two with the ITU coefficients by the
//     speakers of the channel mask; then a band-limited resampler (platform/Resampler.h,
//     very high quality) brings it to the target rate when the rates differ; then it is
//     requantised to 16 bits with TPDF dither and saturated.
// Memory is fixed by the largest block: the buffers grow to it and are reused.
//
//   TPcmStreamConverter c(*layout, 44100);
//   const std::int64_t block = c.BlockBytes(4096);          // whole source frames
//   while (read n <= block bytes)  write(c.Convert(in, n));
//   write(c.Finish());                                       // the resampler's last frames
//
// Threads: an object is used by one thread at a time (the conversion runs on the main thread).
#include "wave/SampleLayout.h"
#include "wave/WaveFormat.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class Resampler;

// The share of one source channel in the left and the right output channel.
struct TStereoGain {
    float left;
    float right;
};

// Per source channel, in frame order: FL/FR to their side, FC at -3 dB to both, LFE left out,
// back and side surrounds at -3 dB to their side, back centre at -6 dB to both; a channel the
// mask gives no speaker goes at -6 dB to both, so nothing is lost.
std::vector<TStereoGain> StereoDownmixGains(const TSampleLayout& layout);

class TPcmStreamConverter {
public:
    // Throws EResamplerError when the resampler cannot be made for the two rates.
    TPcmStreamConverter(const TSampleLayout& source, std::uint32_t targetRate);
    ~TPcmStreamConverter();
    TPcmStreamConverter(const TPcmStreamConverter&) = delete;
    TPcmStreamConverter& operator=(const TPcmStreamConverter&) = delete;

    // The largest whole number of source frames in `preferred` bytes (at least one frame).
    std::int64_t BlockBytes(std::int64_t preferred) const;
    // Converts n source bytes (a trailing partial frame is ignored). The 16-bit stereo bytes
    // that are ready stay valid until the next call; with a rate change the first blocks give
    // fewer frames than they hold, Finish gives the rest.
    std::span<const std::uint8_t> Convert(const std::uint8_t* in, std::int64_t n);
    // The frames still inside the resampler; call once after the last block (also after a
    // cancel, so that every block read is written).
    std::span<const std::uint8_t> Finish();

    // True when the block converter's exact rules serve (no resampling, no dither).
    bool Exact() const { return exact_; }
    // Bytes held by the converter's buffers, the resampler's output buffer included.
    std::size_t BufferBytes() const;

private:
    std::span<const std::uint8_t> quantise(std::span<const float> samples);

    TSampleLayout source_;
    TWaveFormatEx exactSource_;
    TWaveFormatEx target_;
    bool exact_;
    std::vector<TStereoGain> gains_;
    unsigned channels_;  // channels between decoding and quantising: 1 for a mono source, else 2
    std::unique_ptr<Resampler> resampler_;  // only when the rates differ
    std::uint32_t noise_ = 0x9E3779B9u;     // dither generator state
    std::vector<float> samples_;
    std::vector<std::uint8_t> out_;
};
