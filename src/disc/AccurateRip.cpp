#include "disc/AccurateRip.h"

#include "platform/net/HttpGet.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>

// On x86-64 the wider instructions are chosen at run time by what the processor has.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define MERVANE_X86_DISPATCH 1
#endif
#if defined(__SSE2__)  // x86: little-endian, so a frame in memory is its AccurateRip word
#include <emmintrin.h>
#define MERVANE_AR_SSE2 1
#endif

namespace {
constexpr std::int64_t kEdgeFrames = 5 * 588;

std::atomic<ChecksumInstructions> checksumLimit{ChecksumInstructions::Widest};
bool wideAllowed()
{
    return checksumLimit.load(std::memory_order_relaxed) == ChecksumInstructions::Widest;
}
bool narrowAllowed()
{
    return checksumLimit.load(std::memory_order_relaxed) != ChecksumInstructions::Portable;
}

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

std::uint32_t crc32Table(std::uint32_t crc, const std::uint8_t* bytes, std::size_t count)
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

#ifdef MERVANE_X86_DISPATCH
struct X86Features {
    bool clmul = false;   // PCLMULQDQ and SSE4.1
    bool wideClmul = false;  // VPCLMULQDQ on 256-bit registers (and AVX2)
    bool avx2 = false;
};
const X86Features& x86Features()
{
    static const X86Features features = [] {
        __builtin_cpu_init();
        X86Features f;
        f.clmul = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
        f.avx2 = __builtin_cpu_supports("avx2");
        f.wideClmul = f.clmul && f.avx2 && __builtin_cpu_supports("vpclmulqdq");
        return f;
    }();
    return features;
}

__m128i load(const std::uint8_t* at)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

// x carried 128 bits further (by the constants k) and added to the next 128 bits.
__attribute__((target("pclmul,sse4.1"))) __m128i fold(__m128i x, __m128i k, __m128i next)
{
    return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11)), next);
}

// The CRC by carry-less multiplication: four 128-bit lanes are folded forward 64 bytes a
// step (the reflected polynomial's folding constants x^(k) mod P); here they are folded
// into one, the remaining 16-byte blocks into it, and a Barrett reduction brings it down
// to 32 bits. count is a multiple of 16.
__attribute__((target("pclmul,sse4.1"))) std::uint32_t crc32Finish(__m128i x1, __m128i x2, __m128i x3, __m128i x4,
                                                                     const std::uint8_t* bytes, std::size_t count)
{
    const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009e, 0x01751997d0);
    x1 = fold(x1, k3k4, x2);
    x1 = fold(x1, k3k4, x3);
    x1 = fold(x1, k3k4, x4);
    for (; count >= 16; bytes += 16, count -= 16)
        x1 = fold(x1, k3k4, load(bytes));
    // 128 to 64 bits, then 64 to 32.
    const __m128i low32 = _mm_setr_epi32(~0, 0, ~0, 0);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(x1, k3k4, 0x10));
    const __m128i k5 = _mm_set_epi64x(0, 0x0163cd6124);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 4), _mm_clmulepi64_si128(_mm_and_si128(x1, low32), k5, 0x00));
    const __m128i poly = _mm_set_epi64x(0x01f7011641, 0x01db710641);
    __m128i x2b = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), poly, 0x10);
    x2b = _mm_clmulepi64_si128(_mm_and_si128(x2b, low32), poly, 0x00);
    return std::uint32_t(_mm_extract_epi32(_mm_xor_si128(x1, x2b), 1));
}

constexpr long long kK1 = 0x0154442bd4, kK2 = 0x01c6e41596;  // x^(4*128+32) and x^(4*128-32) mod P

