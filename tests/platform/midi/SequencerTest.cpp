// The MIDI synthesiser: lengths agree with FluidSynth's own player, the held A4 comes out
// at 440 Hz, a play ends only after its last note has died away, and the sound card's
// synthesiser line carries what the sequencer plays.
#include "media/MediaPlayer.h"
#include "platform/os/MessageTarget.h"
#include "platform/midi/MidiFile.h"
#include "platform/midi/MidiSynth.h"
#include "platform/card/MixerService.h"
#include "platform/card/SoundCard.h"
#include "platform/midi/SoundFont.h"
#include "platform/midi/SynthLine.h"
#include "support/MidiFixtures.h"
#include "support/RunEvents.h"
#include "support/Spectrum.h"
#include "support/TempDir.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {
// How long FluidSynth's own player needs for a file: its player, driven by the sample
// count, rendered block by block until its position reaches the file's last tick. (Its
// "done" comes a fixed while later, when it has let the voices ring.)
double fluidPlayerLengthMs(const std::vector<std::uint8_t>& file)
{
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    std::unique_ptr<fluid_settings_t, decltype(&delete_fluid_settings)> settings(new_fluid_settings(),
                                                                              &delete_fluid_settings);
    fluid_settings_setnum(settings.get(), "synth.sample-rate", MidiSynth::SampleRate);
    fluid_settings_setstr(settings.get(), "player.timing-source", "sample");
    std::unique_ptr<fluid_synth_t, decltype(&delete_fluid_synth)> synth(new_fluid_synth(settings.get()),
                                                                        &delete_fluid_synth);
    std::unique_ptr<fluid_player_t, decltype(&delete_fluid_player)> player(new_fluid_player(synth.get()),
                                                                           &delete_fluid_player);
    EXPECT_EQ(fluid_player_add_mem(player.get(), file.data(), file.size()), FLUID_OK);
    fluid_player_play(player.get());
    std::vector<std::int16_t> block(64 * 2);
    long frames = 0;
    const auto reachedEnd = [&] {
        const int total = fluid_player_get_total_ticks(player.get());
        return total > 0 && fluid_player_get_current_tick(player.get()) >= total;
    };
    while (!reachedEnd() && fluid_player_get_status(player.get()) != FLUID_PLAYER_DONE && frames < 600L * 44100) {
        fluid_synth_write_s16(synth.get(), 64, block.data(), 0, 2, block.data(), 1, 2);
        frames += 64;
    }
    return frames * 1000.0 / MidiSynth::SampleRate;
}

struct Rendered {
    std::vector<std::int16_t> pcm;  // interleaved stereo
    bool ended = false;
    bool ok = false;
    std::size_t Frames() const { return pcm.size() / 2; }
};

class SynthTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string font = TestSoundFont();
        ASSERT_FALSE(font.empty()) << "no General MIDI sound font (scripts/install-deps installs one)";
        std::string error;
        synth_ = MidiSynth::Create(font, error);
        ASSERT_TRUE(synth_) << error;
    }

    // Plays from..to of the file and pulls 1024-frame pieces until the end handler runs
    // (at most the play's length plus 4 s).
    Rendered play(const std::vector<std::uint8_t>& bytes, std::uint32_t from = 0, std::uint32_t to = 0)
    {
        const MidiFile file = MidiFile::Parse(bytes);
        const std::uint32_t end = to ? to : static_cast<std::uint32_t>(std::llround(file.LengthMs()));
        auto playable = std::make_shared<const std::vector<std::uint8_t>>(file.PlayableFile());
        Rendered r;
        std::string error;
        EXPECT_TRUE(synth_->Play({playable, file.TickAt(from), from, end}, [&r](bool ok) {
                                     r.ended = true;
                                     r.ok = ok;
                                 },
                                 error))
            << error;
        const std::size_t cap = (end - from + 4000) * MidiSynth::SampleRate / 1000;
        std::vector<std::int16_t> piece(1024 * 2);
        while (!r.ended && r.Frames() < cap) {
            synth_->Render(piece.data(), 1024);
            r.pcm.insert(r.pcm.end(), piece.begin(), piece.end());
        }
        return r;
    }

    static int peak(const Rendered& r, double fromMs, double toMs)
    {
        const auto at = [&](double ms) {
            return std::min(r.pcm.size(), static_cast<std::size_t>(ms * MidiSynth::SampleRate / 1000) * 2);
        };
        int p = 0;
        for (std::size_t i = at(fromMs); i < at(toMs); ++i)
            p = std::max(p, std::abs(static_cast<int>(r.pcm[i])));
        return p;
    }

    static double ms(std::size_t frames) { return frames * 1000.0 / MidiSynth::SampleRate; }

    std::unique_ptr<MidiSynth> synth_;
};
}  // namespace

