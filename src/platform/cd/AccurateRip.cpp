#include "platform/cd/AccurateRip.h"

#include "platform/net/HttpGet.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>

namespace {
constexpr std::int64_t kEdgeFrames = 5 * 588;

// Eight tables: the CRC advances eight bytes a step (slicing by eight).
using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;
const CrcTables& crcTables()
{
    static const CrcTables tables = [] {
        CrcTables t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][i] = c;
        }
        for (std::uint32_t i = 0; i < 256; ++i)
            for (std::size_t k = 1; k < 8; ++k)
                t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
        return t;
    }();
    return tables;
}

std::uint32_t le32(const std::string& b, std::size_t at)
{
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

std::string hex8(std::uint32_t v)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", v);
    return text;
}

int digitSum(int n)
{
    int sum = 0;
    for (; n > 0; n /= 10)
        sum += n % 10;
    return sum;
}
}  // namespace

std::uint32_t Crc32Update(std::uint32_t crc, const std::uint8_t* bytes, std::size_t count)
{
    const CrcTables& t = crcTables();
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const std::uint32_t one = crc ^ (std::uint32_t(bytes[i]) | std::uint32_t(bytes[i + 1]) << 8 |
                                         std::uint32_t(bytes[i + 2]) << 16 | std::uint32_t(bytes[i + 3]) << 24);
        crc = t[7][one & 0xFF] ^ t[6][(one >> 8) & 0xFF] ^ t[5][(one >> 16) & 0xFF] ^ t[4][one >> 24] ^
              t[3][bytes[i + 4]] ^ t[2][bytes[i + 5]] ^ t[1][bytes[i + 6]] ^ t[0][bytes[i + 7]];
    }
    for (; i < count; ++i)
        crc = t[0][(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

TrackChecksummer::TrackChecksummer(std::int64_t totalFrames, bool firstTrack, bool lastTrack)
    : from_(firstTrack ? kEdgeFrames : 1), to_(lastTrack ? totalFrames - kEdgeFrames : totalFrames)
{
}

void TrackChecksummer::Add(const std::int16_t* samples, std::size_t frames)
{
    // The CRC runs over the little-endian bytes: on a little-endian host the samples as
    // they lie in memory, elsewhere a swapped copy a piece at a time.
    if constexpr (std::endian::native == std::endian::little) {
        crc_ = Crc32Update(crc_, reinterpret_cast<const std::uint8_t*>(samples), frames * 4);
    } else {
        std::array<std::uint8_t, 4096> bytes;
        for (std::size_t at = 0; at < frames * 2;) {
            std::size_t filled = 0;
            for (; filled < bytes.size() && at < frames * 2; filled += 2, ++at) {
                bytes[filled] = std::uint8_t(std::uint16_t(samples[at]));
                bytes[filled + 1] = std::uint8_t(std::uint16_t(samples[at]) >> 8);
            }
            crc_ = Crc32Update(crc_, bytes.data(), filled);
        }
    }
    // The AccurateRip sums over the positions of this piece that lie inside the counted range.
    const std::int64_t first = std::max(position_, from_);
    const std::int64_t last = std::min(position_ + std::int64_t(frames) - 1, to_);
    std::uint32_t low = low_, high = high_;
    for (std::int64_t p = first; p <= last; ++p) {
        const std::size_t i = std::size_t(p - position_);
        const std::uint32_t word =
            std::uint32_t(std::uint16_t(samples[2 * i])) | std::uint32_t(std::uint16_t(samples[2 * i + 1])) << 16;
        const std::uint64_t product = std::uint64_t(word) * std::uint64_t(p);
        low += std::uint32_t(product);
        high += std::uint32_t(product >> 32);
    }
    low_ = low;
    high_ = high;
    position_ += std::int64_t(frames);
}

TrackChecksums TrackChecksummer::Result() const
{
    return {crc_ ^ 0xFFFFFFFFu, low_, low_ + high_};
}

std::string AccurateRipDiscId::FileName() const
{
    char count[12];
    std::snprintf(count, sizeof count, "%03d", trackCount % 1000);
    return "dBAR-" + std::string(count) + "-" + hex8(id1) + "-" + hex8(id2) + "-" + hex8(cddb) + ".bin";
}

std::string AccurateRipDiscId::Url(const std::string& base) const
{
    const std::string id = hex8(id1);
    std::string url = base;
    if (!url.empty() && url.back() == '/')
        url.pop_back();
    return url + "/" + id.substr(7, 1) + "/" + id.substr(6, 1) + "/" + id.substr(5, 1) + "/" + FileName();
}

AccurateRipDiscId AccurateRipIds(const std::vector<AccurateRipTrack>& tracks, std::int32_t leadOut)
{
    AccurateRipDiscId id;
    int digits = 0;
    for (const AccurateRipTrack& t : tracks) {
        digits += digitSum((t.start + 150) / 75);
        if (!t.audio)
            continue;
        ++id.trackCount;
        const auto start = std::uint32_t(t.start);
        id.id1 += start;
        id.id2 += (start ? start : 1u) * std::uint32_t(t.number);
    }
    id.id1 += std::uint32_t(leadOut);
    id.id2 += std::uint32_t(leadOut) * std::uint32_t(id.trackCount + 1);
    const std::int32_t first = tracks.empty() ? 0 : tracks.front().start;
    const auto seconds = std::uint32_t((leadOut + 150) / 75 - (first + 150) / 75);
    id.cddb = std::uint32_t(digits % 255) << 24 | seconds << 8 | std::uint32_t(tracks.size() & 0xFF);
    return id;
}

bool ParseDbar(const std::string& bytes, std::vector<AccurateRipPressing>& pressings, std::string& error)
{
    pressings.clear();
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (bytes.size() - at < 13) {
            error = "the AccurateRip file is cut short";
            return false;
        }
        AccurateRipPressing pressing;
        pressing.id.trackCount = std::uint8_t(bytes[at]);
        pressing.id.id1 = le32(bytes, at + 1);
        pressing.id.id2 = le32(bytes, at + 5);
        pressing.id.cddb = le32(bytes, at + 9);
        at += 13;
        if (pressing.id.trackCount == 0) {
            error = "the AccurateRip file lists a disc without tracks";
            return false;
        }
        const std::size_t need = std::size_t(pressing.id.trackCount) * 9;
        if (bytes.size() - at < need) {
            error = "the AccurateRip file is cut short";
            return false;
        }
        for (int t = 0; t < pressing.id.trackCount; ++t, at += 9)
            pressing.tracks.push_back({std::uint8_t(bytes[at]), le32(bytes, at + 1)});
        pressings.push_back(std::move(pressing));
    }
    if (pressings.empty()) {
        error = "the AccurateRip file is empty";
        return false;
    }
    return true;
}

std::string AccurateRipVerdict::Text() const
{
    switch (kind) {
    case Accurate:
        return "Accurately ripped (confidence " + std::to_string(confidence) + ")";
    case NotAccurate:
        return "Not accurate (" + std::to_string(disagree) + " other rips disagree)";
    case NotInDatabase:
        break;
    }
    return "Not in the AccurateRip database";
}

AccurateRipVerdict JudgeTrack(const std::vector<AccurateRipPressing>& pressings, const AccurateRipDiscId& disc,
                              int trackIndex, const TrackChecksums& sums)
{
    AccurateRipVerdict verdict;
    for (const AccurateRipPressing& p : pressings) {
        if (p.id.trackCount != disc.trackCount || p.id.id1 != disc.id1 || p.id.id2 != disc.id2 ||
            p.id.cddb != disc.cddb || trackIndex < 0 || trackIndex >= int(p.tracks.size()))
            continue;
        const AccurateRipEntry& e = p.tracks[std::size_t(trackIndex)];
        if (e.confidence == 0)
            continue;
        if (e.checksum == sums.arV1 || e.checksum == sums.arV2)
            verdict.confidence = std::max(verdict.confidence, e.confidence);
        else
            verdict.disagree += e.confidence;
    }
    if (verdict.confidence > 0)
        verdict.kind = AccurateRipVerdict::Accurate;
    else if (verdict.disagree > 0)
        verdict.kind = AccurateRipVerdict::NotAccurate;
    return verdict;
}

AccurateRipLookupResult AccurateRipLookup(const AccurateRipDiscId& disc, const std::string& base,
                                          const std::atomic<bool>* cancel)
{
    AccurateRipLookupResult result;
    HttpRequest request;
    request.url = disc.Url(base);
    request.maxBytes = 1u << 20;
    request.cancel = cancel;
    const HttpReply reply = HttpGet(request);
    if (reply.status == 404) {
        result.reached = true;
        return result;
    }
    if (!reply.ok) {
        result.error = "The AccurateRip database could not be reached: " +
                       (reply.error.empty() ? "HTTP status " + std::to_string(reply.status) : reply.error);
        return result;
    }
    std::string why;
    if (!ParseDbar(reply.body, result.pressings, why)) {
        result.pressings.clear();
        result.error = "The AccurateRip database gave an unreadable answer: " + why;
        return result;
    }
    result.reached = true;
    return result;
}
