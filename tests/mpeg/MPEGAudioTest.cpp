// TMPEGAudio on real files: finding the stream (plain and RIFF-wrapped), reading,
// writing and removing the tag, with TagLib reading what was written.
#include "MPEGFixtures.h"
#include "mpeg/MPEGAudio.h"
#include "platform/os/MessageTarget.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <taglib/id3v1tag.h>
#include <taglib/mpegfile.h>

namespace {
// What TagLib reads from the file's ID3 version 1 tag, its texts as UTF-8.
struct TagLibView {
    bool hasTag = false;
    std::string title, artist, album, comment;
    unsigned year = 0, track = 0, genre = 0;
};

TagLibView ReadWithTagLib(const std::string& path)
{
    TagLibView v;
    TagLib::MPEG::File file(path.c_str(), false);
    if (!file.isValid() || !file.hasID3v1Tag())
        return v;
    TagLib::ID3v1::Tag* tag = file.ID3v1Tag(false);
    v.hasTag = tag != nullptr;
    if (!tag)
        return v;
    v.title = tag->title().to8Bit(true);
    v.artist = tag->artist().to8Bit(true);
    v.album = tag->album().to8Bit(true);
    v.comment = tag->comment().to8Bit(true);
    v.year = tag->year();
    v.track = tag->track();
    v.genre = tag->genreNumber();
    return v;
}

void EnterDetails(TMPEGAudio& tag)
{
    tag.SetArtist("Die Ärzte");
    tag.SetTitle(QStringLiteral("Schrei nach Liebe"));
    tag.SetAlbum(std::string("Die Bestie in Menschengestalt"));
    tag.SetYear("1993");
    tag.SetGenre(17);
    tag.SetComment("Café ♪ live");  // the note has no Latin-1 look-alike
    tag.SetTrack(5);
}

void ExpectDetailsInTagLib(const std::string& path)
{
    const TagLibView v = ReadWithTagLib(path);
    ASSERT_TRUE(v.hasTag);
    EXPECT_EQ(v.artist, "Die Ärzte");
    EXPECT_EQ(v.title, "Schrei nach Liebe");
    EXPECT_EQ(v.album, "Die Bestie in Menschengestalt");
    EXPECT_EQ(v.year, 1993u);
    EXPECT_EQ(v.genre, 17u);
    EXPECT_EQ(v.comment, "Café ? live");
    EXPECT_EQ(v.track, 5u);
}

std::uint64_t SizeOf(const std::string& path)
{
    return std::filesystem::file_size(path);
}
}  // namespace

TEST(MPEGAudio, PlainStreamIsFoundAndItsTagReadsBackInTagLib)
{
    TempDir dir;
    const std::string path = dir.File("plain.mp3");
    const Bytes frames = Mp3Stream(40);
    WriteBytes(path, frames);

    TMPEGAudio tag;
    tag.SetFileName(path);
    EXPECT_EQ(tag.ReadResult(), 0);
    EXPECT_TRUE(tag.Valid());
    EXPECT_EQ(tag.HeaderOffset(), 0u);
    EXPECT_EQ(tag.Version(), 1);
    EXPECT_EQ(tag.Layer(), 3);
    EXPECT_EQ(tag.BitRate(), 128);
    EXPECT_EQ(tag.SampleRate(), 44100);
    EXPECT_EQ(tag.FrameLength(), 417);
    EXPECT_EQ(tag.FileSize(), frames.size());
    EXPECT_EQ(tag.Duration(), frames.size() * 8 / 128000);
    EXPECT_EQ(tag.TagHeader(), "BAD");
    EXPECT_EQ(tag.Title(), "plain.mp3") << "a stream without a tag is titled by its file name";
    EXPECT_EQ(tag.Artist(), "[notag]");

    EnterDetails(tag);
    EXPECT_EQ(tag.SaveTag(), 0);
    EXPECT_EQ(SizeOf(path), frames.size() + 128);
    EXPECT_EQ(tag.TagHeader(), "TAG") << "SaveTag reads the file again";
    EXPECT_EQ(tag.Artist(), "Die Ärzte");
    EXPECT_EQ(tag.Comment(), "Café ? live");
    EXPECT_EQ(tag.Track(), 5);
    ExpectDetailsInTagLib(path);
    const Bytes after = ReadBytes(path);
    EXPECT_TRUE(std::equal(frames.begin(), frames.end(), after.begin())) << "the frames stay untouched";
}

