// The CD player behind TMediaPlayer, on BIN/CUE images written here: the table of contents
// in milliseconds and TMSF, the open failure, and plays through the sound card's CD line.
#include "media/MediaPlayer.h"
#include "platform/CdDisc.h"
#include "platform/MediaDevice.h"
#include "platform/MessageTarget.h"
#include "platform/ProfileFile.h"
#include "support/CdImage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// Track 1 data; track 2 a 4-second tone; track 3 13913 sectors (185 507 ms) ending in a
// one-second pregap of track 4; track 4 one second.
class CdPlayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new TempDir;
        image_ = new CdImage(WriteCdImage(folder_->Path(), "disc",
                                          {{false, 150, 0, 0}, {true, 300, 441, 0}, {true, 13913, 630, 0}, {true, 75, 882, 75}}));
    }
    static void TearDownTestSuite()
    {
        delete image_;
        delete folder_;
    }
    void SetUp() override
    {
        ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "CdDevice", image_->cue);
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

    static TempDir* folder_;
    static CdImage* image_;
    IsolatedSettings settings_;
    TMediaPlayer player_{"MediaPlayer1"};
    std::vector<TMPNotifyValues> notes_;
};
TempDir* CdPlayerTest::folder_ = nullptr;
CdImage* CdPlayerTest::image_ = nullptr;

std::string openError(TMediaPlayer& player)
{
    try {
        player.Open();
    } catch (const EMCIDeviceError& e) {
        return e.what();
    }
    return "(opened)";
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
