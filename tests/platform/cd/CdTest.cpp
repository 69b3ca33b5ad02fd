// The CD readers against BIN/CUE images written here: the table of contents, the digital
// read, and the extraction library's wave file, progress, cancel and refusals. libsndfile
// reads the extracted wave files.
#include "platform/cd/CDDA.h"
#include "platform/cd/CdDisc.h"
#include "platform/cd/HiddenTrackJob.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/ProfileFile.h"
#include "support/CdImageSuite.h"
#include "support/RunEvents.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace {
// Track 1 data; track 2 a short tone behind a two-second pregap; track 3 a tone of 13913
// sectors (185 507 ms: 185.5 s itself is no whole number of sectors); track 4 short.
class CdImageTest : public CdImageSuite<CdImageTest> {
public:
    static std::vector<CdImageTrack> Tracks()
    {
        return {{false, 450, 0, 0}, {true, 300, 441, 150}, {true, 13913, 630, 0}, {true, 120, 882, 0}};
    }

protected:
    void SetUp() override
    {
        CdImageSuite::SetUp();
        out_ = settings_.Folder().File("rip") + "/";
        std::filesystem::create_directories(out_);
        ripper_.SetOutputDir(out_);
        ripper_.SetDevice(image_->cue);
    }

    std::string out_;
    CdRipper ripper_;
};

bool exists(const std::string& path)
{
    return std::filesystem::exists(path);
}
}  // namespace

TEST_F(CdImageTest, TableOfContentsGivesEveryTrackItsStartLengthAndKind)
{
    const auto disc = CdDisc::OpenConfigured(CdDeviceSetting(ProfileFile::Settings()));
    ASSERT_TRUE(disc->DiscPresent());
    ASSERT_EQ(disc->TrackCount(), 4);
    const std::vector<bool> audio{false, true, true, true};
    for (int n = 1; n <= 4; ++n) {
        const CdTrack& t = disc->Track(n);
        EXPECT_EQ(t.number, n);
        EXPECT_EQ(t.audio, audio[std::size_t(n - 1)]) << n;
        EXPECT_EQ(t.firstSector, image_->firstSector[std::size_t(n - 1)]) << "index 01, not the pregap, starts track " << n;
        EXPECT_EQ(t.sectorCount, image_->tracks[std::size_t(n - 1)].sectors) << n;
        EXPECT_EQ(t.pregapSectors, image_->tracks[std::size_t(n - 1)].pregapSectors) << "INDEX 00 of track " << n;
        EXPECT_EQ(t.startTmsf, MakeTmsf(n, 0, 0, 0));
    }
    const CdTrack& long3 = disc->Track(3);
    EXPECT_EQ(long3.lengthMs, 185507) << "13913 sectors = 185506.67 ms, rounded";
    EXPECT_EQ(long3.lengthMs / 60000, 3);
    EXPECT_EQ(long3.lengthMs % 60000 / 1000, 5);
    EXPECT_EQ(long3.lengthMsf, MakeMsf(3, 5, 38));
    EXPECT_EQ(disc->Track(1).startMs, 2000) << "positions count the lead-in";
    EXPECT_EQ(disc->Track(2).startMs, (450 + 150) * 40 / 3);
    EXPECT_EQ(disc->Track(4).lengthMs, 1600);
    EXPECT_EQ(disc->LeadOutSector(), 450 + 300 + 13913 + 120);
    EXPECT_EQ(disc->MsToTmsf(disc->Track(3).startMs + 61000), MakeTmsf(3, 1, 1, 0));
    EXPECT_THROW(disc->Track(5), ECdError);
}

TEST_F(CdImageTest, MillisecondsAndSectorsRoundTrip)
{
    for (std::int64_t sectors : {0, 1, 2, 3, 74, 75, 13912, 13913, 333000})
        EXPECT_EQ(CdMsToSectors(CdSectorsToMs(sectors)), sectors);
    EXPECT_EQ(CdSectorsToMs(13911), 185480);
    EXPECT_EQ(CdSectorsToMs(1), 13);
    EXPECT_EQ(CdSectorsToMs(2), 27);
}

TEST_F(CdImageTest, DigitalReadGivesTheImageSamplesAndRefusesDataSectors)
{
    const auto disc = CdDisc::Open(image_->cue);
    const CdTrack& t = disc->Track(4);
    std::vector<std::int16_t> pcm(std::size_t(t.sectorCount) * kCdSamplesPerSector * 2);
    disc->ReadAudio(t.firstSector, t.sectorCount, pcm.data());
    EXPECT_EQ(pcm, image_->TrackSamples(4));
    EXPECT_THROW(disc->ReadAudio(disc->Track(1).firstSector, 2, pcm.data()), ECdError);
    EXPECT_THROW(disc->ReadAudio(disc->Track(2).firstSector - 1, 2, pcm.data()), ECdError) << "the range crosses into data";
    EXPECT_TRUE(disc->Reload());
    EXPECT_EQ(disc->TrackCount(), 4);
}

