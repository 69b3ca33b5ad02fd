// The live-input road through the wizard's own widgets, on the program's sound card with
// capture devices made from ALSA's file plugin: record, stop, encode, and the meters.
#include "app/LiveTakeControls.h"
#include "app/WizardFixture.h"
#include "controls/MMEGauge.h"
#include "platform/card/testing/CaptureFaults.h"
#include "platform/os/ProfileFile.h"
#include "platform/card/SoundCard.h"
#include "run/TrackSplit.h"
#include "mixer/WaveCheck.h"
#include "wave/MMWave.h"
#include "stream/MMWavIn.h"
#include "support/AudioOracles.h"
#include "support/PrivatePulse.h"
#include "support/SmallDisk.h"
#include "support/SplitFixtures.h"
#include "support/Spectrum.h"
#include "support/TestAlsa.h"
#include "support/WaveFixtures.h"

#include <QAccessible>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QSlider>
#include <QToolButton>
#include <cerrno>
#include <fcntl.h>
#include <thread>
#include <unistd.h>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <sndfile.h>

namespace {
constexpr std::int64_t kBytesPerSecond = 176400;
constexpr int kRate = 44100;

// Interleaved stereo: `toneSeconds` of 1 kHz at `amplitude`, then silence up to `seconds`.
std::vector<std::int16_t> ToneInput(double seconds, int amplitude, double toneSeconds = 1e9)
{
    const auto frames = static_cast<long>(seconds * kRate);
    std::vector<std::int16_t> pcm(static_cast<std::size_t>(frames) * 2, 0);
    for (long i = 0; i < frames && i < toneSeconds * kRate; ++i) {
        const auto s = static_cast<std::int16_t>(std::lround(amplitude * std::sin(2 * std::numbers::pi * 1000 * i / kRate)));
        pcm[static_cast<std::size_t>(2 * i)] = pcm[static_cast<std::size_t>(2 * i + 1)] = s;
    }
    return pcm;
}

// Frequency of channel 0 from its rising zero crossings, over the middle of the signal.
double Frequency(const DecodedMp3& d)
{
    const long from = d.Frames() / 4, to = 3 * d.Frames() / 4;
    int rising = 0;
    for (long i = from + 1; i < to; ++i)
        if (d.pcm[static_cast<std::size_t>(2 * (i - 1))] < 0 && d.pcm[static_cast<std::size_t>(2 * i)] >= 0)
            ++rising;
    return rising * static_cast<double>(d.rate) / static_cast<double>(to - from);
}

double Rms(const DecodedMp3& d)
{
    const long from = d.Frames() / 4, to = 3 * d.Frames() / 4;
    double sum = 0;
    for (long i = from; i < to; ++i) {
        const double s = d.pcm[static_cast<std::size_t>(2 * i)];
        sum += s * s;
    }
    return std::sqrt(sum / static_cast<double>(to - from));
}

class LiveRecording : public WizardTest {
protected:
    // Each test starts the program itself, once it has chosen the devices' input.
    void SetUp() override {}

    // Capture devices with these inputs (none: the microphone cannot be opened), then the
    // card and the windows as the program makes them.
    void StartProgram(const std::vector<std::int16_t>& mic, const std::vector<std::int16_t>& line = {},
                      const std::string& speakers = "null")
    {
        ProfileFile profile = ProfileFile::Settings();
        profile.WriteString("SOUNDCARD_SETUP", "MicDevice", mic.empty() ? "nosuchmic" : "testmic");
        profile.WriteString("SOUNDCARD_SETUP", "LineDevice", line.empty() ? "" : "testline");
        profile.WriteString("SOUNDCARD_SETUP", "MonitorDevice", speakers);
        if (!mic.empty())
            alsa.AddCapture("testmic", mic);
        if (!line.empty())
            alsa.AddCapture("testline", line);
        alsa.Install();
        CreateWizard();
    }

    // The microphone reads a pipe: the test writes half a second of tone into it and then
    // nothing more, keeping the pipe open, as a device that stops delivering.
    void StartProgramWithStallingMic()
    {
        ProfileFile profile = ProfileFile::Settings();
        profile.WriteString("SOUNDCARD_SETUP", "MicDevice", "fifomic");
        profile.WriteString("SOUNDCARD_SETUP", "MonitorDevice", "null");
        const std::string fifo = alsa.AddFifoCapture("fifomic");
        alsa.Install();
        fifo_ = ::open(fifo.c_str(), O_RDWR);  // never blocks, and keeps the pipe from ending
        ASSERT_GE(fifo_, 0);
        const std::vector<std::int16_t> tone = ToneInput(0.5, 16384);
        writer_ = std::thread([this, tone] {
            // Blocks while the pipe is full, until the device reads or the test closes it.
            const auto* bytes = reinterpret_cast<const char*>(tone.data());
            std::size_t done = 0;
            while (done < tone.size() * 2) {
                const ssize_t n = ::write(fifo_, bytes + done, tone.size() * 2 - done);
                if (n <= 0)
                    return;
                done += static_cast<std::size_t>(n);
            }
        });
        CreateWizard();
    }
    void TearDown() override
    {
        WizardTest::TearDown();
        if (fifo_ >= 0)
            ::close(fifo_);
        if (writer_.joinable())
            writer_.join();
    }

