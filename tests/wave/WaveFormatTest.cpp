#include "wave/PcmConvert.h"
#include "wave/WaveFormat.h"

#include <clocale>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

TEST(MulDivRound, RoundsHalvesUpAndKeepsSixtyFourBitProducts)
{
    EXPECT_EQ(MulDivRound(3, 44100, 176400), 1);  // 0.75 -> 1
    EXPECT_EQ(MulDivRound(1, 1, 2), 1);           // 0.5 -> 1
    EXPECT_EQ(MulDivRound(1, 1, 3), 0);
    EXPECT_EQ(MulDivRound(5, 1, 0), 0) << "a zero divisor must not fault";
    // 4 GiB of bytes times a byte rate needs more than 64 bits in the product.
    const std::int64_t bytes = 0xFFFFFFF0LL;
    EXPECT_EQ(MulDivRound(bytes, 176400, 176400), bytes);
    EXPECT_EQ(MulDivRound(std::numeric_limits<std::int64_t>::max() / 2, 4, 4), std::numeric_limits<std::int64_t>::max() / 2);
}

TEST(WaveFormat, ConversionsFollowTheFormat)
{
    const TWaveFormatEx cd = pcmWaveFormat(16, 2, 44100);
    EXPECT_EQ(wioSamplesToBytes(&cd, 1), 4);
    EXPECT_EQ(wioBytesToSamples(&cd, 3), 1);
    EXPECT_EQ(wioBytesToTime(&cd, 176400), 1000);
    EXPECT_EQ(wioSamplesToTime(&cd, 22050), 500);
    EXPECT_EQ(wioTimeToSamples(&cd, 500), 22050);
    EXPECT_EQ(wioTimeToBytes(&cd, 3), 532) << "529.2 bytes round up to whole 4-byte blocks";
    // Block alignment 1 (a compressed byte stream): rounded byte count, no block rounding.
    TWaveFormatEx mp3{0x55, 2, 44100, 16000, 1, 0, 12};
    EXPECT_EQ(wioSamplesToBytes(&mp3, 1152), 418);  // 417.96 rounds to 418
    // A 4 GiB sample count in 64 bits.
    EXPECT_EQ(wioSamplesToBytes(&cd, 0x3FFFFFFFLL), 0xFFFFFFFCLL);
}

TEST(WaveFormat, FormatsWithZeroFieldsNeverDivideByZero)
{
    TWaveFormatEx broken{1, 2, 0, 0, 0, 16, 0};
    EXPECT_FALSE(wioIsUsableFormat(&broken));
    EXPECT_EQ(wioBytesToSamples(&broken, 100), 0);
    EXPECT_EQ(wioSamplesToBytes(&broken, 100), 0);
    EXPECT_EQ(wioTimeToSamples(&broken, 100), 0);
    TWaveFormatEx noChannels{1, 0, 44100, 176400, 4, 16, 0};
    EXPECT_NE(wioGetFormatDescription(&noChannels), "");
    EXPECT_EQ(wioSamplesToBytes(nullptr, 5), 0);
}

