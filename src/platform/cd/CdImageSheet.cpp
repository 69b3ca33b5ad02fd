#include "platform/cd/CdImageSheet.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
constexpr int kFramesPerSector = kCdSamplesPerSector;
constexpr std::uintmax_t kMaxSheetBytes = 1 << 20;      // a cue or toc is a few kilobytes
constexpr std::uint64_t kMaxNrgChunkBytes = 1 << 20;    // 99 DAOX tracks take 4 kB
constexpr std::int64_t kMaxDiscSectors = 100 * 60 * 75 * 4;  // far beyond any CD, within int32

[[noreturn]] void refuse(const std::string& reason)
{
    throw ECdError(reason);
}

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return s;
}

std::string msfText(std::int64_t sectors)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(sectors / 4500),
                  static_cast<long long>(sectors / 75 % 60), static_cast<long long>(sectors % 75));
    return text;
}

std::string readSheet(const std::string& path)
{
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec)
        refuse("It cannot be read: " + ec.message());
    if (size > kMaxSheetBytes)
        refuse("The sheet is " + std::to_string(size) + " bytes long; a cue sheet or table of contents is far smaller");
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof())
        refuse("It cannot be read");
    return text;
}

// The words of a line; a quoted word keeps its spaces (\" inside stands for a quote).
std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        if (i >= line.size())
            break;
        std::string w;
        if (line[i] == '"') {
            ++i;
            while (i < line.size() && line[i] != '"') {
                if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '"')
                    ++i;
                w += line[i++];
            }
            ++i;
        } else {
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
                w += line[i++];
        }
        out.push_back(w);
    }
    return out;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.push_back(line);
    }
    return out;
}

bool wholeNumber(const std::string& s, std::int64_t& value, std::int64_t limit)
{
    if (s.empty() || s.size() > 12)
        return false;
    value = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value <= limit;
}

// "mm:ss:ff" as sectors; false when it is no such time.
bool msf(const std::string& s, std::int64_t& sectors)
{
    const std::size_t a = s.find(':'), b = s.find(':', a == std::string::npos ? a : a + 1);
    if (a == std::string::npos || b == std::string::npos)
        return false;
    std::int64_t m = 0, sec = 0, f = 0;
    if (!wholeNumber(s.substr(0, a), m, 9999) || !wholeNumber(s.substr(a + 1, b - a - 1), sec, 59) ||
        !wholeNumber(s.substr(b + 1), f, 74))
        return false;
    sectors = (m * 60 + sec) * 75 + f;
    return true;
}

std::uint64_t beNumber(const std::uint8_t* p, int bytes)
{
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | p[i];
    return v;
}

std::uint32_t le32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uintmax_t sizeOf(const std::string& file, const std::string& sheetName)
{
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        refuse("The file \"" + file + "\" named in " + sheetName + " does not exist");
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec)
        refuse("The file \"" + file + "\" cannot be read: " + ec.message());
    return size;
}

// Where the samples of a wave file start and how many bytes they take; only 16-bit
// stereo 44100 Hz PCM is CD audio.
void waveData(const std::string& file, std::uint64_t& offset, std::uint64_t& bytes)
{
    std::ifstream in(file, std::ios::binary);
    std::uint8_t head[12];
    if (!in.read(reinterpret_cast<char*>(head), 12) || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "WAVE", 4) != 0)
        refuse("\"" + file + "\" is no wave file");
    bool format = false;
    std::uint64_t at = 12;
    for (int chunks = 0; chunks < 64; ++chunks) {
        std::uint8_t h[8];
        if (!in.read(reinterpret_cast<char*>(h), 8))
            break;
        const std::uint32_t len = le32(h + 4);
        if (std::memcmp(h, "fmt ", 4) == 0) {
            std::uint8_t f[16];
            if (len < 16 || !in.read(reinterpret_cast<char*>(f), 16))
                break;
            format = f[0] == 1 && f[1] == 0 && f[2] == 2 && f[3] == 0 && le32(f + 4) == 44100 && f[14] == 16 && f[15] == 0;
            if (!format)
                refuse("\"" + file + "\" is not 16-bit stereo 44100 Hz PCM, as CD audio is");
            in.seekg(std::streamoff(at + 8 + len + (len & 1)));
        } else if (std::memcmp(h, "data", 4) == 0) {
            if (!format)
                break;
            offset = at + 8;
            std::error_code ec;
            const std::uintmax_t size = fs::file_size(file, ec);
            bytes = std::min<std::uint64_t>(len, size > offset ? size - offset : 0);
            return;
        } else {
            in.seekg(std::streamoff(at + 8 + len + (len & 1)));
        }
        at += 8 + std::uint64_t(len) + (len & 1);
    }
    refuse("\"" + file + "\" holds no CD audio samples a wave file can hold");
}

