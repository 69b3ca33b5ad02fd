#include "mpeg/FrameJoin.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr std::array<unsigned, 16> kKbps = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
constexpr std::array<unsigned, 4> kRates = {44100, 48000, 32000, 0};
constexpr std::size_t kFrameSamples = 1152;

// Reads bit fields most significant bit first.
class BitReader {
public:
    BitReader(const std::uint8_t* bytes, std::size_t bitOffset) : bytes_(bytes), bit_(bitOffset) {}
    unsigned Read(unsigned count)
    {
        unsigned value = 0;
        for (unsigned i = 0; i < count; ++i, ++bit_)
            value = (value << 1) | ((bytes_[bit_ / 8] >> (7 - bit_ % 8)) & 1U);
        return value;
    }
    void Skip(unsigned count) { bit_ += count; }

private:
    const std::uint8_t* bytes_;
    std::size_t bit_;
};

// Header, CRC and side info of the frame at h: 0 when h is no MPEG-1 Layer III header.
std::size_t HeaderBytes(const std::uint8_t* h)
{
    const bool crc = (h[1] & 1) == 0;
    const bool mono = (h[3] >> 6) == 3;
    return 4 + (crc ? 2 : 0) + (mono ? 17 : 32);
}

std::size_t FrameBytes(const std::uint8_t* h)
{
    if (h[0] != 0xFF || (h[1] & 0xFE) != 0xFA)  // sync, MPEG-1, Layer III
        return 0;
    const unsigned kbps = kKbps[h[2] >> 4];
    const unsigned rate = kRates[(h[2] >> 2) & 3];
    if (kbps == 0 || rate == 0)
        return 0;
    return 144000 * kbps / rate + ((h[2] >> 1) & 1);
}

std::size_t PayloadBytes(const Mp3FrameInfo& f) { return f.length - f.sideEnd; }

// Where the unused room before frame `cut` starts among the payload bytes: the end of the
// audio data of the frames before it.
std::size_t DataEnd(const std::vector<Mp3FrameInfo>& frames, std::size_t cut)
{
    if (cut == 0)
        return 0;
    const Mp3FrameInfo& last = frames[cut - 1];
    return last.payloadPos - std::min(last.mainDataBegin, last.payloadPos) + last.mainDataBytes;
}

std::size_t PayloadEnd(const std::vector<Mp3FrameInfo>& frames, std::size_t cut)
{
    return cut == 0 ? 0 : frames[cut - 1].payloadPos + PayloadBytes(frames[cut - 1]);
}

// The byte of the stream that holds payload byte `pos` (which must lie before frame `before`).
std::size_t ByteOfPayload(const std::vector<Mp3FrameInfo>& frames, std::size_t before, std::size_t pos)
{
    std::size_t f = before;
    while (f > 0 && frames[f - 1].payloadPos > pos)
        --f;
    const Mp3FrameInfo& frame = frames[f - 1];
    return frame.offset + frame.sideEnd + (pos - frame.payloadPos);
}

void PutBE32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v >> 24);
    p[1] = static_cast<std::uint8_t>(v >> 16);
    p[2] = static_cast<std::uint8_t>(v >> 8);
    p[3] = static_cast<std::uint8_t>(v);
}

void PutBE16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v >> 8);
    p[1] = static_cast<std::uint8_t>(v);
}

std::uint32_t BE32(const std::uint8_t* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

}  // namespace

std::vector<Mp3FrameInfo> ScanMp3Frames(const std::uint8_t* bytes, std::size_t size)
{
    std::vector<Mp3FrameInfo> frames;
    std::size_t offset = 0;
    std::size_t payload = 0;
    while (offset + 4 <= size) {
        const std::uint8_t* h = bytes + offset;
        const std::size_t length = FrameBytes(h);
        const std::size_t side = length == 0 ? 0 : HeaderBytes(h);
        if (length == 0 || length < side || offset + length > size)
            break;
        Mp3FrameInfo f;
        f.offset = offset;
        f.length = length;
        f.sideEnd = side;
        f.payloadPos = payload;
        const bool mono = (h[3] >> 6) == 3;
        const unsigned channels = mono ? 1 : 2;
        BitReader bits(h + (side - (mono ? 17 : 32)), 0);
        f.mainDataBegin = bits.Read(9);
        bits.Skip((mono ? 5 : 3) + 4 * channels);  // private bits, scale factor selection
        std::size_t dataBits = 0;
        for (unsigned granule = 0; granule < 2; ++granule)
            for (unsigned ch = 0; ch < channels; ++ch) {
                dataBits += bits.Read(12);  // part2_3_length
                bits.Skip(59 - 12);
            }
        f.mainDataBytes = (dataBits + 7) / 8;
        frames.push_back(f);
        offset += length;
        payload += length - side;
    }
    return frames;
}

