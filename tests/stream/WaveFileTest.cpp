#include "stream/MMWaveFile.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <gtest/gtest.h>

namespace {
// A plain upstream neighbour that only carries a format.
class FormatHead : public TMMDSPComponent {
public:
    FormatHead() : TMMDSPComponent("Head") {}
    ~FormatHead() override { Detach(); }
    bool PublishesOutput() const override { return true; }
};

struct Load {
    std::int32_t bytes;
    bool more;
};

Load load(TMMDSPComponent& c, TMMBufferBlock& block)
{
    TMMWaveHdr* h = block.Header();
    h->dwBufferLength = static_cast<std::uint32_t>(block.Size());
    h->dwBytesRecorded = 0;
    bool more = false;
    c.BufferLoad(h, more);
    return {h->dwBytesRecorded, more};
}
}  // namespace

TEST(WaveFileSource, ServesTheFileThenEndsAndTakesTheWavesFormat)
{
    TempDir dir;
    const std::string path = dir.File("s.wav");
    const Bytes data = PatternBytes(1000);
    WritePcmWave(path, 16, 2, 44100, data);
    TMMWaveFile source;
    int changes = 0, changed = 0, opens = 0;
    source.OnChange = [&](TMMDSPComponent*) { ++changes; };
    source.OnChanged = [&](TMMDSPComponent*) {
        ++changed;
        EXPECT_TRUE(source.GetWaveFormat());
    };
    source.OnOpen = [&](TMMDSPComponent*) { ++opens; };
    source.Wave()->SetFileName(path);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(changed, 1);
    ASSERT_TRUE(source.GetWaveFormat());
    EXPECT_EQ(source.GetWaveFormat()->nChannels, 2);

    source.SetBufferSize(4096);
    source.Open();
    source.Open();  // a second open does not reopen the file
    EXPECT_EQ(opens, 1);
    source.Start();
    TMMBufferBlock block(4096);
    const Load first = load(source, block);
    EXPECT_EQ(first.bytes, 1000);
    EXPECT_FALSE(first.more);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), block.Header()->lpData));
    EXPECT_EQ(load(source, block).bytes, 0);
    source.Close();

    // Opened again: reading starts from the beginning.
    source.Open();
    source.Start();
    TMMBufferBlock small(600);
    const Load a = load(source, small);
    EXPECT_EQ(a.bytes, 600);
    EXPECT_TRUE(a.more);
    const Load b = load(source, small);
    EXPECT_EQ(b.bytes, 400);
    EXPECT_FALSE(b.more);
    source.Close();
}

TEST(WaveFileSource, DisabledOrNotStartedServesSilenceAndLoopsWhenAsked)
{
    TempDir dir;
    const std::string path8 = dir.File("8.wav");
    WritePcmWave(path8, 8, 1, 8000, PatternBytes(100));
    TMMWaveFile source;
    source.Wave()->SetFileName(path8);
    source.Open();
    TMMBufferBlock block(256);
    Load l = load(source, block);  // opened, not started
    EXPECT_EQ(l.bytes, 256);
    EXPECT_TRUE(l.more);
    EXPECT_EQ(block.Header()->lpData[0], 128);
    EXPECT_EQ(block.Header()->lpData[255], 128);
    source.Start();
    source.SetEnabled(false);
    l = load(source, block);
    EXPECT_EQ(l.bytes, 256);
    EXPECT_EQ(block.Header()->lpData[17], 128);
    source.SetEnabled(true);

    // Looping twice: the buffer with the last bytes wraps round until the count is used.
    int loops = 0;
    source.OnLooping = [&](TMMDSPComponent*) { ++loops; };
    TMMWaveHdr* h = block.Header();
    h->wLoop = 1;
    h->dwLoopCount = 2;
    h->dwLoopsLeft = 2;
    for (int round = 0; round < 3; ++round) {
        l = load(source, block);
        EXPECT_EQ(l.bytes, 100);
        EXPECT_EQ(l.more, round < 2) << round;
    }
    EXPECT_EQ(loops, 2);
    EXPECT_EQ(h->dwLooped, 1u);
    source.Close();

    // 16-bit silence is 0.
    const std::string path16 = dir.File("16.wav");
    WritePcmWave(path16, 16, 2, 8000, PatternBytes(400));
    TMMWaveFile s16;
    s16.Wave()->SetFileName(path16);
    s16.Open();
    load(s16, block);
    EXPECT_EQ(block.Header()->lpData[3], 0);
    s16.Close();
    // A source without data stays closed and gives nothing.
    const std::string empty = dir.File("e.wav");
    WritePcmWave(empty, 16, 2, 8000, {});
    TMMWaveFile none;
    none.Wave()->SetFileName(empty);
    none.Open();
    EXPECT_FALSE(none.FileOpened());
    EXPECT_EQ(load(none, block).bytes, 0);
}

TEST(WaveFileSink, WritesWhatPassesAndFinishesOnClose)
{
    TempDir dir;
    FormatHead head;
    const TWaveFormatEx f = pcmWaveFormat(16, 2, 44100);
    head.SetWaveFormat(&f);
    TMMWaveFile sink;
    sink.Wave()->SetFileMustExist(false);
    head.SetOutput(&sink);

    // No name: buffers pass on, nothing is written.
    TMMWaveFile after;
    sink.SetOutput(&after);
    int passed = 0;
    sink.OnBufferReady = [&](TMMDSPComponent*, TMMWaveHdr*) { ++passed; };
    sink.Open();
    sink.Start();
    TMMBufferBlock block(64);
    block.Header()->dwBytesRecorded = 64;
    sink.BufferReady(block.Header());
    EXPECT_EQ(passed, 1);
    EXPECT_FALSE(sink.FileOpened());
    sink.Close();

    // Closed before any data: the data chunk holds 4 zero bytes.
    const std::string path = dir.File("z.wav");
    sink.Wave()->SetFileName(path);
    sink.Open();
    ASSERT_TRUE(sink.FileOpened());
    sink.Close();
    Bytes z = ReadBytes(path);
    ASSERT_EQ(z.size(), 46 + 4 + 12u);
    EXPECT_EQ(GetLe32(z, 42), 4u);
    EXPECT_EQ(GetLe32(z, 46), 0u);

    // Data written, then the file read back by libsndfile; not started writes nothing.
    sink.Open();
    sink.BufferReady(block.Header());
    sink.Start();
    const Bytes data = PatternBytes(64, 4);
    std::copy(data.begin(), data.end(), block.Header()->lpData);
    sink.BufferReady(block.Header());
    sink.SetEnabled(false);
    sink.BufferReady(block.Header());
    sink.SetEnabled(true);
    sink.Close();
    EXPECT_EQ(SndOpenInfo(path).frames, 16);
    const Bytes written = ReadBytes(path);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), written.begin() + 46));
    EXPECT_EQ(sink.Wave()->DataSize(), 16) << "the wave keeps the finished file's properties";
}
