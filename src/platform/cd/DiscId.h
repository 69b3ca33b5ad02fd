#pragma once
// The identifiers by which online disc databases know a disc, computed from its table of
// contents with libdiscid: the MusicBrainz disc ID, the toc text of a fuzzy MusicBrainz
// lookup and the freedb/gnudb disc ID with the CDDB query's offsets and length.
// Only the table of contents goes into them; nothing else about the machine or the user.
// Threads: any.
#include "platform/cd/CdDisc.h"

#include <cstdint>
#include <string>
#include <vector>

struct DiscIdentity {
    std::string musicBrainzId;  // 28 characters
    std::string toc;            // "first last leadout offset..." for MusicBrainz' toc=
    std::string freedbId;       // 8 hex digits
    int firstTrack = 1;
    std::vector<std::int32_t> offsets;  // each audio track's start, lead-in included (sectors)
    std::int32_t leadOut = 0;           // lead-in included
    int totalSeconds = 0;               // the disc's length as CDDB counts it
    int TrackCount() const { return int(offsets.size()); }
};

// The identity of the disc's audio session: its audio tracks from the first one; a data
// track after them (an enhanced CD) ends the session 11400 sectors before it starts.
// Raises ECdError when there is no audio track or libdiscid refuses the table.
DiscIdentity IdentifyDisc(const std::vector<CdTrack>& tracks, std::int32_t leadOutSector);
