#include "mixer/WaveCheck.h"

#include "wave/MMWave.h"

#include <cerrno>
#include <cstdio>
#include <memory>

namespace {
constexpr std::size_t kBytesToSampleRate = 26;  // header bytes up to the sample rate's low word

[[noreturn]] void raiseIoError(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR: throw EInOutError(2, "File not found");
    case EACCES:
    case EPERM:
    case EISDIR: throw EInOutError(5, "File access denied");
    case EMFILE:
    case ENFILE: throw EInOutError(4, "Too many open files");
    case ENAMETOOLONG:
    case EINVAL: throw EInOutError(123, "Invalid filename");
    default: throw EInOutError(error, "I/O error " + std::to_string(error));
    }
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Reads the bytes up to the sample rate, with the run-time errors of a file that cannot.
void readHeaderBytes(const std::string& fileName)
{
    if (fileName.empty())
        raiseIoError(ENOENT);
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file)
        raiseIoError(errno);
    unsigned char header[kBytesToSampleRate];
    const std::size_t got = std::fread(header, 1, sizeof header, file.get());
    if (got < sizeof header) {
        if (std::ferror(file.get()))
            raiseIoError(errno ? errno : EIO);
        throw EInOutError(100, "Read beyond end of file");
    }
}
}  // namespace

bool CheckWave(const std::string& fileName)
{
    readHeaderBytes(fileName);
    TMMWave wave;
    try {
        wave.SetFileName(fileName);
    } catch (const EMMWaveError&) {
        return false;  // the conversion reports what is wrong with it
    }
    const TWaveFormatEx* format = wave.PWaveFormat();
    return format && format->wFormatTag == WAVE_FORMAT_PCM && format->nChannels == 2 &&
           format->wBitsPerSample == 16 && format->nSamplesPerSec == 44100;
}
