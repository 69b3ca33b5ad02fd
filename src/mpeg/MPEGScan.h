#pragma once
// Finds the MPEG audio stream in a file and reads its ID3 version 1 tag. The search walks
// byte by byte from the start, so whatever stands before the frames (a RIFF WAVE header
// around MP3 data, say) is skipped; a header counts only when a second valid header
// follows exactly one frame later.
#include "mpeg/ByteSource.h"
#include "mpeg/ID3v1.h"
#include "mpeg/MPEGHeader.h"

#include <cstdint>
#include <functional>
#include <optional>

struct MPEGScanResult {
    std::optional<std::uint64_t> headerOffset;  // the first header of the confirmed pair
    MPEGFrameHeader header;                     // the values of the confirming second header
    std::optional<ID3v1Fields> tag;             // only looked for behind a confirmed pair
    int error = 0;                              // errno of a failed read, 0 when none failed
};

// Runs the header search and, when it finds a pair, reads the last 128 bytes as a tag.
// scanLimit: the byte position after which the search gives up, 0 for none. pump is
// called whenever the search position reaches a multiple of 300 bytes (the caller lets
// pending window messages run there); it may be empty. Ends at the end of the source
// whatever the bytes are: never reads outside it.
MPEGScanResult ScanMPEG(ByteSource& source, std::uint64_t scanLimit, const std::function<void()>& pump);