TEST(MidiLength, TotalLengthMatchesFluidSynthsOwnPlayer)
{
    SmfTrack tempo;  // changes in the tempo track...
    tempo.Tempo(0, 600000).Tempo(1000, 300000).Tempo(1500, 900000).Tempo(1500, 450000).End(500);
    SmfTrack melody;  // ...and one in the melody track, which is also the longest
    melody.Program(0, 0, 73).NoteOn(10, 0, 69).NoteOff(2990, 0, 69).Tempo(0, 700000).NoteOn(0, 0, 72).NoteOff(3000, 0, 72).End(1000);
    // Format 0 with a tempo change every 750 ticks. FluidSynth applies a tempo change at its
    // next whole tick, so the divisions here are fine enough for that not to count.
    SmfTrack dense;
    for (int i = 0; i < 6; ++i)
        dense.Tempo(i ? 500 : 0, 300000 + 170000 * i).NoteOn(0, 0, 60 + i).NoteOff(250, 0, 60 + i);
    dense.End(3330);
    const std::vector<std::vector<std::uint8_t>> songs = {SmfFile(1, 480, {tempo, melody}), SmfFile(0, 960, {dense}),
                                                          HeldA4Song()};
    for (const auto& song : songs) {
        const double ours = MidiFile::Parse(song).LengthMs();
        EXPECT_GT(ours, 1000.0);
        EXPECT_NEAR(ours, fluidPlayerLengthMs(song), 10.0);
    }
}

TEST_F(SynthTest, HeldA4SoundsAt440HzAndEndsAfterItsLength)
{
    const Rendered r = play(HeldA4Song());
    ASSERT_TRUE(r.ended);
    EXPECT_TRUE(r.ok);
    EXPECT_GE(ms(r.Frames()), kHeldA4LengthMs);
    EXPECT_LT(ms(r.Frames()), kHeldA4LengthMs + MidiSynth::MaxTailMs);
    EXPECT_EQ(synth_->PositionMs(), kHeldA4LengthMs);
    EXPECT_FALSE(synth_->Playing());

    const auto first = static_cast<std::size_t>((kHeldA4StartMs + 300) * MidiSynth::SampleRate / 1000);
    EXPECT_NEAR(StrongestFrequency(r.pcm, 2, 0, MidiSynth::SampleRate, first, 65536), 440.0, 440.0 * 0.02);
    EXPECT_LT(peak(r, 0, kHeldA4StartMs - 10), 64) << "silence before the note";
    EXPECT_GT(peak(r, kHeldA4StartMs + 100, kHeldA4EndMs), 1000) << "the note sounds";
}

TEST_F(SynthTest, LastNoteDiesAwayInsteadOfBeingCut)
{
    SmfTrack t;  // the note is released by the very last event of the file
    t.Program(0, 0, 73).NoteOn(0, 0, 69, 120).NoteOff(960, 0, 69).End(0);
    const Rendered r = play(SmfFile(0, 480, {t}));  // 1 s at 120 bpm
    ASSERT_TRUE(r.ended);
    EXPECT_GT(ms(r.Frames()), 1000.0);
    EXPECT_LT(ms(r.Frames()), 1000.0 + MidiSynth::MaxTailMs);
    EXPECT_GT(peak(r, 1000, 1010), 100) << "the release goes on after the last event";
    EXPECT_LT(peak(r, ms(r.Frames()) - 10, ms(r.Frames())), 64) << "the play ends once the sound has faded";
}

