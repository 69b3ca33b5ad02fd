#include "mpeg/TagFile.h"

#include "platform/os/OwnedFile.h"

#include <array>
#include <cerrno>
#include <cstring>

#include <algorithm>
#include <vector>

namespace {
// Opens a regular file for reading and writing; a pipe or device is refused (EINVAL)
// rather than written to.
OwnedFile OpenForWriting(const std::string& path, int* error)
{
    OwnedFile file = OwnedFile::Open(path, FileAccess::ReadWrite, *error);
    if (!file.IsOpen())
        return file;
    const FileStatus status = file.Status();
    if (status.kind != FileKind::Regular) {
        *error = status.kind == FileKind::Directory ? EISDIR : status.error != 0 ? status.error : EINVAL;
        return {};
    }
    return file;
}

// The file's size, or the errno as a negative number.
std::int64_t SizeOf(const OwnedFile& file)
{
    const FileStatus status = file.Status();
    if (status.error != 0)
        return -status.error;
    return static_cast<std::int64_t>(status.size);
}

// Cuts a trailing tag off the open file; 0 or an errno.
int CutTag(OwnedFile& file)
{
    const std::int64_t size = SizeOf(file);
    if (size < 0)
        return static_cast<int>(-size);
    if (size <= static_cast<std::int64_t>(kID3v1Size))
        return 0;
    const std::uint64_t tagAt = static_cast<std::uint64_t>(size) - kID3v1Size;
    std::array<std::uint8_t, 3> head{};
    std::size_t got = 0;
    if (const int rc = file.ReadAt(tagAt, head, got); rc != 0)
        return rc;
    if (got != head.size() || !IsID3v1(head))
        return 0;
    return file.Truncate(tagAt);
}

// Appends the block to the open file; a failed write leaves the file as it was.
int AppendTag(OwnedFile& file, const ID3v1Block& block)
{
    const std::int64_t size = SizeOf(file);
    if (size < 0)
        return static_cast<int>(-size);
    const int rc = file.WriteAt(static_cast<std::uint64_t>(size), block);
    if (rc != 0 && file.Truncate(static_cast<std::uint64_t>(size)) != 0) {
        // The error of the write is the one to report.
    }
    return rc;
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
int LeadingSize(OwnedFile& file, std::size_t* size)
{
    std::array<std::uint8_t, 10> header{};
    if (const int rc = file.ReadExactlyAt(0, header); rc != 0)
        return rc;
    if (std::memcmp(header.data(), "ID3", 3) != 0 || ((header[6] | header[7] | header[8] | header[9]) & 0x80))
        return EINVAL;
    *size = 10 + ((std::size_t{header[6]} << 21) | (std::size_t{header[7]} << 14) | (std::size_t{header[8]} << 7) |
                  header[9]);
    return 0;
}

int ReplaceLeading(OwnedFile& file, std::span<const std::uint8_t> tag)
{
    std::size_t size = 0;
    if (const int rc = LeadingSize(file, &size); rc != 0)
        return rc;
    if (size != tag.size())
        return EINVAL;
    return file.WriteAt(0, tag);
}

// Moves everything behind the first `room` bytes of the open file back by `grow` bytes,
// from the end forwards so that nothing is overwritten before it is copied.
int MoveBack(OwnedFile& file, std::size_t room, std::size_t grow)
{
    const std::int64_t size = SizeOf(file);
    if (size < 0)
        return static_cast<int>(-size);
    std::vector<std::uint8_t> block(std::size_t{1} << 20);
    std::int64_t end = size;
    while (end > static_cast<std::int64_t>(room)) {
        const std::int64_t from = std::max<std::int64_t>(static_cast<std::int64_t>(room),
                                                          end - static_cast<std::int64_t>(block.size()));
        const std::size_t n = static_cast<std::size_t>(end - from);
        if (const int rc = file.ReadExactlyAt(static_cast<std::uint64_t>(from), {block.data(), n}); rc != 0)
            return rc;
        if (const int rc = file.WriteAt(static_cast<std::uint64_t>(from + std::int64_t(grow)), {block.data(), n}); rc != 0)
            return rc;
        end = from;
    }
    return 0;
}

// Writes the fields over the leading tag in its room, which is a whole number of plain
// rooms (anything else is not a room the encoder or this code left). Only a tag with a
// cover picture may outgrow it: it gets a new room with a plain room's worth of padding to
// spare, and the audio moves back behind it; texts alone never move the audio.
int SaveLeading(OwnedFile& file, const ID3v2Fields& fields)
{
    std::size_t room = 0;
    if (const int rc = LeadingSize(file, &room); rc != 0)
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
        if (const int rc = MoveBack(file, room, grown - room); rc != 0)
            return rc;
    }
    return file.WriteAt(0, tag);
}

int PutChunk(OwnedFile& file, std::span<const std::uint8_t> tag)
{
    std::array<std::uint8_t, 12> riff{};
    if (const int rc = file.ReadExactlyAt(0, riff); rc != 0)
        return rc;
    if (std::memcmp(riff.data(), "RIFF", 4) != 0 || std::memcmp(riff.data() + 8, "WAVE", 4) != 0)
        return EINVAL;
    const std::int64_t fileSize = SizeOf(file);
    if (fileSize < 0)
        return static_cast<int>(-fileSize);
    const std::int64_t riffEnd = std::min<std::int64_t>(8 + std::int64_t{Le32(riff.data() + 4)}, fileSize);
    std::int64_t pos = 12;
    std::int64_t lastId3 = -1;  // an "id3 " chunk that ends the RIFF
    while (pos + 8 <= riffEnd) {
        std::array<std::uint8_t, 8> chunk{};
        if (const int rc = file.ReadExactlyAt(static_cast<std::uint64_t>(pos), chunk); rc != 0)
            return rc;
        const std::uint32_t size = Le32(chunk.data() + 4);
        const bool isId3 = std::memcmp(chunk.data(), "id3 ", 4) == 0;
        if (isId3 && size == tag.size())
            return file.WriteAt(static_cast<std::uint64_t>(pos + 8), tag);
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
    if (const int rc = file.ReadExactlyAt(static_cast<std::uint64_t>(riffEnd), behind); rc != 0)
        return rc;
    const std::int64_t newRiffEnd = at + 8 + static_cast<std::int64_t>(tag.size() + (tag.size() & 1));
    if (newRiffEnd - 8 > 0xFFFFFFFFll)
        return EFBIG;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(newRiffEnd - at), 0);
    std::memcpy(bytes.data(), "id3 ", 4);
    PutLe32(bytes.data() + 4, static_cast<std::uint32_t>(tag.size()));
    std::memcpy(bytes.data() + 8, tag.data(), tag.size());
    bytes.insert(bytes.end(), behind.begin(), behind.end());
    if (at < fileSize)
        if (const int rc = file.Truncate(static_cast<std::uint64_t>(at)); rc != 0)
            return rc;
    if (const int rc = file.WriteAt(static_cast<std::uint64_t>(at), bytes); rc != 0)
        return rc;
    std::array<std::uint8_t, 4> size{};
    PutLe32(size.data(), static_cast<std::uint32_t>(newRiffEnd - 8));
    return file.WriteAt(4, size);
}

// Runs step on the file opened for writing, then closes it; the first error wins.
template <class Step>
int WithFile(const std::string& path, Step step)
{
    int openError = 0;
    OwnedFile file = OpenForWriting(path, &openError);
    if (!file.IsOpen())
        return openError;
    const int rc = step(file);
    const int closed = file.Close();
    return rc != 0 ? rc : closed;
}
}  // namespace

int CutTrailingTag(const std::string& path)
{
    return WithFile(path, CutTag);
}

int AppendTagBlock(const std::string& path, const ID3v1Block& block)
{
    return WithFile(path, [&](OwnedFile& file) { return AppendTag(file, block); });
}

int ReplaceLeadingID3v2(const std::string& path, std::span<const std::uint8_t> tag)
{
    return WithFile(path, [&](OwnedFile& file) { return ReplaceLeading(file, tag); });
}

int PutWaveID3Chunk(const std::string& path, std::span<const std::uint8_t> tag)
{
    return WithFile(path, [&](OwnedFile& file) { return PutChunk(file, tag); });
}

int SaveID3v2(const std::string& path, bool mp3Container, const ID3v2Fields& fields)
{
    if (mp3Container)
        return WithFile(path, [&](OwnedFile& file) { return SaveLeading(file, fields); });
    const std::vector<std::uint8_t> tag = RenderID3v23(fields, 0);
    if (tag.empty())
        return EOVERFLOW;
    return PutWaveID3Chunk(path, tag);
}