std::string resolve(const std::string& sheet, const std::string& name)
{
    if (name.empty())
        refuse("A FILE line names no file");
    const fs::path p(name);
    return p.is_absolute() ? name : (fs::path(sheet).parent_path() / p).string();
}

void checkTrackCount(std::size_t count)
{
    if (count == 0)
        refuse("The sheet lists no track");
    if (count > 99)
        refuse("The sheet lists " + std::to_string(count) + " tracks; a CD holds 1 to 99");
}

// Tracks get their lengths from the next track's start (pregaps counted into the earlier
// track) and the lead-out from the extents.
void finishLayout(CdImageLayout& layout)
{
    std::int64_t frames = 0;
    for (const CdImageExtent& e : layout.extents)
        frames += e.frames;
    if (frames % kFramesPerSector != 0)
        refuse("The disc is not a whole number of sectors long");
    if (frames / kFramesPerSector > kMaxDiscSectors)
        refuse("The disc would be " + msfText(frames / kFramesPerSector) + " long, more than any CD holds");
    layout.leadOut = std::int32_t(frames / kFramesPerSector) - layout.hiddenSectors;
    for (CdImageTrack& t : layout.tracks)
        t.firstSector -= layout.hiddenSectors;
    for (std::size_t i = 0; i < layout.tracks.size(); ++i) {
        CdImageTrack& t = layout.tracks[i];
        const std::int32_t next = i + 1 < layout.tracks.size() ? layout.tracks[i + 1].firstSector : layout.leadOut;
        if (t.firstSector < 0 || next <= t.firstSector)
            refuse("Track " + std::to_string(t.number) + " has no sectors");
        t.sectorCount = next - t.firstSector;
    }
    // Every run of samples lies inside its file.
    for (const CdImageExtent& e : layout.extents) {
        if (e.file.empty() || e.frames == 0)
            continue;
        const std::int64_t last = e.frames - 1;
        // Audio sectors need their samples; data sectors (shorter than 2352 bytes) all of theirs.
        const std::uint64_t end =
            e.byteOffset + std::uint64_t(last / kFramesPerSector) * std::uint64_t(e.sectorStride) +
            (e.sectorStride < kCdSectorBytes ? std::uint64_t(e.sectorStride) : std::uint64_t(last % kFramesPerSector + 1) * 4);
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(e.file, ec);
        if (ec || end > size)
            refuse("\"" + e.file + "\" is shorter than the sheet says: it holds " + std::to_string(ec ? 0 : size) +
                   " bytes, the tracks need " + std::to_string(end));
    }
}

// ---------------------------------------------------------------- cue sheets

struct CueFile {
    std::string path;
    std::uint64_t dataOffset = 0;
    std::uint64_t dataBytes = 0;
    bool bigEndian = false;
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
    refuse("The track mode \"" + mode + "\" is unknown");
}

