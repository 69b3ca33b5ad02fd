#include "mpeg/MPEGAudio.h"

#include "mpeg/ByteSource.h"
#include "mpeg/FormattedText.h"
#include "mpeg/MPEGNames.h"
#include "mpeg/MPEGScan.h"
#include "mpeg/VolumeLabel.h"
#include "platform/MessageTarget.h"

#include <QCoreApplication>
#include <array>
#include <cerrno>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr std::size_t kTextBytes = 30;
constexpr std::size_t kYearBytes = 4;

std::string WithoutPath(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

// 0 when the path names something, -1 when it does not (the "file does not exist" case).
int Exists(const std::string& path)
{
    struct stat st {};
    if (path.empty())
        return -1;
    if (::stat(path.c_str(), &st) == 0)
        return 0;
    return (errno == ENOENT || errno == ENOTDIR) ? -1 : 0;
}

void LetWindowMessagesRun()
{
    if (QCoreApplication::instance() && IsMainThread())
        ProcessMessages();
}

// Sets a flag for the lifetime of the scope.
class ReadingScope {
public:
    explicit ReadingScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~ReadingScope() { flag_ = false; }
    ReadingScope(const ReadingScope&) = delete;
    ReadingScope& operator=(const ReadingScope&) = delete;

private:
    bool& flag_;
};

// An owned file descriptor.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }
    // Closes now and reports a failed close (a late write error on some file systems).
    int Close()
    {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// Opens a regular file for reading and writing; a pipe or device is refused (EINVAL)
// rather than written to. The descriptor, or -1 with *error set.
int OpenForWriting(const std::string& path, int* error)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        *error = errno;
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return -1;
    }
    return fd;
}

// The file's size, or the errno as a negative number.
std::int64_t SizeOf(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return -errno;
    return st.st_size;
}

// Writes all bytes at pos; 0 or an errno.
int WriteAll(int fd, const std::uint8_t* data, std::size_t size, off_t pos)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, data + done, size - done, pos + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Cuts a trailing tag off the open file; 0 or an errno.
int CutTag(int fd)
{
    const std::int64_t size = SizeOf(fd);
    if (size < 0)
        return static_cast<int>(-size);
    if (size <= static_cast<std::int64_t>(kID3v1Size))
        return 0;
    const off_t tagAt = static_cast<off_t>(size - static_cast<std::int64_t>(kID3v1Size));
    std::array<std::uint8_t, 3> head{};
    ssize_t n;
    do {
        n = ::pread(fd, head.data(), head.size(), tagAt);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return errno;
    if (n != static_cast<ssize_t>(head.size()) || !IsID3v1(head))
        return 0;
    return ::ftruncate(fd, tagAt) == 0 ? 0 : errno;
}

// Appends the block to the open file; a failed write leaves the file as it was.
int AppendTag(int fd, const ID3v1Block& block)
{
    const std::int64_t size = SizeOf(fd);
    if (size < 0)
        return static_cast<int>(-size);
    const int rc = WriteAll(fd, block.data(), block.size(), static_cast<off_t>(size));
    if (rc != 0 && ::ftruncate(fd, static_cast<off_t>(size)) != 0) {
        // The error of the write is the one to report.
    }
    return rc;
}
}  // namespace

TMPEGAudio::TMPEGAudio()
{
    Reset();
}

void TMPEGAudio::ResetKeepingFileFacts()
{
    tag_ = ID3v1Fields{kNoTagText, kNoTagText, kNoTagText, "    ", kNoTagText, 0, kNoGenre};
    tagHeader_ = "BAD";
    header_ = MPEGFrameHeader{};
    duration_ = 0;
    headerOffset_ = 0;
}

void TMPEGAudio::Reset()
{
    ResetKeepingFileFacts();
    fileSize_ = 0;
    fileTime_ = 0;
    fileMode_ = 0;
    volumeLabel_.clear();
    selectedNr_ = 0;
}

void TMPEGAudio::SetFileName(const std::string& name)
{
    if (reading_)
        throw EMPEGAudioError("TMPEGAudio: a file read is already running");
    std::error_code ec;
    fileName_ = name.empty() ? std::string() : std::filesystem::absolute(name, ec).string();
    if (ec)
        fileName_ = name;
    readResult_ = Read();
}

