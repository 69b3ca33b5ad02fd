#pragma once
// A side of a record to split at its silences: interleaved 16-bit stereo at 44100 Hz, 77 s of
// tones of 20, 30 and 21 s (440, 660, 880 Hz at -6 dBFS) with 3 s gaps between them, the
// second tone down at -70 dBFS for 0.8 s from 38 s, pink noise at -62 dBFS RMS throughout.
#include <cstdint>
#include <vector>

std::vector<std::int16_t> ThreeTonesSide();
