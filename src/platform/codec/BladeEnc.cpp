#include "platform/codec/BladeEnc.h"

#include <lame/lame.h>

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace {

constexpr std::uint32_t kFrameSamples = 1152;  // MPEG-1 Layer III samples per channel and frame
constexpr std::array<unsigned, 15> kBitrates = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr std::array<unsigned, 3> kSampleRates = {44100, 48000, 32000};
// LAME's documented worst case for one call with n samples per channel is 1.25 n + 7200
// bytes; the same 7200 bytes bound the flush.
constexpr std::size_t kEngineOutputBound = kFrameSamples * 5 / 4 + 7200;

bool IsMpeg1Bitrate(unsigned kbps)
{
    return kbps != 0 && std::find(kBitrates.begin(), kBitrates.end(), kbps) != kBitrates.end();
}

std::size_t LongestFrame(unsigned kbps, unsigned rate) { return 144000 * kbps / rate + 1; }

// The length of the MPEG-1 Layer III frame whose header starts at h, or 0 when h holds no
// such header.
std::size_t FrameLength(const std::uint8_t* h)
{
    if (h[0] != 0xFF || (h[1] & 0xFE) != 0xFA)  // sync, MPEG-1, Layer III
        return 0;
    const unsigned bitrateIndex = h[2] >> 4;
    const unsigned rateIndex = (h[2] >> 2) & 3;
    if (bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return 0;
    return 144000 * kBitrates[bitrateIndex] / kSampleRates[rateIndex] + ((h[2] >> 1) & 1);
}

void Silent(const char*, va_list) {}

struct LameCloser {
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};
using LamePtr = std::unique_ptr<lame_global_flags, LameCloser>;

// One encoder stream. LAME hands back whatever bits it has finished, which usually ends
// inside a frame (the bit reservoir lets a frame's data run on past the next header), so
// the stream keeps that tail until the frame is complete.
struct Stream {
    std::mutex mutex;  // serialises the calls on this stream; guards every field below
    LamePtr lame;
    unsigned channels = 2;
    std::uint32_t chunkSamples = 0;
    std::uint32_t outputBufferSize = 0;
    std::vector<std::uint8_t> bytes;  // [0, pending): an incomplete frame; then fresh engine output
    std::size_t pending = 0;
    bool finished = false;  // beDeinitStream ran

    // Moves the complete frames among pending + produced bytes to output; keeps the rest.
    std::uint32_t TakeWholeFrames(std::size_t produced, std::uint8_t* output)
    {
        const std::size_t total = pending + produced;
        std::size_t end = 0;
        while (end + 4 <= total) {
            const std::size_t length = FrameLength(bytes.data() + end);
            if (length == 0 || end + length > total || end + length > outputBufferSize)
                break;
            end += length;
        }
        std::memcpy(output, bytes.data(), end);
        std::memmove(bytes.data(), bytes.data() + end, total - end);
        pending = total - end;
        return static_cast<std::uint32_t>(end);
    }

    // Room for `bound` more engine bytes after the pending tail.
    std::uint8_t* EngineArea(std::size_t bound)
    {
        bytes.resize(pending + bound);
        return bytes.data() + pending;
    }
};

// The open streams by handle. Guards its own map; a stream stays alive while a call uses
// it even if another thread closes it meanwhile.
class StreamTable {
public:
    HBE_STREAM Add(std::shared_ptr<Stream> stream)
    {
        std::lock_guard lock(mutex_);
        while (next_ == 0 || streams_.count(next_) != 0)
            ++next_;
        const HBE_STREAM handle = next_++;
        streams_.emplace(handle, std::move(stream));
        return handle;
    }
    std::shared_ptr<Stream> Find(HBE_STREAM handle)
    {
        std::lock_guard lock(mutex_);
        const auto it = streams_.find(handle);
        return it == streams_.end() ? nullptr : it->second;
    }
    bool Remove(HBE_STREAM handle)
    {
        std::shared_ptr<Stream> removed;  // released after the lock, outside the table
        std::lock_guard lock(mutex_);
        const auto it = streams_.find(handle);
        if (it == streams_.end())
            return false;
        removed = std::move(it->second);
        streams_.erase(it);
        return true;
    }

private:
    std::mutex mutex_;
    std::map<HBE_STREAM, std::shared_ptr<Stream>> streams_;
    HBE_STREAM next_ = 1;
};

StreamTable& Streams()
{
    static StreamTable table;
    return table;
}

BE_ERR EngineError(int code)
{
    return code == -1 ? BE_ERR_BUFFER_TOO_SMALL : BE_ERR_INVALID_FORMAT_PARAMETERS;
}

// A configured LAME engine for the record, or null when LAME does not take it unchanged.
LamePtr MakeEngine(const BE_CONFIG& config, const BE_LAME_OPTIONS& options, unsigned channels)
{
    LamePtr lame(lame_init());
    if (!lame)
        return nullptr;
    lame_global_flags* g = lame.get();
    lame_set_errorf(g, Silent);
    lame_set_debugf(g, Silent);
    lame_set_msgf(g, Silent);
    const int rate = static_cast<int>(config.dwSampleRate);
    const int kbps = config.wBitrate;
    MPEG_mode mode = STEREO;
    if (config.byMode == BE_MP3_MODE_JSTEREO)
        mode = JOINT_STEREO;
    else if (config.byMode == BE_MP3_MODE_DUALCHANNEL)
        mode = DUAL_CHANNEL;
    else if (config.byMode == BE_MP3_MODE_MONO)
        mode = MONO;
    lame_set_num_channels(g, static_cast<int>(channels));
    lame_set_in_samplerate(g, rate);
    lame_set_out_samplerate(g, rate);
    lame_set_mode(g, mode);
    if (options.vbr) {
        lame_set_VBR(g, vbr_default);
        lame_set_VBR_q(g, std::clamp(options.vbrQuality, 0, 9));
    } else {
        lame_set_VBR(g, vbr_off);
        lame_set_brate(g, kbps);
    }
    lame_set_extension(g, config.bPrivate != 0);
    lame_set_error_protection(g, config.bCRC != 0);
    lame_set_copyright(g, config.bCopyright != 0);
    lame_set_original(g, config.bOriginal != 0);  // LAME's own default is 1
    // The Xing/Info/LAME frame at the start, when asked for: a placeholder the caller
    // overwrites with beGetInfoFrame's bytes once the stream has ended.
    lame_set_bWriteVbrTag(g, options.infoFrame ? 1 : 0);
    lame_set_write_id3tag_automatic(g, 0);        // the program writes its own tag
    if (lame_init_params(g) < 0)
        return nullptr;
    if (lame_get_out_samplerate(g) != rate || (!options.vbr && lame_get_brate(g) != kbps) || lame_get_version(g) != 1
        || lame_get_mode(g) != mode)
        return nullptr;
    return lame;
}

}  // namespace

BE_ERR beInitStream(const BE_CONFIG* config, std::uint32_t* samplesPerChunk,
                    std::uint32_t* outputBufferSize, HBE_STREAM* stream) noexcept
{
    return beInitStreamEx(config, BE_LAME_OPTIONS{}, samplesPerChunk, outputBufferSize, stream);
}

BE_ERR beInitStreamEx(const BE_CONFIG* config, const BE_LAME_OPTIONS& options, std::uint32_t* samplesPerChunk,
                      std::uint32_t* outputBufferSize, HBE_STREAM* stream) noexcept
{
    if (!config || !samplesPerChunk || !outputBufferSize || !stream)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    BE_CONFIG c;
    std::memcpy(&c, config, sizeof c);
    if (c.dwConfig != BE_CONFIG_MP3)
        return BE_ERR_INVALID_FORMAT;
    const bool rateOk = std::find(kSampleRates.begin(), kSampleRates.end(), c.dwSampleRate) != kSampleRates.end();
    if (!rateOk || !IsMpeg1Bitrate(c.wBitrate) || c.byMode > BE_MP3_MODE_MONO)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    try {
        auto s = std::make_shared<Stream>();
        s->channels = c.byMode == BE_MP3_MODE_MONO ? 1 : 2;
        s->lame = MakeEngine(c, options, s->channels);
        if (!s->lame)
            return BE_ERR_INVALID_FORMAT_PARAMETERS;
        s->chunkSamples = kFrameSamples * s->channels;
        // A variable bit rate may use the largest frame of the table.
        const unsigned largest = options.vbr ? kBitrates.back() : c.wBitrate;
        s->outputBufferSize = static_cast<std::uint32_t>(kEngineOutputBound + LongestFrame(largest, c.dwSampleRate));
        s->bytes.reserve(s->outputBufferSize + kEngineOutputBound);
        *samplesPerChunk = s->chunkSamples;
        *outputBufferSize = s->outputBufferSize;
        *stream = Streams().Add(std::move(s));
        return BE_ERR_SUCCESSFUL;
    } catch (const std::bad_alloc&) {
        return BE_ERR_NO_MORE_HANDLES;
    }
}

BE_ERR beEncodeChunk(HBE_STREAM stream, std::uint32_t samples, const std::int16_t* pcm,
                     std::uint8_t* output, std::uint32_t* outputBytes) noexcept
{
    if (outputBytes)
        *outputBytes = 0;
    const auto s = Streams().Find(stream);
    if (!s)
        return BE_ERR_INVALID_HANDLE;
    if (!output || !outputBytes || (samples > 0 && !pcm))
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    std::lock_guard lock(s->mutex);
    if (s->finished)
        return BE_ERR_INVALID_HANDLE;
    if (samples > s->chunkSamples || samples % s->channels != 0)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    if (samples == 0)
        return BE_ERR_SUCCESSFUL;
    try {
        std::uint8_t* area = s->EngineArea(kEngineOutputBound);
        const int frames = static_cast<int>(samples / s->channels);
        // LAME only reads the samples; its older prototypes lack the const.
        short* in = const_cast<short*>(pcm);
        const int produced = s->channels == 2
            ? lame_encode_buffer_interleaved(s->lame.get(), in, frames, area, static_cast<int>(kEngineOutputBound))
            : lame_encode_buffer(s->lame.get(), in, in, frames, area, static_cast<int>(kEngineOutputBound));
        if (produced < 0) {
            s->bytes.resize(s->pending);
            return EngineError(produced);
        }
        *outputBytes = s->TakeWholeFrames(static_cast<std::size_t>(produced), output);
        return BE_ERR_SUCCESSFUL;
    } catch (const std::bad_alloc&) {
        return BE_ERR_BUFFER_TOO_SMALL;
    }
}

BE_ERR beDeinitStream(HBE_STREAM stream, std::uint8_t* output, std::uint32_t* outputBytes) noexcept
{
    if (outputBytes)
        *outputBytes = 0;
    const auto s = Streams().Find(stream);
    if (!s)
        return BE_ERR_INVALID_HANDLE;
    if (!output || !outputBytes)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    std::lock_guard lock(s->mutex);
    if (s->finished)
        return BE_ERR_SUCCESSFUL;
    try {
        std::uint8_t* area = s->EngineArea(kEngineOutputBound);
        const int produced = lame_encode_flush(s->lame.get(), area, static_cast<int>(kEngineOutputBound));
        if (produced < 0) {
            s->bytes.resize(s->pending);
            return EngineError(produced);
        }
        s->finished = true;
        *outputBytes = s->TakeWholeFrames(static_cast<std::size_t>(produced), output);
        // The flush completes the last frame, so nothing is left; a stray tail could not
        // form a frame and is dropped.
        s->pending = 0;
        return BE_ERR_SUCCESSFUL;
    } catch (const std::bad_alloc&) {
        return BE_ERR_BUFFER_TOO_SMALL;
    }
}

BE_ERR beGetInfoFrame(HBE_STREAM stream, std::uint8_t* frame, std::uint32_t size, std::uint32_t* frameBytes) noexcept
{
    if (frameBytes)
        *frameBytes = 0;
    const auto s = Streams().Find(stream);
    if (!s)
        return BE_ERR_INVALID_HANDLE;
    if (!frame || !frameBytes)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    std::lock_guard lock(s->mutex);
    if (!s->finished)
        return BE_ERR_INVALID_HANDLE;
    if (lame_get_bWriteVbrTag(s->lame.get()) == 0)
        return BE_ERR_SUCCESSFUL;
    const std::size_t needed = lame_get_lametag_frame(s->lame.get(), nullptr, 0);
    if (needed > size)
        return BE_ERR_BUFFER_TOO_SMALL;
    *frameBytes = static_cast<std::uint32_t>(lame_get_lametag_frame(s->lame.get(), frame, size));
    return BE_ERR_SUCCESSFUL;
}

BE_ERR beCloseStream(HBE_STREAM stream) noexcept
{
    return Streams().Remove(stream) ? BE_ERR_SUCCESSFUL : BE_ERR_INVALID_HANDLE;
}

BE_VERSION_STRINGS beVersionStrings()
{
    return {"1.0", get_lame_version()};
}