TEST(MPEGAudio, RiffWrappedStreamIsFoundBehindTheHeaderAndTaggedForTagLib)
{
    TempDir dir;
    const std::string path = dir.File("wrapped.mp3");
    std::size_t dataOffset = 0;
    const Bytes file = RiffWrap(Mp3Stream(30), &dataOffset);
    WriteBytes(path, file);

    TMPEGAudio tag;
    tag.SetFileName(path);
    EXPECT_TRUE(tag.Valid());
    EXPECT_EQ(tag.HeaderOffset(), dataOffset) << "the lone header inside the LIST chunk is not confirmed";
    EXPECT_EQ(tag.BitRate(), 128);

    EnterDetails(tag);
    ASSERT_EQ(tag.SaveTag(), 0);
    EXPECT_EQ(SizeOf(path), file.size() + 128);
    EXPECT_EQ(tag.HeaderOffset(), dataOffset);
    ExpectDetailsInTagLib(path);
}

TEST(MPEGAudio, SavingAgainReplacesTheTagAndRemoveTagRestoresTheStream)
{
    TempDir dir;
    const std::string path = dir.File("again.mp3");
    const Bytes frames = Mp3Stream(12, 1);
    WriteBytes(path, frames);

    TMPEGAudio tag;
    tag.SetFileName(path);
    tag.SetTitle("First");
    ASSERT_EQ(tag.SaveTag(), 0);
    tag.SetTitle("Second");
    ASSERT_EQ(tag.SaveTag(), 0);
    EXPECT_EQ(SizeOf(path), frames.size() + 128) << "never a second tag";
    EXPECT_EQ(ReadWithTagLib(path).title, "Second");

    // A tag some other program wrote is replaced as well.
    TMPEGAudio other;
    other.SetFileName(path);
    EXPECT_EQ(other.Title(), "Second");
    other.SetArtist("Other");
    ASSERT_EQ(other.SaveTag(), 0);
    EXPECT_EQ(SizeOf(path), frames.size() + 128);

    EXPECT_EQ(tag.RemoveTag(), 0);
    EXPECT_EQ(ReadBytes(path), frames);
    EXPECT_EQ(tag.TagHeader(), "BAD");
    EXPECT_FALSE(ReadWithTagLib(path).hasTag);
    EXPECT_EQ(tag.RemoveTag(), 0);
    EXPECT_EQ(ReadBytes(path), frames) << "without a tag nothing is cut";
}

TEST(MPEGAudio, LongTextsAreCutAndATrackKeepsTwentyEightCommentBytes)
{
    TempDir dir;
    const std::string path = dir.File("long.mp3");
    const Bytes frames = Mp3Stream(8);
    WriteBytes(path, frames);

    TMPEGAudio tag;
    tag.SetFileName(path);
    tag.SetTitle(std::string(40, 'T'));
    tag.SetArtist(QString(40, QChar(0x00E9)));  // é, two UTF-8 bytes, one tag byte
    tag.SetYear("19999");
    tag.SetComment(std::string(30, 'c'));
    tag.SetTrack(7);
    tag.SetGenre(0);
    ASSERT_EQ(tag.SaveTag(), 0);

    const Bytes b = ReadBytes(path);
    const std::size_t t = frames.size();
    EXPECT_EQ(std::string(b.begin() + long(t) + 97, b.begin() + long(t) + 125), std::string(28, 'c'));
    EXPECT_EQ(b[t + 125], 0);
    EXPECT_EQ(b[t + 126], 7);

    const TagLibView v = ReadWithTagLib(path);
    EXPECT_EQ(v.title, std::string(30, 'T'));
    std::string artist;
    for (int i = 0; i < 30; ++i)
        artist += "é";
    EXPECT_EQ(v.artist, artist);
    EXPECT_EQ(v.year, 1999u);
    EXPECT_EQ(v.comment, std::string(28, 'c'));
    EXPECT_EQ(v.track, 7u);
    EXPECT_EQ(v.genre, 0u);
    EXPECT_EQ(tag.GenreName(), "Blues");
}

