#pragma once
// The details the user last confirmed for each disc, kept as one JSON file per disc in
// $XDG_CACHE_HOME/mervane/discs/ (~/.cache when the variable is unset), named by the
// disc's MusicBrainz disc ID. A cached disc needs no network.
// Threads: any; two threads never write the same disc at once (one lookup at a time).
#include "discinfo/DiscDetails.h"

#include <optional>
#include <string>

// The cache folder.
std::string DiscCacheFolder();
// Whether the ID may name a file of the cache: 1 to 64 characters of [A-Za-z0-9._-] (a
// disc ID is 28); anything else never becomes a file name.
bool IsPlainDiscId(const std::string& id);
// The cached details of the disc, when a readable entry with `trackCount` tracks is there.
std::optional<DiscDetails> LoadCachedDisc(const std::string& discId, int trackCount);
// Writes the disc's entry; returns the problem (a sentence naming the file) or "".
std::string SaveCachedDisc(const std::string& discId, const DiscDetails& details);
// The JSON of an entry, and back (nothing when malformed or not `trackCount` tracks).
std::string DiscDetailsJson(const DiscDetails& details);
std::optional<DiscDetails> DiscDetailsFromJson(const std::string& json, int trackCount);
