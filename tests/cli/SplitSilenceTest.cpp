// `mervane-cli wave --split-silence`: a side of three tones becomes three MP3 files named by
// the template, in order, tagged with their numbers, together as long as the side.
#include "support/AudioOracles.h"
#include "support/SplitFixtures.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <QProcess>
#include <filesystem>
#include <gtest/gtest.h>
#include <sndfile.h>

TEST(SplitSilenceCommand, ASideBecomesOneTaggedFilePerTrackNamedByTheTemplate)
{
    IsolatedSettings settings;
    const std::string side = settings.Folder().File("side.wav");
    ASSERT_TRUE(SndWriteShorts(side, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, ThreeTonesSide()));
    const std::string out = settings.Folder().File("tracks");
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(MERVANE_CLI_PROGRAM, {"wave", "--split-silence", "--container", "mp3", "-q", "-o",
                                  QString::fromStdString(out), QString::fromStdString(side)});
    ASSERT_TRUE(p.waitForFinished(-1));
    ASSERT_EQ(p.exitCode(), 0) << p.readAll().toStdString();

    const double expected[] = {21.5, 33.0, 22.5};  // cuts at 21.5 s and 54.5 s
    double total = 0;
    for (int n = 1; n <= 3; ++n) {
        const std::string mp3 = out + "/Track" + std::to_string(n) + ".mp3";
        const DecodedMp3 d = DecodeMp3File(mp3, true);
        ASSERT_EQ(d.rate, 44100) << mp3;
        const double seconds = double(d.Frames()) / 44100;
        EXPECT_NEAR(seconds, expected[n - 1], 0.05) << mp3;
        total += seconds;
        if (HaveTool("ffprobe")) {
            const auto track = ToolOutput("ffprobe -v error -show_entries format_tags=track -of csv=p=0 " + ShellQuoted(mp3));
            ASSERT_TRUE(track);
            EXPECT_EQ(track->substr(0, 1), std::to_string(n));
        }
    }
    EXPECT_NEAR(total, 77.0, 0.01);
    EXPECT_FALSE(std::filesystem::exists(out + "/Track4.mp3"));
}
