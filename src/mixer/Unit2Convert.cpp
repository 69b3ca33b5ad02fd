// The wave check and the conversion of any PCM wave file into the encoder's input format.
#include "mixer/Unit2.h"

#include "mixer/WaveCheck.h"
#include "platform/Dialogs.h"
#include "platform/MessageTarget.h"
#include "wave/PcmConvert.h"

#include <algorithm>
#include <vector>

namespace {
constexpr std::int64_t kChunkBytes = 4096;

struct WaveCloser {
    TMMWave* wave;
    ~WaveCloser()
    {
        try {
            wave->CloseFile();
        } catch (...) {
            // Closing after a failed read or write: what was written stays.
        }
    }
};
}  // namespace

bool TForm2::CheckWave(const std::string& fileName)
{
    return ::CheckWave(fileName);
}

void TForm2::ConvertFile(const std::string& source, const std::string& destination)
{
    TMMWave* src = SrcFile.Wave();
    TMMWave* dst = DstFile.Wave();
    src->SetFileName(source);
    src->SetTimeFormat(tfByte);

    const TWaveFormatEx encoderFormat = pcmWaveFormat(16, 2, 44100);
    const std::int64_t room = pcmConvertedSize(kChunkBytes, src->PWaveFormat(), &encoderFormat);
    if (room < 0)
        throw EMMWaveError("Unsupported wave format: only PCM wave files with 8 or 16 bits and 1 or 2 channels "
                           "can be encoded");

    bool writeFailed = false;
    {
        src->OpenFile();
        WaveCloser closeSource{src};
        dst->CreateWaveFile(destination, &encoderFormat);
        WaveCloser closeDestination{dst};  // closes before the source: it was made last
        std::vector<std::uint8_t> in(kChunkBytes);
        std::vector<std::uint8_t> out(static_cast<std::size_t>(room) + 4);

        const std::int64_t size = src->DataSize();
        std::int64_t remaining = size;
        while (remaining > 0 && !state_.cancel) {
            const std::int64_t got = src->ReadDataBytes(in.data(), std::min(kChunkBytes, remaining));
            if (got < 1)
                break;
            const std::int64_t converted = pcmConvert(got, in.data(), src->PWaveFormat(), out.data(), &encoderFormat);
            if (converted < 1)
                break;
            hooks_.ShowConversionProgress(static_cast<int>(src->GetPosition() * 100 / size));
            ProcessMessages();
            if (dst->WriteDataBytes(out.data(), converted) < converted) {
                writeFailed = true;
                break;
            }
            remaining -= got;
        }
    }  // both waves are closed here, the destination with its final sizes
    hooks_.ShowConversionProgress(100);
    // The encoding goes on with what was converted; the user must know it is not all.
    if (writeFailed)
        AppDialogs().ShowMessage(kConversionWriteFailedMessage);
}
