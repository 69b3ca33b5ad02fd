#include "mpeg/TagFile.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

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
// Reads exactly size bytes at pos; 0, EINVAL when the file ends first, or an errno.
int ReadAll(int fd, std::uint8_t* data, std::size_t size, off_t pos)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, data + done, size - done, pos + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EINVAL;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

std::uint32_t Le32(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void PutLe32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The whole size of the ID3v2 tag at the front of the open file into *size; 0, EINVAL
// when the file starts with none, or an errno.
int LeadingSize(int fd, std::size_t* size)
{
    std::array<std::uint8_t, 10> header{};
    if (const int rc = ReadAll(fd, header.data(), header.size(), 0); rc != 0)
        return rc;
    if (std::memcmp(header.data(), "ID3", 3) != 0 || ((header[6] | header[7] | header[8] | header[9]) & 0x80))
        return EINVAL;
    *size = 10 + ((std::size_t{header[6]} << 21) | (std::size_t{header[7]} << 14) | (std::size_t{header[8]} << 7) |
                  header[9]);
    return 0;
}

int ReplaceLeading(int fd, std::span<const std::uint8_t> tag)
{
    std::size_t size = 0;
    if (const int rc = LeadingSize(fd, &size); rc != 0)
        return rc;
    if (size != tag.size())
        return EINVAL;
    return WriteAll(fd, tag.data(), tag.size(), 0);
}

// Moves everything behind the first `room` bytes of the open file back by `grow` bytes,
// from the end forwards so that nothing is overwritten before it is copied.
int MoveBack(int fd, std::size_t room, std::size_t grow)
{
    const std::int64_t size = SizeOf(fd);
    if (size < 0)
        return static_cast<int>(-size);
    std::vector<std::uint8_t> block(std::size_t{1} << 20);
    std::int64_t end = size;
    while (end > static_cast<std::int64_t>(room)) {
        const std::int64_t from = std::max<std::int64_t>(static_cast<std::int64_t>(room),
                                                          end - static_cast<std::int64_t>(block.size()));
        const std::size_t n = static_cast<std::size_t>(end - from);
        if (const int rc = ReadAll(fd, block.data(), n, static_cast<off_t>(from)); rc != 0)
            return rc;
        if (const int rc = WriteAll(fd, block.data(), n, static_cast<off_t>(from + std::int64_t(grow))); rc != 0)
            return rc;
        end = from;
    }
    return 0;
}

// Writes the fields over the leading tag in its room, which is a whole number of plain
// rooms (anything else is not a room the encoder or this code left). Only a tag with a
// cover picture may outgrow it: it gets a new room with a plain room's worth of padding to
// spare, and the audio moves back behind it; texts alone never move the audio.
int SaveLeading(int fd, const ID3v2Fields& fields)
{
    std::size_t room = 0;
    if (const int rc = LeadingSize(fd, &room); rc != 0)
        return rc;
    if (room == 0 || room % kID3v2Room != 0)
        return EINVAL;
    std::vector<std::uint8_t> tag = RenderID3v23(fields, room);
    if (tag.empty()) {
        if (!fields.cover)
            return EOVERFLOW;
        const std::size_t needed = RenderID3v23(fields, 0).size();
        if (needed == 0)
            return EOVERFLOW;
        const std::size_t grown = (needed + kID3v2Room + kID3v2Room - 1) / kID3v2Room * kID3v2Room;
        tag = RenderID3v23(fields, grown);
        if (tag.empty())
            return EOVERFLOW;
        if (const int rc = MoveBack(fd, room, grown - room); rc != 0)
            return rc;
    }
    return WriteAll(fd, tag.data(), tag.size(), 0);
}

int PutChunk(int fd, std::span<const std::uint8_t> tag)
{
    std::array<std::uint8_t, 12> riff{};
    if (const int rc = ReadAll(fd, riff.data(), riff.size(), 0); rc != 0)
        return rc;
    if (std::memcmp(riff.data(), "RIFF", 4) != 0 || std::memcmp(riff.data() + 8, "WAVE", 4) != 0)
        return EINVAL;
    const std::int64_t fileSize = SizeOf(fd);
    if (fileSize < 0)
        return static_cast<int>(-fileSize);
    const std::int64_t riffEnd = std::min<std::int64_t>(8 + std::int64_t{Le32(riff.data() + 4)}, fileSize);
    std::int64_t pos = 12;
    std::int64_t lastId3 = -1;  // an "id3 " chunk that ends the RIFF
    while (pos + 8 <= riffEnd) {
        std::array<std::uint8_t, 8> chunk{};
        if (const int rc = ReadAll(fd, chunk.data(), chunk.size(), static_cast<off_t>(pos)); rc != 0)
            return rc;
        const std::uint32_t size = Le32(chunk.data() + 4);
        const bool isId3 = std::memcmp(chunk.data(), "id3 ", 4) == 0;
        if (isId3 && size == tag.size())
            return WriteAll(fd, tag.data(), tag.size(), static_cast<off_t>(pos + 8));
        const std::int64_t next = pos + 8 + std::int64_t{size} + (size & 1);
        lastId3 = isId3 && next >= riffEnd ? pos : -1;
        pos = next;
    }
    std::int64_t at = lastId3 >= 0 ? lastId3 : std::min(pos, riffEnd);
    at += at & 1;
    // What stands behind the RIFF moves along behind the new chunk.
    const std::int64_t trailing = fileSize - riffEnd;
    if (trailing > (1 << 20))
        return EINVAL;
    std::vector<std::uint8_t> behind(static_cast<std::size_t>(trailing));
    if (const int rc = ReadAll(fd, behind.data(), behind.size(), static_cast<off_t>(riffEnd)); rc != 0)
        return rc;
    const std::int64_t newRiffEnd = at + 8 + static_cast<std::int64_t>(tag.size() + (tag.size() & 1));
    if (newRiffEnd - 8 > 0xFFFFFFFFll)
        return EFBIG;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(newRiffEnd - at), 0);
    std::memcpy(bytes.data(), "id3 ", 4);
    PutLe32(bytes.data() + 4, static_cast<std::uint32_t>(tag.size()));
    std::memcpy(bytes.data() + 8, tag.data(), tag.size());
    bytes.insert(bytes.end(), behind.begin(), behind.end());
    if (at < fileSize && ::ftruncate(fd, static_cast<off_t>(at)) != 0)
        return errno;
    if (const int rc = WriteAll(fd, bytes.data(), bytes.size(), static_cast<off_t>(at)); rc != 0)
        return rc;
    std::array<std::uint8_t, 4> size{};
    PutLe32(size.data(), static_cast<std::uint32_t>(newRiffEnd - 8));
    return WriteAll(fd, size.data(), size.size(), 4);
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

int ReplaceLeadingID3v2(const std::string& path, std::span<const std::uint8_t> tag)
{
    return WithFile(path, [&](int fd) { return ReplaceLeading(fd, tag); });
}

int PutWaveID3Chunk(const std::string& path, std::span<const std::uint8_t> tag)
{
    return WithFile(path, [&](int fd) { return PutChunk(fd, tag); });
}

int SaveID3v2(const std::string& path, bool mp3Container, const ID3v2Fields& fields)
{
    if (mp3Container)
        return WithFile(path, [&](int fd) { return SaveLeading(fd, fields); });
    const std::vector<std::uint8_t> tag = RenderID3v23(fields, 0);
    if (tag.empty())
        return EOVERFLOW;
    return PutWaveID3Chunk(path, tag);
}
