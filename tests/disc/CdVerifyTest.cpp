// The rip's verification on BIN/CUE images written here: the read offset, the checksums
// summed while a track is extracted (against zlib and whipper's accuraterip-checksum), test
// and copy, the AccurateRip disc ids and dBAR answers, and the extraction job.
#include "disc/AccurateRip.h"
#include "platform/cd/CDDA.h"
#include "platform/cd/CdDisc.h"
#include "platform/cd/CdRipJob.h"
#include "disc/RipSession.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/MessageTarget.h"
#include "platform/os/ProfileFile.h"
#include "support/AudioOracles.h"
#include "support/CdImage.h"
#include "support/LocalHttpServer.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <QCoreApplication>
#include <filesystem>
#include <mutex>
#include <gtest/gtest.h>
#include <thread>

namespace {
// Three tracks of noise, so that a sample out of place changes every checksum.
class CdVerifyTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new TempDir;
        image_ = new CdImage(WriteCdImage(folder_->Path(), "disc", {{true, 20, 0, 0}, {true, 30, 0, 0}, {true, 20, 0, 0}}));
    }
    static void TearDownTestSuite()
    {
        delete image_;
        delete folder_;
    }
    void SetUp() override
    {
        ripper_.SetDevice(image_->cue);
        out_ = settings_.Folder().File("rip") + "/";
        std::filesystem::create_directories(out_);
        ripper_.SetOutputDir(out_);
    }
    // The whole disc's samples from LSN 0 to the lead-out.
    static std::vector<std::int16_t> DiscSamples()
    {
        std::vector<std::int16_t> all;
        for (int n = 1; n <= 3; ++n) {
            const auto t = image_->TrackSamples(n);
            all.insert(all.end(), t.begin(), t.end());
        }
        return all;
    }

    static TempDir* folder_;
    static CdImage* image_;
    IsolatedSettings settings_;
    std::string out_;
    CdRipper ripper_;
};
TempDir* CdVerifyTest::folder_ = nullptr;
CdImage* CdVerifyTest::image_ = nullptr;

std::vector<std::uint8_t> LittleEndian(const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> bytes;
    for (const std::int16_t s : samples) {
        bytes.push_back(std::uint8_t(s));
        bytes.push_back(std::uint8_t(std::uint16_t(s) >> 8));
    }
    return bytes;
}

void PutLe32(std::string& to, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        to += char(v >> (8 * i));
}

// One pressing's entry of a dBAR file.
std::string DbarEntry(const AccurateRipDiscId& id, const std::vector<std::pair<int, std::uint32_t>>& tracks)
{
    std::string bytes(1, char(tracks.size()));
    PutLe32(bytes, id.id1);
    PutLe32(bytes, id.id2);
    PutLe32(bytes, id.cddb);
    for (const auto& [confidence, checksum] : tracks) {
        bytes += char(confidence);
        PutLe32(bytes, checksum);
        PutLe32(bytes, 0);
    }
    return bytes;
}
}  // namespace

TEST_F(CdVerifyTest, ReadOffsetShiftsEveryTrackWithZerosWhereItRunsOffTheDisc)
{
    const std::vector<std::int16_t> disc = DiscSamples();
    for (const int offset : {6, -6, 600, -1000}) {
        ProfileFile::Settings().WriteInteger("CD", "ReadOffset", offset);
        ripper_.SetReadSettings(CdReadSettings::FromProfile(ProfileFile::Settings()));
        for (int n = 1; n <= 3; ++n) {
            SCOPED_TRACE("offset " + std::to_string(offset) + ", track " + std::to_string(n));
            ASSERT_EQ(ripper_.RipTrack(n), kRipOk) << ripper_.LastError();
            const long first = long(image_->firstSector[std::size_t(n - 1)]) * kCdSamplesPerSector;
            const long frames = long(image_->tracks[std::size_t(n - 1)].sectors) * kCdSamplesPerSector;
            std::vector<std::int16_t> expected;
            for (long i = 0; i < frames; ++i) {
                const long at = first + i + offset;
                const bool on = at >= 0 && at < long(disc.size() / 2);
                expected.push_back(on ? disc[std::size_t(2 * at)] : 0);
                expected.push_back(on ? disc[std::size_t(2 * at + 1)] : 0);
            }
            EXPECT_EQ(SndReadShorts(out_ + "mp3tmp.wav"), expected);
            EXPECT_EQ(ripper_.LastReport().readOffset, offset);
        }
    }
}

TEST_F(CdVerifyTest, AReadOffsetThatIsNoValidNumberIsToldAndTheRipReadsWithoutOffset)
{
    std::vector<std::string> told;
    const ErrorReporter previous = SetErrorReporter([&](const std::string& t) { told.push_back(t); });
    for (const std::string text : {"5000", "12abc", "0x10"}) {
        SCOPED_TRACE(text);
        told.clear();
        ProfileFile::Settings().WriteString("CD", "ReadOffset", text);
        ripper_.SetReadSettings(CdReadSettings::FromProfile(ProfileFile::Settings()));
        ASSERT_EQ(ripper_.RipTrack(2), kRipOk) << ripper_.LastError();
        EXPECT_EQ(ripper_.LastReport().readOffset, 0);
        ProcessMessages();
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].find("ReadOffset=" + text), std::string::npos) << told[0];
        EXPECT_NE(told[0].find("0 is used"), std::string::npos) << told[0];
    }
    SetErrorReporter(previous);
}

