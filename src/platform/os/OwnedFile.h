#pragma once
// An open file owned by one object and closed when it goes, with the reads and writes the
// layers above need: each retries on EINTR and answers 0 or the errno, so no code above
// the platform handles descriptors or includes POSIX headers.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

enum class FileKind { Missing, Regular, Directory, NamedPipe, Device, Socket, Other };

// What stands at a path (links followed) or behind an open file.
struct FileStatus {
    FileKind kind = FileKind::Missing;
    std::uint64_t size = 0;   // of a regular file
    std::uint64_t device = 0; // with inode: the file's identity
    std::uint64_t inode = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::uint32_t mode = 0;   // the file's type and permission bits, as stat gives them
    int error = 0;            // errno when the look failed (kind is then Missing)
};

FileStatus StatusOfPath(const std::string& path);

// Renames `from` to `to` unless something stands at `to`: 0, EEXIST when the name is
// taken, or another errno.
int RenameNoReplace(const std::string& from, const std::string& to);
// Removes a file (never a folder): 0 or the errno.
int RemoveFile(const std::string& path);
// Renames over whatever stands at `to`: 0 or the errno.
int RenameOver(const std::string& from, const std::string& to);

enum class FileAccess {
    Read,             // read only; a named pipe cannot stall the open
    ReadWrite,        // an existing file; a named pipe cannot stall the open
    CreateReadWrite,  // made or emptied, mode 0666 before the umask, as a program makes files
};

class OwnedFile {
public:
    OwnedFile() = default;
    explicit OwnedFile(int descriptor) noexcept : fd_(descriptor) {}
    // The file opened, or a closed one with `error` set to the errno.
    static OwnedFile Open(const std::string& path, FileAccess access, int& error);
    ~OwnedFile();
    OwnedFile(OwnedFile&& other) noexcept : fd_(other.Release()) {}
    OwnedFile& operator=(OwnedFile&& other) noexcept;
    OwnedFile(const OwnedFile&) = delete;
    OwnedFile& operator=(const OwnedFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // Closes now: 0, or the errno of a failed close (a late write error on some file systems).
    int Close();

    FileStatus Status() const;
    // Reads into `out` from `pos` until it is full or the file ends; `got` says how much.
    int ReadAt(std::uint64_t pos, std::span<std::uint8_t> out, std::size_t& got) const;
    // All of `out` from `pos`: 0, EINVAL when the file ends first, or an errno.
    int ReadExactlyAt(std::uint64_t pos, std::span<std::uint8_t> out) const;
    // Writes all bytes at `pos`: 0 or an errno.
    int WriteAt(std::uint64_t pos, std::span<const std::uint8_t> bytes);
    int Truncate(std::uint64_t size);

private:
    int Release() noexcept;

    int fd_ = -1;
};
