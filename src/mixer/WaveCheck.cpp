#include "mixer/WaveCheck.h"

#include "wave/MMWave.h"

#include "platform/os/OwnedFile.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <memory>

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
    case ENOTDIR: throw EInOutError(2, QCoreApplication::translate("WaveCheck", "File not found").toStdString());
    case EACCES:
    case EPERM:
    case EISDIR: throw EInOutError(5, QCoreApplication::translate("WaveCheck", "File access denied").toStdString());
    case EMFILE:
    case ENFILE: throw EInOutError(4, QCoreApplication::translate("WaveCheck", "Too many open files").toStdString());
    case ENAMETOOLONG:
    case EINVAL: throw EInOutError(123, QCoreApplication::translate("WaveCheck", "Invalid filename").toStdString());
    default: throw EInOutError(error, QCoreApplication::translate("WaveCheck", "I/O error %1").arg(error).toStdString());
    }
}

// The second line of "File access denied" for something at the name that is no file.
QString notAWaveFile(const std::string& fileName, FileKind kind)
{
    const QString name = QString::fromStdString(fileName);
    switch (kind) {
    case FileKind::NamedPipe: return QCoreApplication::translate("WaveCheck", "%1: a named pipe, not a wave file").arg(name);
    case FileKind::Device: return QCoreApplication::translate("WaveCheck", "%1: a device, not a wave file").arg(name);
    case FileKind::Socket: return QCoreApplication::translate("WaveCheck", "%1: a socket, not a wave file").arg(name);
    case FileKind::Directory: return QCoreApplication::translate("WaveCheck", "%1: a folder, not a wave file").arg(name);
    default: return QCoreApplication::translate("WaveCheck", "%1: something that is not a regular file, not a wave file").arg(name);
    }
}

// Reads the bytes up to the sample rate, with the run-time errors of a file that cannot.
// Only a regular file is opened for reading: opening a named pipe would wait for a writer
// for good, and a device or socket is no wave file either.
void readHeaderBytes(const std::string& fileName)
{
    if (fileName.empty())
        raiseIoError(ENOENT);
    const FileStatus status = StatusOfPath(fileName);
    if (status.error != 0)
        raiseIoError(status.error);
    if (status.kind == FileKind::Directory)
        raiseIoError(EISDIR);
    if (status.kind != FileKind::Regular)
        throw EInOutError(5, (QCoreApplication::translate("WaveCheck", "File access denied") + "\n" + notAWaveFile(fileName, status.kind)).toStdString());
    // Non-blocking, in case something else was put at the name after the look above.
    int error = 0;
    const OwnedFile file = OwnedFile::Open(fileName, FileAccess::Read, error);
    if (!file.IsOpen())
        raiseIoError(error);
    if (file.Status().kind != FileKind::Regular)
        raiseIoError(EACCES);
    std::uint8_t header[kBytesToSampleRate];
    std::size_t got = 0;
    if (const int rc = file.ReadAt(0, header, got); rc != 0)
        raiseIoError(rc);
    if (got < sizeof header)
        throw EInOutError(100, QCoreApplication::translate("WaveCheck", "Read beyond end of file").toStdString());
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
        throw EMMWaveError(
            QCoreApplication::translate("WaveCheck", "Unsupported wave format: the file declares a sample rate of %1 Hz; only rates from %2 to %3 Hz can be encoded")
                .arg(QString::number(format->nSamplesPerSec), QString::number(kLowestRate), QString::number(kHighestRate))
                .toStdString());
    if (wave.DataBytes() == 0)
        throw EMMWaveError(QCoreApplication::translate("WaveCheck", "The wave file holds no audio.").toStdString() + "\n" + fileName);
}
