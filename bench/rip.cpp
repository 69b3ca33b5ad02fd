// CD benchmark: a 10-minute disc image (three audio tracks of music-like sound, written
// here as BIN/CUE) is extracted track by track by our extraction library and, in the same
// run, by cd-paranoia reading the same image. Then the whole CD road: each track
// extracted into mp3tmp.wav and encoded at 128 kbit/s (extraction on a worker thread while
// the main thread lets messages run, as the wizard does), with one encoder (the hidden
// window's chain, Jobs=1) and with two (the wizard's track encoders, Jobs=2: a track is
// encoded while the next is extracted), against cd-paranoia followed by
// lame -b 128 -m s --noreplaygain for each track. Each side runs in a child process; the
// runs are paired (theirs, ours Jobs=1, ours Jobs=2, theirs, ...) and each side is printed
// as its median with the min-max range; the ratios are those of the medians.
//
// First, both at full strength: `mervane-cli cd -j 2` against `cd-paranoia -B` followed by
// two lame at once; with --cli-only nothing else runs. Each child rip of the wizard also
// reports its main thread's longest stall.
//
//   bench_rip [minutes] [--runs N] [--cli-only]        default: 10 minutes, 5 runs
#include "disc/DiscReaders.h"
#include "mixer/Unit2.h"
#include "platform/os/Paths.h"
#include "run/CdRun.h"
#include "platform/cd/CDDA.h"
#include "platform/os/MessageTarget.h"
#include "support/ChildRun.h"
#include "support/PairedRuns.h"
#include "support/RunsOption.h"
#include "support/StallProbe.h"

#include <algorithm>
#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <numbers>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kTracks = 3;
constexpr int kRuns = 5;
constexpr int kSectorFrames = 588;

// kTracks audio tracks of equal length filling `minutes`; returns the cue sheet's path.
std::string writeImage(const std::filesystem::path& folder, int minutes)
{
    const int sectorsPerTrack = minutes * 60 * 75 / kTracks;
    std::ofstream bin(folder / "disc.bin", std::ios::binary);
    std::ofstream cue(folder / "disc.cue");
    cue << "FILE \"disc.bin\" BINARY\n";
    std::mt19937 noise(1);
    std::uniform_int_distribution<int> n(-800, 800);
    std::vector<std::int16_t> sector(2 * kSectorFrames);
    long frame = 0;
    for (int t = 0; t < kTracks; ++t) {
        const int start = t * sectorsPerTrack;
        char line[64];
        std::snprintf(line, sizeof line, "  TRACK %02d AUDIO\n    INDEX 01 %02d:%02d:%02d\n", t + 1, start / 4500,
                      start / 75 % 60, start % 75);
        cue << line;
        for (int s = 0; s < sectorsPerTrack; ++s) {
            for (int i = 0; i < kSectorFrames; ++i, ++frame) {
                const double x = double(frame) / 44100;
                const double a = 9000 * std::sin(2 * std::numbers::pi * (220 + 40 * t + 30 * std::sin(x / 3)) * x);
                const double b = 7000 * std::sin(2 * std::numbers::pi * (660 + 50 * std::sin(x / 5)) * x);
                sector[2 * std::size_t(i)] = std::int16_t(a + 0.5 * b + n(noise));
                sector[2 * std::size_t(i) + 1] = std::int16_t(0.5 * a + b + n(noise));
            }
            bin.write(reinterpret_cast<const char*>(sector.data()), std::streamsize(sector.size() * 2));  // little-endian host
        }
    }
    return (folder / "disc.cue").string();
}

