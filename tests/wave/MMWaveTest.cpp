#include "support/Raised.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"
#include "wave/MMWave.h"
#include "wave/WaveIO.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

namespace {
// Writes `data` through a created TMMWave in pieces of `piece` bytes and closes it.
void createWave(const std::string& path, const TWaveFormatEx& format, const Bytes& data, std::size_t piece = 1000)
{
    TMMWave w;
    w.SetFileMustExist(false);
    w.CreateWaveFile(path, &format);
    for (std::size_t at = 0; at < data.size(); at += piece) {
        const std::size_t n = std::min(piece, data.size() - at);
        ASSERT_EQ(w.WriteDataBytes(data.data() + at, static_cast<std::int64_t>(n)), static_cast<std::int64_t>(n));
    }
    w.CloseFile();
}

Bytes readAll(TMMWave& w, std::int64_t chunk = 4096)
{
    Bytes out;
    w.OpenFile();
    std::vector<std::uint8_t> buf(static_cast<std::size_t>(chunk));
    for (;;) {
        const std::int64_t n = w.ReadDataBytes(buf.data(), chunk);
        if (n <= 0)
            break;
        out.insert(out.end(), buf.begin(), buf.begin() + n);
    }
    w.CloseFile();
    return out;
}

Bytes fmtBytes(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint32_t avg, std::uint16_t align,
               std::uint16_t bits)
{
    Bytes f;
    PutLe16(f, tag);
    PutLe16(f, channels);
    PutLe32(f, rate);
    PutLe32(f, avg);
    PutLe16(f, align);
    PutLe16(f, bits);
    PutLe16(f, 0);
    return f;
}

std::string errorOf(TMMWave& w, const std::string& path)
{
    return RaisedText<EMMWaveError>([&] { w.SetFileName(path); });
}
}  // namespace

TEST(RiffLayout, CreatedFileHasExactlyTheDocumentedBytes)
{
    TempDir dir;
    const Bytes data = PatternBytes(1001);  // odd: a pad byte follows
    const TWaveFormatEx mono8 = pcmWaveFormat(8, 1, 11025);
    createWave(dir.File("odd.wav"), mono8, data, 333);
    const Bytes f = ReadBytes(dir.File("odd.wav"));
    ASSERT_EQ(f.size(), 4 + 4 + 4 + 8 + 18 + 8 + 1001 + 1 + 12u);
    EXPECT_EQ(std::string(f.begin(), f.begin() + 4), "RIFF");
    EXPECT_EQ(GetLe32(f, 4), f.size() - 8);
    EXPECT_EQ(std::string(f.begin() + 8, f.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(GetLe32(f, 16), 18u);
    EXPECT_EQ(GetLe16(f, 20), 1);
    EXPECT_EQ(GetLe16(f, 22), 1);
    EXPECT_EQ(GetLe32(f, 24), 11025u);
    EXPECT_EQ(GetLe32(f, 28), 11025u);
    EXPECT_EQ(GetLe16(f, 32), 1);
    EXPECT_EQ(GetLe16(f, 34), 8);
    EXPECT_EQ(GetLe16(f, 36), 0) << "extra size word of PCM";
    EXPECT_EQ(std::string(f.begin() + 38, f.begin() + 42), "data");
    EXPECT_EQ(GetLe32(f, 42), 1001u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), f.begin() + 46));
    EXPECT_EQ(f[46 + 1001], 0) << "pad byte";
    EXPECT_EQ(std::string(f.begin() + 1048, f.begin() + 1052), "fact");
    EXPECT_EQ(GetLe32(f, 1052), 4u);
    EXPECT_EQ(GetLe32(f, 1056), 1001u);

    // Closed after no data at all: data size 0, fact 0.
    TMMWave empty;
    const TWaveFormatEx cd = pcmWaveFormat(16, 2, 44100);
    empty.CreateWaveFile(dir.File("empty.wav"), &cd);
    empty.CloseFile();
    const Bytes e = ReadBytes(dir.File("empty.wav"));
    ASSERT_EQ(e.size(), 58u);
    EXPECT_EQ(GetLe32(e, 4), 50u);
    EXPECT_EQ(GetLe32(e, 42), 0u);
    EXPECT_EQ(GetLe32(e, 54), 0u);
    EXPECT_EQ(empty.FileSize(), 58);
}

