// MIDI to MP3: a 3-minute General MIDI file (written here: drums, bass, piano chords, a
// string pad and a flute melody, with tempo changes) through the wizard's own chain at
// Clock=fast (the sequencer renders into the card's synthesiser line, the recorder records
// the play from its first frame to its last into the temporary wave file while the encoder
// takes the recorded audio as it arrives, 128 kbit/s), against `fluidsynth -ni -F` followed
// by `lame -b 128 -m s` on the same file and font in the same run. The runs are paired and
// their order alternates (tools, chain Jobs=1, chain Jobs=2; then chain Jobs=2, chain
// Jobs=1, tools; ...); each chain run makes its own sound card, so it loads the font as the
// fluidsynth run does. Prints the medians with their min-max ranges, the ratios of the
// medians, the real-time factors, the time from the end of the play to the finished MP3,
// and the length of every recording and MP3 (the same on every run when the end is exact).
//
// The goal is measured with the FluidR3 General MIDI font, which Debian packages as
// fluid-soundfont-gm (`sudo apt-get install fluid-soundfont-gm`; 148 MB, so the program's
// own dependencies leave it out). Without it the bench says so and uses the font it finds.
//
// First, both at full strength: `mervane-cli midi` against fluidsynth piped into lame
// (with --cli-only nothing else runs). The wizard's chain runs also report the main thread's
// longest stall (a 5 ms timer's longest gap).
//
//   build/bench/bench_midi [rounds] [--runs N] [--cli-only]      (default 5 runs)
//   build/bench/bench_midi --write-song song.mid                 (only writes the song)
#include "mixer/Unit2.h"
#include "platform/os/Paths.h"
#include "platform/os/ProfileFile.h"
#include "platform/card/SoundCard.h"
#include "platform/midi/MidiSynth.h"
#include "platform/midi/SoundFont.h"
#include "platform/midi/SynthLine.h"
#include "support/ChildRun.h"
#include "support/PairedRuns.h"
#include "support/RunsOption.h"
#include "support/StallProbe.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kSongSeconds = 180;
constexpr int kDefaultRounds = 5;
constexpr const char* kFluidR3 = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

std::string summary(const std::vector<double>& v, const char* unit = "s")
{
    char text[96];
    std::snprintf(text, sizeof text, "%.2f %s (%.2f-%.2f)", median(v), unit, *std::min_element(v.begin(), v.end()),
                  *std::max_element(v.begin(), v.end()));
    return text;
}

// One track of a Standard MIDI File: delta times and events, ended by WriteTrack.
struct Track {
    std::vector<std::uint8_t> bytes;
    std::uint32_t pending = 0;  // ticks since the last event

    void Delta()
    {
        std::uint8_t buf[4];
        int n = 0;
        std::uint32_t v = pending;
        buf[n++] = v & 0x7F;
        while (v >>= 7)
            buf[n++] = static_cast<std::uint8_t>(0x80 | (v & 0x7F));
        while (n)
            bytes.push_back(buf[--n]);
        pending = 0;
    }
    void Event(std::initializer_list<std::uint8_t> e)
    {
        Delta();
        bytes.insert(bytes.end(), e);
    }
    void Wait(std::uint32_t ticks) { pending += ticks; }
    void Note(int channel, int key, int velocity, std::uint32_t ticks)
    {
        Event({static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(key),
               static_cast<std::uint8_t>(velocity)});
        Wait(ticks);
        Event({static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(key), 64});
    }
};

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> s));
}

