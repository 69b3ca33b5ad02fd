// The plain MP3 file (room for the ID3v2 tag, Xing/Info frame with the LAME header, exact
// length), variable bit rate and joint stereo, the ID3v2.3 tag in both containers and the
// loudness measured for ReplayGain, read back by outside readers: libmpg123, TagLib, and
// ffmpeg, ffprobe and lame where they are installed.
#include "mpeg/EncoderChain.h"
#include "mpeg/FrameJoin.h"
#include "mpeg/MMBlade.h"
#include "mpeg/MPEGAudio.h"
#include "mpeg/TagFile.h"
#include "platform/codec/Loudness.h"
#include "stream/MMTrigg.h"
#include "stream/MMWaveFile.h"
#include "support/AudioOracles.h"
#include "support/CoverFixtures.h"
#include "support/RunEvents.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <regex>
#include <sndfile.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>

namespace {
constexpr unsigned kRate = 44100;
constexpr long kTenSeconds = 441000;

// The chain with a plain MP3 file as the wizard makes it with Container=mp3.
struct Chain : EncoderChain {
    void PlainMp3()
    {
        encoder.SetFileType(ftRAW);
        encoder.SetLeadingBytes(BlankID3v23(kID3v2Room));
        encoder.SetInfoFrame(true);
    }
};

// A music-like input: a chord with a little noise, the loudness changing slowly.
std::vector<std::int16_t> Chord(long frames)
{
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 600.0);
    std::vector<std::int16_t> pcm;
    for (long i = 0; i < frames; ++i) {
        const double t = double(i) / kRate;
        const double swell = 0.6 + 0.4 * std::sin(2 * M_PI * 0.3 * t);
        const double chord = std::sin(2 * M_PI * 220 * t) + 0.7 * std::sin(2 * M_PI * 277.2 * t) +
                             0.5 * std::sin(2 * M_PI * 329.6 * t) + 0.3 * std::sin(2 * M_PI * 1760 * t);
        for (int ch = 0; ch < 2; ++ch)
            pcm.push_back(static_cast<std::int16_t>(std::lround(
                std::clamp(5000.0 * swell * chord * (ch ? 0.9 : 1.0) + noise(random), -32768.0, 32767.0))));
    }
    return pcm;
}

// The Xing/Info tag id of the first frame after the room for the ID3v2 tag.
std::string InfoTagOf(const Bytes& file)
{
    const std::size_t at = kID3v2Room + 4 + 32;  // header, MPEG-1 stereo side information
    return file.size() > at + 4 ? std::string(file.begin() + at, file.begin() + at + 4) : "";
}

std::int64_t FfmpegDecodedFrames(const std::string& path)
{
    const auto out = ToolOutput("ffmpeg -v error -i " + ShellQuoted(path) + " -f s16le - | wc -c");
    return out ? std::stoll(*out) / 4 : -1;
}

class Mp3FileTest : public ::testing::Test {
protected:
    std::string WriteInput(const char* name, const std::vector<std::int16_t>& pcm)
    {
        const std::string path = dir.File(name);
        EXPECT_TRUE(SndWriteShorts(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, pcm));
        return path;
    }
    TempDir dir;
    Chain chain;
};
}  // namespace

TEST_F(Mp3FileTest, PlainMp3StartsWithTheTagRoomAndAnInfoFrameAndDecodesToTheExactLength)
{
    const std::string input = WriteInput("tone.wav", Tone(kRate, {440, 1000}, kTenSeconds));
    chain.PlainMp3();
    ASSERT_TRUE(chain.Run(input, dir.File("out.mp3")));
    EXPECT_EQ(chain.encoder.InfoFrameError(), 0);

    const Bytes file = ReadBytes(dir.File("out.mp3"));
    ASSERT_GT(file.size(), kID3v2Room + 1000);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), std::string("ID3\x03", 4));
    EXPECT_EQ(InfoTagOf(file), "Info") << "constant bit rate: an Info frame";
    const std::string lame(file.begin() + kID3v2Room + 36 + 120, file.begin() + kID3v2Room + 36 + 124);
    EXPECT_EQ(lame, "LAME");
    const Bytes frames(file.begin() + kID3v2Room, file.end());
    for (const Mp3Header& h : Mp3Frames(frames))
        ASSERT_EQ(h.kbps, 128u);

    EXPECT_EQ(DecodeMp3File(dir.File("out.mp3"), true).Frames(), kTenSeconds) << "gapless: the input's length";
    if (!HaveTool("ffmpeg"))
        GTEST_SKIP() << "ffmpeg is not installed: its decode is not compared";
    EXPECT_EQ(FfmpegDecodedFrames(dir.File("out.mp3")), kTenSeconds);
    EXPECT_EQ(ToolOutput("ffprobe -v error -show_entries format=format_name -of csv=p=0 " +
                         ShellQuoted(dir.File("out.mp3"))),
              "mp3\n");
}

