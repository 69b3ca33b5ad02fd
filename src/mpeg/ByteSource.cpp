#include "mpeg/ByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

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
    // A named pipe cannot stall the open; it reads as empty.
    file_ = OwnedFile::Open(path, FileAccess::Read, error_);
    if (file_.IsOpen())
        TakeSize();
}

FileByteSource::FileByteSource(OwnedFile file, std::size_t windowSize)
    : file_(std::move(file)), window_(std::max<std::size_t>(windowSize, 1))
{
    TakeSize();
}

void FileByteSource::TakeSize()
{
    const FileStatus status = file_.Status();
    if (status.error != 0) {
        error_ = status.error;
        return;
    }
    if (status.kind == FileKind::Directory) {
        error_ = EISDIR;
        return;
    }
    // Only a regular file has a size to search; pipes and devices read as empty.
    size_ = status.size;
}

bool FileByteSource::Fill(std::uint64_t pos)
{
    windowPos_ = pos;
    windowFilled_ = 0;
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(window_.size(), size_ - pos));
    const int rc = file_.ReadAt(pos, std::span(window_).first(want), windowFilled_);
    if (rc != 0 || windowFilled_ < want) {
        error_ = rc != 0 ? rc : EIO;  // short: the file shrank under us
        return false;
    }
    return true;
}

bool FileByteSource::ReadAt(std::uint64_t pos, std::span<std::uint8_t> out)
{
    if (!file_.IsOpen() || error_ != 0 || pos > size_ || out.size() > size_ - pos)
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