// Extracts `track` into folder/mp3tmp.wav on a worker thread while this thread lets
// messages run; false (and why on the error output) when it fails.
bool extractTrack(const std::string& folder, int track)
{
    setOutputDir((folder + "/").c_str());
    auto result = std::async(std::launch::async, [track] { return riptrack(track); });
    while (result.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
        ProcessMessages();
    if (result.get() == 1)
        return true;
    std::fprintf(stderr, "extraction of track %d failed: %s\n", track, ripmessage().c_str());
    return false;
}

// Child: extract every track with our library on a worker thread while this thread lets
// messages run.
int extractAll(int argc, char** argv, const std::string& image, const std::string& folder, bool checksums)
{
    QCoreApplication app(argc, argv);
    CddaLibrary().SetDevice(image);
    CddaLibrary().SetChecksums(checksums);
    for (int t = 1; t <= kTracks; ++t)
        if (!extractTrack(folder, t))
            return 1;
    return 0;
}

// Child: the wizard's rip with Jobs=1, through the same CdRun as its last CD page (no
// database lookup): each track extracted, then encoded on the hidden window's chain and
// tagged by the run. The main thread's longest stall goes to the parent.
int ripAll(int argc, char** argv, const std::string& image, const std::string& folder, bool checksums)
{
    QCoreApplication app(argc, argv);
    SetTemporaryFolderOverride(folder);
    CddaLibrary().SetChecksums(checksums);
    WizardState state;
    state.sourceKind = "cd";
    TForm2 form2(state);
    CdRunSettings settings;
    settings.jobs = 1;
    settings.device = image;
    settings.folder = folder + "/";
    settings.discTrackCount = kTracks;
    settings.verify = false;
    std::vector<CdRunTrack> tracks;
    for (int t = 1; t <= kTracks; ++t)
        tracks.push_back({t, folder + "/Track" + std::to_string(t) + "-jobs1.mp3", {}});
    struct Failures : CdRunListener {
        void Message(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
        bool MayReplace(const std::string&) override { return true; }
    } listener;
    CdRun* current = nullptr;
    WizardHooks hooks;
    hooks.WriteTag = [](const std::string&) { return 0; };
    hooks.CDWriteTag = [&](const std::string& file) { return current->TagTrack(form2.MP3Encoder, file, current->CurrentTrack()); };
    hooks.FinishUp = [] {};
    hooks.EnableTimer1 = [](bool) {};
    hooks.ShowConversionProgress = [](int) {};
    form2.SetWizardHooks(hooks);
    CdRunDoor door;
    door.encodeSerially = [&](const CdRunTrack& track, const std::string& wave) {
        state.cdTrackDone = false;
        state.encodingInProgress = true;
        form2.StartEncoding(wave, track.file, kDefaultBitRateIndex, false, false);
        while (!state.cdTrackDone)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        state.encodingInProgress = false;
        return std::filesystem::exists(track.file);
    };
    CdRun run(settings, std::move(tracks), listener, std::move(door));
    current = &run;
    StallProbe probe;
    CdRunSummary summary;
    try {
        summary = run.Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "the rip failed: %s\n", e.what());
        return 1;
    }
    ReportStall(probe);
    return summary.AllWritten() ? 0 : 1;
}

// Child: the wizard's rip with `jobs` lanes, through the same CdRun as its last CD page
// (checksums on, no database lookup): each extracted track goes to the next free lane
// while the next track is extracted. The main thread's longest stall goes to the parent.
int ripBeside(int argc, char** argv, const std::string& image, const std::string& folder, int jobs)
{
    QCoreApplication app(argc, argv);
    SetTemporaryFolderOverride(folder);
    CddaLibrary().SetChecksums(true);  // as the wizard's rip
    CdRunSettings settings;
    settings.jobs = jobs;
    settings.device = image;
    settings.folder = folder + "/";
    settings.discTrackCount = kTracks;
    settings.verify = false;
    std::vector<CdRunTrack> tracks;
    for (int t = 1; t <= kTracks; ++t)
        tracks.push_back({t, folder + "/Track" + std::to_string(t) + "-jobs" + std::to_string(jobs) + ".mp3", {}});
    struct Failures : CdRunListener {
        void Message(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
        bool MayReplace(const std::string&) override { return true; }
    } listener;
    CdRun run(settings, std::move(tracks), listener);
    StallProbe probe;
    const CdRunSummary summary = run.Run();
    ReportStall(probe);
    return summary.AllWritten() ? 0 : 1;
}

// Times a child that must succeed; the bench ends when it does not.
double runChild(const std::vector<std::string>& args, bool quiet = false)
{
    const ChildRun run = RunChild(args, quiet);  // cd-paranoia talks about the drive even with -q
    if (!run.Ok()) {
        std::fprintf(stderr, "failed: %s\n", args[0].c_str());
        std::exit(1);
    }
    return run.seconds;
}

double paranoia(const std::string& image, const std::string& folder, int track)
{
    return runChild({"cd-paranoia", "-q", "-d", image, std::to_string(track), folder + "/cp.wav"}, true);
}

double lame(const std::string& folder, int track)
{
    // Simple stereo and no info frame, as the chain encodes.
    return runChild({"lame", "--quiet", "-b", "128", "--cbr", "--noreplaygain", "-t", "-m", "s", folder + "/cp.wav",
                     folder + "/lame" + std::to_string(track) + ".mp3"});
}

// "12.3 (10.1-15.2)": the median and range of a list of figures.
std::string spreadText(const std::vector<double>& values)
{
    if (values.empty())
        return "-";
    char text[96];
    std::snprintf(text, sizeof text, "%.1f (%.1f-%.1f)", MedianOf(values), *std::min_element(values.begin(), values.end()),
                  *std::max_element(values.begin(), values.end()));
    return text;
}

std::size_t mp3Count(const std::filesystem::path& dir)
{
    std::size_t n = 0;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir, ec))
        n += e.path().extension() == ".mp3" && e.file_size() > 0;
    return n;
}

