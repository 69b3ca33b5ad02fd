// mervane-cli run as a process next to the wizard: the same input and details give the same
// file; a batch goes on past a broken input; Ctrl+C leaves nothing half-made; the wizard
// opens a file it is started with.
#include "app/WizardFixture.h"
#include "platform/os/ProfileFile.h"
#include "stream/MMWavIn.h"
#include "support/AudioOracles.h"
#include "support/CdImage.h"
#include "support/CoverFixtures.h"
#include "support/MidiFixtures.h"
#include "support/WaveFixtures.h"

#include <cctype>
#include <QAction>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <fcntl.h>
#include <signal.h>
#include <sndfile.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tpropertymap.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CommandLine : public WizardTest {
protected:
    void BeforeWizard() override
    {
        UseFastSoftwareCard();
        ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "CdDevice", Input("disc.cue"));
    }

    // The program with the test's settings (inherited) and a cache folder of its own, so
    // the instance folders it leaves can be counted.
    void Start(QProcess& p, const QStringList& args)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CACHE_HOME", QString::fromStdString(Input("cache")));
        p.setProcessEnvironment(env);
        p.start(MERVANE_CLI_PROGRAM, args);
        ASSERT_TRUE(p.waitForStarted());
    }

    CliRun Run(const QStringList& args)
    {
        QProcess p;
        Start(p, args);
        EXPECT_TRUE(p.waitForFinished(-1));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput().toStdString(),
                p.readAllStandardError().toStdString()};
    }

    // The disc details cache (discs/), which the wizard's track list fills, is no instance
    // folder.
    std::size_t InstanceFolders() const
    {
        std::error_code ec;
        const fs::path root = settings.Folder().File("cache") + "/mervane";
        // Instance folders are named "<pid>-<random>"; the disc details cache beside them stays.
        std::size_t count = 0;
        for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
            count += std::isdigit(static_cast<unsigned char>(it->path().filename().string()[0])) ? 1 : 0;
        return count;
    }

    void TypeDetails()
    {
        Find<QLineEdit>("SingleTagTitle")->setText("Tide");
        Find<QLineEdit>("SingleTagArtist")->setText("The Shore");
        Find<QLineEdit>("SingleTagComment")->setText("made twice");
    }
    // The wizard's pages start the year and the track at 1999 and 1: the command line tags
    // them only when asked.
    const QStringList details{"--title", "Tide", "--artist", "The Shore", "--comment", "made twice",
                              "--year", "1999", "--track", "1"};

    // Waits until the encoder's hidden working file of an output in `folder` has bytes: the
    // encoding runs. False when the program ended first.
    bool WaitForEncoding(QProcess& p, const std::string& folder)
    {
        while (p.state() != QProcess::NotRunning) {
            std::error_code ec;
            for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
                const std::string name = it->path().filename().string();
                if (name.starts_with(".") && name.find(".part") != std::string::npos && fs::file_size(it->path(), ec) > 0)
                    return true;
            }
            p.waitForFinished(2);
        }
        return false;
    }

    // One JSON object of --json's output.
    static QJsonObject JsonLine(const std::string& out)
    {
        return QJsonDocument::fromJson(QByteArray::fromStdString(out.substr(0, out.find('\n')))).object();
    }

    std::string Wave(const char* name, unsigned rate, int channels, int format, double seconds)
    {
        const std::string path = Input(name);
        const long frames = static_cast<long>(rate * seconds);
        std::vector<std::int16_t> pcm;
        for (std::int16_t s : Tone(rate, {440}, frames))
            pcm.insert(pcm.end(), static_cast<std::size_t>(channels), s);
        EXPECT_TRUE(SndWriteShorts(path, SF_FORMAT_WAV | format, channels, static_cast<int>(rate), pcm));
        return path;
    }
};
}  // namespace

