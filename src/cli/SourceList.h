#pragma once
// `mervane-cli record --list-sources` and the source `--device` names for a take.
#include "cli/Options.h"

#include <string>

struct SoundCardSettings;

// The list: one source a line, the name --device takes and its description; the audio
// server's sources when one answers, else ALSA's capture devices.
std::string SourceListText();

// Sets the input the take records (--source, mic by default) to the source --device names:
// a name the audio server lists is recorded from the server, anything else is an ALSA
// capture device. Leaves the settings alone without --device.
void ApplyRecordDevice(const CliOptions& options, SoundCardSettings& settings);