TEST_F(Mp3FileTest, VariableBitRateJointStereoHasAXingFrameTheExactLengthAndLamesSize)
{
    const std::string input = WriteInput("chord.wav", Chord(kTenSeconds));
    chain.PlainMp3();
    chain.encoder.SetVbr(true, 2);
    chain.encoder.SetChannelMode(cmJointStereo);
    ASSERT_TRUE(chain.Run(input, dir.File("vbr.mp3")));
    const Bytes file = ReadBytes(dir.File("vbr.mp3"));
    EXPECT_EQ(InfoTagOf(file), "Xing");
    const auto headers = Mp3Frames(Bytes(file.begin() + kID3v2Room, file.end()));
    std::set<unsigned> rates, modes;
    for (const Mp3Header& h : headers) {
        rates.insert(h.kbps);
        modes.insert(h.mode);
    }
    EXPECT_GT(rates.size(), 2u) << "the bit rate varies";
    EXPECT_TRUE(modes.count(1)) << "joint stereo frames";
    EXPECT_EQ(DecodeMp3File(dir.File("vbr.mp3"), true).Frames(), kTenSeconds);

    if (!HaveTool("lame"))
        GTEST_SKIP() << "lame is not installed: the size is not compared";
    ASSERT_TRUE(ToolOutput("lame --quiet -V 2 " + ShellQuoted(input) + " " + ShellQuoted(dir.File("lame.mp3"))));
    const double ours = double(file.size() - kID3v2Room);
    const double theirs = double(ReadBytes(dir.File("lame.mp3")).size());
    EXPECT_NEAR(ours / theirs, 1.0, 0.15) << ours << " bytes against lame's " << theirs;
    if (HaveTool("ffmpeg")) {
        EXPECT_EQ(FfmpegDecodedFrames(dir.File("vbr.mp3")), kTenSeconds);
    }
}

