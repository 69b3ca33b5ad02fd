// libFuzzer target for gnudb's replies: any bytes must give matches, an xmcd entry or
// nothing, without a crash, a hang or a read outside a buffer. The first byte picks the
// track count the entry is checked against.
#include "discinfo/Xmcd.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int tracks = data[0] % 101;  // 0 and 100 are refused
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    for (const CddbMatch& m : ParseCddbQuery(text))
        if (m.category.empty() || m.discId.empty())
            __builtin_trap();
    if (const auto d = ParseXmcd(text, tracks))
        if (int(d->tracks.size()) != tracks)
            __builtin_trap();
    return 0;
}
