// The CD player behind TMediaPlayer, on BIN/CUE images written here: the table of contents
// in milliseconds and TMSF, the open failure, and plays through the sound card's CD line.
#include "media/MediaPlayer.h"
#include "platform/cd/CdDisc.h"
#include "platform/device/MediaDevice.h"
#include "platform/os/MessageTarget.h"
#include "platform/cd/CdLine.h"
#include "platform/os/ProfileFile.h"
#include "platform/card/SoundCard.h"
#include "platform/card/testing/ToneLine.h"
#include "support/RunEvents.h"
#include "support/CdImageSuite.h"
#include "support/Raised.h"
#include "support/TempDir.h"
#include "support/TestCard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
// Track 1 data; track 2 a 4-second tone; track 3 13913 sectors (185 507 ms) ending in a
// one-second pregap of track 4; track 4 one second.
class CdPlayerTest : public CdImageSuite<CdPlayerTest> {
public:
    static std::vector<CdImageTrack> Tracks()
    {
        return {{false, 150, 0, 0}, {true, 300, 441, 0}, {true, 13913, 630, 0}, {true, 75, 882, 75}};
    }

protected:
    void SetUp() override
    {
        CdImageSuite::SetUp();
        player_.OnNotify = [this](TMediaPlayer* p) { notes_.push_back(p->NotifyResult()); };
        player_.SetDeviceType(dtCDAudio);
        player_.SetShareable(true);
    }
    // Lets the posted notifications arrive.
    static void deliver()
    {
        for (int i = 0; i < 3; ++i)
            ProcessMessages();
    }
    // The list line the CD page shows for a track.
    std::string listLine(std::uint32_t track)
    {
        const std::uint32_t ms = player_.TrackLength(track);
        return "Track" + std::to_string(track) + "         " + std::to_string(ms / 60000) + " min. " +
               std::to_string(ms % 60000 / 1000) + " sec.";
    }

    TMediaPlayer player_{"MediaPlayer1"};
    std::vector<TMPNotifyValues> notes_;
};

// Records the card's wave-in device 0 in the card's own format into buffers queued up
// front, the way the recorder would.
class CardRecording {
public:
    // With `play`, the device records one play: from its first frame to its last.
    CardRecording(IWaveInDevices& device, std::size_t buffers, std::uint32_t bytes, bool play = false)
        : device_(device), data_(buffers, std::vector<std::uint8_t>(bytes)), headers_(buffers)
    {
        auto done = [this](unsigned message, WaveInHandle, WaveHdr* header) {  // the card's thread
            if (message != MM_WIM_DATA)
                return;
            ++done_;
            if (header->dwFlags & WHDR_ENDOFPLAY)
                playEnded_ = true;
        };
        EXPECT_EQ(device_.Open(handle_, 0, PcmFormat{}, done, CALLBACK_FUNCTION | (play ? WAVE_RECORD_PLAY : 0)),
                  MMSYSERR_NOERROR);
        for (std::size_t i = 0; i < buffers; ++i) {
            headers_[i] = WaveHdr{data_[i].data(), bytes, 0, 0, 0, 0, 0, 0};
            EXPECT_EQ(device_.PrepareHeader(handle_, &headers_[i]), MMSYSERR_NOERROR);
            EXPECT_EQ(device_.AddBuffer(handle_, &headers_[i]), MMSYSERR_NOERROR);
        }
    }
    ~CardRecording()
    {
        device_.Reset(handle_);
        for (WaveHdr& header : headers_)
            device_.UnprepareHeader(handle_, &header);
        device_.Close(handle_);
    }
    void Start() { device_.Start(handle_); }
    bool Full() const { return done_ == headers_.size(); }
    // The buffer with the play's last frame has come back.
    bool PlayEnded() const { return playEnded_; }
    // Ends the recording and returns what it holds.
    std::vector<std::int16_t> Stop()
    {
        device_.Reset(handle_);
        std::vector<std::int16_t> samples;
        for (const WaveHdr& header : headers_) {
            const std::size_t at = samples.size();
            samples.resize(at + std::size_t(header.dwBytesRecorded) / 2);
            std::memcpy(samples.data() + at, header.lpData, std::size_t(header.dwBytesRecorded));
        }
        return samples;
    }

private:
    IWaveInDevices& device_;
    WaveInHandle handle_{};
    std::vector<std::vector<std::uint8_t>> data_;
    std::vector<WaveHdr> headers_;
    std::atomic<std::size_t> done_{0};
    std::atomic<bool> playEnded_{false};
};

