// The MIDI road through the wizard's own widgets: the sequencer plays a test-written MIDI
// file into the card's synthesiser line (Clock=fast), the recorder records it, and the
// recording becomes a tagged MP3; Cancel during playback leaves nothing behind.
#include "app/WizardFixture.h"
#include "platform/midi/MidiFile.h"
#include "platform/midi/MidiSynth.h"
#include "platform/card/SoundCard.h"
#include "platform/midi/SoundFont.h"
#include "platform/os/Paths.h"
#include "platform/os/ProfileFile.h"
#include "support/AudioOracles.h"
#include "support/MidiFixtures.h"
#include "support/SmallDisk.h"
#include "support/Spectrum.h"
#include "support/WaveFixtures.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <optional>
#include <fstream>
#include <sys/stat.h>
#include <taglib/id3v1tag.h>
#include <taglib/mpegfile.h>

namespace {
constexpr int kRate = 44100;

// 480 ticks to the quarter; 120 bpm for the first 480 ticks (0.5 s), then 60 bpm (480
// ticks a second). A flute holds A4 from 0.25 s to 2.25 s, rests, plays a C major chord
// from 2.75 s to 3 s; the file ends at 3.5 s.
constexpr double kSongSeconds = 3.5, kHeldFrom = 0.25;
std::vector<std::uint8_t> FluteSong()
{
    SmfTrack tempo;
    tempo.Tempo(0, 500000).Tempo(480, 1000000).End(1440);
    SmfTrack melody;
    melody.Program(0, 0, 73).NoteOn(240, 0, 69, 110).NoteOff(1080, 0, 69);
    melody.NoteOn(240, 0, 72).NoteOn(0, 0, 76).NoteOn(0, 0, 79);
    melody.NoteOff(120, 0, 72).NoteOff(0, 0, 76).NoteOff(0, 0, 79).End(240);
    return SmfFile(1, 480, {tempo, melody});
}

// One note held for a minute: a playback that is still running when the test cancels it.
std::vector<std::uint8_t> LongSong()
{
    SmfTrack melody;
    melody.Program(0, 0, 73).NoteOn(0, 0, 69).NoteOff(960 * 60, 0, 69).End(0);
    return SmfFile(0, 480, {melody});
}

// A flute note from the very first tick for half a second; then only its release.
std::vector<std::uint8_t> FluteFromTickZero()
{
    SmfTrack melody;
    melody.Program(0, 0, 73).NoteOn(0, 0, 69, 110).NoteOff(480, 0, 69).End(0);
    return SmfFile(0, 480, {melody});
}

// What a synthesiser of its own renders for the whole file, release tail included.
std::vector<std::int16_t> RenderedAlone(const std::string& midi)
{
    std::string error;
    std::unique_ptr<MidiSynth> synth = MidiSynth::Create(TestSoundFont(), error);
    EXPECT_TRUE(synth) << error;
    if (!synth)
        return {};
    const MidiFile file = MidiFile::Load(midi);
    const MidiSynth::Song song{std::make_shared<const std::vector<std::uint8_t>>(file.PlayableFile()), 0, 0,
                               static_cast<std::uint32_t>(file.LengthMs())};
    EXPECT_TRUE(synth->Play(song, nullptr, error)) << error;
    std::vector<std::int16_t> pcm;
    std::vector<std::int16_t> piece(1024 * 2);
    for (;;) {
        const PlayMarks marks = synth->Render(piece.data(), 1024);
        const std::size_t frames = marks.end.value_or(1024);
        pcm.insert(pcm.end(), piece.begin(), piece.begin() + std::ptrdiff_t(frames * 2));
        if (marks.end)
            return pcm;
    }
}

class MidiRoad : public WizardTest {
protected:
    void BeforeWizard() override { UseFastSoftwareCard(); }

