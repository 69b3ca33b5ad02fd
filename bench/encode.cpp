// Encoding benchmark: a generated 16-bit stereo 44100 Hz wave file goes through the same
// chain as the wizard (wave file -> pump -> MP3 encoder on the hidden window) and, in the
// same run, through the lame command line tool doing the same job: 128 kbit/s CBR in simple
// stereo (the chain's mode 0; lame's default joint stereo costs more and is not the same
// work), no replay gain, no info frame. The two outputs then hold byte-identical frames, and
// the benchmark checks that they do. Each side runs in a child process, so its peak memory is
// its own. The runs are paired (lame, ours with Jobs=1, ours with Jobs=2, lame, ...) so that
// the load of the machine falls on every side alike; each side is reported as its median
// with the min-max range and its peak memory, and the ratios are those of the medians, for
// a 60-second and a 10-minute file. With --vbr a second line per length encodes with
// Container=mp3 Mode=vbr (VbrQuality=2, joint stereo, Jobs=1) against `lame -V 2` on the
// same input in back-to-back pairs, and prints both sizes and the medians of the pairs'
// wall-clock and CPU-time ratios.
//
// Each of our runs also reports the main thread's longest stall (a 5 ms timer's longest gap).
//
//   bench_encode [--vbr] [--runs N] [seconds ...]        default: 60 600, 5 runs
#include "mixer/Unit2.h"
#include "support/ChildRun.h"
#include "support/PairedRuns.h"
#include "support/RunsOption.h"
#include "support/StallProbe.h"
#include "support/StereoWave.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kRate = 44100;
constexpr int kRuns = 5;
constexpr int kVbrPairs = 7;


// The median and range of a side's run times, and its largest peak memory.
struct Runs {
    std::vector<double> seconds;
    long peakKiB = 0;
    void Add(const ChildRun& run)
    {
        seconds.push_back(run.seconds);
        peakKiB = std::max(peakKiB, run.peakKiB);
    }
    double Median() const { return MedianOf(seconds); }
    std::string Text() const
    {
        char text[96];
        std::snprintf(text, sizeof text, "%.2f (%.2f-%.2f)", Median(), *std::min_element(seconds.begin(), seconds.end()),
                      *std::max_element(seconds.begin(), seconds.end()));
        return text;
    }
};

// Music-like input: two drifting tones and some noise, so the encoder works as on real audio.
bool writeWave(const std::string& path, int seconds)
{
    std::mt19937 noise(1);
    std::uniform_int_distribution<int> n(-800, 800);
    return WriteStereoWave(path, kRate, 16, static_cast<std::uint32_t>(seconds) * kRate, [&](std::uint32_t i) {
        const double t = static_cast<double>(i) / kRate;
        const double a = 9000 * std::sin(2 * std::numbers::pi * (220 + 30 * std::sin(t / 3)) * t);
        const double b = 7000 * std::sin(2 * std::numbers::pi * (660 + 50 * std::sin(t / 5)) * t);
        const auto left = static_cast<std::int16_t>(a + 0.5 * b + n(noise));
        return StereoSample{left, static_cast<std::int16_t>(0.5 * a + b + n(noise))};
    });
}

