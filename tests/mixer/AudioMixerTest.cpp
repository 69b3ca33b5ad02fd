// The mixer model over a mixer service of any shape: the odd cards it must cope with.
#include "mixer/AMixer.h"
#include "support/FakeMixerService.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <tuple>

namespace {
using Values = std::vector<std::uint32_t>;
constexpr std::uint32_t kUniform = MIXERCONTROL_CONTROLF_UNIFORM;
constexpr std::uint32_t kDisabled = MIXERCONTROL_CONTROLF_DISABLED;
constexpr std::uint32_t kVolume = MIXERCONTROL_CONTROLTYPE_VOLUME;
constexpr std::uint32_t kMute = MIXERCONTROL_CONTROLTYPE_MUTE;

// The values of a line's first control of `type`.
Values Of(FakeMixerService& fake, FakeMixerService::Line& line, std::uint32_t type)
{
    return fake.Values(fake.Find(line, type));
}

// Speakers (destination 0) with a master volume and one source; wave-in (destination 1)
// with a selection list over three sources that have no mute switch of their own.
struct Card {
    FakeMixerService fake;
    FakeMixerService::Destination& speakers = fake.AddDestination(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, "Speakers");
    FakeMixerService::Destination& wavein = fake.AddDestination(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, "Recording");
    Card()
    {
        fake.AddVolume(speakers.line, {50000, 50000});
        fake.AddMute(speakers.line, 0);
        auto& synth = fake.AddSource(speakers, MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER);
        fake.AddVolume(synth, {1000, 2000});
        fake.AddMute(synth, 1);
        for (std::uint32_t type : {MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE,
                                   MIXERLINE_COMPONENTTYPE_SRC_LINE})
            fake.AddVolume(fake.AddSource(wavein, type), {30000, 20000});
    }
};

TMixerVolume Read(TAudioMixer& mixer, int dest, int conn)
{
    TMixerVolume v;
    EXPECT_TRUE(mixer.GetVolume(dest, conn, v)) << dest << "/" << conn;
    return v;
}
}  // namespace

TEST(AudioMixer, NoDeviceLeavesTheMixerClosed)
{
    for (bool serviceExists : {false, true}) {
        FakeMixerService fake;
        fake.hasDevice = false;
        TAudioMixer mixer(serviceExists ? &fake : nullptr);
        EXPECT_EQ(mixer.DeviceCount(), 0u);
        EXPECT_EQ(mixer.MixerID(), -1);
        EXPECT_EQ(mixer.DestinationCount(), 0);
        TMixerVolume v{7, 7, 7, false, false};
        EXPECT_FALSE(mixer.GetVolume(0, -1, v));
        EXPECT_EQ(v.Left, 7) << "outputs untouched";
        EXPECT_FALSE(mixer.SetVolume(0, -1, 1, -1, 0));
        mixer.SetMixerID(0);
        EXPECT_EQ(mixer.MixerID(), -1);
        EXPECT_EQ(fake.opens, 0);
    }
}

TEST(AudioMixer, OpensDeviceZeroAndModelsItsLinesInServiceOrder)
{
    Card card;
    // A source and a whole destination that fail to enumerate are left out; later ones
    // move up.
    card.fake.AddSource(card.wavein, MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY).failInfo = true;
    card.fake.AddSource(card.wavein, MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC).failControls = true;
    card.fake.AddDestination(5, "Broken").line.failInfo = true;
    card.fake.AddDestination(6, "Last");

    TAudioMixer mixer(&card.fake);
    EXPECT_EQ(mixer.MixerID(), 0);
    ASSERT_EQ(mixer.DestinationCount(), 3);
    EXPECT_EQ(mixer.Destination(2)->Line().dwComponentType, 6u);
    EXPECT_EQ(mixer.Destination(-1), mixer.Destination(0)) << "an index below 0 gives the first";
    EXPECT_EQ(mixer.Destination(3), nullptr);
    const TMixerConnections& sources = mixer.Destination(1)->Connections();
    ASSERT_EQ(sources.Count(), 4);
    EXPECT_EQ(sources.Item(2)->Line().dwComponentType, MIXERLINE_COMPONENTTYPE_SRC_LINE);
    EXPECT_EQ(sources.Item(3)->Line().dwComponentType, MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC);
    EXPECT_EQ(sources.Item(3)->Controls().Count(), 0) << "controls that fail to enumerate";
    EXPECT_EQ(mixer.Destination(0)->Controls().Item(1)->dwControlType, MIXERCONTROL_CONTROLTYPE_MUTE);
    EXPECT_EQ(Read(mixer, -1, -1).Left, 50000) << "destination -1 resolves to the first";
    TMixerVolume v;
    EXPECT_FALSE(mixer.GetVolume(0, 1, v)) << "no such connection";
    EXPECT_FALSE(mixer.SetVolume(3, -1, 1, 1, 1)) << "no such destination";

    mixer.SetMixerID(1);  // equal to the device count: nothing changes
    EXPECT_EQ(mixer.MixerID(), 0);
    EXPECT_EQ(card.fake.closes, 0);
    mixer.SetMixerID(-1);
    EXPECT_EQ(mixer.MixerID(), -1);
    EXPECT_EQ(mixer.DestinationCount(), 0);
    EXPECT_EQ(card.fake.closes, 1);
    mixer.SetMixerID(0);
    EXPECT_EQ(mixer.DestinationCount(), 3);
    EXPECT_EQ(card.fake.opens, 2);
}

