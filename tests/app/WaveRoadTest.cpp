// The wave-file road driven through the wizard's own widgets: files chosen through the
// dialogs, the encoding run by the hidden window's chain, the MP3 decoded by libmpg123.
#include "app/WizardFixture.h"
#include "platform/os/StopSignals.h"
#include "support/AudioOracles.h"
#include "support/MidiFixtures.h"
#include "support/SmallDisk.h"
#include "support/WaveFixtures.h"

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <csignal>
#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr unsigned kRate = 44100;

using WaveRoadTest = WizardTest;
}  // namespace

TEST_F(WaveRoadTest, StereoCdQualityWaveIsEncodedDirectlyAndDecodesToTheTone)
{
    const long frames = kRate * 3 + 777;
    const auto pcm = Tone(kRate, {440, 1000}, frames);
    const std::string input = Input("song.wav");
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, pcm));
    StartEncoding(input);
    EXPECT_EQ(Find<QProgressBar>("MMGauge2")->value(), 100) << "no conversion needed";
    EXPECT_FALSE(std::filesystem::exists(settings.TemporaryWave()));
    EXPECT_FALSE(Find("BtnBack")->isVisible());
    ASSERT_TRUE(WaitForFinish());
    EXPECT_FALSE(Find("EncodeWavCancel")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>("EncodeWavOutput")->text().toStdString(), Input("song.mp3"));
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();

    const Bytes file = ReadBytes(Input("song.mp3"));
    ASSERT_GT(file.size(), 44u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(GetLe16(file, 20), 0x55) << "MPEG Layer-3 format tag";
    const Bytes frameBytes = RiffChunk(file, "data");
    const auto header = ParseMp3Header(frameBytes.data(), frameBytes.size());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->kbps, 128u);

    const DecodedMp3 d = DecodeMp3File(Input("song.mp3"));
    EXPECT_EQ(d.rate, 44100);
    ASSERT_EQ(d.channels, 2);
    EXPECT_GE(d.Frames(), frames + kMp3CodecDelay);
    EXPECT_LT(d.Frames(), frames + kMp3CodecDelay + 2 * kMp3FrameSamples);
    for (int ch = 0; ch < 2; ++ch) {
        const long delay = BestDelay(pcm, d, 2, ch, frames, kMp3CodecDelay - 10, kMp3CodecDelay + 10);
        EXPECT_EQ(delay, kMp3CodecDelay);
        EXPECT_GT(AlignedSnr(pcm, d, 2, ch, frames, delay), 20.0) << "channel " << ch;
    }
}

TEST_F(WaveRoadTest, EightBitMonoWaveIsConvertedThroughTheTemporaryFile)
{
    const unsigned rate = 22050;
    const long frames = rate * 2 + 101;
    const auto mono = Tone(rate, {500}, frames);
    const std::string input = Input("voice.wav");
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, rate, mono));
    const auto stored = SndReadShorts(input);  // the 8-bit samples as libsndfile reads them
    StartEncoding(input);
    EXPECT_EQ(Find<QProgressBar>("MMGauge2")->value(), 100);
    ASSERT_TRUE(WaitForFinish());
    EXPECT_FALSE(std::filesystem::exists(settings.TemporaryWave())) << "mp3tmp.wav is gone after the encoding";
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();

    // The converter resamples the 8-bit tone to twice the rate and copies it to both
    // channels: the same tone at 44100 Hz, twice the frames.
    ASSERT_EQ(stored.size(), static_cast<std::size_t>(frames));
    std::vector<std::int16_t> expected;
    for (std::int16_t s : Tone(2 * rate, {500}, 2 * frames))
        for (int i = 0; i < 2; ++i)
            expected.push_back(s);
    const long outFrames = static_cast<long>(expected.size()) / 2;
    const DecodedMp3 d = DecodeMp3File(Input("voice.mp3"));
    EXPECT_EQ(d.rate, 44100);
    ASSERT_EQ(d.channels, 2);
    EXPECT_GE(d.Frames(), outFrames + kMp3CodecDelay);
    EXPECT_LT(d.Frames(), outFrames + kMp3CodecDelay + 2 * kMp3FrameSamples);
    const long delay = BestDelay(expected, d, 2, 0, outFrames, kMp3CodecDelay - 10, kMp3CodecDelay + 10);
    EXPECT_EQ(delay, kMp3CodecDelay);
    EXPECT_GT(AlignedSnr(expected, d, 2, 0, outFrames, delay), 15.0);
}