// 480 ticks to the quarter; the tempo moves between 100 and 140 bpm every 16 bars, so the
// music lasts kSongSeconds in all (the tempo map is worked out bar by bar).
std::vector<std::uint8_t> generalMidiSong()
{
    constexpr std::uint32_t kBar = 4 * 480;
    Track tempo, drums, bass, piano, pad, melody;
    // Programs: bass 33, piano 0, strings 48, flute 73; drums on channel 9.
    bass.Event({0xC1, 33});
    piano.Event({0xC2, 0});
    pad.Event({0xC3, 48});
    melody.Event({0xC4, 73});
    const int roots[4] = {48, 53, 55, 45};  // C F G A
    const int scale[8] = {0, 2, 4, 5, 7, 9, 11, 12};
    double seconds = 0;
    for (int bar = 0; seconds < kSongSeconds; ++bar) {
        if (bar % 16 == 0) {
            const int bpm = (bar / 16) % 2 ? 140 : 100;
            const auto us = static_cast<std::uint32_t>(60000000 / bpm);
            tempo.Event({0xFF, 0x51, 0x03, static_cast<std::uint8_t>(us >> 16), static_cast<std::uint8_t>(us >> 8),
                         static_cast<std::uint8_t>(us)});
        }
        const int bpm = (bar / 16) % 2 ? 140 : 100;
        const double barSeconds = 4 * 60.0 / bpm;
        if (seconds + barSeconds > kSongSeconds)
            break;
        seconds += barSeconds;
        tempo.Wait(kBar);
        const int root = roots[bar % 4];
        for (int beat = 0; beat < 8; ++beat)  // eighths: kick, hat, snare
            drums.Note(9, beat % 4 == 0 ? 36 : beat % 4 == 2 ? 38 : 42, 90, 240);
        for (int beat = 0; beat < 4; ++beat)
            bass.Note(1, root - 12 + (beat % 2) * 7, 100, 480);
        for (int half = 0; half < 2; ++half) {
            piano.Event({0x92, static_cast<std::uint8_t>(root + 12), 80});
            piano.Event({0x92, static_cast<std::uint8_t>(root + 16), 80});
            piano.Event({0x92, static_cast<std::uint8_t>(root + 19), 80});
            piano.Wait(960);
            for (int k : {12, 16, 19})
                piano.Event({0x82, static_cast<std::uint8_t>(root + k), 64});
        }
        pad.Event({0x93, static_cast<std::uint8_t>(root), 60});
        pad.Event({0x93, static_cast<std::uint8_t>(root + 7), 60});
        pad.Wait(kBar);
        pad.Event({0x83, static_cast<std::uint8_t>(root), 64});
        pad.Event({0x83, static_cast<std::uint8_t>(root + 7), 64});
        for (int n = 0; n < 4; ++n)
            melody.Note(4, 72 + scale[(bar * 3 + n * 5) % 8], 100, 480);
    }
    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 6, 0x01, 0xE0};
    for (Track* t : {&tempo, &drums, &bass, &piano, &pad, &melody}) {
        t->Event({0xFF, 0x2F, 0x00});
        file.insert(file.end(), {'M', 'T', 'r', 'k'});
        put32(file, static_cast<std::uint32_t>(t->bytes.size()));
        file.insert(file.end(), t->bytes.begin(), t->bytes.end());
    }
    return file;
}

// CPU seconds (user and system) of this process's threads, or of its waited-for children.
double cpuSeconds(int who)
{
    rusage u{};
    getrusage(who, &u);
    const auto sec = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return sec(u.ru_utime) + sec(u.ru_stime);
}

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

struct ChainRun {
    double seconds = 0;       // from making the card (font included) to the finished MP3
    double afterPlay = 0;     // from the end of the play to the finished MP3
    double cpu = 0;           // CPU seconds of all the chain's threads
    std::int64_t recorded = 0;  // bytes of the temporary wave file
    std::uintmax_t mp3 = 0;     // bytes of the MP3
    double stallMs = 0;         // the main thread's longest stall during the run
    double backlog = 0;         // seconds of audio recorded but not yet encoded at the end of the play
    double handOver = 0;        // from the end of the play to the encoding's handing over
    double afterDrain = 0;      // from the encoder's taking the last recorded byte to the finished MP3
};

