#pragma once
// Display names of MPEG header values and the ID3 version 1 genres.
#include <cstdint>
#include <string>

// Genres 0 to 79 have names; every other number (255 is "no genre") is "Unknown".
constexpr int kGenreCount = 80;
constexpr std::uint8_t kNoGenre = 255;

// "Blues" .. "Hard Rock" for 0..79, otherwise "Unknown".
const std::string& GenreName(int genre);
// "Unknown", "1.0", "2.0", "2.5" by version code.
const std::string& VersionName(int version);
// "Unknown", "I", "II", "III" by layer.
const std::string& LayerName(int layer);
// "Stereo", "Joint-Stereo", "Dual-Channel", "Single-Channel" by mode.
const std::string& ModeName(int mode);
