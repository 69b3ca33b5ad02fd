#include "disc/ImageParsing.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace imagesheet;

namespace {
// A length or position: "mm:ss:ff" or a number of sample frames.
bool tocTime(const std::string& s, std::int64_t& frames)
{
    std::int64_t sectors = 0;
    if (msf(s, sectors)) {
        frames = sectors * kFramesPerSector;
        return true;
    }
    return wholeNumber(s, frames, kMaxDiscSectors * kFramesPerSector);
}

int tocSectorBytes(const std::string& mode, bool& audio)
{
    const std::string m = upper(mode);
    audio = m == "AUDIO";
    if (m == "AUDIO" || m == "MODE1_RAW" || m == "MODE2_RAW")
        return kCdSectorBytes;
    if (m == "MODE1" || m == "MODE2_FORM1")
        return 2048;
    if (m == "MODE2" || m == "MODE2_FORM_MIX")
        return 2336;
    if (m == "MODE2_FORM2")
        return 2324;
    refuse(QCoreApplication::translate("TocFile", "The track mode \"%1\" is unknown").arg(q(mode)));
}
}  // namespace

CdImageLayout imagesheet::ReadTocFile(const std::string& path)
{
    const std::string sheetName = fs::path(path).filename().string();
    CdImageLayout layout;
    layout.image = path;
    std::int64_t discFrames = 0;       // frames of the tracks before the current one
    std::int64_t trackFrames = -1;     // frames of the current track so far; -1 before the first
    std::int64_t startFrames = 0;      // the current track's pregap (START / PREGAP)
    bool audio = true;
    int sectorBytes = kCdSectorBytes;
    int depth = 0;                     // inside CD_TEXT { ... }
    int lineNumber = 0;
    const auto endTrack = [&] {
        if (trackFrames < 0)
            return;
        const SheetTrack& t = layout.tracks.back();
        if (trackFrames % kFramesPerSector != 0)
            refuse(QCoreApplication::translate("TocFile", "Track %1 is not a whole number of sectors long").arg(q(std::int64_t(t.number))));
        if (trackFrames <= startFrames)
            refuse(QCoreApplication::translate("TocFile", "Track %1 holds no audio after its pregap").arg(q(std::int64_t(t.number))));
        discFrames += trackFrames;
        if (discFrames / kFramesPerSector > kMaxDiscSectors)
            refuse(QCoreApplication::translate("TocFile", "The disc would be longer than any CD"));
    };
    for (std::string line : lines(readSheet(path))) {
        ++lineNumber;
        // Comments run from // to the line's end (outside quotes).
        bool quoted = false;
        for (std::size_t i = 0; i + 1 < line.size(); ++i) {
            if (line[i] == '"')
                quoted = !quoted;
            if (!quoted && line[i] == '/' && line[i + 1] == '/') {
                line.resize(i);
                break;
            }
        }
        const std::vector<std::string> w = words(line);
        for (const std::string& word : w) {
            depth += int(std::count(word.begin(), word.end(), '{'));
            depth -= int(std::count(word.begin(), word.end(), '}'));
        }
        if (depth < 0)
            refuse(QCoreApplication::translate("TocFile", "A '}' closes nothing (line %1)").arg(q(std::int64_t(lineNumber))));
        if (w.empty() || depth > 0 || w[0].find('}') != std::string::npos)
            continue;
        const std::string key = upper(w[0]);
        const QString at = q(std::int64_t(lineNumber));
        const auto needTrack = [&] {
            if (trackFrames < 0)
                refuse(QCoreApplication::translate("TocFile", "%1 comes before any TRACK (line %2)").arg(q(key), at));
        };
        if (key == "TRACK") {
            if (w.size() < 2)
                refuse(QCoreApplication::translate("TocFile", "A TRACK line has no mode (line %1)").arg(at));
            endTrack();
            sectorBytes = tocSectorBytes(w[1], audio);
            SheetTrack t;
            t.number = int(layout.tracks.size()) + 1;
            t.audio = audio;
            layout.tracks.push_back(t);
            trackFrames = 0;
            startFrames = 0;
        } else if (key == "FILE" || key == "AUDIOFILE" || key == "DATAFILE") {
            needTrack();
            if (w.size() < 2)
                refuse(QCoreApplication::translate("TocFile", "%1 names no file (line %2)").arg(q(key), at));
            const std::string file = resolve(path, w[1]);
            const std::uintmax_t size = sizeOf(file, sheetName);
            std::size_t k = 2;
            bool swap = false;
            std::int64_t byteOffset = 0;
            if (k < w.size() && upper(w[k]) == "SWAP") {
                swap = true;
                ++k;
            }
            if (k < w.size() && !w[k].empty() && w[k][0] == '#') {
                if (!wholeNumber(w[k].substr(1), byteOffset, std::int64_t(1) << 40))
                    refuse(QCoreApplication::translate("TocFile", "The offset %1 is no number (line %2)").arg(q(w[k]), at));
                ++k;
            }
            const bool wave = lower(fs::path(file).extension().string()) == ".wav";
            std::uint64_t dataOffset = 0, dataBytes = size;
            if (wave)
                waveData(file, dataOffset, dataBytes);
            dataOffset += std::uint64_t(byteOffset);
            dataBytes = dataBytes > std::uint64_t(byteOffset) ? dataBytes - std::uint64_t(byteOffset) : 0;
            std::int64_t start = 0, length = -1;
            if (key != "DATAFILE") {
                if (k >= w.size() || !tocTime(w[k], start))
                    refuse(QCoreApplication::translate("TocFile", "%1 \"%2\" gives no start (line %3)").arg(q(key), q(w[1]), at));
                ++k;
            }
            if (k < w.size() && !tocTime(w[k], length))
                refuse(QCoreApplication::translate("TocFile", "%1 \"%2\" gives no length %3 (line %4)").arg(q(key), q(w[1]), q(w[k]), at));
            // Data sectors take sectorBytes each; audio takes 4 bytes a frame.
            const std::int64_t available = audio ? std::int64_t(dataBytes / 4) - start
                                                 : std::int64_t(dataBytes / std::uint64_t(sectorBytes)) * kFramesPerSector;
            if (length < 0)
                length = available;
            if (length <= 0 || length > available)
                refuse(QCoreApplication::translate("TocFile", "\"%1\" holds too little for track %2 (line %3)").arg(q(w[1]), q(std::int64_t(layout.tracks.back().number)), at));
            layout.extents.push_back({file, dataOffset + std::uint64_t(start) * 4, length,
                                      audio ? kCdSectorBytes : sectorBytes, audio && !wave && !swap, false});
            trackFrames += length;
        } else if (key == "SILENCE" || key == "ZERO" || key == "PREGAP") {
            needTrack();
            std::int64_t length = 0;
            if (w.size() < 2 || !tocTime(w.back(), length) || length <= 0)
                refuse(QCoreApplication::translate("TocFile", "%1 gives no length (line %2)").arg(q(key), at));
            if (key == "PREGAP") {
                if (trackFrames != 0)
                    refuse(QCoreApplication::translate("TocFile", "PREGAP comes after the track's audio (line %1)").arg(at));
                startFrames = length;
            }
            layout.extents.push_back({"", 0, length, kCdSectorBytes, false, false});
            trackFrames += length;
        } else if (key == "START") {
            needTrack();
            startFrames = trackFrames;
            if (w.size() > 1 && !tocTime(w[1], startFrames))
                refuse(QCoreApplication::translate("TocFile", "START gives no time (line %1)").arg(at));
            if (startFrames % kFramesPerSector != 0)
                refuse(QCoreApplication::translate("TocFile", "START of track %1 is no whole sector (line %2)").arg(q(std::int64_t(layout.tracks.back().number)), at));
        }
        // CD_DA, CATALOG, ISRC, COPY, PRE_EMPHASIS, INDEX ... do not change the audio.
        if (trackFrames >= 0 && !layout.tracks.empty()) {
            SheetTrack& t = layout.tracks.back();
            t.firstSector = std::int32_t(std::min<std::int64_t>((discFrames + startFrames) / kFramesPerSector, kMaxDiscSectors + 1));
            t.pregapSectors = std::int32_t(std::min<std::int64_t>(startFrames / kFramesPerSector, kMaxDiscSectors));
        }
    }
    if (depth != 0)
        refuse(QCoreApplication::translate("TocFile", "A '{' is never closed"));
    checkTrackCount(layout.tracks.size());
    endTrack();
    if (layout.tracks.front().firstSector != 0 && layout.tracks.front().audio) {
        // The first track's pregap lies before the disc's first sector, as on a pressed CD:
        // its audio (the FILE before START, or PREGAP's silence) is read before LSN 0.
        layout.hiddenSectors = layout.tracks.front().firstSector;
    } else if (layout.tracks.front().firstSector != 0) {
        // A data track's pregap is of no use: the disc starts at its first sector.
        const std::int64_t skip = std::int64_t(layout.tracks.front().firstSector) * kFramesPerSector;
        std::int64_t left = skip;
        while (left > 0 && !layout.extents.empty()) {
            CdImageExtent& e = layout.extents.front();
            const std::int64_t take = std::min(left, e.frames);
            if (!e.file.empty())
                e.byteOffset += std::uint64_t(take / kFramesPerSector) * std::uint64_t(e.sectorStride) +
                                std::uint64_t(take % kFramesPerSector) * 4;
            e.frames -= take;
            left -= take;
            if (e.frames == 0)
                layout.extents.erase(layout.extents.begin());
        }
        for (SheetTrack& t : layout.tracks)
            t.firstSector -= std::int32_t(skip / kFramesPerSector);
    }
    finishLayout(layout);
    return layout;
}