TEST_F(SynthTest, FilesWithoutNotesPlaySilenceForTheirLength)
{
    SmfTrack quiet;
    quiet.Meta(0, 0x01, "no notes").Program(0, 0, 73).End(480);  // 0.5 s
    const Rendered r = play(SmfFile(0, 480, {quiet}));
    ASSERT_TRUE(r.ended);
    EXPECT_GE(ms(r.Frames()), 500.0);
    EXPECT_LT(ms(r.Frames()), 500.0 + 50);
    EXPECT_LE(peak(r, 0, ms(r.Frames())), 1) << "silent but for the dither";

    SmfTrack empty;
    empty.End(0);
    EXPECT_TRUE(play(SmfFile(0, 480, {empty})).ended) << "a file of length 0 ends at once";
}

TEST(SoundFontChoice, ConfiguredFontWinsAndAnUnusableOneIsNotReplaced)
{
    const std::string system = FindSoundFont("");
    ASSERT_FALSE(system.empty());
    EXPECT_EQ(FindSoundFont(system), system);
    EXPECT_EQ(FindSoundFont("/nonexistent/font.sf2"), "");
    EXPECT_EQ(FindSoundFont("/etc/hostname"), "");
    std::string error;
    EXPECT_FALSE(MidiSynth::Create("/etc/hostname", error));
    EXPECT_NE(error.find("cannot be loaded"), std::string::npos) << error;

    // A font is read when it is first needed: a truncated one passes the header check, then
    // its load (and any play) fails naming the file and FluidSynth's reason.
    TempDir dir;
    WriteTruncatedSoundFont(dir.File("cut.sf2"));
    const auto cut = MidiSynth::Create(dir.File("cut.sf2"), error);
    ASSERT_TRUE(cut) << error;
    EXPECT_EQ(cut->Font(), MidiSynth::FontState::Unloaded);
    EXPECT_FALSE(cut->LoadFont(error));
    EXPECT_EQ(cut->Font(), MidiSynth::FontState::Failed);
    EXPECT_EQ(error, "The sound font \"" + dir.File("cut.sf2") + "\" cannot be loaded: SoundFont file size mismatch.");
    std::string again;
    EXPECT_FALSE(cut->Play({std::make_shared<const std::vector<std::uint8_t>>(HeldA4Song()), 0, 0, 100}, nullptr, again));
    EXPECT_EQ(again, error);
}

TEST(SoundFontChoice, ABackgroundLoadIsHandedToTheMainThreadOrTakenOverByAPlay)
{
    std::string error;
    const auto synth = MidiSynth::Create(TestSoundFont(), error);
    ASSERT_TRUE(synth) << error;
    int handled = 0;
    synth->LoadFontInBackground([&](bool ok, const std::string& why) {
        EXPECT_TRUE(IsMainThread());
        EXPECT_TRUE(ok) << why;
        ++handled;
    });
    EXPECT_EQ(synth->Font(), MidiSynth::FontState::Loading);
    // A play started meanwhile waits for the loader and takes the font over itself; the
    // loader's own hand-over, arriving later, finds nothing left to do.
    EXPECT_TRUE(synth->Play({std::make_shared<const std::vector<std::uint8_t>>(HeldA4Song()), 0, 0, 100}, nullptr, error))
        << error;
    EXPECT_EQ(synth->Font(), MidiSynth::FontState::Loaded);
    EXPECT_EQ(handled, 1);
    for (int i = 0; i < 3; ++i)
        ProcessMessages();
    EXPECT_EQ(handled, 1);

    // Left to itself, a load ends in the hand-over on the main thread.
    const auto second = MidiSynth::Create(TestSoundFont(), error);
    second->LoadFontInBackground([&](bool, const std::string&) { ++handled; });
    ASSERT_TRUE(RunEventsUntil([&] { return handled == 2; }));
    EXPECT_EQ(second->Font(), MidiSynth::FontState::Loaded);
}

