#pragma once
// A description text of an MP3 file from a template of %items%. An item is
// %KEYWORD[,ALIGNMENT[,WIDTH[,FILL]]]% (":" may stand for the commas between alignment
// and width): the keyword names a value (TITLE or T, BITRATE or BR, a character code such
// as 13, ...), the alignment is L(eft), R(ight), C(entre) or T(ext as is), the width a
// number of characters (0: the keyword's own width) and the fill its first character.
// Without a valid alignment the keyword's own width and alignment apply. "%%" gives "%",
// an unknown keyword stays as written, and an unclosed item ends the text with an error
// marker. Widths are capped at kMaxItemWidth.
#include <string>

class TMPEGAudio;

constexpr int kMaxItemWidth = 255;

// UTF-8 in, UTF-8 out. Numbers with thousands separators or decimals use the separators
// of the default QLocale (the system's unless a test sets another).
std::string ExpandTemplate(const std::string& templ, const TMPEGAudio& audio);
