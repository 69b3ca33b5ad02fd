#include "discinfo/DiscDetails.h"

const FoundTrack* DiscDetails::Track(int number) const
{
    const long index = long(number) - firstTrack;
    return index >= 0 && index < long(tracks.size()) ? &tracks[std::size_t(index)] : nullptr;
}

std::string DiscDetails::ArtistOf(int number) const
{
    const FoundTrack* t = Track(number);
    return t && !t->artist.empty() ? t->artist : artist;
}

std::string DiscDetails::ChoiceLine() const
{
    std::string line = (artist.empty() ? std::string("Unknown artist") : artist) + " - " +
                       (album.empty() ? std::string("Unknown album") : album) + " (";
    if (year > 0)
        line += std::to_string(year) + ", ";
    if (!release.empty())
        line += release + ", ";
    return line + std::to_string(tracks.size()) + " tracks)";
}
