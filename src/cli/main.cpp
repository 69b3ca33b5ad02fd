// mervane-cli: the wizard's engine on the command line, on QtCore only (no display).
#include "cli/Batch.h"
#include "cli/CdCommand.h"
#include "cli/Interrupt.h"
#include "cli/Options.h"
#include "cli/SourceList.h"
#include "cli/SplitSilence.h"
#include "disc/DiscReaders.h"
#include "platform/os/ProfileFile.h"
#include "platform/os/Translations.h"

#include <QCoreApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    // Before anything can be written: Ctrl+C must find the handler that cleans up.
    InstallInterruptHandler();
    InstallDiscReaders();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("Mervane");
    InstallTranslations();
    std::vector<std::string> args(argv + 1, argv + argc);
    CliOptions options;
    try {
        options = ParseCommandLine(args);
    } catch (const CliUsageError& e) {
        std::fprintf(stderr, "mervane-cli: %s\n%s", e.what(), UsageText().c_str());
        return kExitUsage;
    }
    if (!options.settingsFile.empty())
        ProfileFile::SetSettingsPath(options.settingsFile);
    if (options.help) {
        const ProfileFile settings = ProfileFile::Settings();
        std::fputs(HelpText(EncoderSettings::Read(settings), settings.Path()).c_str(), stdout);
        return kExitOk;
    }
    if (options.version) {
        std::printf("mervane-cli %s\n", kCliVersion);
        return kExitOk;
    }
    if (options.man) {
        std::fputs(ManPage().c_str(), stdout);
        return kExitOk;
    }
    if (options.listSources) {
        std::fputs(SourceListText().c_str(), stdout);
        return kExitOk;
    }
    try {
        LoadCoverOption(options);
        if (options.worker)
            return RunWorker(options);
        if (options.command == "record")
            return RunInProcess(options);
        if (options.splitSilence)
            return RunSplitAtSilences(options);
        if (options.command == "cd")
            return RunCd(options);
        return RunBatch(QCoreApplication::applicationFilePath().toStdString(), options);
    } catch (const CliUsageError& e) {
        std::fprintf(stderr, "mervane-cli: %s\n%s", e.what(), UsageText().c_str());
        return kExitUsage;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mervane-cli: %s\n", e.what());
        return kExitFailed;
    }
}
