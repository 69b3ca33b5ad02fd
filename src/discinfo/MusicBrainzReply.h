#pragma once
// The MusicBrainz web service's answer to a disc ID lookup (/ws/2/discid/<id>, JSON, with
// recordings and artist credits): the releases holding the disc, each with the medium that
// holds it.
#include "discinfo/DiscDetails.h"

#include <string>
#include <vector>

// One entry per release whose medium holds the disc: the medium listing `discId`, else
// (a fuzzy toc match) the CD medium with exactly `trackCount` tracks. Releases without such
// a medium, malformed JSON and error replies give nothing.
std::vector<DiscDetails> ParseMusicBrainzReleases(const std::string& json, const std::string& discId,
                                                  int trackCount);
