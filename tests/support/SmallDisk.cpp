#include "support/SmallDisk.h"

#include <filesystem>
#include <fstream>
#include <vector>
#include <sys/mount.h>

SmallDisk::SmallDisk(const std::string& folder, const std::string& size) : folder_(folder)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (mounted_)
        ::umount2(folder_.c_str(), MNT_DETACH);
}

void SmallDisk::Fill() const
{
    std::ofstream filler(folder_ + "/filler", std::ios::binary);
    const std::vector<char> block(4096, 'f');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
    }
}