    // From the source page to RecExt with an output file chosen.
    void WalkToRecExt(const char* sourceButton, const std::string& output)
    {
        ExpectPageNamed();
        Click(sourceButton);
        Click("SelSourceNext");
        ASSERT_EQ(CurrentPageName(), "RecExt");
        ExpectPageNamed();
        EXPECT_FALSE(Find("RecExtRecord")->isEnabled());
        dialogs->saveAnswers.push_back(output);
        Click("RecExtBrowse");
        Activate();
        ASSERT_TRUE(Find("RecExtRecord")->isEnabled());
    }

    // Record, wait until `seconds` of audio went into the file, Stop. Bytes recorded.
    std::int64_t Take(double seconds)
    {
        TMMWaveIn& in = form2->MMWaveRecorder1.WaveIn();
        Click("RecExtRecord");
        EXPECT_TRUE(Find("RecExtStop")->isEnabled());
        EXPECT_FALSE(Find("RecExtNext")->isEnabled());
        EXPECT_TRUE(RunEventsUntil([&] { return in.RecordedBytes() >= static_cast<std::int64_t>(seconds * kBytesPerSecond); }));
        Click("RecExtStop");
        EXPECT_FALSE(form2->MMWaveRecorder1.IsOpened());
        return in.RecordedBytes();
    }

    // Next through details and options into the encoding page, until Finish.
    void EncodeRecording()
    {
        Click("RecExtNext");
        ASSERT_EQ(CurrentPageName(), "SingleTag");
        Click("SingleTagNext");
        Click("EncodeOptionsNext");
        ASSERT_EQ(CurrentPageName(), "EncodeWav");
        ASSERT_TRUE(WaitForFinish());
    }

    // After a device was lost mid-take: the half second and more recorded until then is a
    // valid temporary wave holding every byte taken, the page is stopped, and the take
    // goes on to the encoder into `mp3`.
    void ExpectLostTakeKeptAndEncoded(const std::string& mp3)
    {
        TMMWaveIn& in = form2->MMWaveRecorder1.WaveIn();
        EXPECT_FALSE(form2->MMWaveRecorder1.IsOpened());
        const SndInfo info = SndOpenInfo(settings.TemporaryWave());
        ASSERT_TRUE(info.ok);
        EXPECT_EQ(info.frames * 4, in.RecordedBytes());
        EXPECT_GE(info.frames, kRate / 2);
        EXPECT_TRUE(Find("RecExtRecord")->isEnabled());
        EXPECT_FALSE(Find("RecExtStop")->isEnabled());
        EncodeRecording();
        EXPECT_GE(DecodeMp3File(mp3).Frames(), kRate / 2);
    }

    // A short take on the microphone into `output`, then the side of three tones in its
    // place (as a long take would leave it), to be split: on to the page SplitTracks.
    void TakeTheSideToSplit(const std::string& output, const std::string& speakers = "null",
                            const std::vector<std::int16_t>& mic = ToneInput(4, 16384))
    {
        StartProgram(mic, {}, speakers);
        WalkToRecExt("IEButton4", output);
        Find<QCheckBox>("RecExtSplit")->setChecked(true);
        Take(0.25);
        ASSERT_TRUE(SndWriteShorts(settings.TemporaryWave(), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, ThreeTonesSide()));
        Click("RecExtNext");
        ASSERT_EQ(CurrentPageName(), "SplitTracks");
        ASSERT_EQ(Find<QListWidget>("SplitTracksList")->count(), 3);
    }
    // From the page SplitTracks through the details and options into the encoding page.
    void EncodeTheTracks()
    {
        Click("SplitTracksNext");
        ASSERT_EQ(CurrentPageName(), "SingleTag");
        Click("SingleTagNext");
        Click("EncodeOptionsNext");
        ASSERT_EQ(CurrentPageName(), "EncodeWav");
    }

    int fifo_ = -1;
    std::thread writer_;
};
}  // namespace

