#include "cli/Options.h"

#include "mpeg/MMBlade.h"
#include "mpeg/MPEGNames.h"

#include <QString>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>

const std::vector<OptionEntry>& OptionTable()
{
    static const std::vector<OptionEntry> table = {
        {"-o", "--output", "PATH",
         "Where the MP3 goes: a file for one input, a folder for several (made when missing). Default: beside "
         "the input, its extension replaced by .mp3."},
        {"-b", "--bitrate", "KBPS",
         "Constant bit rate: 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256 or 320 (default 128)."},
        {"-V", "--vbr", "Q", "Variable bit rate at LAME quality Q, 0 (best) to 9."},
        {"", "--container", "mp3|wave", "Plain MP3 file, or MP3 frames inside a RIFF wave file."},
        {"", "--joint", "", "Joint stereo instead of simple stereo."},
        {"", "--replaygain", "", "Measures the loudness and writes the ReplayGain into the tag."},
        {"", "--title", "TEXT", "Title of the tag."},
        {"", "--artist", "TEXT", "Artist of the tag."},
        {"", "--album", "TEXT", "Album of the tag."},
        {"", "--year", "N", "Year of the tag, 1900 to 2099 (default 1999)."},
        {"", "--track", "N", "Track number of the tag, 1 to 99 (default 1)."},
        {"", "--genre", "NAME|N", "Genre of the tag, by name or number (default none)."},
        {"", "--comment", "TEXT", "Comment of the tag."},
        {"", "--copyright", "", "Sets the copyright bit of every frame."},
        {"", "--original", "", "Sets the original bit of every frame."},
        {"", "--settings", "FILE", "Reads this settings file instead of MERVANE2.INI."},
        {"-j", "--jobs", "N", "Encodes N inputs at once (default: the number of cores)."},
        {"", "--overwrite", "", "Replaces an existing output instead of failing."},
        {"-q", "--quiet", "", "No progress line."},
        {"", "--json", "", "One JSON object per finished file on standard output."},
        {"", "--device", "DEV", "cd: the drive or disc image (cue sheet) to read."},
        {"", "--tracks", "LIST", "cd: the tracks to encode, as 1,3-5 (default: every audio track)."},
        {"", "--record", "",
         "cd: plays each track through the sound card's CD line and records it, instead of reading it "
         "digitally."},
        {"", "--no-lookup", "", "cd: asks no database and reads no cache or CD-Text: the files keep the number names."},
        {"", "--release", "N",
         "cd: of several releases that match the disc, takes the Nth (default 1, the others are listed)."},
        {"", "--source", "mic|line|aux", "record: the input to record."},
        {"", "--seconds", "N", "record: stops after N seconds (default: at Ctrl+C)."},
        {"-h", "--help", "", "Shows this help."},
        {"", "--version", "", "Shows the version."},
    };
    return table;
}

namespace {
const char* const kCommands[][2] = {
    {"wave", "wave IN.wav... [-o OUT.mp3|DIR]"},
    {"midi", "midi IN.mid... [-o OUT.mp3|DIR]"},
    {"cd", "cd [--device DEV] [--tracks 1,3-5] [--no-lookup] [--release N] [--record] [-o DIR]"},
    {"record", "record --source mic|line|aux [--seconds N] -o OUT.mp3"},
};

int number(const std::string& option, const std::string& text, int low, int high)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw CliUsageError(option + " wants a number from " + std::to_string(low) + " to " + std::to_string(high) +
                            ", not '" + text + "'");
    return value;
}

