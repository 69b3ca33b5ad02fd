// The hidden window's mixer work over a mixer service of chosen shape: start-up, the
// settings it saves, the prepared mixer, source selection, monitor volume and restore.
#include "mixer/Unit2.h"
#include "platform/os/ProfileFile.h"
#include "support/FakeMixerService.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {
using Values = std::vector<std::uint32_t>;
using Control = FakeMixerService::Control;

class SourceSelection : public ::testing::Test {
protected:
    // Speakers (destination 0): master volume and mute; synthesiser and microphone, each
    // with volume and mute. Wave-in (destination 1): master volume; synthesiser,
    // microphone and line with volume only, selected through a mixer list.
    SourceSelection()
    {
        speakerMaster = &fake.AddVolume(speakers.line, {50000, 50000});
        speakerMute = &fake.AddMute(speakers.line, 0);
        for (std::uint32_t type : {MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE}) {
            auto& line = fake.AddSource(speakers, type);
            playVolume.push_back(&fake.AddVolume(line, {11000 + type, 12000}));
            playMute.push_back(&fake.AddMute(line, 0));
        }
        recMaster = &fake.AddVolume(wavein.line, {60000, 60000});
        for (std::uint32_t type : {MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE,
                                   MIXERLINE_COMPONENTTYPE_SRC_LINE})
            recVolume.push_back(&fake.AddVolume(fake.AddSource(wavein, type), {40000, 20000}));
        list = &fake.AddSelectionList(wavein, MIXERCONTROL_CONTROLTYPE_MIXER, {1, 0, 1});
        state.Level(RecordLevel::Midi) = 10000;
        state.Level(RecordLevel::Mic) = 30000;
        state.Level(RecordLevel::Line) = 45000;
    }

    void Start() { form2 = std::make_unique<TForm2>(state, &fake); }
    std::string Ini(const std::string& section, const std::string& key)
    {
        return ProfileFile(settings.SettingsFile()).ReadString(section, key, "<none>");
    }
    std::array<bool, 5> Available() const
    {
        return {form2->MidiAvailable, form2->CDAvailable, form2->MicAvailable, form2->LineAvailable,
                form2->AuxAvailable};
    }
    bool Wrote(const Control* c) const
    {
        for (const auto& w : fake.writes)
            if (w.controlId == c->info.dwControlID)
                return true;
        return false;
    }

    IsolatedSettings settings;
    ScriptedDialogsScope dialogs;
    WizardState state;
    FakeMixerService fake;
    FakeMixerService::Destination& speakers = fake.AddDestination(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, "Speakers");
    FakeMixerService::Destination& wavein = fake.AddDestination(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, "Recording");
    Control* speakerMaster;
    Control* speakerMute;
    Control* recMaster;
    Control* list;
    std::vector<Control*> playVolume, playMute, recVolume;
    std::unique_ptr<TForm2> form2;
};
}  // namespace

TEST_F(SourceSelection, NoMixerDeviceSaysSoAndOffersNoSource)
{
    fake.hasDevice = false;
    Start();
    ASSERT_EQ(dialogs->boxes.size(), 1u);
    EXPECT_EQ(dialogs->boxes[0].text, "Cannot detect Microsoft Mixer !");
    EXPECT_EQ(dialogs->boxes[0].caption, "Error");
    EXPECT_EQ(dialogs->boxes[0].kind, MessageBoxKind::Error);
    EXPECT_EQ(Available(), (std::array<bool, 5>{}));
    EXPECT_FALSE(std::filesystem::exists(settings.SettingsFile())) << "nothing saved";
    form2->SelMIC();
    form2->RestoreMixer();
    EXPECT_TRUE(fake.writes.empty());

    // No sound card at all is the same.
    TForm2 none(state, static_cast<IMixerService*>(nullptr));
    EXPECT_EQ(dialogs->boxes.size(), 2u);
    EXPECT_FALSE(none.MicAvailable);
}

