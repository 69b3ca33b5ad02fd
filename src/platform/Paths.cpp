#include "platform/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <unistd.h>

namespace {
// Guarded by overrideMutex.
std::mutex overrideMutex;
std::string temporaryOverride;

std::string withSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string cacheFolder()
{
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg)
        return withSlash(std::string(xdg) + "/mervane");
    if (const char* home = std::getenv("HOME"); home && *home)
        return withSlash(std::string(home) + "/.cache/mervane");
    return withSlash(std::filesystem::temp_directory_path().string() + "/mervane");
}
}  // namespace

std::string ProgramFolder()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return withSlash(std::filesystem::current_path(ec).string());
    return withSlash(exe.parent_path().string());
}

std::string TemporaryFolder()
{
    {
        std::lock_guard lock(overrideMutex);
        if (!temporaryOverride.empty())
            return temporaryOverride;
    }
    const std::string program = ProgramFolder();
    if (::access(program.c_str(), W_OK) == 0)
        return program;
    const std::string cache = cacheFolder();
    std::error_code ec;
    std::filesystem::create_directories(cache, ec);
    return cache;
}

std::string TemporaryWavePath()
{
    return TemporaryFolder() + "mp3tmp.wav";
}

void SetTemporaryFolderOverride(const std::string& folder)
{
    std::lock_guard lock(overrideMutex);
    temporaryOverride = folder.empty() ? std::string() : withSlash(folder);
}
