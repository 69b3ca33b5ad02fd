// CD benchmark: a 10-minute disc image (three audio tracks of music-like sound, written
// here as BIN/CUE) is extracted track by track by our extraction library and, in the same
// run, by cd-paranoia reading the same image. Then the whole CD road: each track
// extracted into mp3tmp.wav and encoded at 128 kbit/s through the hidden window's chain
// (extraction on a worker thread while the main thread lets messages run, as the wizard
// does), against cd-paranoia followed by lame -b 128 for each track. Each side runs in a
// child process; the best of three runs counts. Prints times and the ratios ours / theirs.
//
//   bench_rip [minutes]        default: 10
#include "mixer/Unit2.h"
#include "platform/cd/CDDA.h"
#include "platform/os/MessageTarget.h"
#include "support/ChildRun.h"

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
constexpr int kRuns = 3;
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
        setOutputDir((folder + "/").c_str());
        auto result = std::async(std::launch::async, [t] { return riptrack(t); });
        while (result.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
            ProcessMessages();
        if (result.get() != 1) {
            std::fprintf(stderr, "extraction of track %d failed: %s\n", t, ripmessage().c_str());
            return 1;
        }
        if (!encode)
            continue;
        state.cdTrackDone = false;
        state.encodingInProgress = true;
        try {
            form2.StartEncoding(folder + "/mp3tmp.wav", folder + "/Track" + std::to_string(t) + ".mp3",
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
    return runChild({"lame", "--quiet", "-b", "128", "--cbr", "--noreplaygain", "-t", folder + "/cp.wav",
                     folder + "/lame" + std::to_string(track) + ".mp3"});
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && (std::string(argv[1]) == "--extract" || std::string(argv[1]) == "--rip"))
        return ripAll(argc, argv, argv[2], argv[3], std::string(argv[1]) == "--rip");
    if (argc == 4 && (std::string(argv[1]) == "--extract-unchecked" || std::string(argv[1]) == "--rip-unchecked"))
        return ripAll(argc, argv, argv[2], argv[3], std::string(argv[1]) == "--rip-unchecked", false);

    const int minutes = argc > 1 ? std::atoi(argv[1]) : 10;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const auto folder = std::filesystem::temp_directory_path() / ("mervane-bench-rip-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string image = writeImage(folder, minutes);
    const std::string out = folder.string();

    double oursExtract = 1e300, theirsExtract = 1e300, oursFull = 1e300, theirsFull = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        oursExtract = std::min(oursExtract, runChild({self, "--extract", image, out}));
        double extract = 0, encode = 0;
        for (int t = 1; t <= kTracks; ++t) {
            extract += paranoia(image, out, t);
            encode += lame(out, t);
        }
        theirsExtract = std::min(theirsExtract, extract);
        theirsFull = std::min(theirsFull, extract + encode);
        oursFull = std::min(oursFull, runChild({self, "--rip", image, out}));
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
    std::printf("%d-minute disc image, %d tracks, best of %d runs\n", minutes, kTracks, kRuns);
    const auto pairLine = [](const char* what, const Spread& wall, const Spread& cpu, int pairs, const char* goal) {
        std::printf("%s with checksums / without over %d pairs: wall median %.3f (min %.3f, max %.3f), "
                    "processor time median %.3f (min %.3f, max %.3f)%s\n",
                    what, pairs, wall.median, wall.min, wall.max, cpu.median, cpu.min, cpu.max, goal);
    };
    pairLine("rip", ripWall, ripCpu, kChecksumPairs, ", goal <= 1.05");
    pairLine("extraction alone", extractWall, extractCpu, kExtractionPairs, "");
    std::printf("%-38s %10s %10s %8s\n", "", "ours s", "theirs s", "ratio");
    std::printf("%-38s %10.3f %10.3f %8.3f\n", "extraction (cd-paranoia)", oursExtract, theirsExtract,
                oursExtract / theirsExtract);
    std::printf("%-38s %10.3f %10.3f %8.3f\n", "extraction + encoding (+ lame -b 128)", oursFull, theirsFull,
                oursFull / theirsFull);
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
    return same ? 0 : 1;
}
