// The hidden window's glue: the wave check, the conversion, the encoding progress and the
// stop handler, without the wizard window.
#include "mixer/TrackEncoders.h"
#include "mixer/Unit2.h"
#include "mixer/WaveCheck.h"
#include "support/AudioOracles.h"
#include "support/Raised.h"
#include "support/RunEvents.h"
#include "support/ScriptedDialogs.h"
#include "support/SmallDisk.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <QCoreApplication>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sndfile.h>

namespace {
struct HookLog {
    int writeTag = 0;
    int cdWriteTag = 0;
    int finishUp = 0;
    std::vector<bool> timer1;
    std::vector<int> progress;
};

WizardHooks LoggingHooks(HookLog& log)
{
    WizardHooks h;
    h.WriteTag = [&](const std::string&) { return ++log.writeTag, 0; };
    h.CDWriteTag = [&](const std::string&) { return ++log.cdWriteTag, 0; };
    h.FinishUp = [&] { ++log.finishUp; };
    h.EnableTimer1 = [&](bool on) { log.timer1.push_back(on); };
    h.ShowConversionProgress = [&](int p) { log.progress.push_back(p); };
    return h;
}

std::string CheckError(const std::string& path)
{
    return RaisedText<EInOutError>([&] { CheckWave(path); }, "no error");
}
}  // namespace

TEST(Percent, RoundsToNearestWithTiesToEvenAndNeverOverflows)
{
    EXPECT_EQ(PercentOf(1, 200), 0);   // 0.5 -> 0
    EXPECT_EQ(PercentOf(3, 200), 2);   // 1.5 -> 2
    EXPECT_EQ(PercentOf(5, 200), 2);   // 2.5 -> 2
    EXPECT_EQ(PercentOf(2, 3), 67);
    EXPECT_EQ(PercentOf(0, 10), 0);
    EXPECT_EQ(PercentOf(10, 10), 100);
    EXPECT_EQ(PercentOf(5, 0), std::nullopt) << "no open wave: the gauge keeps its value";
    // A 60-minute 44100 Hz stereo file read in 65536-byte steps: rises steadily to 100.
    const std::int64_t size = 44100LL * 4 * 3600;
    int last = 0;
    for (std::int64_t pos = 0; pos <= size; pos += 65536) {
        const int p = *PercentOf(pos, size);
        ASSERT_GE(p, last);
        ASSERT_LE(p - last, 1);
        last = p;
    }
    EXPECT_EQ(PercentOf(size, size), 100);
    EXPECT_EQ(PercentOf(0xFFFFFFFFLL, 0xFFFFFFFFLL), 100);
    EXPECT_EQ(PercentOf(0x7FFFFFFFLL, 0xFFFFFFFELL), 50);
}

TEST(WaveCheck, OnlyCdQualityPcmGoesToTheEncoderUnchanged)
{
    TempDir dir;
    const Bytes data = PatternBytes(4000);
    struct Case {
        const char* name;
        Bytes file;
        bool expected;
    };
    const Case cases[] = {
        {"cd", RiffBuilder().Fmt(1, 2, 44100, 16).Chunk("data", data).Build(), true},
        // An 8-bit file would fail in the encoder: it goes through the conversion.
        {"eight bit", RiffBuilder().Fmt(1, 2, 44100, 8).Chunk("data", data).Build(), false},
        // Only the low 16 bits of this rate read 44100.
        {"rate 44100 + 65536", RiffBuilder().Fmt(1, 2, 44100 + 65536, 16).Chunk("data", data).Build(), false},
        {"mono", RiffBuilder().Fmt(1, 1, 44100, 16).Chunk("data", data).Build(), false},
        {"float", RiffBuilder().Fmt(3, 2, 44100, 32).Chunk("data", data).Build(), false},
        // A chunk before the format chunk moves it away from bytes 20..25; the file is judged
        // by what it holds, not by those bytes.
        {"list first", RiffBuilder().Chunk("LIST", PatternBytes(10)).Fmt(1, 2, 44100, 16).Chunk("data", data).Build(),
         true},
        {"not a wave", PatternBytes(100), false},
    };
    for (const Case& c : cases) {
        const std::string path = dir.File("f.wav");
        WriteBytes(path, c.file);
        EXPECT_EQ(CheckWave(path), c.expected) << c.name;
    }
}

TEST(WaveCheck, UnreadableFilesRaiseTheRunTimeErrors)
{
    TempDir dir;
    EXPECT_EQ(CheckError(dir.File("missing.wav")), "File not found");
    WriteBytes(dir.File("short.wav"), PatternBytes(25));
    EXPECT_EQ(CheckError(dir.File("short.wav")), "Read beyond end of file");
    EXPECT_EQ(CheckError(dir.Path()), "File access denied") << "a folder";
    WriteBytes(dir.File("just.wav"), RiffBuilder().Fmt(1, 2, 44100, 16).Build());
    EXPECT_EQ(CheckError(dir.File("just.wav")), "no error") << "26 bytes and more can be judged";
}