TEST_F(Mp3FileTest, TheID3v2TagIsReadInBothContainersAndTheOwnReaderStillFindsFramesAndID3v1)
{
    const std::string input = WriteInput("tone.wav", Tone(kRate, {440, 660}, kRate * 2));
    const std::string title = "Ωμέγα — 東京 " + std::string(200, 'x');  // longer than any ID3v1 field
    ID3v2Fields fields;
    fields.title = title;
    fields.artist = "Łukasz";
    fields.year = "2024";
    fields.track = "3/12";
    fields.genre = "Jazz";
    fields.comment = "fine";
    ID3v1Fields v1;
    v1.title = ToLatin1(title, 30);

    chain.PlainMp3();
    ASSERT_TRUE(chain.Run(input, dir.File("plain.mp3")));
    ASSERT_EQ(SaveID3v2(dir.File("plain.mp3"), true, fields), 0);
    ASSERT_EQ(AppendTagBlock(dir.File("plain.mp3"), BuildID3v1(v1)), 0);
    chain.encoder.SetFileType(ftWAV);
    chain.encoder.SetLeadingBytes({});
    chain.encoder.SetInfoFrame(false);
    ASSERT_TRUE(chain.Run(input, dir.File("wave.mp3")));
    const Bytes before = ReadBytes(dir.File("wave.mp3"));
    ASSERT_EQ(SaveID3v2(dir.File("wave.mp3"), false, fields), 0);
    ASSERT_EQ(AppendTagBlock(dir.File("wave.mp3"), BuildID3v1(v1)), 0);
    // Written again, longer (as the album gain does): the chunk is replaced, the ID3v1 tag
    // stays at the very end.
    fields.userTexts.emplace_back("REPLAYGAIN_ALBUM_GAIN", "-1.00 dB");
    ASSERT_EQ(SaveID3v2(dir.File("wave.mp3"), false, fields), 0);

    const Bytes wave = ReadBytes(dir.File("wave.mp3"));
    std::vector<std::string> ids;
    for (const auto& [id, body] : RiffChunks(Bytes(wave.begin(), wave.end() - kID3v1Size)))
        ids.push_back(id);
    EXPECT_EQ(ids, (std::vector<std::string>{"fmt ", "data", "fact", "id3 "}));
    EXPECT_EQ(Bytes(wave.begin() + 8, wave.begin() + before.size()), Bytes(before.begin() + 8, before.end()))
        << "everything but the RIFF size stays as it was";
    EXPECT_EQ(GetLe32(wave, 4), wave.size() - kID3v1Size - 8);

    TagLib::MPEG::File mp3(dir.File("plain.mp3").c_str());
    ASSERT_TRUE(mp3.hasID3v2Tag());
    EXPECT_EQ(mp3.ID3v2Tag()->header()->majorVersion(), 3u);
    EXPECT_EQ(mp3.ID3v2Tag()->title().to8Bit(true), title);
    EXPECT_EQ(mp3.ID3v2Tag()->artist().to8Bit(true), "Łukasz");
    EXPECT_EQ(mp3.ID3v2Tag()->track(), 3u);
    EXPECT_EQ(mp3.ID3v2Tag()->genre().to8Bit(true), "Jazz");
    EXPECT_EQ(mp3.ID3v2Tag()->comment().to8Bit(true), "fine");
    EXPECT_EQ(mp3.ID3v1Tag()->title().to8Bit(true), "????? - ?? xxxxxxxxxxxxxxxxxxx");
    EXPECT_EQ(DecodeMp3File(dir.File("wave.mp3")).Frames() / 1152, DecodeMp3File(dir.File("plain.mp3")).Frames() / 1152)
        << "libmpg123 decodes every frame, then passes the chunks without a complaint";
    TagLib::RIFF::WAV::File wav(dir.File("wave.mp3").c_str());
    ASSERT_TRUE(wav.hasID3v2Tag());
    EXPECT_EQ(wav.ID3v2Tag()->title().to8Bit(true), title);
    EXPECT_EQ(wav.ID3v2Tag()->properties()["REPLAYGAIN_ALBUM_GAIN"].toString().to8Bit(), "-1.00 dB");

    for (const char* name : {"plain.mp3", "wave.mp3"}) {
        TMPEGAudio own;
        own.SetFileName(dir.File(name));
        EXPECT_TRUE(own.Valid()) << name;
        EXPECT_EQ(own.BitRate(), 128) << name;
        EXPECT_EQ(own.TagHeader(), "TAG") << name;
        EXPECT_EQ(own.TagFields().title, v1.title) << name;
    }
    if (!HaveTool("ffprobe"))
        GTEST_SKIP() << "ffprobe is not installed: its reading of the tags is not checked";
    for (const char* name : {"plain.mp3", "wave.mp3"})
        EXPECT_EQ(ToolOutput("ffprobe -v error -show_entries format_tags=title -of csv=p=0 " +
                             ShellQuoted(dir.File(name))),
                  title + "\n")
            << name;
}

TEST_F(Mp3FileTest, ReplayGainLoudnessAgreesWithFfmpegAndTheAlbumLiesBetweenItsTracks)
{
    auto quiet = Chord(kRate * 6);
    for (auto& s : quiet)
        s = static_cast<std::int16_t>(s / 4);
    const std::string loud = WriteInput("loud.wav", Chord(kRate * 6));
    const std::string soft = WriteInput("soft.wav", quiet);
    chain.encoder.SetMeasureLoudness(true);
    ASSERT_TRUE(chain.Run(loud, dir.File("loud.mp3")));
    const auto loudMeter = chain.encoder.Loudness();
    ASSERT_TRUE(chain.Run(soft, dir.File("soft.mp3")));
    const auto softMeter = chain.encoder.Loudness();
    ASSERT_TRUE(loudMeter && softMeter && loudMeter != softMeter);
    const double loudLufs = loudMeter->IntegratedLufs().value_or(0);
    const double softLufs = softMeter->IntegratedLufs().value_or(0);
    EXPECT_NEAR(loudLufs - softLufs, 20 * std::log10(4.0), 0.2);
    const LoudnessMeter* both[] = {loudMeter.get(), softMeter.get()};
    const double album = LoudnessMeter::AlbumLufs(both).value_or(0);
    EXPECT_LT(album, loudLufs);
    EXPECT_GT(album, softLufs);
    EXPECT_EQ(ReplayGainText(-11.52), "-6.48 dB");
    EXPECT_EQ(ReplayPeakText(0.9885531), "0.988553");

    if (!HaveTool("ffmpeg"))
        GTEST_SKIP() << "ffmpeg is not installed: the loudness is not compared";
    const auto out = ToolOutput("ffmpeg -nostats -i " + ShellQuoted(loud) + " -af ebur128 -f null - 2>&1");
    ASSERT_TRUE(out);
    std::smatch m;
    const std::string text = out->substr(out->rfind("Summary:"));
    ASSERT_TRUE(std::regex_search(text, m, std::regex(R"(I:\s+(-?[0-9.]+) LUFS)"))) << text;
    EXPECT_NEAR(loudLufs, std::stod(m[1]), 0.1);
}

