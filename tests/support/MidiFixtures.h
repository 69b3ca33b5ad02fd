#pragma once
// Standard MIDI Files written byte by byte, so tests control every detail (running status,
// odd events, broken lengths), and the songs the media tests play.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// One track's bytes. Each call appends a delta time and an event; Raw appends bytes as
// they are (no status added), which is how running status and broken events are written.
class SmfTrack {
public:
    SmfTrack& Raw(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes);
    SmfTrack& NoteOn(std::uint32_t delta, int channel, int key, int velocity = 100);
    SmfTrack& NoteOff(std::uint32_t delta, int channel, int key);
    SmfTrack& Program(std::uint32_t delta, int channel, int program);
    SmfTrack& Tempo(std::uint32_t delta, std::uint32_t microsecondsPerQuarter);
    SmfTrack& Meta(std::uint32_t delta, std::uint8_t type, const std::string& text);
    SmfTrack& SysEx(std::uint32_t delta, std::uint8_t status, std::initializer_list<std::uint8_t> data);
    SmfTrack& End(std::uint32_t delta = 0);

    std::vector<std::uint8_t> bytes;
};

// A whole file: "MThd" with format, track count and division (a negative SMPTE frame
// rate goes in the high byte: Division(-25, 40)), then one "MTrk" chunk per track.
std::vector<std::uint8_t> SmfFile(int format, std::uint16_t division, const std::vector<SmfTrack>& tracks);
std::uint16_t SmpteDivision(int framesPerSecond, int ticksPerFrame);
// The file wrapped in a RIFF RMID file (with a chunk of another kind before the data).
std::vector<std::uint8_t> RmidFile(const std::vector<std::uint8_t>& smf);

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The held note: a flute (program 73) holding A4 for 2 s from 0.25 s on, with a tempo
// change in a second track while it sounds; 2.5 s long in all.
std::vector<std::uint8_t> HeldA4Song();
constexpr double kHeldA4StartMs = 250, kHeldA4EndMs = 2250, kHeldA4LengthMs = 2500;

// The sound font the tests play with: the small General MIDI font the program's own
// dependencies install, whatever larger font the machine has besides (a font a benchmark
// brings must not change what the tests hear or how long they take); the system's choice
// when it is missing.
std::string TestSoundFont();
