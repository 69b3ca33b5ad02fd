// libFuzzer target for the MIDI file reader: any byte sequence must end in a read file or
// in an EMidiFileError, without a crash, a hang or a huge allocation. Each input is tried
// as a whole file and, so the fuzzer reaches the event reader quickly, also as the one
// track of a format-1 file. A file that reads must give a playable file that reads again
// with the same length.
#include "platform/midi/MidiFile.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace {
void exercise(std::vector<std::uint8_t> bytes)
{
    try {
        const MidiFile file = MidiFile::Parse(std::move(bytes));
        const double length = file.LengthMs();
        (void)file.TickAt(length / 2);
        const MidiFile again = MidiFile::Parse(file.PlayableFile());
        if (std::abs(again.LengthMs() - length) > 1e-6 * length + 1e-3)
            __builtin_trap();
    } catch (const EMidiFileError&) {
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> raw(data, data + size);
    exercise(raw);
    std::vector<std::uint8_t> wrapped = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k'};
    for (int i = 3; i >= 0; --i)
        wrapped.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
    wrapped.insert(wrapped.end(), raw.begin(), raw.end());
    exercise(wrapped);
    return 0;
}