TEST(WaveFormat, SizeCopyAndPcmCheck)
{
    TWaveFormatEx f = pcmWaveFormat(16, 2, 44100);
    f.cbSize = 7;  // ignored for PCM
    EXPECT_EQ(wioSizeOfWaveFormat(&f), 18u);
    WaveFormatPtr copy = wioCopyWaveFormat(&f);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->cbSize, 0);
    EXPECT_EQ(copy->nBlockAlign, 4);
    EXPECT_EQ(copy->nAvgBytesPerSec, 176400u);
    EXPECT_EQ(wioSizeOfWaveFormat(nullptr), 0u);
    EXPECT_FALSE(wioCopyWaveFormat(nullptr));

    std::vector<unsigned char> withExtra(18 + 2, 0);
    auto* adpcm = reinterpret_cast<TWaveFormatEx*>(withExtra.data());
    adpcm->wFormatTag = 2;
    adpcm->cbSize = 2;
    withExtra[18] = 0xAB;
    withExtra[19] = 0xCD;
    EXPECT_EQ(wioSizeOfWaveFormat(adpcm), 20u);
    WaveFormatPtr adpcmCopy = wioCopyWaveFormat(adpcm);
    EXPECT_EQ(reinterpret_cast<unsigned char*>(adpcmCopy.get())[19], 0xCD);

    EXPECT_TRUE(pcmIsValidFormat(&f));
    for (TWaveFormatEx bad : {pcmWaveFormat(24, 2, 44100), pcmWaveFormat(16, 3, 44100), pcmWaveFormat(16, 2, 3999), pcmWaveFormat(16, 2, 100001)})
        EXPECT_FALSE(pcmIsValidFormat(&bad));
    EXPECT_TRUE(pcmIsValidFormat(&(f = pcmWaveFormat(8, 1, 4000))));
    EXPECT_TRUE(pcmIsValidFormat(&(f = pcmWaveFormat(8, 1, 100000))));
}

TEST(WaveFormat, NamesAndDescriptions)
{
    EXPECT_EQ(wioGetFormatTagName(0x55), "MPEG Layer-3");
    EXPECT_EQ(wioGetFormatTagName(0x11), "IMA ADPCM");
    EXPECT_EQ(wioGetFormatTagName(0x99), "Unknown");
    EXPECT_EQ(wioGetFormatTagName(0xFFFF), "*DEVELOPMENT ONLY TAG*");
    EXPECT_EQ(wioGetFormatName(nullptr), "Unknown");
    EXPECT_EQ(wioGetFormatDescription(nullptr), "Unknown");

    std::setlocale(LC_NUMERIC, "C");
    TWaveFormatEx f = pcmWaveFormat(16, 2, 44100);
    EXPECT_EQ(wioGetFormatDescription(&f), "44.100 kHz, 16 Bit, Stereo");
    f = pcmWaveFormat(8, 1, 8000);
    EXPECT_EQ(wioGetFormatDescription(&f), "8.000 kHz, 8 Bit, Mono");
    f = pcmWaveFormat(16, 6, 48000);
    EXPECT_EQ(wioGetFormatDescription(&f), "48.000 kHz, 16 Bit, 6 Channels");
    // Bits come from the byte rate: a 4-bit ADPCM shows 4.
    TWaveFormatEx ima{0x11, 1, 22050, 11025, 256, 4, 0};
    EXPECT_EQ(wioGetFormatDescription(&ima), "22.050 kHz, 4 Bit, Mono");
}

TEST(PcmConvert, SameFormatCopiesAndWidthChangesFollowTheSampleForms)
{
    const TWaveFormatEx cd = pcmWaveFormat(16, 2, 44100);
    const std::vector<std::uint8_t> in = [] {
        std::vector<std::uint8_t> v(4096);
        for (std::size_t i = 0; i < v.size(); ++i)
            v[i] = static_cast<std::uint8_t>(i * 7 + 3);
        return v;
    }();
    std::vector<std::uint8_t> out(4096 + 4);
    ASSERT_EQ(pcmConvert(4096, in.data(), &cd, out.data(), &cd), 4096);
    EXPECT_TRUE(std::equal(in.begin(), in.end(), out.begin()));

    // 8-bit mono 22050 -> 16-bit stereo 44100: each byte b becomes two frames of (b-128)*256.
    const TWaveFormatEx low = pcmWaveFormat(8, 1, 22050);
    const std::uint8_t bytes[] = {0, 128, 255, 1};
    std::vector<std::uint8_t> wide(pcmConvertedSize(4, &low, &cd) + 4);
    ASSERT_EQ(pcmConvertedSize(4, &low, &cd), 32);
    ASSERT_EQ(pcmConvert(4, bytes, &low, wide.data(), &cd), 32);
    const auto s16 = [&](std::size_t i) { return static_cast<std::int16_t>(wide[2 * i] | wide[2 * i + 1] << 8); };
    for (std::size_t b = 0; b < 4; ++b)
        for (std::size_t k = 0; k < 4; ++k)
            EXPECT_EQ(s16(b * 4 + k), (bytes[b] - 128) * 256) << "byte " << b << " value " << k;

    // 16 -> 8 bits: the high byte with its top bit flipped.
    const TWaveFormatEx m16 = pcmWaveFormat(16, 1, 8000), m8 = pcmWaveFormat(8, 1, 8000);
    const std::uint8_t words[] = {0x00, 0x80, 0xFF, 0x7F, 0x34, 0x12, 0xFF, 0xFF};  // -32768, 32767, 0x1234, -1
    std::uint8_t narrow[5] = {};
    ASSERT_EQ(pcmConvert(8, words, &m16, narrow, &m8), 4);
    EXPECT_EQ(narrow[0], 0x00);
    EXPECT_EQ(narrow[1], 0xFF);
    EXPECT_EQ(narrow[2], 0x92);
    EXPECT_EQ(narrow[3], 0x7F);
}

