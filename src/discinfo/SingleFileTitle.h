#pragma once
// The title proposed for a single input file: a MIDI file's first sequence or track name
// (meta event 03), else the file's name without its folder and extension.
// Threads: any.
#include <string>

// "/music/My song.wav" gives "My song".
std::string TitleFromFileName(const std::string& path);
// The MIDI file's first name meta event in time order (UTF-8 as it is, other bytes read as
// Latin-1), else the file name's title; a file that cannot be read also gives that.
std::string MidiFileTitle(const std::string& path);
