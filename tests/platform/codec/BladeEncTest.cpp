// The BladeEnc interface over LAME, checked from the outside: generated tones go through
// the four calls, libmpg123 decodes the result, and the frame headers are read here.
#include "platform/codec/BladeEnc.h"
#include "support/AudioOracles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <numbers>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr long kFrameSamples = kMp3FrameSamples;
constexpr long kCodecDelay = kMp3CodecDelay;

BE_CONFIG Config(unsigned rate, unsigned mode, unsigned kbps, bool priv = false, bool crc = false,
                 bool copyright = false, bool original = false)
{
    BE_CONFIG c{};
    c.dwConfig = BE_CONFIG_MP3;
    c.dwSampleRate = rate;
    c.byMode = static_cast<std::uint8_t>(mode);
    c.wBitrate = static_cast<std::uint16_t>(kbps);
    c.bPrivate = priv;
    c.bCRC = crc;
    c.bCopyright = copyright;
    c.bOriginal = original;
    return c;
}

using Header = Mp3Header;

// Splits bytes into frames; fails the test unless they are exactly a run of whole frames.
std::vector<Header> Frames(const std::vector<std::uint8_t>& bytes)
{
    std::vector<Header> frames;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto h = ParseMp3Header(bytes.data() + pos, bytes.size() - pos);
        if (!h) {
            ADD_FAILURE() << "no frame header at byte " << pos << " of " << bytes.size();
            return frames;
        }
        if (pos + h->length > bytes.size()) {
            ADD_FAILURE() << "frame at byte " << pos << " cut off at " << bytes.size();
            return frames;
        }
        // A Xing/Info/LAME frame has empty side information and its tag right after it (or
        // zeros, while an encoder still means to fill it in). A frame of the tone never does.
        const std::size_t sideAt = pos + 4 + (h->crc ? 2 : 0);
        const std::size_t tagAt = sideAt + (h->mode == 3 ? 17 : 32);
        const bool emptySide = std::all_of(bytes.begin() + static_cast<long>(sideAt),
                                           bytes.begin() + static_cast<long>(tagAt), [](auto b) { return b == 0; });
        EXPECT_FALSE(emptySide) << "tag frame at byte " << pos;
        for (const char* tag : {"Xing", "Info"})
            EXPECT_NE(std::memcmp(bytes.data() + tagAt, tag, 4), 0) << tag << " frame at byte " << pos;
        frames.push_back(*h);
        pos += h->length;
    }
    return frames;
}

struct Encoding {
    std::uint32_t chunkSamples = 0, bufferSize = 0;
    std::vector<std::vector<std::uint8_t>> pieces;  // the output of each call, in order
    std::vector<std::uint8_t> mp3;
};

// Runs pcm through the four calls. By default the way the encoder component does: whole
// chunks, one short chunk for the rest, then the flush; or in the given sizes, in turn.
Encoding Encode(const BE_CONFIG& config, const std::vector<std::int16_t>& pcm,
                const std::vector<std::uint32_t>& steps = {})
{
    Encoding e;
    HBE_STREAM stream = 0;
    EXPECT_EQ(beInitStream(&config, &e.chunkSamples, &e.bufferSize, &stream), BE_ERR_SUCCESSFUL);
    if (stream == 0 || e.chunkSamples == 0)
        return e;
    std::vector<std::uint8_t> out(e.bufferSize);
    for (std::size_t at = 0, i = 0; at < pcm.size(); ++i) {
        const std::uint32_t step = steps.empty() ? e.chunkSamples : steps[i % steps.size()];
        const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(step, pcm.size() - at));
        std::uint32_t bytes = e.bufferSize + 1;
        EXPECT_EQ(beEncodeChunk(stream, n, pcm.data() + at, out.data(), &bytes), BE_ERR_SUCCESSFUL);
        at += n;
        EXPECT_LE(bytes, e.bufferSize);
        e.pieces.emplace_back(out.begin(), out.begin() + bytes);
    }
    std::uint32_t bytes = 0;
    EXPECT_EQ(beDeinitStream(stream, out.data(), &bytes), BE_ERR_SUCCESSFUL);
    EXPECT_LE(bytes, e.bufferSize);
    e.pieces.emplace_back(out.begin(), out.begin() + bytes);
    EXPECT_EQ(beCloseStream(stream), BE_ERR_SUCCESSFUL);
    for (const auto& p : e.pieces)
        e.mp3.insert(e.mp3.end(), p.begin(), p.end());
    return e;
}