std::string openError(TMediaPlayer& player)
{
    return RaisedText<EMCIDeviceError>([&] { player.Open(); }, "(opened)");
}
}  // namespace

TEST_F(CdPlayerTest, TableOfContentsInTmsfAndMilliseconds)
{
    player_.Open();
    ASSERT_NE(player_.DeviceID(), 0);
    EXPECT_EQ(player_.TrackCount(), 4u);
    EXPECT_EQ(player_.DeviceMode(), mpStopped);
    // Opened in TMSF: starts are track numbers, lengths minutes, seconds and frames.
    EXPECT_EQ(player_.TrackStart(3), MakeTmsf(3, 0, 0, 0));
    EXPECT_EQ(player_.TrackLength(3), MakeMsf(3, 5, 38));
    EXPECT_EQ(player_.CurrentPosition(), MakeTmsf(1, 0, 0, 0)) << "a fresh player stands at the first track";

    player_.SetTimeFormat(mci::FormatMilliseconds);
    EXPECT_EQ(listLine(3), "Track3         3 min. 5 sec.");
    EXPECT_EQ(listLine(4), "Track4         0 min. 1 sec.");
    EXPECT_EQ(player_.TrackStart(1), 2000u) << "positions count the lead-in";
    EXPECT_EQ(player_.TrackStart(2), 4000u);
    EXPECT_EQ(player_.TrackStart(4), player_.TrackStart(3) + player_.TrackLength(3)) << "a pregap ends the track before";
    EXPECT_EQ(player_.TotalLength(), player_.TrackStart(4) + player_.TrackLength(4));
    EXPECT_EQ(player_.CurrentPosition(), 2000u);

    player_.TrackLength(9);
    EXPECT_NE(player_.LastError(), 0u);
    EXPECT_NE(player_.ErrorMessage().find("no track 9"), std::string::npos) << player_.ErrorMessage();
    player_.SetTimeFormat(3);  // frames: not a format of this player
    EXPECT_EQ(player_.LastError(), mci::ErrBadTimeFormat);
    EXPECT_EQ(player_.TimeFormat(), mci::FormatMilliseconds);

    player_.Close();
    EXPECT_EQ(player_.DeviceID(), 0);
    EXPECT_EQ(openError(player_), "(opened)") << "the drive is free again after a close";
}

TEST_F(CdPlayerTest, AMissingImageRaisesWithItsName)
{
    const std::string missing = folder_->File("gone.cue");
    ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "CdDevice", missing);
    const std::string error = openError(player_);
    EXPECT_NE(error.find(missing), std::string::npos) << error;
    EXPECT_FALSE(player_.Opened());
}

TEST_F(CdPlayerTest, PlayThroughTheCardLineAtFastClockRecordsTheTrackAndNotifiesOnce)
{
    const SoundLineRegistration cdLine = RegisterCdLine();
    SoundCardSettings settings = TestCardSettings(true);
    settings.cdDevice = image_->cue;  // the line exists where there is a CD to play
    SoundCard card(settings);
    ASSERT_TRUE(SelectOnlyForRecording(card.Mixer(), 0, 65535, 65535, true)) << "the card has a CD line";

    player_.Open();
    player_.SetTimeFormat(mci::FormatMilliseconds);
    const std::uint32_t start = player_.TrackStart(2), length = player_.TrackLength(2);
    deliver();
    notes_.clear();
    const std::vector<std::int16_t> track = image_->TrackSamples(2);
    // The recording takes the play from its first frame to its last, whatever the timing.
    CardRecording recording(card.WaveIn(), 64, 16384, true);  // room for the track and more
    ASSERT_LT(track.size() * 2, 64u * 16384);
    recording.Start();
    player_.SetPlayFrom(start);
    player_.SetPlayTo(start + length);
    player_.Play();
    ASSERT_TRUE(RunEventsUntil([&] { return recording.PlayEnded() || recording.Full(); }));
    ASSERT_TRUE(RunEventsUntil([&] { return player_.DeviceMode() != mpPlaying; }));
    deliver();
    const std::vector<std::int16_t> got = recording.Stop();

    EXPECT_EQ(notes_, std::vector<TMPNotifyValues>{nvSuccessful});
    EXPECT_EQ(player_.CurrentPosition(), start + length);
    EXPECT_EQ(player_.DeviceMode(), mpStopped);
    EXPECT_TRUE(got == track) << "the track, sample for sample, from the first to the last (" << got.size()
                              << " samples for " << track.size() << ")";
}