TEST_F(CommandLine, ConvertedWaveWithTheSameDetailsIsTheWizardsFileByteForByte)
{
    const std::string input = Wave("voice.wav", 22050, 1, SF_FORMAT_PCM_U8, 2.3);
    WalkToDetails(input);
    TypeDetails();
    Click("SingleTagNext");
    Click("EncodeOptionsNext");
    ASSERT_TRUE(WaitForFinish());
    ASSERT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();

    const CliRun run = Run(QStringList{"wave", QString::fromStdString(input), "-o", QString::fromStdString(Input("cli.mp3"))} + details);
    ASSERT_EQ(run.status, 0) << run.err;
    const Bytes wizard = ReadBytes(Input("voice.mp3"));
    EXPECT_GT(Mp3Frames(RiffChunk(wizard, "data")).size(), 50u);
    EXPECT_TRUE(ReadBytes(Input("cli.mp3")) == wizard) << "the two programs made different files";
    EXPECT_EQ(InstanceFolders(), 0u);
}

TEST_F(CommandLine, MidiFileWithTheSameDetailsIsTheWizardsFileByteForByte)
{
    SmfTrack melody;
    melody.Program(0, 0, 73).NoteOn(0, 0, 69, 110).NoteOff(720, 0, 69).NoteOn(0, 0, 76).NoteOff(480, 0, 76).End(0);
    const std::string midi = Input("tune.mid");
    WriteFileBytes(midi, SmfFile(0, 480, {melody}));
    WalkToDetails(midi, "IEButton2");
    ASSERT_FALSE(HasFatalFailure());
    TypeDetails();
    Click("SingleTagNext");
    Click("EncodeOptionsNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncFinish")->isEnabled(); }));
    ASSERT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();

    // The card's own pace is real time now, with speakers that keep what they play: the
    // command line renders faster than real time anyway (the speakers hear none of the
    // song) and makes the wizard's fast file; --real-time plays it through the speakers.
    alsa.AddPlayback("testmonitor");
    alsa.Install();
    ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "Clock", "");
    ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "MonitorDevice", "testmonitor");
    // Frames the speakers played with sound in them (the card keeps the wall clock's pace,
    // and its speakers, until the song's first frame reaches the recorder).
    const auto framesHeard = [&] {
        long heard = 0;
        for (std::int16_t s : alsa.Played("testmonitor"))
            heard += std::abs(int(s)) > 64 ? 1 : 0;
        return heard / 2;
    };
    const CliRun run = Run(QStringList{"midi", QString::fromStdString(midi), "-o", QString::fromStdString(Input("cli.mp3"))} + details);
    ASSERT_EQ(run.status, 0) << run.err;
    const Bytes wizard = ReadBytes(Input("tune.mp3"));
    EXPECT_GT(Mp3Frames(RiffChunk(wizard, "data")).size(), 30u);
    EXPECT_TRUE(ReadBytes(Input("cli.mp3")) == wizard) << "the two programs made different files";
    EXPECT_LT(framesHeard(), 44100 / 10) << "the render was played through the speakers";

    const CliRun heard = Run({"midi", "--real-time", QString::fromStdString(midi), "-o", QString::fromStdString(Input("heard.mp3"))});
    ASSERT_EQ(heard.status, 0) << heard.err;
    EXPECT_GT(framesHeard(), 44100) << "--real-time did not play the song through the speakers";
    EXPECT_GT(DecodeMp3File(Input("heard.mp3")).Frames(), 44100);
}

