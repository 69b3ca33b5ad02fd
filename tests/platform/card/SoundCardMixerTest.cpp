// The card's mixer service as the mixer model sees it: which lines exist, their controls,
// values read and written, and the change notifications.
#include "platform/os/MessageTarget.h"
#include "platform/os/ProfileFile.h"
#include "platform/card/SoundCard.h"
#include "platform/card/testing/ToneLine.h"
#include "support/TempDir.h"
#include "support/TestAlsa.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
struct Posted {
    unsigned message;
    std::intptr_t wParam, lParam;
};

class CardMixerFixture : public ::testing::Test {
protected:
    // A card with a synthesiser (tone) line, a line input from a test device, and a
    // microphone whose device does not exist.
    void SetUp() override
    {
        alsa.AddCapture("testline", std::vector<std::int16_t>(2 * 4410, 100));
        alsa.Install();
        SoundCardSettings s;
        s.micDevice = "no_such_device";
        s.lineDevice = "testline";
        s.monitorDevice = "";
        card = std::make_unique<SoundCard>(s);
        ASSERT_EQ(mixer().Open(handle, 0, &target), MMSYSERR_NOERROR);
    }
    void TearDown() override
    {
        if (card)
            mixer().Close(handle);
    }

    IMixerService& mixer() { return card->Mixer(); }
    MixerLine line(std::uint32_t destination, int source)
    {
        MixerLine l{};
        l.dwDestination = destination;
        l.dwSource = source < 0 ? 0 : std::uint32_t(source);
        EXPECT_EQ(mixer().GetLineInfo(handle, l, source < 0 ? MIXER_GETLINEINFOF_DESTINATION : MIXER_GETLINEINFOF_SOURCE),
                  MMSYSERR_NOERROR);
        return l;
    }
    std::vector<MixerControl> controls(const MixerLine& l)
    {
        std::vector<MixerControl> c;
        EXPECT_EQ(mixer().GetLineControls(handle, l.dwLineID, l.cControls, c), MMSYSERR_NOERROR);
        return c;
    }

    TestAlsa alsa;
    SoundLineRegistration tone = RegisterToneLine(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, 1000, 1000);
    std::vector<Posted> posted;
    MessageTarget target{[this](unsigned m, std::intptr_t w, std::intptr_t l) { posted.push_back({m, w, l}); }};
    std::unique_ptr<SoundCard> card;
    MixerHandle handle{};
};

std::vector<std::uint32_t> types(const std::vector<MixerControl>& controls)
{
    std::vector<std::uint32_t> t;
    for (const MixerControl& c : controls)
        t.push_back(c.dwControlType);
    return t;
}
}  // namespace

TEST(SoundCardSettings, FromProfileReadsTheSoundcardSection)
{
    TempDir dir;
    ProfileFile ini(dir.File("MERVANE2.INI"));
    SoundCardSettings defaults = SoundCardSettings::FromProfile(ini);
    EXPECT_EQ(defaults.micDevice, "default");
    EXPECT_EQ(defaults.monitorDevice, "default");
    EXPECT_TRUE(defaults.lineDevice.empty());
    EXPECT_FALSE(defaults.fastClock);

    ini.WriteString("SOUNDCARD_SETUP", "LineDevice", "hw:1,0");
    ini.WriteString("SOUNDCARD_SETUP", "AuxDevice", "aux");
    ini.WriteString("SOUNDCARD_SETUP", "Clock", "Fast");
    ini.WriteString("SOUNDCARD_SETUP", "SoundFont", "/x.sf2");
    const SoundCardSettings s = SoundCardSettings::FromProfile(ini);
    EXPECT_EQ(s.lineDevice, "hw:1,0");
    EXPECT_EQ(s.auxDevice, "aux");
    EXPECT_EQ(s.soundFont, "/x.sf2");
    EXPECT_TRUE(s.fastClock);
}