TEST(PcmConvert, StereoToMonoAveragesInTheUnsignedForm)
{
    const TWaveFormatEx s16 = pcmWaveFormat(16, 2, 8000), m16 = pcmWaveFormat(16, 1, 8000), s8 = pcmWaveFormat(8, 2, 8000), m8 = pcmWaveFormat(8, 1, 8000);
    const std::uint8_t frame[] = {100, 0, 201, 0};  // left 100, right 201
    std::uint8_t out[8] = {};
    ASSERT_EQ(pcmConvert(4, frame, &s16, out, &m16), 2);
    EXPECT_EQ(out[0] | out[1] << 8, 150);
    // -1 and -2 average to -2 (rounded down in the unsigned form), not -1.
    const std::uint8_t negative[] = {0xFF, 0xFF, 0xFE, 0xFF};
    ASSERT_EQ(pcmConvert(4, negative, &s16, out, &m16), 2);
    EXPECT_EQ(static_cast<std::int16_t>(out[0] | out[1] << 8), -2);
    const std::uint8_t bytes[] = {10, 13};
    ASSERT_EQ(pcmConvert(2, bytes, &s8, out, &m8), 1);
    EXPECT_EQ(out[0], 11);
    // 8-bit stereo to 16-bit mono: average, then widen.
    ASSERT_EQ(pcmConvert(2, bytes, &s8, out, &m16), 2);
    EXPECT_EQ(static_cast<std::int16_t>(out[0] | out[1] << 8), (11 - 128) * 256);
}