int TMPEGAudio::Read()
{
    ReadingScope scope(reading_);
    Reset();
    if (Exists(fileName_) != 0) {
        tag_.title = ToLatin1("[not found: " + WithoutPath(fileName_) + "]", kTextBytes);
        return -1;
    }
    FileByteSource source(fileName_);
    if (!source.IsOpen() || source.Error() != 0)
        return source.Error();
    if (source.Size() > 5)
        RecordFileFacts(source.Descriptor());
    ScanBytes(source);
    return source.Error();
}

void TMPEGAudio::RecordFileFacts(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return;
    fileSize_ = static_cast<std::uint64_t>(st.st_size);
    fileTime_ = st.st_mtim.tv_sec;
    fileMode_ = st.st_mode;
    volumeLabel_ = VolumeLabelOf(fileName_);
}

void TMPEGAudio::ScanBytes(ByteSource& source)
{
    const MPEGScanResult found = ScanMPEG(source, scanLimit_, LetWindowMessagesRun);
    ResetKeepingFileFacts();
    if (!found.headerOffset)
        return;
    header_ = found.header;
    headerOffset_ = *found.headerOffset;
    if (header_.bitRate > 0)
        duration_ = static_cast<std::uint32_t>(source.Size() * 8 / (std::uint64_t(header_.bitRate) * 1000));
    if (source.Size() <= kID3v1Size)
        return;
    if (found.tag) {
        tag_ = *found.tag;
        tagHeader_ = "TAG";
    } else {
        tag_.title = ToLatin1(WithoutPath(fileName_), kTextBytes);
    }
}

int TMPEGAudio::RemoveTag()
{
    if (reading_)
        return EBUSY;
    if (Exists(fileName_) != 0)
        return -1;
    int rc = 0;
    {
        int openError = 0;
        FileDescriptor fd(OpenForWriting(fileName_, &openError));
        rc = fd.Get() < 0 ? openError : CutTag(fd.Get());
        if (fd.Get() >= 0) {
            const int closed = fd.Close();
            rc = rc != 0 ? rc : closed;
        }
    }
    readResult_ = Read();
    return rc;
}

int TMPEGAudio::SaveTag()
{
    if (reading_)
        return EBUSY;
    if (Exists(fileName_) != 0)
        return -1;
    const ID3v1Block block = BuildID3v1(tag_);
    if (const int removed = RemoveTag(); removed != 0)
        return removed;
    int rc = 0;
    {
        int openError = 0;
        FileDescriptor fd(OpenForWriting(fileName_, &openError));
        rc = fd.Get() < 0 ? openError : AppendTag(fd.Get(), block);
        if (fd.Get() >= 0) {
            const int closed = fd.Close();
            rc = rc != 0 ? rc : closed;
        }
    }
    readResult_ = Read();
    return rc;
}

void TMPEGAudio::SetTitle(const UnicodeText& text) { tag_.title = ToLatin1(text, kTextBytes); }
void TMPEGAudio::SetArtist(const UnicodeText& text) { tag_.artist = ToLatin1(text, kTextBytes); }
void TMPEGAudio::SetAlbum(const UnicodeText& text) { tag_.album = ToLatin1(text, kTextBytes); }
void TMPEGAudio::SetYear(const UnicodeText& text) { tag_.year = ToLatin1(text, kYearBytes); }
void TMPEGAudio::SetComment(const UnicodeText& text) { tag_.comment = ToLatin1(text, kTextBytes); }

bool TMPEGAudio::Valid() const
{
    return fileSize_ > 5 && header_.version != 0 && header_.layer != 0 && fileTime_ != 0 &&
           header_.bitRate > 0 && header_.sampleRate > 0;
}

QDateTime TMPEGAudio::FileDateTime() const
{
    return fileTime_ == 0 ? QDateTime() : QDateTime::fromSecsSinceEpoch(fileTime_);
}

const std::string& TMPEGAudio::GenreName() const { return ::GenreName(tag_.genre); }
const std::string& TMPEGAudio::ModeName() const { return ::ModeName(header_.mode); }
const std::string& TMPEGAudio::LayerName() const { return ::LayerName(header_.layer); }
const std::string& TMPEGAudio::VersionName() const { return ::VersionName(header_.version); }

std::string TMPEGAudio::FormattedText() const
{
    return ExpandTemplate(template_, *this);
}
