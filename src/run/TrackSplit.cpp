#include "run/TrackSplit.h"

#include "discinfo/DiscLookup.h"
#include "discinfo/FileNames.h"
#include "platform/os/InstanceFolder.h"
#include "wave/WaveIO.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

TrackSplit TrackSplit::Propose(const std::string& wave, const SilenceSplitOptions& options)
{
    unsigned rate = 44100;
    {
        PMMWaveIOInfo info;
        if (WaveIOOpen(wave, &info) == WIOERR_NOERROR && info && info->lpwfx)
            rate = info->lpwfx->nSamplesPerSec;
        WaveIOFree(info);
    }
    return TrackSplit(SplitWaveFileAtSilences(wave, options), rate);
}

bool TrackSplit::MergeWithNext(std::size_t i)
{
    if (i + 1 >= tracks_.size())
        return false;
    tracks_[i].frames += tracks_[i + 1].frames;
    tracks_.erase(tracks_.begin() + static_cast<std::ptrdiff_t>(i + 1));
    return true;
}

bool TrackSplit::MoveCut(std::size_t i, double seconds)
{
    if (i + 1 >= tracks_.size())
        return false;
    TrackSpan& before = tracks_[i];
    TrackSpan& after = tracks_[i + 1];
    const auto shortest = static_cast<std::int64_t>(kShortestTrackSeconds * rate_);
    // The cut moves within what leaves both tracks their shortest length.
    const std::int64_t earliest = std::min(-(before.frames - shortest), std::int64_t(0));
    const std::int64_t latest = std::max(after.frames - shortest, std::int64_t(0));
    const std::int64_t wanted = std::llround(seconds * rate_);
    const std::int64_t by = std::clamp(wanted, earliest, latest);
    if (by == 0)
        return false;
    before.frames += by;
    after.first += by;
    after.frames -= by;
    return true;
}

TrackSpan TrackSplit::AroundCut(std::size_t i, double seconds) const
{
    if (i + 1 >= tracks_.size())
        return {};
    const std::int64_t cut = tracks_[i + 1].first;
    const std::int64_t reach = std::llround(seconds * rate_);
    const std::int64_t first = std::max<std::int64_t>(cut - reach, 0);
    const std::int64_t end = std::min(cut + reach, tracks_.back().first + tracks_.back().frames);
    return {first, end - first};
}

std::vector<std::string> TrackFileNames(const std::string& folder, const TrackNaming& naming, std::size_t count)
{
    const LookupSettings settings = ReadLookupSettings();
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) {
        FileNameFields fields;
        fields.track = static_cast<int>(i + 1);
        fields.title = naming.title;
        fields.artist = naming.artist;
        fields.album = naming.album;
        fields.year = naming.year;
        names.push_back(FileNameFromTemplate(settings.fileNames, fields, settings.safeNames));
    }
    MakeNamesDistinct(names);
    for (std::string& name : names)
        name = (std::filesystem::path(folder) / (name + ".mp3")).string();
    return names;
}

std::string WriteTrackPart(const std::string& take, const TrackSpan& span, std::size_t number)
{
    const std::string part = InstanceFolder() + ".track-" + std::to_string(number) + ".wav";
    CopyWaveSpan(take, span, part);
    return part;
}