TEST_F(LiveRecording, MicRecordsATaggedMp3WhoseLevelFollowsTheLevelSlider)
{
    StartProgram(ToneInput(8, 16384));
    double rms[2] = {};
    const int levels[2] = {65535, 32768};
    for (int run = 0; run < 2; ++run) {
        if (run == 1) {  // a second run of the program
            WizardTest::TearDown();
            CreateWizard();
        }
        const std::string mp3 = Input(run == 0 ? "loud.mp3" : "soft.mp3");
        WalkToRecExt("IEButton4", mp3);
        EXPECT_EQ(Find<QLabel>("RecExtHeading")->text(), "Recording from MIC input");
        Find<QSlider>("MMSlider4")->setValue(levels[run]);
        Take(3);
        EncodeRecording();
        EXPECT_EQ(Find<QProgressBar>("MMGauge1")->value(), 100);
        EXPECT_EQ(ProfileFile::Settings().ReadInteger("RECORD_LEVEL", "MIC", 0), levels[run]);

        const DecodedMp3 d = DecodeMp3File(mp3);
        ASSERT_EQ(d.rate, kRate);
        ASSERT_EQ(d.channels, 2);
        EXPECT_GE(d.Frames(), 3 * kRate);
        EXPECT_NEAR(Frequency(d), 1000, 10);
        rms[run] = Rms(d);
        const Bytes file = ReadBytes(mp3);
        ASSERT_GT(file.size(), 128u);
        EXPECT_EQ(std::string(file.end() - 128, file.end() - 125), "TAG");
    }
    EXPECT_NEAR(20 * std::log10(rms[0] / rms[1]), 6.02, 0.5);
}

TEST_F(LiveRecording, RecordStopRecordStopKeepsOnlyTheSecondTake)
{
    StartProgram(ToneInput(8, 16384));
    WalkToRecExt("IEButton4", Input("take.mp3"));
    const std::int64_t first = Take(2);
    EXPECT_TRUE(Find("RecExtNext")->isEnabled());
    const std::int64_t second = Take(0.5);
    ASSERT_LT(second, first);
    const SndInfo info = SndOpenInfo(settings.TemporaryWave());
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.frames * 4, second);
    EXPECT_EQ(Find<QLabel>("RecExtElapsed")->text().left(9), "Recorded ") << "time and size so far";

    // A take not yet encoded is not thrown away unasked: No keeps the page, Yes goes back.
    dialogs->questionAnswers = {false, true};
    Click("RecExtCancel");
    EXPECT_EQ(dialogs->questions, std::vector<std::string>{"Discard the recording?"});
    EXPECT_FALSE(closedSignal);
    EXPECT_EQ(CurrentPageName(), "RecExt");
    Click("BtnBack");
    EXPECT_EQ(dialogs->questions.size(), 2u);
    EXPECT_EQ(CurrentPageName(), "SelSource");
}

TEST_F(LiveRecording, ALineDeviceRemovedWhileRecordingLeavesAValidFileAndAMessage)
{
    StartProgram(ToneInput(8, 16384), ToneInput(8, 16384));
    WalkToRecExt("IEButton5", Input("line.mp3"));
    EXPECT_EQ(Find<QLabel>("RecExtHeading")->text(), "Recording from LINE input");
    Click("RecExtRecord");
    TMMWaveIn& in = form2->MMWaveRecorder1.WaveIn();
    ASSERT_TRUE(RunEventsUntil([&] { return in.RecordedBytes() >= kBytesPerSecond / 2; }));
    InjectCaptureFault("testline", -ENODEV);
    ASSERT_TRUE(RunEventsUntil([&] { return !dialogs->messages.empty(); }));
    EXPECT_EQ(dialogs->messages[0], std::string(kRecordingDeviceLostMessage) + "\n\"testline\": the device failed (No such device)");
    ExpectLostTakeKeptAndEncoded(Input("line.mp3"));
}

TEST_F(LiveRecording, MetersShowTheLevelBeforeRecordLightTheTopZoneAndSettleAtSixInSilence)
{
    StartProgram(ToneInput(8, 32767, 1.0));
    WalkToRecExt("IEButton4", Input("meters.mp3"));
    Find<QSlider>("MMSlider4")->setValue(65535);
    auto* meter1 = Find<TMMLEDGauge>("MMLEDGauge3");
    auto* meter2 = Find<TMMLEDGauge>("MMLEDGauge4");
    // The level shows before Record, so it can be set, and a screen reader reads it.
    ASSERT_TRUE(RunEventsUntil([&] { return meter1->LitCount() > 58 && meter2->LitCount() > 58; }));
    EXPECT_FALSE(form2->MMWaveRecorder1.IsOpened());
    EXPECT_EQ(meter1->Zone(meter1->LitCount()), 3);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(meter1);
    ASSERT_TRUE(a && a->valueInterface());
    EXPECT_EQ(a->valueInterface()->currentValue().toInt(), meter1->Progress());
    Click("RecExtRecord");
    ASSERT_TRUE(RunEventsUntil([&] { return meter1->Progress() == 6 && meter2->Progress() == 6; }));
    EXPECT_EQ(a->valueInterface()->currentValue().toInt(), 6);
    TMMWaveIn& in = form2->MMWaveRecorder1.WaveIn();
    ASSERT_TRUE(RunEventsUntil([&] { return in.RecordedBytes() >= kBytesPerSecond / 2; }));
    Click("RecExtStop");
    // Between takes and on leaving the page the watch follows the page.
    ASSERT_TRUE(RunEventsUntil([&] { return form2->LevelWatching(); }));
    dialogs->questionAnswers = {true};
    Click("BtnBack");
    EXPECT_FALSE(form2->LevelWatching());
}