TEST_F(SourceSelection, StartUpSavesEveryLineAndPreparesTheMixer)
{
    Start();
    EXPECT_TRUE(dialogs->messages.empty());
    // Synthesiser, microphone and line exist for recording; CD and aux do not.
    EXPECT_EQ(Available(), (std::array<bool, 5>{true, false, true, true, false}));

    EXPECT_EQ(Ini("SOUNDCARD", "DESTINATION_COUNT"), "1");
    EXPECT_EQ(Ini("DESTINATION", "0"), "4");
    EXPECT_EQ(Ini("DESTINATION", "1"), "7");
    // Entry k holds connection k; its "_device" names list item k, connection k - 1.
    EXPECT_EQ(Ini("0", "deviceCount"), "2");
    EXPECT_EQ(Ini("0", "0_device"), "Speakers");
    EXPECT_EQ(Ini("0", "0_volume"), std::to_string(11000 + 4100));
    EXPECT_EQ(Ini("0", "1_device"), "4100");
    EXPECT_EQ(Ini("0", "1_volume"), std::to_string(11000 + 4099));
    EXPECT_EQ(Ini("0", "1_selected"), "0");
    EXPECT_EQ(Ini("0", "2_device"), "4099");
    EXPECT_EQ(Ini("1", "deviceCount"), "3");
    EXPECT_EQ(Ini("1", "0_volume"), "40000");
    EXPECT_EQ(Ini("1", "0_selected"), "1");
    EXPECT_EQ(Ini("1", "1_selected"), "0");
    EXPECT_EQ(Ini("1", "2_selected"), "1");
    EXPECT_EQ(Ini("1", "3_device"), "4098");
    EXPECT_EQ(Ini("1", "4_device"), "<none>");

    // Every recording source deselected, every playback source muted, volumes kept at
    // their first channel; the masters are not touched.
    EXPECT_EQ(fake.Values(list), (Values{0, 0, 0}));
    for (Control* c : recVolume)
        EXPECT_EQ(fake.Values(c), (Values{40000, 40000}));
    for (Control* c : playMute)
        EXPECT_EQ(fake.Values(c), (Values{1}));
    EXPECT_EQ(fake.Values(playVolume[1]), (Values{11000 + 4099, 11000 + 4099}));
    for (Control* c : {speakerMaster, speakerMute, recMaster})
        EXPECT_FALSE(Wrote(c));
    EXPECT_TRUE(form2->TrackBar1.Enabled);
    EXPECT_EQ(form2->TrackBar1.Position, 50000);
}

TEST_F(SourceSelection, SelectionsAddUpAtTheSourcesLevels)
{
    Start();
    fake.writes.clear();
    form2->SelLin();
    form2->SelMIC();
    EXPECT_EQ(fake.Values(list), (Values{0, 1, 1})) << "MIC after LINE leaves both selected";
    EXPECT_EQ(fake.Values(recVolume[1]), (Values{30000, 30000}));
    EXPECT_EQ(fake.Values(recVolume[2]), (Values{45000, 45000}));
    EXPECT_EQ(fake.Values(playMute[1]), (Values{0})) << "the microphone plays on the speakers";
    EXPECT_EQ(fake.Values(playVolume[1]), (Values{30000, 30000}));
    EXPECT_EQ(fake.Values(playMute[0]), (Values{1}));
    // The speakers have no line input: its item 0 names the speakers line itself.
    EXPECT_EQ(fake.Values(speakerMaster), (Values{45000, 45000}));
    EXPECT_EQ(fake.Values(speakerMute), (Values{0}));

    // A selection inside another (a level slider moving meanwhile) is ignored.
    fake.onWrite = [&](const FakeMixerService::Write&) { form2->SelMidi(); };
    form2->SelMIC();
    fake.onWrite = nullptr;
    EXPECT_EQ(fake.Values(list), (Values{0, 1, 1}));
    EXPECT_EQ(fake.Values(recVolume[0]), (Values{40000, 40000}));
    form2->SelMidi();
    EXPECT_EQ(fake.Values(list), (Values{1, 1, 1}));
}

