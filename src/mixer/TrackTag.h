#pragma once
// The tags a finished MP3 gets from its track's details: the ID3v2.3 tag (with the track's
// ReplayGain when the encoder measured its loudness) and the ID3v1 tag. The wizard's details
// pages and the command line write them the same way, so the same details give the same file.
#include "mixer/WizardState.h"
#include "mpeg/MMBlade.h"
#include "mpeg/MPEGAudio.h"

#include <string>
#include <vector>

// Tags `file` (the MP3 the encoder has just written) with the details; `trackText` is the
// ID3v2 track text ("3" or "3/12"). When `album` is given and the encoder measured the
// loudness, the file is kept there for the album gain. 0, or the system's error code of the
// first tag that could not be written. Main thread.
int WriteTrackTag(const TMMMP3Encoder& encoder, TMPEGAudio& tag, const std::string& file, const TrackDetails& details,
                  const std::string& trackText, std::vector<AlbumTrack>* album);

// Writes only the ID3v2 tag (with the track's ReplayGain when the encoder measured its
// loudness), for a track that has no details but its number. Same result and album rule as
// WriteTrackTag. Main thread.
int WriteTrackID3v2(const TMMMP3Encoder& encoder, const std::string& file, ID3v2Fields fields,
                    std::vector<AlbumTrack>* album);

// Adds the album's ReplayGain to every kept track's ID3v2 tag and empties the list; the
// first file whose tag cannot be written is returned with its error code (0: none).
std::pair<std::string, int> WriteAlbumGain(std::vector<AlbumTrack>& album);

// The ID3v2 genre text of a genre byte: its name, none for "Unknown".
std::string GenreText(int genre);
