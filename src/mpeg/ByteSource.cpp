#include "mpeg/ByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool MemoryByteSource::ReadAt(std::uint64_t pos, std::span<std::uint8_t> out)
{
    if (pos > bytes_.size() || out.size() > bytes_.size() - pos)
        return false;
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(pos), out.size(), out.begin());
    return true;
}

FileByteSource::FileByteSource(const std::string& path, std::size_t windowSize)
    : window_(std::max<std::size_t>(windowSize, 1))
{
    // Non-blocking, so a named pipe cannot stall the open; it reads as empty.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0)
        error_ = errno;
    else
        TakeSize();
}

FileByteSource::FileByteSource(int fd, std::size_t windowSize)
    : fd_(fd), window_(std::max<std::size_t>(windowSize, 1))
{
    TakeSize();
}

FileByteSource::~FileByteSource()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void FileByteSource::TakeSize()
{
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        error_ = errno;
        return;
    }
    if (S_ISDIR(st.st_mode)) {
        error_ = EISDIR;
        return;
    }
    // Only a regular file has a size to search; pipes and devices read as empty.
    size_ = S_ISREG(st.st_mode) && st.st_size > 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

bool FileByteSource::Fill(std::uint64_t pos)
{
    windowPos_ = pos;
    windowFilled_ = 0;
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(window_.size(), size_ - pos));
    while (windowFilled_ < want) {
        const ssize_t got = ::pread(fd_, window_.data() + windowFilled_, want - windowFilled_,
                                    static_cast<off_t>(pos + windowFilled_));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error_ = got < 0 ? errno : EIO;  // 0: the file shrank under us
            return false;
        }
        windowFilled_ += static_cast<std::size_t>(got);
    }
    return true;
}

bool FileByteSource::ReadAt(std::uint64_t pos, std::span<std::uint8_t> out)
{
    if (fd_ < 0 || error_ != 0 || pos > size_ || out.size() > size_ - pos)
        return false;
    std::size_t done = 0;
    while (done < out.size()) {
        const std::uint64_t at = pos + done;
        if (at < windowPos_ || at >= windowPos_ + windowFilled_) {
            if (!Fill(at))
                return false;
        }
        const std::size_t offset = static_cast<std::size_t>(at - windowPos_);
        const std::size_t n = std::min(out.size() - done, windowFilled_ - offset);
        std::memcpy(out.data() + done, window_.data() + offset, n);
        done += n;
    }
    return true;
}