CdImageLayout readCue(const std::string& path)
{
    const std::string sheetName = "\"" + fs::path(path).filename().string() + "\"";
    std::vector<CueFile> files;
    std::vector<CueTrack> tracks;
    CdText text;
    int lineNumber = 0;
    for (const std::string& line : lines(readSheet(path))) {
        ++lineNumber;
        const std::vector<std::string> w = words(line);
        if (w.empty())
            continue;
        const std::string key = upper(w[0]);
        const auto at = [&] { return " (line " + std::to_string(lineNumber) + ")"; };
        if (key == "FILE") {
            if (w.size() < 2)
                refuse("A FILE line names no file" + at());
            CueFile f;
            f.path = resolve(path, w[1]);
            const std::string type = w.size() > 2 ? upper(w[2]) : "BINARY";
            const std::uintmax_t size = sizeOf(f.path, sheetName);
            if (type == "WAVE") {
                waveData(f.path, f.dataOffset, f.dataBytes);
            } else if (type == "BINARY" || type == "MOTOROLA") {
                f.dataBytes = size;
                f.bigEndian = type == "MOTOROLA";
            } else {
                refuse("The file type " + w[2] + " of \"" + w[1] + "\" cannot be read" + at());
            }
            files.push_back(f);
        } else if (key == "TRACK") {
            std::int64_t n = 0;
            if (w.size() < 3 || !wholeNumber(w[1], n, 999))
                refuse("A TRACK line has no number or mode" + at());
            if (files.empty())
                refuse("Track " + w[1] + " comes before any FILE line");
            checkTrackCount(tracks.size() + 1);
            if (n < 1 || n > 99 || (!tracks.empty() && n != tracks.back().number + 1))
                refuse("Track " + std::to_string(n) + " does not follow track " +
                       (tracks.empty() ? std::string("0") : std::to_string(tracks.back().number)) +
                       "; tracks are numbered 1 to 99 in order" + at());
            CueTrack t;
            t.number = int(n);
            t.audio = upper(w[2]) == "AUDIO";
            t.sectorBytes = cueSectorBytes(w[2]);
            t.file = int(files.size()) - 1;
            tracks.push_back(t);
        } else if (key == "INDEX" || key == "PREGAP" || key == "POSTGAP") {
            if (tracks.empty())
                refuse(key + " comes before any TRACK line" + at());
            CueTrack& t = tracks.back();
            std::int64_t n = 0, sectors = 0;
            const std::string& time = key == "INDEX" ? (w.size() > 2 ? w[2] : "") : (w.size() > 1 ? w[1] : "");
            if ((key == "INDEX" && (w.size() < 3 || !wholeNumber(w[1], n, 99))) || !msf(time, sectors))
                refuse("The " + key + " line of track " + std::to_string(t.number) + " gives no time mm:ss:ff" + at());
            if (t.file != int(files.size()) - 1) {
                // A track whose pregap (INDEX 00) closes the previous file and whose INDEX 01
                // opens the next one: the pregap is already the end of that file's last span.
                if (key != "INDEX" || n != 1 || t.index1 >= 0)
                    refuse("Track " + std::to_string(t.number) + " continues into another FILE" + at());
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
                    refuse("INDEX 01 of track " + std::to_string(t.number) + " lies before its INDEX 00" + at());
                t.index1 = sectors;
            } else if (t.index1 < 0 || sectors < t.index1) {
                refuse("INDEX " + w[1] + " of track " + std::to_string(t.number) + " comes before its INDEX 01" + at());
            }
        }
        else if ((key == "TITLE" || key == "PERFORMER") && w.size() > 1) {
            // Before the first TRACK line the disc's, after it the track's.
            CdTextEntry& entry = tracks.empty() ? text.disc : text.tracks[tracks.back().number];
            (key == "TITLE" ? entry.title : entry.performer) = w[1];
        }
        // Other lines (REM, CATALOG, FLAGS, ISRC, ...) do not change the audio.
    }
    CdImageLayout layout;
    layout.image = path;
    layout.cdText = std::move(text);
    // A sheet that names its file but no track yet stands for a drive without a disc.
    if (tracks.empty() && !files.empty())
        return layout;
    checkTrackCount(tracks.size());
    std::int64_t discFrames = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const CueTrack& t = tracks[i];
        const CueFile& f = files[std::size_t(t.file)];
        const std::string name = "\"" + fs::path(f.path).filename().string() + "\"";
        if (t.index1 < 0)
            refuse("Track " + std::to_string(t.number) + " has no INDEX 01");
        const std::int64_t fileSectors = std::int64_t(f.dataBytes / std::uint64_t(t.sectorBytes));
        if (t.index1 >= fileSectors)
            refuse("Track " + std::to_string(t.number) + " starts at " + msfText(t.index1) + ", past the end of " + name +
                   " (" + msfText(fileSectors) + " long)");
        const bool firstInFile = i == 0 || tracks[i - 1].file != t.file;
        if (!firstInFile) {
            const CueTrack& before = tracks[i - 1];
            if (before.sectorBytes != t.sectorBytes)
                refuse("Tracks " + std::to_string(before.number) + " and " + std::to_string(t.number) + " share " + name +
                       " with different sector sizes");
            if (t.Start() <= before.index1)
                refuse("Track " + std::to_string(t.number) + " starts at " + msfText(t.Start()) + ", not after track " +
                       std::to_string(before.number) + " (" + msfText(before.index1) + ")");
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
            layout.extents.push_back({"", 0, t.pregap * kFramesPerSector, kCdSectorBytes, false});
        const std::int64_t spanStart = discFrames + (i > 0 ? t.pregap * kFramesPerSector : 0);
        layout.extents.push_back({f.path, f.dataOffset + std::uint64_t(from) * std::uint64_t(t.sectorBytes),
                                  (to - from) * kFramesPerSector, t.sectorBytes, f.bigEndian});
        CdImageTrack out;
        out.number = t.number;
        out.audio = t.audio;
        out.firstSector = std::int32_t(std::min<std::int64_t>(spanStart / kFramesPerSector + (t.index1 - from), kMaxDiscSectors + 1));
        out.pregapSectors =
            std::int32_t(std::min<std::int64_t>(t.pregap + t.pregapBefore + (t.index0 >= 0 ? t.index1 - t.index0 : 0), kMaxDiscSectors));
        layout.tracks.push_back(out);
        if (t.postgap > 0)
            layout.extents.push_back({"", 0, t.postgap * kFramesPerSector, kCdSectorBytes, false});
        discFrames = 0;
        for (const CdImageExtent& e : layout.extents)
            discFrames += e.frames;
        if (discFrames / kFramesPerSector > kMaxDiscSectors)
            refuse("The disc would be longer than any CD");
    }
    finishLayout(layout);
    return layout;
}

