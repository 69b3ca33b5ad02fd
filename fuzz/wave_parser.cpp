// libFuzzer target for the wave parser: any byte sequence must end in a parsed wave or in
// one of the wave errors, without a crash, a hang or a read outside a buffer. Each input is
// tried as a whole file and, so the fuzzer reaches the chunk walk quickly, also as the
// chunks of a RIFF WAVE file.
#include "platform/codec/Resampler.h"
#include "wave/MMWave.h"
#include "wave/PcmStream.h"
#include "wave/SampleLayout.h"
#include "wave/WaveIO.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
const std::string& scratchFile()
{
    // Memory-backed when the machine has it: the parser reopens the file for every input.
    static const std::string folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    static const std::string path = folder + "/mervane-fuzz-" + std::to_string(::getpid()) + ".wav";
    return path;
}

bool writeFile(const std::vector<std::uint8_t>& bytes)
{
    std::FILE* f = std::fopen(scratchFile().c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

void exercise(const std::vector<std::uint8_t>& bytes)
{
    if (!writeFile(bytes))
        return;
    try {
        TMMWave wave;
        wave.SetFileName(scratchFile());
        wave.OpenFile();
        std::vector<std::uint8_t> buffer(4096);
        std::int64_t guard = 0;
        while (wave.ReadDataBytes(buffer.data(), static_cast<std::int64_t>(buffer.size())) > 0 && ++guard < 1000) {
        }
        wave.SetPosition(wave.DataSize() / 2);
        const std::int64_t got = wave.ReadDataBytes(buffer.data(), static_cast<std::int64_t>(buffer.size()));
        (void)wave.FormatString();
        // The conversion's reading of the format and one block through it, at the rates
        // a wave file plausibly holds.
        std::string why;
        if (const auto layout = ReadSampleLayout(wave.PWaveFormat(), &why);
            layout && layout->rate >= 1000 && layout->rate <= 384000) {
            try {
                TPcmStreamConverter converter(*layout, 44100);
                (void)converter.Convert(buffer.data(), got);
                (void)converter.Finish();
            } catch (const EResamplerError&) {
            }
        }
        wave.CloseFile();
    } catch (const EMMWaveError&) {
    }
    if (const WaveFormatPtr format = WaveIOReadFormat(scratchFile())) {
        std::string why;
        (void)ReadSampleLayout(format.get(), &why);
    }
    PMMWaveIOInfo info;
    if (WaveIOOpen(scratchFile(), &info) == WIOERR_NOERROR)
        for (std::size_t i = 0; i < kInfoIds.size(); ++i)
            (void)info->InfoText(i);
    ::unlink(scratchFile().c_str());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> raw(data, data + size);
    exercise(raw);
    std::vector<std::uint8_t> wrapped = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    const std::uint32_t riffSize = static_cast<std::uint32_t>(size + 4);
    for (int i = 0; i < 4; ++i)
        wrapped[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
    wrapped.insert(wrapped.end(), raw.begin(), raw.end());
    exercise(wrapped);
    return 0;
}
