#include "disc/ImageParsing.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace imagesheet;

namespace {
constexpr std::uint64_t kMaxNrgChunkBytes = 1 << 20;    // 99 DAOX tracks take 4 kB

struct NrgTrack {
    bool audio = true;
    int sectorBytes = kCdSectorBytes;
    std::uint64_t index0 = 0, index1 = 0, end = 0;
};

void addNrgTracks(CdImageLayout& layout, const std::vector<NrgTrack>& tracks, int firstNumber, std::uint64_t chunksAt)
{
    checkTrackCount(tracks.size());
    std::uint64_t previousEnd = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const NrgTrack& t = tracks[i];
        const QString number = q(std::int64_t(firstNumber + int(i)));
        const std::uint64_t size = std::uint64_t(t.sectorBytes);
        if (!(t.index0 <= t.index1 && t.index1 < t.end && t.end <= chunksAt))
            refuse(QCoreApplication::translate("NeroImage", "Track %1 lies outside the image's audio (offsets %2, %3, %4)")
                       .arg(number, q(std::int64_t(t.index0)), q(std::int64_t(t.index1)), q(std::int64_t(t.end))));
        if ((t.index1 - t.index0) % size != 0 || (t.end - t.index1) % size != 0)
            refuse(QCoreApplication::translate("NeroImage", "Track %1 is no whole number of %2-byte sectors").arg(number, q(std::int64_t(size))));
        if (t.index0 < previousEnd)
            refuse(QCoreApplication::translate("NeroImage", "Track %1 overlaps the track before it").arg(number));
        previousEnd = t.end;
        // The first track's index 0 is read before LSN 0 when it holds audio (the hidden
        // track before track 1); a data track starts the disc at its index 1.
        const bool hidden = i == 0 && t.audio && t.index0 < t.index1;
        if (hidden)
            layout.hiddenSectors = std::int32_t((t.index1 - t.index0) / size);
        const std::uint64_t from = i == 0 && !hidden ? t.index1 : t.index0;
        std::int64_t discFrames = 0;
        for (const CdImageExtent& e : layout.extents)
            discFrames += e.frames;
        const std::int64_t sectors = std::int64_t((t.end - from) / size);
        if (sectors + discFrames / kFramesPerSector > kMaxDiscSectors)
            refuse(QCoreApplication::translate("NeroImage", "The disc would be longer than any CD"));
        layout.extents.push_back({layout.image, from, sectors * kFramesPerSector, t.sectorBytes, false, false});
        SheetTrack out;
        out.number = firstNumber + int(i);
        out.audio = t.audio;
        out.firstSector = std::int32_t(discFrames / kFramesPerSector + std::int64_t((t.index1 - from) / size));
        out.pregapSectors = std::int32_t((t.index1 - t.index0) / size);
        layout.tracks.push_back(out);
    }
}

// A chunk as the user reads it: what it holds, and its id when that is printable (a damaged
// image's ids may be any bytes).
QString chunkName(const std::string& id)
{
    const bool tracks = id == "DAOX" || id == "DAOI" || id == "ETN2" || id == "ETNF";
    const bool cues = id == "CUEX" || id == "CUES";
    const bool printable = std::all_of(id.begin(), id.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
    if (printable)
        return (tracks ? QCoreApplication::translate("NeroImage", "track list (chunk %1)")
                : cues ? QCoreApplication::translate("NeroImage", "cue point list (chunk %1)")
                       : QCoreApplication::translate("NeroImage", "chunk (chunk %1)"))
            .arg(q(id));
    char hex[16];
    std::snprintf(hex, sizeof hex, "%02X %02X %02X %02X", std::uint8_t(id[0]), std::uint8_t(id[1]), std::uint8_t(id[2]),
                  std::uint8_t(id[3]));
    return (tracks ? QCoreApplication::translate("NeroImage", "track list of unreadable id (bytes %1)")
            : cues ? QCoreApplication::translate("NeroImage", "cue point list of unreadable id (bytes %1)")
                   : QCoreApplication::translate("NeroImage", "chunk of unreadable id (bytes %1)"))
        .arg(QString::fromLatin1(hex));
}

int nrgModeBytes(std::uint32_t mode, bool& audio)
{
    audio = mode == 7;
    switch (mode) {
    case 7: return kCdSectorBytes;
    case 0:
    case 2: return 2048;
    case 3:
    case 6:
    case 0x20: return 2336;
    default: refuse(QCoreApplication::translate("NeroImage", "A track has the unknown mode %1").arg(q(std::int64_t(mode))));
    }
}
}  // namespace