TEST_F(WaveRoadTest, SliderPositionTwoEncodesAtForty)
{
    const std::string input = Input("a.wav");
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, Tone(kRate, {440, 660}, kRate)));
    WalkToOptions(input);
    auto* slider = Find<QSlider>("MMSlider1");
    EXPECT_EQ(slider->value(), 9);
    EXPECT_EQ(Find<QLabel>("BitrateValue")->text(), "128 Khz");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Home);  // position 1
    QTest::keyClick(slider, Qt::Key_Right);  // position 2
    EXPECT_EQ(slider->value(), 2);
    EXPECT_EQ(Find<QLabel>("BitrateValue")->text(), "40 Khz");
    EXPECT_EQ(state.bitRateIndex, 1);
    Click("EncodeOptionsNext");
    ASSERT_TRUE(WaitForFinish());
    const Bytes frames = RiffChunk(ReadBytes(Input("a.mp3")), "data");
    const auto headers = Mp3Frames(frames);
    for (const Mp3Header& h : headers)
        ASSERT_EQ(h.kbps, 40u);
    EXPECT_GT(headers.size(), 30u);
}

TEST_F(WaveRoadTest, CancelDuringTheEncodingLeavesAShorterDecodableFile)
{
    const long frames = kRate * 120;
    const std::string input = Input("long.wav");
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, Tone(kRate, {440, 550}, frames)));
    StartEncoding(input);
    ASSERT_TRUE(state.encodingInProgress);
    // Cancel once a part of the file has been encoded, as a person would.
    ASSERT_TRUE(RunEventsUntil([&] {
        std::error_code ec;
        // The MP3 grows under its temporary name until it is whole.
        return std::filesystem::file_size(form2->MP3Encoder.OutputPath(), ec) > 64 * 1024 && !ec;
    }));
    Click("EncodeWavCancel");
    EXPECT_TRUE(Find("EncodeWavAborted")->isVisible());
    EXPECT_TRUE(Find("EncodeWavFinish")->isEnabled());
    EXPECT_FALSE(Find("EncodeWavCancel")->isEnabled());
    ASSERT_TRUE(RunEventsUntil([&] { return !state.encodingInProgress; }));
    const DecodedMp3 d = DecodeMp3File(Input("long.mp3"));
    EXPECT_EQ(d.channels, 2);
    EXPECT_GT(d.Frames(), 0);
    EXPECT_LT(d.Frames(), frames) << "the encoding stopped early";
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
}

// The hidden working files in a folder.
std::vector<std::string> WorkingFilesIn(const std::string& folder)
{
    std::vector<std::string> found;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (const std::string name = e.path().filename().string(); name.starts_with(".mvp-") || name.find(".part") != std::string::npos)
            found.push_back(name);
    return found;
}

TEST_F(WaveRoadTest, AStopSignalMidEncodeEndsTheRunAndNoWorkingFileStaysNorOneOfADeadProcess)
{
    const pid_t dead = ::fork();
    if (dead == 0)
        ::_exit(0);
    ASSERT_GT(dead, 0);
    ::waitpid(dead, nullptr, 0);
    WriteBytes(settings.Folder().File(".mvp-" + std::to_string(dead) + "-1.part"), PatternBytes(100));
    WriteBytes(Input(".other.part"), PatternBytes(100));  // not a working name: it stays

    StopSignals stopSignals([&] { form1->EndBySignal(); });
    const std::string input = Input("long.wav");
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, Tone(kRate, {440, 550}, kRate * 120)));
    StartEncoding(input);
    ASSERT_TRUE(RunEventsUntil([&] {
        std::error_code ec;
        return std::filesystem::file_size(form2->MP3Encoder.OutputPath(), ec) > 64 * 1024 && !ec;
    }));
    const std::string working = std::filesystem::path(form2->MP3Encoder.OutputPath()).filename().string();
    EXPECT_TRUE(working.starts_with(".mvp-" + std::to_string(::getpid()) + "-") && working.ends_with(".part")) << working;
    ::kill(::getpid(), SIGTERM);
    ASSERT_TRUE(RunEventsUntil([&] { return closedSignal && !state.encodingInProgress; }));
    EXPECT_EQ(WorkingFilesIn(settings.Folder().Path()), std::vector<std::string>{".other.part"});
}

TEST_F(WaveRoadTest, AnOutputNameOfTwoHundredFortyBytesIsWritten)
{
    const std::string stem(236, 'n');
    const std::string input = Input((stem + ".wav").c_str());
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, Tone(kRate, {440}, kRate)));
    StartEncoding(input);
    ASSERT_TRUE(WaitForFinish());
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    EXPECT_GT(DecodeMp3File(Input((stem + ".mp3").c_str())).Frames(), 0);
}