TEST_F(LiveRecording, AMicrophoneThatStopsDeliveringIsLostWithAMessageAndTheProgramCloses)
{
    StartProgramWithStallingMic();
    WalkToRecExt("IEButton4", Input("stall.mp3"));
    Click("RecExtRecord");
    ASSERT_TRUE(RunEventsUntil([&] { return !dialogs->messages.empty(); }));
    EXPECT_EQ(dialogs->messages[0], std::string(kRecordingDeviceLostMessage) +
                                        "\n\"fifomic\": the device stopped delivering sound (nothing for 3 seconds)");
    EXPECT_FALSE(form2->MMWaveRecorder1.IsOpened());
    const SndInfo info = SndOpenInfo(settings.TemporaryWave());
    ASSERT_TRUE(info.ok);
    EXPECT_GT(info.frames, 0);
    EXPECT_TRUE(Find("RecExtRecord")->isEnabled());
    // The level watch that follows the take may open the same stalled device and lose it
    // too (or find it lost at once): the user has been told once, and that is all. The
    // watch's loss comes within the stall limit of 3 s, so a few of them are waited for.
    bool watched = false;
    RunEventsUntil(
        [&] {
            watched = watched || form2->LevelWatching();
            return dialogs->messages.size() > 1 || (watched && !form2->LevelWatching());
        },
        std::chrono::seconds(10));
    EXPECT_EQ(dialogs->messages.size(), 1u) << dialogs->messages.back();
    // Closing the program (the windows, then the card) never waits for the read that will
    // not return: before, this hung for good.
    form1->close();
    WizardTest::TearDown();
}

TEST_F(LiveRecording, AFullTemporaryDiskStopsTheTakeWithAMessageAndNothingToEncode)
{
    StartProgram(ToneInput(8, 16384));
    const SmallDisk small(settings.Folder().File("program"), "512k");
    if (!small.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    WalkToRecExt("IEButton4", Input("full.mp3"));
    Click("RecExtRecord");
    ASSERT_TRUE(RunEventsUntil([&] { return !dialogs->messages.empty(); }));
    EXPECT_EQ(dialogs->messages[0].rfind(kRecordingWriteFailedMessage, 0), 0u) << dialogs->messages[0];
    EXPECT_NE(dialogs->messages[0].find(settings.TemporaryWave()), std::string::npos) << dialogs->messages[0];
    EXPECT_FALSE(form2->MMWaveRecorder1.IsOpened());
    EXPECT_TRUE(Find("RecExtRecord")->isEnabled());
    EXPECT_FALSE(Find("RecExtNext")->isEnabled()) << "a cut take must not go on to the encoder";
    EXPECT_FALSE(std::filesystem::exists(Input("full.mp3")));
}

TEST_F(LiveRecording, TheClipLightLatchesOnFullScaleUntilClickedAndStopAfterEndsTheTakeAtItsLength)
{
    // A square wave whose half-periods run at full scale (the rule that -0.5 dBFS never
    // lights the light is ClipWatch's own test).
    const auto square = [](int amplitude) {
        std::vector<std::int16_t> pcm(static_cast<std::size_t>(8 * kRate) * 2);
        for (std::size_t i = 0; i < pcm.size(); ++i)
            pcm[i] = static_cast<std::int16_t>((i / 2) % 44 < 22 ? amplitude : -amplitude);
        return pcm;
    };
    StartProgram(square(32767));
    WalkToRecExt("IEButton4", Input("clip.mp3"));
    Find<QSlider>("MMSlider4")->setValue(65535);
    auto* clip = Find<ClipLight>("RecExtClip");
    auto* meter = Find<TMMLEDGauge>("MMLEDGauge3");
    Find<QCheckBox>("RecExtStopAfter")->setChecked(true);
    Find<QTimeEdit>("RecExtStopAfterTime")->setTime(QTime(0, 0, 2));
    Click("RecExtRecord");
    // The take stops by itself, exactly at two seconds.
    ASSERT_TRUE(RunEventsUntil([&] { return !form2->MMWaveRecorder1.IsOpened() && Find("RecExtRecord")->isEnabled(); }));
    EXPECT_EQ(form2->MMWaveRecorder1.WaveIn().RecordedBytes(), 2 * kBytesPerSecond);
    const SndInfo info = SndOpenInfo(settings.TemporaryWave());
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.frames, 2 * kRate);
    ASSERT_TRUE(RunEventsUntil([&] { return clip->Lit(); }));
    EXPECT_GT(meter->PeakHold(), 90);
    // A click puts the light and the peak hold out.
    Find<QCheckBox>("RecExtStopAfter")->setChecked(false);
    Click("RecExtClip");
    EXPECT_FALSE(clip->Lit());
    EXPECT_EQ(meter->PeakHold(), 0);

}

