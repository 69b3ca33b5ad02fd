#include "wave/WaveFormat.h"

#include <atomic>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <new>

namespace {
__extension__ typedef __int128 Int128;

struct TagName {
    std::uint16_t tag;
    const char* name;
};
// Searched from the top; the first match wins (0x0011 is always "IMA ADPCM").
constexpr TagName kTagNames[] = {
    {0x0000, "Unknown"},
    {0x0001, "PCM"},
    {0x0002, "Microsoft ADPCM"},
    {0x0003, "Mediavision's ADPCM"},
    {0x0005, "IBM CVSD"},
    {0x0006, "CCITT A-Law"},
    {0x0007, "CCITT mu-Law"},
    {0x0010, "OKI ADPCM"},
    {0x0011, "IMA ADPCM"},
    {0x0011, "DVI ADPCM"},
    {0x0012, "Mediaspace's ADPCM"},
    {0x0013, "Sierra's ADPCM"},
    {0x0014, "CCITT G.723 ADPCM"},
    {0x0015, "Digisound DIGISTD"},
    {0x0016, "Digisound DIGIFIX"},
    {0x0017, "Dialogic OKI ADPCM"},
    {0x0020, "Yamaha ADPCM"},
    {0x0021, "Sonarc"},
    {0x0022, "DSP Group's Truespeech"},
    {0x0023, "Echo SC1"},
    {0x0024, "Audiofile AF36"},
    {0x0025, "Audio Processing Technology"},
    {0x0026, "Audiofile AF10"},
    {0x0030, "Dolby AC2"},
    {0x0031, "GSM 6.10"},
    {0x0033, "Antex ADPCME"},
    {0x0039, "CS IMA ADPCM"},
    {0x0040, "CCITT G.721 ADPCM"},
    {0x0050, "Microsoft MPEG"},
    {0x0055, "MPEG Layer-3"},
    {0x0200, "Creative's ADPCM"},
    {0x1001, "Olivetti's ADPCM"},
    {0xFFFF, "*DEVELOPMENT ONLY TAG*"},
};

std::int64_t roundUpToBlocks(const TWaveFormatEx* f, std::int64_t bytes)
{
    const std::int64_t align = f->nBlockAlign;
    if (align <= 1)
        return bytes;
    if (bytes <= 0)
        return bytes;
    return align * ((bytes + align - 1) / align);
}

// The separators last taken from the locale; the first defaults are "." and ",".
std::atomic<char> lastDecimal{'.'};
std::atomic<char> lastList{','};
}  // namespace

void WaveFormatDeleter::operator()(TWaveFormatEx* p) const noexcept
{
    delete[] reinterpret_cast<unsigned char*>(p);
}

WaveFormatPtr wioAllocWaveFormat(std::size_t size)
{
    if (size < sizeof(TWaveFormatEx))
        size = sizeof(TWaveFormatEx);
    auto* raw = new unsigned char[size]();
    return WaveFormatPtr(reinterpret_cast<TWaveFormatEx*>(raw));
}

std::int64_t MulDivRound(std::int64_t a, std::int64_t b, std::int64_t c)
{
    if (c == 0)
        return 0;
    const Int128 p = static_cast<Int128>(a) * b;
    const Int128 q = p / c;
    const Int128 r = p % c;
    return static_cast<std::int64_t>(q + (2 * r) / c);
}

std::size_t wioSizeOfWaveFormat(const TWaveFormatEx* format)
{
    if (!format)
        return 0;
    if (format->wFormatTag == WAVE_FORMAT_PCM)
        return sizeof(TWaveFormatEx);
    return sizeof(TWaveFormatEx) + format->cbSize;
}

WaveFormatPtr wioCopyWaveFormat(const TWaveFormatEx* format)
{
    if (!format)
        return nullptr;
    const std::size_t size = wioSizeOfWaveFormat(format);
    WaveFormatPtr copy = wioAllocWaveFormat(size);
    std::memcpy(copy.get(), format, size);
    if (copy->wFormatTag == WAVE_FORMAT_PCM)
        copy->cbSize = 0;
    return copy;
}

