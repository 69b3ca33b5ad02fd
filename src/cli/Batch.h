#pragma once
// The parent side of mervane-cli: plans the outputs, starts one worker process per input
// (at most -j at once, each with its own temporary folder), shows the progress line, prints
// the report in input order and works out the exit status.
#include "cli/JobRunner.h"
#include "cli/Options.h"

#include <string>
#include <vector>

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;

// The output of each input: -o as a file for one input, as a folder for several (or when it
// is one or ends in '/'; made when missing), else beside the input. Raises CliUsageError
// when -o names an existing file for several inputs or two inputs would share an output.
std::vector<std::string> PlanOutputs(const CliOptions& options);

// Runs every input through worker processes of `program`; returns the exit status.
int RunBatch(const std::string& program, const CliOptions& options);

// Runs inside a worker: one input, reported on stdout as "progress STAGE PERCENT",
// "error TEXT" and a last "result ok|failed|interrupted SECONDS BYTES". Returns the exit
// status.
int RunWorker(const CliOptions& options);

// Runs the one job of "record" in this process, with the progress line and the report.
int RunInProcess(const CliOptions& options);

// The tracks --tracks names (default every audio track), checked against the disc.
std::vector<int> ChosenCdTracks(const CliOptions& options, const class CdDisc& disc);