TEST_F(LiveRecording, ATakePastTheRiffLimitGoesOnAsRf64WhichEveryReaderTakesWhole)
{
    // Each frame carries its own number (low 15 bits left, the rest right), so a frame
    // dropped, repeated or read past the data shows.
    std::vector<std::int16_t> counting(static_cast<std::size_t>(8 * kRate) * 2);
    for (std::size_t i = 0; i < counting.size() / 2; ++i) {
        counting[2 * i] = static_cast<std::int16_t>(i & 0x7FFF);
        counting[2 * i + 1] = static_cast<std::int16_t>(i >> 15);
    }
    // Unity gain from the start: the numbers pass unchanged.
    ProfileFile::Settings().WriteInteger("RECORD_LEVEL", "MIC", 65535);
    StartProgram(counting);
    // The RIFF limit lowered from 4 GiB to 100000 bytes, about 0.57 s.
    form2->MMWaveRecorder1.Wave()->SetGrowsToRf64(true, 100000);
    WalkToRecExt("IEButton4", Input("long.mp3"));
    const std::int64_t bytes = Take(1.5);
    const std::int64_t frames = bytes / 4;
    ASSERT_GT(bytes, 100000);
    const std::string temp = settings.TemporaryWave();
    const Bytes file = ReadBytes(temp);
    ASSERT_EQ(std::string(file.begin(), file.begin() + 4), "RF64");

    TMMWave wave;
    wave.SetFileName(temp);
    wave.SetTimeFormat(tfByte);
    ASSERT_EQ(wave.DataSize(), bytes);
    wave.OpenFile();
    std::vector<std::int16_t> pcm(static_cast<std::size_t>(bytes / 2) + 64);
    ASSERT_EQ(wave.ReadDataBytes(pcm.data(), static_cast<std::int64_t>(pcm.size()) * 2), bytes);
    wave.CloseFile();
    const auto number = [&](std::int64_t k) {
        return pcm[static_cast<std::size_t>(2 * k)] | pcm[static_cast<std::size_t>(2 * k + 1)] << 15;
    };
    std::int64_t breaks = 0;
    std::string where;
    for (std::int64_t k = 1; k < frames; ++k)
        if (number(k) != number(k - 1) + 1 && ++breaks < 5)
            where += " " + std::to_string(k) + ":" + std::to_string(number(k - 1)) + "->" + std::to_string(number(k));
    EXPECT_EQ(breaks, 0) << "first frame " << number(0) << where;
    EXPECT_TRUE(CheckWave(temp)) << "goes to the encoder as it is";
    // Outside readers take the RF64 file as it stands.
    if (HaveTool("sox")) {
        EXPECT_EQ(ToolOutput("sox --i -s " + ShellQuoted(temp)).value_or("failed"), std::to_string(frames) + "\n");
    }
    if (HaveTool("ffprobe")) {
        EXPECT_EQ(ToolOutput("ffprobe -v error -show_entries stream=duration_ts -of csv=p=0 " + ShellQuoted(temp))
                      .value_or("failed"),
                  std::to_string(frames) + "\n");
    }

    EncodeRecording();
    const DecodedMp3 d = DecodeMp3File(Input("long.mp3"));
    EXPECT_GE(d.Frames(), frames);
    EXPECT_LT(d.Frames(), frames + 3 * kMp3FrameSamples);
}

