#include "mixer/WaveCheck.h"

#include "wave/MMWave.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr std::size_t kBytesToSampleRate = 26;  // header bytes up to the sample rate's low word
// The rates a wave file plausibly holds; outside them a header is broken or hostile (a 1 Hz
// file would convert a few bytes into a temporary file of hundreds of megabytes).
constexpr std::uint32_t kLowestRate = 1000;
constexpr std::uint32_t kHighestRate = 384000;

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

struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};

const char* kindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return "a named pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a regular file";
}

// Reads the bytes up to the sample rate, with the run-time errors of a file that cannot.
// Only a regular file is opened for reading: opening a named pipe would wait for a writer
// for good, and a device or socket is no wave file either.
void readHeaderBytes(const std::string& fileName)
{
    if (fileName.empty())
        raiseIoError(ENOENT);
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0)
        raiseIoError(errno);
    if (S_ISDIR(st.st_mode))
        raiseIoError(EISDIR);
    if (!S_ISREG(st.st_mode))
        throw EInOutError(5, "File access denied\n" + fileName + ": " + kindOf(st.st_mode) +
                                 ", not a wave file");
    // Non-blocking, in case something else was put at the name after the look above.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        raiseIoError(errno);
    const FdCloser closer{fd};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        raiseIoError(EACCES);
    unsigned char header[kBytesToSampleRate];
    std::size_t got = 0;
    while (got < sizeof header) {
        const ssize_t n = ::read(fd, header + got, sizeof header - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            raiseIoError(errno);
        if (n == 0)
            throw EInOutError(100, "Read beyond end of file");
        got += static_cast<std::size_t>(n);
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

void CheckWaveContents(const std::string& fileName)
{
    TMMWave wave;
    try {
        wave.SetFileName(fileName);
    } catch (const EMMWaveError&) {
        return;  // the conversion reports what is wrong with it
    }
    const TWaveFormatEx* format = wave.PWaveFormat();
    if (!format)
        return;
    if (format->nSamplesPerSec < kLowestRate || format->nSamplesPerSec > kHighestRate)
        throw EMMWaveError("Unsupported wave format: the file declares a sample rate of " +
                           std::to_string(format->nSamplesPerSec) + " Hz; only rates from " +
                           std::to_string(kLowestRate) + " to " + std::to_string(kHighestRate) +
                           " Hz can be encoded");
    if (wave.DataBytes() == 0)
        throw EMMWaveError("The wave file holds no audio.\n" + fileName);
}
