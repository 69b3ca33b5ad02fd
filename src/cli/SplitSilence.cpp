#include "cli/SplitSilence.h"

#include "cli/Batch.h"
#include "cli/Interrupt.h"
#include "cli/JobRunner.h"
#include "discinfo/DiscLookup.h"
#include "discinfo/FileNames.h"
#include "platform/os/InstanceFolder.h"
#include "wave/SilenceSplit.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

int RunSplitAtSilences(const CliOptions& options)
{
    OpenInstanceFolder();
    const LookupSettings names = ReadLookupSettings();
    SilenceSplitOptions split;
    split.thresholdDb = options.silenceThresholdDb;
    bool failed = false;
    for (const std::string& input : options.inputs) {
        const std::vector<TrackSpan> tracks = SplitWaveFileAtSilences(input, split);
        const fs::path folder = options.output.empty() ? fs::path(input).parent_path() : fs::path(options.output);
        std::error_code ec;
        fs::create_directories(folder.empty() ? fs::path(".") : folder, ec);
        std::vector<std::string> files;
        for (std::size_t i = 0; i < tracks.size(); ++i) {
            FileNameFields fields;
            fields.track = int(i + 1);
            fields.title = options.details.title;
            fields.artist = options.details.artist;
            fields.album = options.details.album;
            files.push_back(FileNameFromTemplate(names.fileNames, fields, names.safeNames));
        }
        MakeNamesDistinct(files);
        for (std::size_t i = 0; i < tracks.size() && InterruptCount() == 0; ++i) {
            const std::string part = InstanceFolder() + ".split-" + std::to_string(i + 1) + ".wav";
            const std::string output = (folder / (files[i] + ".mp3")).string();
            if (!options.quiet)
                std::fprintf(stderr, "[%zu/%zu] %s (%.2f s)\n", i + 1, tracks.size(), output.c_str(),
                             double(tracks[i].frames) / 44100.0);
            CopyWaveSpan(input, tracks[i], part);
            CliOptions one = options;
            one.details.track = std::min(int(i + 1), 99);
            JobOutcome outcome;
            {
                JobRunner runner(one, [](const std::string&, int) {});
                outcome = runner.Run(part, output);
            }
            fs::remove(part, ec);
            for (const std::string& e : outcome.errors)
                std::fprintf(stderr, "mervane-cli: %s\n", e.c_str());
            if (outcome.result == JobOutcome::Interrupted)
                return kExitInterrupted;
            failed = failed || outcome.result != JobOutcome::Ok;
        }
    }
    if (InterruptCount() > 0)
        return kExitInterrupted;
    return failed ? kExitFailed : kExitOk;
}