TEST(MPEGAudio, NoGenreStays255)
{
    TempDir dir;
    const std::string path = dir.File("nogenre.mp3");
    WriteBytes(path, Mp3Stream(8));
    TMPEGAudio tag;
    tag.SetFileName(path);
    tag.SetTitle("x");
    tag.SetGenre(255);
    ASSERT_EQ(tag.SaveTag(), 0);
    EXPECT_EQ(tag.Genre(), 255);
    EXPECT_EQ(tag.GenreName(), "Unknown");
    EXPECT_EQ(ReadWithTagLib(path).genre, 255u);
    tag.SetGenre(80);
    EXPECT_EQ(tag.GenreName(), "Unknown");
}

TEST(MPEGAudio, MissingAndUnwritableFiles)
{
    TempDir dir;
    TMPEGAudio tag;
    tag.SetFileName(dir.File("a-rather-long-name-of-a-missing-file.mp3"));
    EXPECT_EQ(tag.ReadResult(), -1);
    EXPECT_EQ(tag.Title(), "[not found: a-rather-long-name");
    EXPECT_FALSE(tag.Valid());
    EXPECT_EQ(tag.SaveTag(), -1);
    EXPECT_EQ(tag.RemoveTag(), -1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("a-rather-long-name-of-a-missing-file.mp3")));

    // A folder exists but cannot be written as a file.
    std::filesystem::create_directory(dir.File("folder.mp3"));
    tag.SetFileName(dir.File("folder.mp3"));
    EXPECT_NE(tag.SaveTag(), 0);
    EXPECT_NE(tag.RemoveTag(), 0);
}

TEST(MPEGAudio, FilesWithoutAConfirmedStream)
{
    TempDir dir;
    const std::string path = dir.File("odd.mp3");
    const Bytes one = Mp3Stream(1);
    TMPEGAudio tag;

    WriteBytes(path, one);
    tag.SetFileName(path);
    EXPECT_FALSE(tag.Valid()) << "a single frame has nothing to confirm it";
    EXPECT_EQ(tag.BitRate(), 0);
    EXPECT_EQ(tag.Title(), "[notag]");
    EXPECT_EQ(tag.Year(), "    ");
    EXPECT_EQ(tag.Genre(), 255);

    // A rejected header followed by 1 to 3 bytes, or a frame followed by a partial
    // header: the search ends at the end of the file.
    for (std::size_t extra = 1; extra <= 3; ++extra) {
        Bytes shortFile = {'x', 0xFF, 0xFB, 0x90, 0x64};
        shortFile.insert(shortFile.end(), extra, 0xFF);
        WriteBytes(path, shortFile);
        tag.SetFileName(path);
        EXPECT_EQ(tag.ReadResult(), 0);
        EXPECT_FALSE(tag.Valid());

        Bytes partial = one;
        partial.insert(partial.end(), {0xFF, 0xFB, 0x90, 0x64});
        partial.resize(one.size() + extra);
        WriteBytes(path, partial);
        tag.SetFileName(path);
        EXPECT_EQ(tag.ReadResult(), 0);
        EXPECT_FALSE(tag.Valid());
    }

    // A tag on a file without frames is not read, but writing one still works.
    Bytes junk(500, 'j');
    WriteBytes(path, junk);
    tag.SetFileName(path);
    tag.SetTitle("On junk");
    tag.SetTrack(1);
    ASSERT_EQ(tag.SaveTag(), 0);
    EXPECT_EQ(SizeOf(path), 628u);
    EXPECT_EQ(tag.Title(), "[notag]");
    const Bytes b = ReadBytes(path);
    EXPECT_EQ(std::string(b.begin() + 500, b.begin() + 510), std::string("TAGOn junk"));
    ASSERT_EQ(tag.SaveTag(), 0);
    EXPECT_EQ(SizeOf(path), 628u);
}