// ---------------------------------------------------------------- cdrdao tables of contents

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
    refuse("The track mode \"" + mode + "\" is unknown");
}

CdImageLayout readToc(const std::string& path)
{
    const std::string sheetName = "\"" + fs::path(path).filename().string() + "\"";
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
        const CdImageTrack& t = layout.tracks.back();
        if (trackFrames % kFramesPerSector != 0)
            refuse("Track " + std::to_string(t.number) + " is not a whole number of sectors long");
        if (trackFrames <= startFrames)
            refuse("Track " + std::to_string(t.number) + " holds no audio after its pregap");
        discFrames += trackFrames;
        if (discFrames / kFramesPerSector > kMaxDiscSectors)
            refuse("The disc would be longer than any CD");
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
            refuse("A '}' closes nothing (line " + std::to_string(lineNumber) + ")");
        if (w.empty() || depth > 0 || w[0].find('}') != std::string::npos)
            continue;
        const std::string key = upper(w[0]);
        const auto at = [&] { return " (line " + std::to_string(lineNumber) + ")"; };
        const auto needTrack = [&] {
            if (trackFrames < 0)
                refuse(key + " comes before any TRACK" + at());
        };
        if (key == "TRACK") {
            if (w.size() < 2)
                refuse("A TRACK line has no mode" + at());
            endTrack();
            checkTrackCount(layout.tracks.size() + 1);
            sectorBytes = tocSectorBytes(w[1], audio);
            CdImageTrack t;
            t.number = int(layout.tracks.size()) + 1;
            t.audio = audio;
            layout.tracks.push_back(t);
            trackFrames = 0;
            startFrames = 0;
        } else if (key == "FILE" || key == "AUDIOFILE" || key == "DATAFILE") {
            needTrack();
            if (w.size() < 2)
                refuse(key + " names no file" + at());
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
                    refuse("The offset " + w[k] + " is no number" + at());
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
                    refuse(key + " \"" + w[1] + "\" gives no start" + at());
                ++k;
            }
            if (k < w.size() && !tocTime(w[k], length))
                refuse(key + " \"" + w[1] + "\" gives no length " + w[k] + at());
            // Data sectors take sectorBytes each; audio takes 4 bytes a frame.
            const std::int64_t available = audio ? std::int64_t(dataBytes / 4) - start
                                                 : std::int64_t(dataBytes / std::uint64_t(sectorBytes)) * kFramesPerSector;
            if (length < 0)
                length = available;
            if (length <= 0 || length > available)
                refuse("\"" + w[1] + "\" holds too little for track " + std::to_string(layout.tracks.back().number) + at());
            layout.extents.push_back({file, dataOffset + std::uint64_t(start) * 4, length,
                                      audio ? kCdSectorBytes : sectorBytes, audio && !wave && !swap});
            trackFrames += length;
        } else if (key == "SILENCE" || key == "ZERO" || key == "PREGAP") {
            needTrack();
            std::int64_t length = 0;
            if (w.size() < 2 || !tocTime(w.back(), length) || length <= 0)
                refuse(key + " gives no length" + at());
            if (key == "PREGAP") {
                if (trackFrames != 0)
                    refuse("PREGAP comes after the track's audio" + at());
                startFrames = length;
            }
            layout.extents.push_back({"", 0, length, kCdSectorBytes, false});
            trackFrames += length;
        } else if (key == "START") {
            needTrack();
            startFrames = trackFrames;
            if (w.size() > 1 && !tocTime(w[1], startFrames))
                refuse("START gives no time" + at());
            if (startFrames % kFramesPerSector != 0)
                refuse("START of track " + std::to_string(layout.tracks.back().number) + " is no whole sector" + at());
        }
        // CD_DA, CATALOG, ISRC, COPY, PRE_EMPHASIS, INDEX ... do not change the audio.
        if (trackFrames >= 0 && !layout.tracks.empty()) {
            CdImageTrack& t = layout.tracks.back();
            t.firstSector = std::int32_t(std::min<std::int64_t>((discFrames + startFrames) / kFramesPerSector, kMaxDiscSectors + 1));
            t.pregapSectors = std::int32_t(std::min<std::int64_t>(startFrames / kFramesPerSector, kMaxDiscSectors));
        }
    }
    if (depth != 0)
        refuse("A '{' is never closed");
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
        for (CdImageTrack& t : layout.tracks)
            t.firstSector -= std::int32_t(skip / kFramesPerSector);
    }
    finishLayout(layout);
    return layout;
}

