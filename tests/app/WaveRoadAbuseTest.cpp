// The wave road as a hostile user walks it: outputs that would destroy the input or a
// folder, pipes where files belong, waves without audio or with impossible rates, names
// without extensions, and a disk that fills up. Nothing is lost, nothing hangs, and the
// message says what happened.
#include "app/QtDialogs.h"
#include "app/WizardFixture.h"
#include "mixer/Unit2.h"
#include "support/AudioOracles.h"
#include "support/PipeWatch.h"
#include "support/SmallDisk.h"
#include "support/WaveFixtures.h"

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QLineEdit>
#include <QTimer>
#include <filesystem>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr unsigned kRate = 44100;

class WaveRoadAbuseTest : public WizardTest {
protected:
    // From the source page into the encoding page with `input` chosen and, when given,
    // `output` chosen through the save dialog.
    void Encode(const std::string& input, const std::string& output = "")
    {
        WalkToDetails(input);
        if (!output.empty()) {
            Click("BtnBack");
            dialogs->saveAnswers.push_back(output);
            Click("SelWavBrowseOutput");
            Activate();
            Click("SelWavNext");
        }
        Click("SingleTagNext");
        Click("EncodeOptionsNext");
        ASSERT_EQ(CurrentPageName(), "EncodeWav");
    }

    // The one message the page showed; no encoding runs and the page stays usable.
    std::string Refusal()
    {
        EXPECT_FALSE(state.encodingInProgress);
        EXPECT_FALSE(Find("EncodeWavFinish")->isEnabled());
        EXPECT_TRUE(Find("EncodeWavCancel")->isEnabled());
        EXPECT_EQ(dialogs->messages.size(), 1u);
        return dialogs->messages.empty() ? "no message" : dialogs->messages.front();
    }

    // The one message the file page showed for a picked input; the page stays and Next
    // stays disabled.
    std::string RefusedPick(const std::string& input)
    {
        Click("IEButton1");
        Click("SelSourceNext");
        dialogs->openAnswers.push_back(input);
        Click("SelWavBrowseInput");
        Activate();
        EXPECT_EQ(CurrentPageName(), "SelWav");
        EXPECT_FALSE(Find("SelWavNext")->isEnabled());
        EXPECT_EQ(dialogs->messages.size(), 1u);
        return dialogs->messages.empty() ? "no message" : dialogs->messages.front();
    }

    std::string WriteTone(const char* name, int channels, unsigned rate, long frames)
    {
        const std::string path = Input(name);
        EXPECT_TRUE(SndWriteShorts(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, channels, static_cast<int>(rate),
                                   Tone(rate, std::vector<double>(static_cast<std::size_t>(channels), 440.0), frames)));
        return path;
    }

    bool Exists(const std::string& path)
    {
        std::error_code ec;
        return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
    }
};
}  // namespace

TEST_F(WaveRoadAbuseTest, AConvertedInputChosenAsItsOwnOutputIsRefusedBeforeAnythingIsWritten)
{
    const std::string input = WriteTone("voice.wav", 1, 8000, 8000 * 3);
    const Bytes before = ReadBytes(input);
    Encode(input, settings.Folder().Path() + "/./voice.wav");
    EXPECT_EQ(Refusal(), "The MP3 file cannot replace the wave file it is made from. Choose another name for the "
                         "MP3 file.\n" + settings.Folder().Path() + "/./voice.wav");
    EXPECT_EQ(ReadBytes(input), before);
    EXPECT_FALSE(Exists(settings.TemporaryWave())) << "nothing was converted";
}

TEST_F(WaveRoadAbuseTest, AWaveNamedMp3IsNotReplacedByTheOutputNamedAfterIt)
{
    const std::string input = WriteTone("take.mp3", 1, 22050, 22050 * 2);
    const Bytes before = ReadBytes(input);
    Encode(input);
    EXPECT_EQ(Find<QLineEdit>("EncodeWavOutput")->text().toStdString(), input) << "the output named after it";
    EXPECT_NE(Refusal().find("cannot replace the wave file it is made from"), std::string::npos);
    EXPECT_EQ(ReadBytes(input), before);
}