// The MIDI flow's chain as the wizard drives it, without the pages: select the synthesiser
// line, ready the recorder for the play, record and play with notification at the card's
// fast pace; MediaPlayer1Notify ends the recording and starts (takes over) the encoding;
// the encoding's end finishes the run.
ChainRun wizardChain(const std::string& midi, const std::string& mp3, int jobs)
{
    ChainRun run;
    std::filesystem::remove(mp3);
    const double cpu0 = cpuSeconds(RUSAGE_SELF);
    const auto t0 = std::chrono::steady_clock::now();
    auto played = t0;
    auto drained = t0;
    bool playEnded = false, sawDrain = false;
    SoundLineRegistration synth = RegisterSynthLine();
    SoundCard card(SoundCardSettings::FromProfile(ProfileFile::Settings()));
    card.SetFastClock(true);
    WizardState state;
    state.encoder.jobs = jobs;
    state.sourceKind = "midi";
    state.outputFileName = mp3;
    TForm2 form2(state);
    QEventLoop loop;
    WizardHooks hooks;
    hooks.MakeMP3 = [&](const std::string& in, const std::string& out) {
        state.encodingInProgress = true;
        run.recorded = static_cast<std::int64_t>(std::filesystem::file_size(in));
        form2.StartEncoding(in, out, state.bitRateIndex, state.copyright, state.original);
        run.handOver = seconds(played);
    };
    hooks.FinishUp = [&] { loop.quit(); };
    hooks.WriteTag = [](const std::string&) { return 0; };
    hooks.CDWriteTag = [](const std::string&) { return 0; };
    hooks.EnableTimer1 = [](bool) {};
    hooks.ShowConversionProgress = [](int) {};
    hooks.EncodingEnded = [](bool) {};
    hooks.RecordingStopped = [] {};
    hooks.PlaybackEnded = [&](bool) {
        played = std::chrono::steady_clock::now();
        playEnded = true;
        run.backlog = static_cast<double>(form2.LiveFeed.Queued()) / (44100.0 * 4);
    };
    form2.SetWizardHooks(std::move(hooks));

    form2.SelMidi();
    form2.ReadyRecorderForPlay(TemporaryWavePath());
    form2.MediaPlayer1.SetFileName(midi);
    form2.MediaPlayer1.Open();
    form2.MediaPlayer1.SetNotifyNext(true);
    state.midiPlaying = true;
    // The wizard reads the font in the background while its MIDI page shows; so does the
    // bench, before the probe starts, so the probe sees the play and the encoding only.
    if (MidiSynth* synthesiser = MidiSynth::Current()) {
        QEventLoop fontLoop;
        bool fontDone = false;
        synthesiser->LoadFontInBackground([&](bool, const std::string&) {
            fontDone = true;
            fontLoop.quit();
        });
        if (!fontDone)
            fontLoop.exec();
    }
    StallProbe probe;
    // When the encoder took the last recorded byte: what follows is the flush, the tag,
    // the Info frame and the rename.
    QTimer drainWatch;
    QObject::connect(&drainWatch, &QTimer::timeout, [&] {
        if (playEnded && !sawDrain && form2.LiveFeed.Queued() == 0) {
            sawDrain = true;
            drained = std::chrono::steady_clock::now();
        }
    });
    drainWatch.start(2);
    if (!form2.StartRecordedPlay(form2.MediaPlayer1)) {
        std::fprintf(stderr, "the sequencer did not start\n");
        std::exit(1);
    }
    loop.exec();
    run.seconds = seconds(t0);
    run.afterPlay = seconds(played);
    run.afterDrain = sawDrain ? seconds(drained) : run.afterPlay;
    run.cpu = cpuSeconds(RUSAGE_SELF) - cpu0;
    run.stallMs = probe.LongestMs();
    std::error_code ec;
    run.mp3 = std::filesystem::file_size(mp3, ec);
    std::filesystem::remove(TemporaryWavePath());
    return run;
}

