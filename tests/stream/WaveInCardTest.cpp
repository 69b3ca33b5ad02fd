// The recorder on the program's own sound card: a software tone line recorded at the fast
// clock in both handling modes, and in a format the card reaches through the converter.
#include "platform/card/SoundCard.h"
#include "platform/card/testing/ToneLine.h"
#include "stream/MMWRec.h"
#include "support/RunEvents.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"
#include "support/TestCard.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {
// The tone line alone selected for recording, at unity volume and master.
void selectToneLine(SoundCard& card)
{
    ASSERT_TRUE(SelectOnlyForRecording(card.Mixer(), 0, 65535, 65535, true));
}

struct CardRig {
    CardRig()
    {
        card = std::make_unique<SoundCard>(TestCardSettings(true));
        selectToneLine(*card);
    }
    // Records one second in the given way and returns the file's samples.
    std::vector<std::int16_t> RecordSecond(TMMCBMode mode, int channels, int rate)
    {
        TMMWaveRecorder rec("Rec");
        rec.SetCallBackMode(mode);
        rec.SetMode(channels == 2 ? mStereo : mMono);
        rec.SetBitLength(b16Bit);
        rec.SetSampleRate(rate);
        rec.SetTimeFormat(tfMillisecond);
        rec.SetMaxRecordTime(1000);
        rec.Wave()->SetFileName(file);
        rec.StartRecording();
        EXPECT_TRUE(RunEventsUntil([&] { return !rec.IsOpened(); }));
        const SndInfo info = SndOpenInfo(file);
        EXPECT_EQ(info.channels, channels);
        EXPECT_EQ(info.rate, rate);
        EXPECT_EQ(info.frames, rate);
        return SndReadShorts(file);
    }

    SoundLineRegistration tone = RegisterToneLine(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, 1000, 16384);
    std::unique_ptr<SoundCard> card;
    TempDir dir;
    std::string file = dir.File("card.wav");
};
}  // namespace

TEST(WaveInOnTheCard, RecordsTheToneLineInBothHandlingModes)
{
    CardRig rig;
    for (TMMCBMode mode : {cmWindow, cmThread}) {
        const std::vector<std::int16_t> got = rig.RecordSecond(mode, 2, 44100);
        ASSERT_EQ(got.size(), 2u * 44100);
        // The line plays on between recordings: find where in its second this one began.
        std::int64_t phase = 0;
        long best = -1;
        for (std::int64_t p = 0; p < 44100; ++p) {
            long err = 0;
            for (std::size_t i = 0; i < 64; ++i)
                err += std::abs(got[2 * i] - ToneSample(1000, 16384, p + static_cast<std::int64_t>(i)));
            if (best < 0 || err < best) {
                best = err;
                phase = p;
            }
        }
        int worst = 0;
        for (std::size_t i = 0; i < got.size(); ++i)
            worst = std::max(worst, std::abs(got[i] - ToneSample(1000, 16384, phase + static_cast<std::int64_t>(i / 2))));
        EXPECT_LE(worst, 1) << "mode " << mode;
    }
}

TEST(WaveInOnTheCard, OtherFormatsComeThroughTheConverter)
{
    CardRig rig;
    const std::vector<std::int16_t> got = rig.RecordSecond(cmWindow, 1, 22050);
    ASSERT_EQ(got.size(), 22050u);
    int peak = 0;
    for (std::int16_t s : got)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_NEAR(peak, 16384, 200);
}