// Both at full strength: `mervane-cli cd` (lookups off, checksums on, Jobs=2, plain MP3 at
// 128 kbit/s in simple stereo, no ReplayGain) against `cd-paranoia -B` and then two lame
// at once (`xargs -P 2`) on its track waves with the same settings. Paired, the order
// alternating; each side's median and range, and the pairs' ratios. 0 when both sides
// made every file.
int fullStrength(const std::string& image, const std::filesystem::path& folder, int runs)
{
    // The AccurateRip database is asked at an address that refuses at once: the bench
    // measures the rip, not the network.
    const std::string settings = (folder / "bench.ini").string();
    std::ofstream(settings) << "[CD]\nAccurateRip=http://127.0.0.1:9/\n";
    const std::filesystem::path ours = folder / "cli", theirs = folder / "peers";
    PairedRuns cli, peers;
    bool ok = true;
    const auto runOurs = [&] {
        std::filesystem::remove_all(ours);
        const ChildRun run = RunChild({MERVANE_CLI_PROGRAM, "cd", "--device", image, "--no-lookup", "-j", "2",
                                       "--container", "mp3", "-b", "128", "--no-replaygain", "--quiet", "--overwrite",
                                       "--settings", settings, "-o", ours.string()});
        ok = ok && run.Ok() && mp3Count(ours) == kTracks;
        cli.Add(run.seconds);
    };
    const auto runTheirs = [&] {
        std::filesystem::remove_all(theirs);
        std::filesystem::create_directories(theirs);
        const std::string script = "cd '" + theirs.string() + "' && cd-paranoia -q -B -d '" + image +
                                   "' >/dev/null 2>&1 && ls *.wav | xargs -P 2 -I{} lame --quiet -b 128 --cbr "
                                   "--noreplaygain -m s {} {}.mp3";
        const ChildRun run = RunChild({"sh", "-c", script});
        ok = ok && run.Ok() && mp3Count(theirs) == kTracks;
        peers.Add(run.seconds);
    };
    RunAlternately(runs, ok, [&](int) { runOurs(); }, [&](int) { runTheirs(); });
    if (!ok) {
        std::fprintf(stderr, "bench_rip: mervane-cli cd or cd-paranoia + lame failed or made fewer than %d files\n", kTracks);
        return 1;
    }
    std::printf("mervane-cli cd -j 2 (no lookup, checksums): %s\n", cli.Text().c_str());
    std::printf("cd-paranoia -B, xargs -P 2 lame -b 128 -m s: %s\n", peers.Text().c_str());
    std::printf("ratio ours / theirs per pair: %s (goal: at most 0.95)\n", PairRatios(cli, peers).c_str());
    std::fflush(stdout);
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    InstallDiscReaders();
    if (argc == 4 && (std::string(argv[1]) == "--extract" || std::string(argv[1]) == "--extract-unchecked"))
        return extractAll(argc, argv, argv[2], argv[3], std::string(argv[1]) == "--extract");
    if (argc == 4 && (std::string(argv[1]) == "--rip" || std::string(argv[1]) == "--rip-unchecked"))
        return ripAll(argc, argv, argv[2], argv[3], std::string(argv[1]) == "--rip");
    if (argc == 5 && std::string(argv[1]) == "--rip-jobs")
        return ripBeside(argc, argv, argv[2], argv[3], std::atoi(argv[4]));

    const int runs = TakeRunsOption(argc, argv, kRuns);
    bool peersOnly = false;
    int minutes = 10;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--cli-only")
            peersOnly = true;
        else
            minutes = std::max(1, std::atoi(argv[i]));
    }
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const auto folder = std::filesystem::temp_directory_path() / ("mervane-bench-rip-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string image = writeImage(folder, minutes);
    const std::string out = folder.string();
    const std::string stallFile = out + "/stall.txt";
    setenv("MERVANE_BENCH_STALL_FILE", stallFile.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (folder / "cache").c_str(), 1);

    std::printf("%d-minute disc image, %d tracks, %d paired runs; seconds as median (min-max)\n", minutes, kTracks, runs);
    std::fflush(stdout);
    const int cliStatus = fullStrength(image, folder, runs);
    if (peersOnly) {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        return cliStatus;
    }

    PairedRuns oursExtract, theirsExtract, theirsFull, oursOne, oursTwo;
    std::vector<double> stallOne, stallTwo;
    for (int run = 0; run < runs; ++run) {
        double extract = 0, encode = 0;
        for (int t = 1; t <= kTracks; ++t) {
            extract += paranoia(image, out, t);
            encode += lame(out, t);
        }
        theirsExtract.Add(extract);
        theirsFull.Add(extract + encode);
        oursExtract.Add(runChild({self, "--extract", image, out}));
        oursOne.Add(runChild({self, "--rip", image, out}));
        stallOne.push_back(ReadStall(stallFile));
        oursTwo.Add(runChild({self, "--rip-jobs", image, out, "2"}));
        stallTwo.push_back(ReadStall(stallFile));
    }
    // Two encoders must write what one writes.
    auto bytesOf = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    bool sameMp3 = true;
    for (int t = 1; t <= kTracks; ++t) {
        const std::string one = bytesOf(out + "/Track" + std::to_string(t) + "-jobs1.mp3");
        sameMp3 = sameMp3 && !one.empty() && one == bytesOf(out + "/Track" + std::to_string(t) + "-jobs2.mp3");
    }
    // What the CRC32 and AccurateRip sums cost: the rip (extraction and encoding) with and
    // without them in pairs, the order alternating, each pair's ratio kept, of the wall
    // clock and of the processor time (steadier on a busy machine); then the same for the
    // extraction alone, where they weigh most, in more pairs as each is short.
    struct Spread {
        double median, min, max;
    };
    const auto spread = [](std::vector<double> ratios) {
        std::sort(ratios.begin(), ratios.end());
        const std::size_t n = ratios.size();
        return Spread{n % 2 ? ratios[n / 2] : (ratios[n / 2 - 1] + ratios[n / 2]) / 2, ratios.front(), ratios.back()};
    };
    const auto pairedRatios = [&](const std::string& with, const std::string& without, int pairs) {
        const auto run = [&](const std::string& mode) {
            const ChildRun child = RunChild({self, mode, image, out});
            if (!child.Ok()) {
                std::fprintf(stderr, "failed: %s %s\n", self.c_str(), mode.c_str());
                std::exit(1);
            }
            return child;
        };
        std::vector<double> wall, cpu;
        for (int pair = 0; pair < pairs; ++pair) {
            ChildRun withRun, withoutRun;
            if (pair % 2 == 0) {
                withRun = run(with);
                withoutRun = run(without);
            } else {
                withoutRun = run(without);
                withRun = run(with);
            }
            wall.push_back(withRun.seconds / withoutRun.seconds);
            cpu.push_back(withRun.cpuSeconds / withoutRun.cpuSeconds);
        }
        return std::pair{spread(wall), spread(cpu)};
    };
    const int checksumPairs = runs;
    const int extractionPairs = 3 * runs;
    const auto [ripWall, ripCpu] = pairedRatios("--rip", "--rip-unchecked", checksumPairs);
    const auto [extractWall, extractCpu] = pairedRatios("--extract", "--extract-unchecked", extractionPairs);
    const auto pairLine = [](const char* what, const Spread& wall, const Spread& cpu, int pairs, const char* goal) {
        std::printf("%s with checksums / without over %d pairs: wall median %.3f (min %.3f, max %.3f), "
                    "processor time median %.3f (min %.3f, max %.3f)%s\n",
                    what, pairs, wall.median, wall.min, wall.max, cpu.median, cpu.min, cpu.max, goal);
    };
    pairLine("rip", ripWall, ripCpu, checksumPairs, ", goal <= 1.05");
    pairLine("extraction alone", extractWall, extractCpu, extractionPairs, "");
    std::printf("%-44s %20s %20s %8s\n", "", "ours", "theirs", "ratio");
    std::printf("%-44s %20s %20s %8.3f\n", "extraction (cd-paranoia)", oursExtract.Text().c_str(),
                theirsExtract.Text().c_str(), oursExtract.Median() / theirsExtract.Median());
    std::printf("%-44s %20s %20s %8.3f\n", "rip, Jobs=1 (cd-paranoia + lame -b 128 -m s)", oursOne.Text().c_str(),
                theirsFull.Text().c_str(), oursOne.Median() / theirsFull.Median());
    std::printf("%-44s %20s %20s %8.3f   goal <= 0.7\n", "rip, Jobs=2 (cd-paranoia + lame -b 128 -m s)",
                oursTwo.Text().c_str(), theirsFull.Text().c_str(), oursTwo.Median() / theirsFull.Median());
    std::printf("wizard's longest main-thread stall, ms: Jobs=1 %s, Jobs=2 %s (goal <= 50)\n", spreadText(stallOne).c_str(),
                spreadText(stallTwo).c_str());
    std::printf("MP3 files with Jobs=2: %s\n", sameMp3 ? "identical to Jobs=1" : "DIFFERENT FROM Jobs=1");
    // Both sides left their extraction of the last track behind: the same samples?
    auto samples = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return bytes.size() > 44 ? bytes.substr(44) : std::string();
    };
    const bool same = samples(out + "/mp3tmp.wav") == samples(out + "/cp.wav");
    std::printf("track %d extracted by both: %s\n", kTracks, same ? "identical samples" : "SAMPLES DIFFER");
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return same && sameMp3 && cliStatus == 0 ? 0 : 1;
}
