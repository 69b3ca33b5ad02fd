#include "mpeg/MPEGNames.h"

#include <array>

namespace {
const std::string kUnknown = "Unknown";

const std::array<std::string, kGenreCount> kGenres = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop",
    "Jazz", "Metal", "New Age", "Oldies", "Other", "Pop", "R&B", "Rap",
    "Reggae", "Rock", "Techno", "Industrial", "Alternative", "Ska", "Death Metal", "Pranks",
    "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk", "Fusion", "Trance",
    "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise",
    "AlternRock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop", "Instrumental Rock",
    "Ethnic", "Gothic", "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream",
    "Southern Rock", "Comedy", "Cult", "Gangsta", "Top 40", "Christian Rap", "Pop/Funk", "Jungle",
    "Native American", "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi",
    "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock",
};

const std::array<std::string, 4> kVersions = {"Unknown", "1.0", "2.0", "2.5"};
const std::array<std::string, 4> kLayers = {"Unknown", "I", "II", "III"};
const std::array<std::string, 4> kModes = {"Stereo", "Joint-Stereo", "Dual-Channel", "Single-Channel"};

template <std::size_t N>
const std::string& Pick(const std::array<std::string, N>& names, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < N ? names[static_cast<std::size_t>(index)] : kUnknown;
}
}  // namespace

const std::string& GenreName(int genre) { return Pick(kGenres, genre); }
const std::string& VersionName(int version) { return Pick(kVersions, version); }
const std::string& LayerName(int layer) { return Pick(kLayers, layer); }
const std::string& ModeName(int mode) { return Pick(kModes, mode); }
