#pragma once
// Stand-in until the MPEG tag object lands with the genre table.
inline const char* GenreName(int) { return "?"; }
