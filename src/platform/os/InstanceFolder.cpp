#include "platform/os/InstanceFolder.h"

#include "platform/Errors.h"

#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {
constexpr const char* kLockName = "lock";

std::string withSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

// The pid at the front of an instance folder's name "<pid>-<random>", or nothing when the
// name is not one of ours (anything else in the cache folder is left alone).
std::optional<pid_t> ownerOf(const std::string& name)
{
    const auto dash = name.find('-');
    if (dash == 0 || dash == std::string::npos || dash + 7 != name.size())
        return std::nullopt;
    pid_t pid = 0;
    for (std::size_t i = 0; i < dash; ++i) {
        if (name[i] < '0' || name[i] > '9' || pid > 100000000)
            return std::nullopt;
        pid = pid * 10 + (name[i] - '0');
    }
    return pid;
}

// Removes the folder when its instance has died: its lock can be taken, or it has no lock
// file and no process of its pid runs (it died while making the folder).
void removeIfDead(const fs::path& folder, pid_t owner)
{
    const std::string lock = (folder / kLockName).string();
    const int fd = ::open(lock.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT && ::kill(owner, 0) != 0 && errno == ESRCH) {
            std::error_code ec;
            fs::remove_all(folder, ec);
        }
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        std::error_code ec;
        fs::remove_all(folder, ec);  // while holding the lock: no second sweeper races us
    }
    ::close(fd);
}

// One instance's folder: made and locked on construction, removed on destruction.
class Folder {
public:
    Folder()
    {
        const std::string root = InstancesRoot();
        std::error_code ec;
        fs::create_directories(root, ec);
        std::string pattern = root + std::to_string(::getpid()) + "-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (!::mkdtemp(name.data()))
            throw EMervaneError(QCoreApplication::translate("InstanceFolder", "Unable to create the folder for temporary files").toStdString() + "\n" + root + ": " +
                                std::strerror(errno));
        path_ = withSlash(name.data());
        const std::string lock = path_ + kLockName;
        lockFd_ = ::open(lock.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (lockFd_ < 0 || ::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            removeFolder();
            throw EMervaneError(QCoreApplication::translate("InstanceFolder", "Unable to create the folder for temporary files").toStdString() + "\n" + lock + ": " +
                                std::strerror(error));
        }
    }
    ~Folder() { removeFolder(); }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    const std::string& Path() const { return path_; }

private:
    void removeFolder()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
        if (lockFd_ >= 0)
            ::close(lockFd_);  // releases the lock only once the folder is gone
        lockFd_ = -1;
    }

    std::string path_;
    int lockFd_ = -1;
};

void sweepDeadInstances(const std::string& own)
{
    std::error_code ec;
    for (fs::directory_iterator it(InstancesRoot(), ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path folder = it->path();
        const auto owner = ownerOf(folder.filename().string());
        std::error_code typeError;
        if (!owner || withSlash(folder.string()) == own || !fs::is_directory(fs::symlink_status(folder, typeError)))
            continue;
        removeIfDead(folder, *owner);
    }
}

// Guarded by folderMutex. Destroyed with the other statics when the process ends normally,
// which removes a folder that was not closed before.
std::mutex folderMutex;
std::unique_ptr<Folder> current;

const std::string& openLocked()
{
    if (!current) {
        current = std::make_unique<Folder>();
        sweepDeadInstances(current->Path());
    }
    return current->Path();
}
}  // namespace

std::string InstancesRoot()
{
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg)
        return withSlash(std::string(xdg) + "/mervane");
    if (const char* home = std::getenv("HOME"); home && *home)
        return withSlash(std::string(home) + "/.cache/mervane");
    return withSlash(fs::temp_directory_path().string() + "/mervane");
}

void OpenInstanceFolder()
{
    std::lock_guard lock(folderMutex);
    openLocked();
}

std::string InstanceFolder()
{
    std::lock_guard lock(folderMutex);
    return openLocked();
}

std::optional<std::string> OpenedInstanceFolder()
{
    std::lock_guard lock(folderMutex);
    if (!current)
        return std::nullopt;
    return current->Path();
}

void CloseInstanceFolder()
{
    std::lock_guard lock(folderMutex);
    current.reset();
}
