#include "platform/os/VolumeLabel.h"

#include <filesystem>
#include <sys/stat.h>

namespace {
constexpr std::size_t kMaxLabel = 20;
const char* const kLabelFolder = "/dev/disk/by-label";

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// udev writes unsafe characters of a label as \xNN.
std::string Unescape(const std::string& name)
{
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
            const int high = HexDigit(name[i + 2]), low = HexDigit(name[i + 3]);
            if (high >= 0 && low >= 0) {
                out.push_back(static_cast<char>(high * 16 + low));
                i += 3;
                continue;
            }
        }
        out.push_back(name[i]);
    }
    return out;
}
}  // namespace

std::string VolumeLabelOf(const std::string& path)
{
    struct stat file {};
    if (::stat(path.c_str(), &file) != 0)
        return {};
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(kLabelFolder, ec)) {
        struct stat device {};
        if (::stat(entry.path().c_str(), &device) == 0 && S_ISBLK(device.st_mode) && device.st_rdev == file.st_dev)
            return Unescape(entry.path().filename().string()).substr(0, kMaxLabel);
    }
    return {};
}
