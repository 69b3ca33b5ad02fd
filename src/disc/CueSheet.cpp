#include "disc/ImageParsing.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace imagesheet;

namespace {
struct CueFile {
    std::string path;
    std::uint64_t dataOffset = 0;
    std::uint64_t dataBytes = 0;
    bool bigEndian = false;
    bool decoded = false;
};

struct CueTrack {
    int number = 0;
    bool audio = true;
    int sectorBytes = kCdSectorBytes;
    int file = -1;
    std::int64_t index0 = -1, index1 = -1, pregap = 0, postgap = 0;
    std::int64_t pregapBefore = 0;  // sectors of the pregap at the end of the previous FILE
    std::int64_t Start() const { return index0 >= 0 ? index0 : index1; }
};

int cueSectorBytes(const std::string& mode)
{
    const std::string m = upper(mode);
    if (m == "AUDIO" || m == "MODE1/2352" || m == "MODE2/2352" || m == "CDI/2352")
        return kCdSectorBytes;
    if (m == "MODE1/2048" || m == "MODE2/2048")
        return 2048;
    if (m == "MODE2/2336" || m == "CDI/2336")
        return 2336;
    if (m == "MODE2/2324")
        return 2324;
    if (m == "CDG")
        return 2448;
    refuse(QCoreApplication::translate("CueSheet", "The track mode \"%1\" is unknown").arg(q(mode)));
}
// The words from `from` on as one text: a title written without quotes keeps its spaces.
std::string textFrom(const std::vector<std::string>& w, std::size_t from)
{
    std::string text;
    for (std::size_t i = from; i < w.size(); ++i)
        text += (i > from ? " " : "") + w[i];
    return text;
}
}  // namespace

