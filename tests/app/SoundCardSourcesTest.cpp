// The source buttons follow the lines of the machine's sound card, and closing the wizard
// puts back the mixer settings saved at start.
#include "app/WizardFixture.h"
#include "mixer/AMixer.h"
#include "platform/os/ProfileFile.h"
#include "support/AudioOracles.h"
#include "support/SmallDisk.h"
#include "support/WaveFixtures.h"

#include <sndfile.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
// The card configured with one line input, an ALSA capture device of the test.
class ConfiguredLineInput : public WizardTest {
protected:
    void BeforeWizard() override
    {
        alsa.AddCapture("testline", std::vector<std::int16_t>(44100 * 2));
        ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "LineDevice", "testline");
    }
};

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The configured line input with a settings file that refuses every write: its folder is a
// full disk.
class UnwritableSettings : public ConfiguredLineInput {
protected:
    void BeforeWizard() override
    {
        disk = std::make_unique<SmallDisk>(std::filesystem::path(settings.SettingsFile()).parent_path(), "64k");
        ConfiguredLineInput::BeforeWizard();
        saved = slurp(settings.SettingsFile());
        disk->Fill();
    }
    std::unique_ptr<SmallDisk> disk;
    std::string saved;
};

// A sound font that is no sound font, a microphone that cannot be opened, a line input that can.
class BadSoundFontAndMicrophone : public WizardTest {
protected:
    void BeforeWizard() override
    {
        std::ofstream(Input("bad.sf2")) << "not a sound font";
        ProfileFile profile = ProfileFile::Settings();
        profile.WriteString("SOUNDCARD_SETUP", "SoundFont", Input("bad.sf2"));
        profile.WriteString("SOUNDCARD_SETUP", "MicDevice", "nosuchmic");
        alsa.AddCapture("testline", std::vector<std::int16_t>(44100 * 2));
        profile.WriteString("SOUNDCARD_SETUP", "LineDevice", "testline");
    }
};

// A settings file that cannot be read: larger than any settings file.
class UnreadableSettings : public WizardTest {
protected:
    void BeforeWizard() override
    {
        ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "LineDevice", "testline");
        std::ofstream(settings.SettingsFile(), std::ios::app)
            << ";" << std::string(static_cast<std::size_t>(ProfileFile::kMaxSettingsFileSize), 'x');
        saved = slurp(settings.SettingsFile());
    }
    std::string saved;
};
}  // namespace