// count is at least 64 and a multiple of 16.
__attribute__((target("pclmul,sse4.1"))) std::uint32_t crc32Clmul(std::uint32_t crc, const std::uint8_t* bytes,
                                                                    std::size_t count)
{
    __m128i x1 = _mm_xor_si128(load(bytes), _mm_cvtsi32_si128(int(crc)));
    __m128i x2 = load(bytes + 16), x3 = load(bytes + 32), x4 = load(bytes + 48);
    const __m128i k1k2 = _mm_set_epi64x(kK2, kK1);
    for (bytes += 64, count -= 64; count >= 64; bytes += 64, count -= 64) {
        x1 = fold(x1, k1k2, load(bytes));
        x2 = fold(x2, k1k2, load(bytes + 16));
        x3 = fold(x3, k1k2, load(bytes + 32));
        x4 = fold(x4, k1k2, load(bytes + 48));
    }
    return crc32Finish(x1, x2, x3, x4, bytes, count);
}

// The same four lanes, two to a 256-bit register, folded with half the instructions.
__attribute__((target("avx2,vpclmulqdq,pclmul,sse4.1"))) std::uint32_t crc32WideClmul(std::uint32_t crc,
                                                                                        const std::uint8_t* bytes,
                                                                                        std::size_t count)
{
    const auto* at = reinterpret_cast<const __m256i*>(bytes);
    __m256i a = _mm256_xor_si256(_mm256_loadu_si256(at), _mm256_zextsi128_si256(_mm_cvtsi32_si128(int(crc))));
    __m256i b = _mm256_loadu_si256(at + 1);
    const __m256i k = _mm256_set_epi64x(kK2, kK1, kK2, kK1);
    for (at += 2, count -= 64; count >= 64; at += 2, count -= 64) {
        a = _mm256_xor_si256(_mm256_xor_si256(_mm256_clmulepi64_epi128(a, k, 0x00), _mm256_clmulepi64_epi128(a, k, 0x11)),
                             _mm256_loadu_si256(at));
        b = _mm256_xor_si256(_mm256_xor_si256(_mm256_clmulepi64_epi128(b, k, 0x00), _mm256_clmulepi64_epi128(b, k, 0x11)),
                             _mm256_loadu_si256(at + 1));
    }
    return crc32Finish(_mm256_castsi256_si128(a), _mm256_extracti128_si256(a, 1), _mm256_castsi256_si128(b),
                       _mm256_extracti128_si256(b, 1), reinterpret_cast<const std::uint8_t*>(at), count);
}

// The AccurateRip sums of accurateRipSum below, eight frames a step; returns the frames done.
__attribute__((target("avx2"))) std::size_t accurateRipSumAvx2(const std::int16_t* samples, std::size_t frames,
                                                               std::uint32_t position, std::uint32_t& low,
                                                               std::uint32_t& high)
{
    std::size_t i = 0;
    __m256i sums = _mm256_setzero_si256();
    const long long p = position;
    __m256i even = _mm256_set_epi64x(p + 6, p + 4, p + 2, p);
    __m256i odd = _mm256_set_epi64x(p + 7, p + 5, p + 3, p + 1);
    const __m256i step = _mm256_set1_epi64x(8);
    for (; i + 8 <= frames; i += 8) {
        const __m256i words = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(samples + 2 * i));
        sums = _mm256_add_epi32(sums, _mm256_mul_epu32(words, even));
        sums = _mm256_add_epi32(sums, _mm256_mul_epu32(_mm256_srli_epi64(words, 32), odd));
        even = _mm256_add_epi64(even, step);
        odd = _mm256_add_epi64(odd, step);
    }
    alignas(32) std::uint32_t lanes[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(lanes), sums);
    low += lanes[0] + lanes[2] + lanes[4] + lanes[6];
    high += lanes[1] + lanes[3] + lanes[5] + lanes[7];
    return i;
}
#endif

