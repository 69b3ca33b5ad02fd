// libFuzzer target for the disc image checks: the input's first character chooses what the
// rest becomes ('c' a cue sheet, 't' a cdrdao toc, 'n' a whole Nero image, 'f' the stream
// after a FLAC marker that a fixed cue sheet names as its audio, anything else the chunk
// list of a Nero image whose footer points at it), written beside a small BIN of 20 sectors
// and a wave file, and opened as the CD player opens images. It must end in a
// table or in an ECdError, without a crash, a hang or a read outside a buffer; a table
// must hold 1 to 99 tracks in order inside the disc (a cue sheet may hold none: a drive
// without a disc), and every audio track, and the audio before track 1, must read.
#include "disc/DiscReaders.h"
#include "platform/cd/CdDisc.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
const std::string& folder()
{
    static const std::string path = [] {
        std::string base = (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        base += "/mervane-fuzz-cd-XXXXXX";
        std::vector<char> name(base.begin(), base.end());
        name.push_back('\0');
        if (!::mkdtemp(name.data()))
            std::abort();
        return std::string(name.data());
    }();
    return path;
}

void write(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size)
        std::abort();
    std::fclose(f);
}

void putBe(std::vector<std::uint8_t>& out, std::uint64_t v, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(std::uint8_t(v >> (8 * i)));
}

// The files a sheet may name: disc.bin (20 sectors of a ramp) and track.wav (5 sectors).
void writeCompanions()
{
    static bool written = false;
    if (written)
        return;
    written = true;
    std::vector<std::uint8_t> bin(20 * 2352);
    for (std::size_t i = 0; i < bin.size(); ++i)
        bin[i] = std::uint8_t(i * 13);
    write(folder() + "/disc.bin", bin.data(), bin.size());
    std::vector<std::uint8_t> wav = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                                     1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0, 'd', 'a', 't', 'a'};
    const std::uint32_t data = 5 * 2352;
    for (int i = 0; i < 4; ++i)
        wav.push_back(std::uint8_t(data >> (8 * i)));
    wav.insert(wav.end(), data, 0x11);
    write(folder() + "/track.wav", wav.data(), wav.size());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const bool readers = (InstallDiscReaders(), true);
    (void)readers;
    writeCompanions();
    const char kind = char(data[0]);
    std::string path = folder() + (kind == 'c' || kind == 'f' ? "/image.cue" : kind == 't' ? "/image.toc" : "/image.nrg");
    if (kind == 'f') {
        std::vector<std::uint8_t> flac = {'f', 'L', 'a', 'C'};
        flac.insert(flac.end(), data + 1, data + size);
        write(folder() + "/image.flac", flac.data(), flac.size());
        const std::string sheet = "FILE \"image.flac\" WAVE\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n";
        write(path, reinterpret_cast<const std::uint8_t*>(sheet.data()), sheet.size());
    } else if (kind == 'c' || kind == 't' || kind == 'n') {
        write(path, data + 1, size - 1);
    } else {
        std::vector<std::uint8_t> image(4 * 2352, 0x22);
        const std::uint64_t chunks = image.size();
        image.insert(image.end(), data + 1, data + size);
        image.insert(image.end(), {'N', 'E', 'R', '5'});
        putBe(image, chunks, 8);
        write(path, image.data(), image.size());
    }
    try {
        const std::unique_ptr<CdDisc> disc = CdDisc::Open(path);
        // Only a cue sheet without a TRACK (a drive without a disc) opens with no tracks.
        if ((disc->TrackCount() < 1 && kind != 'c') || disc->TrackCount() > 99)
            __builtin_trap();
        std::int32_t next = 0;
        std::vector<std::int16_t> sector(2 * kCdSamplesPerSector);
        for (const CdTrack& t : disc->Tracks()) {
            if (t.firstSector < next || t.sectorCount < 1 || t.firstSector + t.sectorCount > disc->LeadOutSector())
                __builtin_trap();
            next = t.firstSector + t.sectorCount;
            if (t.audio)
                for (std::int32_t s = 0; s < t.sectorCount && s < 64; ++s)
                    disc->ReadAudio(t.firstSector + s, 1, sector.data());
        }
        // The audio before track 1 reads too.
        if (!disc->Tracks().empty())
            for (std::int32_t s = 1; s <= disc->HiddenSectors() && s <= 64; ++s)
                disc->ReadAudio(disc->Tracks().front().firstSector - s, 1, sector.data());
        disc->HiddenTrackSectors();
    } catch (const ECdError&) {
    }
    return 0;
}
