// The MP3 encoder at the end of a real chain (wave file -> pump -> encoder): the files it
// writes are read back byte by byte and decoded by libmpg123.
#include "mpeg/EncoderChain.h"
#include "mpeg/MMBlade.h"
#include "platform/os/DiskSpace.h"
#include "stream/MMTrigg.h"
#include "stream/MMWaveFile.h"
#include "support/AudioOracles.h"
#include "support/RunEvents.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <QCoreApplication>
#include <atomic>
#include <gtest/gtest.h>
#include <sndfile.h>

namespace {
using Chain = EncoderChain;

std::string EncoderError(Chain& chain, const std::string& input, const std::string& output)
{
    try {
        chain.Run(input, output);
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no error";
}

class EncoderTest : public ::testing::Test {
protected:
    void TearDown() override { SetFreeDiskSpaceQuery(nullptr); }
    TempDir dir;
};
}  // namespace

TEST_F(EncoderTest, WaveFileTypeWritesMpegLayer3FormatDataAndFact)
{
    const long frames = 44100 * 2 + 1001;  // ends with a short chunk
    const auto pcm = Tone(44100, {440, 880}, frames);
    ASSERT_TRUE(SndWriteShorts(dir.File("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, pcm));
    Chain chain;
    chain.encoder.SetFileType(ftWAV);
    ASSERT_TRUE(chain.Run(dir.File("in.wav"), dir.File("out.mp3")));
    EXPECT_FALSE(chain.encoder.Opened());
    EXPECT_FALSE(chain.encoder.WriteFailed());

    const Bytes file = ReadBytes(dir.File("out.mp3"));
    ASSERT_GT(file.size(), 12u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(GetLe32(file, 4), file.size() - 8) << "RIFF size written at close";
    const auto chunks = RiffChunks(file);
    ASSERT_GE(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].first, "fmt ");
    const Bytes& fmt = chunks[0].second;
    ASSERT_EQ(fmt.size(), 30u);
    EXPECT_EQ(GetLe16(fmt, 0), 0x55);
    EXPECT_EQ(GetLe16(fmt, 2), 2);
    EXPECT_EQ(GetLe32(fmt, 4), 44100u);
    EXPECT_EQ(GetLe32(fmt, 8), 16000u) << "128 kbit/s";
    EXPECT_EQ(GetLe16(fmt, 12), 1) << "block alignment";
    EXPECT_EQ(GetLe16(fmt, 14), 0) << "bits per sample";
    EXPECT_EQ(GetLe16(fmt, 16), 12) << "extra size";
    EXPECT_EQ(GetLe16(fmt, 18), 1) << "ID";
    EXPECT_EQ(GetLe32(fmt, 20), 2u) << "flags";
    EXPECT_EQ(GetLe16(fmt, 24), 417) << "block size";
    EXPECT_EQ(GetLe16(fmt, 26), 1) << "frames per block";
    EXPECT_EQ(GetLe16(fmt, 28), 1393) << "codec delay";
    EXPECT_EQ(chunks[1].first, "data");
    EXPECT_EQ(chunks.back().first, "fact");
    const auto headers = Mp3Frames(chunks[1].second);
    ASSERT_FALSE(headers.empty());
    for (const Mp3Header& h : headers) {
        ASSERT_EQ(h.kbps, 128u);
        ASSERT_EQ(h.mode, 0u) << "stereo";
    }

    const DecodedMp3 d = DecodeMp3File(dir.File("out.mp3"));
    ASSERT_EQ(d.channels, 2);
    EXPECT_EQ(d.Frames(), static_cast<long>(headers.size()) * kMp3FrameSamples);
    EXPECT_GE(d.Frames(), frames + kMp3CodecDelay) << "the short last chunk was encoded";
    EXPECT_GT(AlignedSnr(pcm, d, 2, 0, frames, kMp3CodecDelay), 20.0);
}

TEST_F(EncoderTest, RawFileTypeIsAPlainStreamAndReplacesAnOldFile)
{
    const auto pcm = Tone(48000, {500, 700}, 48000);
    ASSERT_TRUE(SndWriteShorts(dir.File("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 48000, pcm));
    WriteBytes(dir.File("out.mp3"), Bytes(2'000'000, 0x5A));  // an old, longer file
    Chain chain;
    chain.encoder.SetFileType(ftRAW);
    chain.encoder.SetBitrate(br320);
    chain.encoder.SetCopyright(true);
    chain.encoder.SetOriginal(true);
    ASSERT_TRUE(chain.Run(dir.File("in.wav"), dir.File("out.mp3")));
    const Bytes file = ReadBytes(dir.File("out.mp3"));
    EXPECT_LT(file.size(), 2'000'000u);
    const auto headers = Mp3Frames(file);
    ASSERT_FALSE(headers.empty());
    for (const Mp3Header& h : headers) {
        ASSERT_EQ(h.kbps, 320u);
        ASSERT_EQ(h.rate, 48000u);
        ASSERT_TRUE(h.copyright);
        ASSERT_TRUE(h.original);
    }
}

TEST_F(EncoderTest, ChannelModeFollowsTheInput)
{
    struct Case {
        int channels;
        TMMChannelMode mode;
        unsigned expectedMode;
    };
    const Case cases[] = {{1, cmDualChannel, 3}, {2, cmMono, 0}, {2, cmDualChannel, 2}, {2, cmStereo, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.channels) + " channels, mode " + std::to_string(c.mode));
        const auto pcm = Tone(32000, c.channels == 1 ? std::vector<double>{400} : std::vector<double>{400, 600}, 32000);
        ASSERT_TRUE(SndWriteShorts(dir.File("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, c.channels, 32000, pcm));
        Chain chain;
        chain.encoder.SetFileType(ftRAW);
        chain.encoder.SetChannelMode(c.mode);
        ASSERT_TRUE(chain.Run(dir.File("in.wav"), dir.File("out.mp3")));
        const auto headers = Mp3Frames(ReadBytes(dir.File("out.mp3")));
        ASSERT_FALSE(headers.empty());
        EXPECT_EQ(headers.front().mode, c.expectedMode);
    }
}

TEST_F(EncoderTest, InputsTheEncoderCannotTakeAreRefusedAtOpen)
{
    ASSERT_TRUE(SndWriteShorts(dir.File("22k.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 22050, PatternShorts(4000)));
    ASSERT_TRUE(SndWriteShorts(dir.File("8bit.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 2, 44100, PatternShorts(4000)));
    for (const char* name : {"22k.wav", "8bit.wav"}) {
        SCOPED_TRACE(name);
        Chain chain;
        EXPECT_EQ(EncoderError(chain, dir.File(name), dir.File("out.mp3")), "Unsupported Input Format");
        EXPECT_FALSE(chain.encoder.Opened());
        EXPECT_FALSE(chain.trigger.IsOpened()) << "the pump closed its chain";
    }
    Chain chain;
    EXPECT_EQ(EncoderError(chain, dir.File("22k.wav"), dir.File("no/such/folder/out.mp3")), "Unsupported Input Format");
    ASSERT_TRUE(SndWriteShorts(dir.File("ok.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, PatternShorts(4000)));
    EXPECT_EQ(EncoderError(chain, dir.File("ok.wav"), dir.File("no/such/folder/out.mp3")),
              "Unable to create file\n" + dir.File("no/such/folder/out.mp3") + ": No such file or directory");
}

TEST_F(EncoderTest, FileNameCannotChangeWhileOpened)
{
    ASSERT_TRUE(SndWriteShorts(dir.File("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, PatternShorts(44100 * 2)));
    Chain chain;
    chain.source.Wave()->SetFileName(dir.File("in.wav"));
    chain.encoder.SetFileName(dir.File("out.mp3"));
    chain.trigger.Open();
    ASSERT_TRUE(chain.encoder.Opened());
    EXPECT_NO_THROW(chain.encoder.SetFileName(dir.File("out.mp3"))) << "the same name again";
    try {
        chain.encoder.SetFileName(dir.File("other.mp3"));
        FAIL() << "changed while opened";
    } catch (const EMP3EncoderError& e) {
        EXPECT_STREQ(e.what(), "Change to property while device was open");
    }
    EXPECT_THROW(chain.encoder.SetFileType(ftWAV), EMP3EncoderError) << "the default is ftRAW";
    chain.trigger.Close();
    EXPECT_NO_THROW(chain.encoder.SetFileName(dir.File("other.mp3")));
}

TEST_F(EncoderTest, AFullDiskClosesTheFileWithTheFramesWrittenSoFar)
{
    const long frames = 44100 * 20;
    ASSERT_TRUE(SndWriteShorts(dir.File("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100,
                               Tone(44100, {300, 450}, frames)));
    // The disk has room for the first writes only.
    std::atomic<int> queries{0};
    SetFreeDiskSpaceQuery([&](const std::string&) -> std::int64_t { return ++queries < 200 ? 1 << 30 : 5000; });
    Chain chain;
    chain.encoder.SetFileType(ftWAV);
    ASSERT_TRUE(chain.Run(dir.File("in.wav"), dir.File("out.mp3")));
    EXPECT_TRUE(chain.encoder.WriteFailed());
    EXPECT_FALSE(chain.encoder.Opened());
    const Bytes file = ReadBytes(dir.File("out.mp3"));
    EXPECT_EQ(GetLe32(file, 4), file.size() - 8) << "the RIFF sizes were written";
    const auto chunks = RiffChunks(file);
    ASSERT_GE(chunks.size(), 2u);
    const auto headers = Mp3Frames(chunks[1].second);
    EXPECT_GT(headers.size(), 100u);
    const DecodedMp3 d = DecodeMp3File(dir.File("out.mp3"));
    EXPECT_EQ(d.Frames(), static_cast<long>(headers.size()) * kMp3FrameSamples);
    EXPECT_LT(d.Frames(), frames);

    // The next run starts clean.
    SetFreeDiskSpaceQuery(nullptr);
    ASSERT_TRUE(chain.Run(dir.File("in.wav"), dir.File("out2.mp3")));
    EXPECT_FALSE(chain.encoder.WriteFailed());
}