std::vector<char> readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le32(const std::vector<char>& b, std::size_t at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

// The chain writes its frames into the "data" chunk of a RIFF file, lame writes them bare:
// the like-for-like check is that both hold the same frame bytes.
bool sameFrames(const std::string& ours, const std::string& lame)
{
    const std::vector<char> riff = readAll(ours);
    const std::vector<char> bare = readAll(lame);
    for (std::size_t at = 12; at + 8 <= riff.size();) {
        const std::uint32_t size = le32(riff, at + 4);
        if (std::string(riff.data() + at, 4) == "data") {
            const std::size_t end = std::min<std::size_t>(riff.size(), at + 8 + size);
            return std::equal(riff.begin() + static_cast<std::ptrdiff_t>(at + 8),
                              riff.begin() + static_cast<std::ptrdiff_t>(end), bare.begin(), bare.end());
        }
        at += 8 + size + (size & 1);
    }
    return false;
}

// Child mode: encode one file through the hidden window's chain, as the wizard does.
int encodeOnce(int argc, char** argv, int jobs, const std::string& input, const std::string& output, bool vbr)
{
    QCoreApplication app(argc, argv);
    WizardState state;
    state.sourceKind = "wave";
    state.encoder.jobs = jobs;
    if (vbr) {
        state.encoder.mp3Container = true;
        state.encoder.vbr = true;
        state.encoder.vbrQuality = 2;
        state.encoder.jointStereo = true;
    }
    TForm2 form2(state);
    bool failed = false;
    WizardHooks hooks;
    hooks.WriteTag = [](const std::string&) { return 0; };
    hooks.CDWriteTag = [](const std::string&) { return 0; };
    hooks.EnableTimer1 = [](bool) {};
    hooks.ShowConversionProgress = [](int) {};
    std::unique_ptr<StallProbe> probe;
    hooks.FinishUp = [&] {
        if (probe)
            ReportStall(*probe);
        QCoreApplication::exit(0);
    };
    form2.SetWizardHooks(hooks);
    probe = std::make_unique<StallProbe>();
    try {
        // lame marks its frames as original unless told otherwise; the same flag here keeps
        // the frame headers equal.
        form2.StartEncoding(input, output, kDefaultBitRateIndex, false, true);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "encoding failed: %s\n", e.what());
        failed = true;
    }
    return failed ? 1 : app.exec();
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::string(argv[1]) == "--encode")
        return encodeOnce(argc, argv, std::atoi(argv[2]), argv[3], argv[4], false);
    if (argc == 5 && std::string(argv[1]) == "--encode-vbr")
        return encodeOnce(argc, argv, std::atoi(argv[2]), argv[3], argv[4], true);

    const int runs = TakeRunsOption(argc, argv, kRuns);
    std::vector<int> lengths;
    bool vbr = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--vbr")
            vbr = true;
        else
            lengths.push_back(std::atoi(argv[i]));
    }
    if (lengths.empty())
        lengths = {60, 600};

    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const auto folder = std::filesystem::temp_directory_path() / ("mervane-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string stallFile = (folder / "stall.txt").string();
    setenv("MERVANE_BENCH_STALL_FILE", stallFile.c_str(), 1);
    std::printf("%d paired runs; seconds as median (min-max)\n", runs);
    std::printf("%8s %22s %22s %22s %7s %7s %9s %9s %9s\n", "seconds", "lame -b 128 -m s", "ours Jobs=1", "ours Jobs=2",
                "J1/lame", "J2/lame", "lame KiB", "J1 KiB", "J2 KiB");
    std::fflush(stdout);
    int exitCode = 0;
    for (int seconds : lengths) {
        const std::string wav = (folder / "in.wav").string();
        if (!writeWave(wav, seconds)) {
            std::fprintf(stderr, "cannot write %s\n", wav.c_str());
            exitCode = 1;
            break;
        }
        Runs lame, one, two;
        PairedRuns stallOne, stallTwo;  // the wizard's longest main-thread stall, ms
        for (int i = 0; i < runs; ++i) {
            const ChildRun l = RunChild({"lame", "--quiet", "-b", "128", "--cbr", "--noreplaygain", "-t", "-m", "s", wav,
                                         (folder / "lame.mp3").string()});
            const ChildRun o1 = RunChild({self, "--encode", "1", wav, (folder / "ours1.mp3").string()});
            stallOne.Add(ReadStall(stallFile));
            const ChildRun o2 = RunChild({self, "--encode", "2", wav, (folder / "ours2.mp3").string()});
            stallTwo.Add(ReadStall(stallFile));
            if (!l.Ok() || !o1.Ok() || !o2.Ok()) {
                std::fprintf(stderr, "a run failed (lame %d, Jobs=1 %d, Jobs=2 %d)\n", l.status, o1.status, o2.status);
                exitCode = 1;
            }
            lame.Add(l);
            one.Add(o1);
            two.Add(o2);
        }
        const bool same = sameFrames((folder / "ours1.mp3").string(), (folder / "lame.mp3").string());
        if (!same)
            exitCode = 1;
        std::printf("%8d %22s %22s %22s %7.3f %7.3f %9ld %9ld %9ld %s\n", seconds, lame.Text().c_str(),
                    one.Text().c_str(), two.Text().c_str(), one.Median() / lame.Median(), two.Median() / lame.Median(),
                    lame.peakKiB, one.peakKiB, two.peakKiB,
                    same ? "Jobs=1 frames identical to lame's" : "Jobs=1 FRAMES DIFFER");
        std::printf("%8d longest main-thread stall, ms: Jobs=1 %s, Jobs=2 %s (goal: at most 50)\n", seconds,
                    stallOne.Text().c_str(), stallTwo.Text().c_str());
        std::fflush(stdout);
        if (!vbr)
            continue;

        // Pairs run back to back, each pair ours then lame, so a change in the machine's load
        // hits both sides of a pair; the medians of the pairs' ratios are printed.
        std::vector<double> wallRatios, cpuRatios;
        ChildRun lastVbr, lastLameVbr;
        for (int i = 0; i < kVbrPairs; ++i) {
            const ChildRun oursRun = RunChild({self, "--encode-vbr", "1", wav, (folder / "ours-vbr.mp3").string()});
            const ChildRun lameRun = RunChild({"lame", "--quiet", "-V", "2", wav, (folder / "lame-vbr.mp3").string()});
            if (!oursRun.Ok() || !lameRun.Ok()) {
                std::fprintf(stderr, "a VBR run failed (ours %d, lame %d)\n", oursRun.status, lameRun.status);
                exitCode = 1;
                break;
            }
            wallRatios.push_back(oursRun.seconds / lameRun.seconds);
            cpuRatios.push_back(oursRun.cpuSeconds / std::max(lameRun.cpuSeconds, 1e-6));
            lastVbr = oursRun;
            lastLameVbr = lameRun;
        }
        std::error_code sizeError;
        const auto oursSize = std::filesystem::file_size(folder / "ours-vbr.mp3", sizeError);
        const auto lameSize = std::filesystem::file_size(folder / "lame-vbr.mp3", sizeError);
        std::printf("%8d %10.3f %10.3f %8.3f %12ld %12ld Container=mp3 Mode=vbr vs lame -V 2: %ju / %ju bytes; "
                    "median of %d pairs: wall %.3fx, cpu %.3fx\n",
                    seconds, lastVbr.seconds, lastLameVbr.seconds, MedianOf(wallRatios), lastVbr.peakKiB,
                    lastLameVbr.peakKiB, static_cast<std::uintmax_t>(oursSize), static_cast<std::uintmax_t>(lameSize),
                    kVbrPairs, MedianOf(wallRatios), MedianOf(cpuRatios));
        std::fflush(stdout);
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return exitCode;
}