TEST(RiffLayout, OutsideReaderReadsOurFilesSampleForSample)
{
    TempDir dir;
    for (const TWaveFormatEx& format : {pcmWaveFormat(16, 2, 44100), pcmWaveFormat(8, 1, 22050), pcmWaveFormat(16, 1, 8000), pcmWaveFormat(8, 2, 48000)}) {
        const Bytes data = PatternBytes(format.nBlockAlign * 12345u, format.nChannels * 100 + format.wBitsPerSample);
        const std::string path = dir.File("out.wav");
        createWave(path, format, data, 4096);
        const SndInfo info = SndOpenInfo(path);
        ASSERT_TRUE(info.ok);
        EXPECT_EQ(info.channels, format.nChannels);
        EXPECT_EQ(info.rate, static_cast<int>(format.nSamplesPerSec));
        EXPECT_EQ(info.frames, 12345);
        const std::vector<std::int16_t> samples = SndReadShorts(path);
        ASSERT_EQ(samples.size(), 12345u * format.nChannels);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const int expected = format.wBitsPerSample == 16
                                     ? static_cast<std::int16_t>(data[2 * i] | data[2 * i + 1] << 8)
                                     : (data[i] - 128) * 256;
            ASSERT_EQ(samples[i], expected) << "sample " << i;
        }
    }
}

