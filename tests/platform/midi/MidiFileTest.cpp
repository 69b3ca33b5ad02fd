// The MIDI file reader on files written here byte by byte: timing through tempo changes
// in any track, running status, SMPTE time, RMID files, system-exclusive events, the merged
// playable file, and a clear error for every kind of broken file.
#include "platform/midi/MidiFile.h"
#include "support/MidiFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
// Division 96. The melody uses running status (also after a text meta); the tempo changes
// sit in the second track: 500000 us at 0, 250000 at tick 96, 1000000 at tick 144.
std::vector<std::uint8_t> tempoSong()
{
    SmfTrack melody;
    melody.Program(0, 0, 0).NoteOn(0, 0, 60).Raw(96, {62, 100}).Meta(0, 0x01, "x").Raw(96, {60, 0}).Raw(0, {62, 0}).End(0);
    SmfTrack tempo;
    tempo.Tempo(0, 500000).Tempo(96, 250000).Tempo(48, 1000000).End(200);
    return SmfFile(1, 96, {melody, tempo});
}

std::vector<const MidiEvent*> channelEvents(const MidiFile& f)
{
    std::vector<const MidiEvent*> out;
    for (const MidiEvent& e : f.Events())
        if (e.IsChannel())
            out.push_back(&e);
    return out;
}

void expectError(const std::vector<std::uint8_t>& bytes, const std::string& fragment)
{
    try {
        MidiFile::Parse(bytes);
        ADD_FAILURE() << "no error; expected one saying \"" << fragment << "\"";
    } catch (const EMidiFileError& e) {
        EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
    }
}
}  // namespace

TEST(MidiFile, TempoChangesInAnyTrackTimeEveryEvent)
{
    const MidiFile f = MidiFile::Parse(tempoSong());
    EXPECT_EQ(f.Format(), 1);
    EXPECT_EQ(f.TrackCount(), 2);
    ASSERT_EQ(f.TempoMap().size(), 3u);
    EXPECT_DOUBLE_EQ(f.TempoMap()[2].ms, 625.0);

    const auto notes = channelEvents(f);
    ASSERT_EQ(notes.size(), 5u);  // program, two note-ons, two note-offs (running status)
    EXPECT_EQ(notes[2]->status, 0x90);
    EXPECT_EQ(notes[2]->data1, 62);
    EXPECT_DOUBLE_EQ(f.TimeMs(notes[2]->tick), 500.0);
    EXPECT_EQ(notes[3]->data1, 60);
    EXPECT_EQ(notes[3]->data2, 0);
    EXPECT_DOUBLE_EQ(f.TimeMs(notes[3]->tick), 1125.0);  // 500 + 48 x 250/96 + 48 x 1000/96
    EXPECT_NEAR(f.LengthMs(), 625.0 + 200 * 1000.0 / 96, 1e-9);
    EXPECT_EQ(f.EndTick(), 344u);
    EXPECT_EQ(f.TickAt(1125.0), 192u);
    EXPECT_EQ(f.TickAt(1125.5), 193u);
    EXPECT_TRUE(f.HasNotes());
}

TEST(MidiFile, SmpteDivisionIsAbsoluteTimeAndIgnoresTempo)
{
    SmfTrack t;
    t.Tempo(0, 250000).NoteOn(0, 0, 60).NoteOff(2500, 0, 60).End(500);
    const MidiFile f25 = MidiFile::Parse(SmfFile(0, SmpteDivision(25, 40), {t}));
    EXPECT_TRUE(f25.IsSmpte());
    EXPECT_DOUBLE_EQ(f25.TimeMs(2500), 2500.0);
    EXPECT_DOUBLE_EQ(f25.LengthMs(), 3000.0);
    const MidiFile f2997 = MidiFile::Parse(SmfFile(0, SmpteDivision(29, 100), {t}));
    EXPECT_NEAR(f2997.TimeMs(2997), 1000.0 * 2997 / (30000.0 / 1001.0 * 100), 1e-9);
    EXPECT_NEAR(f2997.TimeMs(3000), 1001.0, 1e-9);
}

