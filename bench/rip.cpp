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
//   bench_rip [minutes]        default: 10
#include "disc/DiscReaders.h"
#include "mixer/TrackEncoders.h"
#include "mixer/Unit2.h"
#include "platform/cd/CDDA.h"
#include "platform/os/MessageTarget.h"
#include "support/ChildRun.h"
#include "support/PairedRuns.h"

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
constexpr int kChecksumPairs = 5;
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
// messages run; with encode, encode each through the hidden window's chain.
int ripAll(int argc, char** argv, const std::string& image, const std::string& folder, bool encode,
           bool checksums = true)
{
    QCoreApplication app(argc, argv);
    CddaLibrary().SetDevice(image);
    CddaLibrary().SetChecksums(checksums);
    WizardState state;
    state.sourceKind = "cd";
    TForm2 form2(state);
    WizardHooks hooks;
    hooks.WriteTag = [](const std::string&) { return 0; };
    hooks.CDWriteTag = [](const std::string&) { return 0; };
    hooks.FinishUp = [] {};
    hooks.EnableTimer1 = [](bool) {};
    hooks.ShowConversionProgress = [](int) {};
    form2.SetWizardHooks(hooks);
    for (int t = 1; t <= kTracks; ++t) {
        if (!extractTrack(folder, t))
            return 1;
        if (!encode)
            continue;
        state.cdTrackDone = false;
        state.encodingInProgress = true;
        try {
            form2.StartEncoding(folder + "/mp3tmp.wav", folder + "/Track" + std::to_string(t) + "-jobs1.mp3",
                                kDefaultBitRateIndex, false, false);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "encoding failed: %s\n", e.what());
            return 1;
        }
        while (!state.cdTrackDone)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return 0;
}

// Child: as the wizard's rip with `jobs` encoders: each extracted track moves into a file
// of its own and goes to the next free encoder while the next track is extracted.
int ripBeside(int argc, char** argv, const std::string& image, const std::string& folder, int jobs)
{
    QCoreApplication app(argc, argv);
    CddaLibrary().SetDevice(image);
    CddaLibrary().SetChecksums(true);  // as the wizard's rip
    bool failed = false;
    TrackEncoders encoders(EncoderSettings{}, jobs, {}, [&](const TrackEnd& end) {
        if (!end.completed) {
            std::fprintf(stderr, "encoding of track %d failed: %s\n", end.track, end.message.c_str());
            failed = true;
        }
    });
    for (int t = 1; t <= kTracks && !failed; ++t) {
        if (!extractTrack(folder, t))
            return 1;
        const std::string wave = folder + "/.mp3tmp-" + std::to_string(t) + ".wav";
        std::filesystem::rename(folder + "/mp3tmp.wav", wave);
        while (!encoders.HasFreeEncoder())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        TrackJob job;
        job.track = t;
        job.input = wave;
        job.output = folder + "/Track" + std::to_string(t) + "-jobs" + std::to_string(jobs) + ".mp3";
        job.bitRateIndex = kDefaultBitRateIndex;
        try {
            encoders.Start(std::move(job));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "encoding failed: %s\n", e.what());
            return 1;
        }
    }
    while (encoders.Running() > 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return failed ? 1 : 0;
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
}  // namespace

int main(int argc, char** argv)
{
    InstallDiscReaders();
    if (argc == 4 && (std::string(argv[1]) == "--extract" || std::string(argv[1]) == "--rip"))
        return ripAll(argc, argv, argv[2], argv[3], std::string(argv[1]) == "--rip");
    if (argc == 4 && (std::string(argv[1]) == "--extract-unchecked" || std::string(argv[1]) == "--rip-unchecked"))
        return ripAll(argc, argv, argv[2], argv[3], std::string(argv[1]) == "--rip-unchecked", false);
    if (argc == 5 && std::string(argv[1]) == "--rip-jobs")
        return ripBeside(argc, argv, argv[2], argv[3], std::atoi(argv[4]));

    const int minutes = argc > 1 ? std::atoi(argv[1]) : 10;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const auto folder = std::filesystem::temp_directory_path() / ("mervane-bench-rip-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string image = writeImage(folder, minutes);
    const std::string out = folder.string();

    PairedRuns oursExtract, theirsExtract, theirsFull, oursOne, oursTwo;
    for (int run = 0; run < kRuns; ++run) {
        double extract = 0, encode = 0;
        for (int t = 1; t <= kTracks; ++t) {
            extract += paranoia(image, out, t);
            encode += lame(out, t);
        }
        theirsExtract.Add(extract);
        theirsFull.Add(extract + encode);
        oursExtract.Add(runChild({self, "--extract", image, out}));
        oursOne.Add(runChild({self, "--rip", image, out}));
        oursTwo.Add(runChild({self, "--rip-jobs", image, out, "2"}));
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
    constexpr int kExtractionPairs = 15;
    const auto [ripWall, ripCpu] = pairedRatios("--rip", "--rip-unchecked", kChecksumPairs);
    const auto [extractWall, extractCpu] = pairedRatios("--extract", "--extract-unchecked", kExtractionPairs);
    std::printf("%d-minute disc image, %d tracks, %d paired runs; seconds as median (min-max)\n", minutes, kTracks, kRuns);
    const auto pairLine = [](const char* what, const Spread& wall, const Spread& cpu, int pairs, const char* goal) {
        std::printf("%s with checksums / without over %d pairs: wall median %.3f (min %.3f, max %.3f), "
                    "processor time median %.3f (min %.3f, max %.3f)%s\n",
                    what, pairs, wall.median, wall.min, wall.max, cpu.median, cpu.min, cpu.max, goal);
    };
    pairLine("rip", ripWall, ripCpu, kChecksumPairs, ", goal <= 1.05");
    pairLine("extraction alone", extractWall, extractCpu, kExtractionPairs, "");
    std::printf("%-44s %20s %20s %8s\n", "", "ours", "theirs", "ratio");
    std::printf("%-44s %20s %20s %8.3f\n", "extraction (cd-paranoia)", oursExtract.Text().c_str(),
                theirsExtract.Text().c_str(), oursExtract.Median() / theirsExtract.Median());
    std::printf("%-44s %20s %20s %8.3f\n", "rip, Jobs=1 (cd-paranoia + lame -b 128 -m s)", oursOne.Text().c_str(),
                theirsFull.Text().c_str(), oursOne.Median() / theirsFull.Median());
    std::printf("%-44s %20s %20s %8.3f   goal <= 0.7\n", "rip, Jobs=2 (cd-paranoia + lame -b 128 -m s)",
                oursTwo.Text().c_str(), theirsFull.Text().c_str(), oursTwo.Median() / theirsFull.Median());
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
    return same && sameMp3 ? 0 : 1;
}
