#include "disc/DiscReaders.h"

#include "disc/AccurateRip.h"
#include "disc/CdImageSheet.h"

namespace {
std::unique_ptr<CdImageSource> openCheckedImage(const std::string& path)
{
    return std::make_unique<CdImageReader>(CheckCdImage(path));
}

std::unique_ptr<TrackSummer> makeTrackSummer(std::int64_t totalFrames, bool firstTrack, bool lastTrack)
{
    return std::make_unique<TrackChecksummer>(totalFrames, firstTrack, lastTrack);
}
}  // namespace

void InstallDiscReaders()
{
    SetCdImageOpener(&openCheckedImage);
    SetTrackSummerMaker(&makeTrackSummer);
}
