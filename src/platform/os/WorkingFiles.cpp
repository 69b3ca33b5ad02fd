#include "platform/os/WorkingFiles.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <optional>
#include <regex>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// The pid in a working file's name, or nothing when the name is not one of ours.
std::optional<pid_t> ownerOf(const std::string& name)
{
    static const std::regex current(R"(\.mvp-([0-9]{1,9})-[0-9]{1,10}\.part)");
    static const std::regex earlier(R"(\..+\.part-([0-9]{1,9})-[0-9]{1,10}(\.[^.]*)?)");
    std::smatch m;
    if (std::regex_match(name, m, current) || std::regex_match(name, m, earlier))
        return static_cast<pid_t>(std::stol(m[1].str()));
    return std::nullopt;
}

bool running(pid_t pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno != ESRCH);
}
}  // namespace

std::string WorkingFileName(const std::string& target)
{
    static std::atomic<unsigned> made{0};
    const std::string name = ".mvp-" + std::to_string(::getpid()) + "-" + std::to_string(++made) + ".part";
    return (fs::path(target).parent_path() / name).string();
}

int SweepDeadWorkingFiles(const std::string& folder)
{
    int removed = 0;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const auto owner = ownerOf(name);
        if (!owner || running(*owner) || !it->is_regular_file(ec) || it->is_symlink(ec))
            continue;
        std::error_code removeError;
        if (fs::remove(it->path(), removeError))
            ++removed;
    }
    return removed;
}
