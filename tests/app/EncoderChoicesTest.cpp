// The encoder's choices on the options pages: saved to and read from the settings file, a
// plain MP3 file through the wizard checked by ffprobe, ffmpeg, mpg123 and mutagen, and the
// default wave container's frames unchanged with the new "id3 " chunk.
#include "app/WizardFixture.h"
#include "mpeg/MMBlade.h"
#include "mpeg/MPEGAudio.h"
#include "mpeg/TagFile.h"
#include "platform/codec/BladeEnc.h"
#include "platform/os/ProfileFile.h"
#include "stream/MMTrigg.h"
#include "stream/MMWaveFile.h"
#include "support/AudioOracles.h"
#include "support/RunEvents.h"
#include "support/WaveFixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <random>
#include <sndfile.h>
#include <sys/resource.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

namespace {
constexpr unsigned kRate = 44100;
const std::string kTitle = "Ωμέγα — 東京";

class EncoderChoicesTest : public WizardTest {
protected:
    // Walks to the options page with a typed title, picks the container, and encodes.
    void Encode(const std::string& input, int container)
    {
        WalkToDetails(input);
        Find<QLineEdit>("SingleTagTitle")->setText(QString::fromStdString(kTitle));
        Click("SingleTagNext");
        if (container >= 0)
            Find<QComboBox>("EncodeOptionsContainer")->setCurrentIndex(container);
        Click("EncodeOptionsNext");
        ASSERT_TRUE(WaitForFinish());
        EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    }
    std::string TenSeconds()
    {
        const std::string input = Input("ten.wav");
        EXPECT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, Tone(kRate, {440, 880}, 441000)));
        return input;
    }
    std::string Ini(const char* key) { return ProfileFile::Settings().ReadString("ENCODER", key, "(none)"); }
};

// Files of this process may not grow past `bytes` while it lives; a write past it fails
// with EFBIG instead of killing the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &before_);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, before_.rlim_max};
        ok_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, signal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool Ok() const { return ok_; }

private:
    rlimit before_{};
    void (*signal_)(int) = SIG_DFL;
    bool ok_ = false;
};
}  // namespace

TEST_F(EncoderChoicesTest, ChoicesAreSavedShownOnBothPagesAndReadAtTheNextStart)
{
    const std::string input = Input("short.wav");
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, Tone(kRate, {440, 880}, 4410)));
    WalkToOptions(input);
    EXPECT_EQ(Find<QComboBox>("EncodeOptionsContainer")->currentText(), "MP3 inside a wave file");
    EXPECT_EQ(Find<QComboBox>("EncodeOptionsQuality")->currentText(), "constant bit rate");
    EXPECT_EQ(Ini("Container"), "(none)") << "nothing is written until the user changes a choice";
    Find<QComboBox>("EncodeOptionsQuality")->setCurrentIndex(3);  // V2
    Click(Find<QCheckBox>("EncodeOptionsJointStereo"));
    Click(Find<QCheckBox>("EncodeOptionsReplayGain"));
    EXPECT_EQ(Ini("Mode"), "vbr");
    EXPECT_EQ(Ini("VbrQuality"), "2");
    EXPECT_EQ(Ini("Stereo"), "joint");
    EXPECT_EQ(Ini("ReplayGain"), "1");
    EXPECT_EQ(Ini("Container"), "wave");
    EXPECT_TRUE(Find<QCheckBox>("CDoptionsJointStereo")->isChecked()) << "the CD page shows the same choice";
    EXPECT_EQ(TForm3::SettingsText(state.encoder, 128).toStdString(),
              "Encoder: LAME " + beVersionStrings().engineVersion +
                  "\nMode: variable bit rate, quality V2\nStereo mode: joint stereo\nSaved as: MP3 inside a wave file");

    RestartWizard();
    EXPECT_TRUE(state.encoder.vbr && state.encoder.jointStereo && state.encoder.replayGain);
    EXPECT_EQ(Find<QComboBox>("CDoptionsQuality")->currentText(), "variable V2");
    EXPECT_TRUE(Find<QCheckBox>("EncodeOptionsReplayGain")->isChecked());
    // Nothing of the choices is cut off, whatever their text.
    for (const char* prefix : {"EncodeOptions", "CDoptions"})
        for (const char* name : {"Container", "Quality", "JointStereo", "ReplayGain"}) {
            QWidget* w = Find((std::string(prefix) + name).c_str());
            if (auto* box = qobject_cast<QComboBox*>(w))
                box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            EXPECT_LE(w->sizeHint().width(), w->width()) << prefix << name;
            EXPECT_LT(w->geometry().bottom(), Find((std::string(prefix) + "Next").c_str())->geometry().top())
                << prefix << name << " stays above the buttons";
        }
}

