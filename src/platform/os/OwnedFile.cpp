#include "platform/os/OwnedFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
FileStatus statusOf(int rc, const struct stat& st)
{
    FileStatus status;
    if (rc != 0) {
        status.error = errno;
        return status;
    }
    if (S_ISREG(st.st_mode))
        status.kind = FileKind::Regular;
    else if (S_ISDIR(st.st_mode))
        status.kind = FileKind::Directory;
    else if (S_ISFIFO(st.st_mode))
        status.kind = FileKind::NamedPipe;
    else if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        status.kind = FileKind::Device;
    else if (S_ISSOCK(st.st_mode))
        status.kind = FileKind::Socket;
    else
        status.kind = FileKind::Other;
    status.size = status.kind == FileKind::Regular && st.st_size > 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    status.device = static_cast<std::uint64_t>(st.st_dev);
    status.inode = static_cast<std::uint64_t>(st.st_ino);
    status.modifiedSeconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
    status.modifiedNanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    status.mode = static_cast<std::uint32_t>(st.st_mode);
    return status;
}
}  // namespace

FileStatus StatusOfPath(const std::string& path)
{
    struct stat st {};
    return statusOf(::stat(path.c_str(), &st), st);
}

int RenameNoReplace(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the no-replace rename: a hard link fails on a taken name too.
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    ::unlink(from.c_str());
    return 0;
}

int RemoveFile(const std::string& path)
{
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

int RenameOver(const std::string& from, const std::string& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

OwnedFile OwnedFile::Open(const std::string& path, FileAccess access, int& error)
{
    int flags = O_CLOEXEC;
    switch (access) {
    case FileAccess::Read: flags |= O_RDONLY | O_NONBLOCK; break;
    case FileAccess::ReadWrite: flags |= O_RDWR | O_NONBLOCK; break;
    case FileAccess::CreateReadWrite: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    }
    const int fd = ::open(path.c_str(), flags, 0666);
    error = fd < 0 ? errno : 0;
    return OwnedFile(fd);
}

OwnedFile::~OwnedFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

OwnedFile& OwnedFile::operator=(OwnedFile&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.Release();
    }
    return *this;
}

int OwnedFile::Release() noexcept
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

int OwnedFile::Close()
{
    if (fd_ < 0)
        return 0;
    const int rc = ::close(Release());
    return rc == 0 ? 0 : errno;
}

FileStatus OwnedFile::Status() const
{
    struct stat st {};
    return statusOf(::fstat(fd_, &st), st);
}

int OwnedFile::ReadAt(std::uint64_t pos, std::span<std::uint8_t> out, std::size_t& got) const
{
    got = 0;
    while (got < out.size()) {
        const ssize_t n = ::pread(fd_, out.data() + got, out.size() - got, static_cast<off_t>(pos + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return 0;
}

int OwnedFile::ReadExactlyAt(std::uint64_t pos, std::span<std::uint8_t> out) const
{
    std::size_t got = 0;
    if (const int rc = ReadAt(pos, out, got); rc != 0)
        return rc;
    return got == out.size() ? 0 : EINVAL;
}

int OwnedFile::WriteAt(std::uint64_t pos, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(pos + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int OwnedFile::Truncate(std::uint64_t size)
{
    return ::ftruncate(fd_, static_cast<off_t>(size)) == 0 ? 0 : errno;
}