CdImageLayout imagesheet::ReadNeroImage(const std::string& path)
{
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec)
        refuse(QCoreApplication::translate("NeroImage", "It cannot be read: %1").arg(q(ec.message())));
    std::ifstream in(path, std::ios::binary);
    std::uint8_t tail[12] = {};
    if (size < 12 || !in.seekg(std::streamoff(size - 12)) || !in.read(reinterpret_cast<char*>(tail), 12))
        refuse(QCoreApplication::translate("NeroImage", "It is too short for a Nero image"));
    std::uint64_t chunksAt = 0, footerAt = 0;
    if (std::memcmp(tail, "NER5", 4) == 0) {
        chunksAt = beNumber(tail + 4, 8);
        footerAt = size - 12;
    } else if (std::memcmp(tail + 4, "NERO", 4) == 0) {
        chunksAt = beNumber(tail + 8, 4);
        footerAt = size - 8;
    } else {
        refuse(QCoreApplication::translate("NeroImage", "It has no Nero footer (NER5 or NERO) at its end"));
    }
    if (chunksAt == 0 || chunksAt >= footerAt)
        refuse(QCoreApplication::translate("NeroImage", "Its footer gives the chunk list's place as %1, outside the image's %2 bytes before the footer")
                   .arg(q(std::int64_t(chunksAt)), q(std::int64_t(footerAt))));
    if (footerAt - chunksAt > kMaxNrgChunkBytes)
        refuse(QCoreApplication::translate("NeroImage", "Its chunk list would take %1 bytes, far more than a CD's needs").arg(q(std::int64_t(footerAt - chunksAt))));
    std::vector<std::uint8_t> chunks(footerAt - chunksAt);
    if (!in.seekg(std::streamoff(chunksAt)) || !in.read(reinterpret_cast<char*>(chunks.data()), std::streamsize(chunks.size())))
        refuse(QCoreApplication::translate("NeroImage", "Its chunk list cannot be read"));

    CdImageLayout layout;
    layout.image = path;
    bool ended = false;
    std::size_t at = 0;
    while (!ended) {
        if (chunks.size() - at < 8)
            refuse(QCoreApplication::translate("NeroImage", "Its chunk list ends without an END! chunk"));
        const std::string id(reinterpret_cast<const char*>(&chunks[at]), 4);
        const std::uint64_t len = beNumber(&chunks[at + 4], 4);
        if (len > chunks.size() - at - 8)
            refuse(QCoreApplication::translate("NeroImage", "Its %1 claims %2 bytes, past the end of the chunk list").arg(chunkName(id), q(std::int64_t(len))));
        const std::uint8_t* data = &chunks[at + 8];
        std::vector<NrgTrack> tracks;
        int firstNumber = 1;
        if (id == "DAOX" || id == "DAOI") {
            const std::size_t entry = id == "DAOX" ? 42 : 30;
            const int offsetBytes = id == "DAOX" ? 8 : 4;
            if (len < 22 || (len - 22) % entry != 0)
                refuse(QCoreApplication::translate("NeroImage", "Its %1 of %2 bytes holds no whole track entries").arg(chunkName(id), q(std::int64_t(len))));
            const std::size_t count = (len - 22) / entry;
            checkTrackCount(count);
            firstNumber = data[20];
            if (firstNumber < 1 || data[21] < firstNumber || std::size_t(data[21] - firstNumber + 1) != count || data[21] > 99)
                refuse(QCoreApplication::translate("NeroImage", "Its %1 numbers its %2 tracks from %3 to %4")
                           .arg(chunkName(id), q(std::int64_t(count)), q(std::int64_t(data[20])), q(std::int64_t(data[21]))));
            for (std::size_t i = 0; i < count; ++i) {
                const std::uint8_t* e = data + 22 + i * entry;
                NrgTrack t;
                t.sectorBytes = int(beNumber(e + 12, 2));
                t.audio = e[14] == 7;
                if (t.sectorBytes != 2048 && t.sectorBytes != 2336 && t.sectorBytes != kCdSectorBytes && t.sectorBytes != 2448)
                    refuse(QCoreApplication::translate("NeroImage", "Track %1 has sectors of %2 bytes")
                               .arg(q(std::int64_t(firstNumber + int(i))), q(std::int64_t(t.sectorBytes))));
                t.audio = t.audio && t.sectorBytes >= kCdSectorBytes;
                t.index0 = beNumber(e + 18, offsetBytes);
                t.index1 = beNumber(e + 18 + offsetBytes, offsetBytes);
                t.end = beNumber(e + 18 + 2 * offsetBytes, offsetBytes);
                tracks.push_back(t);
            }
        } else if (id == "ETN2" || id == "ETNF") {
            const bool wide = id == "ETN2";
            const std::size_t entry = wide ? 32 : 20;
            if (len % entry != 0)
                refuse(QCoreApplication::translate("NeroImage", "Its %1 of %2 bytes holds no whole track entries").arg(chunkName(id), q(std::int64_t(len))));
            checkTrackCount(len / entry);
            for (std::size_t i = 0; i < len / entry; ++i) {
                const std::uint8_t* e = data + i * entry;
                NrgTrack t;
                const std::uint64_t start = beNumber(e, wide ? 8 : 4);
                const std::uint64_t length = beNumber(e + (wide ? 8 : 4), wide ? 8 : 4);
                t.sectorBytes = nrgModeBytes(std::uint32_t(beNumber(e + (wide ? 16 : 8), 4)), t.audio);
                if (length > chunksAt)
                    refuse(QCoreApplication::translate("NeroImage", "Track %1 is longer than the image").arg(q(std::int64_t(i + 1))));
                t.index0 = t.index1 = start;
                t.end = start + length;
                tracks.push_back(t);
            }
        } else if (id == "CUEX" || id == "CUES") {
            // The cue points repeat the track list (libcdio builds its table from them).
            if (len % 8 != 0)
                refuse(QCoreApplication::translate("NeroImage", "Its %1 of %2 bytes holds no whole cue points").arg(chunkName(id), q(std::int64_t(len))));
            std::set<int> numbers;
            for (std::size_t i = 0; i < len / 8; ++i)
                if (data[i * 8 + 1] != 0 && data[i * 8 + 1] != 0xAA)
                    numbers.insert(data[i * 8 + 1]);
            if (numbers.size() > 99)
                refuse(QCoreApplication::translate("NeroImage", "Its %1 lists %2 tracks; a CD holds 1 to 99").arg(chunkName(id), q(std::int64_t(numbers.size()))));
        } else if (id == "END!") {
            ended = true;
        }
        // CUEX, CUES, SINF, MTYP, CDTX and others add nothing the tracks need.
        if (!tracks.empty()) {
            if (!layout.tracks.empty())
                refuse(QCoreApplication::translate("NeroImage", "It holds more than one session; only single-session images can be read"));
            addNrgTracks(layout, tracks, firstNumber, chunksAt);
        }
        at += 8 + std::size_t(len);
    }
    if (layout.tracks.empty())
        refuse(QCoreApplication::translate("NeroImage", "Its chunk list holds no track list (DAOX, DAOI, ETN2 or ETNF)"));
    finishLayout(layout);
    return layout;
}
