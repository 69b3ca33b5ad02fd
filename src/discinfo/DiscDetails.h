#pragma once
// What a source found about a disc: the album's details and each track's title and artist.
// Tracks are in disc order from `firstTrack`. Texts are UTF-8.
#include <cstddef>
#include <string>
#include <vector>

struct FoundTrack {
    std::string title;
    std::string artist;    // empty: the album's artist
    std::string composer;  // empty when unknown
    std::string isrc;      // the recording's code, empty when unknown
};

struct DiscDetails {
    std::string artist;
    std::string album;
    std::string genre;    // a name as the source gives it, empty when unknown
    int year = 0;         // 0 when unknown
    std::string release;  // country and format, to tell releases apart ("GB, CD")
    std::string catalog;  // the disc's UPC/EAN, empty when unknown
    std::string source;   // "MusicBrainz", "gnudb", "CD-Text", "cache"
    std::string mbid;     // the MusicBrainz release ID, empty when not from MusicBrainz
    bool frontCover = false;  // the Cover Art Archive holds a front cover of the release
    int firstTrack = 1;
    std::vector<FoundTrack> tracks;

    // The found track of that disc number, or null.
    const FoundTrack* Track(int number) const;
    // The track's own artist, else the album's.
    std::string ArtistOf(int number) const;
    // One line of the choice between several matches: artist, album, year, release and
    // the number of tracks.
    std::string ChoiceLine() const;
    // At least one track has a title that is more than spaces: details without any name
    // nothing and do not count as found.
    bool HasUsableTitles() const;
    // Cuts every text to kMaxOutsideText characters (whole UTF-8 characters): texts come
    // from servers, discs and files the program does not control, and a window showing a
    // megabyte-long title stops answering.
    void CapTexts();
};

// The most characters a text from outside (title, artist, album, ...) keeps.
constexpr std::size_t kMaxOutsideText = 1024;

// The highest number of tracks a disc can hold; a reply naming more is not for a CD.
constexpr int kMaxDiscTracks = 99;
