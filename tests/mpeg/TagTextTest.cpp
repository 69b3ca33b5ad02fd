// The 128-byte tag layout and the Unicode to Latin-1 conversion of its texts.
#include "mpeg/ID3v1.h"
#include "mpeg/Latin1.h"

#include <QString>
#include <gtest/gtest.h>

namespace {
std::string At(const ID3v1Block& b, std::size_t from, std::size_t size)
{
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(from),
                       b.begin() + static_cast<std::ptrdiff_t>(from + size));
}
}  // namespace

TEST(ID3v1, LayoutOfAWrittenTag)
{
    ID3v1Fields f;
    f.title = "Title";
    f.artist = std::string(30, 'a');
    f.album = "Album";
    f.year = "1999";
    f.comment = "Note";
    f.track = 9;
    f.genre = 17;
    const ID3v1Block b = BuildID3v1(f);
    EXPECT_EQ(At(b, 0, 3), "TAG");
    EXPECT_EQ(At(b, 3, 30), std::string("Title") + std::string(25, '\0'));
    EXPECT_EQ(At(b, 33, 30), std::string(30, 'a'));
    EXPECT_EQ(At(b, 63, 30), std::string("Album") + std::string(25, '\0'));
    EXPECT_EQ(At(b, 93, 4), "1999");
    EXPECT_EQ(At(b, 97, 28), std::string("Note") + std::string(24, '\0'));
    EXPECT_EQ(b[125], 0);
    EXPECT_EQ(b[126], 9);
    EXPECT_EQ(b[127], 17);
}

TEST(ID3v1, ATrackNumberLeavesTheCommentTwentyEightBytesAndAZeroBeforeIt)
{
    ID3v1Fields f;
    f.comment = std::string(30, 'c');
    f.track = 7;
    const ID3v1Block b = BuildID3v1(f);
    EXPECT_EQ(At(b, 97, 28), std::string(28, 'c'));
    EXPECT_EQ(b[125], 0) << "ID3 1.1 readers look for a zero here before taking the track";
    EXPECT_EQ(b[126], 7);
    const auto back = ParseID3v1(b);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->comment, std::string(28, 'c'));
    EXPECT_EQ(back->track, 7);

    // Without a track the comment keeps all 30 bytes, and reads back as ID3 1.0.
    f.track = 0;
    const ID3v1Block plain = BuildID3v1(f);
    EXPECT_EQ(At(plain, 97, 30), std::string(30, 'c'));
    const auto v10 = ParseID3v1(plain);
    ASSERT_TRUE(v10);
    EXPECT_EQ(v10->comment, std::string(30, 'c'));
    EXPECT_EQ(v10->track, 0);
}

TEST(ID3v1, ReadingCutsAtZeroAndStripsTrailingSpaces)
{
    ID3v1Block b{};
    std::copy_n("TAG", 3, b.begin());
    const std::string title = "Song  \0rest";
    std::copy(title.begin(), title.end(), b.begin() + 3);
    std::fill(b.begin() + 33, b.begin() + 63, ' ');  // artist all spaces
    std::copy_n("Al bum    ", 10, b.begin() + 63);
    std::copy_n("19\0" "9", 4, b.begin() + 93);
    b[127] = 255;
    const auto f = ParseID3v1(b);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->title, "Song");
    EXPECT_EQ(f->artist, "");
    EXPECT_EQ(f->album, "Al bum");
    EXPECT_EQ(f->year, "19");
    EXPECT_EQ(f->comment, "");
    EXPECT_EQ(f->track, 0);
    EXPECT_EQ(f->genre, 255);

    b[0] = 't';
    EXPECT_FALSE(ParseID3v1(b));
}

TEST(Latin1, UnicodeBecomesTagBytes)
{
    EXPECT_EQ(ToLatin1("Grüße"), "Gr\xFC\xDF" "e");
    EXPECT_EQ(ToLatin1(QStringLiteral("Café")), "Caf\xE9");
    // Decomposed: e + combining acute accent.
    EXPECT_EQ(ToLatin1("Cafe\xCC\x81"), "Caf\xE9");
    EXPECT_EQ(ToLatin1("日本 €"), "?? ?");
    EXPECT_EQ(ToLatin1("𝄞x"), "?x") << "a character outside the BMP is one character";
    EXPECT_EQ(ToLatin1(std::string("a\xFF" "b")), "a?b") << "invalid UTF-8";
    EXPECT_EQ(ToLatin1(std::string("a\0b", 3)), "a?b");
    EXPECT_EQ(Latin1ToUtf8("Gr\xFC\xDF" "e"), "Grüße");
}

TEST(Latin1, LettersOutsideLatin1BecomeTheirClosestLatin1Letter)
{
    EXPECT_EQ(ToLatin1("Łódź"), "L\xF3" "dz") << "ó stays, Ł has a look-alike, ź loses its accent";
    EXPECT_EQ(ToLatin1("Dvořák — Ｆｕｇｕｅ"), "Dvor\xE1k - Fugue") << "full-width letters are their compatibility form";
    EXPECT_EQ(ToLatin1("“ő”"), "\"o\"");
    EXPECT_EQ(ToLatin1("Ωμέγα"), "?????") << "no close Latin-1 letter";
}

TEST(Latin1, LimitsCountTagBytes)
{
    // 30 two-byte UTF-8 characters and more: 30 tag bytes.
    std::string umlauts;
    for (int i = 0; i < 40; ++i)
        umlauts += "ä";
    EXPECT_EQ(ToLatin1(umlauts, 30), std::string(30, '\xE4'));
    EXPECT_EQ(ToLatin1("日本語のタイトル", 4), "????");
    EXPECT_EQ(ToLatin1(std::string(40, 'x'), 30).size(), 30u);
    EXPECT_EQ(ToLatin1("ab", 30), "ab");
}
