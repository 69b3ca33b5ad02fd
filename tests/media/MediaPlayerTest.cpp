// TMediaPlayer: its commands, one-shot items, modes and errors over a scripted device, and
// its notifications over the real sequencer (the test pulls the sound, as the sound card's
// synthesiser line will).
#include "media/MediaPlayer.h"
#include "platform/device/MediaDevice.h"
#include "platform/os/MessageTarget.h"
#include "platform/midi/MidiSynth.h"
#include "platform/midi/SoundFont.h"
#include "support/MidiFixtures.h"
#include "support/Raised.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {
// What the scripted device was asked, and what it answers.
struct DeviceScript {
    struct PlayCall {
        std::optional<std::uint32_t> from, to;
        bool notify;
    };
    std::vector<PlayCall> plays;
    std::vector<std::uint32_t> timeFormats;
    int seeks = 0;
    std::uint32_t mode = mci::ModeStopped, position = 0, length = 1000;
    std::uint32_t stopError = 0;
};

class ScriptedDevice : public IMediaDevice {
public:
    explicit ScriptedDevice(DeviceScript& s) : s_(s) {}
    MediaResult Play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to, Notify notify) override
    {
        s_.plays.push_back({from, to, static_cast<bool>(notify)});
        return {};
    }
    MediaResult Stop() override { return {s_.stopError, {}}; }
    MediaResult SeekToStart() override
    {
        ++s_.seeks;
        s_.position = 0;
        return {};
    }
    MediaResult SetTimeFormat(std::uint32_t format) override
    {
        s_.timeFormats.push_back(format);
        return {};
    }
    MediaResult Status(std::uint32_t item, std::optional<std::uint32_t>, std::uint32_t& value) override
    {
        value = item == mci::StatusMode ? s_.mode : item == mci::StatusPosition ? s_.position : s_.length;
        return {};
    }
    bool WaitPlayEnd(std::chrono::milliseconds) override { return true; }
    MediaResult Close() override { return {}; }

private:
    DeviceScript& s_;
};

MediaDeviceKind scriptedKind(const std::string& type, DeviceScript& script)
{
    return {type, [](const std::string&) { return false; },
            [&script](const MediaOpenRequest&, MediaResult&) { return std::make_unique<ScriptedDevice>(script); }};
}

std::string errorText(const std::function<void()>& f)
{
    return RaisedText<EMCIDeviceError>(f, "(no EMCIDeviceError)");
}

class SequencerPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        synth_ = MidiSynth::Create(TestSoundFont(), error);
        ASSERT_TRUE(synth_) << error;
        song_ = dir_.File("song.mid");
        WriteFileBytes(song_, HeldA4Song());
        player_.OnNotify = [this](TMediaPlayer* p) { notes_.push_back(p->NotifyResult()); };
        player_.SetFileName(song_);
        player_.Open();
    }

    // Pulls the synthesiser's sound for `ms` milliseconds of music.
    void render(std::uint32_t ms)
    {
        std::vector<std::int16_t> pcm(std::size_t{ms} * MidiSynth::SampleRate / 1000 * 2);
        synth_->Render(pcm.data(), pcm.size() / 2);
    }
    void renderToEnd()
    {
        for (int i = 0; i < 100 && synth_->Playing(); ++i)
            render(100);
        ASSERT_FALSE(synth_->Playing());
    }
    // Lets the posted notifications arrive.
    void deliver()
    {
        for (int i = 0; i < 3; ++i)
            ProcessMessages();
    }

    TempDir dir_;
    std::string song_;
    std::unique_ptr<MidiSynth> synth_;
    TMediaPlayer player_{"MediaPlayer1"};
    std::vector<TMPNotifyValues> notes_;
};
}  // namespace

