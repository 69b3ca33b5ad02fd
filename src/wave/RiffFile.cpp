#include "wave/RiffFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr std::uint32_t kRiff = FourCC("RIFF");
constexpr std::uint32_t kList = FourCC("LIST");
constexpr std::uint32_t kRf64 = FourCC("RF64");

std::uint32_t le32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void putLe32(unsigned char* p, std::uint32_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}
}  // namespace

TRiffFile::~TRiffFile()
{
    Close();
}

bool TRiffFile::Open(const std::string& name, unsigned flags)
{
    Close();
    int mode = O_RDONLY;
    if (flags & OpenCreate)
        mode = O_RDWR | O_CREAT | O_TRUNC;
    else if (flags & OpenReadWrite)
        mode = O_RDWR;
    fd_ = ::open(name.c_str(), mode | O_CLOEXEC, 0666);
    if (fd_ < 0)
        return false;
    flags_ = flags;
    failed_ = false;
    pos_ = bufStart_ = 0;
    readLen_ = writeLen_ = 0;
    return true;
}

bool TRiffFile::Close()
{
    if (fd_ < 0)
        return true;
    bool ok = flush() && !failed_;
    if (::close(fd_) != 0)
        ok = false;
    fd_ = -1;
    flags_ = 0;
    readLen_ = writeLen_ = 0;
    return ok;
}

bool TRiffFile::SetBuffer(std::size_t size)
{
    if (fd_ < 0 || size == 0)
        return false;
    if (!flush())
        return false;
    readLen_ = 0;
    buf_.assign(size, 0);
    buf_.shrink_to_fit();
    return true;
}

bool TRiffFile::writeAt(std::int64_t offset, const void* data, std::size_t count)
{
    const auto* p = static_cast<const unsigned char*>(data);
    while (count > 0) {
        const ssize_t n = ::pwrite(fd_, p, count, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failed_ = true;
            return false;
        }
        p += n;
        offset += n;
        count -= static_cast<std::size_t>(n);
    }
    return true;
}

bool TRiffFile::flush()
{
    if (writeLen_ == 0)
        return true;
    const std::size_t n = writeLen_;
    writeLen_ = 0;
    return writeAt(bufStart_, buf_.data(), n);
}

std::int64_t TRiffFile::Read(void* buffer, std::int64_t count)
{
    if (fd_ < 0)
        return -1;
    if (count <= 0)
        return 0;
    if (!flush())
        return -1;
    auto* out = static_cast<unsigned char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const std::int64_t want = count - done;
        if (readLen_ > 0 && pos_ >= bufStart_ && pos_ < bufStart_ + static_cast<std::int64_t>(readLen_)) {
            const std::int64_t avail = bufStart_ + static_cast<std::int64_t>(readLen_) - pos_;
            const std::int64_t n = std::min(avail, want);
            std::memcpy(out + done, buf_.data() + (pos_ - bufStart_), static_cast<std::size_t>(n));
            pos_ += n;
            done += n;
            continue;
        }
        if (want >= static_cast<std::int64_t>(buf_.size())) {
            const ssize_t n = ::pread(fd_, out + done, static_cast<std::size_t>(want), pos_);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return done > 0 ? done : -1;
            if (n == 0)
                break;
            pos_ += n;
            done += n;
            continue;
        }
        const ssize_t n = ::pread(fd_, buf_.data(), buf_.size(), pos_);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            readLen_ = 0;
            return done > 0 ? done : -1;
        }
        bufStart_ = pos_;
        readLen_ = static_cast<std::size_t>(n);
        if (n == 0)
            break;
    }
    return done;
}