TEST_F(CardMixerFixture, OneDeviceWithSpeakersAndWaveInHoldingTheLinesThatExist)
{
    EXPECT_EQ(SoundCard::Current(), card.get());
    ASSERT_EQ(mixer().GetNumDevs(), 1u);
    MixerCaps caps;
    ASSERT_EQ(mixer().GetDevCaps(0, caps), MMSYSERR_NOERROR);
    EXPECT_EQ(caps.cDestinations, 2u);

    const MixerLine speakers = line(0, -1);
    const MixerLine waveIn = line(1, -1);
    EXPECT_EQ(speakers.dwComponentType, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
    EXPECT_EQ(waveIn.dwComponentType, MIXERLINE_COMPONENTTYPE_DST_WAVEIN);
    // The microphone cannot be opened, line and synthesiser can; no CD player registered.
    for (const MixerLine& dest : {speakers, waveIn}) {
        ASSERT_EQ(dest.cConnections, 2u);
        EXPECT_EQ(line(dest.dwDestination, 0).dwComponentType, MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER);
        EXPECT_EQ(line(dest.dwDestination, 1).dwComponentType, MIXERLINE_COMPONENTTYPE_SRC_LINE);
        EXPECT_EQ(line(dest.dwDestination, 1).cChannels, 2u);
    }
    MixerLine beyond{};
    beyond.dwDestination = 1;
    beyond.dwSource = 2;
    EXPECT_NE(mixer().GetLineInfo(handle, beyond, MIXER_GETLINEINFOF_SOURCE), MMSYSERR_NOERROR);

    EXPECT_EQ(types(controls(speakers)),
              (std::vector<std::uint32_t>{MIXERCONTROL_CONTROLTYPE_VOLUME, MIXERCONTROL_CONTROLTYPE_MUTE}));
    EXPECT_EQ(types(controls(line(0, 1))),
              (std::vector<std::uint32_t>{MIXERCONTROL_CONTROLTYPE_VOLUME, MIXERCONTROL_CONTROLTYPE_MUTE}));
    EXPECT_EQ(types(controls(line(1, 1))), (std::vector<std::uint32_t>{MIXERCONTROL_CONTROLTYPE_VOLUME}));
    const std::vector<MixerControl> recording = controls(waveIn);
    ASSERT_EQ(types(recording),
              (std::vector<std::uint32_t>{MIXERCONTROL_CONTROLTYPE_VOLUME, MIXERCONTROL_CONTROLTYPE_MIXER}));
    EXPECT_EQ(recording[1].cMultipleItems, 2u);
    EXPECT_TRUE(recording[1].fdwControl & MIXERCONTROL_CONTROLF_MULTIPLE);

    std::vector<MixerControl> wrong;
    EXPECT_EQ(mixer().GetLineControls(handle, waveIn.dwLineID, 1, wrong), MMSYSERR_INVALPARAM);
}

TEST_F(CardMixerFixture, ValuesAreKeptPerLineAndChangesAreNotified)
{
    const MixerControl lineVolume = controls(line(1, 1))[0];
    const MixerControl selection = controls(line(1, -1))[1];
    const MixerControl synthMute = controls(line(0, 0))[1];

    const std::uint32_t stereo[2] = {1000, 2000};
    ASSERT_EQ(mixer().SetControlDetails(handle, lineVolume.dwControlID, 2, 0, stereo), MMSYSERR_NOERROR);
    std::uint32_t read[2] = {};
    ASSERT_EQ(mixer().GetControlDetails(handle, lineVolume.dwControlID, 2, 0, read), MMSYSERR_NOERROR);
    EXPECT_EQ(read[0], 1000u);
    EXPECT_EQ(read[1], 2000u);
    // One channel written sets both; the speaker side of the same line is its own value.
    const std::uint32_t mono[1] = {300};
    mixer().SetControlDetails(handle, lineVolume.dwControlID, 1, 0, mono);
    mixer().GetControlDetails(handle, lineVolume.dwControlID, 2, 0, read);
    EXPECT_EQ(read[1], 300u);
    mixer().GetControlDetails(handle, controls(line(0, 1))[0].dwControlID, 2, 0, read);
    EXPECT_EQ(read[0], 65535u);

    const std::uint32_t select[2] = {0, 1};
    mixer().SetControlDetails(handle, selection.dwControlID, 1, 2, select);
    std::uint32_t selected[2] = {7, 7};
    mixer().GetControlDetails(handle, selection.dwControlID, 1, 2, selected);
    EXPECT_EQ(selected[0], 0u);
    EXPECT_EQ(selected[1], 1u);

    const std::uint32_t tooLoud[2] = {65536, 0};
    EXPECT_EQ(mixer().SetControlDetails(handle, lineVolume.dwControlID, 2, 0, tooLoud), MIXERR_INVALVALUE);
    EXPECT_EQ(mixer().GetControlDetails(handle, 999, 1, 0, read), MIXERR_INVALCONTROL);

    // Muted by default: writing 1 again changes nothing and is not notified.
    const std::uint32_t on[1] = {1};
    mixer().SetControlDetails(handle, synthMute.dwControlID, 1, 0, on);

    ProcessMessages();
    ASSERT_EQ(posted.size(), 3u);
    for (const Posted& p : posted) {
        EXPECT_EQ(p.message, MM_MIXM_CONTROL_CHANGE);
        EXPECT_EQ(p.wParam, std::intptr_t(handle));
    }
    EXPECT_EQ(posted[0].lParam, std::intptr_t(lineVolume.dwControlID));
    EXPECT_EQ(posted[2].lParam, std::intptr_t(selection.dwControlID));

    // A closed handle hears nothing more and is refused.
    ASSERT_EQ(mixer().Close(handle), MMSYSERR_NOERROR);
    EXPECT_EQ(mixer().GetControlDetails(handle, lineVolume.dwControlID, 2, 0, read), MMSYSERR_INVALHANDLE);
    MixerHandle other{};
    mixer().Open(other, 0, nullptr);
    mixer().SetControlDetails(other, lineVolume.dwControlID, 2, 0, stereo);
    ProcessMessages();
    EXPECT_EQ(posted.size(), 3u);
    handle = other;
}

TEST(SoundCard, WithoutOpenableDevicesOrRegisteredPlayersTheCardHasNoSourceLines)
{
    TestAlsa alsa;
    alsa.Install();
    SoundCardSettings s;
    s.micDevice = "no_such_device";
    s.lineDevice = "no_such_device_either";
    s.monitorDevice = "";
    SoundCard card(s);
    MixerHandle h{};
    ASSERT_EQ(card.Mixer().Open(h, 0, nullptr), MMSYSERR_NOERROR);
    MixerLine waveIn{};
    waveIn.dwDestination = 1;
    ASSERT_EQ(card.Mixer().GetLineInfo(h, waveIn, MIXER_GETLINEINFOF_DESTINATION), MMSYSERR_NOERROR);
    EXPECT_EQ(waveIn.cConnections, 0u);
    card.Mixer().Close(h);
}

TEST(SoundLineRegistry, NewestWorkingFactoryMakesTheLineAndARegistrationLastsWhileItLives)
{
    auto cdLines = [] {
        SoundCardSettings s;
        s.micDevice = "";
        s.monitorDevice = "";
        SoundCard card(s);
        MixerHandle h{};
        card.Mixer().Open(h, 0, nullptr);
        MixerLine waveIn{};
        waveIn.dwDestination = 1;
        card.Mixer().GetLineInfo(h, waveIn, MIXER_GETLINEINFOF_DESTINATION);
        card.Mixer().Close(h);
        return waveIn.cConnections;
    };
    EXPECT_EQ(cdLines(), 0u);
    {
        SoundLineRegistration working = RegisterToneLine(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, 440, 100);
        int asked = 0;
        SoundLineRegistration failing =
            RegisterSoundLine(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, [&asked](const SoundCardSettings&) {
                ++asked;
                return std::unique_ptr<SoundLine>();
            });
        EXPECT_EQ(cdLines(), 1u) << "the older factory stands in for the one that failed";
        EXPECT_EQ(asked, 1);
    }
    EXPECT_EQ(cdLines(), 0u);
}
