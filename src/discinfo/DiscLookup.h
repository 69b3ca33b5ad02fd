#pragma once
// Finds a disc's details, trying the sources in order until one knows the disc: the local
// cache, MusicBrainz by disc ID (with the table of contents for a fuzzy match), gnudb over
// the CDDB protocol, the disc's CD-Text. A source that is slow, down or answers nonsense
// counts as "no match" and the next one is tried; only the table of contents is sent.
// Each source's outcome is told in one line the user can read.
#include "discinfo/DiscDetails.h"
#include "platform/cd/CdDisc.h"
#include "platform/cd/DiscId.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The METADATA section of the settings file.
struct LookupSettings {
    std::string musicBrainz = "https://musicbrainz.org";
    std::string gnudb = "https://gnudb.gnudb.org/~cddb/cddb.cgi";
    std::string coverArt = "https://coverartarchive.org";  // CoverArt; empty: no covers
    bool network = true;                       // Lookup=0: no network at all
    std::string fileNames = "Track%n";         // FileNames
    bool safeNames = false;                    // SafeNames=1
    std::string cdDevice;                      // SOUNDCARD_SETUP / CdDevice: the disc identified
    std::chrono::milliseconds timeout{10000};  // each request's
    // The whole lookup's, however many requests it makes: a source that answers every
    // request slowly cannot hold the disc's details back for longer.
    std::chrono::milliseconds deadline{15000};
};
LookupSettings ReadLookupSettings();

struct LookupResult {
    // Several when a source knows more than one release of the disc; empty when no
    // source knows it.
    std::vector<DiscDetails> matches;
    bool fromCache = false;
};

// Runs on a worker thread (the network requests block). `outcome` gets each source's
// one-line outcome as it comes, on the same thread. Stops early when `cancel` is set, and
// asks no source once settings.deadline has passed. Details that name no track count as
// not found; every text found is capped (DiscDetails::CapTexts).
LookupResult LookUpDisc(const DiscIdentity& id, const CdText& cdText, const LookupSettings& settings,
                        const std::atomic<bool>& cancel, const std::function<void(const std::string&)>& outcome);

// The details a disc's CD-Text (or its image's sheet) gives, when it names at least one track
// or the disc (texts capped): the year is the date's first four digits, a genre given as an
// ID3v1 number ("17", "(17)") becomes its name.
std::optional<DiscDetails> DetailsFromCdText(const CdText& text, int firstTrack, int trackCount);
