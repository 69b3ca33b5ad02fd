// The disc image readers (cue sheets, cdrdao tables of contents, Nero images) as the CD
// services open them: hostile images are refused with the reason before libcdio sees
// them, and the layouts people have list and read their own tracks.
#include "platform/cd/CDDA.h"
#include "platform/cd/CdDisc.h"
#include "platform/os/ProfileFile.h"
#include "support/CdImageSuite.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sndfile.h>

namespace {
class ImageReadersTest : public CdImageSuite<ImageReadersTest> {
public:
    // Twenty seconds: the sheets below point into it and past it.
    static std::vector<CdImageTrack> Tracks() { return {{true, 1500, 441}}; }

protected:
    void SetUp() override
    {
        CdImageSuite::SetUp();
        const std::string out = settings_.Folder().File("rip") + "/";
        std::filesystem::create_directories(out);
        ripper_.SetOutputDir(out);
    }

    CdRipper ripper_;
};

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path) << text;
}

// The reason an image is refused for: the second line of "Unable to read the CD image ...".
std::string refusal(const std::string& image)
{
    try {
        CdDisc::Open(image);
    } catch (const ECdError& e) {
        const std::string text = e.what();
        const std::size_t line = text.find('\n');
        if (text.rfind("Unable to read the CD image \"" + image + "\"", 0) != 0 || line == std::string::npos)
            return "<not the image sentence> " + text;
        return text.substr(line + 1);
    }
    return "<opened>";
}
}  // namespace

// Each of these crashed libcdio's readers (the NRGs in CdDisc::Open, the toc in
// cdio_destroy) or listed "0 tracks" without a word.
TEST_F(ImageReadersTest, HostileImagesAreRefusedWithTheReasonBeforeLibcdioSeesThem)
{
    const std::string dir = folder_->Path() + "/";
    const std::vector<std::uint8_t> audio = WriteCdImage(dir, "tone", {{true, 150, 441}}).TrackBytes(1);
    std::vector<NrgTrackEntry> many;
    for (std::uint64_t i = 0; i < 150; ++i)
        many.push_back({i * 2352, i * 2352, (i + 1) * 2352});
    WriteNrg(dir + "many.nrg", audio, many);
    WriteNrg(dir + "zero.nrg", {audio.begin(), audio.begin() + 75 * 2352}, {{0, 0, 75 * 2352}}, 0);
    std::string toc = "CD_DA\n";
    for (int i = 0; i < 120; ++i)
        toc += "TRACK AUDIO\nFILE \"disc.bin\" 0 00:00:10\n";
    writeText(dir + "many.toc", toc);
    std::string cue = "FILE \"disc.bin\" BINARY\n";
    for (int i = 1; i <= 120; ++i)
        cue += " TRACK " + std::to_string(i) + " AUDIO\n  INDEX 01 00:0" + std::to_string(i / 75) + ":" + std::to_string(i % 75) + "\n";
    writeText(dir + "many.cue", cue);
    // A chunk whose id is no text claims more bytes than the list holds.
    std::string odd(4 * 2352, '\0');
    odd += std::string("\x01\x02\x03\x04\x00\x00\xFF\xFF", 8) + "NER5" + std::string(6, '\0') + "\x24\xC0";
    writeText(dir + "odd.nrg", odd);
    writeText(dir + "past.cue", "FILE \"disc.bin\" BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n TRACK 02 AUDIO\n  INDEX 01 90:00:00\n");
    writeText(dir + "back.cue", "FILE \"disc.bin\" BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:10:00\n TRACK 02 AUDIO\n  INDEX 01 00:05:00\n");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"many.nrg", "(chunk CUEX) lists 150 tracks; a CD holds 1 to 99"},
        {"odd.nrg", "chunk of unreadable id (bytes 01 02 03 04) claims 65535 bytes"},
        {"many.cue", "120 tracks; a CD holds 1 to 99"},
        {"zero.nrg", "chunk list's place as 0"},
        {"many.toc", "120 tracks; a CD holds 1 to 99"},
        {"past.cue", "Track 2 starts at 90:00:00, past the end of \"disc.bin\""},
        {"back.cue", "Track 2 starts at 00:05:00, not after track 1"},
    };
    for (const auto& [name, reason] : cases) {
        const std::string why = refusal(dir + name);
        EXPECT_NE(why.find(reason), std::string::npos) << name << ": " << why;
        // The extraction and libcdio's own open refuse it the same way.
        ripper_.SetDevice(dir + name);
        EXPECT_EQ(ripper_.RipTrack(1), kRipFailed) << name;
        EXPECT_NE(ripper_.LastError().find(reason), std::string::npos) << ripper_.LastError();
    }
}

