#include "platform/os/Paths.h"

#include "platform/os/InstanceFolder.h"

#include <filesystem>
#include <mutex>
#include <optional>

namespace {
constexpr const char* kTemporaryWave = "mp3tmp.wav";

// Guarded by overrideMutex.
std::mutex overrideMutex;
std::string temporaryOverride;

std::string withSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::optional<std::string> overrideFolder()
{
    std::lock_guard lock(overrideMutex);
    if (temporaryOverride.empty())
        return std::nullopt;
    return temporaryOverride;
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
    if (auto folder = overrideFolder())
        return *folder;
    return InstanceFolder();
}

std::string TemporaryWavePath()
{
    return TemporaryFolder() + kTemporaryWave;
}

void RemoveTemporaryWave()
{
    std::optional<std::string> folder = overrideFolder();
    if (!folder)
        folder = OpenedInstanceFolder();
    if (!folder)
        return;
    std::error_code ec;
    std::filesystem::remove(*folder + kTemporaryWave, ec);
}

void SetTemporaryFolderOverride(const std::string& folder)
{
    std::lock_guard lock(overrideMutex);
    temporaryOverride = folder.empty() ? std::string() : withSlash(folder);
}