int genreByte(const std::string& text)
{
    if (!text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return number("--genre", text, 0, 255);
    const QString wanted = QString::fromStdString(text);
    if (wanted.compare("Unknown", Qt::CaseInsensitive) == 0)
        return kNoGenre;
    for (int genre = 0; genre < kGenreCount; ++genre)
        if (wanted.compare(QString::fromStdString(GenreName(genre)), Qt::CaseInsensitive) == 0)
            return genre;
    throw CliUsageError("--genre: no genre is called '" + text + "'");
}

const OptionEntry* findOption(const std::string& word)
{
    for (const OptionEntry& o : OptionTable())
        if (word == o.longName || (*o.shortName && word == o.shortName))
            return &o;
    return nullptr;
}

void apply(CliOptions& c, const std::string& name, const std::string& value)
{
    TrackDetails& d = c.details;
    if (name == "--output") {
        c.output = value;
    } else if (name == "--bitrate") {
        const int kbps = number(name, value, 0, 100000);
        for (int i = br32; i <= br320; ++i)
            if (BitrateKbps(static_cast<TMMBitrates>(i)) == kbps)
                c.bitRateIndex = i;
        if (!c.bitRateIndex || BitrateKbps(static_cast<TMMBitrates>(*c.bitRateIndex)) != kbps)
            throw CliUsageError("--bitrate: " + value + " kbit/s is not one of the bit rates");
    } else if (name == "--vbr") {
        c.vbrQuality = number(name, value, 0, 9);
    } else if (name == "--container") {
        if (value != "mp3" && value != "wave")
            throw CliUsageError("--container is mp3 or wave, not '" + value + "'");
        c.mp3Container = value == "mp3";
    } else if (name == "--joint") {
        c.joint = true;
    } else if (name == "--replaygain") {
        c.replayGain = true;
    } else if (name == "--title") {
        d.title = value;
    } else if (name == "--artist") {
        d.artist = value;
    } else if (name == "--album") {
        d.album = value;
    } else if (name == "--year") {
        d.year = number(name, value, 1900, 2099);
    } else if (name == "--track") {
        d.track = number(name, value, 1, 99);
    } else if (name == "--genre") {
        d.genre = genreByte(value);
    } else if (name == "--comment") {
        d.comment = value;
    } else if (name == "--copyright") {
        d.copyright = true;
    } else if (name == "--original") {
        d.original = true;
    } else if (name == "--settings") {
        c.settingsFile = value;
    } else if (name == "--jobs") {
        c.jobs = number(name, value, 1, 256);
    } else if (name == "--overwrite") {
        c.overwrite = true;
    } else if (name == "--quiet") {
        c.quiet = true;
    } else if (name == "--json") {
        c.json = true;
    } else if (name == "--device") {
        c.device = value;
    } else if (name == "--tracks") {
        c.tracks = value;
    } else if (name == "--record") {
        c.record = true;
    } else if (name == "--no-lookup") {
        c.noLookup = true;
    } else if (name == "--release") {
        c.release = number(name, value, 1, 99);
    } else if (name == "--source") {
        if (value != "mic" && value != "line" && value != "aux")
            throw CliUsageError("--source is mic, line or aux, not '" + value + "'");
        c.source = value;
    } else if (name == "--seconds") {
        c.seconds = number(name, value, 1, 24 * 3600);
    } else if (name == "--help") {
        c.help = true;
    } else if (name == "--version") {
        c.version = true;
    }
}

// Options that only the parent uses; a worker is not given them.
bool parentOnly(const std::string& name)
{
    return name == "--output" || name == "--jobs" || name == "--quiet" || name == "--json";
}
}  // namespace

CliOptions ParseCommandLine(const std::vector<std::string>& args)
{
    CliOptions c;
    c.details.year = kDefaultTagYear;
    c.details.track = kDefaultTagTrack;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string word = args[i];
        if (optionsEnded || word == "-" || word.empty() || word[0] != '-') {
            if (c.command.empty() && !c.help && !c.version && !c.man)
                c.command = word;
            else
                c.inputs.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (word == "--man") {
            c.man = true;
            continue;
        }
        if (word == "--worker") {
            c.worker = true;
            continue;
        }
        std::optional<std::string> inlineValue;
        if (const auto eq = word.find('='); word.starts_with("--") && eq != std::string::npos) {
            inlineValue = word.substr(eq + 1);
            word.resize(eq);
        }
        const OptionEntry* entry = findOption(word);
        if (!entry)
            throw CliUsageError("unknown option " + word);
        std::string value;
        if (*entry->argument) {
            if (inlineValue)
                value = *inlineValue;
            else if (i + 1 < args.size())
                value = args[++i];
            else
                throw CliUsageError(std::string(entry->longName) + " needs " + entry->argument);
        } else if (inlineValue) {
            throw CliUsageError(std::string(entry->longName) + " takes no value");
        }
        apply(c, entry->longName, value);
        static const std::string tagOptions = " --title --artist --album --year --track --genre --comment ";
        if (tagOptions.find(std::string(" ") + entry->longName + " ") != std::string::npos)
            c.detailsGiven = true;
        if (!parentOnly(entry->longName)) {
            c.passOn.push_back(entry->longName);
            if (*entry->argument)
                c.passOn.push_back(value);
        }
    }
    if (c.help || c.version || c.man)
        return c;
    if (c.command.empty())
        throw CliUsageError("no command given");
    if (std::none_of(std::begin(kCommands), std::end(kCommands), [&](const auto& k) { return c.command == k[0]; }))
        throw CliUsageError("unknown command " + c.command);
    if ((c.command == "wave" || c.command == "midi") && c.inputs.empty())
        throw CliUsageError(c.command + " needs at least one input file");
    if ((c.command == "cd" || c.command == "record") && !c.inputs.empty())
        throw CliUsageError(c.command + " takes no input files: " + c.inputs.front());
    if (c.record && c.command != "cd")
        throw CliUsageError("--record is for cd only");
    if (c.command == "record") {
        if (c.source.empty())
            throw CliUsageError("record needs --source mic|line|aux");
        if (c.output.empty())
            throw CliUsageError("record needs -o OUT.mp3");
    }
    if (c.bitRateIndex && c.vbrQuality)
        throw CliUsageError("--bitrate and --vbr exclude each other");
    return c;
}