TEST(MediaPlayer, OneShotItemsAreConsumedByTheNextPlayAndModesMap)
{
    DeviceScript script;
    MediaDeviceRegistration reg(scriptedKind("Other", script));
    TMediaPlayer player;
    player.SetDeviceType(dtOther);
    player.Open();
    ASSERT_NE(player.DeviceID(), 0);

    player.SetPlayFrom(100);
    player.SetPlayTo(200);
    player.Play();
    player.Play();
    player.SetNotifyNext(false);
    player.Play();
    ASSERT_EQ(script.plays.size(), 3u);
    EXPECT_EQ(script.plays[0].from, 100u);
    EXPECT_EQ(script.plays[0].to, 200u);
    EXPECT_TRUE(script.plays[0].notify);
    EXPECT_FALSE(script.plays[1].from || script.plays[1].to) << "positions are used once";
    EXPECT_TRUE(script.plays[1].notify);
    EXPECT_FALSE(script.plays[2].notify);
    EXPECT_EQ(script.seeks, 0);

    for (std::uint32_t m = mci::ModeNotReady; m <= mci::ModeOpen; ++m) {
        script.mode = m;
        EXPECT_EQ(player.DeviceMode(), static_cast<TMPModes>(m - mci::ModeNotReady));
    }
}

TEST(MediaPlayer, CdPlayerOpensInTmsfAndNotifiesOnRequest)
{
    DeviceScript script;
    MediaDeviceRegistration reg(scriptedKind("CDAudio", script));
    TMediaPlayer player;
    std::vector<TMPNotifyValues> notes;
    player.OnNotify = [&](TMediaPlayer* p) { notes.push_back(p->NotifyResult()); };
    player.SetDeviceType(dtCDAudio);
    player.SetShareable(true);
    player.SetNotifyNext(true);
    player.SetWaitNext(false);
    player.Open();
    ASSERT_EQ(script.timeFormats, std::vector<std::uint32_t>{mci::FormatTmsf});
    EXPECT_EQ(player.TimeFormat(), mci::FormatTmsf);
    player.Stop();  // without notification by default
    for (int i = 0; i < 3; ++i)
        ProcessMessages();
    // The time format set and the open were both sent with notification.
    EXPECT_EQ(notes, (std::vector<TMPNotifyValues>{nvSuccessful, nvSuccessful}));

    script.stopError = 9999;
    player.Stop();
    EXPECT_EQ(player.LastError(), 9999u);
    EXPECT_EQ(player.ErrorMessage(), "Unknown error code");
}

TEST(MediaPlayer, ClosedPlayerRaisesOrKeepsTheError)
{
    TMediaPlayer player;
    for (auto op : std::vector<std::function<void()>>{[&] { player.Play(); }, [&] { player.Stop(); },
                                                       [&] { player.TrackCount(); }, [&] { player.TrackLength(1); },
                                                       [&] { player.TotalLength(); }})
        EXPECT_EQ(errorText(op), "No MCI device open");
    EXPECT_NO_THROW(player.Close());
    EXPECT_EQ(player.CurrentPosition(), 0u);
    EXPECT_EQ(player.LastError(), mci::ErrInvalidDeviceId);
    EXPECT_EQ(player.DeviceMode(), mpNotReady);
    player.SetTimeFormat(mci::FormatMilliseconds);
    EXPECT_EQ(player.LastError(), mci::ErrInvalidDeviceId);
    EXPECT_FALSE(player.ErrorMessage().empty());
}

TEST(MediaPlayer, OpenFailuresRaiseWithTheReason)
{
    TempDir dir;
    TMediaPlayer player;
    player.SetFileName(dir.File("missing.mid"));
    EXPECT_NE(errorText([&] { player.Open(); }).find("cannot be found"), std::string::npos);
    // A named pipe (nobody writes into it) and a device are there, but are no files to play.
    ASSERT_EQ(::mkfifo(dir.File("pipe.mid").c_str(), 0644), 0);
    for (const std::string& path : {dir.File("pipe.mid"), std::string("/dev/zero")}) {
        player.SetFileName(path);
        EXPECT_EQ(errorText([&] { player.Open(); }), "The file cannot be played. " + path + " is not a regular file.");
    }

    WriteFileBytes(dir.File("notes.txt"), {'n', 'o', 't', ' ', 'm', 'u', 's', 'i', 'c', '\n', '.', '.'});
    player.SetFileName(dir.File("notes.txt"));
    EXPECT_EQ(errorText([&] { player.Open(); }), "No media device can play this file. (" + dir.File("notes.txt") + ")");

    SmfTrack t;
    t.End(0);
    WriteFileBytes(dir.File("zero.mid"), SmfFile(0, 0, {t}));
    player.SetFileName(dir.File("zero.mid"));
    EXPECT_EQ(errorText([&] { player.Open(); }), "No MIDI synthesiser is available: no usable sound font was found.");
    std::string error;
    auto synth = MidiSynth::Create(TestSoundFont(), error);
    ASSERT_TRUE(synth) << error;
    EXPECT_EQ(errorText([&] { player.Open(); }),
              "The file cannot be played. The MIDI file has a time division of 0.\n" + dir.File("zero.mid"));
    EXPECT_FALSE(player.Opened());
    EXPECT_NE(player.LastError(), 0u);
}

