#pragma once
// The program's own PCM converter between the four PCM classes (8/16 bit, mono/stereo)
// at any two sample rates. The rate step is a sample-and-hold that starts afresh with
// every call, so a file converted in blocks treats each block on its own.
//
//   std::int64_t room = pcmConvertedSize(n, &src, &dst);   // then allow one more frame
//   std::vector<std::uint8_t> out(room + 4);
//   std::int64_t written = pcmConvert(n, in, &src, out.data(), &dst);
#include "wave/WaveFormat.h"

#include <cstdint>

// Destination bytes for n source bytes, or -1 when either format is not a PCM class.
std::int64_t pcmConvertedSize(std::int64_t n, const TWaveFormatEx* src, const TWaveFormatEx* dst);

// Converts n source bytes into `dstBuffer`, which must hold pcmConvertedSize(...) plus one
// destination frame. Returns the bytes written; n <= 0 returns n; -1 for a non-PCM class.
// Stateless and reentrant.
std::int64_t pcmConvert(std::int64_t n, const std::uint8_t* srcBuffer, const TWaveFormatEx* src,
                        std::uint8_t* dstBuffer, const TWaveFormatEx* dst);