std::vector<int> ParseTrackList(const std::string& text)
{
    std::vector<int> tracks;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        const std::string part = text.substr(at, comma - at);
        int first = 0, last = 0;
        char dash = 0;
        char rest = 0;
        const int n = std::sscanf(part.c_str(), "%d%c%d%c", &first, &dash, &last, &rest);
        if (n == 1)
            last = first;
        else if (n != 3 || dash != '-')
            throw CliUsageError("--tracks: '" + part + "' is not a track number nor a range like 3-5");
        if (first < 1 || last < first || last > 99)
            throw CliUsageError("--tracks: '" + part + "' is no range of tracks 1 to 99");
        for (int t = first; t <= last; ++t)
            tracks.push_back(t);
        at = comma + 1;
    }
    return tracks;
}
EncoderSettings ApplyEncoderOptions(const CliOptions& options, EncoderSettings e)
{
    if (options.mp3Container)
        e.mp3Container = *options.mp3Container;
    if (options.vbrQuality) {
        e.vbr = true;
        e.vbrQuality = *options.vbrQuality;
    } else if (options.bitRateIndex) {
        e.vbr = false;
    }
    if (options.joint)
        e.jointStereo = true;
    if (options.replayGain)
        e.replayGain = true;
    return e;
}

std::string UsageText()
{
    std::string text = "Usage:\n";
    for (const auto& k : kCommands)
        text += std::string("  mervane-cli ") + k[1] + " [options]\n";
    text += "Try 'mervane-cli --help' for the options.\n";
    return text;
}

std::string HelpText()
{
    std::string text = "mervane-cli turns wave files, MIDI files, audio CDs and live inputs into MP3 files.\n\n" +
                       UsageText().substr(0, UsageText().find("Try")) + "\nOptions:\n";
    for (const OptionEntry& o : OptionTable()) {
        std::string names = std::string(*o.shortName ? o.shortName + std::string(", ") : "    ") + o.longName;
        if (*o.argument)
            names += std::string(" ") + o.argument;
        text += "  " + names;
        text += names.size() < 26 ? std::string(26 - names.size(), ' ') : "\n" + std::string(28, ' ');
        text += std::string(o.help) + "\n";
    }
    text += "\nExit status: 0 when every input succeeded, 1 when any failed, 2 for a usage error, 130 after "
            "Ctrl+C.\n";
    return text;
}

namespace {
// Text for roff: a leading '.' or '\'' and every backslash and hyphen are escaped.
std::string roff(const std::string& text)
{
    std::string out;
    for (char ch : text) {
        if (ch == '\\')
            out += "\\e";
        else if (ch == '-')
            out += "\\-";
        else
            out += ch;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out.insert(0, "\\&");
    return out;
}
}  // namespace

std::string ManPage()
{
    std::ostringstream m;
    m << ".TH MERVANE\\-CLI 1 \"\" \"mervane " << kCliVersion << "\" \"User Commands\"\n"
      << ".SH NAME\nmervane\\-cli \\- convert audio files, CDs and live inputs into MP3 files\n"
      << ".SH SYNOPSIS\n";
    for (const auto& k : kCommands)
        m << ".B mervane\\-cli\n" << roff(k[1]) << " [options]\n.br\n";
    m << ".SH DESCRIPTION\n"
      << "mervane\\-cli runs the same engine as the Mervane wizard without a display: the same input and "
         "settings give the same MP3 frames. It never asks questions; an existing output is an error unless "
         "\\fB\\-\\-overwrite\\fR is given. A bad input is reported with its name and reason and the others "
         "still run.\n"
      << ".SH OPTIONS\n";
    for (const OptionEntry& o : OptionTable()) {
        m << ".TP\n";
        if (*o.shortName)
            m << "\\fB" << roff(o.shortName) << "\\fR, ";
        m << "\\fB" << roff(o.longName) << "\\fR";
        if (*o.argument)
            m << " \\fI" << roff(o.argument) << "\\fR";
        m << "\n" << roff(o.help) << "\n";
    }
    m << ".SH EXIT STATUS\n0 when every input succeeded, 1 when any failed, 2 for a usage error, 130 after "
         "Ctrl+C (running encodes stop, their partial outputs and temporary files are removed).\n"
      << ".SH FILES\n.TP\n~/.config/mervane/MERVANE2.INI\nThe settings file shared with the wizard.\n"
      << ".SH SEE ALSO\n.BR mervane (1),\n.BR lame (1)\n";
    return m.str();
}
