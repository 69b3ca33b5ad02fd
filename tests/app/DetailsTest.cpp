// Track details through the wizard: what is entered on the details pages ends up in the
// ID3 tag of the MP3 file, as TagLib reads it.
#include "app/WizardFixture.h"
#include "mpeg/MPEGNames.h"
#include "support/AudioOracles.h"
#include "support/WaveFixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <filesystem>
#include <sndfile.h>
#include <taglib/id3v1tag.h>
#include <taglib/mpegfile.h>

namespace {
struct ReadTag {
    bool present = false;
    std::string title, artist, album, comment;
    unsigned year = 0, track = 0;
    std::string genre;
};

// Reads the ID3v1 tag the way TagLib does for an MPEG file.
ReadTag ReadId3v1(const std::string& path)
{
    ReadTag r;
    TagLib::MPEG::File file(path.c_str(), false);
    if (!file.isValid() || !file.hasID3v1Tag())
        return r;
    TagLib::ID3v1::Tag* tag = file.ID3v1Tag();
    r.present = true;
    r.title = tag->title().to8Bit(true);
    r.artist = tag->artist().to8Bit(true);
    r.album = tag->album().to8Bit(true);
    r.comment = tag->comment().to8Bit(true);
    r.year = tag->year();
    r.track = tag->track();
    r.genre = tag->genre().to8Bit(true);
    return r;
}

// The genre byte as stored: the 128-byte tag's last byte.
int GenreByte(const std::string& path)
{
    const Bytes file = ReadBytes(path);
    if (file.size() < 128 || std::string(file.end() - 128, file.end() - 125) != "TAG")
        return -1;
    return file.back();
}

class DetailsTest : public WizardTest {
protected:
    void WriteInput(const char* name, int seconds)
    {
        ASSERT_TRUE(SndWriteShorts(Input(name), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100,
                                   Tone(44100, {440, 660}, 44100L * seconds)));
    }

    void Type(const char* name, const QString& text)
    {
        auto* edit = Find<QLineEdit>(name);
        Click(edit);
        edit->setText(text);
    }
};
}  // namespace

TEST_F(DetailsTest, TheWaveRoadWritesTheEnteredDetailsIntoTheTag)
{
    WriteInput("song.wav", 2);
    WalkToDetails(Input("song.wav"));
    Type("SingleTagArtist", QString::fromUtf8("Motörhead"));
    Type("SingleTagTitle", "A title of exactly forty characters long");  // 40
    Type("SingleTagAlbum", "Album");
    Type("SingleTagComment", "Recorded live");
    auto* year = Find<QSpinBox>("SingleTagYear");
    Click(year);
    QTest::keyClick(year, Qt::Key_Up);
    EXPECT_EQ(year->value(), 2000);
    auto* track = Find<QSpinBox>("SingleTagTrack");
    Click(track);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(track, Qt::Key_Up);
    EXPECT_EQ(track->value(), 7);
    auto* style = Find<QComboBox>("SingleTagStyle");
    ASSERT_EQ(style->count(), 82);
    EXPECT_EQ(style->currentText(), "Unknown");
    style->setCurrentIndex(1);  // the first genre
    EXPECT_EQ(style->currentText().toStdString(), GenreName(0));
    Click("SingleTagOriginal");
    Click("SingleTagNext");
    EXPECT_TRUE(state.original);
    EXPECT_FALSE(state.copyright);
    Click("EncodeOptionsNext");
    ASSERT_TRUE(WaitForFinish());
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();

    const ReadTag tag = ReadId3v1(Input("song.mp3"));
    ASSERT_TRUE(tag.present);
    EXPECT_EQ(tag.title, "A title of exactly forty chara");
    EXPECT_EQ(tag.artist, "Motörhead");
    EXPECT_EQ(tag.album, "Album");
    EXPECT_EQ(tag.comment, "Recorded live");
    EXPECT_EQ(tag.year, 2000u);
    EXPECT_EQ(tag.track, 7u);
    EXPECT_EQ(GenreByte(Input("song.mp3")), 0);
    // The frames carry the original bit chosen on the page.
    const DecodedMp3 d = DecodeMp3File(Input("song.mp3"));
    EXPECT_EQ(d.channels, 2);
}

TEST_F(DetailsTest, UnknownStyleGivesGenre255AndACancelledEncodingStillGetsItsTag)
{
    WriteInput("long.wav", 90);
    WalkToDetails(Input("long.wav"));
    Type("SingleTagTitle", "Cut short");
    auto* style = Find<QComboBox>("SingleTagStyle");
    style->setCurrentIndex(81);  // the last "Unknown"
    Click("SingleTagNext");
    Click("EncodeOptionsNext");
    ASSERT_TRUE(state.encodingInProgress);
    // Cancel once a part of the file has been encoded, as a person would.
    ASSERT_TRUE(RunEventsUntil([&] {
        std::error_code ec;
        // The MP3 grows under its temporary name until it is whole.
        return std::filesystem::file_size(form2->MP3Encoder.OutputPath(), ec) > 64 * 1024 && !ec;
    }));
    Click("EncodeWavCancel");
    ASSERT_TRUE(RunEventsUntil([&] { return !state.encodingInProgress; }));
    const ReadTag tag = ReadId3v1(Input("long.mp3"));
    ASSERT_TRUE(tag.present);
    EXPECT_EQ(tag.title, "Cut short");
    EXPECT_EQ(GenreByte(Input("long.mp3")), 255);
    EXPECT_LT(DecodeMp3File(Input("long.mp3")).Frames(), 44100L * 90);
}

