#pragma once
#include <string>

// The MP3 name proposed for an input: its extension (from the last '.' after the last '/')
// replaced by ".mp3"; a name without one gets ".mp3" appended.
std::string Mp3NameFor(const std::string& input);