using Decoded = DecodedMp3;

// Decodes bytes written to a file, as a player would find them.
Decoded Decode(const std::vector<std::uint8_t>& mp3)
{
    TempDir dir;
    const std::string path = dir.File("out.mp3");
    {
        std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), &std::fclose);
        EXPECT_TRUE(f);
        if (!f || std::fwrite(mp3.data(), 1, mp3.size(), f.get()) != mp3.size())
            return {};
    }
    return DecodeMp3File(path);
}

struct Case {
    unsigned rate, mode, kbps;
    bool priv, crc, copyright, original;
    double minSnrDb;
};

std::string Name(const testing::TestParamInfo<Case>& info);

void PrintTo(const Case& c, std::ostream* os)
{
    *os << Name(testing::TestParamInfo<Case>(c, 0));
}

std::string Name(const testing::TestParamInfo<Case>& info)
{
    const Case& c = info.param;
    static const char* modes[] = {"Stereo", "Joint", "Dual", "Mono"};
    std::string name = std::to_string(c.rate) + modes[c.mode] + std::to_string(c.kbps);
    if (c.priv)
        name += "Private";
    if (c.crc)
        name += "Crc";
    if (c.copyright)
        name += "Copyright";
    if (c.original)
        name += "Original";
    return name;
}

class BladeEncRoundTrip : public testing::TestWithParam<Case> {};

TEST_P(BladeEncRoundTrip, DecodesToTheToneWithTheAskedHeaders)
{
    const Case& c = GetParam();
    const int channels = c.mode == BE_MP3_MODE_MONO ? 1 : 2;
    const std::vector<double> freqs = channels == 1 ? std::vector<double>{997} : std::vector<double>{443, 997};
    // Not a whole number of chunks, so the last chunk is a short one.
    const long frames = static_cast<long>(c.rate) * 3 / 2 + 333;
    const auto pcm = Tone(c.rate, freqs, frames);
    const auto config = Config(c.rate, c.mode, c.kbps, c.priv, c.crc, c.copyright, c.original);

    const Encoding e = Encode(config, pcm);
    EXPECT_EQ(e.chunkSamples, kFrameSamples * channels);
    ASSERT_FALSE(e.mp3.empty());

    // Every call hands back whole frames only.
    for (std::size_t i = 0; i < e.pieces.size(); ++i) {
        SCOPED_TRACE("call " + std::to_string(i));
        Frames(e.pieces[i]);
    }
    const auto headers = Frames(e.mp3);
    ASSERT_FALSE(headers.empty());
    for (const Header& h : headers) {
        ASSERT_EQ(h.kbps, c.kbps);
        ASSERT_EQ(h.rate, c.rate);
        ASSERT_EQ(h.mode, c.mode);
        ASSERT_EQ(h.crc, c.crc);
        ASSERT_EQ(h.priv, c.priv);
        ASSERT_EQ(h.copyright, c.copyright);
        ASSERT_EQ(h.original, c.original);
        ASSERT_EQ(h.emphasis, 0u);
        EXPECT_LE(h.length, e.bufferSize);
    }

    const Decoded d = Decode(e.mp3);
    EXPECT_EQ(d.rate, static_cast<long>(c.rate));
    ASSERT_EQ(d.channels, channels);
    const long decoded = static_cast<long>(d.pcm.size()) / channels;
    EXPECT_EQ(decoded, static_cast<long>(headers.size()) * kFrameSamples) << "every frame decodes";
    // Input plus the codec delay, padded up to whole frames: never more than a frame over.
    EXPECT_GE(decoded, frames + kCodecDelay);
    EXPECT_LT(decoded, frames + kCodecDelay + kFrameSamples);

    // The tone comes back on its own channel, in time: no other shift within half its
    // period fits as well. (443 and 997 Hz never repeat within a 1152-sample frame, so a
    // lost or doubled frame cannot line up either.)
    for (int ch = 0; ch < channels; ++ch) {
        const long bestDelay = BestDelay(pcm, d, channels, ch, frames, kCodecDelay - 10, kCodecDelay + 10);
        EXPECT_EQ(bestDelay, kCodecDelay) << "channel " << ch;
        EXPECT_GT(AlignedSnr(pcm, d, channels, ch, frames, bestDelay), c.minSnrDb) << "channel " << ch;
    }
}