TEST_F(DetailsTest, ATagThatCannotBeWrittenIsReportedAndTheWizardGoesOn)
{
    WriteInput("gone.wav", 20);
    WalkToDetails(Input("gone.wav"));
    Click("SingleTagNext");
    Click("EncodeOptionsNext");
    // The output disappears while it is encoded (under its temporary name beside the
    // MP3's): the tag has no file to go to.
    ASSERT_TRUE(std::filesystem::remove(form2->MP3Encoder.OutputPath()));
    ASSERT_TRUE(WaitForFinish());
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0], "unable to write header\n" + Input("gone.mp3") + ": No such file or directory");
    EXPECT_FALSE(Find("EncodeWavCancel")->isEnabled());
}

TEST_F(DetailsTest, MultitagWalksTheCheckedTracksAndStoresEachOne)
{
    state.cdTrackChecked = {false, true, false, false, true, false, false, false, true, false};
    state.selectedTrackCount = 3;
    form1->MoveTo(Find("CDtagsel"));
    Click("CDtagselYes");
    Click("CDtagselNext");
    ASSERT_EQ(CurrentPageName(), "Multitag");
    EXPECT_TRUE(state.cdTrackDetails);
    auto* heading = Find<QLabel>("MultitagHeading");
    auto* track = Find<QSpinBox>("MultitagTrack");
    EXPECT_EQ(heading->text(), "Enter details for track 2");
    EXPECT_EQ(track->value(), 2);
    EXPECT_EQ(Find<QComboBox>("MultitagStyle")->count(), 82);
    Find<QLineEdit>("MultitagArtist")->setText("Band");
    Find<QLineEdit>("MultitagTitle")->setText("Two");
    Find<QLineEdit>("MultitagAlbum")->setText("Record");
    Find<QLineEdit>("MultitagComment")->setText("first");
    Find<QComboBox>("MultitagStyle")->setCurrentIndex(3);
    Click("MultitagCopyright");
    Click("MultitagNext");

    EXPECT_EQ(heading->text(), "Enter details for track 5");
    EXPECT_EQ(track->value(), 5);
    EXPECT_EQ(Find<QLineEdit>("MultitagComment")->text(), "") << "the comment is emptied";
    EXPECT_EQ(Find<QLineEdit>("MultitagArtist")->text(), "Band") << "the artist carries over";
    Find<QLineEdit>("MultitagTitle")->setText("Five");
    Click("MultitagNext");
    EXPECT_EQ(heading->text(), "Enter details for track 9");
    EXPECT_EQ(track->value(), 9);
    Find<QLineEdit>("MultitagTitle")->setText("Nine");
    Find<QComboBox>("MultitagStyle")->setCurrentIndex(0);
    Click("MultitagNext");
    EXPECT_EQ(CurrentPageName(), "RecEncCD");
    EXPECT_EQ(state.currentTrack, 0);

    const TrackDetails& two = state.trackDetails[2];
    EXPECT_EQ(two.artist, "Band");
    EXPECT_EQ(two.title, "Two");
    EXPECT_EQ(two.album, "Record");
    EXPECT_EQ(two.comment, "first");
    EXPECT_EQ(two.track, 2);
    EXPECT_EQ(two.genre, 2);
    EXPECT_TRUE(two.copyright);
    EXPECT_EQ(state.trackDetails[5].title, "Five");
    EXPECT_EQ(state.trackDetails[5].comment, "");
    EXPECT_EQ(state.trackDetails[5].track, 5);
    EXPECT_EQ(state.trackDetails[5].genre, 2) << "the style carries over";
    EXPECT_EQ(state.trackDetails[9].title, "Nine");
    EXPECT_EQ(state.trackDetails[9].genre, 255);
    EXPECT_EQ(state.trackDetails[3].title, "") << "unchecked tracks are not touched";
}

TEST_F(DetailsTest, BackFromALaterTrackGoesToTheChoicePageAndANewVisitStartsAgain)
{
    state.cdTrackChecked = {true, false, true};
    state.selectedTrackCount = 2;
    form1->MoveTo(Find("CDtagsel"));
    Click("CDtagselYes");
    Click("CDtagselNext");
    Click("MultitagNext");
    EXPECT_EQ(Find<QLabel>("MultitagHeading")->text(), "Enter details for track 3");
    Click("BtnBack");
    EXPECT_EQ(CurrentPageName(), "CDtagsel");
    Click("CDtagselNext");
    EXPECT_EQ(Find<QLabel>("MultitagHeading")->text(), "Enter details for track 1");
}

TEST_F(DetailsTest, TypedStylesAndTheLastGenre)
{
    WriteInput("any.wav", 1);
    WalkToDetails(Input("any.wav"));
    auto* style = Find<QComboBox>("SingleTagStyle");
    style->setCurrentIndex(80);
    EXPECT_EQ(style->currentText().toStdString(), GenreName(79));
    // A style typed by hand that is not in the list has no position: byte 254.
    style->setEditText("Polka Fusion");
    Click("SingleTagNext");
    Click("EncodeOptionsNext");
    ASSERT_TRUE(WaitForFinish());
    EXPECT_EQ(GenreByte(Input("any.mp3")), 254);
}
