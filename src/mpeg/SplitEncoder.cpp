#include "mpeg/SplitEncoder.h"

#include "platform/Errors.h"
#include "wave/MMWave.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <exception>

namespace {
constexpr std::uint64_t kFrame = 1152;

// Closes an encoder stream when the part's thread leaves.
struct StreamCloser {
    HBE_STREAM stream = 0;
    ~StreamCloser()
    {
        if (stream != 0)
            beCloseStream(stream);
    }
};
}  // namespace

std::vector<SplitPart> SplitEncoder::Plan(std::uint64_t samples, unsigned rate, int jobs)
{
    const std::uint64_t frames = samples / kFrame;
    if (jobs <= 1 || rate == 0 || samples <= std::uint64_t{120} * rate)
        return {SplitPart{0, samples, 0}};
    const auto n = static_cast<std::uint64_t>(jobs);
    std::vector<SplitPart> parts;
    for (std::uint64_t k = 0; k < n; ++k) {
        const std::uint64_t cut = k * frames / n;
        const std::uint64_t next = (k + 1) * frames / n;
        SplitPart p;
        p.joinFrom = cut;
        p.from = k == 0 ? 0 : (cut - kPrimeFrames) * kFrame;
        p.to = k + 1 == n ? samples : std::min(samples, (next + kJoinFrames + kTailFrames) * kFrame);
        parts.push_back(p);
    }
    return parts;
}

SplitEncoder::SplitEncoder(const BE_CONFIG& config, const BE_LAME_OPTIONS& options, std::string source,
                           unsigned channels, std::vector<SplitPart> parts)
    : config_(config), options_(options), source_(std::move(source)), channels_(channels), parts_(std::move(parts)),
      results_(parts_.size())
{
    try {
        for (std::size_t k = 1; k < parts_.size(); ++k)
            threads_.emplace_back([this, k] { EncodePart(k); });
    } catch (...) {
        Cancel();
        Wait();
        throw;
    }
}

SplitEncoder::~SplitEncoder()
{
    Cancel();
    Wait();
}

bool SplitEncoder::Wait()
{
    for (std::thread& t : threads_)
        if (t.joinable())
            t.join();
    if (!error_.empty() || cancel_)
        return false;
    return std::all_of(results_.begin() + 1, results_.end(), [](const Result& r) { return r.whole; });
}

// The part's own thread.
void SplitEncoder::EncodePart(std::size_t part)
{
    const SplitPart& p = parts_[part];
    Result& result = results_[part];
    auto fail = [this](const std::string& reason) {
        std::lock_guard lock(errorLock_);
        if (error_.empty())
            error_ = reason;
        cancel_ = true;
    };
    try {
        StreamCloser stream;
        std::uint32_t chunk = 0;
        std::uint32_t outputSize = 0;
        if (beInitStreamEx(&config_, options_, &chunk, &outputSize, &stream.stream) != BE_ERR_SUCCESSFUL) {
            stream.stream = 0;
            fail(QCoreApplication::translate("SplitEncoder", "Unable to initialize stream").toStdString());
            return;
        }
        TMMWave wave;
        wave.SetTimeFormat(tfSample);
        errno = 0;
        wave.SetFileName(source_);
        wave.OpenFile();
        wave.SetPosition(static_cast<std::int64_t>(p.from));
        std::vector<std::int16_t> pcm(chunk);
        std::vector<std::uint8_t> out(outputSize);
        const std::uint64_t chunkFrames = chunk / channels_;
        for (std::uint64_t at = p.from; at < p.to && !cancel_;) {
            const std::uint64_t frames = std::min(chunkFrames, p.to - at);
            const auto want = static_cast<std::int64_t>(frames * channels_ * 2);
            errno = 0;
            if (wave.ReadDataBytes(pcm.data(), want) != want) {
                fail(FileReasonLine(source_, errno ? errno : EIO));
                return;
            }
            std::uint32_t bytes = 0;
            if (beEncodeChunk(stream.stream, static_cast<std::uint32_t>(frames * channels_), pcm.data(), out.data(),
                              &bytes) != BE_ERR_SUCCESSFUL) {
                fail(QCoreApplication::translate("SplitEncoder", "Unable to encode data").toStdString());
                return;
            }
            result.frames.insert(result.frames.end(), out.begin(), out.begin() + bytes);
            at += frames;
            done_ += frames;
        }
        if (cancel_)
            return;
        std::uint32_t bytes = 0;
        if (beDeinitStream(stream.stream, out.data(), &bytes) != BE_ERR_SUCCESSFUL) {
            fail(QCoreApplication::translate("SplitEncoder", "Unable to deinitialize stream").toStdString());
            return;
        }
        result.frames.insert(result.frames.end(), out.begin(), out.begin() + bytes);
        result.whole = true;
    } catch (const std::exception&) {
        fail(FileReasonLine(source_, errno ? errno : EIO));
    }
}