std::int64_t TRiffFile::Write(const void* buffer, std::int64_t count)
{
    if (fd_ < 0 || failed_ || !(flags_ & (OpenReadWrite | OpenCreate)))
        return -1;
    if (count <= 0)
        return 0;
    readLen_ = 0;
    if (writeLen_ > 0 && pos_ != bufStart_ + static_cast<std::int64_t>(writeLen_) && !flush())
        return -1;
    if (writeLen_ == 0)
        bufStart_ = pos_;
    const auto* in = static_cast<const unsigned char*>(buffer);
    if (count >= static_cast<std::int64_t>(buf_.size())) {
        if (!flush() || !writeAt(pos_, in, static_cast<std::size_t>(count)))
            return -1;
        pos_ += count;
        return count;
    }
    std::int64_t done = 0;
    while (done < count) {
        const std::size_t room = buf_.size() - writeLen_;
        const std::size_t n = std::min<std::size_t>(room, static_cast<std::size_t>(count - done));
        std::memcpy(buf_.data() + writeLen_, in + done, n);
        writeLen_ += n;
        done += static_cast<std::int64_t>(n);
        pos_ += static_cast<std::int64_t>(n);
        if (writeLen_ == buf_.size()) {
            if (!flush())
                return -1;
            bufStart_ = pos_;
        }
    }
    return count;
}

std::int64_t TRiffFile::Size()
{
    if (fd_ < 0 || !flush())
        return -1;
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        return -1;
    return st.st_size;
}

std::int64_t TRiffFile::Seek(std::int64_t offset, int whence)
{
    if (fd_ < 0)
        return -1;
    std::int64_t base = 0;
    if (whence == SEEK_CUR)
        base = pos_;
    else if (whence == SEEK_END) {
        base = Size();
        if (base < 0)
            return -1;
    }
    if ((offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset) || base + offset < 0)
        return -1;
    pos_ = base + offset;
    return pos_;
}

bool TRiffFile::Descend(TMMCKInfo& ck, const TMMCKInfo* parent, unsigned flags)
{
    const std::int64_t start = pos_;
    if (parent) {
        const std::int64_t parentEnd = parent->dwDataOffset + parent->cksize;
        if (start < parent->dwDataOffset || start + 8 > parentEnd)
            return false;
    }
    unsigned char header[12];
    if (Read(header, 8) != 8) {
        pos_ = start;
        return false;
    }
    TMMCKInfo found;
    found.ckid = le32(header);
    found.cksize = le32(header + 4);
    found.dwDataOffset = start + 8;
    const bool riffLike = found.ckid == kRiff || found.ckid == kRf64;
    if (riffLike || found.ckid == kList) {
        // A RIFF size of 0 is a stream's, whose writer could not go back; its reader
        // takes the file's end instead.
        const bool streamed = riffLike && found.cksize == 0;
        if ((found.cksize < 4 && !streamed) || Read(header + 8, 4) != 4) {
            pos_ = start;
            return false;
        }
        found.fccType = le32(header + 8);
    }
    if ((flags & FindRiff) && (!riffLike || (ck.fccType != 0 && found.fccType != ck.fccType))) {
        pos_ = start;
        return false;
    }
    ck = found;
    return true;
}

bool TRiffFile::Ascend(TMMCKInfo& ck)
{
    if (fd_ < 0)
        return false;
    if (ck.dwFlags & Dirty) {
        const std::int64_t size = pos_ - ck.dwDataOffset;
        if (size < 0 || size > std::numeric_limits<std::uint32_t>::max())
            return false;
        if (size & 1) {
            const unsigned char pad = 0;
            if (Write(&pad, 1) != 1)
                return false;
        }
        if (size != ck.cksize) {
            unsigned char field[4];
            putLe32(field, static_cast<std::uint32_t>(size));
            const std::int64_t back = pos_;
            pos_ = ck.dwDataOffset - 4;
            if (Write(field, 4) != 4)
                return false;
            pos_ = back;
            ck.cksize = size;
        }
        ck.dwFlags &= ~Dirty;
        return !failed_;
    }
    pos_ = ck.dwDataOffset + ck.cksize + (ck.cksize & 1);
    return true;
}

bool TRiffFile::CreateChunk(TMMCKInfo& ck, unsigned flags)
{
    if (flags & CreateRiff)
        ck.ckid = kRiff;
    else if (flags & CreateList)
        ck.ckid = kList;
    unsigned char header[12];
    putLe32(header, ck.ckid);
    putLe32(header + 4, static_cast<std::uint32_t>(ck.cksize));
    std::int64_t length = 8;
    if (flags & (CreateRiff | CreateList)) {
        putLe32(header + 8, ck.fccType);
        length = 12;
    }
    const std::int64_t start = pos_;
    if (Write(header, length) != length)
        return false;
    ck.dwDataOffset = start + 8;
    ck.dwFlags = Dirty;
    return true;
}