TEST(SynthLine, CardLinePlaysTheSequencerAndIsAbsentWithoutAFont)
{
    SoundLineRegistration registration = RegisterSynthLine();
    SoundCardSettings settings;
    settings.micDevice.clear();  // the synthesiser alone
    settings.soundFont = "/nonexistent/font.sf2";
    EXPECT_TRUE(MakeSoundLines(settings).empty());

    settings.soundFont = TestSoundFont();
    std::vector<MadeSoundLine> lines = MakeSoundLines(settings);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].componentType, MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER);
    EXPECT_TRUE(lines[0].line->IsSoftware());
    ASSERT_NE(MidiSynth::Current(), nullptr);

    TempDir dir;
    WriteFileBytes(dir.File("a4.mid"), HeldA4Song());
    TMediaPlayer player;
    int notified = 0;
    player.OnNotify = [&](TMediaPlayer* p) { notified += p->NotifyResult() == nvSuccessful; };
    player.SetFileName(dir.File("a4.mid"));
    player.Open();
    player.Play();
    std::vector<std::int16_t> pcm;
    std::vector<std::int16_t> period(2048 * 2);
    while (MidiSynth::Current()->Playing() && pcm.size() < 10u * MidiSynth::SampleRate * 2) {
        EXPECT_EQ(lines[0].line->Read(period), LineStatus::Ok);
        pcm.insert(pcm.end(), period.begin(), period.end());
    }
    for (int i = 0; i < 3; ++i)
        ProcessMessages();
    EXPECT_EQ(notified, 1);
    const auto first = static_cast<std::size_t>((kHeldA4StartMs + 300) * MidiSynth::SampleRate / 1000);
    EXPECT_NEAR(StrongestFrequency(pcm, 2, 1, MidiSynth::SampleRate, first, 65536), 440.0, 440.0 * 0.02);
    player.Close();
}

TEST(SynthLine, AChosenFontGivesTheCardItsSynthesiserAndTakesAnIdleOnesPlace)
{
    SoundLineRegistration registration = RegisterSynthLine();
    ASSERT_FALSE(TestSoundFont().empty());
    TempDir dir;
    WriteFileBytes(dir.File("broken.sf2"), {'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'n', 't'});
    SoundCardSettings settings;
    settings.micDevice.clear();
    settings.monitorDevice.clear();
    settings.soundFont = dir.File("broken.sf2");
    SoundCard card(settings);
    ASSERT_FALSE(card.HasLine(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER));

    // The same font under two more names, so each choice is a change.
    for (const char* name : {"first.sf2", "second.sf2"})
        std::filesystem::copy_file(TestSoundFont(), dir.File(name));
    settings.soundFont = dir.File("first.sf2");
    card.FollowDevices(settings);
    ASSERT_TRUE(card.HasLine(MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER));
    ASSERT_NE(MidiSynth::Current(), nullptr);
    EXPECT_EQ(MidiSynth::Current()->SoundFont(), dir.File("first.sf2"));

    // A synthesiser a player holds keeps its font until the player lets go.
    MidiSynth* held = MidiSynth::Current();
    ASSERT_TRUE(held->TryClaim());
    settings.soundFont = dir.File("second.sf2");
    card.FollowDevices(settings);
    EXPECT_EQ(MidiSynth::Current(), held);
    held->Release();
    card.FollowDevices(settings);
    ASSERT_NE(MidiSynth::Current(), nullptr);
    EXPECT_EQ(MidiSynth::Current()->SoundFont(), dir.File("second.sf2"));
}
