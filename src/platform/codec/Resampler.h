#pragma once
// Band-limited sample-rate conversion of interleaved 32-bit float frames: libsoxr at its
// very-high-quality setting (the resampler of sox and most audio tools), linear phase, with
// its filter delay taken out, so the output lines up with the input in time. It streams:
// feed blocks of any size, then flush once for the last frames. Its memory is fixed when it
// is made, except the output buffer, which grows to the largest block and then stays.
//
//   Resampler r(48000, 44100, 2);
//   for (each block)  write(r.Process(block.data(), frames));   // frames produced so far
//   write(r.Flush());                                            // the filter's tail
//
// Threads: an object is used by one thread at a time (any thread); objects are independent.
#include "platform/Errors.h"

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

class EResamplerError : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};

class Resampler {
public:
    // Throws EResamplerError when the library refuses the rates or the channel count.
    Resampler(double inputRate, double outputRate, unsigned channels);
    ~Resampler();
    Resampler(const Resampler&) = delete;
    Resampler& operator=(const Resampler&) = delete;

    // Resamples `frames` interleaved frames. The result holds the output frames that are
    // ready (the first calls give fewer: the filter fills first) and stays valid until the
    // next call.
    std::span<const float> Process(const float* in, std::size_t frames);
    // Ends the input: the frames still inside the filter. Call once, after the last block.
    std::span<const float> Flush();

    // Floats held by the output buffer (for memory checks).
    std::size_t BufferCapacity() const { return out_.capacity(); }

private:
    std::span<const float> run(const float* in, std::size_t frames);

    struct Engine;
    std::unique_ptr<Engine> engine_;
    unsigned channels_;
    double ratio_;  // output frames per input frame
    std::vector<float> out_;
};