// ---------------------------------------------------------------- Nero images

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
        const std::string name = "Track " + std::to_string(firstNumber + int(i));
        const std::uint64_t size = std::uint64_t(t.sectorBytes);
        if (!(t.index0 <= t.index1 && t.index1 < t.end && t.end <= chunksAt))
            refuse(name + " lies outside the image's audio (offsets " + std::to_string(t.index0) + ", " +
                   std::to_string(t.index1) + ", " + std::to_string(t.end) + ")");
        if ((t.index1 - t.index0) % size != 0 || (t.end - t.index1) % size != 0)
            refuse(name + " is no whole number of " + std::to_string(size) + "-byte sectors");
        if (t.index0 < previousEnd)
            refuse(name + " overlaps the track before it");
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
            refuse("The disc would be longer than any CD");
        layout.extents.push_back({layout.image, from, sectors * kFramesPerSector, t.sectorBytes, false});
        CdImageTrack out;
        out.number = firstNumber + int(i);
        out.audio = t.audio;
        out.firstSector = std::int32_t(discFrames / kFramesPerSector + std::int64_t((t.index1 - from) / size));
        out.pregapSectors = std::int32_t((t.index1 - t.index0) / size);
        layout.tracks.push_back(out);
    }
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
    default: refuse("A track has the unknown mode " + std::to_string(mode));
    }
}

