#pragma once
// The command line of mervane-cli: one table of options that the parser, --help and the
// manual page are all made from.
#include "mixer/WizardState.h"
#include "mpeg/EncoderSettings.h"

#include <optional>
#include <string>
#include <vector>

struct OptionEntry {
    const char* shortName;  // "-o", or "" when there is none
    const char* longName;   // "--output"
    const char* argument;   // "PATH", or "" for a switch
    const char* help;
};

// Every option, in the order --help and the manual page list them.
const std::vector<OptionEntry>& OptionTable();

// What a command line asks for.
struct CliOptions {
    std::string command;  // "wave", "midi", "cd" or "record"
    std::vector<std::string> inputs;
    std::string output;  // -o: a file, or a folder for several inputs; empty: beside the input
    std::optional<int> bitRateIndex;
    std::optional<int> vbrQuality;
    std::optional<bool> mp3Container;
    bool joint = false;
    bool replayGain = false;
    TrackDetails details;  // the wizard's defaults when not given
    bool detailsGiven = false;  // a tag option was given (a CD's tracks are tagged only then)
    std::string settingsFile;
    int jobs = 0;  // 0: the number of cores
    bool overwrite = false;
    bool quiet = false;
    bool json = false;
    std::string device;
    std::string tracks;
    bool noLookup = false;  // cd: no details from any source
    int release = 1;        // cd: which of several matching releases (1-based)
    bool record = false;  // cd: the tracks are played through the card's CD line and recorded
    std::string source;  // record: mic, line or aux
    int seconds = 0;     // record: 0 until Ctrl+C
    bool help = false;
    bool version = false;
    bool man = false;     // prints the manual page (the build writes mervane-cli.1 with it)
    bool worker = false;  // runs one input for a parent mervane-cli and reports on stdout
    // The option words a worker is started with (everything but the inputs, -o, -j and
    // the report options).
    std::vector<std::string> passOn;
};

// Parses argv (without the program's name). Raises CliUsageError naming what is wrong.
CliOptions ParseCommandLine(const std::vector<std::string>& args);

struct CliUsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The track numbers of a "1,3-5" list, in its order. Raises CliUsageError for anything else.
std::vector<int> ParseTrackList(const std::string& text);

// The encoder settings the options make of those read from the settings file.
EncoderSettings ApplyEncoderOptions(const CliOptions& options, EncoderSettings fromFile);

// The short usage text printed with a usage error.
std::string UsageText();
// The whole --help text.
std::string HelpText();
// The manual page mervane-cli.1 in roff.
std::string ManPage();

inline constexpr const char* kCliVersion = "2.0";
