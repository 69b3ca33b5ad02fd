#include "MPEGFixtures.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

std::uint32_t HeaderBits(const FrameFormat& s)
{
    const std::uint32_t versionBits = s.version == 1 ? 3 : s.version == 2 ? 2 : 0;
    const std::uint32_t layerBits = static_cast<std::uint32_t>(4 - s.layer) & 3;
    return 0xFFE00000u | versionBits << 19 | layerBits << 17 | std::uint32_t(s.protection) << 16 |
           std::uint32_t(s.bitRateIndex) << 12 | std::uint32_t(s.sampleRateIndex) << 10 |
           std::uint32_t(s.padding) << 9 | std::uint32_t(s.mode) << 6 | std::uint32_t(s.copyright) << 3 |
           std::uint32_t(s.original) << 2;
}

std::size_t TextbookFrameLength(const FrameFormat& s, int bitRateKbps, int sampleRate)
{
    if (s.layer == 1)
        return std::size_t((12 * bitRateKbps * 1000 / sampleRate + s.padding) * 4);
    const int samples = (s.layer == 3 && s.version != 1) ? 576 : 1152;
    return std::size_t(samples / 8 * bitRateKbps * 1000 / sampleRate + s.padding);
}

Bytes SilentFrames(const FrameFormat& format, int bitRateKbps, int sampleRate, int count)
{
    const std::uint32_t bits = HeaderBits(format);
    const std::size_t length = TextbookFrameLength(format, bitRateKbps, sampleRate);
    Bytes out;
    for (int i = 0; i < count; ++i) {
        Bytes frame(length, 0);
        frame[0] = std::uint8_t(bits >> 24);
        frame[1] = std::uint8_t(bits >> 16);
        frame[2] = std::uint8_t(bits >> 8);
        frame[3] = std::uint8_t(bits);
        Append(out, frame);
    }
    return out;
}

Bytes Mp3Stream(int count, int padding)
{
    FrameFormat format;
    format.padding = padding;
    return SilentFrames(format, 128, 44100, count);
}

namespace {
void Put16(Bytes& b, unsigned v)
{
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void PutId(Bytes& b, const char* id)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(std::uint8_t(id[i]));
}
}  // namespace

Bytes RiffWrap(const Bytes& frames, std::size_t* dataOffset)
{
    Bytes fmt;  // MPEGLAYER3WAVEFORMAT
    Put16(fmt, 0x55);
    Put16(fmt, 2);
    Put32(fmt, 44100);
    Put32(fmt, 16000);
    Put16(fmt, 1);
    Put16(fmt, 0);
    Put16(fmt, 12);
    Put16(fmt, 1);      // MPEGLAYER3_ID_MPEG
    Put32(fmt, 2);      // no padding flag
    Put16(fmt, 417);    // block size
    Put16(fmt, 1);
    Put16(fmt, 1393);
    // A lone MPEG 1 layer III header followed by text: one frame later lies no header.
    Bytes list;
    PutId(list, "INFO");
    Bytes lone = {0xFF, 0xFB, 0x90, 0x64};
    Append(list, lone);
    for (int i = 0; i < 600; ++i)
        list.push_back(std::uint8_t('a' + i % 26));

    Bytes out;
    PutId(out, "RIFF");
    Put32(out, 0);
    PutId(out, "WAVE");
    PutId(out, "fmt ");
    Put32(out, std::uint32_t(fmt.size()));
    Append(out, fmt);
    PutId(out, "LIST");
    Put32(out, std::uint32_t(list.size()));
    Append(out, list);
    PutId(out, "fact");
    Put32(out, 4);
    Put32(out, 1152u * 10u);
    PutId(out, "data");
    Put32(out, std::uint32_t(frames.size()));
    if (dataOffset)
        *dataOffset = out.size();
    Append(out, frames);
    if (frames.size() % 2)
        out.push_back(0);
    const std::uint32_t riffSize = std::uint32_t(out.size() - 8);
    for (int i = 0; i < 4; ++i)
        out[4 + i] = std::uint8_t(riffSize >> (8 * i));
    return out;
}

void Append(Bytes& to, const Bytes& more)
{
    to.insert(to.end(), more.begin(), more.end());
}
