#pragma once
// Replies of the disc databases, written from their public formats: the MusicBrainz web
// service's JSON for a disc ID and gnudb's CDDB replies (query and xmcd entry).
#include <string>
#include <vector>

struct ReleaseReply {
    std::string artist;
    std::string album;
    std::string date;     // "1999-03-01"
    std::string country;  // "GB"
    std::vector<std::string> titles;
};

// /ws/2/discid/<discId>?inc=recordings+artist-credits&fmt=json: each release with one CD
// medium holding the disc and its tracks, its ID ReleaseMbid(i) and, with `frontCovers`,
// a front cover on the Cover Art Archive.
std::string MusicBrainzDiscReply(const std::string& discId, const std::vector<ReleaseReply>& releases,
                                 bool frontCovers = false);
// The MusicBrainz ID the reply gives the release at that index.
std::string ReleaseMbid(std::size_t index);
// The disc ID a MusicBrainz request asks about (from "/ws/2/discid/<id>?..."), "" for none.
std::string RequestedDiscId(const std::string& target);
// "cddb query" answered with one exact match.
std::string CddbQueryReply(const std::string& category, const std::string& discId, const std::string& title);
// "cddb read": the status line, the xmcd entry (DTITLE "Artist / Album", DYEAR, DGENRE,
// TTITLEn) and the closing ".".
std::string CddbReadReply(const std::string& category, const std::string& discId, const ReleaseReply& release,
                          const std::string& genre);