TEST_F(CommandLine, TagHoldsOnlyWhatWasGivenAndReplayGainFollowsTheOptions)
{
    ProfileFile::Settings().WriteString("ENCODER", "ReplayGain", "1");
    const std::string input = Wave("plain.wav", 44100, 2, SF_FORMAT_PCM_16, 0.5);
    const std::string output = Input("plain.mp3");
    const CliRun run = Run({"wave", "--container", "mp3", "--no-replaygain", "--title", "Only", QString::fromStdString(input)});
    ASSERT_EQ(run.status, 0) << run.err;
    TagLib::MPEG::File file(output.c_str(), false);
    ASSERT_TRUE(file.isValid());
    ASSERT_TRUE(file.ID3v2Tag() && file.ID3v1Tag());
    EXPECT_EQ(file.ID3v2Tag()->title().to8Bit(true), "Only");
    for (const TagLib::Tag* tag : {static_cast<TagLib::Tag*>(file.ID3v2Tag()), static_cast<TagLib::Tag*>(file.ID3v1Tag())}) {
        EXPECT_EQ(tag->year(), 0u) << "a year nobody gave";
        EXPECT_EQ(tag->track(), 0u) << "a track number nobody gave";
    }
    EXPECT_FALSE(file.ID3v2Tag()->properties().contains("REPLAYGAIN_TRACK_GAIN")) << "--no-replaygain was not obeyed";

    const CliRun help = Run({"--help"});
    EXPECT_NE(help.out.find("Container=wave, ReplayGain=1"), std::string::npos) << help.out;
}

TEST_F(CommandLine, AnOutputAnotherProgramWroteMeanwhileIsReportedUnderTheNameTheMp3Took)
{
    ProfileFile::Settings().WriteInteger("ENCODER", "Jobs", 1);
    const std::string input = Wave("long.wav", 44100, 2, SF_FORMAT_PCM_16, 120);
    fs::create_directory(Input("out"));
    const std::string same = Input("out/same.mp3");
    QProcess p;
    Start(p, {"wave", "--json", "-o", QString::fromStdString(same), QString::fromStdString(input)});
    ASSERT_TRUE(WaitForEncoding(p, Input("out"))) << "the encoding ended before the other writer came";
    WriteFileBytes(same, {'o', 't', 'h', 'e', 'r'});
    ASSERT_TRUE(p.waitForFinished(-1));
    const std::string err = p.readAllStandardError().toStdString();
    EXPECT_EQ(p.exitCode(), 0) << err;
    const QJsonObject o = JsonLine(p.readAllStandardOutput().toStdString());
    const std::string took = Input("out/same (2).mp3");
    EXPECT_EQ(o["result"].toString(), "ok") << err;
    EXPECT_EQ(o["output"].toString().toStdString(), took);
    ASSERT_TRUE(fs::exists(took));
    EXPECT_EQ(o["bytes"].toInteger(), static_cast<qint64>(fs::file_size(took)));
    EXPECT_FALSE(o.contains("error"));
    EXPECT_EQ(ReadBytes(same), (Bytes{'o', 't', 'h', 'e', 'r'})) << "the other program's file was replaced";
}

TEST_F(CommandLine, TwoTracksOfADiscImageAreTheWizardsFilesByteForByte)
{
    WriteCdImage(settings.Folder().Path(), "disc", {{true, 75, 441}, {true, 150, 630}, {true, 120, 0}});
    fs::create_directory(Input("wizard"));
    Click("IEButton3");
    Click("SelSourceNext");
    ASSERT_EQ(CurrentPageName(), "selCD");
    for (int t : {2, 3})
        Find<QListWidget>("selCDTracks")->item(t - 1)->setCheckState(Qt::Checked);
    Click("selCDNext");
    QWidget* rip = Find("SelCDrecRip");
    QTest::mouseClick(rip, Qt::LeftButton, Qt::NoModifier, QPoint(8, rip->height() / 2));
    ASSERT_TRUE(Find<QRadioButton>("SelCDrecRip")->isChecked());
    Click("SelCDrecNext");
    dialogs->folderAnswers.push_back(Input("wizard"));
    Click("CDoptionsBrowse");
    Activate();
    Click("CDoptionsNext");
    Click("CDtagselYes");
    Click("CDtagselNext");
    ASSERT_EQ(CurrentPageName(), "Multitag");
    Find<QLineEdit>("MultitagArtist")->setText("The Shore");  // kept for the next track
    Click("MultitagNext");
    Click("MultitagNext");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncCDFinish")->isEnabled(); }));
    ASSERT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();

    // The drive is the one the settings name, as for the wizard; every track gets its number.
    const CliRun run = Run({"cd", "--tracks", "2-3", "--artist", "The Shore", "--year", "1999", "-o", QString::fromStdString(Input("cli"))});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* name : {"Track2.mp3", "Track3.mp3"}) {
        const Bytes wizard = ReadBytes(Input("wizard/") + name);
        EXPECT_GT(Mp3Frames(RiffChunk(wizard, "data")).size(), 20u) << name;
        EXPECT_TRUE(ReadBytes(Input("cli/") + name) == wizard) << name << ": the two programs made different files";
    }
    EXPECT_FALSE(fs::exists(Input("cli/Track1.mp3")));
    EXPECT_EQ(InstanceFolders(), 0u);
}

