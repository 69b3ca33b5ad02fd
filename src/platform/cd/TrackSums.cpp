#include "platform/cd/TrackSums.h"

#include <atomic>

namespace {
std::atomic<TrackSummerMaker> installedMaker{nullptr};
}  // namespace

void SetTrackSummerMaker(TrackSummerMaker maker)
{
    installedMaker.store(maker);
}

std::unique_ptr<TrackSummer> MakeTrackSummer(std::int64_t totalFrames, bool firstTrack, bool lastTrack)
{
    const TrackSummerMaker maker = installedMaker.load();
    return maker ? maker(totalFrames, firstTrack, lastTrack) : nullptr;
}