TEST_F(CdVerifyTest, ChecksumsOfEveryTrackEqualZlibsCrcAndWhippersAccurateRipSums)
{
    TrackChecksums second;
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE("track " + std::to_string(n));
        ASSERT_EQ(ripper_.RipTrack(n), kRipOk) << ripper_.LastError();
        const CdRipReport report = ripper_.LastReport();
        if (n == 2)
            second = report.copy;
        EXPECT_EQ(report.copy.crc32, ZlibCrc32(image_->TrackBytes(n)));
        const auto reference = WhipperAccurateRip(out_ + "mp3tmp.wav", n, 3);
        ASSERT_TRUE(reference) << "accuraterip-checksum (whipper) did not run";
        EXPECT_EQ(report.copy.arV1, reference->v1);
        EXPECT_EQ(report.copy.arV2, reference->v2);
        EXPECT_FALSE(report.tested);
    }
    // An incremental sum in odd pieces gives the same.
    const auto samples = image_->TrackSamples(2);
    TrackChecksummer pieces(long(samples.size() / 2), false, false);
    for (std::size_t at = 0; at < samples.size() / 2; at += 1000)
        pieces.Add(samples.data() + 2 * at, std::min<std::size_t>(1000, samples.size() / 2 - at));
    EXPECT_EQ(pieces.Result().crc32, ZlibCrc32(LittleEndian(samples)));
    // Every choice of instructions, in pieces of a length that leaves frames and bytes over
    // the wide steps, gives the sums of the rip.
    for (const auto limit : {ChecksumInstructions::Widest, ChecksumInstructions::Narrow, ChecksumInstructions::Portable}) {
        SCOPED_TRACE("instructions " + std::to_string(int(limit)));
        SetChecksumInstructions(limit);
        TrackChecksummer odd(long(samples.size() / 2), false, false);
        for (std::size_t at = 0; at < samples.size() / 2; at += 997)
            odd.Add(samples.data() + 2 * at, std::min<std::size_t>(997, samples.size() / 2 - at));
        EXPECT_EQ(odd.Result().crc32, second.crc32);
        EXPECT_EQ(odd.Result().arV1, second.arV1);
        EXPECT_EQ(odd.Result().arV2, second.arV2);
    }
    SetChecksumInstructions(ChecksumInstructions::Widest);
}

TEST_F(CdVerifyTest, TestAndCopyReadsTheTrackTwiceWithEqualCrcs)
{
    ProfileFile::Settings().WriteInteger("CD", "TestAndCopy", 1);
    ripper_.SetReadSettings(CdReadSettings::FromProfile(ProfileFile::Settings()));
    int sectors = 0;
    ripper_.OnSector = [&](int, int) { ++sectors; };
    ASSERT_EQ(ripper_.RipTrack(2), kRipOk) << ripper_.LastError();
    const CdRipReport report = ripper_.LastReport();
    EXPECT_TRUE(report.tested);
    EXPECT_EQ(report.testCrc, report.copy.crc32);
    EXPECT_EQ(report.copy.crc32, ZlibCrc32(image_->TrackBytes(2)));
    EXPECT_EQ(sectors, 60);
    EXPECT_EQ(SndReadShorts(out_ + "mp3tmp.wav"), image_->TrackSamples(2));
}

TEST(AccurateRip, DiscIdsOfAnEnhancedCdLeaveTheDataTrackOutOfTheSums)
{
    // A 12-track disc with a data track, as whipper's tests give it (ids checked there
    // against EAC's requests).
    const std::vector<std::int32_t> starts = {0,      15537,  31691,  50866,  66466,  81202, 99409,
                                              115920, 133093, 149847, 161560, 177682, 207106};
    std::vector<AccurateRipTrack> tracks;
    for (std::size_t i = 0; i < starts.size(); ++i)
        tracks.push_back({int(i + 1), starts[i], i < 12});
    const AccurateRipDiscId id = AccurateRipIds(tracks, 210385);
    EXPECT_EQ(id.Url("http://host/ar/"),
              "http://host/ar/a/5/d/dBAR-012-0013bd5a-00b8d489-c60af50d.bin");
}

TEST(AccurateRip, AFetchThatTricklesEndsByItsDeadline)
{
    LocalHttpServer trickle([](const HttpTestRequest&) {
        HttpTestResponse r{200, std::string(4000, '\0')};
        r.pausePerByte = std::chrono::milliseconds(5);
        return r;
    });
    const AccurateRipDiscId id = AccurateRipIds({{1, 0, true}, {2, 75, true}}, 300);
    AccurateRipLookupResult r;
    std::thread([&] { r = AccurateRipLookup(id, trickle.Url(), nullptr, std::chrono::milliseconds(500)); }).join();
    EXPECT_FALSE(r.reached);
    EXPECT_NE(r.error.find("timed out"), std::string::npos) << r.error;
}

