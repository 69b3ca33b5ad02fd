#include "discinfo/DiscDetails.h"

#include <QCoreApplication>
#include <QStringList>

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
    const QString who = artist.empty() ? QCoreApplication::translate("DiscDetails", "Unknown artist")
                                       : QString::fromStdString(artist);
    const QString what = album.empty() ? QCoreApplication::translate("DiscDetails", "Unknown album")
                                       : QString::fromStdString(album);
    QStringList about;
    if (year > 0)
        about << QString::number(year);
    if (!release.empty())
        about << QString::fromStdString(release);
    about << QCoreApplication::translate("DiscDetails", "%1 tracks").arg(int(tracks.size()));
    return QString("%1 - %2 (%3)").arg(who, what, about.join(", ")).toStdString();
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