TEST(MPEGAudio, ReadsAnExistingTagAsUnicode)
{
    TempDir dir;
    const std::string path = dir.File("tagged.mp3");
    Bytes file = Mp3Stream(10);
    Bytes tag(128, 0);
    const std::string text = std::string("TAG") + "Sch\xF6n  ";
    std::copy(text.begin(), text.end(), tag.begin());
    std::copy_n("2001", 4, tag.begin() + 93);
    std::copy_n("Kommentar", 9, tag.begin() + 97);
    tag[126] = 12;
    tag[127] = 79;
    Append(file, tag);
    WriteBytes(path, file);

    TMPEGAudio audio;
    audio.SetFileName(path);
    EXPECT_EQ(audio.TagHeader(), "TAG");
    EXPECT_EQ(audio.Title(), "Schön");
    EXPECT_EQ(audio.Artist(), "");
    EXPECT_EQ(audio.Year(), "2001");
    EXPECT_EQ(audio.Comment(), "Kommentar");
    EXPECT_EQ(audio.Track(), 12);
    EXPECT_EQ(audio.GenreName(), "Hard Rock");
    EXPECT_TRUE(audio.Valid());
}

TEST(MPEGAudio, SearchCrossesReadWindowsAndOtherVersions)
{
    TempDir dir;
    const std::string path = dir.File("far.mp3");
    // 100000 bytes in front, full of lone headers that one frame later find no header.
    Bytes file;
    for (int i = 0; i < 100000 / 8; ++i)
        Append(file, Bytes{0xFF, 0xFB, 0x90, 0x64, 'q', 'q', 'q', 'q'});
    const std::size_t start = file.size();
    Append(file, Mp3Stream(3));
    WriteBytes(path, file);
    TMPEGAudio tag;
    tag.SetFileName(path);
    EXPECT_TRUE(tag.Valid());
    EXPECT_EQ(tag.HeaderOffset(), start);

    tag.SetScanLimit(50000);
    tag.SetFileName(path);
    EXPECT_FALSE(tag.Valid()) << "the search gives up past the scan limit";

    // MPEG 2 layer III frames hold half the samples: two of them and junk.
    FrameFormat mpeg2;
    mpeg2.version = 2;
    mpeg2.bitRateIndex = 8;  // 64 kbit/s
    Bytes two = SilentFrames(mpeg2, 64, 22050, 2);
    Append(two, Bytes(300, 'z'));
    WriteBytes(path, two);
    TMPEGAudio m2;
    m2.SetFileName(path);
    EXPECT_TRUE(m2.Valid());
    EXPECT_EQ(m2.Version(), 2);
    EXPECT_EQ(m2.FrameLength(), 208);

    FrameFormat layer1;
    layer1.layer = 1;
    layer1.bitRateIndex = 12;  // 384 kbit/s
    Bytes l1 = SilentFrames(layer1, 384, 44100, 2);
    Append(l1, Bytes(300, 'z'));
    WriteBytes(path, l1);
    m2.SetFileName(path);
    EXPECT_TRUE(m2.Valid());
    EXPECT_EQ(m2.Layer(), 1);
    EXPECT_EQ(m2.FrameLength(), 416);
}

TEST(MPEGAudio, InputHandledDuringTheSearchCannotStartASecondRead)
{
    TempDir dir;
    const std::string path = dir.File("slow.mp3");
    Bytes file(2000, 'j');
    Append(file, Mp3Stream(3));
    WriteBytes(path, file);

    TMPEGAudio tag;
    int saveResult = 0;
    bool refused = false;
    bool ran = false;
    MessageTarget target([&](unsigned, std::intptr_t, std::intptr_t) {
        ran = true;
        EXPECT_TRUE(tag.IsReading());
        saveResult = tag.SaveTag();
        try {
            tag.SetFileName(path);
        } catch (const EMPEGAudioError&) {
            refused = true;
        }
    });
    target.Post(1);
    tag.SetFileName(path);
    EXPECT_TRUE(ran) << "window messages run during the search";
    EXPECT_EQ(saveResult, EBUSY);
    EXPECT_TRUE(refused);
    EXPECT_TRUE(tag.Valid());
    EXPECT_EQ(tag.HeaderOffset(), 2000u);
    EXPECT_EQ(SizeOf(path), file.size());
}
