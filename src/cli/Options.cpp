#include "cli/Options.h"

#include "platform/image/CoverImage.h"

#include "mpeg/MMBlade.h"
#include "mpeg/MPEGNames.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>

const std::vector<OptionEntry>& OptionTable()
{
    static const std::vector<OptionEntry> table = {
        {"-o", "--output", "PATH",
         QT_TRANSLATE_NOOP("mervane-cli", "Where the MP3 goes: a file for one input, a folder for several (made when missing). Default: beside "
         "the input, its extension replaced by .mp3.")},
        {"-b", "--bitrate", "KBPS",
         QT_TRANSLATE_NOOP("mervane-cli", "Constant bit rate: 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256 or 320 (default 128).")},
        {"-V", "--vbr", "Q", QT_TRANSLATE_NOOP("mervane-cli", "Variable bit rate at LAME quality Q, 0 (best) to 9.")},
        {"", "--container", "mp3|wave",
         QT_TRANSLATE_NOOP("mervane-cli", "Plain MP3 file, or MP3 frames inside a RIFF wave file (default: Container in the settings file's ENCODER "
         "section, wave when it is not set).")},
        {"", "--joint", "", QT_TRANSLATE_NOOP("mervane-cli", "Joint stereo instead of simple stereo.")},
        {"", "--replaygain", "",
         QT_TRANSLATE_NOOP("mervane-cli", "Measures the loudness and writes the ReplayGain into the tag (default: ReplayGain in the settings file's "
         "ENCODER section, off when it is not set).")},
        {"", "--no-replaygain", "", QT_TRANSLATE_NOOP("mervane-cli", "Writes no ReplayGain, whatever the settings file says.")},
        {"", "--title", "TEXT", QT_TRANSLATE_NOOP("mervane-cli", "Title of the tag.")},
        {"", "--artist", "TEXT", QT_TRANSLATE_NOOP("mervane-cli", "Artist of the tag.")},
        {"", "--album", "TEXT", QT_TRANSLATE_NOOP("mervane-cli", "Album of the tag.")},
        {"", "--year", "N", QT_TRANSLATE_NOOP("mervane-cli", "Year of the tag, 1900 to 2099 (default none).")},
        {"", "--track", "N", QT_TRANSLATE_NOOP("mervane-cli", "Track number of the tag, 1 to 99 (default none).")},
        {"", "--genre", "NAME|N", QT_TRANSLATE_NOOP("mervane-cli", "Genre of the tag, by name or number (default none).")},
        {"", "--comment", "TEXT", QT_TRANSLATE_NOOP("mervane-cli", "Comment of the tag.")},
        {"", "--cover", "FILE", QT_TRANSLATE_NOOP("mervane-cli", "Front cover of the tag: a JPEG or PNG file (made baseline JPEG of at most 1200 px "
                                "unless a small PNG).")},
        {"", "--no-cover", "", QT_TRANSLATE_NOOP("mervane-cli", "No cover picture in the tag, not even one found for the disc.")},
        {"", "--copyright", "", QT_TRANSLATE_NOOP("mervane-cli", "Sets the copyright bit of every frame.")},
        {"", "--original", "", QT_TRANSLATE_NOOP("mervane-cli", "Sets the original bit of every frame.")},
        {"", "--settings", "FILE", QT_TRANSLATE_NOOP("mervane-cli", "Reads this settings file instead of MERVANE2.INI.")},
        {"-j", "--jobs", "N", QT_TRANSLATE_NOOP("mervane-cli", "Encodes N inputs at once (default: the number of cores).")},
        {"", "--overwrite", "", QT_TRANSLATE_NOOP("mervane-cli", "Replaces an existing output instead of failing.")},
        {"-q", "--quiet", "", QT_TRANSLATE_NOOP("mervane-cli", "No progress line.")},
        {"", "--json", "", QT_TRANSLATE_NOOP("mervane-cli", "One JSON object per finished file on standard output.")},
        {"", "--device", "DEV",
         QT_TRANSLATE_NOOP("mervane-cli", "cd: the drive or disc image (cue sheet) to read. record: the audio server's source (a name "
         "--list-sources shows) or the ALSA capture device to record.")},
        {"", "--list-sources", "", QT_TRANSLATE_NOOP("mervane-cli", "record: lists the sources that can be recorded, with their descriptions.")},
        {"", "--tracks", "LIST", QT_TRANSLATE_NOOP("mervane-cli", "cd: the tracks to encode, as 1,3-5 (default: every audio track).")},
        {"", "--record", "",
         QT_TRANSLATE_NOOP("mervane-cli", "cd: plays each track through the sound card's CD line and records it, instead of reading it "
         "digitally.")},
        {"", "--split-silence", "",
         QT_TRANSLATE_NOOP("mervane-cli", "wave: cuts each input at its silences (1.5 s or longer, tracks of 5 s or more) and encodes one "
         "file per track, named by the settings' file-name template, into -o DIR or beside the input.")},
        {"", "--silence-below", "DB", QT_TRANSLATE_NOOP("mervane-cli", "wave --split-silence: the level of silence in dBFS (default -45).")},
        {"", "--no-lookup", "", QT_TRANSLATE_NOOP("mervane-cli", "cd: asks no database and reads no cache or CD-Text: the files keep the number names.")},
        {"", "--release", "N",
         QT_TRANSLATE_NOOP("mervane-cli", "cd: of several releases that match the disc, takes the Nth (default 1, the others are listed).")},
        {"", "--real-time", "",
         QT_TRANSLATE_NOOP("mervane-cli", "midi: plays the song in real time through the speakers, as the wizard does when asked, instead of "
         "rendering it faster than real time.")},
        {"", "--source", "mic|line|aux", QT_TRANSLATE_NOOP("mervane-cli", "record: the input to record.")},
        {"", "--seconds", "N", QT_TRANSLATE_NOOP("mervane-cli", "record: stops after N seconds (default: at Ctrl+C).")},
        {"-h", "--help", "", QT_TRANSLATE_NOOP("mervane-cli", "Shows this help.")},
        {"", "--version", "", QT_TRANSLATE_NOOP("mervane-cli", "Shows the version.")},
    };
    return table;
}

