#include "support/CoverFixtures.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <random>
#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/wavfile.h>

namespace {
QImage Painted(int w, int h, bool noise)
{
    QImage image(w, h, QImage::Format_RGB32);
    std::mt19937 random(5);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int grain = noise ? int(random() % 256) : ((x / 7 + y / 5) % 2) * 40;
            image.setPixel(x, y, qRgb((x * 255 / w + grain) % 256, (y * 255 / h + grain / 2) % 256, (x + y + grain) % 256));
        }
    return image;
}

Bytes Written(const QImage& image, const char* format, bool progressive, int quality)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        return {};
    return Bytes(data.begin(), data.end());
}

void Collect(TagLib::ID3v2::Tag* tag, std::vector<EmbeddedPicture>& out)
{
    if (!tag)
        return;
    for (TagLib::ID3v2::Frame* frame : tag->frameList("APIC")) {
        auto* apic = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame*>(frame);
        if (!apic)
            continue;
        EmbeddedPicture p;
        p.type = apic->type();
        p.mime = apic->mimeType().to8Bit();
        const TagLib::ByteVector bytes = apic->picture();
        p.data.assign(bytes.begin(), bytes.end());
        const QImage image = QImage::fromData(QByteArray(bytes.data(), bytes.size()));
        p.width = image.width();
        p.height = image.height();
        out.push_back(std::move(p));
    }
}
}  // namespace

Bytes TestJpeg(int w, int h, bool progressive, int quality)
{
    return Written(Painted(w, h, false), "jpeg", progressive, quality);
}

Bytes TestPng(int w, int h, bool noise)
{
    return Written(Painted(w, h, noise), "png", false, -1);
}

bool HasProgressiveFrame(const Bytes& jpeg)
{
    // Entropy-coded data stuffs every 0xFF with 0x00, so FF C2 is only ever a marker.
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC2)
            return true;
    return false;
}

std::vector<EmbeddedPicture> EmbeddedPictures(const std::string& path)
{
    std::vector<EmbeddedPicture> found;
    const Bytes head = ReadBytes(path);
    if (head.size() >= 4 && std::string(head.begin(), head.begin() + 4) == "RIFF") {
        TagLib::RIFF::WAV::File file(path.c_str(), false);
        if (file.isValid() && file.hasID3v2Tag())
            Collect(file.ID3v2Tag(), found);
    } else {
        TagLib::MPEG::File file(path.c_str(), false);
        if (file.isValid() && file.hasID3v2Tag())
            Collect(file.ID3v2Tag(), found);
    }
    return found;
}