CdImageLayout imagesheet::ReadCueSheet(const std::string& path)
{
    const std::string sheetName = fs::path(path).filename().string();
    std::vector<CueFile> files;
    std::vector<CueTrack> tracks;
    CdText text;
    std::vector<std::string> notes;
    int lineNumber = 0;
    for (const std::string& line : lines(readSheet(path))) {
        ++lineNumber;
        const std::vector<std::string> w = words(line);
        if (w.empty())
            continue;
        const std::string key = upper(w[0]);
        const QString at = q(std::int64_t(lineNumber));
        if (key == "FILE") {
            if (w.size() < 2)
                refuse(QCoreApplication::translate("CueSheet", "A FILE line names no file (line %1)").arg(at));
            CueFile f;
            f.path = findSheetFile(path, w[1], notes);
            const std::string type = w.size() > 2 ? upper(w[2]) : "BINARY";
            const std::uintmax_t size = sizeOf(f.path, sheetName);
            if (type == "WAVE" || type == "FLAC" || type == "OGG" || type == "OPUS") {
                // Rippers write WAVE for any audio file; what it holds decides how it is read.
                const AudioData audio = audioData(f.path);
                f.dataOffset = audio.offset;
                f.dataBytes = audio.bytes;
                f.decoded = audio.decoded;
            } else if (type == "BINARY" || type == "MOTOROLA") {
                f.dataBytes = size;
                f.bigEndian = type == "MOTOROLA";
            } else {
                refuse(QCoreApplication::translate("CueSheet", "The file type %1 of \"%2\" cannot be read (line %3)").arg(q(w[2]), q(w[1]), at));
            }
            files.push_back(f);
        } else if (key == "TRACK") {
            std::int64_t n = 0;
            if (w.size() < 3 || !wholeNumber(w[1], n, 999))
                refuse(QCoreApplication::translate("CueSheet", "A TRACK line has no number or mode (line %1)").arg(at));
            if (files.empty())
                refuse(QCoreApplication::translate("CueSheet", "Track %1 comes before any FILE line").arg(q(w[1])));
            // Numbers past 99 are counted on, so the refusal below says how many there are.
            if (n < 1 || (tracks.empty() && n > 99) || (!tracks.empty() && n != tracks.back().number + 1))
                refuse(QCoreApplication::translate("CueSheet", "Track %1 does not follow track %2; tracks are numbered 1 to 99 in order (line %3)")
                           .arg(q(n), q(std::int64_t(tracks.empty() ? 0 : tracks.back().number)), at));
            CueTrack t;
            t.number = int(n);
            t.audio = upper(w[2]) == "AUDIO";
            t.sectorBytes = cueSectorBytes(w[2]);
            t.file = int(files.size()) - 1;
            tracks.push_back(t);
        } else if (key == "INDEX" || key == "PREGAP" || key == "POSTGAP") {
            if (tracks.empty())
                refuse(QCoreApplication::translate("CueSheet", "%1 comes before any TRACK line (line %2)").arg(q(key), at));
            CueTrack& t = tracks.back();
            std::int64_t n = 0, sectors = 0;
            const std::string& time = key == "INDEX" ? (w.size() > 2 ? w[2] : "") : (w.size() > 1 ? w[1] : "");
            if ((key == "INDEX" && (w.size() < 3 || !wholeNumber(w[1], n, 99))) || !msf(time, sectors))
                refuse(QCoreApplication::translate("CueSheet", "The %1 line of track %2 gives no time mm:ss:ff (line %3)")
                           .arg(q(key), q(std::int64_t(t.number)), at));
            if (t.file != int(files.size()) - 1) {
                // A track whose pregap (INDEX 00) closes the previous file and whose INDEX 01
                // opens the next one: the pregap is already the end of that file's last span.
                if (key != "INDEX" || n != 1 || t.index1 >= 0)
                    refuse(QCoreApplication::translate("CueSheet", "Track %1 continues into another FILE (line %2)").arg(q(std::int64_t(t.number)), at));
                if (t.index0 >= 0)
                    t.pregapBefore = std::max<std::int64_t>(
                        0, std::int64_t(files[std::size_t(t.file)].dataBytes / std::uint64_t(t.sectorBytes)) - t.index0);
                t.file = int(files.size()) - 1;
                t.index0 = -1;
            }
            if (key == "PREGAP")
                t.pregap = sectors;
            else if (key == "POSTGAP")
                t.postgap = sectors;
            else if (n == 0)
                t.index0 = sectors;
            else if (n == 1) {
                if (t.index0 >= 0 && sectors < t.index0)
                    refuse(QCoreApplication::translate("CueSheet", "INDEX 01 of track %1 lies before its INDEX 00 (line %2)").arg(q(std::int64_t(t.number)), at));
                t.index1 = sectors;
            } else if (t.index1 < 0 || sectors < t.index1) {
                refuse(QCoreApplication::translate("CueSheet", "INDEX %1 of track %2 comes before its INDEX 01 (line %3)")
                           .arg(q(w[1]), q(std::int64_t(t.number)), at));
            }
        }
        else if ((key == "TITLE" || key == "PERFORMER" || key == "SONGWRITER" || key == "ISRC") && w.size() > 1) {
            // Before the first TRACK line the disc's, after it the track's.
            CdTextEntry& entry = tracks.empty() ? text.disc : text.tracks[tracks.back().number];
            (key == "TITLE" ? entry.title : key == "PERFORMER" ? entry.performer : key == "SONGWRITER" ? entry.songwriter
                                                                                                    : entry.isrc) = textFrom(w, 1);
        } else if (key == "CATALOG" && w.size() > 1) {
            text.catalog = w[1];
        } else if (key == "REM" && w.size() > 2 && tracks.empty()) {
            const std::string field = upper(w[1]);
            if (field == "DATE")
                text.date = textFrom(w, 2);
            else if (field == "GENRE")
                text.genre = textFrom(w, 2);
        }
        // Other lines (FLAGS, other REM comments, ...) do not change the audio.
    }
    CdImageLayout layout;
    layout.image = path;
    layout.cdText = std::move(text);
    layout.notes = std::move(notes);
    // A sheet that names its file but no track yet stands for a drive without a disc.
    if (tracks.empty() && !files.empty())
        return layout;
    checkTrackCount(tracks.size());
    std::int64_t discFrames = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const CueTrack& t = tracks[i];
        const CueFile& f = files[std::size_t(t.file)];
        const std::string name = fs::path(f.path).filename().string();
        if (t.index1 < 0)
            refuse(QCoreApplication::translate("CueSheet", "Track %1 has no INDEX 01").arg(q(std::int64_t(t.number))));
        const std::int64_t fileSectors = std::int64_t(f.dataBytes / std::uint64_t(t.sectorBytes));
        if (t.index1 >= fileSectors)
            refuse(QCoreApplication::translate("CueSheet", "Track %1 starts at %2, past the end of \"%3\" (%4 long)")
                       .arg(q(std::int64_t(t.number)), q(msfText(t.index1)), q(name), q(msfText(fileSectors))));
        const bool firstInFile = i == 0 || tracks[i - 1].file != t.file;
        if (!firstInFile) {
            const CueTrack& before = tracks[i - 1];
            if (before.sectorBytes != t.sectorBytes)
                refuse(QCoreApplication::translate("CueSheet", "Tracks %1 and %2 share \"%3\" with different sector sizes")
                           .arg(q(std::int64_t(before.number)), q(std::int64_t(t.number)), q(name)));
            if (t.Start() <= before.index1)
                refuse(QCoreApplication::translate("CueSheet", "Track %1 starts at %2, not after track %3 (%4)")
                           .arg(q(std::int64_t(t.number)), q(msfText(t.Start())), q(std::int64_t(before.number)),
                                q(msfText(before.index1))));
        }
        const bool lastInFile = i + 1 == tracks.size() || tracks[i + 1].file != t.file;
        // The part of the file that belongs to this track: from its first index (or the
        // file's start) to the next track's first index (or the file's end). Before the
        // disc's first INDEX 01 lies the lead-in, which is not on the disc's sectors; what an
        // audio track 1 has there (its INDEX 00) is kept as the audio before LSN 0.
        const bool hidden = i == 0 && t.audio && t.index0 >= 0 && t.index0 < t.index1;
        if (hidden)
            layout.hiddenSectors = std::int32_t(t.index1 - t.index0);
        const std::int64_t from = i == 0 ? (hidden ? t.index0 : t.index1) : firstInFile ? 0 : t.Start();
        const std::int64_t to = lastInFile ? fileSectors : tracks[i + 1].Start();
        if (i > 0 && t.pregap > 0)
            layout.extents.push_back({"", 0, t.pregap * kFramesPerSector, kCdSectorBytes, false, false});
        const std::int64_t spanStart = discFrames + (i > 0 ? t.pregap * kFramesPerSector : 0);
        layout.extents.push_back({f.path, f.dataOffset + std::uint64_t(from) * std::uint64_t(t.sectorBytes),
                                  (to - from) * kFramesPerSector, t.sectorBytes, f.bigEndian, f.decoded});
        SheetTrack out;
        out.number = t.number;
        out.audio = t.audio;
        out.firstSector = std::int32_t(std::min<std::int64_t>(spanStart / kFramesPerSector + (t.index1 - from), kMaxDiscSectors + 1));
        out.pregapSectors =
            std::int32_t(std::min<std::int64_t>(t.pregap + t.pregapBefore + (t.index0 >= 0 ? t.index1 - t.index0 : 0), kMaxDiscSectors));
        layout.tracks.push_back(out);
        if (t.postgap > 0)
            layout.extents.push_back({"", 0, t.postgap * kFramesPerSector, kCdSectorBytes, false, false});
        discFrames = 0;
        for (const CdImageExtent& e : layout.extents)
            discFrames += e.frames;
        if (discFrames / kFramesPerSector > kMaxDiscSectors)
            refuse(QCoreApplication::translate("CueSheet", "The disc would be longer than any CD"));
    }
    finishLayout(layout);
    return layout;
}