TEST_F(EncoderChoicesTest, PlainMp3ThroughTheWizardIsReadByFfmpegMpg123AndMutagen)
{
    Encode(TenSeconds(), 0);
    EXPECT_EQ(Ini("Container"), "mp3");
    const std::string out = Input("ten.mp3");
    EXPECT_EQ(DecodeMp3File(out, true).Frames(), 441000);
    TMPEGAudio own;
    own.SetFileName(out);
    EXPECT_EQ(own.Title(), "????? - ??");

    if (!HaveTool("ffprobe") || !HaveTool("mpg123") || !ToolOutput("/usr/bin/python3 -c 'import mutagen'"))
        GTEST_SKIP() << "ffmpeg, mpg123 or python3-mutagen is not installed";
    EXPECT_EQ(ToolOutput("ffprobe -v error -show_entries format=format_name:format_tags=title -of default=nw=1 " +
                         ShellQuoted(out)),
              "format_name=mp3\nTAG:title=" + kTitle + "\n");
    EXPECT_EQ(ToolOutput("ffmpeg -v error -i " + ShellQuoted(out) + " -f s16le - | wc -c"), "1764000\n");
    EXPECT_EQ(ToolOutput("mpg123 -q -w /dev/null " + ShellQuoted(out) + " 2>&1"), "") << "no warnings";
    const std::string script =
        "import sys, mutagen.id3 as m\n"
        "t = m.ID3(sys.argv[1]); print(t.version[1]); print(t['TIT2'].text[0])\n"
        "data = open(sys.argv[1], 'rb').read()\n"
        "print(m.ParseID3v1(data[-128:])['TIT2'].text[0])\n";
    WriteBytes(Input("read.py"), Bytes(script.begin(), script.end()));
    EXPECT_EQ(ToolOutput("/usr/bin/python3 " + ShellQuoted(Input("read.py")) + " " + ShellQuoted(out)),
              "3\n" + kTitle + "\n????? - ??\n");
}

TEST_F(EncoderChoicesTest, DefaultWaveContainerKeepsTodaysBytesAndAddsTheId3Chunk)
{
    const std::string input = TenSeconds();
    // Today's file: the encoder as the hidden window always configured it.
    {
        TMMWaveFile source{"WaveFile"};
        TMMTrigger trigger{"Trigger"};
        TMMMP3Encoder encoder{"MP3Encoder"};
        bool stopped = false;
        source.SetOutput(&trigger);
        trigger.SetOutput(&encoder);
        trigger.SetBufferSize(65536);
        trigger.SetTimeFormat(tfSample);
        trigger.OnStop = [&](TMMDSPComponent*) {
            trigger.Close();
            stopped = true;
        };
        encoder.SetFileType(ftWAV);
        source.Wave()->SetFileName(input);
        encoder.SetFileName(Input("today.mp3"));
        trigger.Start();
        ASSERT_TRUE(RunEventsUntil([&] { return stopped; }));
    }
    Encode(input, -1);
    const Bytes today = ReadBytes(Input("today.mp3"));
    const Bytes now = ReadBytes(Input("ten.mp3"));
    ASSERT_GT(now.size(), today.size() + 8 + kID3v1Size);
    EXPECT_TRUE(std::equal(today.begin() + 8, today.end(), now.begin() + 8)) << "frames and layout unchanged";
    EXPECT_EQ(std::string(now.begin() + static_cast<long>(today.size()), now.begin() + static_cast<long>(today.size()) + 4),
              "id3 ");
    EXPECT_EQ(GetLe32(now, 4), now.size() - kID3v1Size - 8);
    if (!HaveTool("ffprobe"))
        GTEST_SKIP() << "ffprobe is not installed";
    EXPECT_EQ(ToolOutput("ffprobe -v error -show_entries format_tags=title -of csv=p=0 " + ShellQuoted(Input("ten.mp3"))),
              kTitle + "\n");
}