namespace {
// The command line's texts go through the catalogue of the user's language under the
// context "mervane-cli" (a literal at each call, so that lupdate finds them).
std::string said(const QString& text)
{
    return text.toStdString();
}

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

const char* const kCommands[][2] = {
    {"wave", "wave IN.wav... [-o OUT.mp3|DIR]"},
    {"midi", "midi IN.mid... [-o OUT.mp3|DIR]"},
    {"cd", "cd [--device DEV] [--tracks 1,3-5] [--no-lookup] [--release N] [--record] [-o DIR]"},
    {"record", "record [--source mic|line|aux] [--device NAME] [--seconds N] -o OUT.mp3 | record --list-sources"},
};

int number(const std::string& option, const std::string& text, int low, int high)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "%1 wants a number from %2 to %3, not '%4'")
                                     .arg(q(option))
                                     .arg(low)
                                     .arg(high)
                                     .arg(q(text))));
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
    throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "--genre: no genre is called '%1'").arg(q(text))));
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
            throw CliUsageError(
                said(QCoreApplication::translate("mervane-cli", "--bitrate: %1 kbit/s is not one of the bit rates").arg(q(value))));
    } else if (name == "--vbr") {
        c.vbrQuality = number(name, value, 0, 9);
    } else if (name == "--container") {
        if (value != "mp3" && value != "wave")
            throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "--container is mp3 or wave, not '%1'").arg(q(value))));
        c.mp3Container = value == "mp3";
    } else if (name == "--joint") {
        c.joint = true;
    } else if (name == "--replaygain") {
        c.replayGain = true;
    } else if (name == "--no-replaygain") {
        c.replayGain = false;
    } else if (name == "--real-time") {
        c.realTime = true;
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
    } else if (name == "--cover") {
        c.coverFile = value;
    } else if (name == "--no-cover") {
        c.noCover = true;
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
        (void)ParseTrackList(value);  // refused here, before anything runs
        c.tracks = value;
    } else if (name == "--split-silence") {
        c.splitSilence = true;
    } else if (name == "--silence-below") {
        c.silenceThresholdDb = -number(name, value.starts_with('-') ? value.substr(1) : value, 10, 90);
    } else if (name == "--list-sources") {
        c.listSources = true;
    } else if (name == "--record") {
        c.record = true;
    } else if (name == "--no-lookup") {
        c.noLookup = true;
    } else if (name == "--release") {
        c.release = number(name, value, 1, 99);
    } else if (name == "--source") {
        if (value != "mic" && value != "line" && value != "aux")
            throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "--source is mic, line or aux, not '%1'").arg(q(value))));
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
            throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "unknown option %1").arg(q(word))));
        std::string value;
        if (*entry->argument) {
            if (inlineValue)
                value = *inlineValue;
            else if (i + 1 < args.size())
                value = args[++i];
            else
                throw CliUsageError(
                    said(QCoreApplication::translate("mervane-cli", "%1 needs %2").arg(entry->longName, entry->argument)));
        } else if (inlineValue) {
            throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "%1 takes no value").arg(entry->longName)));
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
        throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "no command given")));
    if (std::none_of(std::begin(kCommands), std::end(kCommands), [&](const auto& k) { return c.command == k[0]; }))
        throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "unknown command %1").arg(q(c.command))));
    if ((c.command == "wave" || c.command == "midi") && c.inputs.empty())
        throw CliUsageError(
            said(QCoreApplication::translate("mervane-cli", "%1 needs at least one input file").arg(q(c.command))));
    if ((c.command == "cd" || c.command == "record") && !c.inputs.empty())
        throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "%1 takes no input files: %2")
                                 .arg(q(c.command), q(c.inputs.front()))));
    if (c.noCover && !c.coverFile.empty())
        throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "--cover and --no-cover exclude each other")));
    if (c.record && c.command != "cd")
        throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "--record is for cd only")));
    if (c.realTime && c.command != "midi")
        throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "--real-time is for midi only")));
    if (c.splitSilence && c.command != "wave")
        throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "--split-silence is for wave only")));
    if (c.listSources && c.command != "record")
        throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "--list-sources is for record only")));
    if (c.command == "record" && !c.listSources) {
        // A source named by --device is recorded through the microphone input's line.
        if (c.source.empty() && !c.device.empty())
            c.source = "mic";
        if (c.source.empty())
            throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "record needs --source mic|line|aux")));
        if (c.output.empty())
            throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "record needs -o OUT.mp3")));
    }
    if (c.bitRateIndex && c.vbrQuality)
        throw CliUsageError(said(QCoreApplication::translate("mervane-cli", "--bitrate and --vbr exclude each other")));
    return c;
}