TEST_F(Mp3FileTest, ATagThatWouldNotFitItsRoomIsRefusedAndTheAudioStaysUntouched)
{
    const std::string input = WriteInput("tone.wav", Tone(kRate, {440, 660}, kRate));
    chain.PlainMp3();
    ASSERT_TRUE(chain.Run(input, dir.File("plain.mp3")));
    const Bytes before = ReadBytes(dir.File("plain.mp3"));
    ID3v2Fields small;
    small.title = "t";
    ID3v2Fields huge;
    huge.comment = std::string(kID3v2Room, 'x');
    EXPECT_EQ(SaveID3v2(dir.File("plain.mp3"), true, huge), EOVERFLOW);
    // A room of another size is not the one the encoder left: the frames behind it stay.
    Bytes shifted = before;
    shifted[8] ^= 1;
    WriteBytes(dir.File("shifted.mp3"), shifted);
    EXPECT_EQ(SaveID3v2(dir.File("shifted.mp3"), true, small), EINVAL);
    EXPECT_EQ(ReadBytes(dir.File("shifted.mp3")), shifted);
    EXPECT_EQ(SaveID3v2(dir.File("gone.mp3"), true, small), ENOENT);
    EXPECT_EQ(ReadBytes(dir.File("plain.mp3")), before);
}

// A cover picture: one front-cover APIC frame in both containers; in a plain MP3 it grows
// the tag's room once, moving the audio back unchanged, and a longer rewrite (the album
// gain) fits the grown room.
TEST_F(Mp3FileTest, ACoverIsOneFrontCoverFrameInBothContainersAndGrowsThePlainRoomOnce)
{
    const std::string input = WriteInput("tone.wav", Tone(kRate, {440, 660}, kRate));
    ID3v2Fields fields;
    fields.title = "With cover";
    auto cover = std::make_shared<Picture>();
    cover->mime = "image/jpeg";
    cover->bytes = TestJpeg(600, 600, false);
    ASSERT_GT(cover->bytes.size(), kID3v2Room);
    fields.cover = cover;

    chain.PlainMp3();
    ASSERT_TRUE(chain.Run(input, dir.File("plain.mp3")));
    const Bytes before = ReadBytes(dir.File("plain.mp3"));
    ASSERT_EQ(SaveID3v2(dir.File("plain.mp3"), true, fields), 0);
    const Bytes grown = ReadBytes(dir.File("plain.mp3"));
    const std::size_t room = grown.size() - (before.size() - kID3v2Room);
    EXPECT_EQ(room % kID3v2Room, 0u);
    EXPECT_EQ(Bytes(grown.begin() + long(room), grown.end()), Bytes(before.begin() + kID3v2Room, before.end()))
        << "the audio moved back whole";
    fields.userTexts.emplace_back("REPLAYGAIN_ALBUM_GAIN", "-1.00 dB");
    ASSERT_EQ(SaveID3v2(dir.File("plain.mp3"), true, fields), 0);
    EXPECT_EQ(ReadBytes(dir.File("plain.mp3")).size(), grown.size()) << "the second tag fits the grown room";
    EXPECT_EQ(DecodeMp3File(dir.File("plain.mp3"), true).Frames(), kRate);

    chain.encoder.SetFileType(ftWAV);
    chain.encoder.SetLeadingBytes({});
    chain.encoder.SetInfoFrame(false);
    ASSERT_TRUE(chain.Run(input, dir.File("wave.mp3")));
    ASSERT_EQ(SaveID3v2(dir.File("wave.mp3"), false, fields), 0);

    for (const char* name : {"plain.mp3", "wave.mp3"}) {
        const std::vector<EmbeddedPicture> pictures = EmbeddedPictures(dir.File(name));
        ASSERT_EQ(pictures.size(), 1u) << name;
        EXPECT_EQ(pictures[0].type, 3) << name;
        EXPECT_EQ(pictures[0].mime, "image/jpeg") << name;
        EXPECT_EQ(pictures[0].data, cover->bytes) << name;
    }
}