CdImageLayout readNrg(const std::string& path)
{
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec)
        refuse("It cannot be read: " + ec.message());
    std::ifstream in(path, std::ios::binary);
    std::uint8_t tail[12] = {};
    if (size < 12 || !in.seekg(std::streamoff(size - 12)) || !in.read(reinterpret_cast<char*>(tail), 12))
        refuse("It is too short for a Nero image");
    std::uint64_t chunksAt = 0, footerAt = 0;
    if (std::memcmp(tail, "NER5", 4) == 0) {
        chunksAt = beNumber(tail + 4, 8);
        footerAt = size - 12;
    } else if (std::memcmp(tail + 4, "NERO", 4) == 0) {
        chunksAt = beNumber(tail + 8, 4);
        footerAt = size - 8;
    } else {
        refuse("It has no Nero footer (NER5 or NERO) at its end");
    }
    if (chunksAt == 0 || chunksAt >= footerAt)
        refuse("Its footer gives the chunk list's place as " + std::to_string(chunksAt) + ", outside the image's " +
               std::to_string(footerAt) + " bytes before the footer");
    if (footerAt - chunksAt > kMaxNrgChunkBytes)
        refuse("Its chunk list would take " + std::to_string(footerAt - chunksAt) + " bytes, far more than a CD's needs");
    std::vector<std::uint8_t> chunks(footerAt - chunksAt);
    if (!in.seekg(std::streamoff(chunksAt)) || !in.read(reinterpret_cast<char*>(chunks.data()), std::streamsize(chunks.size())))
        refuse("Its chunk list cannot be read");

    CdImageLayout layout;
    layout.image = path;
    bool ended = false;
    std::size_t at = 0;
    while (!ended) {
        if (chunks.size() - at < 8)
            refuse("Its chunk list ends without an END! chunk");
        const std::string id(reinterpret_cast<const char*>(&chunks[at]), 4);
        const std::uint64_t len = beNumber(&chunks[at + 4], 4);
        if (len > chunks.size() - at - 8)
            refuse("Its chunk " + id + " claims " + std::to_string(len) + " bytes, past the end of the chunk list");
        const std::uint8_t* data = &chunks[at + 8];
        std::vector<NrgTrack> tracks;
        int firstNumber = 1;
        if (id == "DAOX" || id == "DAOI") {
            const std::size_t entry = id == "DAOX" ? 42 : 30;
            const int offsetBytes = id == "DAOX" ? 8 : 4;
            if (len < 22 || (len - 22) % entry != 0)
                refuse("Its chunk " + id + " of " + std::to_string(len) + " bytes holds no whole track entries");
            const std::size_t count = (len - 22) / entry;
            checkTrackCount(count);
            firstNumber = data[20];
            if (firstNumber < 1 || data[21] < firstNumber || std::size_t(data[21] - firstNumber + 1) != count || data[21] > 99)
                refuse("Its chunk " + id + " numbers its " + std::to_string(count) + " tracks from " +
                       std::to_string(data[20]) + " to " + std::to_string(data[21]));
            for (std::size_t i = 0; i < count; ++i) {
                const std::uint8_t* e = data + 22 + i * entry;
                NrgTrack t;
                t.sectorBytes = int(beNumber(e + 12, 2));
                t.audio = e[14] == 7;
                if (t.sectorBytes != 2048 && t.sectorBytes != 2336 && t.sectorBytes != kCdSectorBytes && t.sectorBytes != 2448)
                    refuse("Track " + std::to_string(firstNumber + int(i)) + " has sectors of " +
                           std::to_string(t.sectorBytes) + " bytes");
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
                refuse("Its chunk " + id + " of " + std::to_string(len) + " bytes holds no whole track entries");
            checkTrackCount(len / entry);
            for (std::size_t i = 0; i < len / entry; ++i) {
                const std::uint8_t* e = data + i * entry;
                NrgTrack t;
                const std::uint64_t start = beNumber(e, wide ? 8 : 4);
                const std::uint64_t length = beNumber(e + (wide ? 8 : 4), wide ? 8 : 4);
                t.sectorBytes = nrgModeBytes(std::uint32_t(beNumber(e + (wide ? 16 : 8), 4)), t.audio);
                if (length > chunksAt)
                    refuse("Track " + std::to_string(i + 1) + " is longer than the image");
                t.index0 = t.index1 = start;
                t.end = start + length;
                tracks.push_back(t);
            }
        } else if (id == "CUEX" || id == "CUES") {
            // The cue points repeat the track list (libcdio builds its table from them).
            if (len % 8 != 0)
                refuse("Its chunk " + id + " of " + std::to_string(len) + " bytes holds no whole cue points");
            std::set<int> numbers;
            for (std::size_t i = 0; i < len / 8; ++i)
                if (data[i * 8 + 1] != 0 && data[i * 8 + 1] != 0xAA)
                    numbers.insert(data[i * 8 + 1]);
            if (numbers.size() > 99)
                refuse("Its chunk " + id + " lists " + std::to_string(numbers.size()) + " tracks; a CD holds 1 to 99");
        } else if (id == "END!") {
            ended = true;
        }
        // CUEX, CUES, SINF, MTYP, CDTX and others add nothing the tracks need.
        if (!tracks.empty()) {
            if (!layout.tracks.empty())
                refuse("It holds more than one session; only single-session images can be read");
            addNrgTracks(layout, tracks, firstNumber, chunksAt);
        }
        at += 8 + std::size_t(len);
    }
    if (layout.tracks.empty())
        refuse("Its chunk list holds no track list (DAOX, DAOI, ETN2 or ETNF)");
    finishLayout(layout);
    return layout;
}
}  // namespace

