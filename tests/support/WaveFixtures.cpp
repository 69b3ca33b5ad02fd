#include "support/WaveFixtures.h"

#include <algorithm>

#include <cstring>
#include <fstream>
#include <memory>
#include <sndfile.h>
#include <stdexcept>

void PutLe16(Bytes& b, std::uint16_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutLe32(Bytes& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint32_t GetLe32(const Bytes& b, std::size_t at)
{
    return static_cast<std::uint32_t>(b.at(at)) | static_cast<std::uint32_t>(b.at(at + 1)) << 8 |
           static_cast<std::uint32_t>(b.at(at + 2)) << 16 | static_cast<std::uint32_t>(b.at(at + 3)) << 24;
}

std::uint16_t GetLe16(const Bytes& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b.at(at) | b.at(at + 1) << 8);
}

RiffBuilder& RiffBuilder::Chunk(const char* id, const Bytes& body)
{
    RawChunk(id, static_cast<std::uint32_t>(body.size()), body);
    if (body.size() & 1)
        body_.push_back(0);
    return *this;
}

RiffBuilder& RiffBuilder::RawChunk(const char* id, std::uint32_t claimed, const Bytes& body)
{
    body_.insert(body_.end(), id, id + 4);
    PutLe32(body_, claimed);
    body_.insert(body_.end(), body.begin(), body.end());
    return *this;
}

RiffBuilder& RiffBuilder::Fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                              std::uint32_t size, std::uint16_t blockAlign, std::uint32_t avgBytes)
{
    Bytes f;
    const std::uint16_t align = blockAlign ? blockAlign : static_cast<std::uint16_t>(channels * bits / 8);
    PutLe16(f, tag);
    PutLe16(f, channels);
    PutLe32(f, rate);
    PutLe32(f, avgBytes ? avgBytes : align * rate);
    PutLe16(f, align);
    PutLe16(f, bits);
    while (f.size() < size)
        f.push_back(0);
    f.resize(size);
    return Chunk("fmt ", f);
}

RiffBuilder& RiffBuilder::RiffSize(std::uint32_t size)
{
    sizeSet_ = true;
    riffSize_ = size;
    return *this;
}

Bytes RiffBuilder::Build() const
{
    Bytes out = {'R', 'I', 'F', 'F'};
    PutLe32(out, sizeSet_ ? riffSize_ : static_cast<std::uint32_t>(body_.size() + 4));
    out.insert(out.end(), {'W', 'A', 'V', 'E'});
    out.insert(out.end(), body_.begin(), body_.end());
    return out;
}

std::vector<std::pair<std::string, Bytes>> RiffChunks(const Bytes& file)
{
    std::vector<std::pair<std::string, Bytes>> chunks;
    for (std::size_t at = 12; at + 8 <= file.size();) {
        const std::uint32_t size = GetLe32(file, at + 4);
        const auto begin = file.begin() + static_cast<long>(at) + 8;
        chunks.emplace_back(std::string(file.begin() + static_cast<long>(at), begin - 4),
                            Bytes(begin, begin + std::min<long>(size, file.end() - begin)));
        at += 8 + static_cast<std::size_t>(size) + (size & 1);
    }
    return chunks;
}

Bytes RiffChunk(const Bytes& file, const std::string& id)
{
    for (auto& [chunkId, body] : RiffChunks(file))
        if (chunkId == id)
            return body;
    return {};
}

void WriteBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

Bytes ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Bytes PatternBytes(std::size_t count, std::uint32_t seed)
{
    Bytes b(count);
    std::uint32_t x = seed * 2654435761u + 12345u;
    for (std::size_t i = 0; i < count; ++i) {
        x = x * 1664525u + 1013904223u;
        b[i] = static_cast<std::uint8_t>(x >> 24);
    }
    return b;
}

std::vector<std::int16_t> PatternShorts(std::size_t count, std::uint32_t seed)
{
    const Bytes b = PatternBytes(count * 2, seed);
    std::vector<std::int16_t> s(count);
    std::memcpy(s.data(), b.data(), count * 2);
    return s;
}

void WritePcmWave(const std::string& path, int bits, int channels, std::uint32_t rate, const Bytes& data)
{
    WriteBytes(path, RiffBuilder()
                         .Fmt(1, static_cast<std::uint16_t>(channels), rate, static_cast<std::uint16_t>(bits))
                         .Chunk("data", data)
                         .Build());
}

namespace {
struct SndCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};
using SndFile = std::unique_ptr<SNDFILE, SndCloser>;

SndFile sndRead(const std::string& path, SF_INFO& info)
{
    return SndFile(sf_open(path.c_str(), SFM_READ, &info));
}

SndFile sndCreate(const std::string& path, int format, int channels, int rate)
{
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = rate;
    info.format = format;
    return SndFile(sf_open(path.c_str(), SFM_WRITE, &info));
}
}  // namespace

SndInfo SndOpenInfo(const std::string& path)
{
    SF_INFO info{};
    const SndFile f = sndRead(path, info);
    SndInfo out;
    if (!f)
        return out;
    out.ok = true;
    out.channels = info.channels;
    out.rate = info.samplerate;
    out.frames = info.frames;
    out.format = info.format;
    return out;
}

std::vector<std::int16_t> SndReadShorts(const std::string& path)
{
    SF_INFO info{};
    const SndFile f = sndRead(path, info);
    if (!f)
        return {};
    std::vector<std::int16_t> samples(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t n = sf_read_short(f.get(), samples.data(), static_cast<sf_count_t>(samples.size()));
    samples.resize(static_cast<std::size_t>(n));
    return samples;
}

bool SndWriteShorts(const std::string& path, int format, int channels, int rate, const std::vector<std::int16_t>& samples,
                    const std::string& title)
{
    const SndFile f = sndCreate(path, format, channels, rate);
    if (!f)
        return false;
    if (!title.empty())
        sf_set_string(f.get(), SF_STR_TITLE, title.c_str());
    return sf_write_short(f.get(), samples.data(), static_cast<sf_count_t>(samples.size())) ==
           static_cast<sf_count_t>(samples.size());
}

bool SndWriteDoubles(const std::string& path, int format, int channels, int rate, const std::vector<double>& samples,
                     const std::vector<int>& channelMap)
{
    const SndFile f = sndCreate(path, format, channels, rate);
    if (!f)
        return false;
    if (!channelMap.empty() &&
        !sf_command(f.get(), SFC_SET_CHANNEL_MAP_INFO, const_cast<int*>(channelMap.data()),
                    static_cast<int>(channelMap.size() * sizeof(int))))
        return false;
    return sf_write_double(f.get(), samples.data(), static_cast<sf_count_t>(samples.size())) ==
           static_cast<sf_count_t>(samples.size());
}

std::string SndTitle(const std::string& path)
{
    SF_INFO info{};
    const SndFile f = sndRead(path, info);
    if (!f)
        return {};
    const char* title = sf_get_string(f.get(), SF_STR_TITLE);
    return title ? title : "";
}