// Adds the AccurateRip products of `frames` frames whose first lies at 1-based position
// `position`: the 32-bit word of each frame (left in the low half) times its position, the
// low halves of the products into low, the high halves into high.
void accurateRipSum(const std::int16_t* samples, std::size_t frames, std::uint32_t position, std::uint32_t& low,
                    std::uint32_t& high)
{
    std::size_t i = 0;
#ifdef MERVANE_X86_DISPATCH
    if (frames >= 8 && x86Features().avx2 && wideAllowed())
        i = accurateRipSumAvx2(samples, frames, position, low, high);
#endif
#ifdef MERVANE_AR_SSE2
    // Four frames a step: the even and the odd words times their positions as 64-bit
    // products, added as 32-bit lanes so that the low halves and the high halves each sum
    // modulo 2^32 without carrying into one another.
    if (frames - i >= 4 && narrowAllowed()) {
        const std::int64_t p = std::int64_t(position) + std::int64_t(i);
        __m128i sums = _mm_setzero_si128();
        __m128i even = _mm_set_epi64x(p + 2, p);
        __m128i odd = _mm_set_epi64x(p + 3, p + 1);
        const __m128i step = _mm_set1_epi64x(4);
        for (; i + 4 <= frames; i += 4) {
            const __m128i words = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + 2 * i));
            sums = _mm_add_epi32(sums, _mm_mul_epu32(words, even));
            sums = _mm_add_epi32(sums, _mm_mul_epu32(_mm_srli_epi64(words, 32), odd));
            even = _mm_add_epi64(even, step);
            odd = _mm_add_epi64(odd, step);
        }
        alignas(16) std::uint32_t lanes[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes), sums);
        low += lanes[0] + lanes[2];
        high += lanes[1] + lanes[3];
    }
#endif
    for (; i < frames; ++i) {
        const std::uint32_t word =
            std::uint32_t(std::uint16_t(samples[2 * i])) | std::uint32_t(std::uint16_t(samples[2 * i + 1])) << 16;
        const std::uint64_t product = std::uint64_t(word) * (position + i);
        low += std::uint32_t(product);
        high += std::uint32_t(product >> 32);
    }
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
#ifdef MERVANE_X86_DISPATCH
    if (count >= 64 && x86Features().clmul && narrowAllowed()) {
        const std::size_t folded = count & ~std::size_t(15);
        crc = x86Features().wideClmul && wideAllowed() ? crc32WideClmul(crc, bytes, folded)
                                                       : crc32Clmul(crc, bytes, folded);
        bytes += folded;
        count -= folded;
    }
#endif
    return crc32Table(crc, bytes, count);
}

void SetChecksumInstructions(ChecksumInstructions limit)
{
    checksumLimit.store(limit, std::memory_order_relaxed);
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
    // (Positions stay below 2^32: a CD holds far fewer frames.)
    const std::int64_t first = std::max(position_, from_);
    const std::int64_t last = std::min(position_ + std::int64_t(frames) - 1, to_);
    if (first <= last)
        accurateRipSum(samples + 2 * (first - position_), std::size_t(last - first + 1), std::uint32_t(first), low_,
                       high_);
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
                                          const std::atomic<bool>* cancel, std::chrono::milliseconds deadline)
{
    AccurateRipLookupResult result;
    HttpRequest request;
    request.url = disc.Url(base);
    request.timeout = deadline;
    request.maxBytes = 1u << 20;
    request.cancel = cancel;
    const HttpReply reply = HttpGet(request);
    if (reply.status == 404) {
        result.reached = true;
        return result;
    }
    // A 2xx status that is not ok: the body was cut off or larger than any dBAR file.
    result.answered = reply.ok || (reply.status >= 200 && reply.status < 300);
    if (!reply.ok && !result.answered) {
        result.error = "The AccurateRip database could not be reached: " +
                       (reply.error.empty() ? "HTTP status " + std::to_string(reply.status) : reply.error);
        return result;
    }
    std::string why = reply.error;
    const auto first = reply.body.find_first_not_of(" \t\r\n");
    if (reply.ok && first != std::string::npos && reply.body[first] == '<')
        why = "a web page came instead of the AccurateRip file";
    if (!reply.ok || !why.empty() || !ParseDbar(reply.body, result.pressings, why)) {
        result.pressings.clear();
        result.error = "The AccurateRip server answered with something unreadable: " + why;
        return result;
    }
    result.reached = true;
    result.otherDisc = std::none_of(result.pressings.begin(), result.pressings.end(), [&](const AccurateRipPressing& p) {
        return p.id.trackCount == disc.trackCount && p.id.id1 == disc.id1 && p.id.id2 == disc.id2 &&
               p.id.cddb == disc.cddb;
    });
    if (result.otherDisc)
        result.error = "The AccurateRip server's answer is for another disc";
    return result;
}
