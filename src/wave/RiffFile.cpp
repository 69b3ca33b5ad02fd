#include "wave/RiffFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

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
    FileAccess access = FileAccess::Read;
    if (flags & OpenCreate)
        access = FileAccess::CreateReadWrite;
    else if (flags & OpenReadWrite)
        access = FileAccess::ReadWrite;
    int error = 0;
    file_ = OwnedFile::Open(name, access, error);
    if (!file_.IsOpen()) {
        errno = error;  // the callers' messages say why
        return false;
    }
    flags_ = flags;
    failed_ = false;
    pos_ = bufStart_ = 0;
    readLen_ = writeLen_ = 0;
    return true;
}

bool TRiffFile::Close()
{
    if (!file_.IsOpen())
        return true;
    bool ok = flush() && !failed_;
    if (const int error = file_.Close(); error != 0) {
        errno = error;
        ok = false;
    }
    flags_ = 0;
    readLen_ = writeLen_ = 0;
    return ok;
}

bool TRiffFile::SetBuffer(std::size_t size)
{
    if (!file_.IsOpen() || size == 0)
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
    if (const int error = file_.WriteAt(static_cast<std::uint64_t>(offset), {static_cast<const std::uint8_t*>(data), count});
        error != 0) {
        errno = error;
        failed_ = true;
        return false;
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
    if (!file_.IsOpen())
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
        std::size_t got = 0;
        if (want >= static_cast<std::int64_t>(buf_.size())) {
            const int error = file_.ReadAt(static_cast<std::uint64_t>(pos_), {out + done, static_cast<std::size_t>(want)}, got);
            pos_ += static_cast<std::int64_t>(got);
            done += static_cast<std::int64_t>(got);
            if (error != 0) {
                errno = error;
                return done > 0 ? done : -1;
            }
            break;  // all that was wanted, or the end of the file
        }
        const int error = file_.ReadAt(static_cast<std::uint64_t>(pos_), buf_, got);
        if (error != 0) {
            errno = error;
            readLen_ = 0;
            return done > 0 ? done : -1;
        }
        bufStart_ = pos_;
        readLen_ = got;
        if (got == 0)
            break;
    }
    return done;
}

std::int64_t TRiffFile::Write(const void* buffer, std::int64_t count)
{
    if (!file_.IsOpen() || failed_ || !(flags_ & (OpenReadWrite | OpenCreate)))
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
    if (!file_.IsOpen() || !flush())
        return -1;
    const FileStatus status = file_.Status();
    if (status.error != 0) {
        errno = status.error;
        return -1;
    }
    return static_cast<std::int64_t>(status.size);
}

std::int64_t TRiffFile::Seek(std::int64_t offset, int whence)
{
    if (!file_.IsOpen())
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
    if (!file_.IsOpen())
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
