// Album images as Windows rippers leave them: one FLAC (or wave) file for the disc and a
// CRLF cue sheet with REM GENRE / DATE, the disc's and the tracks' text, INDEX 00 gaps and
// audio before track 1. The wave image, read by our own RIFF code, is the FLAC's oracle.
#include "disc/CdImageSheet.h"
#include "platform/cd/CDDA.h"
#include "platform/cd/CdDisc.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sndfile.h>

namespace {
constexpr int kRate = 44100;

// The sheet of a 75 s album: three seconds before track 1, then tracks at 3 s, 22 s and
// 47 s, each after an INDEX 00 gap.
std::string AlbumSheet(const std::string& file)
{
    const std::string lines[] = {
        "REM GENRE Rock", "REM DATE 1999", "PERFORMER \"The Band\"", "TITLE \"First Album\"",
        "FILE \"" + file + "\" WAVE", "  TRACK 01 AUDIO", "    TITLE \"Intro\"", "    PERFORMER \"The Band\"",
        "    SONGWRITER \"A. Writer\"", "    ISRC GBAAA9900001", "    INDEX 00 00:00:00", "    INDEX 01 00:03:00",
        "  TRACK 02 AUDIO", "    TITLE \"Song\"", "    PERFORMER \"Guest\"", "    INDEX 00 00:20:00",
        "    INDEX 01 00:22:00", "  TRACK 03 AUDIO", "    TITLE \"Outro\"", "    PERFORMER \"The Band\"",
        "    INDEX 00 00:45:00", "    INDEX 01 00:47:00"};
    std::string sheet;
    for (const std::string& line : lines)
        sheet += line + "\r\n";
    return sheet;
}

void WriteText(const std::string& path, const std::string& text)
{
    WriteBytes(path, Bytes(text.begin(), text.end()));
}

// The album's audio (75 s of a pattern no two sectors share) as album.wav and album.flac,
// each beside its own sheet, written once for the suite.
class AlbumImage : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = std::make_unique<TempDir>();
        samples_ = PatternShorts(std::size_t(75) * kRate * 2, 7);
        for (const char* kind : {"wav", "flac"}) {
            const std::string dir = folder_->Path() + "/" + kind;
            std::filesystem::create_directory(dir);
            const int format = std::string(kind) == "wav" ? SF_FORMAT_WAV | SF_FORMAT_PCM_16 : SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
            ASSERT_TRUE(SndWriteShorts(dir + "/album." + kind, format, 2, kRate, samples_));
            WriteText(dir + "/album.cue", AlbumSheet(std::string("album.") + kind));
        }
    }
    static void TearDownTestSuite() { folder_.reset(); }

    static std::string Cue(const std::string& kind) { return folder_->Path() + "/" + kind + "/album.cue"; }

    // The source's samples of the disc's sectors [first, first + count), first counted from
    // the file's start.
    static std::vector<std::int16_t> Source(std::int64_t first, std::int64_t count)
    {
        const auto from = samples_.begin() + std::ptrdiff_t(first * kCdSamplesPerSector * 2);
        return {from, from + std::ptrdiff_t(count * kCdSamplesPerSector * 2)};
    }

    inline static std::unique_ptr<TempDir> folder_;
    inline static std::vector<std::int16_t> samples_;
    TempDir scratch_;
};

std::vector<std::int16_t> ReadSectors(CdDisc& disc, std::int32_t first, std::int32_t count)
{
    std::vector<std::int16_t> pcm(std::size_t(count) * kCdSamplesPerSector * 2);
    disc.ReadAudio(first, count, pcm.data());
    return pcm;
}
}  // namespace

TEST_F(AlbumImage, FlacReadsAsItsWaveDoesWithTheSameTableChecksumsAndText)
{
    const std::unique_ptr<CdDisc> flac = CdDisc::Open(Cue("flac"));
    const std::unique_ptr<CdDisc> wave = CdDisc::Open(Cue("wav"));
    ASSERT_EQ(flac->TrackCount(), 3);
    EXPECT_EQ(flac->HiddenSectors(), 3 * 75) << "the audio before track 1";
    EXPECT_EQ(flac->LeadOutSector(), wave->LeadOutSector());
    EXPECT_EQ(flac->LeadOutSector(), (75 - 3) * 75);
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(flac->Track(n).firstSector, wave->Track(n).firstSector) << n;
        EXPECT_EQ(flac->Track(n).sectorCount, wave->Track(n).sectorCount) << n;
        EXPECT_EQ(flac->Track(n).pregapSectors, wave->Track(n).pregapSectors) << n;
    }
    EXPECT_EQ(flac->Track(2).firstSector, (22 - 3) * 75);
    EXPECT_EQ(flac->Track(2).pregapSectors, 2 * 75);
    // The hidden audio, a track across an INDEX 00 gap and the disc's last sector.
    EXPECT_EQ(ReadSectors(*flac, -3 * 75, 3 * 75), Source(0, 3 * 75));
    EXPECT_EQ(ReadSectors(*flac, flac->Track(2).firstSector, flac->Track(2).sectorCount),
              Source(22 * 75, flac->Track(2).sectorCount));
    EXPECT_EQ(ReadSectors(*flac, flac->LeadOutSector() - 1, 1), ReadSectors(*wave, wave->LeadOutSector() - 1, 1));

    // The extraction's checksums: a FLAC image's CRCs are the wave's.
    for (int track : {0, 3}) {
        CdRipper flacRip, waveRip;
        flacRip.SetOutputDir(scratch_.Path());
        waveRip.SetOutputDir(scratch_.Path());
        flacRip.SetDevice(Cue("flac"));
        waveRip.SetDevice(Cue("wav"));
        ASSERT_EQ(flacRip.RipTrack(track), kRipOk) << flacRip.LastError();
        ASSERT_EQ(waveRip.RipTrack(track), kRipOk) << waveRip.LastError();
        EXPECT_EQ(flacRip.LastReport().copy.crc32, waveRip.LastReport().copy.crc32) << track;
        EXPECT_EQ(flacRip.LastReport().copy.arV2, waveRip.LastReport().copy.arV2) << track;
        EXPECT_NE(flacRip.LastReport().copy.crc32, 0u);
    }

    const CdText text = flac->ReadCdText();
    EXPECT_EQ(text.disc.title, "First Album");
    EXPECT_EQ(text.disc.performer, "The Band");
    EXPECT_EQ(text.genre, "Rock");
    EXPECT_EQ(text.date, "1999");
    EXPECT_EQ(text.tracks.at(1).songwriter, "A. Writer");
    EXPECT_EQ(text.tracks.at(1).isrc, "GBAAA9900001");
    EXPECT_EQ(text.tracks.at(2).performer, "Guest");
    EXPECT_EQ(text.tracks.at(3).title, "Outro");
    EXPECT_TRUE(CdImageNotes(Cue("flac")).empty()) << "the exact name needs no note";
}

