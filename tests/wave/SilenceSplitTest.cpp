// A side of three tones with two 3 s gaps, a 0.8 s dip at -70 dB inside the second tone and
// pink noise at -62 dB under everything falls into exactly three tracks, cut in the middle
// of each gap as ffmpeg's silencedetect finds them, with every sample in one track.
#include "wave/SilenceSplit.h"

#include "support/AudioOracles.h"
#include "support/SplitFixtures.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <regex>

namespace {
constexpr int kRate = 44100;

}  // namespace

TEST(SilenceSplit, ASideOfThreeTonesSplitsIntoThreeTracksAtTheMiddleOfEachGapLosingNothing)
{
    TempDir dir;
    const std::string side = dir.File("side.wav");
    const std::vector<std::int16_t> pcm = ThreeTonesSide();
    ASSERT_TRUE(SndWriteShorts(side, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, pcm));

    const std::vector<TrackSpan> tracks = SplitWaveFileAtSilences(side, {});
    ASSERT_EQ(tracks.size(), 3u);
    // The dip at 38 s lies inside track 2.
    EXPECT_LT(tracks[1].first, 38L * kRate);
    EXPECT_GT(tracks[1].first + tracks[1].frames, 39L * kRate);

    // ffmpeg finds the same two gaps; each cut is in the middle of one.
    if (HaveTool("ffmpeg")) {
        const auto log = ToolOutput("ffmpeg -hide_banner -nostats -i " + ShellQuoted(side) +
                                    " -af silencedetect=noise=-45dB:d=1.5 -f null - 2>&1");
        ASSERT_TRUE(log);
        std::vector<double> starts, ends;
        const std::regex line(R"(silence_(start|end): ([0-9.]+))");
        for (auto it = std::sregex_iterator(log->begin(), log->end(), line); it != std::sregex_iterator(); ++it)
            ((*it)[1] == "start" ? starts : ends).push_back(std::stod((*it)[2]));
        ASSERT_EQ(starts.size(), 2u) << *log;
        ASSERT_EQ(ends.size(), 2u) << *log;
        for (int i = 0; i < 2; ++i)
            EXPECT_NEAR(double(tracks[std::size_t(i) + 1].first) / kRate, (starts[std::size_t(i)] + ends[std::size_t(i)]) / 2, 0.02);
    }

    // One file per track, in order; put back together they are the side, sample for sample.
    std::vector<std::int16_t> joined;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const std::string part = dir.File("part" + std::to_string(i) + ".wav");
        CopyWaveSpan(side, tracks[i], part);
        const std::vector<std::int16_t> samples = SndReadShorts(part);
        EXPECT_EQ(long(samples.size()), 2 * tracks[i].frames);
        joined.insert(joined.end(), samples.begin(), samples.end());
    }
    EXPECT_TRUE(joined == pcm);
}

TEST(SilenceSplit, ShortTracksJoinTheirNeighboursAndEdgeSilenceIsNoCut)
{
    // 1 s silence, 2 s tone, 2 s gap, 10 s tone, 2 s gap, 2 s tone, 1 s silence: the two short
    // tracks would be under 5 s, so both cuts go and one track remains; with a minimum of 2 s,
    // two cuts and none at the silent edges.
    const std::vector<std::pair<double, bool>> parts = {{1, false}, {2, true}, {2, false}, {10, true},
                                                        {2, false}, {2, true}, {1, false}};
    std::vector<std::int16_t> pcm;
    for (auto [seconds, loud] : parts)
        for (long i = 0; i < long(seconds * kRate); ++i) {
            const auto s = static_cast<std::int16_t>(loud ? std::lround(16000 * std::sin(i * 0.05)) : 0);
            pcm.insert(pcm.end(), {s, s});
        }
    const auto split = [&](double minTrack) {
        SilenceSplitter s(kRate, 2, {-45, 1.5, minTrack});
        s.Feed(pcm.data(), long(pcm.size() / 2));
        return s.Tracks();
    };
    EXPECT_EQ(split(5).size(), 1u);
    const std::vector<TrackSpan> three = split(2);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[1].first, 4L * kRate);
    EXPECT_EQ(three[2].first, 16L * kRate);
    EXPECT_EQ(three[2].first + three[2].frames, 20L * kRate);
}