TEST_F(CommandLine, RecordedTracksOfADiscImageHoldTheWholeTrackAtTheCdRecordingLevel)
{
    // Noise lines up with the disc at one delay only.
    const CdImage image =
        WriteCdImage(settings.Folder().Path(), "disc", {{true, 75, 0}, {true, 110, 0}, {true, 75, 441}});
    ProfileFile::Settings().WriteInteger("RECORD_LEVEL", "CD", 32768);
    const CliRun ripped = Run({"cd", "--tracks", "1,2", "-o", QString::fromStdString(Input("rip"))});
    ASSERT_EQ(ripped.status, 0) << ripped.err;
    // A recorded disc is named and reported by the same CD run as a ripped one.
    ProfileFile::Settings().WriteString("METADATA", "FileNames", "Take %N");
    const CliRun run =
        Run({"cd", "--record", "--json", "--no-lookup", "--tracks", "1,2", "-o", QString::fromStdString(Input("cli"))});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(R"("output":")" + Input("cli/Take 02.mp3") + R"(","result":"ok","track":2})"),
              std::string::npos)
        << run.out;
    for (int n : {1, 2}) {
        SCOPED_TRACE("track " + std::to_string(n));
        const std::string name = "Track" + std::to_string(n) + ".mp3";
        const DecodedMp3 recorded = DecodeMp3File(Input("cli/Take 0") + std::to_string(n) + ".mp3");
        const DecodedMp3 rip = DecodeMp3File(Input("rip/") + name);
        const std::vector<std::int16_t> pcm = image.TrackSamples(n);
        const long frames = static_cast<long>(pcm.size()) / 2;
        // From the track's first frame to its last: as long as the rip and lined up as it is.
        EXPECT_EQ(recorded.Frames(), rip.Frames());
        const long lag = BestDelay(pcm, recorded, 2, 0, frames, 0, 3 * kMp3FrameSamples);
        EXPECT_EQ(lag, kMp3CodecDelay);
        // How much of the disc's sound each file holds: the recording came through the
        // card's CD line at its recording level, half of full scale.
        const auto share = [&](const DecodedMp3& d) {
            double cross = 0, power = 0;
            for (long i = 0; i < 2 * frames && 2 * lag + i < static_cast<long>(d.pcm.size()); ++i) {
                cross += double(pcm[static_cast<std::size_t>(i)]) * d.pcm[static_cast<std::size_t>(2 * lag + i)];
                power += double(pcm[static_cast<std::size_t>(i)]) * pcm[static_cast<std::size_t>(i)];
            }
            return cross / power;
        };
        EXPECT_GT(share(rip), 0.8);
        EXPECT_NEAR(share(recorded) / share(rip), 0.5, 0.02);
    }
    EXPECT_FALSE(fs::exists(Input("cli/Take 03.mp3")));
    EXPECT_EQ(InstanceFolders(), 0u);
}

