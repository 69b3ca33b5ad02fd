// The audio server's sources by name: listed with their descriptions, recorded by name from
// the command line, and a source that has gone named in the refusal. A private PulseAudio
// with one null sink `t` stands in for the desktop's server; a tone played into `t` is what
// its monitor `t.monitor` records.
#include "platform/card/CaptureSources.h"
#include "platform/os/ProfileFile.h"
#include "support/AudioOracles.h"
#include "support/PrivatePulse.h"
#include "support/Spectrum.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <sndfile.h>

namespace {
struct CliRun {
    int status = -1;
    std::string out;
};

CliRun RunCli(const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(MERVANE_CLI_PROGRAM, args);
    EXPECT_TRUE(p.waitForFinished(-1));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAll().toStdString()};
}

class ServerSources : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!pulse_.Running())
            GTEST_SKIP() << pulse_.Failure();
    }
    IsolatedSettings settings_;
    PrivatePulse pulse_;
};
}  // namespace

TEST_F(ServerSources, ListsTheMonitorWithItsDescriptionAndRecordsItByNameForTheTimeAsked)
{
    const CaptureSourceList list = ListCaptureSources();
    ASSERT_TRUE(list.fromServer) << list.why;
    const auto monitor = std::find_if(list.sources.begin(), list.sources.end(),
                                      [](const CaptureSource& s) { return s.device == "pulse:t.monitor"; });
    ASSERT_NE(monitor, list.sources.end());
    EXPECT_TRUE(monitor->monitor);
    EXPECT_FALSE(monitor->description.empty());

    const CliRun listed = RunCli({"record", "--list-sources"});
    EXPECT_EQ(listed.status, 0) << listed.out;
    EXPECT_NE(listed.out.find("t.monitor  " + monitor->description), std::string::npos) << listed.out;

    const std::string tone = settings_.Folder().File("tone.wav");
    ASSERT_TRUE(SndWriteShorts(tone, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, Tone(44100, {1000, 1000}, 44100 * 30)));
    pulse_.PlayIntoSink(tone);
    const std::string mp3 = settings_.Folder().File("take.mp3");
    const CliRun take = RunCli({"record", "--device", "t.monitor", "--seconds", "3", "-q", "-o", QString::fromStdString(mp3)});
    ASSERT_EQ(take.status, 0) << take.out;

    const DecodedMp3 decoded = DecodeMp3File(mp3);
    ASSERT_EQ(decoded.rate, 44100);
    EXPECT_NEAR(double(decoded.Frames() - kMp3CodecDelay), 3.0 * 44100, double(kMp3FrameSamples));
    EXPECT_NEAR(StrongestFrequency(decoded.pcm, decoded.channels, 0, 44100, 44100, 65536), 1000.0, 2.0);
    // The tone is there (its level depends on the record level and when paplay got going).
    EXPECT_GT(FitTone(decoded.pcm, decoded.channels, 1, 44100, 1000, 66150, 44100).amplitude, 1000);
}

TEST_F(ServerSources, ASourceThatHasGoneIsNamedInTheRefusal)
{
    ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "MicDevice", "pulse:gone.monitor");
    const CliRun take = RunCli({"record", "--source", "mic", "--seconds", "1", "-q", "-o",
                                QString::fromStdString(settings_.Folder().File("take.mp3"))});
    EXPECT_NE(take.status, 0);
    EXPECT_NE(take.out.find("\"gone.monitor\""), std::string::npos) << take.out;
}

TEST(CaptureSourceNames, ServerNamesAreQuotedForAlsaAndAlsaNamesPassAsTheyAre)
{
    EXPECT_EQ(CaptureAlsaDevice("pulse:t.monitor"), "pulse:DEVICE=\"t.monitor\"");
    EXPECT_EQ(CaptureAlsaDevice("pulse:a\"b"), "pulse:DEVICE=\"a\\\"b\"");
    EXPECT_EQ(CaptureAlsaDevice("pulse:DEVICE=x"), "pulse:DEVICE=x");
    EXPECT_EQ(CaptureAlsaDevice("pulse"), "pulse");
    EXPECT_EQ(CaptureAlsaDevice("hw:1,0"), "hw:1,0");
    CaptureSourceList server{true, {{"pulse:t.monitor", "Monitor", true}}, ""};
    EXPECT_EQ(CaptureDeviceSetting("t.monitor", server), "pulse:t.monitor");
    EXPECT_EQ(CaptureDeviceSetting("hw:1", server), "hw:1");
    EXPECT_EQ(CaptureDeviceSetting("t.monitor", CaptureSourceList{}), "t.monitor");
}
