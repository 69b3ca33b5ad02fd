#include "mpeg/MPEGScan.h"

#include <array>

namespace {
constexpr std::uint64_t kPumpInterval = 300;

std::optional<std::uint32_t> Read32(ByteSource& source, std::uint64_t pos)
{
    std::array<std::uint8_t, 4> b{};
    if (!source.ReadAt(pos, b))
        return std::nullopt;
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3];
}

struct Search {
    ByteSource& source;
    std::uint64_t size;
    std::uint64_t scanLimit;
    const std::function<void()>& pump;

    bool PastLimit(std::uint64_t pos) const { return scanLimit != 0 && pos > scanLimit; }

    // The first usable header at or after pos, shifting in one byte at a time.
    std::optional<std::pair<std::uint64_t, MPEGFrameHeader>> NextHeader(std::uint64_t pos)
    {
        // The end is tested before every 4-byte read, so 1 to 3 trailing bytes end the
        // search instead of failing a read.
        if (pos + 4 > size || PastLimit(pos))
            return std::nullopt;
        auto bits = Read32(source, pos);
        if (!bits)
            return std::nullopt;
        MPEGFrameHeader h = ParseFrameHeader(*bits);
        while (!h.Usable()) {
            if (pos + 4 >= size || PastLimit(pos))
                return std::nullopt;
            std::array<std::uint8_t, 1> next{};
            if (!source.ReadAt(pos + 4, next))
                return std::nullopt;
            *bits = (*bits << 8) | next[0];
            ++pos;
            if (pos % kPumpInterval == 0 && pump)
                pump();
            h = ParseFrameHeader(*bits);
        }
        return std::make_pair(pos, h);
    }
};
}  // namespace

MPEGScanResult ScanMPEG(ByteSource& source, std::uint64_t scanLimit, const std::function<void()>& pump)
{
    MPEGScanResult result;
    Search search{source, source.Size(), scanLimit, pump};
    std::uint64_t pos = 0;
    while (auto found = search.NextHeader(pos)) {
        const auto [at, first] = *found;
        const std::uint64_t nextAt = at + first.frameLength;
        if (nextAt >= search.size) {
            // The frame runs to the end: nothing can confirm it.
            pos = at + 4;
            continue;
        }
        if (nextAt + 4 <= search.size) {
            if (auto bits = Read32(source, nextAt)) {
                const MPEGFrameHeader second = ParseFrameHeader(*bits);
                if (second.Usable()) {
                    result.headerOffset = at;
                    result.header = second;
                    break;
                }
            }
        }
        pos = at + 1;
    }
    if (result.headerOffset && search.size > kID3v1Size) {
        ID3v1Block block{};
        if (source.ReadAt(search.size - kID3v1Size, block))
            result.tag = ParseID3v1(block);
    }
    result.error = source.Error();
    return result;
}