    // From the source page through the MIDI file choice, the details (with `title`) and
    // the options into RecEnc, whose entry starts the playback.
    // A non-empty `output` is chosen as the MP3 file's name instead of the one made from
    // the MIDI file's.
    // chooseFast, when set, is the choice made on the file page.
    void StartMidi(const std::string& midi, const std::string& title, const std::string& output = "")
    {
        ASSERT_TRUE(Find("IEButton2")->isEnabled());
        Click("IEButton2");
        Click("SelSourceNext");
        ASSERT_EQ(CurrentPageName(), "SelWav");
        dialogs->openAnswers.push_back(midi);
        Click("SelWavBrowseInput");
        Activate();
        ASSERT_EQ(dialogs->openRequests.back().title, "Select source MIDI file");
        auto* fast = Find<QCheckBox>("FasterThanRealTime");
        ASSERT_TRUE(fast->isVisible());
        if (chooseFast && fast->isChecked() != *chooseFast)
            Click(fast);
        if (!output.empty()) {
            dialogs->saveAnswers.push_back(output);
            Click("SelWavBrowseOutput");
            Activate();
        }
        ExpectPageNamed();
        ClickFileNext();
        ASSERT_EQ(CurrentPageName(), "SingleTag");
        ExpectPageNamed();
        auto* edit = Find<QLineEdit>("SingleTagTitle");
        Click(edit);
        edit->setText(QString::fromStdString(title));
        Click("SingleTagNext");
        ExpectPageNamed();
        Click("EncodeOptionsNext");
        ASSERT_EQ(CurrentPageName(), "RecEnc");
        ExpectPageNamed();
    }

    // Runs the page to its end; true when the MP3's encoding ran while the song still
    // played, and `paceSeen` gets the card's pace during the play.
    bool EncodedWhilePlaying(bool* paceSeen = nullptr)
    {
        EXPECT_TRUE(RunEventsUntil([&] {
            if (state.midiPlaying && paceSeen)
                *paceSeen = SoundCard::Current()->FastClock();
            return Find("RecEncFinish")->isEnabled();
        }));
        EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
        return form2->LastRecordingEncodedWhileMade();
    }

    std::optional<bool> chooseFast;
};
}  // namespace

TEST_F(MidiRoad, MidiFileBecomesATaggedMp3OfTheSongWithTheHeldNoteAt440Hz)
{
    const std::string midi = Input("flute.mid");
    WriteFileBytes(midi, FluteSong());
    // Every turn of the event loop shows the progress, so the gauge is seen moving however
    // fast the fast clock plays.
    Find<QTimer>("Timer1")->setInterval(0);
    auto* gauge = Find<QProgressBar>("MMGauge4");
    std::vector<int> duringPlayback;
    QObject::connect(gauge, &QProgressBar::valueChanged, [&](int v) {
        if (state.midiPlaying)
            duringPlayback.push_back(v);
    });

    StartMidi(midi, "Flute and chord");
    EXPECT_EQ(Find<QLineEdit>("RecEncOutput")->text().toStdString(), Input("flute.mp3"));
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncFinish")->isEnabled(); }));
    EXPECT_FALSE(state.midiPlaying);
    EXPECT_FALSE(form2->MMWaveRecorder1.IsOpened());
    EXPECT_FALSE(Find("RecEncAborted")->isVisible());
    EXPECT_EQ(gauge->value(), 100);
    EXPECT_EQ(Find<QProgressBar>("MMGauge3")->value(), 100);
    ASSERT_FALSE(duringPlayback.empty()) << "MMGauge4 never moved while the file played";
    EXPECT_TRUE(std::is_sorted(duringPlayback.begin(), duringPlayback.end()));
    EXPECT_TRUE(std::any_of(duringPlayback.begin(), duringPlayback.end(), [](int v) { return v > 0 && v < 100; }));
    EXPECT_FALSE(std::filesystem::exists(TemporaryWavePath()));

    const DecodedMp3 d = DecodeMp3File(Input("flute.mp3"));
    ASSERT_EQ(d.rate, kRate);
    ASSERT_EQ(d.channels, 2);
    // The whole song and its release tail; the decoder adds the encoder's delay and padding
    // (at most two frames of 1152 samples).
    const double seconds = static_cast<double>(d.Frames()) / kRate;
    EXPECT_GE(seconds, kSongSeconds);
    EXPECT_LE(seconds, kSongSeconds + 0.25 + 2 * 1152.0 / kRate);
    const auto first = static_cast<std::size_t>((kHeldFrom + 0.3) * kRate);
    EXPECT_NEAR(StrongestFrequency(d.pcm, 2, 0, kRate, first, 65536), 440.0, 440.0 * 0.02);

    TagLib::MPEG::File file(Input("flute.mp3").c_str(), false);
    ASSERT_TRUE(file.isValid() && file.hasID3v1Tag());
    EXPECT_EQ(file.ID3v1Tag()->title().to8Bit(true), "Flute and chord");

    Click("RecEncFinish");
    EXPECT_TRUE(closedSignal);
    EXPECT_EQ(ProfileFile::Settings().ReadInteger("RECORD_LEVEL", "MIDI", 0), kDefaultRecordLevel);
}

