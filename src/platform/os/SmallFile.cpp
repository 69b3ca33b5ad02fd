#include "platform/os/SmallFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
};

std::optional<std::string> refused(std::string* why, std::string reason)
{
    if (why)
        *why = std::move(reason);
    return std::nullopt;
}
}  // namespace

std::optional<std::string> ReadSmallRegularFile(const std::string& path, std::size_t maxBytes, std::string* why)
{
    // Non-blocking: opening a FIFO with no writer must not wait for one. The file type is
    // then checked on what was opened, so a link swapped in between changes nothing.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return refused(why, std::strerror(errno));
    const Closer closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return refused(why, std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        return refused(why, "not a regular file");
    if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > maxBytes)
        return refused(why, "larger than " + std::to_string(maxBytes) + " bytes");
    std::string bytes;
    char chunk[16384];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return refused(why, std::strerror(errno));
        if (got == 0)
            return bytes;
        bytes.append(chunk, static_cast<std::size_t>(got));
        // A file that grows while it is read is cut off at the cap, never read on.
        if (bytes.size() > maxBytes)
            return refused(why, "larger than " + std::to_string(maxBytes) + " bytes");
    }
}
