// A split take adjusted as the user does it: merged neighbours and moved cuts keep every
// sample in exactly one track, and a cut never leaves a track shorter than a second.
#include "run/TrackSplit.h"

#include <gtest/gtest.h>

namespace {
constexpr std::int64_t kRate = 44100;

// The tracks follow one another without gap or overlap over [0, total).
void ExpectCovers(const TrackSplit& split, std::int64_t total)
{
    std::int64_t next = 0;
    for (const TrackSpan& t : split.Tracks()) {
        EXPECT_EQ(t.first, next);
        EXPECT_GE(t.frames, kRate);
        next = t.first + t.frames;
    }
    EXPECT_EQ(next, total);
}
}  // namespace

TEST(TrackSplit, MovedCutsAndMergedNeighboursKeepEverySampleInOneTrack)
{
    TrackSplit split({{0, 10 * kRate}, {10 * kRate, 20 * kRate}, {30 * kRate, 6 * kRate}}, kRate);
    const std::int64_t total = 36 * kRate;
    ASSERT_TRUE(split.MoveCut(0, -2.0));
    EXPECT_EQ(split.Tracks()[1].first, 8 * kRate);
    ExpectCovers(split, total);
    // As far as the shorter neighbour keeps one second, no further.
    ASSERT_TRUE(split.MoveCut(1, 60.0));
    EXPECT_EQ(split.Tracks()[2].frames, kRate);
    EXPECT_FALSE(split.MoveCut(1, 1.0)) << "cannot move at all";
    EXPECT_FALSE(split.MoveCut(2, -1.0)) << "no cut after the last track";
    ExpectCovers(split, total);

    ASSERT_TRUE(split.MergeWithNext(0));
    ASSERT_EQ(split.Tracks().size(), 2u);
    EXPECT_EQ(split.Tracks()[0].frames, total - kRate);
    EXPECT_FALSE(split.MergeWithNext(1));
    ExpectCovers(split, total);
}
