#pragma once
// Writes the benches' generated inputs: a 16- or 24-bit stereo PCM wave file with the plain
// 44-byte RIFF header, its samples given frame by frame by the bench.
//
//   WriteStereoWave(path, 44100, 16, 44100 * 60, [&](std::uint32_t i) {
//       return StereoSample{left(i), right(i)};   // in the file's integer range
//   });
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

struct StereoSample {
    std::int32_t left = 0;
    std::int32_t right = 0;
};

namespace stereo_wave_detail {
inline void putLe(std::vector<char>& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
}  // namespace stereo_wave_detail

// Sample: std::uint32_t frame -> StereoSample. False when the file could not be written.
template <class Sample>
bool WriteStereoWave(const std::string& path, std::uint32_t rate, int bits, std::uint32_t frames, Sample sample)
{
    using stereo_wave_detail::putLe;
    const int sampleBytes = bits / 8;
    const std::uint32_t frameBytes = 2u * static_cast<std::uint32_t>(sampleBytes);
    const std::uint32_t dataBytes = frames * frameBytes;
    std::vector<char> block;
    block.insert(block.end(), {'R', 'I', 'F', 'F'});
    putLe(block, 36 + dataBytes, 4);
    block.insert(block.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLe(block, 16, 4);
    putLe(block, 1, 2);  // PCM
    putLe(block, 2, 2);  // channels
    putLe(block, rate, 4);
    putLe(block, rate * frameBytes, 4);
    putLe(block, frameBytes, 2);
    putLe(block, static_cast<std::uint32_t>(bits), 2);
    block.insert(block.end(), {'d', 'a', 't', 'a'});
    putLe(block, dataBytes, 4);

    std::ofstream out(path, std::ios::binary);
    constexpr std::size_t kBlockBytes = 1 << 18;
    for (std::uint32_t i = 0; i < frames && out; ++i) {
        const StereoSample s = sample(i);
        putLe(block, static_cast<std::uint32_t>(s.left), sampleBytes);
        putLe(block, static_cast<std::uint32_t>(s.right), sampleBytes);
        if (block.size() >= kBlockBytes) {
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
            block.clear();
        }
    }
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
    out.close();
    return static_cast<bool>(out);
}