TEST(PcmConvert, RateStepIsSampleAndHoldPerBlock)
{
    const TWaveFormatEx hi = pcmWaveFormat(16, 2, 48000), cd = pcmWaveFormat(16, 2, 44100);
    std::vector<std::uint8_t> in(1024 * 4), out(1024 * 4 + 4);
    for (std::size_t i = 0; i < 1024; ++i) {  // frame i holds i in both channels
        in[4 * i] = in[4 * i + 2] = static_cast<std::uint8_t>(i);
        in[4 * i + 1] = in[4 * i + 3] = static_cast<std::uint8_t>(i >> 8);
    }
    EXPECT_EQ(pcmConvertedSize(4096, &hi, &cd), 940 * 4);
    ASSERT_EQ(pcmConvert(4096, in.data(), &hi, out.data(), &cd), 941 * 4) << "one frame over the converted size";
    // Dropping keeps frames in order, never repeats one and skips at most one at a time.
    int previous = -1;
    for (std::size_t k = 0; k < 941; ++k) {
        const int v = out[4 * k] | out[4 * k + 1] << 8;
        EXPECT_GT(v, previous);
        EXPECT_LE(v - previous, 2);
        previous = v;
    }
    // Each call starts its accumulator afresh: the two halves converted on their own give
    // 470 frames each, 940 together, where one call gave 941.
    std::vector<std::uint8_t> first(471 * 4), second(471 * 4);
    ASSERT_EQ(pcmConvert(2048, in.data(), &hi, first.data(), &cd), 470 * 4);
    ASSERT_EQ(pcmConvert(2048, in.data() + 2048, &hi, second.data(), &cd), 470 * 4);
    EXPECT_EQ(first[0] | first[1] << 8, 0);
    EXPECT_EQ(second[0] | second[1] << 8, 512) << "the second block starts with its own first frame";

    // Up-sampling 8000 -> 44100: the accumulator starts at half the destination rate, so
    // the first frame is held 3 times, later ones 5 or 6 times; all within the room.
    const TWaveFormatEx slow = pcmWaveFormat(16, 2, 8000);
    std::vector<std::uint8_t> up(pcmConvertedSize(4096, &slow, &cd) + 4);
    const std::int64_t n = pcmConvert(4096, in.data(), &slow, up.data(), &cd);
    EXPECT_LE(n, static_cast<std::int64_t>(up.size()));
    std::vector<int> runs(1024, 0);
    for (std::int64_t k = 0; k < n / 4; ++k)
        ++runs.at(static_cast<std::size_t>(up[4 * k] | up[4 * k + 1] << 8));
    EXPECT_EQ(runs[0], 3);
    for (std::size_t i = 1; i < 1024; ++i)
        EXPECT_TRUE(runs[i] == 5 || runs[i] == 6) << i << ": " << runs[i];
}

TEST(PcmConvert, RefusesWhatIsNotAPcmClass)
{
    const TWaveFormatEx cd = pcmWaveFormat(16, 2, 44100);
    std::uint8_t in[12] = {}, out[64] = {};
    EXPECT_EQ(pcmConvert(3, in, &cd, out, &cd), 0) << "a partial frame converts nothing";
    EXPECT_EQ(pcmConvert(0, in, &cd, out, &cd), 0);
    EXPECT_EQ(pcmConvert(-5, in, &cd, out, &cd), -5);
    TWaveFormatEx deep = pcmWaveFormat(24, 2, 44100), adpcm = cd, zero = cd;
    adpcm.wFormatTag = 2;
    zero.nSamplesPerSec = 0;
    for (const TWaveFormatEx* bad : {&deep, &adpcm, &zero}) {
        EXPECT_EQ(pcmConvert(12, in, bad, out, &cd), -1);
        EXPECT_EQ(pcmConvert(12, in, &cd, out, bad), -1);
        EXPECT_EQ(pcmConvertedSize(12, bad, &cd), -1);
    }
    EXPECT_EQ(pcmConvert(12, in, nullptr, out, &cd), -1);
}

TEST(PcmConvert, NeverWritesMoreThanOneFrameOverTheConvertedSize)
{
    // The room callers allocate is the converted size plus one frame; check it holds over
    // many rate pairs and block lengths, with a guard zone behind the room.
    const std::uint32_t rates[] = {4000, 8000, 11025, 22050, 32000, 44100, 48000, 96000, 100000, 6671, 170275};
    std::vector<std::uint8_t> in(8 * 3001, 0x55);
    for (std::uint32_t src : rates)
        for (std::uint32_t dst : rates)
            for (std::int64_t frames : {0, 1, 2, 3, 97, 1024, 3001}) {
                const TWaveFormatEx s = pcmWaveFormat(16, 2, src), d = pcmWaveFormat(8, 1, dst);
                const std::int64_t room = pcmConvertedSize(frames * 4, &s, &d) + 1;
                std::vector<std::uint8_t> out(static_cast<std::size_t>(room) + 64, 0xEE);
                const std::int64_t n = pcmConvert(frames * 4, in.data(), &s, out.data(), &d);
                ASSERT_LE(n, room) << src << " -> " << dst << ", " << frames << " frames";
                ASSERT_EQ(out[static_cast<std::size_t>(room)], 0xEE);
            }
}