std::vector<int> ParseTrackList(const std::string& text)
{
    std::vector<int> tracks;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        const std::string part = text.substr(at, comma - at);
        // Digits only, read whole: a number too big for any type is refused, never wrapped.
        const auto digits = [](const std::string& word, int& value) {
            const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
            return !word.empty() && ec == std::errc() && end == word.data() + word.size() &&
                   std::all_of(word.begin(), word.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
        };
        int first = 0, last = 0;
        const std::size_t dash = part.find('-');
        const bool ok = dash == std::string::npos
                            ? digits(part, first) && digits(part, last)
                            : digits(part.substr(0, dash), first) && digits(part.substr(dash + 1), last);
        if (!ok)
            throw CliUsageError(said(
                QCoreApplication::translate("mervane-cli", "--tracks: '%1' is not a track number nor a range like 3-5").arg(q(part))));
        if (first < 1 || last < first || last > 99)
            throw CliUsageError(
                said(QCoreApplication::translate("mervane-cli", "--tracks: '%1' is no range of tracks 1 to 99").arg(q(part))));
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
        e.replayGain = *options.replayGain;
    return e;
}

namespace {
// "Usage:" and a line per command.
std::string usageLines()
{
    std::string text = said(QCoreApplication::translate("mervane-cli", "Usage:")) + "\n";
    for (const auto& k : kCommands)
        text += said(QCoreApplication::translate("mervane-cli", "  mervane-cli %1 [options]").arg(k[1])) + "\n";
    return text;
}
}  // namespace

std::string UsageText()
{
    return usageLines() + said(QCoreApplication::translate("mervane-cli", "Try 'mervane-cli --help' for the options.")) + "\n";
}

std::string HelpText(const EncoderSettings& defaults, const std::string& settingsPath)
{
    std::string text =
        said(QCoreApplication::translate("mervane-cli",
                                         "mervane-cli turns wave files, MIDI files, audio CDs and live inputs into MP3 files.")) +
        "\n\n" + usageLines() + "\n" + said(QCoreApplication::translate("mervane-cli", "Options:")) + "\n";
    for (const OptionEntry& o : OptionTable()) {
        std::string names = std::string(*o.shortName ? o.shortName + std::string(", ") : "    ") + o.longName;
        if (*o.argument)
            names += std::string(" ") + o.argument;
        text += "  " + names;
        text += names.size() < 26 ? std::string(26 - names.size(), ' ') : "\n" + std::string(28, ' ');
        text += said(QCoreApplication::translate("mervane-cli", o.help)) + "\n";
    }
    if (!settingsPath.empty())
        text += "\n" +
                said(QCoreApplication::translate(
                         "mervane-cli", "Defaults from %1, section ENCODER: Container=%2, ReplayGain=%3 (the options above "
                                   "override them for one run).")
                         .arg(q(settingsPath), defaults.mp3Container ? "mp3" : "wave", defaults.replayGain ? "1" : "0")) +
                "\n";
    text += "\n" +
            said(QCoreApplication::translate("mervane-cli", "Exit status: 0 when every input succeeded, 1 when any failed, 2 "
                                                       "for a usage error, 130 after Ctrl+C.")) +
            "\n";
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

void LoadCoverOption(CliOptions& options)
{
    if (options.coverFile.empty())
        return;
    CoverResult made = LoadCoverFile(options.coverFile);
    if (!made.picture)
        throw CliUsageError("--cover: " + made.problem);
    options.details.cover = std::make_shared<const Picture>(std::move(*made.picture));
}