TEST_F(AlbumImage, TheFileIsFoundAsWindowsSheetsNameItAndTheNotesSaySo)
{
    const std::string dir = scratch_.Path();
    std::filesystem::copy_file(folder_->Path() + "/flac/album.flac", dir + "/Artist - Album.flac");
    std::filesystem::copy_file(folder_->Path() + "/wav/album.wav", dir + "/x.wav");
    WriteText(dir + "/windows.cue", AlbumSheet("C:\\Music\\Rips\\ARTIST - ALBUM.FLAC"));
    WriteText(dir + "/converted.cue", AlbumSheet("x.flac"));
    for (const char* sheet : {"/windows.cue", "/converted.cue"}) {
        const std::unique_ptr<CdDisc> disc = CdDisc::Open(dir + sheet);
        ASSERT_EQ(disc->TrackCount(), 3) << sheet;
        EXPECT_EQ(ReadSectors(*disc, disc->Track(3).firstSector, 1), Source(47 * 75, 1)) << sheet;
    }
    EXPECT_EQ(CdImageNotes(dir + "/windows.cue"),
              std::vector<std::string>{"The sheet names \"C:\\Music\\Rips\\ARTIST - ALBUM.FLAC\"; \"Artist - Album.flac\" was read"});
    EXPECT_EQ(CdImageNotes(dir + "/converted.cue"),
              std::vector<std::string>{"The sheet names \"x.flac\"; \"x.wav\" was read"});

    // What a FILE names is said as it is: a device, a folder, nothing.
    std::filesystem::create_directory(dir + "/folder.wav");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/dev/zero", "is a device, not a file"}, {"folder.wav", "is a folder"}, {"gone.wav", "does not exist"}};
    for (const auto& [file, reason] : cases) {
        WriteText(dir + "/odd.cue", AlbumSheet(file));
        try {
            CdDisc::Open(dir + "/odd.cue");
            ADD_FAILURE() << file << " opened";
        } catch (const ECdError& e) {
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
        }
    }
}

TEST_F(AlbumImage, SheetTextIsUtf8WithOrWithoutAByteOrderMarkElseWindows1252)
{
    const std::string dir = scratch_.Path();
    std::filesystem::copy_file(folder_->Path() + "/wav/album.wav", dir + "/album.wav");
    const std::string sheet = AlbumSheet("album.wav");
    // Windows-1252: "Café" and "Motörhead" as one byte each for é and ö.
    WriteText(dir + "/ansi.cue", "TITLE \"Caf\xE9\"\r\nPERFORMER \"Mot\xF6rhead\"\r\n" + sheet.substr(sheet.find("FILE")));
    WriteText(dir + "/bom.cue", "\xEF\xBB\xBFTITLE \"Caf\xC3\xA9\"\r\n" + sheet.substr(sheet.find("FILE")));
    const CdText ansi = CdDisc::Open(dir + "/ansi.cue")->ReadCdText();
    EXPECT_EQ(ansi.disc.title, "Caf\xC3\xA9");
    EXPECT_EQ(ansi.disc.performer, "Mot\xC3\xB6rhead");
    const std::unique_ptr<CdDisc> bom = CdDisc::Open(dir + "/bom.cue");
    EXPECT_EQ(bom->TrackCount(), 3) << "a sheet starting with a byte-order mark is read";
    EXPECT_EQ(bom->ReadCdText().disc.title, "Caf\xC3\xA9");
}

TEST_F(AlbumImage, AFlacCutShortFailsTheTrackItCannotGiveWithTheReason)
{
    const std::string dir = scratch_.Path();
    Bytes flac = ReadBytes(folder_->Path() + "/flac/album.flac");
    flac.resize(flac.size() / 2);
    WriteBytes(dir + "/cut.flac", flac);
    WriteText(dir + "/cut.cue", AlbumSheet("cut.flac"));
    CdRipper ripper;
    ripper.SetOutputDir(dir);
    ripper.SetDevice(dir + "/cut.cue");
    EXPECT_EQ(ripper.RipTrack(1), kRipOk) << "the first half is whole: " << ripper.LastError();
    EXPECT_EQ(ripper.RipTrack(3), kRipFailed);
    EXPECT_NE(ripper.LastError().find("cut.flac"), std::string::npos) << ripper.LastError();
}