std::optional<std::size_t> FindJoinFrame(const std::vector<std::uint8_t>& head, const std::vector<std::uint8_t>& tail,
                                         std::size_t tailOffset, std::size_t from, std::size_t to)
{
    const auto hf = ScanMp3Frames(head.data(), head.size());
    const auto tf = ScanMp3Frames(tail.data(), tail.size());
    for (std::size_t j = std::max({from, tailOffset, std::size_t{1}}); j < to; ++j) {
        if (j >= hf.size() || j - tailOffset >= tf.size())
            break;
        const std::size_t room = PayloadEnd(hf, j) - std::min(PayloadEnd(hf, j), DataEnd(hf, j));
        if (tf[j - tailOffset].mainDataBegin <= room && tf[j - tailOffset].mainDataBegin <= tf[j - tailOffset].payloadPos)
            return j;
    }
    return std::nullopt;
}

bool JoinMp3Streams(std::vector<std::uint8_t>& head, std::size_t headCut, const std::vector<std::uint8_t>& tail,
                    std::size_t tailFirst)
{
    const auto hf = ScanMp3Frames(head.data(), head.size());
    const auto tf = ScanMp3Frames(tail.data(), tail.size());
    if (headCut == 0 || headCut > hf.size() || tailFirst >= tf.size())
        return false;
    const std::size_t end = PayloadEnd(hf, headCut);
    const std::size_t dataEnd = std::min(DataEnd(hf, headCut), end);
    const std::size_t back = tf[tailFirst].mainDataBegin;
    if (back > end - dataEnd || back > tf[tailFirst].payloadPos)
        return false;
    std::vector<std::uint8_t> joined(head.begin(), head.begin() + static_cast<std::ptrdiff_t>(
                                                                     hf[headCut - 1].offset + hf[headCut - 1].length));
    // The unused room is cleared; its last `back` bytes take the data the tail's frame
    // points back at.
    for (std::size_t pos = dataEnd; pos < end; ++pos)
        joined[ByteOfPayload(hf, headCut, pos)] = 0;
    const std::size_t tailPos = tf[tailFirst].payloadPos;
    for (std::size_t i = 0; i < back; ++i)
        joined[ByteOfPayload(hf, headCut, end - back + i)] = tail[ByteOfPayload(tf, tailFirst, tailPos - back + i)];
    const std::size_t tailEnd = tf.back().offset + tf.back().length;
    joined.insert(joined.end(), tail.begin() + static_cast<std::ptrdiff_t>(tf[tailFirst].offset),
                  tail.begin() + static_cast<std::ptrdiff_t>(tailEnd));
    head = std::move(joined);
    return true;
}

std::uint16_t LameCrc16(const std::uint8_t* bytes, std::size_t size, std::uint16_t crc)
{
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

bool RewriteInfoFrame(std::vector<std::uint8_t>& frame, const std::vector<std::uint8_t>& music, std::uint64_t samples)
{
    if (frame.size() < 4 || FrameBytes(frame.data()) == 0)
        return false;
    const std::size_t xing = HeaderBytes(frame.data());
    if (xing + 8 > frame.size() ||
        (std::memcmp(frame.data() + xing, "Info", 4) != 0 && std::memcmp(frame.data() + xing, "Xing", 4) != 0))
        return false;
    const std::uint32_t flags = BE32(frame.data() + xing + 4);
    std::size_t pos = xing + 8;
    const std::size_t framesAt = (flags & 1) ? pos : 0;
    pos += (flags & 1) ? 4 : 0;
    const std::size_t bytesAt = (flags & 2) ? pos : 0;
    pos += (flags & 2) ? 4 : 0;
    const std::size_t tocAt = (flags & 4) ? pos : 0;
    pos += (flags & 4) ? 100 : 0;
    pos += (flags & 8) ? 4 : 0;
    const std::size_t lame = pos;
    if (lame + 36 > frame.size())
        return false;

    const auto frames = ScanMp3Frames(music.data(), music.size());
    const std::size_t total = frame.size() + music.size();
    if (framesAt)
        PutBE32(frame.data() + framesAt, static_cast<std::uint32_t>(frames.size()));
    if (bytesAt)
        PutBE32(frame.data() + bytesAt, static_cast<std::uint32_t>(total));
    if (tocAt && !frames.empty()) {
        // Entry i: where the frame at i percent of the play ends, in 256ths of the frames
        // after this one.
        for (std::size_t i = 1; i < 100; ++i) {
            const std::size_t index = std::min(i * frames.size() / 100, frames.size() - 1);
            const std::size_t at = frames[index].offset + frames[index].length;
            frame[tocAt + i] = static_cast<std::uint8_t>(std::min<std::size_t>(255, 256 * at / music.size()));
        }
    }
    const unsigned delay = (unsigned{frame[lame + 21]} << 4) | (frame[lame + 22] >> 4);
    const std::uint64_t coded = frames.size() * kFrameSamples;
    const std::uint64_t padding = coded > delay + samples ? coded - delay - samples : 0;
    frame[lame + 22] = static_cast<std::uint8_t>(((delay & 0xF) << 4) | ((padding >> 8) & 0xF));
    frame[lame + 23] = static_cast<std::uint8_t>(padding & 0xFF);
    PutBE32(frame.data() + lame + 28, static_cast<std::uint32_t>(total));
    PutBE16(frame.data() + lame + 32, LameCrc16(music.data(), music.size()));
    PutBE16(frame.data() + lame + 34, LameCrc16(frame.data(), lame + 34));
    return true;
}
