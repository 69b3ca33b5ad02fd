// The wave check and the conversion of any PCM wave file into the encoder's input format.
#include "mixer/Unit2.h"

#include "mixer/WaveCheck.h"
#include "platform/os/Dialogs.h"
#include "platform/Errors.h"
#include "platform/os/MessageTarget.h"
#include "wave/PcmStream.h"
#include "wave/SampleLayout.h"
#include "wave/WaveIO.h"

#include <algorithm>
#include <cerrno>
#include <span>
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
    try {
        src->SetFileName(source);
    } catch (const EMMWaveError&) {
        // A format the wave object cannot even use (no channels, ...) is named all the same.
        std::string unsupported;
        if (const WaveFormatPtr format = WaveIOReadFormat(source); format && !ReadSampleLayout(format.get(), &unsupported))
            throw EMMWaveError(unsupported);
        throw;
    }
    src->SetTimeFormat(tfByte);

    std::string unsupported;
    const auto layout = ReadSampleLayout(src->PWaveFormat(), &unsupported);
    if (!layout)
        throw EMMWaveError(unsupported);
    const TWaveFormatEx encoderFormat = pcmWaveFormat(16, 2, 44100);
    TPcmStreamConverter converter(*layout, encoderFormat.nSamplesPerSec);
    // Whole source frames per chunk, so no sample is split between two reads.
    const std::int64_t chunk = converter.BlockBytes(kChunkBytes);

    bool writeFailed = false;
    int writeError = 0;  // the system's reason for the failed write
    {
        src->OpenFile();
        WaveCloser closeSource{src};
        dst->CreateWaveFile(destination, &encoderFormat);
        WaveCloser closeDestination{dst};  // closes before the source: it was made last
        std::vector<std::uint8_t> in(static_cast<std::size_t>(chunk));
        const auto append = [&](std::span<const std::uint8_t> bytes) {
            const auto count = static_cast<std::int64_t>(bytes.size());
            errno = 0;
            if (count > 0 && dst->WriteDataBytes(bytes.data(), count) < count) {
                writeFailed = true;
                writeError = errno ? errno : EIO;
            }
            return !writeFailed;
        };

        const std::int64_t size = src->DataSize();
        std::int64_t remaining = size;
        while (remaining > 0 && !state_.cancel) {
            const std::int64_t got = src->ReadDataBytes(in.data(), std::min(chunk, remaining));
            if (got < 1)
                break;
            // With a rate change the first chunks give little or nothing: the resampler's
            // filter fills first.
            const auto converted = converter.Convert(in.data(), got);
            hooks_.ShowConversionProgress(static_cast<int>(src->GetPosition() * 100 / size));
            ProcessMessages();
            if (!append(converted))
                break;
            remaining -= got;
        }
        // Also after a cancel: every chunk read is written out in full.
        if (!writeFailed)
            append(converter.Finish());
    }  // both waves are closed here, the destination with its final sizes
    hooks_.ShowConversionProgress(100);
    // A source that gave less than it holds is not encoded: the copy is not the file.
    if (!state_.cancel)
        if (const std::string cut = InputCutShortMessage(*src); !cut.empty())
            throw EMMWaveError(cut);
    // The encoding goes on with what was converted; the user must know it is not all.
    if (writeFailed)
        AppDialogs().ShowMessage(std::string(kConversionWriteFailedMessage) + "\n" +
                                 FileReasonLine(destination, writeError));
}
