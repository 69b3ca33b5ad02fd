#include "platform/codec/DecodedAudioFile.h"

#include <QCoreApplication>

#include <sndfile.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct SndCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};

// The first bytes of the file, or fewer when it is shorter.
std::string head(int fd, std::size_t count)
{
    std::string bytes(count, '\0');
    std::size_t got = 0;
    while (got < count) {
        const ssize_t r = ::pread(fd, bytes.data() + got, count - got, off_t(got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        got += std::size_t(r);
    }
    bytes.resize(got);
    return bytes;
}

// A FLAC stream's marker, after an ID3v2 tag when one comes first, or an Ogg page's.
bool recognisedStream(int fd)
{
    const std::string start = head(fd, 10);
    if (start.rfind("fLaC", 0) == 0 || start.rfind("OggS", 0) == 0)
        return true;
    if (start.size() == 10 && start.rfind("ID3", 0) == 0) {
        // The tag's size: four 7-bit bytes, after the 10-byte header (and a footer when flagged).
        std::uint64_t size = 0;
        for (int i = 6; i < 10; ++i)
            size = size << 7 | (std::uint8_t(start[std::size_t(i)]) & 0x7F);
        size += 10 + ((std::uint8_t(start[5]) & 0x10) ? 10 : 0);
        char marker[4];
        return ::pread(fd, marker, 4, off_t(size)) == 4 && std::memcmp(marker, "fLaC", 4) == 0;
    }
    return false;
}

// Opens a regular file read-only without waiting on it (a FIFO never blocks here); -1 and
// the reason when it is something else.
int openRegular(const std::string& path, std::string& error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = std::strerror(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = (S_ISDIR(st.st_mode) ? QCoreApplication::translate("DecodedAudioFile", "It is a folder") : QCoreApplication::translate("DecodedAudioFile", "It is no regular file")).toStdString();
        ::close(fd);
        return -1;
    }
    return fd;
}
}  // namespace

struct DecodedAudioFile::Handle {
    std::unique_ptr<SNDFILE, SndCloser> file;
};

DecodedAudioFile::DecodedAudioFile(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}

DecodedAudioFile::~DecodedAudioFile() = default;

bool DecodedAudioFile::Recognised(const std::string& path)
{
    std::string error;
    const int fd = openRegular(path, error);
    if (fd < 0)
        return false;
    const bool known = recognisedStream(fd);
    ::close(fd);
    return known;
}

std::unique_ptr<DecodedAudioFile> DecodedAudioFile::Open(const std::string& path, std::string& error)
{
    const int fd = openRegular(path, error);
    if (fd < 0)
        return nullptr;
    if (!recognisedStream(fd)) {
        ::close(fd);
        error = QCoreApplication::translate("DecodedAudioFile", "It is neither a FLAC nor an Ogg stream").toStdString();
        return nullptr;
    }
    SF_INFO info{};
    // libsndfile closes the descriptor with the file, and on a failed open too.
    std::unique_ptr<SNDFILE, SndCloser> file(sf_open_fd(fd, SFM_READ, &info, SF_TRUE));
    if (!file) {
        error = QCoreApplication::translate("DecodedAudioFile", "It cannot be decoded: %1").arg(QString::fromUtf8(sf_strerror(nullptr))).toStdString();
        return nullptr;
    }
    const int major = info.format & SF_FORMAT_TYPEMASK, minor = info.format & SF_FORMAT_SUBMASK;
    if (major != SF_FORMAT_FLAC && major != SF_FORMAT_OGG) {
        error = QCoreApplication::translate("DecodedAudioFile", "It is neither a FLAC nor an Ogg stream").toStdString();
        return nullptr;
    }
    if (info.frames < 0 || info.channels < 1 || info.samplerate < 1) {
        error = QCoreApplication::translate("DecodedAudioFile", "It gives no length, channels or sample rate").toStdString();
        return nullptr;
    }
    auto handle = std::make_unique<Handle>();
    handle->file = std::move(file);
    std::unique_ptr<DecodedAudioFile> out(new DecodedAudioFile(std::move(handle)));
    out->channels_ = info.channels;
    out->rate_ = info.samplerate;
    out->frames_ = info.frames;
    out->bits_ = minor == SF_FORMAT_PCM_S8 || minor == SF_FORMAT_PCM_U8 ? 8
                 : minor == SF_FORMAT_PCM_16                            ? 16
                 : minor == SF_FORMAT_PCM_24                            ? 24
                 : minor == SF_FORMAT_PCM_32                            ? 32
                                                                        : 0;
    out->format_ = major == SF_FORMAT_FLAC       ? "FLAC"
                   : minor == SF_FORMAT_VORBIS ? "Ogg Vorbis"
                   : minor == SF_FORMAT_OPUS   ? "Opus"
                                               : "Ogg";
    return out;
}

bool DecodedAudioFile::Read(std::int64_t at, std::int64_t frames, std::int16_t* samples, std::string& error)
{
    if (at < 0 || frames < 0 || at > frames_ || frames > frames_ - at) {
        error = QCoreApplication::translate("DecodedAudioFile", "The file ends before frame %1").arg(at + frames).toStdString();
        return false;
    }
    SNDFILE* file = handle_->file.get();
    if (at != position_) {
        if (sf_seek(file, at, SEEK_SET) != at) {
            position_ = -1;
            error = QCoreApplication::translate("DecodedAudioFile", "It cannot be decoded at frame %1: %2")
                        .arg(QString::number(at), QString::fromUtf8(sf_strerror(file)))
                        .toStdString();
            return false;
        }
        position_ = at;
    }
    while (frames > 0) {
        const sf_count_t got = sf_readf_short(file, samples, frames);
        if (got <= 0) {
            error = (sf_error(file) ? QCoreApplication::translate("DecodedAudioFile", "It cannot be decoded at frame %1: %2").arg(QString::number(at), QString::fromUtf8(sf_strerror(file)))
                                    : QCoreApplication::translate("DecodedAudioFile", "It cannot be decoded at frame %1: the stream ends early").arg(at))
                        .toStdString();
            position_ = -1;
            return false;
        }
        position_ += got;
        at += got;
        frames -= got;
        samples += got * channels_;
    }
    return true;
}
