#pragma once
// Where the program keeps its files.
#include <string>

// The folder of the program's own executable, with its trailing '/'.
std::string ProgramFolder();

// The folder for the temporary wave file: the program's folder when it is writable,
// otherwise $XDG_CACHE_HOME/mervane/ (default ~/.cache/mervane/), with its trailing '/'.
// Created if missing.
std::string TemporaryFolder();

// The one temporary wave file every flow records, converts or extracts into.
std::string TemporaryWavePath();

// Lets a test put the temporary file into a folder of its own; empty restores the default.
void SetTemporaryFolderOverride(const std::string& folder);