TEST_F(CdPlayerTest, WithoutACardPlaysRunByTheWallClockAndEndOnceEach)
{
    player_.Open();
    player_.SetTimeFormat(mci::FormatMilliseconds);
    const std::uint32_t start3 = player_.TrackStart(3);
    deliver();
    notes_.clear();
    player_.SetPlayFrom(start3);
    player_.Play();
    EXPECT_EQ(player_.DeviceMode(), mpPlaying);
    player_.SetPlayFrom(start3);
    player_.Play();
    player_.Stop();
    EXPECT_EQ(player_.DeviceMode(), mpStopped);
    EXPECT_GE(player_.CurrentPosition(), start3);
    EXPECT_LT(player_.CurrentPosition(), player_.TrackStart(4));
    deliver();
    EXPECT_EQ(notes_, (std::vector<TMPNotifyValues>{nvSuperseded, nvAborted}));

    // Nothing pulls the line: the play still reaches its end, by the wall clock.
    notes_.clear();
    player_.SetPlayFrom(player_.TrackStart(4));
    player_.SetWaitNext(true);
    player_.Play();
    deliver();
    EXPECT_EQ(notes_, std::vector<TMPNotifyValues>{nvSuccessful});
    EXPECT_EQ(player_.CurrentPosition(), player_.TotalLength());
}

TEST_F(CdPlayerTest, RangesTouchingTheDataTrackAreRefusedWithAClearText)
{
    player_.Open();
    deliver();
    notes_.clear();
    for (auto [from, to] : std::vector<std::pair<std::uint32_t, std::uint32_t>>{
             {MakeTmsf(1, 0, 0, 0), MakeTmsf(2, 0, 0, 0)}, {MakeTmsf(1, 0, 1, 0), MakeTmsf(2, 0, 2, 0)}}) {
        player_.SetPlayFrom(from);
        player_.SetPlayTo(to);
        player_.Play();
        EXPECT_EQ(player_.LastError(), mci::ErrUnsupportedFunction);
        EXPECT_NE(player_.ErrorMessage().find("Track 1 is a data track"), std::string::npos) << player_.ErrorMessage();
        EXPECT_EQ(player_.DeviceMode(), mpStopped);
    }
    player_.Play();  // from the current position, the start of track 1
    EXPECT_EQ(player_.LastError(), mci::ErrUnsupportedFunction);
    deliver();
    EXPECT_TRUE(notes_.empty()) << "a refused play never started, so it does not notify";
}

TEST_F(CdPlayerTest, AReadFailureEndsThePlayWithFailure)
{
    TempDir own;
    const CdImage broken = WriteCdImage(own.Path(), "broken", {{true, 600, 441, 0}});
    ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "CdDevice", broken.cue);
    player_.Open();
    deliver();
    notes_.clear();
    std::filesystem::resize_file(broken.bin, 2352 * 10);  // the disc goes bad behind its table
    player_.SetWaitNext(true);
    player_.Play();
    deliver();
    EXPECT_EQ(notes_, std::vector<TMPNotifyValues>{nvFailure});
    EXPECT_EQ(player_.DeviceMode(), mpStopped);
}

TEST_F(CdPlayerTest, ADiscWithoutTracksReportsTheDoorOpen)
{
    TempDir own;
    const CdImage empty = WriteCdImage(own.Path(), "empty", {{true, 75, 441, 0}});
    {
        std::ofstream cue(empty.cue, std::ios::trunc);
        cue << "FILE \"empty.bin\" BINARY\n";
    }
    ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "CdDevice", empty.cue);
    const std::string error = openError(player_);
    ASSERT_EQ(error, "(opened)");
    EXPECT_EQ(player_.TrackCount(), 0u);
    EXPECT_EQ(player_.DeviceMode(), mpOpen);
    player_.Play();
    EXPECT_NE(player_.ErrorMessage().find("no disc"), std::string::npos) << player_.ErrorMessage();
}
