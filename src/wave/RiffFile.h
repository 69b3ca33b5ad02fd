#pragma once
// A buffered file with RIFF chunk navigation: descend into a chunk, ascend out of it,
// create a chunk and have its size patched in on the way out. Offsets and sizes are 64-bit;
// the size fields in the file are u32 as RIFF defines them (an RF64 file's large sizes live
// in its "ds64" chunk, which the wave layer reads and writes).
//
//   TRiffFile f;  f.Open(name, TRiffFile::OpenReadWrite | TRiffFile::OpenCreate);
//   TMMCKInfo riff{};  riff.fccType = FourCC("WAVE");  f.CreateChunk(riff, TRiffFile::CreateRiff);
//   ... write ...;  f.Ascend(riff);  f.Close();
//
// One thread at a time uses a file (the wave object hands it from thread to thread).
#include "platform/os/OwnedFile.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr std::uint32_t FourCC(const char (&s)[5])
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[3])) << 24;
}

struct TMMCKInfo {
    std::uint32_t ckid = 0;
    std::int64_t cksize = 0;        // u32 in the file; larger from an RF64 file's "ds64"
    std::uint32_t fccType = 0;
    std::int64_t dwDataOffset = 0;  // file offset of the chunk's body
    std::uint32_t dwFlags = 0;      // Dirty: created here, size to be written on ascend
};

class TRiffFile {
public:
    enum OpenFlags : unsigned { OpenRead = 0, OpenReadWrite = 2, OpenCreate = 0x1000 };
    enum ChunkFlags : unsigned { FindRiff = 0x20, CreateRiff = 0x20, CreateList = 0x40 };
    static constexpr std::uint32_t Dirty = 0x10000000;
    static constexpr std::size_t DefaultBuffer = 8192;

    TRiffFile() = default;
    ~TRiffFile();
    TRiffFile(const TRiffFile&) = delete;
    TRiffFile& operator=(const TRiffFile&) = delete;

    // Opens (Create truncates or makes the file). False on failure.
    bool Open(const std::string& name, unsigned flags);
    // Writes what is buffered and closes; false when a write failed at any time.
    bool Close();
    bool IsOpen() const { return file_.IsOpen(); }
    bool IsCreated() const { return (flags_ & OpenCreate) != 0; }
    // Replaces the I/O buffer by one of `size` bytes (what is pending is written first).
    bool SetBuffer(std::size_t size);

    // Bytes read (0 at the end), -1 on an error.
    std::int64_t Read(void* buffer, std::int64_t count);
    // Bytes written, -1 on an error (the file then refuses every later write).
    std::int64_t Write(const void* buffer, std::int64_t count);
    // Moves the position; returns the new position or -1. whence as in lseek.
    std::int64_t Seek(std::int64_t offset, int whence);
    std::int64_t Tell() const { return pos_; }
    // The file's length, including what is still buffered; -1 on an error.
    std::int64_t Size();

    // Reads the chunk header at the position. With FindRiff, it must be a RIFF (or RF64) chunk.
    // With a parent, a header lying outside the parent's body fails. On success the
    // position is the chunk's body (behind the form type for RIFF and LIST).
    bool Descend(TMMCKInfo& ck, const TMMCKInfo* parent, unsigned flags);
    // Leaves the chunk: a created chunk gets its size written (u32) and a zero pad byte
    // when odd; the position moves behind the chunk and its pad byte.
    bool Ascend(TMMCKInfo& ck);
    // Writes a chunk header (with the form type for CreateRiff / CreateList) and marks it
    // to be sized on ascend.
    bool CreateChunk(TMMCKInfo& ck, unsigned flags);

private:
    bool flush();
    bool writeAt(std::int64_t offset, const void* data, std::size_t count);

    OwnedFile file_;
    unsigned flags_ = 0;
    bool failed_ = false;
    std::vector<unsigned char> buf_ = std::vector<unsigned char>(DefaultBuffer);
    std::int64_t pos_ = 0;       // logical position
    std::int64_t bufStart_ = 0;  // file offset of buf_[0]
    std::size_t readLen_ = 0;    // valid read-ahead bytes in buf_ (read mode)
    std::size_t writeLen_ = 0;   // pending bytes in buf_ (write mode)
};
