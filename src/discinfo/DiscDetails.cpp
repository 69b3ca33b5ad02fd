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

bool DiscDetails::HasUsableTitles() const
{
    for (const FoundTrack& t : tracks)
        if (t.title.find_first_not_of(" \t\r\n") != std::string::npos)
            return true;
    return false;
}

namespace {
void cap(std::string& text)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Each byte that is not a continuation byte starts a character.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++characters > kMaxOutsideText) {
            text.resize(i);
            return;
        }
    }
}
}  // namespace

void DiscDetails::CapTexts()
{
    for (std::string* text : {&artist, &album, &genre, &release, &source})
        cap(*text);
    for (FoundTrack& t : tracks) {
        cap(t.title);
        cap(t.artist);
    }
}