TEST_F(LiveRecording, AnAudioServerThatStopsMidTakeEndsItWithAValidFileAndAMessageNamingTheSource)
{
    PrivatePulse pulse;
    if (!pulse.Running())
        GTEST_SKIP() << pulse.Failure();
    ProfileFile profile = ProfileFile::Settings();
    profile.WriteString("SOUNDCARD_SETUP", "MicDevice", "pulse:t.monitor");
    profile.WriteString("SOUNDCARD_SETUP", "MonitorDevice", "null");
    CreateWizard();
    WalkToRecExt("IEButton4", Input("server.mp3"));
    Click("RecExtRecord");
    TMMWaveIn& in = form2->MMWaveRecorder1.WaveIn();
    ASSERT_TRUE(RunEventsUntil([&] { return in.RecordedBytes() >= kBytesPerSecond / 2; }));
    pulse.Kill();
    ASSERT_TRUE(RunEventsUntil([&] { return !dialogs->messages.empty(); }, std::chrono::seconds(10)));
    EXPECT_EQ(dialogs->messages[0].rfind(std::string(kRecordingDeviceLostMessage) + "\n\"t.monitor\": the audio server", 0), 0u)
        << dialogs->messages[0];
    ExpectLostTakeKeptAndEncoded(Input("server.mp3"));
}

TEST_F(LiveRecording, ATakeSplitAtItsSilencesBecomesOneFilePerTrackInOrder)
{
    // 440, 660 and 880 Hz for 5.2 s each, at -6 dBFS, 3 s of silence between them.
    std::vector<std::int16_t> side(static_cast<std::size_t>(0.2 * kRate) * 2, 0);
    for (const double hz : {440.0, 660.0, 880.0}) {
        for (long i = 0; i < static_cast<long>(5.2 * kRate); ++i) {
            const auto s = static_cast<std::int16_t>(std::lround(16384 * std::sin(2 * std::numbers::pi * hz * i / kRate)));
            side.insert(side.end(), {s, s});
        }
        side.insert(side.end(), static_cast<std::size_t>(3 * kRate) * 2, 0);
    }
    StartProgram(side);
    WalkToRecExt("IEButton4", Input("side.mp3"));
    Find<QSlider>("MMSlider4")->setValue(65535);
    Find<QCheckBox>("RecExtSplit")->setChecked(true);
    Find<QCheckBox>("RecExtStopAfter")->setChecked(true);
    Find<QTimeEdit>("RecExtStopAfterTime")->setTime(QTime(0, 0, 22));
    Click("RecExtRecord");
    ASSERT_TRUE(RunEventsUntil([&] { return !form2->MMWaveRecorder1.IsOpened() && Find("RecExtNext")->isEnabled(); },
                               std::chrono::seconds(90)));
    Click("RecExtNext");
    ASSERT_EQ(CurrentPageName(), "SplitTracks");
    ExpectPageNamed();
    auto* list = Find<QListWidget>("SplitTracksList");
    ASSERT_EQ(list->count(), 3);
    // A cut moved later and back, and the list follows.
    const QString second = list->item(1)->text();
    list->setCurrentRow(0);
    Click("SplitTracksLater");
    EXPECT_NE(list->item(1)->text(), second);
    Click("SplitTracksEarlier");
    EXPECT_EQ(list->item(1)->text(), second);
    Click("SplitTracksNext");
    ASSERT_EQ(CurrentPageName(), "SingleTag");
    Click("SingleTagNext");
    Click("EncodeOptionsNext");
    ASSERT_EQ(CurrentPageName(), "EncodeWav");
    ASSERT_TRUE(WaitForFinish());
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();

    long total = 0;
    const double tones[] = {440, 660, 880};
    for (int n = 1; n <= 3; ++n) {
        const std::string mp3 = Input(("Track" + std::to_string(n) + ".mp3").c_str());
        const DecodedMp3 d = DecodeMp3File(mp3);
        ASSERT_EQ(d.rate, kRate) << mp3;
        EXPECT_NEAR(StrongestFrequency(d.pcm, d.channels, 0, kRate, std::size_t(kRate), 65536), tones[n - 1], 3.0)
            << mp3;
        total += d.Frames();
        const Bytes file = ReadBytes(mp3);
        ASSERT_GT(file.size(), 128u);
        EXPECT_EQ(file[file.size() - 2], n) << "ID3v1 track number";
    }
    EXPECT_FALSE(std::filesystem::exists(Input("Track4.mp3")));
    // Every sample of the take is in one of the files (each adds at most its codec's frames).
    EXPECT_GE(total, 22 * kRate);
    EXPECT_LT(total, 22 * kRate + 3 * 3 * kMp3FrameSamples);
}