TEST(RiffParse, FilesWrittenByLibsndfileInOtherLayoutsParse)
{
    TempDir dir;
    struct Case {
        const char* name;
        int format;
        int channels;
        int rate;
        std::size_t frames;
        int tag;
        int blockAlign;
        std::string title;
    };
    const Case cases[] = {
        {"pcm16", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, 10000, 1, 4, ""},
        {"u8mono-odd", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, 22050, 9999, 1, 1, ""},
        {"extensible", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 2, 48000, 5000, 0xFFFE, 4, ""},
        {"info-list", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 32000, 3001, 1, 2, "A title"},
        {"u8stereo", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 2, 11025, 777, 1, 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(std::string(c.name) + ".wav");
        const std::vector<std::int16_t> samples = PatternShorts(c.frames * c.channels, 7);
        ASSERT_TRUE(SndWriteShorts(path, c.format, c.channels, c.rate, samples, c.title));
        TMMWave w;
        w.SetFileName(path);
        ASSERT_TRUE(w.PWaveFormat());
        EXPECT_EQ(w.FormatTag(), c.tag);
        EXPECT_EQ(w.PWaveFormat()->nChannels, c.channels);
        EXPECT_EQ(w.SampleRate(), c.rate);
        EXPECT_EQ(w.PWaveFormat()->nBlockAlign, c.blockAlign);
        EXPECT_EQ(w.DataSize(), static_cast<std::int64_t>(c.frames)) << "samples";
        w.SetTimeFormat(tfByte);
        EXPECT_EQ(w.DataSize(), static_cast<std::int64_t>(c.frames) * c.blockAlign);
        // The bytes we stream are the bytes libsndfile wrote.
        const Bytes streamed = readAll(w);
        ASSERT_EQ(streamed.size(), c.frames * c.blockAlign);
        for (std::size_t i = 0; i < samples.size(); i += 97) {
            const int got = c.blockAlign / c.channels == 2
                                ? static_cast<std::int16_t>(streamed[2 * i] | streamed[2 * i + 1] << 8)
                                : (streamed[i] - 128) * 256;
            const int expected = c.blockAlign / c.channels == 2 ? samples[i] : (samples[i] & ~0xFF);
            EXPECT_EQ(got, expected) << i;
        }
    }
}

TEST(RiffParse, ChunkLayoutsAndRepairs)
{
    TempDir dir;
    const Bytes data = PatternBytes(4000);
    const std::string path = dir.File("x.wav");
    const auto parse = [&](const Bytes& file) {
        WriteBytes(path, file);
        auto w = std::make_unique<TMMWave>();
        w->SetTimeFormat(tfByte);
        w->SetFileName(path);
        return w;
    };
    // 16-byte fmt, chunks before and after data: data ends at the next chunk's header,
    // rounded down to whole blocks.
    auto w = parse(RiffBuilder()
                       .Chunk("junk", Bytes(13, 1))
                       .Fmt(1, 2, 44100, 16, 16)
                       .Chunk("zzzz", Bytes(5, 2))
                       .Chunk("data", Bytes(data.begin(), data.begin() + 1003))
                       .Chunk("fact", Bytes{1, 2, 3, 4})
                       .Build());
    EXPECT_EQ(w->DataSize(), 1000);
    EXPECT_EQ(w->FileSize(), static_cast<std::int64_t>(ReadBytes(path).size()));
    // A wrong block alignment and byte rate are recomputed for PCM, and the wrong "fact"
    // count is ignored.
    w = parse(RiffBuilder().Fmt(1, 2, 44100, 16, 16, 3, 12345).Chunk("data", data).Chunk("fact", Bytes{9, 0, 0, 0}).Build());
    EXPECT_EQ(w->PWaveFormat()->nBlockAlign, 4);
    EXPECT_EQ(w->PWaveFormat()->nAvgBytesPerSec, 176400u);
    EXPECT_EQ(w->DataSize(), 4000);
    w->SetTimeFormat(tfSample);
    EXPECT_EQ(w->DataSize(), 1000);
    // A RIFF size larger than the file is cut to the file.
    w = parse(RiffBuilder().Fmt(1, 1, 8000, 8).Chunk("data", data).RiffSize(0x7FFFFFF0).Build());
    EXPECT_EQ(w->DataSize(), 4000);
    // Two fmt or two data chunks: the walk stops at the second.
    w = parse(RiffBuilder()
                  .Fmt(1, 1, 8000, 8)
                  .Chunk("data", Bytes(100, 0x80))
                  .Fmt(1, 2, 44100, 16)
                  .Chunk("data", data)
                  .Build());
    EXPECT_EQ(w->PWaveFormat()->nChannels, 1);
    EXPECT_EQ(w->DataSize(), 100);
    // An odd 8-bit data chunk as the last chunk: its pad byte is no sample.
    w = parse(RiffBuilder().Fmt(1, 1, 8000, 8).Chunk("data", Bytes(101, 0x80)).Build());
    EXPECT_EQ(w->DataSize(), 101);
    // A format chunk shorter than 18 bytes leaves the extra size 0; a non-PCM one with an
    // extra size that reaches past its chunk still gives a record holding those bytes.
    Bytes adpcm;
    PutLe16(adpcm, 2);
    PutLe16(adpcm, 1);
    PutLe32(adpcm, 8000);
    PutLe32(adpcm, 4096);
    PutLe16(adpcm, 256);
    PutLe16(adpcm, 4);
    PutLe16(adpcm, 0xFFFF);
    w = parse(RiffBuilder().Chunk("fmt ", adpcm).Chunk("data", Bytes(512, 0)).Build());
    EXPECT_EQ(w->FormatString(), "Microsoft ADPCM");
    EXPECT_EQ(wioSizeOfWaveFormat(w->PWaveFormat()), 18u + 0xFFFF);
    EXPECT_EQ(w->DataSize(), 512);
}

TEST(RiffParse, WavesWrittenToAPipeAreReadToTheEndOfTheFile)
{
    TempDir dir;
    // Half a second of stereo samples, odd bytes included, as a raw file for the writers.
    const Bytes samples = PatternBytes(44100 * 2);
    WriteBytes(dir.File("in.raw"), samples);
    const std::string in = " -r 44100 -c 2 -b 16 -e signed-integer -t raw " + dir.File("in.raw");
    const std::pair<std::string, std::string> writers[] = {
        {"ffmpeg", "ffmpeg -loglevel error -f s16le -ar 44100 -ac 2 -i " + dir.File("in.raw") + " -f wav - | cat > "},
        {"sox", "sox" + in + " -t wav - | cat > "},
    };
    for (const auto& [name, command] : writers) {
        SCOPED_TRACE(name);
        const std::string path = dir.File(name + ".wav");
        ASSERT_EQ(std::system((command + path).c_str()), 0) << command;
        TMMWave w;
        w.SetTimeFormat(tfByte);
        ASSERT_NO_THROW(w.SetFileName(path));
        EXPECT_EQ(readAll(w), samples);
    }
    // Size fields of 0, or a data chunk claiming more than the file holds.
    const std::string path = dir.File("zero.wav");
    for (const Bytes& file : {RiffBuilder().Fmt(1, 2, 44100, 16).RawChunk("data", 0, samples).RiffSize(0).Build(),
                              RiffBuilder().Fmt(1, 2, 44100, 16).RawChunk("data", 100000000, samples).Build()}) {
        WriteBytes(path, file);
        TMMWave w;
        w.SetTimeFormat(tfByte);
        ASSERT_NO_THROW(w.SetFileName(path));
        EXPECT_EQ(readAll(w), samples);
    }
}

TEST(RiffParse, BrokenFilesAreRefusedWithTheirMessages)
{
    TempDir dir;
    const std::string path = dir.File("bad.wav");
    TMMWave w;
    EXPECT_EQ(errorOf(w, dir.File("missing.wav")), "Error reading wave file");
    const Bytes data = PatternBytes(400);
    const std::vector<Bytes> invalid = {
        {},
        Bytes{'R', 'I', 'F', 'F'},
        RiffBuilder().Chunk("data", data).Build(),                                            // no format
        RiffBuilder().Fmt(1, 2, 0, 16).Chunk("data", data).Build(),                          // 0 Hz
        RiffBuilder().Fmt(1, 0, 44100, 16).Chunk("data", data).Build(),                      // 0 channels: 0 alignment
        RiffBuilder().Chunk("fmt ", fmtBytes(3, 2, 44100, 0, 8, 32)).Chunk("data", data).Build(),     // 0 byte rate
        RiffBuilder().Chunk("fmt ", fmtBytes(2, 2, 44100, 22050, 0, 4)).Chunk("data", data).Build(),  // 0 alignment
        RiffBuilder().Chunk("fmt ", fmtBytes(1, 1, 44100, 0, 0, 4)).Chunk("data", data).Build(),      // 4-bit PCM
        RiffBuilder().Chunk("fmt ", Bytes{1, 0}).Chunk("data", data).Build(),                        // 2-byte fmt
    };
    // Keep a good file loaded: a failed parse leaves it in place.
    const std::string good = dir.File("good.wav");
    WritePcmWave(good, 16, 2, 44100, data);
    w.SetFileName(good);
    for (std::size_t i = 0; i < invalid.size(); ++i) {
        WriteBytes(path, invalid[i]);
        EXPECT_EQ(errorOf(w, path), "Invalid wave file...") << "case " << i;
        EXPECT_EQ(w.FileName(), good);
        EXPECT_EQ(w.DataSize(), 100);
    }
    EXPECT_FALSE(IsWaveFile(path));
    EXPECT_TRUE(IsWaveFile(good));
}

TEST(MMWave, PropertiesOfAnEmptyWaveAndSettings)
{
    TMMWave w;
    EXPECT_EQ(w.SampleRate(), 11025);
    EXPECT_EQ(w.FormatString(), "Unknown");
    EXPECT_EQ(w.BitLength(), 0);
    EXPECT_EQ(w.Mode(), mMono);
    EXPECT_EQ(w.DataSize(), 0);
    EXPECT_EQ(w.FileSize(), 0);
    EXPECT_EQ(w.GetPosition(), -1);
    EXPECT_EQ(w.ReadDataBytes(nullptr, 10), -1);
    EXPECT_EQ(w.WriteDataBytes("x", 1), -1);
    w.SetIOBufferSize(1000);
    EXPECT_EQ(w.IOBufferSize(), 8192);
    EXPECT_TRUE(w.FileMustExist());
    // Without FileMustExist a missing name is only stored.
    TempDir dir;
    w.SetFileMustExist(false);
    int notes = 0;
    TMMObserver o;
    o.OnNotify = [&](TMMObserver*, void*) { ++notes; };
    w.AddObserver(&o);
    w.SetFileName(dir.File("later.wav"));
    EXPECT_EQ(w.FileName(), dir.File("later.wav"));
    EXPECT_FALSE(w.PWaveFormat());
    EXPECT_EQ(notes, 1);
}

TEST(MMWave, ParseNotifiesOnceAndSameNameWithSameSizeDoesNothing)
{
    TempDir dir;
    const std::string path = dir.File("a.wav");
    WritePcmWave(path, 16, 2, 44100, PatternBytes(4000));
    TMMWave w;
    int notes = 0;
    TMMObserver o;
    o.OnNotify = [&](TMMObserver*, void* data) {
        EXPECT_EQ(data, &w);
        ++notes;
    };
    w.AddObserver(&o);
    w.SetFileName(path);
    EXPECT_EQ(notes, 1);
    EXPECT_EQ(w.Mode(), mStereo);
    EXPECT_EQ(w.BitLength(), 16);
    w.SetFileName(path);
    EXPECT_EQ(notes, 1) << "same name, same size";
    WritePcmWave(path, 16, 2, 44100, PatternBytes(8000));
    w.SetFileName(path);
    EXPECT_EQ(notes, 2) << "the size on disk changed";
    EXPECT_EQ(w.DataSize(), 2000);
    // Assign parses the other's file and notifies once.
    TMMWave copy;
    int copyNotes = 0;
    TMMObserver o2;
    o2.OnNotify = [&](TMMObserver*, void*) { ++copyNotes; };
    copy.AddObserver(&o2);
    copy.Assign(w);
    EXPECT_EQ(copyNotes, 1);
    EXPECT_EQ(copy.DataSize(), 2000);
}

TEST(MMWave, StreamingPositionsAndSeeking)
{
    TempDir dir;
    const std::string path = dir.File("s.wav");
    const Bytes data = PatternBytes(4 * 10000);
    WritePcmWave(path, 16, 2, 44100, data);
    TMMWave w;
    w.SetFileName(path);
    EXPECT_EQ(readAll(w, 3000), data) << "reads in pieces that are not whole blocks";
    w.OpenFile();
    w.SetPosition(2500);
    EXPECT_EQ(w.GetPosition(), 2500);
    EXPECT_EQ(w.BytesLeft(), 4 * 7500);
    std::vector<std::uint8_t> buf(400);
    ASSERT_EQ(w.ReadDataBytes(buf.data(), 400), 400);
    EXPECT_TRUE(std::equal(buf.begin(), buf.end(), data.begin() + 10000));
    EXPECT_EQ(w.GetPosition(), 2600);
    w.SetTimeFormat(tfMillisecond);
    EXPECT_EQ(w.DataSize(), 227);  // 10000 / 44.1
    w.SetPosition(100000);          // past the end: clamped
    EXPECT_EQ(w.BytesLeft(), 0);
    EXPECT_EQ(w.ReadDataBytes(buf.data(), 400), -1);
    EXPECT_FALSE(w.CutShort()) << "reading to the end is no early end";
    w.CloseFile();
    EXPECT_EQ(w.GetPosition(), 0);
    // The file is cut while streaming: what is left is delivered, then the data ends and
    // says why, with no crash.
    w.SetTimeFormat(tfSample);
    w.OpenFile();
    ASSERT_EQ(::truncate(path.c_str(), 44 + 4 * 9050), 0);
    w.SetPosition(9000);
    EXPECT_EQ(w.ReadDataBytes(buf.data(), 400), 200);
    EXPECT_EQ(w.BytesLeft(), 0);
    EXPECT_EQ(w.ReadDataBytes(buf.data(), 400), -1);
    EXPECT_TRUE(w.CutShort());
    EXPECT_EQ(w.CutShortReason(), "it ended after 36200 of the 40000 bytes of its audio");
    w.CloseFile();
    w.OpenFile();
    EXPECT_FALSE(w.CutShort()) << "a new run of reads starts whole";
    ASSERT_EQ(::truncate(path.c_str(), 44), 0);
    w.SetPosition(9000);
    EXPECT_EQ(w.ReadDataBytes(buf.data(), 400), 0);
    EXPECT_EQ(w.BytesLeft(), 0);
    EXPECT_TRUE(w.CutShort());
    w.CloseFile();
}

TEST(MMWave, CreatingReplacesAnExistingFileAndFailuresKeepTheOldWave)
{
    TempDir dir;
    const std::string path = dir.File("c.wav");
    WriteBytes(path, Bytes(100000, 0x55));
    const TWaveFormatEx cd = pcmWaveFormat(16, 2, 44100);
    createWave(path, cd, PatternBytes(400));
    EXPECT_EQ(ReadBytes(path).size(), 58u + 400);

    TMMWave w;
    w.SetFileName(path);
    try {
        w.CreateWaveFile(dir.File("no/such/folder/x.wav"), &cd);
        FAIL() << "no error";
    } catch (const EMMWaveError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Unable to create wave file\n" + dir.File("no/such/folder/x.wav") + ": No such file or directory");
    }
    EXPECT_EQ(w.FileName(), path);
    EXPECT_EQ(w.DataSize(), 100);
    // A very long name is refused, not overrun.
    EXPECT_THROW(w.CreateWaveFile(dir.File(std::string(5000, 'n')), &cd), EMMWaveError);
    // A missing format or name does nothing.
    w.CreateWaveFile("", &cd);
    w.CreateWaveFile(dir.File("y.wav"), nullptr);
    EXPECT_EQ(w.FileName(), path);
}

TEST(RiffLimits, SizesBeyondTwoGigabytesUseSixtyFourBits)
{
    TempDir dir;
    const std::string path = dir.File("big.wav");
    // A sparse file whose data chunk holds 0xFFFFFF00 bytes (the RIFF limit is 4 GiB):
    // only the header and the last bytes are real.
    const std::uint32_t dataBytes = 0xFFFFFF00u;
    Bytes header = RiffBuilder().Fmt(1, 2, 44100, 16).RawChunk("data", dataBytes, {}).RiffSize(dataBytes + 36).Build();
    WriteBytes(path, header);
    const Bytes tail = PatternBytes(4096, 3);
    {
        const int fd = ::open(path.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::pwrite(fd, tail.data(), tail.size(), static_cast<off_t>(header.size()) + dataBytes - tail.size()),
                  static_cast<ssize_t>(tail.size()));
        ::close(fd);
    }
    TMMWave w;
    w.SetFileName(path);
    EXPECT_EQ(w.DataSize(), dataBytes / 4);
    w.SetTimeFormat(tfByte);
    EXPECT_EQ(w.DataSize(), dataBytes);
    EXPECT_EQ(w.FileSize(), static_cast<std::int64_t>(header.size()) + dataBytes);
    w.OpenFile();
    w.SetPosition(dataBytes - 4096);
    EXPECT_EQ(w.GetPosition(), dataBytes - 4096);
    EXPECT_EQ(w.BytesLeft(), 4096);
    std::vector<std::uint8_t> buf(8192);
    ASSERT_EQ(w.ReadDataBytes(buf.data(), 8192), 4096);
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), buf.begin()));
    EXPECT_EQ(w.GetPosition(), dataBytes);
    w.CloseFile();

    // Back-patching a chunk of more than 2 GiB writes the full u32 size.
    TRiffFile f;
    ASSERT_TRUE(f.Open(dir.File("patch.bin"), TRiffFile::OpenReadWrite | TRiffFile::OpenCreate));
    TMMCKInfo ck;
    ck.ckid = FourCC("data");
    ASSERT_TRUE(f.CreateChunk(ck, 0));
    ASSERT_EQ(f.Seek(0xC0000000LL, SEEK_CUR), 0xC0000008LL);
    ASSERT_EQ(f.Write("abc", 3), 3);
    ASSERT_TRUE(f.Ascend(ck));
    EXPECT_EQ(ck.cksize, 0xC0000003u);
    EXPECT_EQ(f.Tell(), 0xC0000008LL + 3 + 1) << "behind the pad byte";
    ASSERT_TRUE(f.Close());
    // Only the header and the file's length are looked at; the rest is a hole.
    Bytes head(8);
    {
        const int fd = ::open(dir.File("patch.bin").c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::pread(fd, head.data(), head.size(), 0), 8);
        EXPECT_EQ(::lseek(fd, 0, SEEK_END), 0xC000000CLL);
        ::close(fd);
    }
    EXPECT_EQ(GetLe32(head, 4), 0xC0000003u);

    // A created file refuses data that would overflow the RIFF size field.
    const TWaveFormatEx cd = pcmWaveFormat(16, 2, 44100);
    PMMWaveIOInfo info = WaveIOCreateInfo(&cd);
    ASSERT_EQ(WaveIOCreate(info.get(), dir.File("limit.wav")), WIOERR_NOERROR);
    info->dwDataBytes = WaveIOMaxDataBytes(18) - 4;
    EXPECT_EQ(WaveIOWrite(info.get(), "abcdefgh", 8), -1);
    EXPECT_EQ(WaveIOWrite(info.get(), "abcd", 4), 4);
    EXPECT_EQ(info->dwDataBytes, WaveIOMaxDataBytes(18));
    EXPECT_LE(4 + 8 + 18 + 8 + info->dwDataBytes + 1 + 12, 0xFFFFFFFFLL);
    WaveIOFree(info);
}

