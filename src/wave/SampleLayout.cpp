#include "wave/SampleLayout.h"

#include <QCoreApplication>
#include <bit>
#include <cstring>

namespace {
// The extensible record after the 18-byte head: valid bits, channel mask, sub-format GUID
// whose first four bytes are the sub-format's tag and whose other twelve are fixed.
constexpr std::size_t kExtensibleExtra = 22;
constexpr std::uint8_t kSubFormatTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

struct Extensible {
    std::uint32_t channelMask;
    std::uint32_t subFormat;  // the tag the GUID carries; 0 for a GUID of another family
};

std::uint32_t le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::optional<Extensible> readExtensible(const TWaveFormatEx* f)
{
    if (f->cbSize < kExtensibleExtra)
        return std::nullopt;
    const auto* extra = reinterpret_cast<const std::uint8_t*>(f) + sizeof(TWaveFormatEx);
    const std::uint8_t* guid = extra + 6;
    const bool family = std::memcmp(guid + 4, kSubFormatTail, sizeof kSubFormatTail) == 0;
    return Extensible{le32(extra + 2), family ? le32(guid) : 0};
}

// "CCITT A-Law, 8 bits, 1 channel, 8000 Hz"
std::string holds(const std::string& name, const TWaveFormatEx* f)
{
    const int bits = f->wBitsPerSample, channels = f->nChannels;
    // One multi-argument arg(): a name is never read for placeholders of its own.
    return QCoreApplication::translate("SampleLayout", "%1, %2, %3, %4 Hz")
        .arg(QString::fromStdString(name),
             (bits == 1 ? QCoreApplication::translate("SampleLayout", "%1 bit")
                        : QCoreApplication::translate("SampleLayout", "%1 bits"))
                 .arg(bits),
             (channels == 1 ? QCoreApplication::translate("SampleLayout", "%1 channel")
                            : QCoreApplication::translate("SampleLayout", "%1 channels"))
                 .arg(channels),
             QString::number(f->nSamplesPerSec))
        .toStdString();
}

std::string tagName(std::uint32_t tag)
{
    if (tag > 0xFFFF)
        return QCoreApplication::translate("SampleLayout", "format %1").arg(tag).toStdString();
    const std::string name = wioGetFormatTagName(static_cast<std::uint16_t>(tag));
    if (name != "Unknown" || tag == 0)
        return name;
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(tag));
    return QCoreApplication::translate("SampleLayout", "format tag %1").arg(QString::fromLatin1(hex)).toStdString();
}

std::optional<TSampleLayout> refuse(std::string* why, const std::string& what)
{
    if (why)
        *why = QCoreApplication::translate("SampleLayout",
                                           "Unsupported wave format: the file holds %1. Wave files with PCM samples "
                                           "of 8, 16, 24 or 32 bits or IEEE float samples of 32 or 64 bits, "
                                           "and 1 to 8 channels, can be encoded.")
                   .arg(QString::fromStdString(what))
                   .toStdString();
    return std::nullopt;
}
}  // namespace

int TSampleLayout::BitsPerSample() const
{
    switch (encoding) {
    case TSampleEncoding::Unsigned8: return 8;
    case TSampleEncoding::Signed16: return 16;
    case TSampleEncoding::Signed24: return 24;
    case TSampleEncoding::Signed32:
    case TSampleEncoding::Float32: return 32;
    case TSampleEncoding::Float64: return 64;
    }
    return 0;
}

std::uint32_t DefaultChannelMask(int channels)
{
    constexpr std::uint32_t front = SPEAKER_FRONT_LEFT | SPEAKER_FRONT_RIGHT;
    constexpr std::uint32_t back = SPEAKER_BACK_LEFT | SPEAKER_BACK_RIGHT;
    constexpr std::uint32_t side = SPEAKER_SIDE_LEFT | SPEAKER_SIDE_RIGHT;
    switch (channels) {
    case 1: return SPEAKER_FRONT_CENTER;
    case 2: return front;
    case 3: return front | SPEAKER_FRONT_CENTER;
    case 4: return front | back;                                                              // quad
    case 5: return front | SPEAKER_FRONT_CENTER | back;                                       // 5.0
    case 6: return front | SPEAKER_FRONT_CENTER | SPEAKER_LOW_FREQUENCY | back;               // 5.1
    case 7: return front | SPEAKER_FRONT_CENTER | SPEAKER_LOW_FREQUENCY | SPEAKER_BACK_CENTER | side;  // 6.1
    case 8: return front | SPEAKER_FRONT_CENTER | SPEAKER_LOW_FREQUENCY | back | side;       // 7.1
    default: return 0;
    }
}