TEST_F(LiveRecording, TheWizardAndTheCommandLineSplitOneSideIntoTheSameFiles)
{
    std::filesystem::create_directories(Input("wizard"));
    TakeTheSideToSplit(Input("wizard/side.mp3"));
    EncodeTheTracks();
    ASSERT_TRUE(WaitForFinish());
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();

    // The same side through the command line, with the details the wizard's page left.
    const std::string side = Input("side.wav");
    ASSERT_TRUE(SndWriteShorts(side, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, ThreeTonesSide()));
    QProcess cli;
    cli.setProcessChannelMode(QProcess::MergedChannels);
    cli.start(MERVANE_CLI_PROGRAM, {"wave", "--split-silence", "--year", "1999", "-q", "-o",
                                    QString::fromStdString(Input("cli")), QString::fromStdString(side)});
    ASSERT_TRUE(cli.waitForFinished(-1));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAll().toStdString();
    for (int n = 1; n <= 3; ++n) {
        const std::string name = "/Track" + std::to_string(n) + ".mp3";
        const Bytes wizard = ReadBytes(Input("wizard") + name);
        ASSERT_GT(wizard.size(), 10000u) << name;
        EXPECT_TRUE(wizard == ReadBytes(Input("cli") + name)) << name << " differs between the two doors";
    }
    EXPECT_FALSE(std::filesystem::exists(Input("cli") + "/Track4.mp3"));
}