TEST_F(SequencerPlayerTest, AutoSelectPlaysTheMidiFileToTheEnd)
{
    EXPECT_NE(player_.DeviceID(), 0);
    EXPECT_EQ(player_.TrackCount(), 1u);
    EXPECT_EQ(player_.TotalLength(), 2500u);
    EXPECT_EQ(player_.DeviceMode(), mpStopped);
    player_.Play();
    EXPECT_EQ(player_.DeviceMode(), mpPlaying);
    render(1000);
    EXPECT_EQ(player_.CurrentPosition(), 1000u);
    renderToEnd();
    deliver();
    EXPECT_EQ(notes_, std::vector<TMPNotifyValues>{nvSuccessful});
    EXPECT_EQ(player_.CurrentPosition(), 2500u);
    EXPECT_EQ(player_.DeviceMode(), mpStopped);

    player_.SetNotifyNext(false);
    player_.Play();  // at the end: rewinds first
    render(300);
    EXPECT_EQ(player_.CurrentPosition(), 300u);
    player_.Stop();
    deliver();
    EXPECT_EQ(notes_.size(), 1u) << "a play without notification reports nothing";
}

TEST_F(SequencerPlayerTest, StopDuringANotifiedPlayRaisesOnNotifyOnceWithAborted)
{
    player_.SetNotifyNext(true);
    player_.Play();
    render(500);
    player_.Stop();
    renderToEnd();
    render(3000);
    deliver();
    EXPECT_EQ(notes_, std::vector<TMPNotifyValues>{nvAborted});
    EXPECT_EQ(player_.CurrentPosition(), 500u);
    std::vector<std::int16_t> after(4410 * 2, 1);
    synth_->Render(after.data(), 4410);
    EXPECT_TRUE(std::all_of(after.begin(), after.end(), [](std::int16_t v) { return v == 0; })) << "stopped is silent";

    player_.SetNotifyNext(false);
    player_.Play();  // goes on from where it stopped
    render(100);
    EXPECT_EQ(player_.CurrentPosition(), 600u);
}

TEST_F(SequencerPlayerTest, ReplacedPlayIsSupersededAndRangesAreKept)
{
    player_.Play();
    render(200);
    player_.SetPlayFrom(1000);
    player_.SetPlayTo(1500);
    player_.Play();
    renderToEnd();
    deliver();
    EXPECT_EQ(notes_, (std::vector<TMPNotifyValues>{nvSuperseded, nvSuccessful}));
    EXPECT_EQ(player_.CurrentPosition(), 1500u);

    player_.SetPlayFrom(2600);
    player_.Play();
    EXPECT_EQ(player_.LastError(), mci::ErrOutOfRange);
    EXPECT_EQ(player_.DeviceMode(), mpStopped);
}

TEST_F(SequencerPlayerTest, WaitingPlayReturnsAfterTheEnd)
{
    std::atomic<bool> done{false};
    std::thread card([&] {
        std::vector<std::int16_t> pcm(512 * 2);
        while (!done)
            synth_->Render(pcm.data(), 512);  // silence once the play is over
    });
    player_.SetWaitNext(true);
    player_.Play();
    EXPECT_EQ(player_.DeviceMode(), mpStopped);
    EXPECT_EQ(player_.CurrentPosition(), 2500u);
    done = true;
    card.join();
    deliver();
    EXPECT_EQ(notes_, std::vector<TMPNotifyValues>{nvSuccessful});
}

TEST_F(SequencerPlayerTest, SecondPlayerFindsTheSequencerInUse)
{
    TMediaPlayer other("MediaPlayer2");
    other.SetFileName(song_);
    EXPECT_EQ(errorText([&] { other.Open(); }), "The media device is in use by another player.");
    player_.Close();
    EXPECT_EQ(player_.DeviceID(), 0);
    EXPECT_NO_THROW(other.Open());
}
