// Wave files that are not 16-bit stereo 44100 Hz, driven through the wizard: the
// conversion keeps their sound. The MP3 is decoded by libmpg123 and measured: a tone fitted
// and notched out (THD+N), a spectrum for images, the channels of a downmix.
#include "app/WizardFixture.h"
#include "support/AudioOracles.h"
#include "support/WaveFixtures.h"

#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <sndfile.h>

namespace {
constexpr long kSecond = 44100;

class ConversionRoadTest : public WizardTest {
protected:
    // Encodes `input` through the wizard at slider position `position` (9: 128 kbit/s) and
    // decodes the MP3 written next to it.
    DecodedMp3 EncodeAndDecode(const std::string& input, int position = 9)
    {
        WalkToOptions(input);
        Find<QSlider>("MMSlider1")->setValue(position);
        Click("EncodeOptionsNext");
        EXPECT_TRUE(WaitForFinish());
        EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
        EXPECT_EQ(Find<QProgressBar>("MMGauge2")->value(), 100);
        EXPECT_FALSE(std::filesystem::exists(settings.TemporaryWave()));
        const std::string mp3 = input.substr(0, input.size() - 4) + ".mp3";
        return DecodeMp3File(mp3);
    }

    // A tone at 10 kHz in a file at `rate` and `format` keeps distortion and noise at least
    // 30 dB below it, as a direct encoding of the same tone does.
    void ExpectCleanTenKilohertzTone(int rate, int format)
    {
        const long frames = 2L * rate;
        const std::string input = Input("tone.wav");
        ASSERT_TRUE(SndWriteDoubles(input, format, 2, rate, ToneDoubles(rate, {10000, 10000}, frames, 0.5)));
        const DecodedMp3 d = EncodeAndDecode(input);
        ASSERT_EQ(d.rate, 44100);
        ASSERT_EQ(d.channels, 2);
        const long outFrames = 2 * kSecond;
        EXPECT_GE(d.Frames(), outFrames + kMp3CodecDelay);
        EXPECT_LT(d.Frames(), outFrames + kMp3CodecDelay + 2 * kMp3FrameSamples);
        for (int ch = 0; ch < 2; ++ch) {
            const ToneFit fit = FitTone(d.pcm, 2, ch, 44100, 10000, kMp3CodecDelay + kSecond / 4, kSecond);
            EXPECT_NEAR(fit.amplitude, 16384, 16384 * 0.12) << "channel " << ch;
            EXPECT_LE(fit.ThdNoiseDb(), -30) << "channel " << ch;
        }
    }
};
}  // namespace

