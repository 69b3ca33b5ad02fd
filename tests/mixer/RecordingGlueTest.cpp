// The hidden window's glue for the recording pages: the peak capture of the recorder's
// data event, the meter level of a peak, and the end of an encoding for its gauge.
#include "mixer/PeakLevels.h"
#include "mixer/Unit2.h"
#include "support/AudioOracles.h"
#include "support/RunEvents.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <sndfile.h>

#include <cstring>
#include <gtest/gtest.h>

namespace {
// A recorded buffer of interleaved 16-bit samples, as the recorder hands it on.
struct Buffer {
    explicit Buffer(std::vector<std::int16_t> samples) : block(samples.size() * 2)
    {
        std::memcpy(block.Header()->lpData, samples.data(), samples.size() * 2);
        block.Header()->dwBytesRecorded = static_cast<std::int32_t>(samples.size() * 2);
    }
    TMMBufferBlock block;
};
}  // namespace

TEST(PeakCapture, EveryFrameOfTheRecordedBytesFeedsItsOwnChannel)
{
    WizardState state;
    TForm2 form2(state, static_cast<IMixerService*>(nullptr));
    // 600 stereo frames: the loudest first-channel sample is the very first word, the
    // loudest second-channel sample is negative and lies past frame 256.
    std::vector<std::int16_t> samples(1200, 10);
    samples[0] = 3000;
    samples[2 * 500 + 1] = -20000;
    Buffer b(samples);
    form2.MMWaveRecorder1Data(&form2.MMWaveRecorder1, b.block.Header());
    EXPECT_EQ(state.PeakLevel1, 3000);
    EXPECT_EQ(state.PeakLevel2, 20000);

    // Peaks only rise; bytes past dwBytesRecorded are not looked at.
    samples.assign(1200, 0);
    samples[2 * 599] = 32000;
    Buffer quiet(samples);
    quiet.block.Header()->dwBytesRecorded = 4 * 599;
    form2.MMWaveRecorder1Data(&form2.MMWaveRecorder1, quiet.block.Header());
    EXPECT_EQ(state.PeakLevel1, 3000);

    // A clipping sample shows full scale.
    samples[2 * 7] = -32768;
    Buffer clip(samples);
    form2.MMWaveRecorder1Data(&form2.MMWaveRecorder1, clip.block.Header());
    EXPECT_EQ(state.PeakLevel1, 32767);
}

TEST(PeakCapture, MonoFeedsBothPeaks)
{
    std::int16_t p1 = 0, p2 = 0;
    const std::int16_t mono[] = {5, -700, 300};
    ScanPeaks(reinterpret_cast<const std::uint8_t*>(mono), sizeof mono, 1, p1, p2);
    EXPECT_EQ(p1, 700);
    EXPECT_EQ(p2, 700);
}

TEST(PeakCapture, MeterLevelRoundsTiesToEven)
{
    EXPECT_EQ(MeterLevel(0), 6);
    EXPECT_EQ(MeterLevel(2), 6);
    EXPECT_EQ(MeterLevel(4), 12);
    EXPECT_EQ(MeterLevel(64), 38);
    EXPECT_EQ(MeterLevel(256), 50);
    EXPECT_EQ(MeterLevel(1024), 62);
    EXPECT_EQ(MeterLevel(32767), 94);
}

TEST(EncodingEnd, ReportsCompletionUnlessCancelled)
{
    TempDir dir;
    WizardState state;
    TForm2 form2(state, static_cast<IMixerService*>(nullptr));
    std::vector<bool> ended;
    WizardHooks hooks;
    hooks.WriteTag = [](const std::string&) { return 0; };
    hooks.FinishUp = [] {};
    hooks.EnableTimer1 = [](bool) {};
    hooks.EncodingEnded = [&](bool completed) { ended.push_back(completed); };
    form2.SetWizardHooks(hooks);
    ASSERT_TRUE(SndWriteShorts(dir.File("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100,
                               Tone(44100, {440, 440}, 44100 * 20)));
    state.sourceKind = "midi";
    form2.StartEncoding(dir.File("in.wav"), dir.File("a.mp3"), 8, false, false);
    ASSERT_TRUE(RunEventsUntil([&] { return !state.encodingInProgress; }));
    state.cancel = true;
    form2.StartEncoding(dir.File("in.wav"), dir.File("b.mp3"), 8, false, false);
    form2.StopEncoding();
    ASSERT_TRUE(RunEventsUntil([&] { return !state.encodingInProgress; }));
    EXPECT_EQ(ended, (std::vector<bool>{true, false}));
}