TEST_F(LiveRecording, BackAfterAFailedSplitRunLeadsToTheTracksAndTheRunCanBeTriedAgain)
{
    const std::string folder = settings.Folder().File("small");
    const SmallDisk small(folder, "4m");
    if (!small.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    TakeTheSideToSplit(folder + "/side.mp3");
    Click("SplitTracksLater");  // an adjustment the retry keeps
    const QString adjusted = Find<QListWidget>("SplitTracksList")->item(1)->text();
    small.Fill();
    EncodeTheTracks();
    ASSERT_TRUE(RunEventsUntil([&] { return !dialogs->messages.empty() && Find("BtnBack")->isVisible(); },
                               std::chrono::seconds(60)))
        << (dialogs->messages.empty() ? std::string("no message") : dialogs->messages[0]);
    EXPECT_NE(dialogs->messages[0].find(folder), std::string::npos) << dialogs->messages[0];
    ASSERT_TRUE(Find("BtnBack")->isEnabled());

    Click("BtnBack");
    ASSERT_EQ(CurrentPageName(), "SplitTracks");
    Activate();
    ASSERT_EQ(Find<QListWidget>("SplitTracksList")->count(), 3);
    EXPECT_EQ(Find<QListWidget>("SplitTracksList")->item(1)->text(), adjusted);
    std::filesystem::remove(folder + "/filler");
    dialogs->messages.clear();
    EncodeTheTracks();
    ASSERT_TRUE(WaitForFinish());
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    long total = 0;
    for (int n = 1; n <= 3; ++n)
        total += DecodeMp3File(folder + "/Track" + std::to_string(n) + ".mp3").Frames();
    // Every sample of the side, once (each file adds at most its codec's frames).
    EXPECT_GE(total, 77 * kRate);
    EXPECT_LT(total, 77 * kRate + 3 * 3 * kMp3FrameSamples);
}

TEST_F(LiveRecording, ACutIsHeardFromThreeSecondsBeforeToThreeSecondsAfterItUntilStopped)
{
    // The speakers keep what they play; the microphone they monitor is silent.
    alsa.AddPlayback("testmonitor");
    TakeTheSideToSplit(Input("side.mp3"), "testmonitor", ToneInput(4, 0));
    ASSERT_FALSE(HasFatalFailure());
    const std::vector<TrackSpan> tracks = TrackSplit::Propose(settings.TemporaryWave(), {}).Tracks();
    ASSERT_EQ(tracks.size(), 3u);
    const std::vector<std::int16_t> side = ThreeTonesSide();
    auto* play = Find<QPushButton>("SplitTracksPlay");
    const auto spoken = [&] { return QAccessible::queryAccessibleInterface(play)->text(QAccessible::Name); };
    EXPECT_EQ(spoken(), "Play the cut");

    // The cut between the second and the third track, played to its end: the excerpt
    // follows the monitored silence, sample for sample.
    Find<QListWidget>("SplitTracksList")->setCurrentRow(1);
    Click(play);
    EXPECT_EQ(spoken(), "Stop playing");
    ASSERT_TRUE(RunEventsUntil([&] { return spoken() == "Play the cut"; }, std::chrono::seconds(60)));
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    const std::vector<std::int16_t> played = alsa.Played("testmonitor");
    const auto excerpt = side.begin() + (tracks[2].first - 3 * kRate) * 2;
    const std::size_t length = static_cast<std::size_t>(6 * kRate) * 2;
    const auto start = std::find_if(played.begin(), played.end(), [](std::int16_t s) { return s != 0; });
    ASSERT_LT(start - played.begin(), played.end() - start) << "nothing was heard";
    // Where the excerpt begins with silence, it begins within that silence.
    const auto begins = std::find_if(excerpt, excerpt + std::ptrdiff_t(length), [](std::int16_t s) { return s != 0; });
    // The device keeps its last 100 ms until something more is played.
    const std::size_t heard = std::min<std::size_t>(length - std::size_t(begins - excerpt), std::size_t(played.end() - start));
    ASSERT_GE(heard + std::size_t(begins - excerpt), length - static_cast<std::size_t>(kRate / 5) * 2);
    for (std::size_t i = 0; i < heard; ++i)
        ASSERT_EQ(start[std::ptrdiff_t(i)], begins[std::ptrdiff_t(i)]) << "sample " << i;

    // Pressed again it stops, and so does a moved cut: the speakers go back to the silence.
    const auto stopsPlaying = [&](const std::function<void()>& stop) {
        const std::size_t before = alsa.Played("testmonitor").size();
        Click(play);
        ASSERT_TRUE(RunEventsUntil([&] { return alsa.Played("testmonitor").size() > before + 8 * 4096; }));
        stop();
        EXPECT_EQ(spoken(), "Play the cut");
        const std::size_t atStop = alsa.Played("testmonitor").size() + static_cast<std::size_t>(kRate / 5) * 2;
        std::vector<std::int16_t> after;
        ASSERT_TRUE(RunEventsUntil([&] {
            after = alsa.Played("testmonitor");
            return after.size() > atStop + 8 * 4096;
        }));
        EXPECT_TRUE(std::all_of(after.begin() + std::ptrdiff_t(atStop), after.end(), [](std::int16_t s) { return s == 0; }))
            << "the excerpt still plays";
    };
    stopsPlaying([&] { Click(play); });
    stopsPlaying([&] { Click("SplitTracksLater"); });

    // A take that cannot be read is told, by its name.
    std::filesystem::remove(settings.TemporaryWave());
    Click(play);
    ASSERT_TRUE(RunEventsUntil([&] { return !dialogs->messages.empty(); }));
    EXPECT_NE(dialogs->messages[0].find(settings.TemporaryWave()), std::string::npos) << dialogs->messages[0];
    EXPECT_EQ(spoken(), "Play the cut");
}

TEST_F(LiveRecording, TheClipLightStaysOutJustBelowFullScaleAndLightsOnARunAtFullScale)
{
    // 3 s of 1 kHz at -0.5 dBFS (peaks of 30934), then 3 s of a square wave at full scale.
    std::vector<std::int16_t> input = ToneInput(3, 30934);
    for (std::size_t i = 0; i < static_cast<std::size_t>(3 * kRate); ++i) {
        const auto s = static_cast<std::int16_t>(i % 44 < 22 ? 32767 : -32768);
        input.insert(input.end(), {s, s});
    }
    StartProgram(input);
    WalkToRecExt("IEButton4", Input("level.mp3"));
    Find<QSlider>("MMSlider4")->setValue(65535);  // unity gain: the input's own level
    auto* clip = Find<ClipLight>("RecExtClip");
    auto* meter = Find<TMMLEDGauge>("MMLEDGauge3");
    Click("RecExtRecord");
    TMMWaveIn& in = form2->MMWaveRecorder1.WaveIn();
    // Two seconds of the tone have been taken and the meters have shown them.
    ASSERT_TRUE(RunEventsUntil([&] { return in.RecordedBytes() >= 2 * kBytesPerSecond && meter->PeakHold() >= 93; }));
    EXPECT_EQ(meter->PeakHold(), 93) << "-0.5 dBFS, not full scale";
    EXPECT_FALSE(state.Clip.Any());
    EXPECT_FALSE(clip->Lit());
    // The square wave at full scale lights it.
    ASSERT_TRUE(RunEventsUntil([&] { return clip->Lit(); }));
    EXPECT_EQ(meter->PeakHold(), 94);
    Click("RecExtStop");
}

TEST_F(LiveRecording, TheMicPageIsNamedForItAndRecordWakesWhileTheFileNameIsTyped)
{
    StartProgram(ToneInput(8, 16384));
    Click("IEButton4");
    Click("SelSourceNext");
    ASSERT_EQ(CurrentPageName(), "RecExt");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Find("RecExt"))->text(QAccessible::Name), "Recording from MIC input");
    auto* field = Find<QLineEdit>("RecExtOutput");
    field->setFocus();
    QTest::keyClicks(field, QString::fromStdString(Input("nowhere/take.mp3")));
    ASSERT_TRUE(RunEventsUntil([&] { return !Find<QLabel>("RecExtElapsed")->text().isEmpty(); }));
    EXPECT_FALSE(Find("RecExtRecord")->isEnabled()) << "a file in a folder that is not there";
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, QString::fromStdString(Input("take.mp3")));
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecExtRecord")->isEnabled(); }));
    EXPECT_TRUE(Find<QLabel>("RecExtElapsed")->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), field) << "the focus never left the field";
}
