#include "mpeg/TagFile.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
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
// Runs step on the file opened for writing, then closes it; the first error wins.
template <class Step>
int WithFile(const std::string& path, Step step)
{
    int openError = 0;
    FileDescriptor fd(OpenForWriting(path, &openError));
    if (fd.Get() < 0)
        return openError;
    const int rc = step(fd.Get());
    const int closed = fd.Close();
    return rc != 0 ? rc : closed;
}
}  // namespace

int CutTrailingTag(const std::string& path)
{
    return WithFile(path, CutTag);
}

int AppendTagBlock(const std::string& path, const ID3v1Block& block)
{
    return WithFile(path, [&](int fd) { return AppendTag(fd, block); });
}