TEST_F(WaveRoadAbuseTest, AFolderAtTheOutputPathIsRefusedAndKept)
{
    const std::string input = WriteTone("song.wav", 2, kRate, kRate);
    std::filesystem::create_directory(Input("song.mp3"));
    Encode(input);
    EXPECT_EQ(Refusal(), "The MP3 file cannot replace a folder. Choose another name for the MP3 file.\n" +
                             Input("song.mp3"));
    EXPECT_TRUE(std::filesystem::is_directory(Input("song.mp3")));
}

TEST_F(WaveRoadAbuseTest, NamedPipesAreNeverOpenedForReadingNeitherAsInputNorAsSettings)
{
    {
        // A pipe at the settings file's path: the start takes the default levels.
        std::filesystem::create_directories(std::filesystem::path(settings.SettingsFile()).parent_path());
        std::filesystem::remove(settings.SettingsFile());  // the mixer start-up wrote one
        const PipeWatch settingsPipe(settings.SettingsFile());
        state.recordLevels.fill(0);
        RestartWizard();
        EXPECT_EQ(state.Level(RecordLevel::Mic), kDefaultRecordLevel);
        EXPECT_EQ(settingsPipe.OpenedByProgram(), 0);
    }
    const PipeWatch inputPipe(Input("pipe.wav"));
    EXPECT_EQ(RefusedPick(Input("pipe.wav")), "File access denied\n" + Input("pipe.wav") + ": a named pipe, not a wave file");
    EXPECT_EQ(inputPipe.OpenedByProgram(), 0);
    EXPECT_FALSE(Exists(Input("pipe.mp3")));
}

TEST_F(WaveRoadAbuseTest, AWaveWithoutAudioIsReportedAndLeavesNoOutput)
{
    const std::pair<const char*, Bytes> cases[] = {
        {"empty data.wav", RiffBuilder().Fmt(1, 2, 44100, 16).Chunk("data", {}).Build()},
        {"three bytes.wav", RiffBuilder().Fmt(1, 2, 44100, 16).Chunk("data", Bytes(3, 7)).Build()},
        {"no data.wav", RiffBuilder().Fmt(1, 1, 22050, 8).Build()},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        RestartWizard();
        WriteBytes(Input(name), bytes);
        EXPECT_EQ(RefusedPick(Input(name)), "The wave file holds no audio.\n" + Input(name));
        EXPECT_FALSE(Exists(form1->State().outputFileName));
        EXPECT_FALSE(Exists(settings.TemporaryWave()));
    }
}

