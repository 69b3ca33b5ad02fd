#pragma once
// mervane-cli cd: looks the disc up, names and tags its tracks as the wizard does and rips
// them through one CdRun (cd --record plays and records them instead).
#include "cli/Options.h"

// Returns the exit status: 0 when every chosen track was read and written, 1 when one was
// not, 130 after Ctrl+C. Raises when the disc cannot be read, CliUsageError for tracks it
// does not have or a --release it does not have.
int RunCd(const CliOptions& options);