TEST(MidiFile, RmidFileReadsLikeItsInnerFile)
{
    TempDir dir;
    const std::string path = dir.File("song.rmi");
    WriteFileBytes(path, RmidFile(tempoSong()));
    EXPECT_TRUE(LooksLikeMidiFile(path));
    const MidiFile f = MidiFile::Load(path);
    EXPECT_EQ(f.Bytes(), tempoSong());
    EXPECT_NEAR(f.LengthMs(), MidiFile::Parse(tempoSong()).LengthMs(), 1e-9);
}

TEST(MidiFile, SysExAndMetaEventsKeepTheirData)
{
    SmfTrack t;
    t.SysEx(0, 0xF0, {0x7E, 0x7F, 0x09, 0x01, 0xF7}).SysEx(10, 0xF7, {0xF3, 0x01}).Meta(5, 0x03, "Lead").End(0);
    const MidiFile f = MidiFile::Parse(SmfFile(0, 96, {t}));
    ASSERT_EQ(f.Events().size(), 4u);
    const MidiEvent& sysex = f.Events()[0];
    EXPECT_EQ(sysex.status, MidiEvent::SysEx);
    ASSERT_EQ(sysex.length, 5u);
    EXPECT_EQ(f.Bytes()[sysex.offset + 4], 0xF7);
    EXPECT_EQ(f.Events()[1].status, MidiEvent::SysExEscape);
    EXPECT_EQ(f.Events()[1].tick, 10u);
    EXPECT_EQ(f.Events()[2].metaType, 0x03);
    EXPECT_EQ(std::string(f.Bytes().begin() + f.Events()[2].offset, f.Bytes().begin() + f.Events()[2].offset + 4), "Lead");
    EXPECT_FALSE(f.HasNotes());  // a file of events with no notes is valid
    EXPECT_DOUBLE_EQ(f.LengthMs(), 15 * 500.0 / 96);
}

TEST(MidiFile, PlayableFileKeepsEveryTimeInOneMetricalTrack)
{
    SmfTrack smpte;
    smpte.Program(0, 1, 40).NoteOn(0, 1, 64).NoteOff(2997, 1, 64).End(3);
    const std::vector<std::vector<std::uint8_t>> songs = {tempoSong(), SmfFile(0, SmpteDivision(29, 100), {smpte}),
                                                          SmfFile(0, SmpteDivision(24, 4), {smpte})};
    for (const auto& song : songs) {
        const MidiFile original = MidiFile::Parse(song);
        const MidiFile plain = MidiFile::Parse(original.PlayableFile());
        EXPECT_EQ(plain.Format(), 0);
        EXPECT_EQ(plain.TrackCount(), 1);
        EXPECT_FALSE(plain.IsSmpte());
        EXPECT_NEAR(plain.LengthMs(), original.LengthMs(), 1e-6);
        const auto a = channelEvents(original), b = channelEvents(plain);
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i]->status, b[i]->status);
            EXPECT_EQ(a[i]->data1, b[i]->data1);
            EXPECT_NEAR(original.TimeMs(a[i]->tick), plain.TimeMs(b[i]->tick), 1e-6);
        }
    }
}

