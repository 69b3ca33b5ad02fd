#pragma once
// Where the program keeps its files.
#include <string>

// The folder of the program's own executable, with its trailing '/'.
std::string ProgramFolder();

// The folder for the temporary wave file: this running instance's own folder under
// $XDG_CACHE_HOME/mervane/ (InstanceFolder.h), made on first use, with its trailing '/'.
std::string TemporaryFolder();

// The one temporary wave file every flow records, converts or extracts into:
// TemporaryFolder() + "mp3tmp.wav".
std::string TemporaryWavePath();

// Deletes the temporary wave file if there is one; never makes a folder for it.
void RemoveTemporaryWave();

// Lets a test put the temporary file into a folder of its own; empty restores the default.
void SetTemporaryFolderOverride(const std::string& folder);