TEST_F(SourceSelection, TheLaterOfTwoLineInputsAndASourcesOwnSwitch)
{
    auto& second = fake.AddSource(wavein, MIXERLINE_COMPONENTTYPE_SRC_LINE);
    Control* secondVolume = &fake.AddVolume(second, {1, 1});
    auto& aux = fake.AddSource(wavein, MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY);
    Control* auxSwitch = &fake.AddMute(aux, 0);
    Start();
    EXPECT_TRUE(form2->AuxAvailable);
    form2->SelLin();
    EXPECT_EQ(fake.Values(list), (Values{0, 0, 0})) << "the first line input's entry stays clear";
    EXPECT_EQ(fake.Values(secondVolume), (Values{45000, 45000}));
    state.Level(RecordLevel::Aux) = 22222;
    form2->SelAUX();
    EXPECT_EQ(fake.Values(auxSwitch), (Values{1}));
    EXPECT_EQ(fake.Values(list), (Values{0, 0, 0}));
}

TEST_F(SourceSelection, MonitorVolumeSetsTheSpeakersMaster)
{
    speakerMute->values = {1};
    Start();
    form2->TrackBar1.Position = 12345;
    form2->TrackBar1Change();
    EXPECT_EQ(fake.Values(speakerMaster), (Values{12345, 12345}));
    EXPECT_EQ(fake.Values(speakerMute), (Values{0}));
}

TEST_F(SourceSelection, RestorePutsBackWhatWasSaved)
{
    // A line without volume control saves what the debug slider held last: the line before.
    auto& bare = fake.AddSource(speakers, MIXERLINE_COMPONENTTYPE_SRC_LINE);
    fake.AddMute(bare, 0);
    Start();
    EXPECT_EQ(Ini("0", "2_volume"), Ini("0", "1_volume"));
    form2->SelLin();
    form2->SelMIC();
    form2->TrackBar1.Position = 100;
    form2->TrackBar1Change();
    fake.writes.clear();

    form2->RestoreMixer();
    // Both channels of a line saved with balance get its first channel.
    for (Control* c : recVolume)
        EXPECT_EQ(fake.Values(c), (Values{40000, 40000}));
    EXPECT_EQ(fake.Values(list), (Values{1, 0, 1}));
    EXPECT_EQ(fake.Values(playVolume[1]), (Values{11000 + 4099, 11000 + 4099}));
    for (Control* c : playMute)
        EXPECT_EQ(fake.Values(c), (Values{0}));
    EXPECT_EQ(fake.Values(&bare.controls[0]), (Values{0}));
    EXPECT_EQ(fake.Values(speakerMaster), (Values{100, 100})) << "masters are not saved";
    EXPECT_FALSE(Wrote(recMaster));
}

TEST_F(SourceSelection, ASingleDestinationOrOneWithoutLinesIsNotRestored)
{
    // A previous run saved a destination without connections and a single-destination card.
    fake.destinations.clear();
    auto& only = fake.AddDestination(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, "Recording");
    Control* master = &fake.AddVolume(only.line, {5, 5});
    Start();
    EXPECT_EQ(Ini("SOUNDCARD", "DESTINATION_COUNT"), "0");
    EXPECT_EQ(Ini("0", "deviceCount"), "0");
    EXPECT_EQ(Ini("0", "0_device"), "Recording");
    EXPECT_EQ(Ini("0", "0_volume"), "0") << "item 0 shows connection 0, which does not exist";
    EXPECT_EQ(Ini("0", "1_volume"), "<none>");
    master->values = {7, 7};
    fake.writes.clear();
    form2->RestoreMixer();
    EXPECT_TRUE(fake.writes.empty());
    EXPECT_EQ(fake.Values(master), (Values{7, 7}));
}
