// Throughput of the PCM converter against a plain memcpy of the same source bytes, in the
// same run: 8-bit mono 22050 Hz and 16-bit stereo 48000 Hz into 16-bit stereo 44100 Hz,
// converted in the 4096-byte blocks the conversion step uses.
#include "wave/PcmConvert.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
constexpr std::size_t kSourceBytes = 64u << 20;
constexpr std::size_t kBlock = 4096;
constexpr int kRounds = 3;

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

void run(const char* name, const TWaveFormatEx& src, const TWaveFormatEx& dst)
{
    std::vector<std::uint8_t> in(kSourceBytes);
    for (std::size_t i = 0; i < in.size(); ++i)
        in[i] = static_cast<std::uint8_t>(i * 2654435761u >> 13);
    const std::int64_t room = pcmConvertedSize(kBlock, &src, &dst) + dst.nBlockAlign;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(room));
    std::vector<std::uint8_t> copy(kBlock);
    std::int64_t produced = 0;
    const double convert = bestSeconds([&] {
        produced = 0;
        for (std::size_t at = 0; at < in.size(); at += kBlock)
            produced += pcmConvert(kBlock, in.data() + at, &src, out.data(), &dst);
        sink = out[0];
    });
    const double memcpyTime = bestSeconds([&] {
        for (std::size_t at = 0; at < in.size(); at += kBlock)
            std::memcpy(copy.data(), in.data() + at, kBlock);
        sink = copy[kBlock - 1];
    });
    const double mb = static_cast<double>(kSourceBytes) / (1 << 20);
    std::printf("%-28s convert %8.1f MB/s   memcpy %8.1f MB/s   convert takes %.1fx the memcpy time   (%lld bytes out)\n", name,
                mb / convert, mb / memcpyTime, convert / memcpyTime, static_cast<long long>(produced));
}
}  // namespace

int main()
{
    const TWaveFormatEx target = pcmWaveFormat(16, 2, 44100);
    std::printf("MB of source per second, %zu MB source, blocks of %zu bytes, best of %d\n", kSourceBytes >> 20, kBlock,
                kRounds);
    run("8-bit mono 22050 Hz", pcmWaveFormat(8, 1, 22050), target);
    run("16-bit stereo 48000 Hz", pcmWaveFormat(16, 2, 48000), target);
    return 0;
}
