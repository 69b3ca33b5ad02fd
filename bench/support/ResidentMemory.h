#pragma once
// This process's resident memory (VmRSS) in KiB, or -1 when /proc does not tell it.
#include <cstdlib>
#include <fstream>
#include <string>

inline long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}
