// Conversion benchmarks, each against a baseline measured in the same run.
//
// 1. The block converter (PcmConvert.h: 8-bit mono 22050 Hz and 16-bit stereo 48000 Hz into
//    16-bit stereo 44100 Hz, 4096-byte blocks) against memcpy of the same source bytes and
//    against memcpy of the bytes the converter writes, into the same cache-resident buffer.
// 2. The wizard's file conversion (TForm2::ConvertFile: band-limited resampling, dither)
//    of generated 48000 Hz 16-bit and 96000 Hz 24-bit stereo files against
//    `sox in.wav -b 16 -r 44100 out.wav rate -v` on the same files, the runs paired (the
//    order alternating) and reported as medians with min-max.
//
//   bench_convert [seconds]        default: 60 (length of the generated files)
#include "mixer/Unit2.h"
#include "support/ChildRun.h"
#include "support/PairedRuns.h"
#include "support/StereoWave.h"
#include "wave/PcmConvert.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr std::size_t kSourceBytes = 64u << 20;
constexpr std::size_t kBlock = 4096;
constexpr int kRounds = 3;      // the block converter's in-process runs: the best counts
constexpr int kFilePairs = 5;  // the file conversion against sox

template <class F>
double bestSeconds(F work)
{
    double best = 1e30;
    for (int r = 0; r < kRounds; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
        best = std::min(best, d.count());
    }
    return best;
}

volatile std::uint8_t sink;  // keeps the copies from being optimised away

void blockConverter(const char* name, const TWaveFormatEx& src, const TWaveFormatEx& dst)
{
    std::vector<std::uint8_t> in(kSourceBytes);
    for (std::size_t i = 0; i < in.size(); ++i)
        in[i] = static_cast<std::uint8_t>(i * 2654435761u >> 13);
    const std::int64_t room = pcmConvertedSize(kBlock, &src, &dst) + dst.nBlockAlign;
    std::vector<std::uint8_t> out(std::max<std::size_t>(static_cast<std::size_t>(room), kBlock));
    std::vector<std::int64_t> written(kSourceBytes / kBlock);
    std::int64_t produced = 0;
    const double convert = bestSeconds([&] {
        produced = 0;
        for (std::size_t at = 0, b = 0; at < in.size(); at += kBlock, ++b) {
            written[b] = pcmConvert(kBlock, in.data() + at, &src, out.data(), &dst);
            produced += written[b];
        }
        sink = out[0];
    });
    // The same source bytes copied into a block buffer.
    const double copySource = bestSeconds([&] {
        for (std::size_t at = 0; at < in.size(); at += kBlock)
            std::memcpy(out.data(), in.data() + at, kBlock);
        sink = out[kBlock - 1];
    });
    // As many bytes as the converter writes per block, read from the stream and written into
    // the same block buffer.
    const double copyWritten = bestSeconds([&] {
        std::size_t from = 0;
        for (const std::int64_t n : written) {
            const auto count = static_cast<std::size_t>(n);
            if (from + count > in.size())
                from = 0;
            std::memcpy(out.data(), in.data() + from, count);
            from += count;
        }
        sink = out[0];
    });
    const double mb = static_cast<double>(kSourceBytes) / (1 << 20);
    std::printf("%-24s convert %7.1f MB/s | x%5.1f memcpy of source bytes | x%5.1f memcpy of written bytes "
                "(%lld MB out)\n",
                name, mb / convert, convert / copySource, convert / copyWritten,
                static_cast<long long>(produced >> 20));
}

// Music-like stereo: two drifting tones and some noise, at `bits` 16 or 24.
bool writeWave(const std::string& path, std::uint32_t rate, int bits, int seconds)
{
    std::mt19937 noise(1);
    std::uniform_real_distribution<double> n(-0.02, 0.02);
    const double full = bits == 16 ? 32767 : 8388607;
    return WriteStereoWave(path, rate, bits, rate * static_cast<std::uint32_t>(seconds), [&](std::uint32_t i) {
        const double t = static_cast<double>(i) / rate;
        const double a = 0.3 * std::sin(2 * std::numbers::pi * (220 + 30 * std::sin(t / 3)) * t);
        const double b = 0.2 * std::sin(2 * std::numbers::pi * (5000 + 500 * std::sin(t / 5)) * t);
        const auto left = static_cast<std::int32_t>(std::lround((a + 0.5 * b + n(noise)) * full));
        return StereoSample{left, static_cast<std::int32_t>(std::lround((0.5 * a + b + n(noise)) * full))};
    });
}

double runSox(const std::string& in, const std::string& out)
{
    const ChildRun sox = RunChild({"sox", in, "-b", "16", "-r", "44100", out, "rate", "-v"});
    if (!sox.Ok()) {
        std::fprintf(stderr, "sox failed (status %d)\n", sox.status);
        return -1;
    }
    return sox.seconds;
}

int fileConversion(TForm2& form2, const std::filesystem::path& folder, const char* name, std::uint32_t rate, int bits,
                   int seconds)
{
    const std::string in = (folder / "in.wav").string();
    if (!writeWave(in, rate, bits, seconds)) {
        std::fprintf(stderr, "cannot write %s\n", in.c_str());
        return 1;
    }
    PairedRuns ours, sox;
    const auto runOurs = [&] {
        const auto t0 = std::chrono::steady_clock::now();
        form2.ConvertFile(in, (folder / "ours.wav").string());
        const std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
        ours.Add(d.count());
    };
    for (int r = 0; r < kFilePairs; ++r) {
        if (r % 2 == 0)
            runOurs();
        const double s = runSox(in, (folder / "sox.wav").string());
        if (s < 0)
            return 1;
        sox.Add(s);
        if (r % 2 != 0)
            runOurs();
    }
    const auto oursBytes = std::filesystem::file_size(folder / "ours.wav");
    const auto soxBytes = std::filesystem::file_size(folder / "sox.wav");
    std::printf("%-24s ours %s s | sox %s s | ratio %5.2f | output %llu / %llu bytes\n", name, ours.Text().c_str(),
                sox.Text().c_str(), ours.Median() / sox.Median(), static_cast<unsigned long long>(oursBytes),
                static_cast<unsigned long long>(soxBytes));
    std::fflush(stdout);
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    QCoreApplication app(argc, argv);

    const TWaveFormatEx target = pcmWaveFormat(16, 2, 44100);
    std::printf("Block converter: %zu MB source, blocks of %zu bytes, best of %d\n", kSourceBytes >> 20, kBlock, kRounds);
    blockConverter("8-bit mono 22050 Hz", pcmWaveFormat(8, 1, 22050), target);
    blockConverter("16-bit stereo 48000 Hz", pcmWaveFormat(16, 2, 48000), target);

    std::printf("\nFile conversion to 16-bit stereo 44100 Hz, %d s files, %d paired runs, median (min-max); "
                "sox in.wav -b 16 -r 44100 out.wav rate -v\n",
                seconds, kFilePairs);
    const auto folder = std::filesystem::temp_directory_path() / ("mervane-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    WizardState state;
    TForm2 form2(state);
    WizardHooks hooks;
    hooks.ShowConversionProgress = [](int) {};
    form2.SetWizardHooks(hooks);
    int exitCode = fileConversion(form2, folder, "16-bit stereo 48000 Hz", 48000, 16, seconds);
    exitCode |= fileConversion(form2, folder, "24-bit stereo 96000 Hz", 96000, 24, seconds);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return exitCode;
}
