// libFuzzer target for the AccurateRip answer: the input is a dBAR file. Parsing must end
// in pressings or a reason, without a crash or a read outside the input; every pressing
// read holds as many track entries as its count says, and judging any track of it (and
// one past its end) must not fail.
#include "disc/AccurateRip.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<AccurateRipPressing> pressings;
    std::string error;
    if (!ParseDbar(bytes, pressings, error)) {
        if (error.empty())
            std::abort();
        return 0;
    }
    for (const AccurateRipPressing& p : pressings) {
        if (p.id.trackCount < 1 || std::size_t(p.id.trackCount) != p.tracks.size())
            std::abort();
        for (int t = 0; t <= p.id.trackCount; ++t)
            (void)JudgeTrack(pressings, p.id, t, {0, p.tracks[0].checksum, 0});
    }
    return 0;
}