// A long input encoded by two encoders at once, each part primed with the audio before it,
// joined into one stream: it decodes gaplessly to the input's length, and no 50 ms window
// (the join's included) strays more than 1 dB further from the input than one encoder's.
TEST_F(Mp3FileTest, AnInputSplitBetweenTwoEncodersJoinsWithoutGapClickOrLengthChange)
{
    constexpr long kFrames = 125 * kRate;  // just over the two minutes a split needs
    const std::vector<std::int16_t> pcm = Chord(kFrames);
    const std::string input = WriteInput("long.wav", pcm);
    chain.PlainMp3();
    chain.encoder.SetJobs(1, input);
    ASSERT_TRUE(chain.Run(input, dir.File("one.mp3")));
    chain.encoder.SetJobs(2, input);
    ASSERT_TRUE(chain.Run(input, dir.File("two.mp3")));
    EXPECT_EQ(chain.encoder.InfoFrameError(), 0);
    const Bytes one = ReadBytes(dir.File("one.mp3"));
    const Bytes two = ReadBytes(dir.File("two.mp3"));
    ASSERT_NE(one, two) << "the second run was split";
    EXPECT_EQ(InfoTagOf(two), "Info");
    Mp3Frames(Bytes(two.begin() + kID3v2Room, two.end()));  // whole frames throughout

    const DecodedMp3 serial = DecodeMp3File(dir.File("one.mp3"), true);
    const DecodedMp3 split = DecodeMp3File(dir.File("two.mp3"), true);
    ASSERT_EQ(serial.Frames(), kFrames);
    ASSERT_EQ(split.Frames(), kFrames) << "the joined stream's Info frame gives the exact length";
    const long window = kRate / 20;
    double worst = -1e9;
    long worstAt = 0;
    for (long w = 0; w + window <= kFrames; w += window) {
        double e1 = 1e-3;
        double e2 = 1e-3;
        for (long i = 2 * w; i < 2 * (w + window); ++i) {
            e1 += std::pow(double(serial.pcm[i]) - pcm[i], 2);
            e2 += std::pow(double(split.pcm[i]) - pcm[i], 2);
        }
        const double excess = 10 * std::log10(e2 / e1);
        if (excess > worst) {
            worst = excess;
            worstAt = w;
        }
    }
    EXPECT_LE(worst, 1.0) << "window at " << double(worstAt) / kRate << " s";
}

// The Info frame rewritten for a stream from scratch is LAME's own for it, but for the seek
// table (which only places seeks): counts, padding, music length and both CRCs agree.
TEST_F(Mp3FileTest, TheRewrittenInfoFrameIsTheOneLameWrites)
{
    const std::string input = WriteInput("tone.wav", Tone(kRate, {440, 1000}, kTenSeconds));
    chain.PlainMp3();
    ASSERT_TRUE(chain.Run(input, dir.File("out.mp3")));
    const Bytes file = ReadBytes(dir.File("out.mp3"));
    const Bytes stream(file.begin() + kID3v2Room, file.end());
    const auto frames = ScanMp3Frames(stream.data(), stream.size());
    ASSERT_GT(frames.size(), 2u);
    const Bytes lames(stream.begin(), stream.begin() + static_cast<long>(frames[0].length));
    const Bytes music(stream.begin() + static_cast<long>(frames[0].length), stream.end());
    Bytes ours = lames;
    constexpr std::size_t kLame = 36 + 120;  // header and side info, then the Xing fields
    for (std::size_t at : {36 + 8, 36 + 12})  // frame and byte counts
        std::fill(ours.begin() + static_cast<long>(at), ours.begin() + static_cast<long>(at) + 4, 0);
    ours[kLame + 22] &= 0xF0;  // the padding, not the delay
    ours[kLame + 23] = 0;
    std::fill(ours.begin() + kLame + 28, ours.begin() + kLame + 36, 0);
    ASSERT_TRUE(RewriteInfoFrame(ours, music, kTenSeconds));
    for (std::size_t i = 36 + 16; i < 36 + 116; ++i)  // the seek table, LAME's within one step
        EXPECT_LE(std::abs(int(ours[i]) - int(lames[i])), 1) << "byte " << i;
    // With LAME's seek table the header's own CRC, which covers it, is LAME's too.
    std::copy(lames.begin() + 36 + 16, lames.begin() + 36 + 116, ours.begin() + 36 + 16);
    const std::uint16_t crc = LameCrc16(ours.data(), kLame + 34);
    ours[kLame + 34] = static_cast<std::uint8_t>(crc >> 8);
    ours[kLame + 35] = static_cast<std::uint8_t>(crc);
    EXPECT_EQ(ours, lames);
}
