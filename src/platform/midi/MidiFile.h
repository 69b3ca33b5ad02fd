#pragma once
// Our own Standard MIDI File reader: formats 0 and 1 (format 2 is refused), running status,
// meta and system-exclusive events (F0 and F7), the tempo map built from tempo changes in
// any track, metrical and SMPTE time division, and RIFF "RMID" files wrapping a MIDI file.
// Every event knows its time in milliseconds; LengthMs is the end of the longest track.
//
//   MidiFile song = MidiFile::Load("/home/me/song.mid");   // throws EMidiFileError
//   double total = song.LengthMs();
//   for (const MidiEvent& e : song.Events()) { ... song.TimeMs(e.tick) ... }
//   std::vector<std::uint8_t> plain = song.PlayableFile();   // what the synthesiser plays
//
// Bad input never crashes, hangs or allocates more than the file's own size times a small
// factor: every problem becomes an EMidiFileError whose text says what is wrong.
//
// Threads: a MidiFile is a value; once built, its const members may be used from any thread.
#include "platform/Errors.h"

#include <cstdint>
#include <string>
#include <vector>

class EMidiFileError : public EMervaneError {
public:
    using EMervaneError::EMervaneError;
};

struct MidiEvent {
    static constexpr std::uint8_t Meta = 0xFF;
    static constexpr std::uint8_t SysEx = 0xF0;
    static constexpr std::uint8_t SysExEscape = 0xF7;
    static constexpr std::uint8_t MetaEndOfTrack = 0x2F;
    static constexpr std::uint8_t MetaTempo = 0x51;

    std::uint64_t tick = 0;      // absolute, in the file's division
    std::uint32_t offset = 0;    // sysex and meta: where their data starts in Bytes()
    std::uint32_t length = 0;    // sysex and meta: data length in bytes
    std::uint16_t track = 0;     // 0-based track number
    std::uint8_t status = 0;     // channel status 0x80..0xEF, SysEx, SysExEscape or Meta
    std::uint8_t metaType = 0;   // meta events only
    std::uint8_t data1 = 0, data2 = 0;  // channel events (data2 unused for 0xC0 and 0xD0)

    bool IsChannel() const { return status >= 0x80 && status < 0xF0; }
    bool IsNoteOn() const { return (status & 0xF0) == 0x90 && data2 != 0; }
};

struct TempoChange {
    std::uint64_t tick = 0;
    std::uint32_t microsecondsPerQuarter = 500000;
    double ms = 0;  // time of the change
};

class MidiFile {
public:
    static constexpr std::size_t MaxFileBytes = 16u << 20;  // larger files are refused
    static constexpr double MaxLengthMs = 2147483647.0;      // positions are 32-bit milliseconds
    // Longer songs are refused: a last event hours after the music would otherwise grow the
    // recording's temporary file without end.
    static constexpr double MaxPlayLengthMs = 12.0 * 3600 * 1000;

    // Reads and checks the whole file.
    static MidiFile Load(const std::string& path);
    // Checks the bytes of a Standard MIDI File or a RIFF RMID file.
    static MidiFile Parse(std::vector<std::uint8_t> bytes);

    int Format() const { return format_; }
    int TrackCount() const { return trackCount_; }
    bool IsSmpte() const { return smpteFps_ != 0; }
    int TicksPerQuarter() const { return ticksPerQuarter_; }  // metrical division only
    int SmpteFramesPerSecond() const { return smpteFps_; }    // 24, 25, 29 (= 29.97) or 30
    int TicksPerFrame() const { return ticksPerFrame_; }

    // Every event of every track in time order; at equal ticks, lower tracks first, and
    // within a track the file's order. End-of-track metas are included.
    const std::vector<MidiEvent>& Events() const { return events_; }
    // The Standard MIDI File bytes (the inner file of an RMID file).
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    // Tempo changes in time order (SMPTE files have none); the first is at tick 0.
    const std::vector<TempoChange>& TempoMap() const { return tempoMap_; }

    double TimeMs(std::uint64_t tick) const;
    // The first tick at or after ms (a tick is a whole number of the file's time units).
    std::uint64_t TickAt(double ms) const;
    std::uint64_t EndTick() const { return endTick_; }
    double LengthMs() const { return TimeMs(endTick_); }
    bool HasNotes() const { return hasNotes_; }

    // The same music as one format-0 file with metrical division that any Standard MIDI
    // File player reads: every channel and system-exclusive event of every track merged in
    // time order, the tempo map (an SMPTE file becomes a fixed tempo), one end of track.
    std::vector<std::uint8_t> PlayableFile() const;

private:
    MidiFile() = default;
    void ReadHeader(std::size_t& pos);
    void ReadTracks(std::size_t pos);
    void ReadTrack(std::size_t begin, std::size_t end, std::uint16_t track);
    void BuildTempoMap();

    std::vector<std::uint8_t> bytes_;
    int format_ = 0;
    int trackCount_ = 0;
    int ticksPerQuarter_ = 0;
    int smpteFps_ = 0;
    int ticksPerFrame_ = 0;
    std::vector<MidiEvent> events_;
    std::vector<TempoChange> tempoMap_;
    std::uint64_t endTick_ = 0;
    bool hasNotes_ = false;
};

// True when the file starts like a MIDI file ("MThd" or a RIFF RMID header); reads 12 bytes.
bool LooksLikeMidiFile(const std::string& path);