TEST_F(CdImageTest, AMissingImageFailsWithItsName)
{
    const std::string missing = folder_->File("gone.cue");
    try {
        CdDisc::Open(missing);
        ADD_FAILURE() << "opened a missing image";
    } catch (const ECdError& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
    ripper_.SetDevice(missing);
    EXPECT_EQ(ripper_.RipTrack(2), kRipFailed);
    EXPECT_NE(ripper_.LastError().find(missing), std::string::npos) << ripper_.LastError();
    EXPECT_FALSE(exists(out_ + "mp3tmp.wav"));
}

TEST_F(CdImageTest, RiptrackWritesTheTrackSampleForSampleWithRisingProgress)
{
    std::vector<int> seen;
    ripper_.OnSector = [&](int, int) { seen.push_back(ripper_.Progress()); };
    std::atomic<bool> done{false};
    std::vector<int> polled;
    std::thread poller([&] {  // getprogress from another thread while the extraction runs
        while (!done.load())
            polled.push_back(ripper_.Progress());
    });
    const std::uint8_t result = ripper_.RipTrack(2);
    done = true;
    poller.join();
    ASSERT_EQ(result, kRipOk) << ripper_.LastError();
    EXPECT_EQ(ripper_.Progress(), 100);
    ASSERT_EQ(seen.size(), 300u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GE(seen.front(), 0);
    EXPECT_LE(seen.back(), 99) << "100 waits for the finished file";
    for (int p : polled)
        EXPECT_TRUE(p >= 0 && p <= 100) << p;

    const std::string wave = out_ + "mp3tmp.wav";
    const SndInfo info = SndOpenInfo(wave);
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.rate, 44100);
    EXPECT_EQ(info.frames, 300 * kCdSamplesPerSector);
    EXPECT_EQ(SndReadShorts(wave), image_->TrackSamples(2)) << "the track from its index 01 on, nothing of the pregap";
    EXPECT_FALSE(exists(wave + ".partial"));
}

TEST_F(CdImageTest, TheEntryPointsUseTheConfiguredImageAndTheGivenFolder)
{
    struct Device {
        explicit Device(const std::string& cue) { CddaLibrary().SetDevice(cue); }
        ~Device() { CddaLibrary().SetDevice(""); }
    } device(image_->cue);
    setOutputDir(out_.substr(0, out_.size() - 1).c_str());  // the separator is added
    ASSERT_EQ(riptrack(4), 1) << ripmessage();
    EXPECT_EQ(getprogress(), 100);
    EXPECT_EQ(SndReadShorts(out_ + "mp3tmp.wav"), image_->TrackSamples(4));
}

TEST_F(CdImageTest, CancelStopsBetweenTwoSectorsAndLeavesOnlyAMarkedPartialFile)
{
    int cancelledAt = 0;
    ripper_.OnSector = [&](int done, int total) {
        if (cancelledAt == 0 && done == total / 10) {
            cancelledAt = done;
            ripper_.Cancel();
        }
    };
    ASSERT_EQ(ripper_.RipTrack(3), kRipCancelled);
    EXPECT_GT(cancelledAt, 0);
    EXPECT_LT(ripper_.Progress(), 100);
    EXPECT_NE(ripper_.LastError().find("cancelled"), std::string::npos);
    EXPECT_FALSE(exists(out_ + "mp3tmp.wav")) << "a cancelled track is never taken for a whole one";
    const std::string partial = out_ + "mp3tmp.wav.partial";
    ASSERT_EQ(SndOpenInfo(partial).frames, std::int64_t(cancelledAt) * kCdSamplesPerSector)
        << "no sector is read after the cancel";
    std::vector<std::int16_t> expected = image_->TrackSamples(3);
    expected.resize(std::size_t(cancelledAt) * kCdSamplesPerSector * 2);
    EXPECT_EQ(SndReadShorts(partial), expected);

    // The next extraction starts clean: no cancel left over, the partial file gone.
    ripper_.OnSector = nullptr;
    ripper_.SetOutputDir(out_);
    ASSERT_EQ(ripper_.RipTrack(4), kRipOk);
    EXPECT_FALSE(exists(partial));
}

TEST_F(CdImageTest, ACancelBeforeTheStartStopsAtOnceAndSetOutputDirForgetsIt)
{
    ripper_.Cancel();
    EXPECT_EQ(ripper_.RipTrack(4), kRipCancelled);
    EXPECT_FALSE(exists(out_ + "mp3tmp.wav"));
    EXPECT_FALSE(exists(out_ + "mp3tmp.wav.partial"));

    ripper_.Cancel();
    ripper_.SetOutputDir(out_);
    EXPECT_EQ(ripper_.RipTrack(4), kRipOk);
}

TEST_F(CdImageTest, DataTracksAndMissingTracksAreRefusedWithoutAFile)
{
    EXPECT_EQ(ripper_.RipTrack(1), kRipFailed);
    EXPECT_NE(ripper_.LastError().find("data track"), std::string::npos) << ripper_.LastError();
    EXPECT_FALSE(exists(out_ + "mp3tmp.wav"));
    EXPECT_FALSE(exists(out_ + "mp3tmp.wav.partial"));
    EXPECT_EQ(ripper_.RipTrack(9), kRipFailed);
    EXPECT_NE(ripper_.LastError().find("no track 9"), std::string::npos) << ripper_.LastError();
}

TEST_F(CdImageTest, AFolderLongerThan250CharactersIsRefusedBeforeAnyExtraction)
{
    const std::string fits = "/" + std::string(248, 'a') + "/";  // 250 with both separators
    EXPECT_EQ(CddaFolderProblem(fits), "");
    EXPECT_EQ(CddaFolderProblem(fits.substr(0, 249)), "") << "the separator added makes 250";
    const std::string tooLong = "/" + std::string(249, 'a') + "/";
    EXPECT_NE(CddaFolderProblem(tooLong).find("250"), std::string::npos);
    EXPECT_NE(CddaFolderProblem("").find("No folder"), std::string::npos);

    ripper_.SetOutputDir(tooLong);
    EXPECT_EQ(ripper_.RipTrack(4), kRipFailed);
    EXPECT_NE(ripper_.LastError().find("250"), std::string::npos) << ripper_.LastError();
}

namespace {
std::vector<std::uint8_t> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
}  // namespace

TEST_F(CdImageTest, ABinCutShortDuringTheRipFailsTheTrackWithTheReason)
{
    const CdImage image = WriteCdImage(folder_->Path(), "cut", {{true, 75, 441}, {true, 600, 630}});
    ripper_.SetDevice(image.cue);
    ripper_.OnSector = [&](int done, int) {
        if (done == 100)
            std::filesystem::resize_file(image.bin, std::uintmax_t(75 + 200) * 2352);
    };
    EXPECT_EQ(ripper_.RipTrack(2), kRipFailed);
    EXPECT_NE(ripper_.LastError().find("cut.bin\" ends before sector 275"), std::string::npos) << ripper_.LastError();
    EXPECT_TRUE(ripper_.LastReadErrors().empty());
    EXPECT_FALSE(exists(out_ + "mp3tmp.wav"));
}

TEST_F(CdImageTest, AudioInTrackOnesPregapIsAHiddenTrackOnlyWhenLongerThanTwoSecondsAndNotSilence)
{
    const std::string dir = folder_->Path();
    const CdImage tone = WriteCdImage(dir, "hidden", {{true, 75, 441, 300, 882}, {true, 75, 630}});
    auto disc = CdDisc::Open(tone.cue);
    EXPECT_EQ(disc->Track(1).firstSector, 0) << "track 1 still starts the disc";
    EXPECT_EQ(disc->Track(1).pregapSectors, 300);
    EXPECT_EQ(disc->Track(2).firstSector, 75);
    ASSERT_EQ(disc->HiddenTrackSectors(), 300);
    std::vector<std::int16_t> hidden(std::size_t(300) * kCdSamplesPerSector * 2);
    disc->ReadAudio(-300, 300, hidden.data());
    EXPECT_EQ(hidden, tone.PregapSamples(1));
    EXPECT_EQ(ReadDiscTrack(*disc, 1), tone.TrackSamples(1));

    const CdImage silent = WriteCdImage(dir, "silent", {{true, 75, 441, 300}, {true, 75, 630}});
    EXPECT_EQ(CdDisc::Open(silent.cue)->HiddenTrackSectors(), 0);
    // The same discs as a toc (the tone before START, the silence a PREGAP) and a Nero image.
    for (const std::string& path : {WriteTocImage(tone, dir, "hidden"), WriteTocImage(silent, dir, "silent"), dir + "/hidden.nrg"}) {
        SCOPED_TRACE(path);
        if (path.ends_with(".nrg"))
            WriteNrg(path, fileBytes(tone.bin), {{0, 300 * 2352, 375 * 2352}, {375 * 2352, 375 * 2352, 450 * 2352}});
        disc = CdDisc::Open(path);
        EXPECT_EQ(disc->Track(1).firstSector, 0);
        EXPECT_EQ(disc->Track(1).pregapSectors, 300);
        EXPECT_EQ(ReadDiscTrack(*disc, 1), tone.TrackSamples(1));
        if (path.find("silent") != std::string::npos) {
            EXPECT_EQ(disc->HiddenTrackSectors(), 0);
            continue;
        }
        ASSERT_EQ(disc->HiddenTrackSectors(), 300);
        disc->ReadAudio(-300, 300, hidden.data());
        EXPECT_EQ(hidden, tone.PregapSamples(1));
    }
    // The search as a drive's runs: on a worker, the answer delivered on the main thread.
    HiddenTrackJob job;
    std::int32_t found = -1;
    bool onMain = false;
    job.StartOnWorker(tone.cue, [&](std::int32_t sectors) {
        found = sectors;
        onMain = IsMainThread();
    });
    ASSERT_TRUE(RunEventsUntil([&] { return found >= 0; }));
    EXPECT_EQ(found, 300);
    EXPECT_TRUE(onMain);
    const CdImage shortGap = WriteCdImage(dir, "short", {{true, 75, 441, 150, 882}, {true, 75, 630}});
    EXPECT_EQ(CdDisc::Open(shortGap.cue)->HiddenTrackSectors(), 0) << "two seconds are every disc's pregap";
}