TEST_F(MidiRoad, TheFontLoadsOnTheMidiFilePageWhileNextWaitsForIt)
{
    // The wizard starts with the synthesiser's line (its source button usable) but without
    // its font.
    MidiSynth* synth = MidiSynth::Current();
    ASSERT_NE(synth, nullptr);
    EXPECT_EQ(synth->Font(), MidiSynth::FontState::Unloaded);
    EXPECT_TRUE(Find("IEButton2")->isEnabled());

    // The file page starts the load; Next pressed before it is handed over waits for it.
    // No event runs between the page's entry and the press, so the load is still running.
    const std::string midi = Input("flute.mid");
    WriteFileBytes(midi, FluteSong());
    form1->OpenFromCommandLine(midi);
    ASSERT_EQ(CurrentPageName(), "SelWav");
    EXPECT_EQ(synth->Font(), MidiSynth::FontState::Loading);
    Find<QPushButton>("SelWavNext")->click();
    EXPECT_EQ(CurrentPageName(), "SelWav");
    auto* loading = Find<QLabel>("SelWavInstruments");
    EXPECT_TRUE(loading->isVisible());
    EXPECT_EQ(loading->text(), "Loading instruments...");
    ASSERT_TRUE(RunEventsUntil([&] { return CurrentPageName() == "SingleTag"; }));
    EXPECT_EQ(synth->Font(), MidiSynth::FontState::Loaded);
    EXPECT_FALSE(loading->isVisible());

    Click("SingleTagNext");
    Click("EncodeOptionsNext");
    ASSERT_EQ(CurrentPageName(), "RecEnc");
    ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncFinish")->isEnabled(); }));
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    const DecodedMp3 d = DecodeMp3File(Input("flute.mp3"));
    EXPECT_GE(static_cast<double>(d.Frames()) / kRate, kSongSeconds);
}

class BrokenSoundFont : public MidiRoad {
protected:
    void BeforeWizard() override
    {
        MidiRoad::BeforeWizard();
        WriteTruncatedSoundFont(Input("cut.sf2"));
        ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "SoundFont", Input("cut.sf2"));
    }
};

TEST_F(BrokenSoundFont, TheMidiFilePageSaysWhyTheFontCannotBeLoadedAndNextStays)
{
    const std::string why = "The sound font \"" + Input("cut.sf2") + "\" cannot be loaded: SoundFont file size mismatch.";
    ASSERT_TRUE(Find("IEButton2")->isEnabled());
    Click("IEButton2");
    Click("SelSourceNext");
    ASSERT_TRUE(RunEventsUntil([&] { return !dialogs->messages.empty(); }));
    EXPECT_EQ(dialogs->messages, std::vector<std::string>{why});
    EXPECT_EQ(Find<QLabel>("SelWavInstruments")->text(), "The instruments cannot be loaded.");

    WriteFileBytes(Input("flute.mid"), FluteSong());
    dialogs->openAnswers.push_back(Input("flute.mid"));
    Click("SelWavBrowseInput");
    Activate();
    Click("SelWavNext");
    EXPECT_EQ(CurrentPageName(), "SelWav");
    EXPECT_EQ(dialogs->messages.back(), why);
}

TEST_F(MidiRoad, CancelDuringPlaybackWritesNoMp3AndLeavesNoTemporaryFile)
{
    const std::string midi = Input("long.mid");
    WriteFileBytes(midi, LongSong());
    StartMidi(midi, "Never");
    ASSERT_TRUE(state.midiPlaying) << "the minute-long file ended before the test could cancel it";
    Click("RecEncCancel");
    ASSERT_TRUE(RunEventsUntil([&] { return !state.midiPlaying; }));
    EXPECT_FALSE(form2->MMWaveRecorder1.IsOpened());
    auto* aborted = Find<QLabel>("RecEncAborted");
    EXPECT_TRUE(aborted->isVisible());
    EXPECT_EQ(aborted->text(), "....ABORTED");
    EXPECT_FALSE(state.encodingInProgress);
    EXPECT_TRUE(Find("RecEncFinish")->isEnabled());
    EXPECT_FALSE(Find("RecEncCancel")->isEnabled());
    form1->close();
    EXPECT_FALSE(std::filesystem::exists(Input("long.mp3")));
    EXPECT_FALSE(std::filesystem::exists(TemporaryWavePath()));
}