TEST(AudioMixer, ReadsAndWritesVolumeAndMuteOfALine)
{
    Card card;
    auto& synth = card.fake.destinations[0].sources[0];
    auto& mono = card.fake.AddSource(card.speakers, MIXERLINE_COMPONENTTYPE_SRC_LINE);
    card.fake.AddVolume(mono, {123}, kUniform);
    TAudioMixer mixer(&card.fake);
    TMixerVolume v = Read(mixer, 0, 0);
    EXPECT_EQ(std::tie(v.Left, v.Right, v.Mute, v.VolDisabled, v.MuteDisabled),
              std::make_tuple(1000, 2000, 1, false, false));
    mixer.SetVolume(0, 0, 40000, -1, 0);  // Right -1: Left on both channels
    EXPECT_EQ(Of(card.fake, synth, kVolume), (Values{40000, 40000}));
    EXPECT_EQ(Of(card.fake, synth, kMute), (Values{0}));
    mixer.SetVolume(0, 0, 40000, 20000, -1);
    EXPECT_EQ(Of(card.fake, synth, kVolume), (Values{40000, 20000}));
    EXPECT_EQ(card.fake.writes.size(), 3u) << "mute -1 leaves the switch alone";

    // A uniform volume is read and written with one value.
    v = Read(mixer, 0, 1);
    EXPECT_EQ(std::tie(v.Left, v.Right, v.Mute, v.MuteDisabled), std::make_tuple(123, -1, -1, true));
    card.fake.writes.clear();
    mixer.SetVolume(0, 1, 777, 555, 1);
    ASSERT_EQ(card.fake.writes.size(), 1u) << "no switch and no selection list on the speakers";
    EXPECT_EQ(card.fake.writes[0].values, (Values{777}));
}

TEST(AudioMixer, MissingOrDisabledControlsGiveNoValueAndAreNotWritten)
{
    Card card;
    auto& bare = card.fake.AddSource(card.speakers, MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY);
    card.fake.AddMute(bare, 0);
    auto& twice = card.fake.AddSource(card.speakers, MIXERLINE_COMPONENTTYPE_SRC_LINE);
    card.fake.AddVolume(twice, {1, 1}, kDisabled);
    card.fake.AddVolume(twice, {9000, 8000});
    auto& off = card.fake.AddSource(card.speakers, MIXERLINE_COMPONENTTYPE_SRC_LINE);
    card.fake.AddVolume(off, {5, 5}, kDisabled);
    card.fake.AddMute(off, 1, kDisabled);
    TAudioMixer mixer(&card.fake);

    TMixerVolume v = Read(mixer, 0, 1);  // no volume control
    EXPECT_EQ(std::tie(v.Left, v.VolDisabled, v.Mute), std::make_tuple(-1, true, 0));
    mixer.SetVolume(0, 1, 30000, -1, 1);
    ASSERT_EQ(card.fake.writes.size(), 1u) << "only the switch is written";
    EXPECT_EQ(Of(card.fake, bare, kMute), (Values{1}));
    v = Read(mixer, 0, 2);
    EXPECT_EQ(std::tie(v.Left, v.Right, v.VolDisabled), std::make_tuple(9000, 8000, false))
        << "the disabled volume is passed over for the later one";
    v = Read(mixer, 0, 3);
    EXPECT_EQ(std::tie(v.Left, v.Mute, v.VolDisabled, v.MuteDisabled), std::make_tuple(-1, -1, true, true));

    // A single-selection list cannot select a source; nor can a list too long for the
    // value buffer.
    for (std::size_t entries : {std::size_t{3}, std::size_t{TAudioMixer::MaxValues + 1}}) {
        Card other;
        auto& list = other.fake.AddSelectionList(
            other.wavein, entries == 3 ? MIXERCONTROL_CONTROLTYPE_MUX : MIXERCONTROL_CONTROLTYPE_MIXER,
            Values(entries, 1));
        TAudioMixer m(&other.fake);
        v = Read(m, 1, 1);
        EXPECT_EQ(std::tie(v.Mute, v.MuteDisabled), std::make_tuple(-1, true)) << entries;
        m.SetVolume(1, 1, -1, -1, 0);
        EXPECT_TRUE(other.fake.writes.empty()) << entries;
        EXPECT_EQ(other.fake.Values(&list), Values(entries, 1));
    }
}