TEST(RiffLimits, AFileMadeToGrowGoesOnAsRf64PastTheLimitAndReadsBackWhole)
{
    TempDir dir;
    const TWaveFormatEx cd = pcmWaveFormat(16, 2, 44100);
    const Bytes data = PatternBytes(30000);
    const auto make = [&](const std::string& path, std::int64_t limit) {
        TMMWave w;
        w.SetFileMustExist(false);
        w.SetGrowsToRf64(true, limit);
        w.CreateWaveFile(path, &cd);
        EXPECT_EQ(w.WriteDataBytes(data.data(), 15000), 15000);
        EXPECT_EQ(w.WriteDataBytes(data.data() + 15000, 15000), 15000) << "past the limit, not refused";
        EXPECT_TRUE(w.CloseFile());
        return ReadBytes(path);
    };
    // Below its limit the file stays RIFF; the kept room is a JUNK chunk readers pass over.
    const Bytes riff = make(dir.File("riff.wav"), kRiffSizeLimit);
    EXPECT_EQ(std::string(riff.begin(), riff.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(riff.begin() + 12, riff.begin() + 16), "JUNK");
    EXPECT_EQ(SndOpenInfo(dir.File("riff.wav")).frames, 7500);

    const std::string path = dir.File("long.wav");
    const Bytes f = make(path, 20000);
    ASSERT_EQ(std::string(f.begin(), f.begin() + 4), "RF64");
    EXPECT_EQ(GetLe32(f, 4), 0xFFFFFFFFu);
    ASSERT_EQ(std::string(f.begin() + 12, f.begin() + 16), "ds64");
    EXPECT_EQ(GetLe32(f, 20) | std::uint64_t(GetLe32(f, 24)) << 32, f.size() - 8) << "RIFF size";
    EXPECT_EQ(GetLe32(f, 28) | std::uint64_t(GetLe32(f, 32)) << 32, 30000u) << "data size";
    EXPECT_EQ(GetLe32(f, 36) | std::uint64_t(GetLe32(f, 40)) << 32, 7500u) << "sample count";
    // Our own reader and libsndfile take every sample byte, and nothing behind them.
    TMMWave w;
    w.SetFileName(path);
    w.SetTimeFormat(tfByte);
    EXPECT_EQ(w.DataSize(), 30000);
    w.OpenFile();
    EXPECT_EQ(readAll(w), data);
    w.CloseFile();
    EXPECT_EQ(SndReadShorts(path), SndReadShorts(dir.File("riff.wav")));
    // A truncated RF64 file (the program ended mid-take) keeps what reached the disk.
    WriteBytes(dir.File("cut.wav"), Bytes(f.begin(), f.begin() + 82 + 20000));
    TMMWave cut;
    cut.SetFileName(dir.File("cut.wav"));
    cut.SetTimeFormat(tfByte);
    EXPECT_EQ(cut.DataSize(), 20000);
}

TEST(RiffLayout, InfoItemsAndDispTextAreWrittenAfterTheFactChunkAndReadBack)
{
    TempDir dir;
    const std::string path = dir.File("info.wav");
    const TWaveFormatEx cd = pcmWaveFormat(16, 2, 44100);
    PMMWaveIOInfo info = WaveIOCreateInfo(&cd);
    info->infoNodes[14].text = "Night Train";  // INAM
    info->infoNodes[1].text = "Odd";           // IART: 4 bytes with its zero
    info->dispList.push_back({1, {'h', 'i', 0}});
    ASSERT_EQ(WaveIOCreate(info.get(), path), WIOERR_NOERROR);
    const Bytes data = PatternBytes(400);
    ASSERT_EQ(WaveIOWrite(info.get(), data.data(), 400), 400);
    ASSERT_EQ(WaveIOFinish(info.get()), WIOERR_NOERROR);
    WaveIOFree(info);

    EXPECT_EQ(SndTitle(path), "Night Train");
    EXPECT_EQ(SndReadShorts(path).size(), 200u);
    const Bytes f = ReadBytes(path);
    EXPECT_EQ(std::string(f.begin() + 446, f.begin() + 450), "fact");
    EXPECT_EQ(std::string(f.begin() + 458, f.begin() + 462), "DISP");
    EXPECT_EQ(GetLe32(f, 462), 7u);
    EXPECT_EQ(std::string(f.begin() + 474, f.begin() + 478), "LIST") << "DISP body 7 bytes plus a pad byte";
    EXPECT_EQ(GetLe32(f, 4), f.size() - 8);

    // Parsed again, the items are found.
    PMMWaveIOInfo parsed;
    ASSERT_EQ(WaveIOOpen(path, &parsed), WIOERR_NOERROR);
    EXPECT_EQ(parsed->InfoText(14), "Night Train");
    EXPECT_EQ(parsed->InfoText(1), "Odd");
    EXPECT_EQ(parsed->InfoText(0), "");
    ASSERT_EQ(parsed->dispList.size(), 1u);
    EXPECT_EQ(parsed->dispList[0].type, 1u);
    EXPECT_EQ(parsed->dwDataBytes, 400);
}