TEST_F(WaveRoadAbuseTest, APickedFileWithoutExtensionIsTheFileEncoded)
{
    const std::string input = WriteTone("take one", 2, kRate, kRate * 2);
    // The program's own dialogs: the file is picked in the real file dialog.
    auto previous = SetAppDialogs(std::make_unique<QtDialogs>());
    bool picked = false;
    QTimer picker;  // answers the dialog once it is up
    QObject::connect(&picker, &QTimer::timeout, [&] {
        // The dialog lists the new folder in the background: an accept that comes before the
        // listing may see no such file (and say so in a box) or do nothing. So the box is
        // closed and the pick made again at every tick until the dialog has taken it.
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->done(QMessageBox::Ok);
            return;
        }
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
        if (!name)
            return;
        picked = true;
        // The name is typed into the name field, as a person does: selectFile() leaves that
        // field alone once it has the focus, and an accept would then find no name at all.
        const std::filesystem::path path(input);
        dialog->setDirectory(QString::fromStdString(path.parent_path().string()));
        name->setText(QString::fromStdString(path.filename().string()));
        // Queued, as the Open button's click is: a not-found box then runs its own loop
        // outside this tick, where the next tick can close it.
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    picker.start(10);
    Click("IEButton1");
    Click("SelSourceNext");
    Click("SelWavBrowseInput");
    picker.stop();
    SetAppDialogs(std::move(previous));
    ASSERT_TRUE(picked);
    Activate();
    EXPECT_EQ(Find<QLineEdit>("SelWavInput")->text().toStdString(), input);
    Click("SelWavNext");
    Click("SingleTagNext");
    Click("EncodeOptionsNext");
    ASSERT_TRUE(WaitForFinish());
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    EXPECT_EQ(DecodeMp3File(input + ".mp3").channels, 2);
}

TEST_F(WaveRoadAbuseTest, ImplausibleSampleRatesAreRefusedAsAnUnsupportedFormat)
{
    const std::pair<unsigned, const char*> cases[] = {{1, "one hertz.wav"}, {500000, "half a megahertz.wav"}};
    for (const auto& [rate, name] : cases) {
        SCOPED_TRACE(name);
        RestartWizard();
        WritePcmWave(Input(name), 16, 1, rate, PatternBytes(4000));
        EXPECT_EQ(RefusedPick(Input(name)), "Unsupported wave format: the file declares a sample rate of " + std::to_string(rate) +
                                 " Hz; only rates from 1000 to 384000 Hz can be encoded");
        EXPECT_FALSE(Exists(settings.TemporaryWave())) << "nothing was converted";
        EXPECT_FALSE(Exists(form1->State().outputFileName));
    }
}

TEST_F(WaveRoadAbuseTest, AnOutputThatCannotBeCreatedNamesTheFolderOnTheFilePage)
{
    // Told where the output is chosen, before two more pages are filled in.
    const std::string input = WriteTone("song.wav", 2, kRate, kRate);
    const std::string output = Input("no such folder/song.mp3");
    WalkToDetails(input);
    Click("BtnBack");
    dialogs->saveAnswers.push_back(output);
    Click("SelWavBrowseOutput");
    Activate();
    EXPECT_EQ(Find<QLabel>("SelWavOutputNote")->text().toStdString(), "There is no folder " + Input("no such folder"));
    EXPECT_FALSE(Find("SelWavNext")->isEnabled());
    EXPECT_EQ(CurrentPageName(), "SelWav");
    EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(WaveRoadAbuseTest, AFullDiskIsToldOnceWithTheFileAndTheReason)
{
    const SmallDisk small(settings.Folder().File("small"), "160k");
    if (!small.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    const std::string output = small.Folder() + "/big.mp3";
    Encode(WriteTone("big.wav", 2, kRate, kRate * 30), output);
    ASSERT_TRUE(WaitForFinish());
    ASSERT_EQ(dialogs->messages.size(), 1u) << dialogs->messages.front();
    const std::string& shown = dialogs->messages.front();
    EXPECT_EQ(shown.rfind(kEncodingWriteFailedMessage, 0), 0u) << shown;
    EXPECT_NE(shown.find("\n" + output + ": No space left on device"), std::string::npos) << shown;
    EXPECT_FALSE(std::filesystem::exists(output)) << "a file cut short by the full disk must not look finished";
}

TEST_F(WaveRoadAbuseTest, AnMp3AnotherProgramWroteMeanwhileIsReplacedOnlyWhenTheUserSaysSo)
{
    const std::string input = WriteTone("song.wav", 2, kRate, kRate * 30);
    StartEncoding(input);
    ASSERT_TRUE(state.encodingInProgress);
    // Another instance finishes the same name first; the user answers No.
    const Bytes theirs{'I', 'D', '3'};
    WriteBytes(Input("song.mp3"), theirs);
    dialogs->questionAnswers.push_back(false);
    ASSERT_TRUE(WaitForFinish());
    ASSERT_EQ(dialogs->questions.size(), 1u);
    EXPECT_NE(dialogs->questions[0].find(Input("song.mp3")), std::string::npos) << dialogs->questions[0];
    EXPECT_EQ(ReadBytes(Input("song.mp3")), theirs);
    EXPECT_GT(DecodeMp3File(Input("song (2).mp3")).Frames(), kRate * 29) << "ours is kept beside it";
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
}

TEST_F(WaveRoadAbuseTest, ClosingTheWindowMidEncodeLeavesNoMp3)
{
    const std::string input = WriteTone("long.wav", 2, kRate, kRate * 30);
    StartEncoding(input);
    ASSERT_TRUE(state.encodingInProgress);
    form1->close();
    form3.reset();
    form2.reset();
    for (const auto& entry : std::filesystem::directory_iterator(settings.Folder().Path()))
        EXPECT_EQ(entry.path().filename().string().find("long.mp3"), std::string::npos) << entry.path();
}