TEST_F(ConversionRoadTest, A48KilohertzSixteenBitToneStaysClean)
{
    ExpectCleanTenKilohertzTone(48000, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
}

TEST_F(ConversionRoadTest, A96KilohertzTwentyFourBitToneStaysClean)
{
    ExpectCleanTenKilohertzTone(96000, SF_FORMAT_WAV | SF_FORMAT_PCM_24);
}

TEST_F(ConversionRoadTest, Upsampling22050HertzLeavesNoImageAboveTenKilohertz)
{
    const int rate = 22050;
    const std::string input = Input("low.wav");
    ASSERT_TRUE(SndWriteDoubles(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, rate,
                                ToneDoubles(rate, {5000, 5000}, 2L * rate, 0.5)));
    // 320 kbit/s: the encoder's low-pass lies above the image at 22050 - 5000 Hz.
    const DecodedMp3 d = EncodeAndDecode(input, 14);
    ASSERT_EQ(d.channels, 2);
    ASSERT_GE(d.Frames(), 2 * kSecond);
    for (int ch = 0; ch < 2; ++ch)
        EXPECT_LT(StrongestAboveDb(d.pcm, 2, ch, 44100, kMp3CodecDelay + kSecond / 4, 32768, 10000), -60)
            << "channel " << ch;
}

TEST_F(ConversionRoadTest, FloatBeyondFullScaleClipsCleanly)
{
    const long frames = 2 * kSecond;
    const std::string input = Input("loud.wav");
    const auto loud = ToneDoubles(44100, {1000, 1000}, frames, 1.5);
    ASSERT_TRUE(SndWriteDoubles(input, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 44100, loud));
    std::vector<std::int16_t> clipped;
    for (double x : loud)
        clipped.push_back(static_cast<std::int16_t>(std::lround(std::clamp(x, -1.0, 1.0) * 32767)));
    const DecodedMp3 d = EncodeAndDecode(input);
    ASSERT_EQ(d.channels, 2);
    ASSERT_GE(d.Frames(), frames + kMp3CodecDelay);
    for (int ch = 0; ch < 2; ++ch) {
        EXPECT_EQ(BestDelay(clipped, d, 2, ch, frames, kMp3CodecDelay - 10, kMp3CodecDelay + 10), kMp3CodecDelay);
        // A sample that wrapped around would flip to the other side: far from the clipped tone.
        EXPECT_GT(AlignedSnr(clipped, d, 2, ch, frames, kMp3CodecDelay), 20.0) << "channel " << ch;
    }
}

TEST_F(ConversionRoadTest, FivePointOneIsMixedDownWithTheCentreInBothSides)
{
    // FL, FR, C, LFE, BL, BR as sox writes them: WAVE_FORMAT_EXTENSIBLE with mask 0x3F.
    const int rate = 48000;
    const std::vector<double> freqs = {440, 660, 1000, 50, 1500, 2500};
    const std::string input = Input("surround.wav");
    ASSERT_TRUE(SndWriteDoubles(input, SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 6, rate, ToneDoubles(rate, freqs, 2L * rate, 0.2),
                                {SF_CHANNEL_MAP_LEFT, SF_CHANNEL_MAP_RIGHT, SF_CHANNEL_MAP_CENTER, SF_CHANNEL_MAP_LFE,
                                 SF_CHANNEL_MAP_REAR_LEFT, SF_CHANNEL_MAP_REAR_RIGHT}));
    const Bytes file = ReadBytes(input);
    ASSERT_EQ(GetLe16(file, 20), 0xFFFE);
    ASSERT_EQ(GetLe32(file, 40), 0x3Fu) << "channel mask";

    const DecodedMp3 d = EncodeAndDecode(input);
    ASSERT_EQ(d.channels, 2);
    ASSERT_GE(d.Frames(), 2 * kSecond);
    const double full = 0.2 * 32768;
    const double h = 0.70710678 * full;
    // Expected amplitude of each tone on the left and the right side.
    const struct {
        double freq, left, right;
    } expected[] = {{440, full, 0}, {660, 0, full}, {1000, h, h}, {50, 0, 0}, {1500, h, 0}, {2500, 0, h}};
    for (const auto& e : expected) {
        const double got[2] = {FitTone(d.pcm, 2, 0, 44100, e.freq, kMp3CodecDelay + kSecond / 4, kSecond).amplitude,
                               FitTone(d.pcm, 2, 1, 44100, e.freq, kMp3CodecDelay + kSecond / 4, kSecond).amplitude};
        EXPECT_NEAR(got[0], e.left, full * 0.1) << e.freq << " Hz on the left";
        EXPECT_NEAR(got[1], e.right, full * 0.1) << e.freq << " Hz on the right";
    }
}

TEST_F(ConversionRoadTest, ExtensiblePcmAtCdQualityIsReadAsPcm)
{
    const long frames = 2 * kSecond + 333;
    const auto pcm = Tone(44100, {440, 1000}, frames);
    const std::string input = Input("extensible.wav");
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 2, 44100, pcm));
    ASSERT_EQ(GetLe16(ReadBytes(input), 20), 0xFFFE);
    const DecodedMp3 d = EncodeAndDecode(input);
    ASSERT_EQ(d.channels, 2);
    EXPECT_GE(d.Frames(), frames + kMp3CodecDelay);
    EXPECT_LT(d.Frames(), frames + kMp3CodecDelay + 2 * kMp3FrameSamples);
    for (int ch = 0; ch < 2; ++ch) {
        EXPECT_EQ(BestDelay(pcm, d, 2, ch, frames, kMp3CodecDelay - 10, kMp3CodecDelay + 10), kMp3CodecDelay);
        EXPECT_GT(AlignedSnr(pcm, d, 2, ch, frames, kMp3CodecDelay), 20.0) << "channel " << ch;
    }
}

TEST_F(ConversionRoadTest, CancelDuringATenMinute96KilohertzConversionEndsWithinAChunk)
{
    // Ten minutes of 24-bit stereo at 96 kHz (silence in a sparse file: no time spent writing it).
    const std::uint32_t dataBytes = 600u * 96000 * 6;
    const std::string input = Input("long96.wav");
    const Bytes header = RiffBuilder().Fmt(1, 2, 96000, 24).RawChunk("data", dataBytes, {}).RiffSize(36 + dataBytes).Build();
    WriteBytes(input, header);
    std::filesystem::resize_file(input, header.size() + dataBytes);
    WalkToOptions(input);

    auto* gauge = Find<QProgressBar>("MMGauge2");
    std::vector<int> seen;
    QObject::connect(gauge, &QProgressBar::valueChanged, [&](int v) { seen.push_back(v); });
    std::size_t seenAtCancel = 0;
    QTimer cancelWhenUnderWay;
    QObject::connect(&cancelWhenUnderWay, &QTimer::timeout, [&] {
        if (gauge->value() < 2 || gauge->value() == 100)
            return;
        cancelWhenUnderWay.stop();
        seenAtCancel = seen.size();
        Click("EncodeWavCancel");
    });
    cancelWhenUnderWay.start(0);
    Click("EncodeOptionsNext");  // the page's entry converts, letting window messages run
    ASSERT_GT(seenAtCancel, 0u) << "the cancel came during the conversion";
    // After the click only the closing 100: the chunk under way was the last one.
    EXPECT_EQ(std::vector<int>(seen.begin() + static_cast<std::ptrdiff_t>(seenAtCancel), seen.end()),
              std::vector<int>{100});
    EXPECT_LT(seen[seenAtCancel - 1], 10);
    EXPECT_TRUE(Find("EncodeWavAborted")->isVisible());
    EXPECT_FALSE(state.encodingInProgress);
    EXPECT_FALSE(std::filesystem::exists(Input("long96.mp3"))) << "no encoding was started";
    EXPECT_FALSE(std::filesystem::exists(settings.TemporaryWave()));
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
}
