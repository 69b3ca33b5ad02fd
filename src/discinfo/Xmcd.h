#pragma once
// The CDDB protocol's replies as gnudb sends them (protocol level 6, UTF-8): the matches of
// a "cddb query" and the xmcd entry of a "cddb read".
#include "discinfo/DiscDetails.h"

#include <optional>
#include <string>
#include <vector>

struct CddbMatch {
    std::string category;
    std::string discId;
    std::string title;  // "Artist / Album"
};

// The matches of a query reply: 200 (one exact match), 210 or 211 (a list ending with a
// line holding "."); none for 202 or anything else.
std::vector<CddbMatch> ParseCddbQuery(const std::string& reply);

// The details of an xmcd entry (the reply to "cddb read", its status line and the closing
// "." are skipped when present): DTITLE "Artist / Album", DYEAR, DGENRE and TTITLEn,
// "Artist / Title" when a track names its own artist. A key repeated on several lines
// continues its value. Nothing when the entry is malformed or does not hold exactly
// `trackCount` tracks (a reply for another disc).
std::optional<DiscDetails> ParseXmcd(const std::string& entry, int trackCount);
