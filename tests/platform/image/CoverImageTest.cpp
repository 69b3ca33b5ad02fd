// Cover pictures made fit for a tag, checked by decoding the result with Qt's reader and
// looking at the JPEG's frame markers.
#include "platform/image/CoverImage.h"
#include "support/CoverFixtures.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QImage>
#include <random>
#include <zlib.h>

namespace {
QImage Decoded(const Picture& p)
{
    return QImage::fromData(QByteArray(reinterpret_cast<const char*>(p.bytes.data()), qsizetype(p.bytes.size())));
}

CoverResult Normalised(const Bytes& bytes)
{
    return NormaliseCover(bytes);
}
}  // namespace

TEST(CoverImage, AProgressiveOrLargePictureBecomesABaselineJpegOfAtMost1200Pixels)
{
    const Bytes progressive = TestJpeg(1400, 1050, true, 97);
    ASSERT_TRUE(HasProgressiveFrame(progressive));
    const CoverResult made = Normalised(progressive);
    ASSERT_TRUE(made.picture) << made.problem;
    EXPECT_EQ(made.picture->mime, "image/jpeg");
    EXPECT_FALSE(HasProgressiveFrame(made.picture->bytes));
    EXPECT_TRUE(IsSequentialJpeg(made.picture->bytes));
    EXPECT_LT(made.picture->bytes.size(), progressive.size());
    const QImage back = Decoded(*made.picture);
    EXPECT_EQ(back.width(), 1200);
    EXPECT_EQ(back.height(), 900);
    EXPECT_EQ(made.picture->width, 1200);

    // A small progressive one keeps its size but not its kind.
    const CoverResult small = Normalised(TestJpeg(300, 300, true));
    ASSERT_TRUE(small.picture);
    EXPECT_FALSE(HasProgressiveFrame(small.picture->bytes));
    EXPECT_EQ(Decoded(*small.picture).size(), QSize(300, 300));

    // A PNG of a megabyte or more, though small in pixels, becomes a JPEG.
    const Bytes heavy = TestPng(1000, 700, true);
    ASSERT_GE(heavy.size(), kCoverMaxPngBytes);
    const CoverResult fromPng = Normalised(heavy);
    ASSERT_TRUE(fromPng.picture);
    EXPECT_EQ(fromPng.picture->mime, "image/jpeg");
    EXPECT_EQ(Decoded(*fromPng.picture).size(), QSize(1000, 700));
}

TEST(CoverImage, ASmallBaselineJpegOrPngIsKeptByteForByte)
{
    const Bytes jpeg = TestJpeg(500, 500, false);
    ASSERT_TRUE(IsSequentialJpeg(jpeg));
    const CoverResult keptJpeg = Normalised(jpeg);
    ASSERT_TRUE(keptJpeg.picture);
    EXPECT_EQ(keptJpeg.picture->bytes, jpeg);
    EXPECT_EQ(keptJpeg.picture->mime, "image/jpeg");
    const Bytes png = TestPng(400, 300);
    const CoverResult keptPng = Normalised(png);
    ASSERT_TRUE(keptPng.picture);
    EXPECT_EQ(keptPng.picture->bytes, png);
    EXPECT_EQ(keptPng.picture->mime, "image/png");
    EXPECT_EQ(keptPng.picture->Suffix(), "png");
}

// Broken and hostile files give a reason, never a picture and never a crash (the same
// inputs run under valgrind and the fuzz target).
TEST(CoverImage, BrokenOrHostileFilesGiveAReasonAndNoPicture)
{
    const std::string html = "<html><body>Not Found</body></html>";
    EXPECT_EQ(Normalised(Bytes(html.begin(), html.end())).problem, "not a picture");
    EXPECT_EQ(Normalised({}).problem, "the picture is empty");
    // A BMP cut short reads as a picture with undefined pixels: other formats are refused.
    QByteArray bmp;
    QBuffer out(&bmp);
    out.open(QIODevice::WriteOnly);
    QImage picture(200, 150, QImage::Format_RGB888);
    picture.fill(Qt::darkCyan);
    picture.save(&out, "BMP");
    EXPECT_EQ(Normalised(Bytes(bmp.begin(), bmp.begin() + 300)).problem, "not a JPEG or PNG picture (BMP)");
    // A PNG header asking for 60000 x 60000 pixels is refused before decoding.
    Bytes huge = TestPng(16, 16);
    const std::uint8_t side[4] = {0, 0, 0xEA, 0x60};
    std::copy(side, side + 4, huge.begin() + 16);
    std::copy(side, side + 4, huge.begin() + 20);
    const std::uint32_t crc = std::uint32_t(crc32(0, huge.data() + 12, 17));
    for (int i = 0; i < 4; ++i)
        huge[29 + std::size_t(i)] = std::uint8_t(crc >> (24 - 8 * i));
    EXPECT_EQ(Normalised(huge).problem.rfind("the picture is too large", 0), 0u) << Normalised(huge).problem;
    EXPECT_FALSE(Normalised(Bytes(kCoverMaxInputBytes + 1, 0xFF)).picture);
    // Cut short or with bytes changed anywhere, a file gives a picture or a reason.
    const Bytes jpeg = TestJpeg(120, 90, true);
    const Bytes png = TestPng(120, 90);
    std::mt19937 random(11);
    for (const Bytes* source : {&jpeg, &png}) {
        EXPECT_FALSE(Normalised(Bytes(source->begin(), source->begin() + 30)).picture);
        const CoverResult half = Normalised(Bytes(source->begin(), source->begin() + long(source->size() / 2)));
        EXPECT_NE(bool(half.picture), !half.problem.empty());
        for (int round = 0; round < 150; ++round) {
            Bytes broken = *source;
            for (int n = 0; n < 4; ++n)
                broken[random() % broken.size()] = std::uint8_t(random());
            const CoverResult r = Normalised(broken);
            EXPECT_NE(bool(r.picture), !r.problem.empty());
        }
    }
    EXPECT_FALSE(IsSequentialJpeg(png));
}