TEST_F(WizardTest, WithoutCaptureDevicesTheLiveInputsAreDisabledAndWaveFilesStillWork)
{
    for (const char* name : {"IEButton4", "IEButton5", "IEButton6"})
        EXPECT_FALSE(Find(name)->isEnabled()) << name;
    EXPECT_FALSE(form2->MicAvailable || form2->LineAvailable || form2->AuxAvailable);
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();

    ASSERT_TRUE(SndWriteShorts(Input("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100,
                               Tone(44100, {440, 660}, 44100 / 4)));
    StartEncoding(Input("in.wav"));
    ASSERT_TRUE(WaitForFinish());
    EXPECT_GT(DecodeMp3File(Input("in.mp3")).Frames(), 0);
}

TEST_F(ConfiguredLineInput, EnablesLineInAndClosingRestoresTheSavedMixer)
{
    EXPECT_TRUE(Find("IEButton5")->isEnabled());
    EXPECT_FALSE(Find("IEButton4")->isEnabled());
    EXPECT_FALSE(Find("IEButton6")->isEnabled());

    const ProfileFile ini(settings.SettingsFile());
    const int last = ini.ReadInteger("SOUNDCARD", "DESTINATION_COUNT", -1);
    ASSERT_EQ(last, 1) << "speakers and wave-in";
    std::vector<std::string> types;
    for (int d = 0; d <= last; ++d)
        types.push_back(ini.ReadString("DESTINATION", std::to_string(d), ""));
    std::sort(types.begin(), types.end());
    EXPECT_EQ(types, (std::vector<std::string>{"4", "7"}));

    // Selecting the line changes its volume and selection on both destinations.
    state.Level(RecordLevel::Line) = 12345;
    form2->SelLin();
    TAudioMixer probe(&card->Mixer());
    const auto lineOf = [&](int d) {
        const TMixerConnections& lines = probe.Destination(d)->Connections();
        for (int k = 0; k < lines.Count(); ++k)
            if (lines.Item(k)->Line().dwComponentType == MIXERLINE_COMPONENTTYPE_SRC_LINE)
                return k;
        return -1;
    };
    for (int d = 0; d <= last; ++d) {
        ASSERT_GE(lineOf(d), 0) << "destination " << d << " has the line input";
        TMixerVolume v;
        ASSERT_TRUE(probe.GetVolume(d, lineOf(d), v));
        EXPECT_EQ(v.Left, 12345);
        const bool speakers = probe.Destination(d)->Line().dwComponentType == MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
        EXPECT_EQ(v.Mute, speakers ? 0 : 1) << "playing on the speakers, selected for recording";
    }

    // Closing the wizard puts every line back as the settings file holds it.
    form1->close();
    ASSERT_TRUE(closedSignal);
    for (int d = 0; d <= last; ++d) {
        const std::string section = std::to_string(d);
        const int count = ini.ReadInteger(section, "deviceCount", -1);
        ASSERT_EQ(count, probe.Destination(d)->Connections().Count());
        for (int k = 0; k < count; ++k) {
            TMixerVolume v;
            ASSERT_TRUE(probe.GetVolume(d, k, v));
            EXPECT_EQ(v.Left, ini.ReadInteger(section, std::to_string(k) + "_volume", -1)) << d << "/" << k;
            EXPECT_EQ(v.Right, v.Left);
            EXPECT_EQ(v.Mute != 0, ini.ReadInteger(section, std::to_string(k) + "_selected", -1) != 0) << d << "/" << k;
        }
        EXPECT_NE(ini.ReadInteger(section, std::to_string(lineOf(d)) + "_volume", 12345), 12345);
    }
}

TEST_F(UnwritableSettings, AreToldOnceAndDisableNoSourceNorTheFile)
{
    ASSERT_TRUE(disk->Mounted()) << "mounting needs root";
    EXPECT_TRUE(form2->LineAvailable);
    EXPECT_TRUE(Find("IEButton5")->isEnabled());
    ASSERT_TRUE(RunEventsUntil([&] { return !dialogs->messages.empty(); }, std::chrono::seconds(10)));
    form1->close();  // restores the mixer from the file, and writes the CD level on some roads
    ASSERT_TRUE(closedSignal);
    RunEventsUntil([] { return false; }, std::chrono::milliseconds(0));
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].rfind("Unable to write to " + settings.SettingsFile() + "\n", 0), 0u)
        << dialogs->messages[0];
    EXPECT_NE(dialogs->messages[0].find("No space left on device"), std::string::npos);
    EXPECT_TRUE(slurp(settings.SettingsFile()) == saved) << "the settings file changed";
}

TEST_F(UnreadableSettings, AreToldOnceAndKeptAsTheyAre)
{
    ASSERT_TRUE(RunEventsUntil([&] { return !dialogs->messages.empty(); }, std::chrono::seconds(10)));
    form1->close();
    ASSERT_TRUE(closedSignal);
    RunEventsUntil([] { return false; }, std::chrono::milliseconds(0));
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_NE(dialogs->messages[0].find(settings.SettingsFile() + ": larger than 1 MB"), std::string::npos)
        << dialogs->messages[0];
    EXPECT_TRUE(slurp(settings.SettingsFile()) == saved) << "the settings file was written over";
}

TEST_F(BadSoundFontAndMicrophone, DisabledSourceButtonsSayWhyAndPointToPreferences)
{
    const auto tip = [&](const char* name) { return Find(name)->toolTip().toStdString(); };
    const std::string advice = " in Preferences (Ctrl+,).";
    EXPECT_FALSE(Find("IEButton2")->isEnabled());
    EXPECT_NE(tip("IEButton2").find("\"" + Input("bad.sf2") + "\" is not a usable"), std::string::npos) << tip("IEButton2");
    EXPECT_NE(tip("IEButton2").find("Choose a sound font" + advice), std::string::npos) << tip("IEButton2");
    EXPECT_FALSE(Find("IEButton4")->isEnabled());
    EXPECT_NE(tip("IEButton4").find("\"nosuchmic\" cannot be opened: "), std::string::npos) << tip("IEButton4");
    EXPECT_NE(tip("IEButton4").find("Choose a device" + advice), std::string::npos);
    EXPECT_NE(tip("IEButton6").find("Choose a device" + advice), std::string::npos) << tip("IEButton6");
    for (const char* tile : {"IEButton2", "IEButton4", "IEButton6"})
        EXPECT_EQ(tip(tile).find("SOUNDCARD_SETUP"), std::string::npos) << "a tile still sends the user to the file";
    EXPECT_TRUE(Find("IEButton5")->isEnabled());
    EXPECT_TRUE(Find("IEButton5")->toolTip().isEmpty()) << "an available source needs no excuse";
}
