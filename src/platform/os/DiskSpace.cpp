#include "platform/os/DiskSpace.h"

#include <mutex>
#include <sys/statvfs.h>

namespace {
std::mutex queryMutex;  // guards query: set by tests on the main thread, read by workers
std::function<std::int64_t(const std::string&)> query;
}  // namespace

std::string FolderOf(const std::string& fileName)
{
    const std::size_t slash = fileName.rfind('/');
    return slash == std::string::npos ? std::string(".") : fileName.substr(0, slash + 1);
}

std::int64_t FreeDiskSpace(const std::string& fileName)
{
    const std::string folder = FolderOf(fileName);
    {
        std::lock_guard lock(queryMutex);
        if (query)
            return query(folder);
    }
    struct statvfs st {};
    if (::statvfs(folder.c_str(), &st) != 0)
        return -1;
    return static_cast<std::int64_t>(st.f_bavail) * static_cast<std::int64_t>(st.f_frsize);
}

void SetFreeDiskSpaceQuery(std::function<std::int64_t(const std::string& folder)> q)
{
    std::lock_guard lock(queryMutex);
    query = std::move(q);
}