TEST_F(CommandLine, BatchWithOneBrokenInputMakesTheOthersNamesItAndExitsOne)
{
    QStringList args{"wave", "--json", "-j", "2", "-o", QString::fromStdString(Input("out"))};
    const char* names[] = {"a.wav", "b.wav", "broken.wav", "c.wav", "d.wav"};
    for (const char* name : names) {
        if (std::string(name) == "broken.wav")
            WriteFileBytes(Input(name), {'R', 'I', 'F', 'F', 0x40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't'});
        else
            Wave(name, 44100, 2, SF_FORMAT_PCM_16, 0.5);
        args << QString::fromStdString(Input(name));
    }
    const CliRun run = Run(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("broken.wav: "), std::string::npos) << run.err;
    // One closing line: files, their audio, the time taken, the failures.
    EXPECT_NE(run.err.find("mervane-cli: 5 files, 0:02 of audio in 0:"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(", 1 failed\n"), std::string::npos) << run.err;

    // One JSON object a line, in the inputs' order.
    std::vector<QJsonObject> lines;
    std::istringstream out(run.out);
    for (std::string line; std::getline(out, line);) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
        lines.push_back(doc.object());
    }
    ASSERT_EQ(lines.size(), 5u) << run.out;
    for (std::size_t i = 0; i < 5; ++i) {
        const QJsonObject& o = lines[i];
        const bool broken = i == 2;
        EXPECT_EQ(o["input"].toString().toStdString(), Input(names[i]));
        EXPECT_EQ(o["result"].toString(), broken ? "failed" : "ok");
        const std::string output = o["output"].toString().toStdString();
        EXPECT_EQ(fs::exists(output), !broken) << output;
        if (broken) {
            EXPECT_FALSE(o["error"].toString().isEmpty());
            continue;
        }
        EXPECT_EQ(o["bytes"].toInteger(), static_cast<qint64>(fs::file_size(output)));
        EXPECT_DOUBLE_EQ(o["seconds"].toDouble(), 0.5);
        EXPECT_GE(DecodeMp3File(output).Frames(), 22050);
    }
    EXPECT_EQ(InstanceFolders(), 0u);

    // An existing output is an error unless --overwrite; the others of the batch still run.
    const CliRun again = Run({"wave", "-o", QString::fromStdString(Input("out")), QString::fromStdString(Input("a.wav")),
                              QString::fromStdString(Input("b.wav")), "--overwrite"});
    EXPECT_EQ(again.status, 0) << again.err;
    const CliRun refused = Run({"wave", "-o", QString::fromStdString(Input("out")), QString::fromStdString(Input("a.wav"))});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("exists"), std::string::npos) << refused.err;
}

TEST_F(CommandLine, CtrlCDuringABatchExits130AndLeavesNoPartialFileNorTemporaryFolder)
{
    // Ctrl+C, and the hang-up of a closed terminal, end the batch alike.
    for (const int signal : {SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        fs::remove_all(Input("out"));
        QStringList args{"wave", "-j", "2", "-o", QString::fromStdString(Input("out"))};
        const std::string first = Wave("long1.wav", 48000, 2, SF_FORMAT_PCM_16, 60);
        for (const char* name : {"long1.wav", "long2.wav", "long3.wav"}) {
            if (std::string(name) != "long1.wav")
                fs::copy_file(first, Input(name), fs::copy_options::overwrite_existing);
            args << QString::fromStdString(Input(name));
        }
        QProcess p;
        Start(p, args);
        // Interrupted once a worker has its temporary folder.
        while (InstanceFolders() == 0 && p.state() != QProcess::NotRunning)
            p.waitForFinished(5);
        ASSERT_EQ(p.state(), QProcess::Running) << "the batch ended before it could be interrupted";
        ASSERT_EQ(::kill(static_cast<pid_t>(p.processId()), signal), 0);
        ASSERT_TRUE(p.waitForFinished(-1));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        const std::string err = p.readAllStandardError().toStdString();
        EXPECT_EQ(p.exitCode(), 130) << err;
        EXPECT_NE(err.find("mervane-cli: interrupted: no file was finished; the unfinished ones and every temporary "
                           "file were removed"), std::string::npos) << err;
        std::error_code ec;
        const auto left = fs::exists(Input("out"), ec) ? std::distance(fs::directory_iterator(Input("out")), {}) : 0;
        EXPECT_EQ(left, 0) << "a partial MP3 was left";
        EXPECT_EQ(InstanceFolders(), 0u);
    }
}

TEST_F(CommandLine, AWaveCutShortWhileItIsEncodedFailsNamingItAndLeavesNoMp3)
{
    // Five minutes, so that the encoding still runs when another program cuts the file.
    const std::string input = Wave("long.wav", 44100, 2, SF_FORMAT_PCM_16, 300);
    const std::string out = Input("out");
    fs::create_directories(out);
    QProcess p;
    Start(p, {"wave", "-j", "2", "-o", QString::fromStdString(out), QString::fromStdString(input)});
    ASSERT_TRUE(WaitForEncoding(p, out)) << "the encoding ended before the file could be cut";
    fs::resize_file(input, 1000000);
    // A run that never ends fails here instead of holding up the suite.
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished(-1);
        FAIL() << "the run did not end after its input was cut short";
    }
    const std::string err = p.readAllStandardError().toStdString();
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1) << err;
    EXPECT_NE(err.find(input + " was cut short while it was read (it ended after "), std::string::npos) << err;
    EXPECT_NE(err.find(", 1 failed\n"), std::string::npos) << err;
    EXPECT_EQ(std::distance(fs::directory_iterator(out), {}), 0) << "a part of the file was kept as if it were the MP3";
}