std::optional<TSampleLayout> ReadSampleLayout(const TWaveFormatEx* f, std::string* why)
{
    if (!f)
        return refuse(why, QCoreApplication::translate("SampleLayout", "no format").toStdString());
    std::uint32_t sampleKind = f->wFormatTag;  // PCM or float after the extensible record is read
    std::uint32_t mask = 0;
    std::string name = tagName(f->wFormatTag);
    if (f->wFormatTag == WAVE_FORMAT_EXTENSIBLE) {
        const auto ext = readExtensible(f);
        if (!ext)
            return refuse(why, QCoreApplication::translate("SampleLayout", "an extensible format without its sub-format")
                                   .toStdString());
        sampleKind = ext->subFormat;
        mask = ext->channelMask;
        name = QCoreApplication::translate("SampleLayout", "extensible %1")
                   .arg(ext->subFormat ? QString::fromStdString(tagName(ext->subFormat))
                                       : QCoreApplication::translate("SampleLayout", "format of unknown kind"))
                   .toStdString();
    } else if (f->wFormatTag == WAVE_FORMAT_IEEE_FLOAT) {
        name = QCoreApplication::translate("SampleLayout", "IEEE float").toStdString();
    }

    TSampleLayout layout;
    const int bits = f->wBitsPerSample;
    if (sampleKind == WAVE_FORMAT_PCM && bits == 8)
        layout.encoding = TSampleEncoding::Unsigned8;
    else if (sampleKind == WAVE_FORMAT_PCM && bits == 16)
        layout.encoding = TSampleEncoding::Signed16;
    else if (sampleKind == WAVE_FORMAT_PCM && bits == 24)
        layout.encoding = TSampleEncoding::Signed24;
    else if (sampleKind == WAVE_FORMAT_PCM && bits == 32)
        layout.encoding = TSampleEncoding::Signed32;
    else if (sampleKind == WAVE_FORMAT_IEEE_FLOAT && bits == 32)
        layout.encoding = TSampleEncoding::Float32;
    else if (sampleKind == WAVE_FORMAT_IEEE_FLOAT && bits == 64)
        layout.encoding = TSampleEncoding::Float64;
    else
        return refuse(why, holds(name, f));

    if (f->nChannels < 1 || f->nChannels > kMaxSourceChannels)
        return refuse(why, holds(name, f));
    if (f->nSamplesPerSec == 0)
        return refuse(why, holds(name, f));
    layout.channels = f->nChannels;
    layout.rate = f->nSamplesPerSec;
    layout.frameBytes = layout.channels * bits / 8;
    if (f->nBlockAlign != layout.frameBytes)
        return refuse(why, (f->nBlockAlign == 1 ? QCoreApplication::translate("SampleLayout", "%1 in blocks of %2 byte")
                                                : QCoreApplication::translate("SampleLayout", "%1 in blocks of %2 bytes"))
                               .arg(QString::fromStdString(holds(name, f)), QString::number(f->nBlockAlign))
                               .toStdString());

    // A mask names at most as many speakers as there are channels; channels beyond the
    // speakers it names have no position.
    if (layout.channels > 2) {
        while (std::popcount(mask) > layout.channels)
            mask &= ~(std::uint32_t{1} << (31 - std::countl_zero(mask)));
        layout.channelMask = mask ? mask : DefaultChannelMask(layout.channels);
    } else {
        layout.channelMask = DefaultChannelMask(layout.channels);
    }
    return layout;
}
