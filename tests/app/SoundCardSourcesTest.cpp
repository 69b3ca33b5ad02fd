// The source buttons follow the lines of the machine's sound card, and closing the wizard
// puts back the mixer settings saved at start.
#include "app/WizardFixture.h"
#include "mixer/AMixer.h"
#include "platform/os/ProfileFile.h"
#include "support/AudioOracles.h"
#include "support/WaveFixtures.h"

#include <sndfile.h>

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
