#pragma once
// Which sound font the MIDI synthesiser plays with: the one named in the settings
// (SOUNDCARD_SETUP, SoundFont) when set, else the first General MIDI font the system has,
// fuller fonts first and the small TimGM6mb font that the install script brings last.
//
//   std::string font = FindSoundFont(settings.soundFont);
//   if (font.empty()) { /* no usable font: the synthesiser line is absent */ }
//
// Threads: any thread (reads the file system only).
#include <string>
#include <vector>

// The General MIDI fonts looked for when none is configured, in order of preference.
const std::vector<std::string>& SystemSoundFonts();

// True when the file exists and is a SoundFont 2 file (sf2, or sf3 where supported).
bool IsUsableSoundFont(const std::string& path);

// The configured font when it is usable; with none configured the first usable system
// font; empty when there is none. A configured font that is unusable gives empty, not a
// fallback, so a mistyped setting shows instead of playing with another font.
std::string FindSoundFont(const std::string& configured);