// Both at full strength: `mervane-cli midi` at its fast pace (plain MP3 at 128 kbit/s in
// simple stereo, no ReplayGain) against fluidsynth rendering raw audio into a pipe that lame
// encodes as it comes (`fluidsynth -T raw -F /dev/stdout ... | lame -r ... -`), same song
// and font. Paired, the order alternating. 0 when both sides made their file.
int fullStrength(const std::filesystem::path& dir, const std::string& midi, const std::string& font, int runs)
{
    const std::string settings = (dir / "cli.ini").string();
    std::ofstream(settings) << "[SOUNDCARD_SETUP]\nMicDevice=\nMonitorDevice=\nSoundFont=" << font << "\n";
    const std::string ours = (dir / "cli.mp3").string(), theirs = (dir / "pipe.mp3").string();
    const std::string pipe = "fluidsynth -ni -q -T raw -F /dev/stdout -r 44100 '" + font + "' '" + midi +
                             "' 2>/dev/null | lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian -b 128 "
                             "--cbr --noreplaygain -m s - '" + theirs + "' 2>/dev/null";
    PairedRuns cli, peers;
    bool ok = true;
    const auto nonEmpty = [](const std::string& file) {
        std::error_code ec;
        return std::filesystem::file_size(file, ec) > 0 && !ec;
    };
    const auto runOurs = [&] {
        std::filesystem::remove(ours);
        const ChildRun run = RunChild({MERVANE_CLI_PROGRAM, "midi", midi, "-o", ours, "--container", "mp3", "-b", "128",
                                       "--no-replaygain", "--quiet", "--overwrite", "--settings", settings});
        ok = ok && run.Ok() && nonEmpty(ours);
        cli.Add(run.seconds);
    };
    const auto runTheirs = [&] {
        std::filesystem::remove(theirs);
        const ChildRun run = RunChild({"sh", "-c", pipe});
        ok = ok && run.Ok() && nonEmpty(theirs);
        peers.Add(run.seconds);
    };
    RunAlternately(runs, ok, [&](int) { runOurs(); }, [&](int) { runTheirs(); });
    if (!ok) {
        std::fprintf(stderr, "bench_midi: mervane-cli midi or fluidsynth | lame failed\n");
        return 1;
    }
    std::printf("mervane-cli midi (fast pace):               %s\n", cli.Text().c_str());
    std::printf("fluidsynth -T raw -F /dev/stdout | lame -r: %s\n", peers.Text().c_str());
    std::printf("ratio ours / theirs per pair: %s (goal: at most 0.7)\n", PairRatios(cli, peers).c_str());
    std::fflush(stdout);
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    // The song alone, for profiling the command line on it (`perf record mervane-cli midi ...`).
    if (argc == 3 && std::string(argv[1]) == "--write-song") {
        const std::vector<std::uint8_t> song = generalMidiSong();
        std::ofstream(argv[2], std::ios::binary).write(reinterpret_cast<const char*>(song.data()),
                                                       static_cast<std::streamsize>(song.size()));
        return 0;
    }
    QCoreApplication app(argc, argv);
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("bench_midi_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    SetTemporaryFolderOverride(dir.string());
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);  // a settings file of the bench's own
    {
        ProfileFile profile = ProfileFile::Settings();
        profile.WriteString("SOUNDCARD_SETUP", "MicDevice", "");
        profile.WriteString("SOUNDCARD_SETUP", "MonitorDevice", "");
        profile.WriteString("SOUNDCARD_SETUP", "Clock", "fast");
    }
    const std::string font = FindSoundFont("");
    if (font.empty()) {
        std::fprintf(stderr, "no General MIDI sound font installed (sudo apt-get install fluid-soundfont-gm)\n");
        return 1;
    }
    if (font != kFluidR3)
        std::printf("FluidR3 is MISSING (%s): the goal is measured with it; get it with\n"
                    "  sudo apt-get install fluid-soundfont-gm\nThis run uses %s instead.\n",
                    kFluidR3, font.c_str());
    const int runsOption = TakeRunsOption(argc, argv, kDefaultRounds);
    bool cliOnly = false;
    int rounds = runsOption;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--cli-only")
            cliOnly = true;
        else
            rounds = std::max(1, std::atoi(argv[i]));
    }
    const std::string midi = (dir / "song.mid").string();
    {
        const std::vector<std::uint8_t> song = generalMidiSong();
        std::ofstream(midi, std::ios::binary).write(reinterpret_cast<const char*>(song.data()),
                                                    static_cast<std::streamsize>(song.size()));
    }

    std::printf("%d s General MIDI song, font %s, %d paired runs, median (min-max)\n", kSongSeconds, font.c_str(),
                rounds);
    std::fflush(stdout);
    const int cliStatus = fullStrength(dir, midi, font, rounds);
    if (cliOnly) {
        std::filesystem::remove_all(dir);
        return cliStatus;
    }
    const std::string render = "fluidsynth -ni -q -F '" + (dir / "fs.wav").string() + "' -r 44100 '" + font + "' '" +
                               midi + "' >/dev/null 2>&1";
    const std::string encode = "lame --quiet -b 128 --cbr --noreplaygain -t -m s '" + (dir / "fs.wav").string() +
                               "' '" + (dir / "fs.mp3").string() + "'";
    std::vector<double> tools, toolsCpu;
    std::vector<ChainRun> one, two;
    int result = 0;
    const auto runTools = [&] {
        const double cpu0 = cpuSeconds(RUSAGE_CHILDREN);
        const auto t1 = std::chrono::steady_clock::now();
        result = std::system(render.c_str());
        if (result == 0)
            result = std::system(encode.c_str());
        tools.push_back(seconds(t1));
        toolsCpu.push_back(cpuSeconds(RUSAGE_CHILDREN) - cpu0);
    };
    const auto runChain = [&](int jobs) {
        (jobs == 1 ? one : two).push_back(wizardChain(midi, (dir / "chain.mp3").string(), jobs));
    };
    for (int round = 0; round < rounds && result == 0; ++round) {
        if (round % 2 == 0) {
            runTools();
            runChain(1);
            runChain(2);
        } else {
            runChain(2);
            runChain(1);
            runTools();
        }
    }
    if (result != 0) {
        std::printf("fluidsynth or lame failed (%d)\n", result);
        return 1;
    }
    const auto field = [](const std::vector<ChainRun>& runs, double ChainRun::*f) {
        std::vector<double> v;
        for (const ChainRun& r : runs)
            v.push_back(r.*f);
        return v;
    };
    std::printf("fluidsynth -F then lame -b 128 -m s (font load included): %s  %.1fx real time; CPU %s\n",
                summary(tools).c_str(), kSongSeconds / median(tools), summary(toolsCpu).c_str());
    bool same = true;
    for (const auto* runs : {&one, &two}) {
        const std::vector<double> taken = field(*runs, &ChainRun::seconds);
        std::printf("chain Jobs=%d (font load, render, record, encode): %s  %.1fx real time, %.2fx the tools' time; "
                    "end of play to MP3: %s (of which to the hand-over %s; audio not yet encoded at the end "
                    "%s; from the last byte taken to MP3 %s); CPU %s; longest main-thread stall %s\n",
                    runs == &one ? 1 : 2, summary(taken).c_str(), kSongSeconds / median(taken),
                    median(taken) / median(tools), summary(field(*runs, &ChainRun::afterPlay)).c_str(), summary(field(*runs, &ChainRun::handOver)).c_str(),
                    summary(field(*runs, &ChainRun::backlog)).c_str(), summary(field(*runs, &ChainRun::afterDrain)).c_str(),
                    summary(field(*runs, &ChainRun::cpu)).c_str(), summary(field(*runs, &ChainRun::stallMs), "ms").c_str());
    }
    std::printf("recorded wave bytes / MP3 bytes per run:");
    for (const auto* runs : {&one, &two})
        for (const ChainRun& r : *runs) {
            std::printf(" %lld/%ju", static_cast<long long>(r.recorded), r.mp3);
            same = same && r.recorded == one.front().recorded && r.mp3 == one.front().mp3 && r.mp3 > 0;
        }
    std::printf(same ? "  (all the same)\n" : "  (LENGTHS DIFFER)\n");
    std::filesystem::remove_all(dir);
    return same && cliStatus == 0 ? 0 : 1;
}
