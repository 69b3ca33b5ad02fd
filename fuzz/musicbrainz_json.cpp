// libFuzzer target for the MusicBrainz disc ID reply: any bytes must give releases or
// nothing, each release with exactly the disc's track count. The first byte picks that
// count; the disc ID looked for is a fixed one.
#include "discinfo/DiscCache.h"
#include "discinfo/MusicBrainzReply.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int tracks = data[0] % 101;
    const std::string json(reinterpret_cast<const char*>(data + 1), size - 1);
    for (const DiscDetails& d : ParseMusicBrainzReleases(json, "lwHl8fGzJyLXQR33ug60E8jhf4k-", tracks))
        if (int(d.tracks.size()) != tracks)
            __builtin_trap();
    // The cache reads the same kind of text back.
    if (const auto cached = DiscDetailsFromJson(json, tracks))
        if (int(cached->tracks.size()) != tracks)
            __builtin_trap();
    return 0;
}
