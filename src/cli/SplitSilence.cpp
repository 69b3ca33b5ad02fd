#include "cli/SplitSilence.h"

#include "cli/Batch.h"
#include "cli/Interrupt.h"
#include "cli/JobRunner.h"
#include "platform/os/InstanceFolder.h"
#include "run/TrackSplit.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

int RunSplitAtSilences(const CliOptions& options)
{
    OpenInstanceFolder();
    SilenceSplitOptions split;
    split.thresholdDb = options.silenceThresholdDb;
    bool failed = false;
    for (const std::string& input : options.inputs) {
        const TrackSplit tracks = TrackSplit::Propose(input, split);
        const fs::path folder = options.output.empty() ? fs::path(input).parent_path() : fs::path(options.output);
        std::error_code ec;
        fs::create_directories(folder.empty() ? fs::path(".") : folder, ec);
        TrackNaming naming;
        naming.title = options.details.title;
        naming.artist = options.details.artist;
        naming.album = options.details.album;
        naming.year = options.details.year;
        const std::size_t count = tracks.Tracks().size();
        const std::vector<std::string> outputs = TrackFileNames(folder.string(), naming, count);
        if (!options.quiet)
            for (std::size_t i = 0; i < count; ++i)
                std::fprintf(stderr, "[%zu/%zu] %s (%.2f s)\n", i + 1, count, outputs[i].c_str(),
                             double(tracks.Tracks()[i].frames) / tracks.Rate());
        // The wizard's split run encodes the tracks, so both make the same files.
        JobOutcome outcome;
        {
            JobRunner runner(options, [](const std::string&, int) {});
            outcome = runner.RunSplit(input, tracks, outputs);
        }
        for (const std::string& e : outcome.errors)
            std::fprintf(stderr, "mervane-cli: %s\n", e.c_str());
        if (outcome.result == JobOutcome::Interrupted)
            return kExitInterrupted;
        failed = failed || outcome.result != JobOutcome::Ok;
        if (InterruptCount() > 0)
            break;
    }
    if (InterruptCount() > 0)
        return kExitInterrupted;
    return failed ? kExitFailed : kExitOk;
}