TEST_F(MidiRoad, TheOutputCannotReplaceItsOwnMidiFileNorAPipe)
{
    const std::string midi = Input("song.mid");
    WriteFileBytes(midi, FluteSong());
    const auto before = FluteSong();
    StartMidi(midi, "Mine", settings.Folder().Path() + "/./song.mid");
    EXPECT_FALSE(state.midiPlaying) << "nothing plays";
    ASSERT_TRUE(RunEventsUntil([&] { return !dialogs->messages.empty(); }));
    EXPECT_EQ(dialogs->messages.back(), "The MP3 file cannot replace the MIDI file it is made from. Choose another "
                                        "name for the MP3 file.\n" + settings.Folder().Path() + "/./song.mid");
    std::ifstream in(midi, std::ios::binary);
    EXPECT_TRUE(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}) == before);

    RestartWizard();
    ASSERT_EQ(::mkfifo(Input("pipe.mp3").c_str(), 0644), 0);
    StartMidi(midi, "Piped", Input("pipe.mp3"));
    EXPECT_FALSE(state.midiPlaying);
    ASSERT_TRUE(RunEventsUntil([&] { return !dialogs->messages.empty(); }));
    EXPECT_EQ(dialogs->messages.back(),
              "The MP3 file cannot replace a named pipe. Choose another name for the MP3 file.\n" + Input("pipe.mp3"));
}

TEST_F(MidiRoad, TheRecordingHoldsEveryRenderedFrameAndIsTheSameOnEveryRun)
{
    const std::string midi = Input("tick0.mid");
    WriteFileBytes(midi, FluteFromTickZero());
    std::vector<Bytes> runs;
    for (int run = 0; run < 5; ++run) {
        if (run > 0) {
            std::filesystem::remove(Input("tick0.mp3"));
            RestartWizard();
        }
        StartMidi(midi, "Tick zero");
        ASSERT_TRUE(RunEventsUntil([&] { return Find("RecEncFinish")->isEnabled(); }));
        EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
        runs.push_back(ReadBytes(Input("tick0.mp3")));
        EXPECT_TRUE(runs.back() == runs.front()) << "run " << run + 1 << " wrote other bytes";
    }

    // The song as a synthesiser renders it alone: the MP3 holds it from its first frame to
    // the end of its tail, behind the codec's delay and no more.
    const std::vector<std::int16_t> alone = RenderedAlone(midi);
    const long frames = static_cast<long>(alone.size()) / 2;
    ASSERT_GT(frames, kRate / 2);
    const DecodedMp3 d = DecodeMp3File(Input("tick0.mp3"));
    EXPECT_GE(d.Frames(), frames + kMp3CodecDelay);
    EXPECT_LT(d.Frames(), frames + kMp3CodecDelay + 2 * kMp3FrameSamples);
    EXPECT_EQ(BestDelay(alone, d, 2, 0, frames, 0, 3 * kMp3FrameSamples), kMp3CodecDelay);
}

TEST_F(MidiRoad, AtTheFastPaceTheSongIsRenderedOnlyAShortWayAheadOfItsEncoder)
{
    // 20 s of flute notes: the synthesiser renders them far faster than the encoder takes
    // them, so unheld it would leave most of the song waiting for the encoder at its end.
    SmfTrack melody;
    melody.Program(0, 0, 73);
    for (int note = 0; note < 40; ++note)
        melody.NoteOn(0, 0, 60 + note % 12, 100).NoteOff(480, 0, 60 + note % 12);
    const std::string midi = Input("long.mid");
    WriteFileBytes(midi, SmfFile(0, 480, {melody.End(0)}));
    StartMidi(midi, "Long");
    std::int64_t mostWaiting = 0;
    ASSERT_TRUE(RunEventsUntil([&] {
        mostWaiting = std::max(mostWaiting, form2->LiveFeed.Queued());
        return Find("RecEncFinish")->isEnabled();
    }));
    EXPECT_TRUE(dialogs->messages.empty()) << dialogs->messages.front();
    EXPECT_TRUE(form2->LastRecordingEncodedWhileMade());
    // The card holds at 2 s ahead; a period and a recorder buffer may come on top.
    EXPECT_LE(mostWaiting, 5 * kRate * 4 / 2) << "the synthesiser ran ahead of the encoder";
    EXPECT_GT(DecodeMp3File(Input("long.mp3")).Frames(), 19L * kRate);
}