TEST(MidiFile, BrokenFilesGiveClearErrors)
{
    SmfTrack good;
    good.NoteOn(0, 0, 60).NoteOff(96, 0, 60).End(0);
    const std::vector<std::uint8_t> valid = SmfFile(0, 96, {good});

    expectError({}, "empty");
    expectError({'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!', '!'}, "not a MIDI file");
    expectError({'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, "not a MIDI file");
    expectError({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0}, "header is truncated");

    auto truncated = SmfTrack{};
    truncated.Raw(0, {0x90, 0x3C});  // velocity missing at the end of the track
    expectError(SmfFile(0, 96, {truncated}), "truncated");

    auto pastEnd = valid;
    pastEnd[21] = 0xE8;  // track length 1000: far more than the file holds
    pastEnd[20] = 0x03;
    expectError(pastEnd, "bytes remain in the file");

    expectError(SmfFile(0, 0, {good}), "time division of 0");
    expectError(SmfFile(0, SmpteDivision(23, 4), {good}), "SMPTE frame rate");

    SmfTrack zeroTempo;
    zeroTempo.Tempo(0, 0).End(0);
    expectError(SmfFile(0, 96, {zeroTempo}), "tempo of 0");

    auto manyTracks = valid;
    manyTracks[10] = manyTracks[11] = 0xFF;
    expectError(manyTracks, "announces 65535 tracks but holds only 1");

    expectError(SmfFile(2, 96, {good}), "format 2");
    expectError(SmfFile(7, 96, {good}), "unknown format");
    expectError(SmfFile(1, 96, {}), "no tracks");

    SmfTrack noStatus;
    noStatus.Raw(0, {0x3C, 0x40}).End(0);
    expectError(SmfFile(0, 96, {noStatus}), "data byte");

    SmfTrack longDelta;
    longDelta.bytes = {0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 0x3C, 0x40};
    expectError(SmfFile(0, 96, {longDelta}), "longer than four bytes");

    SmfTrack common;
    common.Raw(0, {0xF2, 0x00, 0x00}).End(0);
    expectError(SmfFile(0, 96, {common}), "may not contain");

    SmfTrack endless;
    endless.Tempo(0, 0xFFFFFF).End(0x0FFFFFFF);
    expectError(SmfFile(0, 1, {endless}), "too long");

    auto noData = RmidFile(valid);
    noData[24] = 'x';  // the data chunk becomes one of another kind
    expectError(noData, "no MIDI data");
}

TEST(MidiFile, ASongLongerThanTwelveHoursIsRefusedNamingTheFile)
{
    TempDir dir;
    // At 120 beats a minute and 1 tick a beat, the song's 86 400th beat ends 12 hours.
    for (const std::uint32_t beats : {86400u - 2, 86400u + 120}) {
        SmfTrack track;
        track.NoteOn(0, 0, 60).NoteOff(1, 0, 60).End(beats);
        const std::string path = dir.File("long.mid");
        WriteFileBytes(path, SmfFile(0, 1, {track}));
        if (beats < 86400u) {
            EXPECT_LE(MidiFile::Load(path).LengthMs(), MidiFile::MaxPlayLengthMs);
            continue;
        }
        try {
            (void)MidiFile::Load(path);
            ADD_FAILURE() << "a song of 12 hours and a minute was read";
        } catch (const EMidiFileError& e) {
            const std::string text = e.what();
            EXPECT_NE(text.find("longer than 12 hours"), std::string::npos) << text;
            EXPECT_NE(text.find(path), std::string::npos) << text;
        }
    }
}

TEST(MidiFile, LoadReportsAFileThatCannotBeOpened)
{
    TempDir dir;
    EXPECT_THROW(MidiFile::Load(dir.File("missing.mid")), EMidiFileError);
    EXPECT_FALSE(LooksLikeMidiFile(dir.File("missing.mid")));
    // A named pipe is said to be one, without waiting for a writer.
    ASSERT_EQ(::mkfifo(dir.File("pipe.mid").c_str(), 0644), 0);
    EXPECT_FALSE(LooksLikeMidiFile(dir.File("pipe.mid")));
    try {
        (void)MidiFile::Load(dir.File("pipe.mid"));
        ADD_FAILURE() << "a named pipe was read";
    } catch (const EMidiFileError& e) {
        EXPECT_NE(std::string(e.what()).find(dir.File("pipe.mid") + ": a named pipe"), std::string::npos) << e.what();
    }
}
