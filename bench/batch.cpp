// Batch benchmark: eight 60-second waves of music-like sound through `mervane-cli wave -j 2`
// against eight `lame -b 128 -m s` runs started two at a time (`xargs -P 2`). Each side
// runs into a fresh folder; five runs paired, the order alternating, reported as medians with
// min-max. Checks that both made eight files, prints both times and the ratio of the medians
// ours / theirs (goal: at most 1.05).
//
//   bench_batch [seconds-per-file]     default: 60
#include "support/ChildRun.h"
#include "support/PairedRuns.h"
#include "support/StereoWave.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
constexpr int kFiles = 8;
constexpr int kRuns = 5;

// A 44100 Hz 16-bit stereo wave of two gliding tones and a little noise.
bool writeWave(const fs::path& path, int seconds, int seed)
{
    std::mt19937 noise(static_cast<unsigned>(seed));
    std::uniform_int_distribution<int> n(-600, 600);
    return WriteStereoWave(path.string(), 44100, 16, 44100u * static_cast<std::uint32_t>(seconds), [&](std::uint32_t i) {
        const double x = double(i) / 44100;
        const double a = 9000 * std::sin(2 * std::numbers::pi * (220 + 30 * seed + 40 * std::sin(x / 3)) * x);
        const double b = 6000 * std::sin(2 * std::numbers::pi * (660 + 50 * std::sin(x / 5)) * x);
        const auto left = std::int16_t(a + 0.5 * b + n(noise));
        return StereoSample{left, std::int16_t(0.5 * a + b + n(noise))};
    });
}

std::size_t mp3Count(const fs::path& folder)
{
    std::size_t n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        n += e.path().extension() == ".mp3" && fs::file_size(e.path()) > 0;
    return n;
}
}  // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    const fs::path work = fs::temp_directory_path() / ("mervane-bench-batch-" + std::to_string(getpid()));
    fs::create_directories(work / "in");
    std::vector<std::string> inputs;
    for (int i = 0; i < kFiles; ++i) {
        const fs::path p = work / "in" / ("take" + std::to_string(i + 1) + ".wav");
        if (!writeWave(p, seconds, i)) {
            std::fprintf(stderr, "cannot write %s\n", p.c_str());
            return 1;
        }
        inputs.push_back(p.string());
    }
    // The program's own folders (settings, temporary files) stay inside the bench's.
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (work / "cache").c_str(), 1);

    PairedRuns ours, theirs;
    bool ok = true;
    const auto runOurs = [&](int run) {
        const fs::path mine = work / ("ours" + std::to_string(run));
        std::vector<std::string> args{MERVANE_CLI_PROGRAM, "wave", "-j", "2", "--quiet", "-o", mine.string() + "/"};
        args.insert(args.end(), inputs.begin(), inputs.end());
        const ChildRun a = RunChild(args);
        ok = ok && a.Ok() && mp3Count(mine) == kFiles;
        ours.Add(a.seconds);
        fs::remove_all(mine);
    };
    const auto runTheirs = [&](int run) {
        const fs::path lame = work / ("lame" + std::to_string(run));
        fs::create_directories(lame);
        const std::string script = "cd '" + (work / "in").string() + "' && ls *.wav | xargs -P 2 -I{} lame --quiet -b 128 -m s {} '" +
                                   lame.string() + "/{}.mp3'";
        const ChildRun b = RunChild({"sh", "-c", script});
        ok = ok && b.Ok() && mp3Count(lame) == kFiles;
        theirs.Add(b.seconds);
        fs::remove_all(lame);
    };
    RunAlternately(kRuns, ok, runOurs, runTheirs);
    fs::remove_all(work);
    if (!ok) {
        std::fprintf(stderr, "bench_batch: a run failed or made fewer than %d files\n", kFiles);
        return 1;
    }
    std::printf("%d waves of %d s, %d paired runs; seconds as median (min-max)\n", kFiles, seconds, kRuns);
    std::printf("mervane-cli -j 2:         %s\n", ours.Text().c_str());
    std::printf("lame -b 128 -m s, -P 2:   %s\n", theirs.Text().c_str());
    std::printf("ratio ours / theirs:      %.3f (goal: at most 1.05)\n", ours.Median() / theirs.Median());
    return 0;
}
