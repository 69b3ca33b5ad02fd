// The description text: items, alignment, width, fill and the keyword values.
#include "MPEGFixtures.h"
#include "mpeg/FormattedText.h"
#include "mpeg/MPEGAudio.h"
#include "support/TempDir.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {
std::string Expand(const TMPEGAudio& audio, const std::string& templ)
{
    return ExpandTemplate(templ, audio);
}

// Sets a default locale for the lifetime of the object.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(previous_); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale previous_;
};
}  // namespace

TEST(FormattedText, AlignmentWidthAndFill)
{
    TMPEGAudio a;
    a.SetTitle("Abc");
    EXPECT_EQ(Expand(a, "%TITLE,R,10,.%"), ".......Abc");
    EXPECT_EQ(Expand(a, "%TITLE,L,2%"), "Ab");
    EXPECT_EQ(Expand(a, "%T,L,5,-%|"), "Abc--|");
    EXPECT_EQ(Expand(a, "%T,C,8,*%"), "**Abc***") << "the left side gets the smaller half";
    EXPECT_EQ(Expand(a, "%T,C,2%"), "Ab");
    EXPECT_EQ(Expand(a, "%T,R,2%"), "Ab") << "a longer value keeps its first characters";
    EXPECT_EQ(Expand(a, "%T,T,2%"), "Abc");
    EXPECT_EQ(Expand(a, "%T,R%"), "Abc") << "no width: the value as it is";
    EXPECT_EQ(Expand(a, "%T,R,0%"), std::string(27, ' ') + "Abc") << "width 0: the keyword's own";
    EXPECT_EQ(Expand(a, "%title%"), "Abc" + std::string(27, ' ')) << "keywords in any case, left by default";
    EXPECT_EQ(Expand(a, "%T,X,5,.%"), "Abc" + std::string(27, '.')) << "a bad alignment takes the defaults";
    EXPECT_EQ(Expand(a, "% t , r : 6 , _ %"), "___Abc") << "fields are trimmed; ':' separates too";
    EXPECT_EQ(Expand(a, "%T,L,100000%").size(), std::size_t(kMaxItemWidth));
}

TEST(FormattedText, ItemsThatAreNotKeywords)
{
    TMPEGAudio a;
    EXPECT_EQ(Expand(a, "100%% sure"), "100% sure");
    EXPECT_EQ(Expand(a, "a %FOO,R,3% b"), "a %FOO,R,3% b");
    EXPECT_EQ(Expand(a, "x%65%%66,R,3,0%"), "xA00B");
    EXPECT_EQ(Expand(a, "%0%%1.5%"), "\x01\x01") << "code 0 and non-numbers give code 1";
    EXPECT_EQ(Expand(a, "%233%"), "é") << "character codes are Latin-1, the text UTF-8";
    EXPECT_EQ(Expand(a, "a%NL%b%TB%c%#%d"), "a\r\nb\tcd");
    EXPECT_EQ(Expand(a, "start %TITLE"), "start <<<ERROR!!! No end of item definition!>>>");
    EXPECT_EQ(Expand(a, "no items"), "no items");
    EXPECT_EQ(Expand(a, ""), "");
}

TEST(FormattedText, KeywordValuesOfAFile)
{
    TempDir dir;
    const std::string path = dir.File("song.mp3");
    FrameFormat format;
    format.mode = 3;
    format.copyright = 1;
    format.original = 0;
    format.protection = 0;
    WriteBytes(path, SilentFrames(format, 128, 44100, 1500));  // 625500 bytes, 39 s
    TMPEGAudio a;
    a.SetFileName(path);
    ASSERT_TRUE(a.Valid());
    a.SetTrack(7);
    a.SetGenre(13);
    a.SetYear(" 98 ");

    EXPECT_EQ(Expand(a, "%FN%"), "song.mp3" + std::string(32, ' '));
    EXPECT_EQ(Expand(a, "%FP,T%"), dir.Path() + "/");
    EXPECT_EQ(Expand(a, "%TR%|%GNR%|%G,T%|%Y,T%"), "  7| 13|Pop|98");
    EXPECT_EQ(Expand(a, "%BR%|%SR%|%SRK%|%FL%"), "128|44100|44.1| 417");
    EXPECT_EQ(Expand(a, "%V%|%LY%|%LYN%|%M%|%S%"), "1.0|III|3|Single-Chann|Mono  ");
    EXPECT_EQ(Expand(a, "%EP%|%EP*%|%C%|%C*%|%O%|%O*%"), "Yes|*|Yes|*|No | ");
    EXPECT_EQ(Expand(a, "%D%|%DF%|%L%|%LK%"), "  39|00:39|   625500|   610");
    EXPECT_EQ(Expand(a, "%VD%|%VD*%|%SL%|%SLN%"), "Yes|*  |No |  0");
    EXPECT_EQ(Expand(a, "%FD%|%FT%"), a.FileDateTime().toString("dd.MM.yyyy").toStdString() + "|" +
                                          a.FileDateTime().toString("HH:mm:ss").toStdString());
}

TEST(FormattedText, NumbersUseTheLocaleSeparatorsAndAreNotCutByTheirOwnPadding)
{
    TempDir dir;
    const std::string path = dir.File("big.mp3");
    // 2.3 MB of frames: 5600 frames of 417 bytes, 146 s.
    WriteBytes(path, Mp3Stream(5600));
    TMPEGAudio a;
    a.SetFileName(path);
    ASSERT_TRUE(a.Valid());
    {
        LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
        EXPECT_EQ(Expand(a, "%LC%"), "   2.335.200");
        EXPECT_EQ(Expand(a, "%LKC%"), "   2.280");
        EXPECT_EQ(Expand(a, "%LM%"), "  2,2");
        EXPECT_EQ(Expand(a, "%SRK%"), "44,1");
        EXPECT_EQ(Expand(a, "%DC%|%DF%"), "  145|02:25");
    }
    LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(Expand(a, "%LC,T%"), "2,335,200");
}
