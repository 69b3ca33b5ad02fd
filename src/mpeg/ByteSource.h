#pragma once
// Random-access bytes for the MPEG header search: a memory block or an open file read
// through a window buffer, so the byte-by-byte search does not cost a system call a byte.
#include "platform/os/OwnedFile.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Copies out.size() bytes from pos. False when they are not all inside the source or
    // reading failed (then Error() tells why).
    virtual bool ReadAt(std::uint64_t pos, std::span<std::uint8_t> out) = 0;
    // errno of the last failed read, 0 when none failed.
    virtual int Error() const { return 0; }
};

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(std::uint64_t pos, std::span<std::uint8_t> out) override;

private:
    std::span<const std::uint8_t> bytes_;  // not owned; outlives the source
};

class FileByteSource final : public ByteSource {
public:
    // Opens the file read-only; Error() is the errno when that failed.
    explicit FileByteSource(const std::string& path, std::size_t windowSize = 64 * 1024);
    // Takes over an open file.
    FileByteSource(OwnedFile file, std::size_t windowSize);

    bool IsOpen() const { return file_.IsOpen(); }
    // What the open file is: its size, time and mode as the search found them.
    FileStatus Status() const { return file_.Status(); }
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t pos, std::span<std::uint8_t> out) override;
    int Error() const override { return error_; }

private:
    void TakeSize();
    bool Fill(std::uint64_t pos);

    OwnedFile file_;
    std::uint64_t size_ = 0;
    int error_ = 0;
    std::vector<std::uint8_t> window_;
    std::uint64_t windowPos_ = 0;      // file position of window_[0]
    std::size_t windowFilled_ = 0;     // valid bytes in window_
};