TEST(AccurateRip, EveryPressingCountsAndTheVerdictSaysHowMany)
{
    const AccurateRipDiscId disc = AccurateRipIds({{1, 0, true}, {2, 1000, true}}, 3000);
    AccurateRipDiscId other = disc;
    other.id1 += 1;
    const TrackChecksums sums{0, 0x11111111, 0x22222222};
    // Pressing one lists track 1 by its v1 sum, pressing two by its v2 sum; track 2 is
    // listed wrongly by both; an entry of another disc and one of confidence 0 do not count.
    const std::string file = DbarEntry(disc, {{5, 0x11111111}, {3, 0x99999999}}) +
                             DbarEntry(disc, {{7, 0x22222222}, {4, 0x88888888}}) +
                             DbarEntry(other, {{50, 0x11111111}, {50, 0x33333333}}) +
                             DbarEntry(disc, {{0, 0x33333333}, {0, 0x33333333}});
    std::vector<AccurateRipPressing> pressings;
    std::string error;
    ASSERT_TRUE(ParseDbar(file, pressings, error)) << error;
    EXPECT_EQ(pressings.size(), 4u);
    EXPECT_EQ(JudgeTrack(pressings, disc, 0, sums).Text(), "Accurately ripped (confidence 7)");
    EXPECT_EQ(JudgeTrack(pressings, disc, 1, sums).Text(), "Not accurate (7 other rips disagree)");
    EXPECT_EQ(JudgeTrack(pressings, disc, 1, {0, 0x33333333, 0}).Text(), "Not accurate (7 other rips disagree)");
    EXPECT_EQ(JudgeTrack({}, disc, 0, sums).Text(), "Not in the AccurateRip database");

    for (const std::string& broken : {std::string(), file.substr(0, file.size() - 1), std::string(13, '\0')})
        EXPECT_FALSE(ParseDbar(broken, pressings, error)) << broken.size() << " bytes";
}

TEST_F(CdVerifyTest, AnAnswerThatIsNoDbarFileOrOneOfAnotherDiscIsToldAsSuch)
{
    const std::string valid = DbarEntry(AccurateRipIds({{1, 0, true}}, 5000), {{5, 1}});
    const std::string unreadable = "Not checked (the AccurateRip server answered with something unreadable)";
    const std::pair<std::string, std::string> cases[] = {
        {"", unreadable},
        {valid.substr(0, valid.size() - 3), unreadable},
        {valid.substr(0, 13), unreadable},  // a disc without tracks
        {"<!DOCTYPE html><html><body>" + std::string(600, 'x') + "</body></html>", unreadable},
        {std::string(2 << 20, '\x03'), unreadable},  // longer than any dBAR file
        {valid, "Not in the AccurateRip database (its answer was for another disc)"},
    };
    std::mutex bodyLock;
    std::string body;  // guarded by bodyLock
    LocalHttpServer server([&](const HttpTestRequest&) {
        std::lock_guard lock(bodyLock);
        return HttpTestResponse{200, body, "application/octet-stream"};
    });
    ProfileFile::Settings().WriteString("CD", "AccurateRip", server.Url());
    ASSERT_EQ(ripper_.RipTrack(1), kRipOk) << ripper_.LastError();
    for (const auto& [reply, expected] : cases) {
        SCOPED_TRACE(std::to_string(reply.size()) + " bytes");
        {
            std::lock_guard lock(bodyLock);
            body = reply;
        }
        RipSession session(image_->cue);
        session.AddTrack(ripper_.LastReport(), out_ + "Track1.mp3");
        while (!session.LookupDone())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 100);
        EXPECT_EQ(session.VerificationLine(1), "Track 1: " + std::string(1, char(std::tolower(expected[0]))) +
                                                   expected.substr(1));
    }
}

TEST_F(CdVerifyTest, TheJobDeliversItsEndOnTheMainThreadAndCancelsWhenLeftEarly)
{
    {
        CdRipJob job(ripper_);
        bool onMain = false;
        std::uint8_t result = kRipFailed;
        int calls = 0;
        job.Start(1, [&](std::uint8_t r) {
            onMain = IsMainThread();
            result = r;
            ++calls;
        });
        while (calls == 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 100);
        EXPECT_TRUE(onMain);
        EXPECT_EQ(result, kRipOk);
        EXPECT_TRUE(job.Done());
        EXPECT_EQ(job.Progress(), 100);
    }
    std::atomic<bool> started{false};
    ripper_.OnSector = [&](int, int) {
        started.store(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
    bool delivered = false;
    {
        CdRipJob job(ripper_);
        job.Start(2, [&](std::uint8_t) { delivered = true; });
        while (!started.load() && !job.Done())
            std::this_thread::yield();
        ASSERT_TRUE(started.load()) << ripper_.LastError();
    }
    EXPECT_FALSE(ripper_.Running());
    QCoreApplication::processEvents();
    EXPECT_FALSE(delivered) << "a job left early delivers nothing";
    EXPECT_FALSE(std::filesystem::exists(out_ + "mp3tmp.wav"));
}
