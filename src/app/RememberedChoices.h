#pragma once
// What the wizard remembers between runs in the settings file: the folder a file dialog
// opens in, each road's output folder, the bit rate, the CD method and the rendering speed.
// Main thread.
#include <string>

// The folder file dialogs open in: the one used last while it exists, else the user's
// Music folder, else home.
std::string DialogFolder();
// Remembers the folder of a file the user picked, typed or dropped.
void RememberFolderOf(const std::string& file);

// The output folder last used on a road ("wave", "midi", "cd", "mic", ...), or "".
std::string RememberedOutputFolder(const std::string& road);
void RememberOutputFolder(const std::string& road, const std::string& folder);

// The bit-rate index 0..13 chosen last, or the default.
int RememberedBitRateIndex(int defaultIndex);
void RememberBitRateIndex(int index);

// The CD method chosen last: true for ripping.
bool RememberedRipMode(bool defaultRip);
void RememberRipMode(bool rip);

// "Faster than real time (no monitoring)" chosen last on the MIDI page and the CD road's
// record mode, or the default (Clock=fast of the sound card's settings).
bool RememberedFasterThanRealTime(bool defaultFast);
void RememberFasterThanRealTime(bool fast);

// The folder part of a path ("" when it has none).
std::string ParentFolder(const std::string& path);
// A typed path with a leading "~/" expanded to the home folder and surrounding blanks gone.
std::string ExpandTypedPath(const std::string& typed);
