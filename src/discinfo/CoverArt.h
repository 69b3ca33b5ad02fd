#pragma once
// A release's front cover: kept in the disc cache beside the disc's details
// (discs/<disc ID>.jpg or .png) or fetched from the Cover Art Archive by the release's
// MusicBrainz ID, the only thing that leaves the machine. Every outcome is one line the
// user can read; a missing or bad cover never stops a rip.
#include "discinfo/DiscDetails.h"
#include "discinfo/DiscLookup.h"
#include "platform/Picture.h"

#include <atomic>
#include <memory>
#include <optional>
#include <string>

struct FoundCover {
    std::shared_ptr<const Picture> picture;  // null: none
    std::string line;                        // what happened, one line ("Cover: ...")
};

// Whether the text is a MusicBrainz ID (a UUID in its usual spelling).
bool IsMusicBrainzId(const std::string& text);

// The cover of the chosen release of the disc. Details from the cache take the cached
// cover when there is one; otherwise, when covers are on (LookupSettings::coverArt not
// empty, network allowed) and the release has a front cover, it is fetched from
// {coverArt}/release/{mbid}/front-500 (the service redirects to the image), made fit for
// a tag (NormaliseCover) and kept in the cache. Runs on a worker thread (the request
// blocks); stops early when `cancel` is set.
FoundCover FindCover(const std::string& discId, const DiscDetails& release, const LookupSettings& settings,
                     const std::atomic<bool>& cancel);

// The cover kept for the disc, when a readable one is there. Any thread.
std::optional<Picture> LoadCachedCover(const std::string& discId);
// Keeps the cover for the disc (replacing one of either type); the problem or "". Any thread.
std::string SaveCachedCover(const std::string& discId, const Picture& picture);

// Writes the picture into the folder as cover.jpg (cover.png for a PNG), where a run's
// files go. A file of that name that holds other bytes is the user's and is left alone.
// The line for the rip log, naming the file or saying why there is none. Any thread.
std::string PutCoverBeside(const std::string& folder, const Picture& picture);