TEST_F(WaveRoadTest, CancelDuringTheConversionStartsNoEncoding)
{
    const unsigned rate = 22050;
    const std::string input = Input("long8.wav");
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, rate, Tone(rate, {300}, rate * 120)));
    WalkToOptions(input);
    // Cancel is clicked while the conversion lets window messages run.
    QTimer::singleShot(0, [&] { Click("EncodeWavCancel"); });
    Click("EncodeOptionsNext");
    EXPECT_TRUE(Find("EncodeWavAborted")->isVisible());
    EXPECT_TRUE(Find("EncodeWavFinish")->isEnabled());
    EXPECT_EQ(Find<QProgressBar>("MMGauge2")->value(), 100);
    EXPECT_FALSE(state.encodingInProgress);
    EXPECT_FALSE(std::filesystem::exists(Input("long8.mp3"))) << "no encoding was started";
}

TEST_F(WaveRoadTest, AnInputThatCannotBeEncodedIsRefusedWhenPickedAndNextStaysDisabled)
{
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        std::string message;
    };
    const Case cases[] = {
        {"missing.wav", [](const std::string&) {}, "File not found"},
        {"folder.wav", [](const std::string& p) { std::filesystem::create_directory(p); }, "File access denied"},
        {"notes.wav", [](const std::string& p) { WriteBytes(p, {'t', 'e', 'x', 't', '\n'}); },
         "Read beyond end of file\n" + Input("notes.wav") + " is a text file, not a wave file."},
        {"samples.raw", [](const std::string& p) { WriteBytes(p, PatternBytes(4000)); },
         "Invalid wave file...\n" + Input("samples.raw") +
             " is a raw PCM file (samples without a wave header), not a wave file."},
        {"alaw.wav",
         [](const std::string& p) {
             WriteBytes(p, RiffBuilder().Fmt(6, 2, 8000, 8).Chunk("data", PatternBytes(4000)).Build());
         },
         "Unsupported wave format: the file holds CCITT A-Law, 8 bits, 2 channels, 8000 Hz. Wave files with PCM "
         "samples of 8, 16, 24 or 32 bits or IEEE float samples of 32 or 64 bits, and 1 to 8 channels, can be "
         "encoded."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RestartWizard();
        const std::string input = Input(c.name);
        c.make(input);
        Click("IEButton1");
        Click("SelSourceNext");
        dialogs->openAnswers.push_back(input);
        Click("SelWavBrowseInput");
        Activate();
        ASSERT_EQ(dialogs->messages.size(), 1u);
        EXPECT_EQ(dialogs->messages[0], c.message);
        EXPECT_EQ(CurrentPageName(), "SelWav");
        EXPECT_FALSE(Find("SelWavNext")->isEnabled());
        EXPECT_FALSE(std::filesystem::exists(Input("missing.mp3")));
    }
}

// A person's walk with the keyboard and typed paths: Enter is Next, a typed path is checked
// as a picked one, each road keeps its own file, an existing output is replaced only when
// the user agrees, the bit rate is remembered, and Esc closes.
TEST_F(WaveRoadTest, KeyboardAndTypedPathsWalkTheRoadAndNothingIsReplacedUnasked)
{
    form2->MidiAvailable = true;
    RestartWizard();
    const auto press = [](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QApplication::processEvents();
    };
    const std::string input = Input("typed.wav");
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, Tone(kRate, {440, 660}, kRate)));
    const Bytes old = {'o', 'l', 'd'};
    WriteBytes(Input("typed.mp3"), old);

    Click("IEButton1");
    press(Qt::Key_Return);
    ASSERT_EQ(CurrentPageName(), "SelWav");
    auto* field = Find<QLineEdit>("SelWavInput");
    EXPECT_EQ(QApplication::focusWidget(), field) << "the focus starts in the page's first field";
    QTest::keyClicks(field, QString::fromStdString(input));
    dialogs->questionAnswers.push_back(false);
    press(Qt::Key_Return);  // checks the typed path, then Next asks about the existing output
    ASSERT_EQ(dialogs->questions, std::vector<std::string>{"Replace " + Input("typed.mp3") + "?"});
    EXPECT_EQ(CurrentPageName(), "SelWav") << "No keeps the page";
    EXPECT_EQ(ReadBytes(Input("typed.mp3")), old);
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();

    // The MIDI road does not inherit the wave file; the wave road gets it back.
    Click("BtnBack");
    Click("IEButton2");
    Click("SelSourceNext");
    EXPECT_TRUE(Find<QLineEdit>("SelWavInput")->text().isEmpty());
    EXPECT_TRUE(Find<QLineEdit>("SelWavOutput")->text().isEmpty());
    EXPECT_FALSE(Find("SelWavNext")->isEnabled());
    // A file dropped on the window is picked for the road shown.
    WriteFileBytes(Input("song.mid"), HeldA4Song());
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(QString::fromStdString(Input("song.mid")))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form1.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form1.get(), &drop);
    EXPECT_EQ(Find<QLineEdit>("SelWavInput")->text().toStdString(), Input("song.mid"));
    EXPECT_TRUE(Find("SelWavNext")->isEnabled());
    Click("BtnBack");
    Click("IEButton1");
    Click("SelSourceNext");
    EXPECT_EQ(field->text().toStdString(), input);

    field->setFocus();
    press(Qt::Key_Return);  // Yes this time
    ASSERT_EQ(CurrentPageName(), "SingleTag");
    press(Qt::Key_Return);
    ASSERT_EQ(CurrentPageName(), "EncodeOptions");
    auto* slider = Find<QSlider>("MMSlider1");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Home);
    QTest::keyClick(slider, Qt::Key_Right);
    press(Qt::Key_Return);
    ASSERT_EQ(CurrentPageName(), "EncodeWav");
    ASSERT_TRUE(WaitForFinish());
    EXPECT_EQ(Mp3Frames(RiffChunk(ReadBytes(Input("typed.mp3")), "data")).front().kbps, 40u);

    // The next run starts at the bit rate chosen in this one; Esc on the file page closes.
    RestartWizard();
    EXPECT_EQ(Find<QSlider>("MMSlider1")->value(), 2);
    EXPECT_EQ(Find<QLabel>("BitrateValue")->text(), "40 Khz");
    Click("IEButton1");
    Click("SelSourceNext");
    closedSignal = false;
    press(Qt::Key_Escape);
    EXPECT_TRUE(closedSignal);
}