void pcmBuildWaveHeader(TWaveFormatEx* format, int bits, int channels, std::uint32_t rate)
{
    format->wFormatTag = WAVE_FORMAT_PCM;
    format->nChannels = static_cast<std::uint16_t>(channels);
    format->nSamplesPerSec = rate;
    format->wBitsPerSample = static_cast<std::uint16_t>(bits);
    format->nBlockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    format->nAvgBytesPerSec = format->nBlockAlign * rate;
    format->cbSize = 0;
}

TWaveFormatEx pcmWaveFormat(int bits, int channels, std::uint32_t rate)
{
    TWaveFormatEx format{};
    pcmBuildWaveHeader(&format, bits, channels, rate);
    return format;
}

bool pcmIsValidFormat(const TWaveFormatEx* f)
{
    return f && f->wFormatTag == WAVE_FORMAT_PCM && (f->wBitsPerSample == 8 || f->wBitsPerSample == 16) &&
           (f->nChannels == 1 || f->nChannels == 2) && f->nSamplesPerSec >= 4000 &&
           f->nSamplesPerSec <= 100000;
}

bool wioIsUsableFormat(const TWaveFormatEx* f)
{
    return f && f->nSamplesPerSec != 0 && f->nAvgBytesPerSec != 0 && f->nBlockAlign != 0;
}

std::int64_t wioBytesToSamples(const TWaveFormatEx* f, std::int64_t bytes)
{
    return f ? MulDivRound(bytes, f->nSamplesPerSec, f->nAvgBytesPerSec) : 0;
}

std::int64_t wioBytesToTime(const TWaveFormatEx* f, std::int64_t bytes)
{
    return f ? MulDivRound(bytes, 1000, f->nAvgBytesPerSec) : 0;
}

std::int64_t wioSamplesToBytes(const TWaveFormatEx* f, std::int64_t samples)
{
    return f ? roundUpToBlocks(f, MulDivRound(samples, f->nAvgBytesPerSec, f->nSamplesPerSec)) : 0;
}

std::int64_t wioSamplesToTime(const TWaveFormatEx* f, std::int64_t samples)
{
    return f ? MulDivRound(samples, 1000, f->nSamplesPerSec) : 0;
}

std::int64_t wioTimeToSamples(const TWaveFormatEx* f, std::int64_t ms)
{
    return f ? MulDivRound(ms, f->nSamplesPerSec, 1000) : 0;
}

std::int64_t wioTimeToBytes(const TWaveFormatEx* f, std::int64_t ms)
{
    return f ? roundUpToBlocks(f, MulDivRound(ms, f->nAvgBytesPerSec, 1000)) : 0;
}

std::string wioGetFormatTagName(std::uint16_t tag)
{
    for (const TagName& t : kTagNames)
        if (t.tag == tag)
            return t.name;
    return "Unknown";
}

std::string wioGetFormatName(const TWaveFormatEx* format)
{
    return format ? wioGetFormatTagName(format->wFormatTag) : "Unknown";
}

std::string wioGetFormatDescription(const TWaveFormatEx* f)
{
    if (!f)
        return "Unknown";
    // The C library has no list separator; where the decimal separator is a comma the
    // list separator is conventionally a semicolon.
    if (const std::lconv* lc = std::localeconv(); lc && lc->decimal_point && lc->decimal_point[0]) {
        const char decimal = lc->decimal_point[0];
        lastDecimal = decimal;
        lastList = decimal == ',' ? ';' : ',';
    }
    const char dec[2] = {lastDecimal.load(), '\0'};
    const char list[2] = {lastList.load(), '\0'};

    long long bits = f->nSamplesPerSec ? static_cast<long long>(f->nAvgBytesPerSec) * 8 / f->nSamplesPerSec : 0;
    bits = f->nChannels ? bits / f->nChannels : 0;
    const unsigned kHz = f->nSamplesPerSec / 1000;
    const unsigned rest = f->nSamplesPerSec % 1000;
    char text[160];
    if (f->nChannels == 1 || f->nChannels == 2)
        std::snprintf(text, sizeof text, "%u%s%.03u kHz%s %lld Bit%s %s", kHz, dec, rest, list, bits, list,
                      f->nChannels == 2 ? "Stereo" : "Mono");
    else
        std::snprintf(text, sizeof text, "%u%s%.03u kHz%s %lld Bit%s %u Channels", kHz, dec, rest, list, bits,
                      list, static_cast<unsigned>(f->nChannels));
    return text;
}
