#include "platform/image/CoverImage.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>

namespace {
// A picture with more pixels than this is refused before it is decoded (a few bytes of
// header can ask for gigabytes).
constexpr qint64 kMaxDecodedPixels = 40'000'000;
constexpr int kJpegQuality = 90;

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> head)
{
    return bytes.size() >= head.size() && std::equal(head.begin(), head.end(), bytes.begin());
}

bool IsPng(std::span<const std::uint8_t> bytes)
{
    return StartsWith(bytes, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
}

Picture Kept(std::span<const std::uint8_t> bytes, const char* mime, QSize size)
{
    return Picture{mime, {bytes.begin(), bytes.end()}, size.width(), size.height()};
}

// The image, scaled to fit kCoverMaxSide and flattened onto white, as a baseline JPEG.
std::optional<Picture> AsBaselineJpeg(QImage image)
{
    if (std::max(image.width(), image.height()) > kCoverMaxSide)
        image = image.scaled(kCoverMaxSide, kCoverMaxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage flat(image.size(), QImage::Format_RGB888);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
    }
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kJpegQuality);
    writer.setProgressiveScanWrite(false);
    if (!writer.write(flat))
        return std::nullopt;
    return Picture{"image/jpeg", {encoded.begin(), encoded.end()}, flat.width(), flat.height()};
}
}  // namespace

bool IsSequentialJpeg(std::span<const std::uint8_t> bytes)
{
    if (!StartsWith(bytes, {0xFF, 0xD8}))
        return false;
    std::size_t at = 2;
    while (at + 4 <= bytes.size()) {
        if (bytes[at] != 0xFF)
            return false;
        const std::uint8_t marker = bytes[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        // The first frame header tells the kind; a scan before any frame header is broken.
        if (marker == 0xC0 || marker == 0xC1)
            return true;
        if (marker >= 0xC2 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return false;
        if (marker == 0xDA || marker == 0xD9)
            return false;
        const std::size_t length = (std::size_t{bytes[at + 2]} << 8) | bytes[at + 3];
        if (length < 2)
            return false;
        at += 2 + length;
    }
    return false;
}

CoverResult NormaliseCover(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return {std::nullopt, "the picture is empty"};
    if (bytes.size() > kCoverMaxInputBytes)
        return {std::nullopt, "the picture is too large (" + std::to_string(bytes.size() >> 20) + " MB)"};
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    const QSize size = reader.size();
    if (format.isEmpty() || !reader.canRead())
        return {std::nullopt, "not a picture"};
    // Only JPEG and PNG: players show nothing else, and Qt's readers of other formats hand
    // back a picture with undefined pixels when the file is cut short.
    if (format != "jpeg" && format != "png")
        return {std::nullopt, "not a JPEG or PNG picture (" + format.toUpper().toStdString() + ")"};
    if (!size.isValid() || size.isEmpty())
        return {std::nullopt, "not a picture (no size)"};
    if (qint64(size.width()) * size.height() > kMaxDecodedPixels)
        return {std::nullopt, "the picture is too large (" + std::to_string(size.width()) + "x" +
                                  std::to_string(size.height()) + ")"};
    // Every picture is decoded, also one kept as it is: a file broken after its header
    // never reaches a player.
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {std::nullopt, "the picture cannot be read: " + reader.errorString().toStdString()};
    const bool fits = std::max(size.width(), size.height()) <= kCoverMaxSide;
    if (fits && format == "jpeg" && IsSequentialJpeg(bytes))
        return {Kept(bytes, "image/jpeg", size), {}};
    if (fits && format == "png" && IsPng(bytes) && bytes.size() < kCoverMaxPngBytes)
        return {Kept(bytes, "image/png", size), {}};
    if (std::optional<Picture> jpeg = AsBaselineJpeg(std::move(image)))
        return {std::move(jpeg), {}};
    return {std::nullopt, "the picture cannot be written as JPEG"};
}

CoverResult LoadCoverFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, path + ": " + file.errorString().toStdString()};
    if (std::size_t(file.size()) > kCoverMaxInputBytes)
        return {std::nullopt, path + ": the picture is too large"};
    const QByteArray bytes = file.read(qint64(kCoverMaxInputBytes) + 1);
    CoverResult result =
        NormaliseCover({reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
    if (!result.picture)
        result.problem = path + ": " + result.problem;
    return result;
}
