#pragma once
// `mervane-cli wave --split-silence SIDE.wav... [-o DIR]`: each wave file (a side of a tape
// or a record) is cut at its silences into tracks, and each track is encoded into a file of
// its own, named by the settings' file-name template (METADATA FileNames, SafeNames) with
// its track number, in DIR (default: beside the input), tagged with that number.
#include "cli/Options.h"

// The exit status, as the other runs give it.
int RunSplitAtSilences(const CliOptions& options);
