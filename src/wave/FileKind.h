#pragma once
// What a file that is no wave file is, told from its first bytes (and, for headerless
// samples, its extension), so a refusal can name it: "an MP3 file", "a raw PCM file".
#include <string>

// "an MP3 file", "a FLAC file", "an Ogg file", "a MIDI file", "an AIFF file", "a raw PCM
// file", "a text file", or "" when it cannot be told (or the file cannot be read).
std::string KindOfNonWave(const std::string& path);