CdImageLayout ReadCdImage(const std::string& path)
{
    const std::string ext = lower(fs::path(path).extension().string());
    if (ext == ".toc")
        return readToc(path);
    if (ext == ".nrg")
        return readNrg(path);
    if (ext == ".bin") {
        // A BIN is read through the cue sheet beside it.
        fs::path cue(path);
        for (const char* sheet : {".cue", ".CUE"}) {
            cue.replace_extension(sheet);
            std::error_code ec;
            if (fs::is_regular_file(cue, ec))
                return readCue(cue.string());
        }
        refuse("There is no cue sheet \"" + fs::path(path).stem().string() + ".cue\" beside it to say where its tracks lie");
    }
    return readCue(path);
}

// ---------------------------------------------------------------- reading

struct CdImageReader::Files {
    std::map<std::string, int> open;
    ~Files()
    {
        for (const auto& [name, fd] : open)
            ::close(fd);
    }
    int Get(const std::string& file)
    {
        if (const auto it = open.find(file); it != open.end())
            return it->second;
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            throw ECdError("Unable to open \"" + file + "\": " + std::strerror(errno));
        open.emplace(file, fd);
        return fd;
    }
};

CdImageReader::CdImageReader(CdImageLayout layout) : layout_(std::move(layout)), files_(std::make_unique<Files>()) {}

CdImageReader::~CdImageReader() = default;

void CdImageReader::Read(std::int32_t firstSector, std::int32_t count, std::uint8_t* bytes)
{
    if (firstSector < -layout_.hiddenSectors || count < 0 || std::int64_t(firstSector) + count > layout_.leadOut)
        throw ECdError("Sectors " + std::to_string(firstSector) + " to " + std::to_string(std::int64_t(firstSector) + count - 1) +
                       " lie outside the disc");
    // The extents start at the first sector of the hidden audio.
    std::int64_t frame = (std::int64_t(firstSector) + layout_.hiddenSectors) * kFramesPerSector;
    std::int64_t left = std::int64_t(count) * kFramesPerSector;
    std::int64_t extentStart = 0;
    std::size_t e = 0;
    while (left > 0) {
        while (e < layout_.extents.size() && extentStart + layout_.extents[e].frames <= frame)
            extentStart += layout_.extents[e++].frames;
        if (e >= layout_.extents.size())
            throw ECdError("Sector " + std::to_string(frame / kFramesPerSector - layout_.hiddenSectors) + " lies in no file of the image");
        const CdImageExtent& x = layout_.extents[e];
        const std::int64_t local = frame - extentStart;
        // Within one sector of the file at a time, as a sector's stride may exceed its audio.
        const std::int64_t take = std::min({left, x.frames - local, kFramesPerSector - local % kFramesPerSector});
        const std::size_t n = std::size_t(take) * 4;
        if (x.file.empty()) {
            std::memset(bytes, 0, n);
        } else {
            const std::uint64_t at = x.byteOffset + std::uint64_t(local / kFramesPerSector) * std::uint64_t(x.sectorStride) +
                                     std::uint64_t(local % kFramesPerSector) * 4;
            const int fd = files_->Get(x.file);
            std::size_t got = 0;
            while (got < n) {
                const ssize_t r = ::pread(fd, bytes + got, n - got, off_t(at + got));
                if (r < 0 && errno == EINTR)
                    continue;
                if (r < 0)
                    throw ECdError("Unable to read \"" + x.file + "\" at sector " + std::to_string(frame / kFramesPerSector - layout_.hiddenSectors) +
                                   ": " + std::strerror(errno));
                if (r == 0)
                    throw ECdError("\"" + x.file + "\" ends before sector " + std::to_string(frame / kFramesPerSector - layout_.hiddenSectors) +
                                   " of the disc; the image has been cut short");
                got += std::size_t(r);
            }
            if (x.bigEndian)
                for (std::size_t i = 0; i + 1 < n; i += 2)
                    std::swap(bytes[i], bytes[i + 1]);
        }
        bytes += n;
        frame += take;
        left -= take;
    }
}

std::string CdImageProblem(const std::string& path, const std::string& reason)
{
    return "Unable to read the CD image \"" + path + "\"\n" + reason;
}

CdImageLayout CheckCdImage(const std::string& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        throw ECdError(CdImageProblem(path, "It does not exist"));
    try {
        return ReadCdImage(path);
    } catch (const ECdError& e) {
        throw ECdError(CdImageProblem(path, e.what()));
    } catch (const std::bad_alloc&) {
        throw ECdError(CdImageProblem(path, "There is not enough memory to read it"));
    }
}
