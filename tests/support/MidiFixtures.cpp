#include "support/MidiFixtures.h"

#include "platform/midi/SoundFont.h"

#include <cstdio>
#include <stdexcept>

namespace {
void putVarLen(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    std::uint8_t bytes[5];
    int n = 0;
    do {
        bytes[n++] = static_cast<std::uint8_t>(value & 0x7Fu);
        value >>= 7;
    } while (value);
    while (n-- > 0)
        out.push_back(static_cast<std::uint8_t>(bytes[n] | (n ? 0x80u : 0u)));
}

void putBe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
}  // namespace

SmfTrack& SmfTrack::Raw(std::uint32_t delta, std::initializer_list<std::uint8_t> data)
{
    putVarLen(bytes, delta);
    bytes.insert(bytes.end(), data);
    return *this;
}

SmfTrack& SmfTrack::NoteOn(std::uint32_t delta, int channel, int key, int velocity)
{
    return Raw(delta, {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(key),
                       static_cast<std::uint8_t>(velocity)});
}

SmfTrack& SmfTrack::NoteOff(std::uint32_t delta, int channel, int key)
{
    return Raw(delta, {static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(key), 64});
}

SmfTrack& SmfTrack::Program(std::uint32_t delta, int channel, int program)
{
    return Raw(delta, {static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(program)});
}

SmfTrack& SmfTrack::Tempo(std::uint32_t delta, std::uint32_t us)
{
    return Raw(delta, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(us >> 16), static_cast<std::uint8_t>(us >> 8),
                       static_cast<std::uint8_t>(us)});
}

SmfTrack& SmfTrack::Meta(std::uint32_t delta, std::uint8_t type, const std::string& text)
{
    Raw(delta, {0xFF, type});
    putVarLen(bytes, static_cast<std::uint32_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    return *this;
}

SmfTrack& SmfTrack::SysEx(std::uint32_t delta, std::uint8_t status, std::initializer_list<std::uint8_t> data)
{
    Raw(delta, {status});
    putVarLen(bytes, static_cast<std::uint32_t>(data.size()));
    bytes.insert(bytes.end(), data);
    return *this;
}

SmfTrack& SmfTrack::End(std::uint32_t delta)
{
    return Raw(delta, {0xFF, 0x2F, 0x00});
}

std::vector<std::uint8_t> SmfFile(int format, std::uint16_t division, const std::vector<SmfTrack>& tracks)
{
    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    putBe(out, static_cast<std::uint32_t>(format), 2);
    putBe(out, static_cast<std::uint32_t>(tracks.size()), 2);
    putBe(out, division, 2);
    for (const SmfTrack& t : tracks) {
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        putBe(out, static_cast<std::uint32_t>(t.bytes.size()), 4);
        out.insert(out.end(), t.bytes.begin(), t.bytes.end());
    }
    return out;
}

std::uint16_t SmpteDivision(int framesPerSecond, int ticksPerFrame)
{
    return static_cast<std::uint16_t>((static_cast<std::uint8_t>(-framesPerSecond) << 8) | ticksPerFrame);
}

std::vector<std::uint8_t> RmidFile(const std::vector<std::uint8_t>& smf)
{
    const auto le32 = [](std::vector<std::uint8_t>& out, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    std::vector<std::uint8_t> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'R', 'M', 'I', 'D'};
    out.insert(out.end(), {'D', 'I', 'S', 'P'});  // an odd-sized chunk first, padded
    le32(out, 3);
    out.insert(out.end(), {1, 2, 3, 0});
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    le32(out, static_cast<std::uint32_t>(smf.size()));
    out.insert(out.end(), smf.begin(), smf.end());
    if (smf.size() & 1)
        out.push_back(0);
    const std::uint32_t riff = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i)
        out[4 + i] = static_cast<std::uint8_t>(riff >> (8 * i));
    return out;
}

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw std::runtime_error("cannot write " + path);
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !ok)
        throw std::runtime_error("cannot write " + path);
}

std::vector<std::uint8_t> HeldA4Song()
{
    // 480 ticks to the quarter; the tempo track plays 120 bpm for the first 480 ticks
    // (0.5 s), then 60 bpm (480 ticks a second). Note on at tick 240 (0.25 s), note off at
    // 1320 (0.5 + 840/480 = 2.25 s), end at 1440 (2.5 s).
    SmfTrack melody;
    melody.Meta(0, 0x03, "Flute").Program(0, 0, 73).NoteOn(240, 0, 69, 110).NoteOff(1080, 0, 69).End(120);
    SmfTrack tempo;
    tempo.Tempo(0, 500000).Tempo(480, 1000000).End(960);
    return SmfFile(1, 480, {tempo, melody});
}

std::string TestSoundFont()
{
    const std::string small = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    return IsUsableSoundFont(small) ? small : FindSoundFont("");
}