// LAME at its default quality keeps a steady tone some 26 dB above its coding noise up to
// 192 kbit/s; at 320 kbit/s it has bits to spare (near 80 dB).
INSTANTIATE_TEST_SUITE_P(Configurations, BladeEncRoundTrip,
    testing::Values(
        Case{44100, BE_MP3_MODE_STEREO, 128, false, false, false, false, 22},
        Case{44100, BE_MP3_MODE_STEREO, 40, true, false, true, false, 20},
        Case{48000, BE_MP3_MODE_STEREO, 320, false, false, true, true, 60},
        Case{48000, BE_MP3_MODE_MONO, 40, false, true, false, true, 20},
        Case{32000, BE_MP3_MODE_MONO, 320, true, true, true, true, 60},
        Case{32000, BE_MP3_MODE_DUALCHANNEL, 96, false, false, false, true, 22},
        Case{44100, BE_MP3_MODE_MONO, 64, true, false, false, false, 22},
        Case{44100, BE_MP3_MODE_JSTEREO, 192, false, true, false, false, 25}),
    Name);

}  // namespace

namespace {

// Deterministic white noise: the hardest input for the bit reservoir.
std::vector<std::int16_t> Noise(std::size_t samples)
{
    std::vector<std::int16_t> pcm(samples);
    std::uint32_t state = 12345;
    for (auto& s : pcm) {
        state = state * 1664525u + 1013904223u;
        s = static_cast<std::int16_t>(state >> 16);
    }
    return pcm;
}

TEST(BladeEnc, ChunksOfAnySizeStillGiveWholeFramesWithinTheBuffer)
{
    const auto pcm = Noise(32000 * 2 * 2);
    const Encoding e = Encode(Config(32000, BE_MP3_MODE_STEREO, 320, false, true), pcm, {2, 2304, 1000, 46, 2302, 8});
    EXPECT_EQ(e.chunkSamples, 2304u);
    for (std::size_t i = 0; i < e.pieces.size(); ++i) {
        SCOPED_TRACE("call " + std::to_string(i));
        Frames(e.pieces[i]);
    }
    const auto headers = Frames(e.mp3);
    const Decoded d = Decode(e.mp3);
    ASSERT_EQ(d.channels, 2);
    const long decoded = static_cast<long>(d.pcm.size()) / 2;
    EXPECT_EQ(decoded, static_cast<long>(headers.size()) * kFrameSamples);
    EXPECT_GE(decoded, static_cast<long>(pcm.size()) / 2 + kCodecDelay);
    EXPECT_LT(decoded, static_cast<long>(pcm.size()) / 2 + kCodecDelay + kFrameSamples);
}

TEST(BladeEnc, StreamsOpenTogetherDoNotDisturbEachOther)
{
    const auto stereo = Config(44100, BE_MP3_MODE_STEREO, 128);
    const auto mono = Config(48000, BE_MP3_MODE_MONO, 64, false, false, true);
    const auto left = Tone(44100, {443, 997}, 44100);
    const auto right = Tone(48000, {997}, 48000);
    const auto alone1 = Encode(stereo, left).mp3;
    const auto alone2 = Encode(mono, right).mp3;

    HBE_STREAM s1 = 0, s2 = 0;
    std::uint32_t c1 = 0, c2 = 0, b1 = 0, b2 = 0;
    ASSERT_EQ(beInitStream(&stereo, &c1, &b1, &s1), BE_ERR_SUCCESSFUL);
    ASSERT_EQ(beInitStream(&mono, &c2, &b2, &s2), BE_ERR_SUCCESSFUL);
    EXPECT_NE(s1, s2);
    std::vector<std::uint8_t> out(std::max(b1, b2)), mp3a, mp3b;
    std::uint32_t bytes = 0;
    for (std::size_t a = 0, b = 0; a < left.size() || b < right.size(); a += c1, b += c2) {
        if (a < left.size()) {
            const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(c1, left.size() - a));
            ASSERT_EQ(beEncodeChunk(s1, n, left.data() + a, out.data(), &bytes), BE_ERR_SUCCESSFUL);
            mp3a.insert(mp3a.end(), out.begin(), out.begin() + bytes);
        }
        if (b < right.size()) {
            const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(c2, right.size() - b));
            ASSERT_EQ(beEncodeChunk(s2, n, right.data() + b, out.data(), &bytes), BE_ERR_SUCCESSFUL);
            mp3b.insert(mp3b.end(), out.begin(), out.begin() + bytes);
        }
    }
    ASSERT_EQ(beDeinitStream(s2, out.data(), &bytes), BE_ERR_SUCCESSFUL);
    mp3b.insert(mp3b.end(), out.begin(), out.begin() + bytes);
    EXPECT_EQ(beCloseStream(s2), BE_ERR_SUCCESSFUL);
    ASSERT_EQ(beDeinitStream(s1, out.data(), &bytes), BE_ERR_SUCCESSFUL);
    mp3a.insert(mp3a.end(), out.begin(), out.begin() + bytes);
    EXPECT_EQ(beCloseStream(s1), BE_ERR_SUCCESSFUL);
    EXPECT_EQ(mp3a, alone1);
    EXPECT_EQ(mp3b, alone2);
}

