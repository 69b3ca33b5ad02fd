#include "run/CdNames.h"

#include "mpeg/MPEGNames.h"

#include <QString>

FileNameFields FieldsOfDetails(int number, const TrackDetails& details)
{
    FileNameFields f;
    f.track = number;
    f.title = details.title;
    f.artist = details.artist;
    f.album = details.album;
    f.year = details.year;
    return f;
}

FileNameFields FieldsOfFound(int number, const DiscDetails* found)
{
    FileNameFields f;
    f.track = number;
    if (!found)
        return f;
    if (const FoundTrack* t = found->Track(number))
        f.title = t->title;
    f.artist = found->ArtistOf(number);
    f.album = found->album;
    f.year = found->year;
    return f;
}

TrackDetails DetailsOfFound(int number, const DiscDetails& found, int defaultYear)
{
    TrackDetails d;
    d.track = number;
    if (const FoundTrack* t = found.Track(number)) {
        d.title = t->title;
        d.composer = t->composer;
        d.isrc = t->isrc;
    }
    d.artist = found.ArtistOf(number);
    d.album = found.album;
    d.year = found.year > 0 ? found.year : defaultYear;
    if (!found.genre.empty()) {
        const QString wanted = QString::fromStdString(found.genre);
        for (int genre = 0; genre < kGenreCount; ++genre)
            if (wanted.compare(QString::fromStdString(GenreName(genre)), Qt::CaseInsensitive) == 0)
                d.genre = genre;
    }
    return d;
}

std::string CdTrackFileName(const std::vector<CdNamedTrack>& listed, int track, const std::string& folder,
                            const std::string& pattern, bool safeNames)
{
    std::vector<std::string> names;
    std::size_t mine = 0;
    bool found = false;
    for (const CdNamedTrack& t : listed) {
        if (!t.chosen && t.number != track)
            continue;
        if (t.number == track) {
            mine = names.size();
            found = true;
        }
        names.push_back(FileNameFromTemplate(pattern, t.fields, safeNames));
    }
    if (!found) {
        FileNameFields f;
        f.track = track;
        mine = names.size();
        names.push_back(FileNameFromTemplate(pattern, f, safeNames));
    }
    MakeNamesDistinct(names);
    return folder + names[mine] + ".mp3";
}

std::string RipFilesName(const std::string& album, bool safeNames)
{
    if (album.empty())
        return "Rip";
    FileNameFields f;
    f.album = album;
    return FileNameFromTemplate("%A", f, safeNames);
}