TEST(AudioMixer, SourcesWithoutASwitchAreSelectedInTheDestinationsMixerList)
{
    Card card;
    auto& list = card.fake.AddSelectionList(card.wavein, MIXERCONTROL_CONTROLTYPE_MIXER, {0, 5, 0});
    auto& own = card.fake.AddSource(card.wavein, MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY);
    card.fake.AddMute(own, 0);
    card.fake.AddVolume(card.fake.AddSource(card.wavein, MIXERLINE_COMPONENTTYPE_SRC_LINE), {1, 1});
    TAudioMixer mixer(&card.fake);

    EXPECT_EQ(Read(mixer, 1, 1).Mute, 5) << "the entry as read, not reduced to 0 or 1";
    EXPECT_EQ(Read(mixer, 1, 0).Mute, 0);
    EXPECT_EQ(Read(mixer, 1, -1).Mute, -1) << "the destination itself has no entry";
    mixer.SetVolume(1, 2, 45000, -1, 1);
    EXPECT_EQ(card.fake.Values(&list), (Values{0, 5, 1})) << "the others stay as they were";
    EXPECT_EQ(Of(card.fake, card.wavein.sources[2], kVolume), (Values{45000, 45000}));
    // A source with its own switch uses it, not the list.
    mixer.SetVolume(1, 3, -1, -1, 1);
    EXPECT_EQ(Of(card.fake, own, kMute), (Values{1}));
    EXPECT_EQ(card.fake.Values(&list), (Values{0, 5, 1}));
    // A source past the end of the list has no entry to read or write.
    EXPECT_EQ(Read(mixer, 1, 4).Mute, -1);
    card.fake.writes.clear();
    mixer.SetVolume(1, 4, -1, -1, 1);
    EXPECT_TRUE(card.fake.writes.empty());
}

TEST(AudioMixer, ChangeNotificationsRaiseTheEvents)
{
    Card card;
    TAudioMixer mixer(&card.fake);
    std::vector<std::tuple<char, std::intptr_t, std::intptr_t>> seen;
    mixer.OnLineChange = [&](TAudioMixer* sender, std::intptr_t h, std::intptr_t id) {
        EXPECT_EQ(sender, &mixer);
        seen.emplace_back('L', h, id);
    };
    mixer.OnControlChange = [&](TAudioMixer*, std::intptr_t h, std::intptr_t id) { seen.emplace_back('C', h, id); };
    card.fake.Notify(MM_MIXM_LINE_CHANGE, 42);
    mixer.SetVolume(0, -1, 100, -1, -1);
    const auto h = static_cast<std::intptr_t>(mixer.Handle());
    const auto master = static_cast<std::intptr_t>(card.fake.Find(card.speakers.line, kVolume)->info.dwControlID);
    EXPECT_TRUE(seen.empty()) << "they arrive through the event loop";
    QCoreApplication::processEvents();
    EXPECT_EQ(seen, (std::vector<std::tuple<char, std::intptr_t, std::intptr_t>>{{'L', h, 42}, {'C', h, master}}));
}