TEST_F(CommandLine, UsageErrorsExitTwoWithTheUsage)
{
    for (const QStringList& args : {QStringList{"wave"}, QStringList{"wave", "-b", "100", "x.wav"}, QStringList{"--bogus"}}) {
        const CliRun run = Run(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_NE(run.err.find("Usage:"), std::string::npos) << run.err;
    }
}

TEST_F(CommandLine, RecordTakesExactlyTheSecondsAskedFromTheCaptureDevice)
{
    // Three seconds of tone in the device; the take stops at two.
    alsa.AddCapture("testmic", Tone(44100, {1000, 1000}, 44100 * 3));
    alsa.Install();
    ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "MicDevice", "testmic");
    const std::string output = Input("take.mp3");
    const CliRun run = Run({"record", "--source", "mic", "--seconds", "2", "-q", "-o", QString::fromStdString(output)});
    ASSERT_EQ(run.status, 0) << run.err;
    const DecodedMp3 d = DecodeMp3File(output);
    ASSERT_EQ(d.channels, 2);
    EXPECT_EQ(d.rate, 44100);
    EXPECT_GE(d.Frames(), 2 * 44100 + kMp3CodecDelay);
    EXPECT_LT(d.Frames(), 2 * 44100 + kMp3CodecDelay + 2 * kMp3FrameSamples);
    const auto loudest = std::max_element(d.pcm.begin(), d.pcm.end(), [](int a, int b) { return std::abs(a) < std::abs(b); });
    EXPECT_GT(std::abs(*loudest), 1000) << "the take is silent, not the device's tone";
    EXPECT_EQ(InstanceFolders(), 0u);
}

TEST_F(CommandLine, RecordFromAMicrophoneThatStallsKeepsTheTakeAndSaysSo)
{
    // A third of a second of tone in a pipe, then nothing, the pipe held open: a device that
    // stops delivering.
    const std::string fifo = alsa.AddFifoCapture("fifomic");
    alsa.Install();
    ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "MicDevice", "fifomic");
    const int pipe = ::open(fifo.c_str(), O_RDWR);
    ASSERT_GE(pipe, 0);
    const std::vector<std::int16_t> tone = Tone(44100, {1000, 1000}, 44100 / 3);
    ASSERT_EQ(::write(pipe, tone.data(), tone.size() * 2), static_cast<ssize_t>(tone.size() * 2));
    const std::string output = Input("stall.mp3");
    const CliRun run = Run({"record", "--source", "mic", "--seconds", "60", "-q", "-o", QString::fromStdString(output)});
    ::close(pipe);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find(kRecordingDeviceLostMessage), std::string::npos) << run.err;
    ASSERT_TRUE(fs::exists(output)) << "the take was not kept";
    EXPECT_GE(DecodeMp3File(output).Frames(), 44100 / 3);
    EXPECT_EQ(InstanceFolders(), 0u);
}