TEST_F(MidiRoad, TheFastChoiceIsRememberedAndOnlyChangesThePace)
{
    const std::string midi = Input("tick0.mid");
    WriteFileBytes(midi, FluteFromTickZero());
    // The card's own pace (Clock=fast) is the page's first choice: the song is encoded
    // while it is synthesised.
    StartMidi(midi, "Paced");
    EXPECT_TRUE(Find<QCheckBox>("FasterThanRealTime")->isChecked());
    EXPECT_TRUE(EncodedWhilePlaying()) << "the encoding waited for the end of the song";
    const Bytes fast = ReadBytes(Input("tick0.mp3"));

    // Real time, chosen on the page: remembered, and the recording plays at the wall
    // clock's pace and is encoded after it, into the very same file.
    std::filesystem::remove(Input("tick0.mp3"));
    RestartWizard();
    chooseFast = false;
    StartMidi(midi, "Paced");
    EXPECT_EQ(ProfileFile::Settings().ReadString("RECORDING", "Speed", ""), "realtime");
    bool paceDuringPlay = true;
    EXPECT_FALSE(EncodedWhilePlaying(&paceDuringPlay));
    EXPECT_FALSE(paceDuringPlay);
    EXPECT_TRUE(SoundCard::Current()->FastClock()) << "the choice outlived its recording";
    EXPECT_TRUE(ReadBytes(Input("tick0.mp3")) == fast) << "the pace changed the MP3";

    RestartWizard();
    chooseFast.reset();
    Click("IEButton2");
    Click("SelSourceNext");
    dialogs->openAnswers.push_back(midi);
    Click("SelWavBrowseInput");
    EXPECT_FALSE(Find<QCheckBox>("FasterThanRealTime")->isChecked());
}

TEST_F(MidiRoad, AFullTemporaryDiskIsToldBeforeThePlayAndWritesNoMp3)
{
    const SmallDisk small(settings.Folder().File("program"), "1m");
    if (!small.Mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    const std::string midi = Input("long.mid");
    WriteFileBytes(midi, LongSong());
    StartMidi(midi, "Too long");
    ASSERT_TRUE(RunEventsUntil([&] { return !dialogs->messages.empty() && !state.midiPlaying; }));
    ASSERT_EQ(dialogs->messages.size(), 1u);
    // The song's length is known before it plays: its recording would not fit.
    EXPECT_EQ(dialogs->messages[0].rfind("The recording of " + midi + " would need", 0), 0u) << dialogs->messages[0];
    EXPECT_NE(dialogs->messages[0].find(settings.TemporaryWave()), std::string::npos) << dialogs->messages[0];
    EXPECT_FALSE(form2->MMWaveRecorder1.IsOpened());
    EXPECT_FALSE(state.encodingInProgress);
    EXPECT_FALSE(std::filesystem::exists(Input("long.mp3")));
    // The page offers the way back to the file, every choice kept.
    ASSERT_TRUE(Find("BtnBack")->isVisible());
    Click("BtnBack");
    EXPECT_EQ(CurrentPageName(), "SelWav");
    EXPECT_EQ(Find<QLineEdit>("SelWavInput")->text().toStdString(), midi);
    EXPECT_EQ(Find<QLineEdit>("SelWavOutput")->text().toStdString(), Input("long.mp3"));
}

TEST_F(MidiRoad, TheTitleIsProposedFromTheSongsNameOrTheFileName)
{
    // The first name in time order (the second track's, at tick 0) in Latin-1; text events
    // and later names do not count.
    SmfTrack first, second;
    first.Meta(0, 0x01, "a comment").Meta(10, 0x03, "Later name").NoteOn(0, 0, 60).NoteOff(96, 0, 60).End();
    second.Meta(0, 0x03, "Caf\xE9 Song").End();
    WriteFileBytes(Input("named.mid"), SmfFile(1, 96, {first, second}));
    WriteFileBytes(Input("plain tune.mid"), SmfFile(0, 96, {SmfTrack().NoteOn(0, 0, 60).NoteOff(96, 0, 60).End()}));
    const auto proposed = [&](const std::string& midi) {
        WalkToDetails(midi, "IEButton2");
        return Find<QLineEdit>("SingleTagTitle")->text().toStdString();
    };
    EXPECT_EQ(proposed(Input("named.mid")), "Café Song");
    // A title typed for the file is kept when the page is entered again.
    Find<QLineEdit>("SingleTagTitle")->setText("Typed");
    Click("SingleTagNext");
    Click("BtnBack");
    EXPECT_EQ(Find<QLineEdit>("SingleTagTitle")->text(), "Typed");

    RestartWizard();
    EXPECT_EQ(proposed(Input("plain tune.mid")), "plain tune");
    RestartWizard();
    WritePcmWave(Input("a.b song.wav"), 16, 2, 44100, Bytes(4 * 4410, 0));
    WalkToDetails(Input("a.b song.wav"));
    EXPECT_EQ(Find<QLineEdit>("SingleTagTitle")->text(), "a.b song");
}