class HiddenWindow : public ::testing::Test {
protected:
    void SetUp() override { form2.SetWizardHooks(LoggingHooks(log)); }

    TempDir dir;
    WizardState state;
    TForm2 form2{state};
    HookLog log;
};

TEST_F(HiddenWindow, ConversionWritesCdQualityThatLibsndfileReads)
{
    // 16-bit mono at a quarter of the rate: resampled as one stream (no seams between the
    // 4096-byte blocks), exactly four times the frames, the mono sample on both sides.
    const long frames = 2048 * 5 + 700;
    const auto mono = Tone(11025, {1000}, frames);
    ASSERT_TRUE(SndWriteShorts(dir.File("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 11025, mono));
    form2.ConvertFile(dir.File("in.wav"), dir.File("out.wav"));
    const SndInfo info = SndOpenInfo(dir.File("out.wav"));
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.rate, 44100);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(info.frames, frames * 4);

    // The tone comes through whole and clean, on both channels alike, from start to end.
    const auto out = SndReadShorts(dir.File("out.wav"));
    for (std::size_t i = 0; i < out.size(); i += 2)
        ASSERT_EQ(out[i], out[i + 1]) << "both channels carry the mono sample";
    for (const long from : {2000L, frames * 4 - 2000 - 20000}) {
        const ToneFit fit = FitTone(out, 2, 0, 44100, 1000, from, 20000);
        EXPECT_NEAR(fit.amplitude, 16000, 16000 * 0.005) << "from " << from;
        EXPECT_LT(fit.ThdNoiseDb(), -80) << "from " << from;
    }
    ASSERT_FALSE(log.progress.empty());
    EXPECT_EQ(log.progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(log.progress.begin(), log.progress.end()));
}

TEST_F(HiddenWindow, CancelEndsTheConversionAfterTheCurrentChunk)
{
    const auto stereo = PatternShorts(44100 * 2 * 4);
    ASSERT_TRUE(SndWriteShorts(dir.File("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 22050, stereo));
    int chunks = 0;
    WizardHooks hooks = LoggingHooks(log);
    hooks.ShowConversionProgress = [&](int p) {
        log.progress.push_back(p);
        if (++chunks == 3)
            state.cancel = true;
    };
    form2.SetWizardHooks(hooks);
    form2.ConvertFile(dir.File("in.wav"), dir.File("out.wav"));
    EXPECT_EQ(log.progress.back(), 100) << "the gauge ends at 100 on cancel too";
    const SndInfo info = SndOpenInfo(dir.File("out.wav"));
    ASSERT_TRUE(info.ok) << "the destination is a finished wave file";
    // Three chunks of 4096 source bytes were converted and written: 2 x 4096 bytes each.
    EXPECT_EQ(info.frames, 3 * 4096 * 2 / 4);
}

TEST_F(HiddenWindow, ConversionRefusesFormatsItCannotConvert)
{
    struct Case {
        Bytes file;
        const char* holds;
    };
    const Case cases[] = {
        {RiffBuilder().Fmt(1, 9, 44100, 16).Chunk("data", PatternBytes(1800)).Build(), "PCM, 16 bits, 9 channels"},
        {RiffBuilder().Fmt(6, 1, 8000, 8).Chunk("data", PatternBytes(800)).Build(), "CCITT A-Law, 8 bits, 1 channel"},
        {RiffBuilder().Fmt(1, 2, 44100, 12).Chunk("data", PatternBytes(800)).Build(), "PCM, 12 bits, 2 channels"},
        // A format the wave object cannot even use is named all the same.
        {RiffBuilder().Fmt(1, 0, 44100, 16).Chunk("data", PatternBytes(800)).Build(), "PCM, 16 bits, 0 channels"},
    };
    int n = 0;
    for (const Case& c : cases) {
        // A name of its own: the wave object does not parse a name of the same size again.
        const std::string input = dir.File("in" + std::to_string(++n) + ".wav");
        WriteBytes(input, c.file);
        try {
            form2.ConvertFile(input, dir.File("out.wav"));
            ADD_FAILURE() << c.holds << " cannot be converted";
        } catch (const EMMWaveError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(std::string("Unsupported wave format: the file holds ") + c.holds, 0), 0u)
                << e.what();
        }
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.wav")));
    }
}

TEST_F(HiddenWindow, StopHandlerWritesTheTagAndFinishesExceptForCdTracks)
{
    const auto pcm = Tone(44100, {440, 660}, 44100);
    ASSERT_TRUE(SndWriteShorts(dir.File("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, pcm));

    state.sourceKind = "wave";
    form2.StartEncoding(dir.File("in.wav"), dir.File("a.mp3"), 8, false, false);
    EXPECT_TRUE(state.encodingInProgress);
    ASSERT_TRUE(RunEventsUntil([&] { return log.finishUp == 1; }));
    EXPECT_FALSE(state.encodingInProgress);
    EXPECT_EQ(log.writeTag, 1);
    EXPECT_EQ(log.timer1, (std::vector<bool>{true, false}));

    // A CD track, with or without details: the CD tag (the wizard decides what it holds),
    // no FinishUp, the track-done flag for the CD loop.
    state.sourceKind = "cd";
    state.cdTrackDetails = false;
    form2.StartEncoding(dir.File("in.wav"), dir.File("b.mp3"), 8, false, false);
    ASSERT_TRUE(RunEventsUntil([&] { return state.cdTrackDone; }));
    EXPECT_EQ(log.writeTag, 1);
    EXPECT_EQ(log.cdWriteTag, 1);
    EXPECT_EQ(log.finishUp, 1);

    state.cdTrackDone = false;
    state.cdTrackDetails = true;
    form2.StartEncoding(dir.File("in.wav"), dir.File("c.mp3"), 8, false, false);
    ASSERT_TRUE(RunEventsUntil([&] { return state.cdTrackDone; }));
    EXPECT_EQ(log.cdWriteTag, 2);
    EXPECT_EQ(log.finishUp, 1);
    EXPECT_EQ(DecodeMp3File(dir.File("c.mp3")).channels, 2);
}

TEST_F(HiddenWindow, TrackEncodersRunTwoAtOnceWritingTheChainsBytesAndStoppedOnesLeaveNothing)
{
    ASSERT_TRUE(SndWriteShorts(dir.File("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100,
                               Tone(44100, {440, 660}, 44100 * 3)));
    state.sourceKind = "cd";
    form2.StartEncoding(dir.File("in.wav"), dir.File("chain.mp3"), 8, true, false);
    ASSERT_TRUE(RunEventsUntil([&] { return state.cdTrackDone; }));

    std::vector<TrackEnd> ends;
    std::vector<int> tagged;
    TrackEncoders encoders(
        state.encoder, 2,
        [&](const TMMMP3Encoder&, const std::string&, int track) { return tagged.push_back(track), 0; },
        [&](const TrackEnd& end) { ends.push_back(end); });
    auto start = [&](int track) {
        const std::string wave = dir.File(("t" + std::to_string(track) + ".wav").c_str());
        std::filesystem::copy_file(dir.File("in.wav"), wave);
        encoders.Start({track, wave, dir.File(("t" + std::to_string(track) + ".mp3").c_str()), 8, true, false});
    };
    start(1);
    start(2);
    EXPECT_FALSE(encoders.HasFreeEncoder());
    ASSERT_TRUE(RunEventsUntil([&] { return encoders.Running() == 0; }));
    ASSERT_EQ(ends.size(), 2u);
    std::sort(tagged.begin(), tagged.end());
    EXPECT_EQ(tagged, (std::vector<int>{1, 2}));
    for (const char* name : {"t1", "t2"}) {
        EXPECT_TRUE(ReadBytes(dir.File((std::string(name) + ".mp3").c_str())) == ReadBytes(dir.File("chain.mp3")))
            << name;
        EXPECT_FALSE(std::filesystem::exists(dir.File((std::string(name) + ".wav").c_str()))) << name;
    }

    // Stopped at once: neither the MP3, nor a part of it, nor the wave stays.
    start(3);
    encoders.StopAll();
    ASSERT_TRUE(RunEventsUntil([&] { return encoders.Running() == 0; }));
    ASSERT_EQ(ends.size(), 3u);
    EXPECT_FALSE(ends.back().completed);
    EXPECT_TRUE(ends.back().message.empty()) << ends.back().message;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_TRUE(entry.path().filename() != "t3.mp3" && entry.path().filename() != "t3.wav" &&
                    entry.path().filename().string().front() != '.')
            << entry.path();
}

TEST_F(HiddenWindow, AConversionThatRunsOutOfDiskSaysSo)
{
    const SmallDisk small(dir.File("small"), "256k");
    if (!small.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    const std::string disk = small.Folder();
    ScriptedDialogsScope dialogs;
    ASSERT_TRUE(SndWriteShorts(dir.File("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 22050, PatternShorts(22050 * 10)));
    form2.ConvertFile(dir.File("in.wav"), disk + "/mp3tmp.wav");
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0],
              std::string(kConversionWriteFailedMessage) + "\n" + disk + "/mp3tmp.wav: No space left on device");
    EXPECT_EQ(log.progress.back(), 100);
}

TEST_F(HiddenWindow, AnOutputThatNamesTheInputIsRefusedAndTheInputKept)
{
    const auto pcm = Tone(44100, {440, 660}, 44100);
    ASSERT_TRUE(SndWriteShorts(dir.File("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, pcm));
    const Bytes before = ReadBytes(dir.File("in.wav"));
    state.sourceKind = "wave";
    for (const std::string& output : {dir.File("in.wav"), dir.Path() + "/./in.wav"}) {
        EXPECT_THROW(form2.StartEncoding(dir.File("in.wav"), output, 8, false, false), EMP3EncoderError);
        EXPECT_FALSE(state.encodingInProgress);
    }
    EXPECT_EQ(ReadBytes(dir.File("in.wav")), before);
    EXPECT_EQ(log.finishUp, 0);
}