TEST_F(CommandLine, RecordFromACaptureDeviceThatCannotOpenExitsOneNamingTheDevice)
{
    // The fixture's microphone is "nosuchmic", which ALSA does not know.
    const std::string output = Input("take.mp3");
    const CliRun run = Run({"record", "--source", "mic", "--seconds", "1", "-o", QString::fromStdString(output)});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("The capture device \"nosuchmic\" cannot be opened"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(output)) << "a take of silence was encoded";
    EXPECT_EQ(InstanceFolders(), 0u);
}

TEST_F(CommandLine, TheWizardStartedWithAFileOpensItsRoadWithTheFilePicked)
{
    const std::string midi = Input("opened.mid");
    SmfTrack melody;
    melody.NoteOn(0, 0, 60).NoteOff(480, 0, 60).End(0);
    WriteFileBytes(midi, SmfFile(0, 480, {melody}));
    form1->OpenFromCommandLine(midi);
    EXPECT_EQ(CurrentPageName(), "SelWav");
    EXPECT_EQ(state.sourceKind, "midi");
    EXPECT_EQ(Find<QLineEdit>("SelWavInput")->text().toStdString(), midi);
    EXPECT_TRUE(Find("SelWavNext")->isEnabled());

    RestartWizard();
    const std::string wave = Wave("opened.wav", 44100, 2, SF_FORMAT_PCM_16, 0.2);
    form1->OpenFromCommandLine(wave);
    EXPECT_EQ(state.sourceKind, "wave");
    EXPECT_EQ(Find<QLineEdit>("SelWavInput")->text().toStdString(), wave);
    EXPECT_EQ(Find<QLineEdit>("SelWavOutput")->text().toStdString(), Input("opened.mp3"));
}

TEST_F(CommandLine, TheUsersPngFromTheWellOrFromCoverIsTheTagsFrontCoverInTheSameFile)
{
    const std::string input = Wave("voice.wav", 44100, 2, SF_FORMAT_PCM_16, 1.0);
    const Bytes png = TestPng(300, 200);
    WriteBytes(Input("art.png"), png);
    WalkToDetails(input);
    dialogs->openAnswers.push_back(Input("art.png"));
    Find<QAction>("SingleTagCoverBrowse")->trigger();
    EXPECT_FALSE(Find<QToolButton>("SingleTagCover")->icon().isNull()) << "the well shows the picture";
    TypeDetails();
    Click("SingleTagNext");
    Click("EncodeOptionsNext");
    ASSERT_TRUE(WaitForFinish());
    ASSERT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();

    const QString cli = QString::fromStdString(Input("cli.mp3"));
    const CliRun run =
        Run(QStringList{"wave", QString::fromStdString(input), "-o", cli, "--cover", QString::fromStdString(Input("art.png"))} +
            details);
    ASSERT_EQ(run.status, 0) << run.err;
    for (const std::string& path : {Input("voice.mp3"), Input("cli.mp3")}) {
        const std::vector<EmbeddedPicture> pictures = EmbeddedPictures(path);
        ASSERT_EQ(pictures.size(), 1u) << path;
        EXPECT_EQ(pictures[0].type, 3);
        EXPECT_EQ(pictures[0].mime, "image/png");
        EXPECT_EQ(pictures[0].data, png) << "a small PNG stays as it is";
    }
    EXPECT_TRUE(ReadBytes(Input("cli.mp3")) == ReadBytes(Input("voice.mp3"))) << "the two programs made different files";

    // A file that is no picture stops the command before anything is written, naming it.
    const std::string text = "not a picture";
    WriteBytes(Input("notes.png"), Bytes(text.begin(), text.end()));
    const CliRun refused = Run({"wave", QString::fromStdString(input), "-o", QString::fromStdString(Input("no.mp3")),
                                "--cover", QString::fromStdString(Input("notes.png"))});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find(Input("notes.png") + ": not a picture"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(Input("no.mp3")));
}