TEST_F(WaveRoadTest, AFullDiskIsReportedAndLeavesNoFileAtTheMp3sName)
{
    const SmallDisk small(settings.Folder().File("small"), "192k");
    if (!small.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    const std::string disk = small.Folder();

    const std::string input = Input("big.wav");
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, Tone(kRate, {440, 550}, kRate * 30)));
    WalkToOptions(input);
    state.outputFileName = disk + "/big.mp3";
    Click("EncodeOptionsNext");
    ASSERT_TRUE(WaitForFinish());
    // The tag may not fit either; the disk message must be among what the user is told.
    const auto& shown = dialogs->messages;
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(),
                            [](const std::string& m) { return m.find("disk was full") != std::string::npos; }))
        << (shown.empty() ? std::string("no message") : shown.front());
    // An unfinished MP3 never takes the name, nor stays under its temporary one.
    EXPECT_TRUE(std::filesystem::is_empty(disk)) << "a file was left on the full disk";
    // The page offers the way back to the files, every choice kept.
    ASSERT_TRUE(Find("BtnBack")->isVisible());
    Click("BtnBack");
    EXPECT_EQ(CurrentPageName(), "SelWav");
    EXPECT_EQ(Find<QLineEdit>("SelWavInput")->text().toStdString(), input);
}

TEST_F(WaveRoadTest, EncodingProgressRisesSteadilyToTheEnd)
{
    const std::string input = Input("minute.wav");
    ASSERT_TRUE(SndWriteShorts(input, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, kRate, Tone(kRate, {440, 550}, kRate * 240)));
    StartEncoding(input);
    auto* gauge = Find<QProgressBar>("MMGauge1");
    std::vector<int> seen{gauge->value()};
    ASSERT_TRUE(RunEventsUntil([&] {
        if (gauge->value() != seen.back())
            seen.push_back(gauge->value());
        return Find("EncodeWavFinish")->isEnabled();
    }));
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end())) << "never jumps back";
    EXPECT_GE(seen.size(), 3u) << "the gauge moved while the file was encoded";
    EXPECT_LE(seen.back(), 100);
}

TEST_F(WaveRoadTest, ClickHereShowsTheEncoderDetailsWithoutBlocking)
{
    form1->MoveTo(Find("EncodeWav"));  // no input: the page reports the error and stays
    dialogs->messages.clear();
    Activate();
    // The encoder line is one label; its link follows the first sentence.
    auto* link = Find<QLabel>("EncodeWavClickHere");
    const int x = link->fontMetrics().horizontalAdvance("using the Blade encoder. ") + 8;
    QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, QPoint(x, link->height() / 2));
    ASSERT_TRUE(RunEventsUntil([&] { return form3->isVisible(); }));
    EXPECT_FALSE(form3->isModal());
    EXPECT_TRUE(form1->isEnabled()) << "the wizard stays usable";
    const QString version = form3->findChild<QLabel*>("EncoderVersion")->text();
    EXPECT_TRUE(version.startsWith("Version 1.0   Engine 3.")) << version.toStdString();
    Click(form3->findChild<QPushButton*>("OKButton"));
    EXPECT_FALSE(form3->isVisible());
}