TEST_F(ImageReadersTest, ImagesPeopleHaveListAndReadTheirOwnTracks)
{
    const std::string dir = folder_->Path() + "/sheets";
    std::filesystem::create_directory(dir);
    // A BIN with another base name and spaces, numbered from track 2.
    const CdImage spaced = WriteCdImage(dir, "sheet", {{true, 80, 441}, {true, 90, 630}, {true, 70, 882}},
                                        {"my disc.bin", 2});
    auto disc = CdDisc::Open(spaced.cue);
    ASSERT_EQ(disc->TrackCount(), 3);
    EXPECT_EQ(disc->Tracks().front().number, 2) << "no phantom track 1";
    EXPECT_EQ(ReadDiscTrack(*disc, 4), spaced.TrackSamples(4));

    // A toc over big-endian raw audio named relative to the toc, opened from elsewhere.
    const std::string toc = WriteTocImage(spaced, dir, "relative");
    const std::filesystem::path was = std::filesystem::current_path();
    std::filesystem::current_path("/");
    disc = CdDisc::Open(toc);
    std::filesystem::current_path(was);
    ASSERT_EQ(disc->TrackCount(), 3);
    EXPECT_EQ(disc->Track(2).sectorCount, 90);
    EXPECT_EQ(ReadDiscTrack(*disc, 2), spaced.TrackSamples(3)) << "big-endian samples turned into the disc's";
    // SWAP says the raw audio is little-endian already; a .wav is read as a wave file.
    ASSERT_TRUE(SndWriteShorts(dir + "/track.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, spaced.TrackSamples(2)));
    writeText(dir + "/mixed.toc", "CD_DA\nTRACK AUDIO\nFILE \"my disc.bin\" SWAP 0 00:01:05\n"
                                  "TRACK AUDIO\nFILE \"track.wav\" 0\n");
    disc = CdDisc::Open(dir + "/mixed.toc");
    ASSERT_EQ(disc->TrackCount(), 2);
    EXPECT_EQ(ReadDiscTrack(*disc, 1), spaced.TrackSamples(2));
    EXPECT_EQ(ReadDiscTrack(*disc, 2), spaced.TrackSamples(2));
    writeText(dir + "/pregap.toc", "CD_DA\nTRACK AUDIO\nFILE \"track.wav\" 0\nTRACK AUDIO\nPREGAP 00:00:05\nFILE \"track.wav\" 0\n"
                                   "TRACK AUDIO\nFILE \"track.wav\" 0\nSTART 00:00:07\n");
    disc = CdDisc::Open(dir + "/pregap.toc");
    ASSERT_EQ(disc->TrackCount(), 3);
    EXPECT_EQ(disc->Track(2).pregapSectors, 5) << "PREGAP";
    EXPECT_EQ(disc->Track(3).pregapSectors, 7) << "START";

    // One FILE per track, a data track between.
    const std::vector<std::uint8_t> one = spaced.TrackBytes(2), three = spaced.TrackBytes(4);
    std::ofstream(dir + "/a.bin", std::ios::binary).write(reinterpret_cast<const char*>(one.data()), std::streamsize(one.size()));
    std::ofstream(dir + "/c.bin", std::ios::binary).write(reinterpret_cast<const char*>(three.data()), std::streamsize(three.size()));
    std::ofstream(dir + "/b.iso", std::ios::binary) << std::string(2048 * 30, 'd');
    writeText(dir + "/split.cue", "FILE a.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
                                  "FILE \"b.iso\" BINARY\nTRACK 02 MODE1/2048\nINDEX 01 00:00:00\n"
                                  "FILE \"c.bin\" BINARY\nTRACK 03 AUDIO\nINDEX 00 00:00:00\nINDEX 01 00:00:20\n"
                                  "TRACK 04 AUDIO\nINDEX 00 00:00:60\nFILE \"a.bin\" BINARY\nINDEX 01 00:00:00\n");
    disc = CdDisc::Open(dir + "/split.cue");
    ASSERT_EQ(disc->TrackCount(), 4);
    EXPECT_FALSE(disc->Track(2).audio);
    EXPECT_EQ(ReadDiscTrack(*disc, 4), spaced.TrackSamples(2)) << "INDEX 01 in the file after its INDEX 00";
    EXPECT_EQ(disc->Track(2).sectorCount, 30 + 20) << "the pregap of track 3 counts into track 2";
    EXPECT_EQ(disc->Track(3).pregapSectors, 20);
    EXPECT_EQ(disc->Track(4).pregapSectors, 70 - 60) << "from INDEX 00 to the end of c.bin";
    EXPECT_EQ(ReadDiscTrack(*disc, 1), spaced.TrackSamples(2));
    std::vector<std::int16_t> tail = spaced.TrackSamples(4);
    tail.erase(tail.begin(), tail.begin() + 20 * kCdSamplesPerSector * 2);
    EXPECT_EQ(ReadDiscTrack(*disc, 3), tail) << "up to the end of c.bin: track 4's pregap included";

    // A Nero image of the same audio.
    const std::vector<std::uint8_t> bytes = ReadBytes(spaced.bin);
    WriteNrg(dir + "/disc.nrg", bytes, {{0, 0, 70 * 2352}, {70 * 2352, 80 * 2352, 170 * 2352}, {170 * 2352, 170 * 2352, 240 * 2352}});
    disc = CdDisc::Open(dir + "/disc.nrg");
    ASSERT_EQ(disc->TrackCount(), 3);
    EXPECT_EQ(disc->Track(2).pregapSectors, 10);
    EXPECT_EQ(ReadDiscTrack(*disc, 3), spaced.TrackSamples(4));
}