TEST(BladeEnc, RefusesConfigurationsItCannotEncode)
{
    std::uint32_t chunk = 0, size = 0;
    HBE_STREAM stream = 0;
    const auto good = Config(44100, BE_MP3_MODE_STEREO, 128);
    EXPECT_EQ(beInitStream(nullptr, &chunk, &size, &stream), BE_ERR_INVALID_FORMAT_PARAMETERS);
    EXPECT_EQ(beInitStream(&good, nullptr, &size, &stream), BE_ERR_INVALID_FORMAT_PARAMETERS);
    EXPECT_EQ(beInitStream(&good, &chunk, nullptr, &stream), BE_ERR_INVALID_FORMAT_PARAMETERS);
    EXPECT_EQ(beInitStream(&good, &chunk, &size, nullptr), BE_ERR_INVALID_FORMAT_PARAMETERS);

    auto other = good;
    other.dwConfig = 256;  // a configuration type this interface does not know
    EXPECT_EQ(beInitStream(&other, &chunk, &size, &stream), BE_ERR_INVALID_FORMAT);
    for (unsigned rate : {0u, 8000u, 22050u, 24000u, 96000u}) {
        const auto c = Config(rate, BE_MP3_MODE_STEREO, 128);
        EXPECT_EQ(beInitStream(&c, &chunk, &size, &stream), BE_ERR_INVALID_FORMAT_PARAMETERS) << rate;
    }
    for (unsigned kbps : {0u, 8u, 16u, 100u, 144u, 384u, 65535u}) {
        const auto c = Config(44100, BE_MP3_MODE_STEREO, kbps);
        EXPECT_EQ(beInitStream(&c, &chunk, &size, &stream), BE_ERR_INVALID_FORMAT_PARAMETERS) << kbps;
    }
    for (unsigned mode : {4u, 255u}) {
        const auto c = Config(44100, mode, 128);
        EXPECT_EQ(beInitStream(&c, &chunk, &size, &stream), BE_ERR_INVALID_FORMAT_PARAMETERS) << mode;
    }
    EXPECT_EQ(stream, 0u) << "no stream handed out for a refused record";

    // The record is read as the packed bytes the component writes.
    std::uint8_t raw[sizeof(BE_CONFIG)] = {};
    const std::uint32_t rate = 32000;
    const std::uint16_t kbps = 40;
    std::memcpy(raw + 4, &rate, 4);
    raw[8] = BE_MP3_MODE_MONO;
    std::memcpy(raw + 9, &kbps, 2);
    BE_CONFIG fromBytes;
    std::memcpy(&fromBytes, raw, sizeof raw);
    ASSERT_EQ(beInitStream(&fromBytes, &chunk, &size, &stream), BE_ERR_SUCCESSFUL);
    EXPECT_EQ(chunk, 1152u);
    EXPECT_GE(size, 144000u * 40 / 32000 + 1);
    EXPECT_EQ(beCloseStream(stream), BE_ERR_SUCCESSFUL);
}