TEST_F(EncoderChoicesTest, APlainMp3PickedAsInputIsRefusedAsAnInvalidWaveFile)
{
    Encode(TenSeconds(), 0);
    RestartWizard();
    Click("IEButton1");
    Click("SelSourceNext");
    dialogs->openAnswers.push_back(Input("ten.mp3"));
    Click("SelWavBrowseInput");
    Activate();
    // Refused where it is picked, with the usual words for a file that is no wave and what it is.
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages.front(),
              "Invalid wave file...\n" + Input("ten.mp3") + " is an MP3 file, not a wave file.");
    EXPECT_FALSE(Find("SelWavNext")->isEnabled());
    EXPECT_FALSE(std::filesystem::exists(Input("again.mp3")));
}

TEST_F(EncoderChoicesTest, ALongWaveWithTwoJobsIsSplitJoinedTaggedAndExactInLength)
{
    constexpr long kFrames = 125 * kRate;  // over the two minutes a split needs
    const std::string input = Input("long.wav");
    // Tones with noise: the encoders' choices, and so their frames, depend on their history.
    std::vector<std::int16_t> pcm = Tone(kRate, {440, 880}, kFrames);
    std::mt19937 random(3);
    std::uniform_int_distribution<int> noise(-3000, 3000);
    for (std::int16_t& v : pcm)
        v = static_cast<std::int16_t>(std::clamp(v / 2 + noise(random), -32768, 32767));
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, pcm));
    ProfileFile::Settings().WriteInteger("ENCODER", "Jobs", 1);
    RestartWizard();
    Encode(input, 0);
    std::filesystem::rename(Input("long.mp3"), Input("serial.mp3"));
    ProfileFile::Settings().WriteInteger("ENCODER", "Jobs", 2);
    RestartWizard();
    EXPECT_EQ(state.encoder.jobs, 2);
    Encode(input, 0);
    const std::string out = Input("long.mp3");
    EXPECT_NE(ReadBytes(out), ReadBytes(Input("serial.mp3"))) << "two encoders took the parts";
    EXPECT_EQ(DecodeMp3File(out, true).Frames(), kFrames);
    TMPEGAudio own;
    own.SetFileName(out);
    EXPECT_EQ(own.Title(), "????? - ??");
}

TEST_F(EncoderChoicesTest, AWriteBackRefusedAtTheEndLeavesAPlayingMp3AndOneMessageNamingTheFile)
{
    // The first run measures the whole file; the second runs where the file may hold its
    // tag room, its Info frame and its frames, but not the ID3v1 tag behind them.
    Encode(TenSeconds(), 0);
    const std::string out = Input("ten.mp3");
    const auto whole = std::filesystem::file_size(out);
    ASSERT_TRUE(std::filesystem::remove(out));
    RestartWizard();
    WalkToDetails(Input("ten.wav"));
    Find<QLineEdit>("SingleTagTitle")->setText(QString::fromStdString(kTitle));
    Click("SingleTagNext");
    {
        const FileSizeLimit limit(whole - kID3v1Size);
        ASSERT_TRUE(limit.Ok());
        Click("EncodeOptionsNext");
        ASSERT_TRUE(WaitForFinish());
    }
    ASSERT_EQ(dialogs->messages.size(), 1u) << "told once";
    EXPECT_EQ(dialogs->messages[0], "unable to write header\n" + out + ": File too large");
    EXPECT_EQ(std::filesystem::file_size(out), whole - kID3v1Size);
    EXPECT_EQ(DecodeMp3File(out, true).Frames(), 441000) << "the MP3 plays, with its exact length";
    TagLib::MPEG::File mp3(out.c_str());
    ASSERT_TRUE(mp3.hasID3v2Tag());
    EXPECT_EQ(mp3.ID3v2Tag()->title().to8Bit(true), kTitle);
}
