#include "platform/codec/Resampler.h"

#include <QCoreApplication>

#include <soxr.h>

#include <cmath>
#include <string>

namespace {
// Output room asked of each library call beyond the frames the input is worth: the library
// hands out its filtered frames in runs, so one call may have more ready than that.
constexpr std::size_t kSlackFrames = 1024;
}  // namespace

struct Resampler::Engine {
    soxr_t soxr = nullptr;
    ~Engine() { soxr_delete(soxr); }
};

Resampler::Resampler(double inputRate, double outputRate, unsigned channels)
    : engine_(std::make_unique<Engine>()), channels_(channels), ratio_(outputRate / inputRate)
{
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_VHQ, SOXR_LINEAR_PHASE);
    // One thread: the conversion runs beside the user interface on a shared machine.
    const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
    soxr_error_t error = nullptr;
    engine_->soxr = soxr_create(inputRate, outputRate, channels, &error, &io, &quality, &runtime);
    if (!engine_->soxr || error)
        throw EResamplerError(QCoreApplication::translate("Resampler", "Unable to start the sample-rate converter: %1").arg(QString::fromUtf8(soxr_strerror(error))).toStdString());
}

Resampler::~Resampler() = default;

std::span<const float> Resampler::Process(const float* in, std::size_t frames)
{
    return run(in, frames);
}

std::span<const float> Resampler::Flush()
{
    return run(nullptr, 0);
}

// Calls the library until it has taken all of the input and has nothing more ready; a null
// `in` asks for the tail.
std::span<const float> Resampler::run(const float* in, std::size_t frames)
{
    const std::size_t room = static_cast<std::size_t>(std::ceil(static_cast<double>(frames) * ratio_)) + kSlackFrames;
    std::size_t produced = 0;  // frames in out_
    std::size_t taken = 0;     // input frames used
    for (;;) {
        if (out_.size() < (produced + room) * channels_)
            out_.resize((produced + room) * channels_);
        std::size_t used = 0;
        std::size_t done = 0;
        const soxr_error_t error =
            soxr_process(engine_->soxr, in ? in + taken * channels_ : nullptr, frames - taken, in ? &used : nullptr,
                         out_.data() + produced * channels_, room, &done);
        if (error)
            throw EResamplerError(QCoreApplication::translate("Resampler", "The sample-rate converter failed: %1").arg(QString::fromUtf8(error)).toStdString());
        taken += used;
        produced += done;
        if (taken >= frames && done < room)
            break;
    }
    return {out_.data(), produced * channels_};
}