TEST(BladeEnc, MisusedStreamsGiveErrorCodes)
{
    const auto config = Config(44100, BE_MP3_MODE_STEREO, 128);
    std::uint32_t chunk = 0, size = 0, bytes = 7;
    HBE_STREAM stream = 0;
    ASSERT_EQ(beInitStream(&config, &chunk, &size, &stream), BE_ERR_SUCCESSFUL);
    ASSERT_NE(stream, 0u);
    std::vector<std::uint8_t> out(size);
    const auto pcm = Tone(44100, {443, 997}, chunk);

    EXPECT_EQ(beEncodeChunk(stream + 1000, 4, pcm.data(), out.data(), &bytes), BE_ERR_INVALID_HANDLE);
    EXPECT_EQ(bytes, 0u);
    EXPECT_EQ(beEncodeChunk(0, 4, pcm.data(), out.data(), &bytes), BE_ERR_INVALID_HANDLE);
    EXPECT_EQ(beEncodeChunk(stream, 4, nullptr, out.data(), &bytes), BE_ERR_INVALID_FORMAT_PARAMETERS);
    EXPECT_EQ(beEncodeChunk(stream, 4, pcm.data(), nullptr, &bytes), BE_ERR_INVALID_FORMAT_PARAMETERS);
    EXPECT_EQ(beEncodeChunk(stream, 4, pcm.data(), out.data(), nullptr), BE_ERR_INVALID_FORMAT_PARAMETERS);
    EXPECT_EQ(beEncodeChunk(stream, chunk + 2, pcm.data(), out.data(), &bytes), BE_ERR_INVALID_FORMAT_PARAMETERS)
        << "more than one chunk";
    EXPECT_EQ(beEncodeChunk(stream, 3, pcm.data(), out.data(), &bytes), BE_ERR_INVALID_FORMAT_PARAMETERS)
        << "half a stereo sample frame";
    EXPECT_EQ(beEncodeChunk(stream, 0, nullptr, out.data(), &bytes), BE_ERR_SUCCESSFUL);
    EXPECT_EQ(bytes, 0u);
    EXPECT_EQ(beDeinitStream(stream + 1000, out.data(), &bytes), BE_ERR_INVALID_HANDLE);
    EXPECT_EQ(beDeinitStream(stream, nullptr, &bytes), BE_ERR_INVALID_FORMAT_PARAMETERS);
    EXPECT_EQ(beDeinitStream(stream, out.data(), nullptr), BE_ERR_INVALID_FORMAT_PARAMETERS);

    // The refused calls left the stream intact: it still encodes a whole, decodable run.
    std::vector<std::uint8_t> mp3;
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(beEncodeChunk(stream, chunk, pcm.data(), out.data(), &bytes), BE_ERR_SUCCESSFUL);
        mp3.insert(mp3.end(), out.begin(), out.begin() + bytes);
    }
    ASSERT_EQ(beDeinitStream(stream, out.data(), &bytes), BE_ERR_SUCCESSFUL);
    mp3.insert(mp3.end(), out.begin(), out.begin() + bytes);
    // 20 chunks, plus 576 samples of delay and as many of padding: 21 frames.
    EXPECT_EQ(Frames(mp3).size(), 21u);

    // A finished stream takes no more samples and has nothing more to give.
    EXPECT_EQ(beEncodeChunk(stream, chunk, pcm.data(), out.data(), &bytes), BE_ERR_INVALID_HANDLE);
    EXPECT_EQ(beDeinitStream(stream, out.data(), &bytes), BE_ERR_SUCCESSFUL);
    EXPECT_EQ(bytes, 0u);
    EXPECT_EQ(beCloseStream(stream), BE_ERR_SUCCESSFUL);
    EXPECT_EQ(beCloseStream(stream), BE_ERR_INVALID_HANDLE);
    EXPECT_EQ(beEncodeChunk(stream, chunk, pcm.data(), out.data(), &bytes), BE_ERR_INVALID_HANDLE);
    EXPECT_EQ(beCloseStream(0), BE_ERR_INVALID_HANDLE);

    // A stream that never got a sample still ends in whole frames.
    ASSERT_EQ(beInitStream(&config, &chunk, &size, &stream), BE_ERR_SUCCESSFUL);
    ASSERT_EQ(beDeinitStream(stream, out.data(), &bytes), BE_ERR_SUCCESSFUL);
    ASSERT_LE(bytes, size);
    Frames(std::vector<std::uint8_t>(out.begin(), out.begin() + bytes));
    EXPECT_EQ(beCloseStream(stream), BE_ERR_SUCCESSFUL);

    // A stream closed without its flush is simply dropped.
    ASSERT_EQ(beInitStream(&config, &chunk, &size, &stream), BE_ERR_SUCCESSFUL);
    ASSERT_EQ(beEncodeChunk(stream, chunk, pcm.data(), out.data(), &bytes), BE_ERR_SUCCESSFUL);
    EXPECT_EQ(beCloseStream(stream), BE_ERR_SUCCESSFUL);
}

TEST(BladeEnc, NamesTheInterfaceAndEngineVersions)
{
    const auto v = beVersionStrings();
    EXPECT_EQ(v.interfaceVersion, "1.0");
    ASSERT_FALSE(v.engineVersion.empty());
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(v.engineVersion[0]))) << v.engineVersion;
    EXPECT_NE(v.engineVersion.find('.'), std::string::npos) << v.engineVersion;
}

}  // namespace
