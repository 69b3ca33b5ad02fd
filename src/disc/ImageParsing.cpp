#include "disc/ImageParsing.h"

#include "platform/codec/DecodedAudioFile.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace imagesheet {

void refuse(const std::string& reason)
{
    throw ECdError(reason);
}

void refuse(const QString& reason)
{
    throw ECdError(reason.toStdString());
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
        refuse(QCoreApplication::translate("ImageParsing", "It cannot be read: %1").arg(q(ec.message())));
    if (size > kMaxSheetBytes)
        refuse(QCoreApplication::translate("ImageParsing", "The sheet is %1 bytes long; a cue sheet or table of contents is far smaller")
                   .arg(q(std::int64_t(size))));
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof())
        refuse(QCoreApplication::translate("ImageParsing", "It cannot be read"));
    return utf8Text(std::move(text));
}

namespace {
// The length of the valid UTF-8 sequence at text[i], 0 when there is none.
std::size_t utf8Sequence(const std::string& text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return k < text.size() ? std::uint8_t(text[k]) : std::uint8_t(0); };
    const std::uint8_t b = byte(i);
    const auto follows = [&](std::size_t k) { return (byte(k) & 0xC0) == 0x80; };
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        return follows(i + 1) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        const std::uint8_t c = byte(i + 1);
        if ((b == 0xE0 && c < 0xA0) || (b == 0xED && c > 0x9F))
            return 0;  // overlong, or a surrogate
        return follows(i + 1) && follows(i + 2) ? 3 : 0;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        const std::uint8_t c = byte(i + 1);
        if ((b == 0xF0 && c < 0x90) || (b == 0xF4 && c > 0x8F))
            return 0;
        return follows(i + 1) && follows(i + 2) && follows(i + 3) ? 4 : 0;
    }
    return 0;
}

void appendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | code >> 6);
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xE0 | code >> 12);
        out += char(0x80 | (code >> 6 & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// Windows-1252's characters for 0x80..0x9F; its five unassigned bytes become U+FFFD.
constexpr std::uint16_t kWindows1252[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
}  // namespace

std::string utf8Text(std::string bytes)
{
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        bytes.erase(0, 3);
    bool valid = true;
    for (std::size_t i = 0; i < bytes.size() && valid;) {
        const std::size_t n = utf8Sequence(bytes, i);
        valid = n > 0;
        i += n;
    }
    if (valid)
        return bytes;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const std::uint8_t b = std::uint8_t(c);
        appendUtf8(out, b >= 0x80 && b < 0xA0 ? kWindows1252[b - 0x80] : b);
    }
    return out;
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
    const fs::file_status status = fs::status(file, ec);
    if (status.type() == fs::file_type::not_found)
        refuse(QCoreApplication::translate("ImageParsing", "The file \"%1\" named in \"%2\" does not exist").arg(q(file), q(sheetName)));
    if (status.type() == fs::file_type::directory)
        refuse(QCoreApplication::translate("ImageParsing", "The file \"%1\" named in \"%2\" is a folder").arg(q(file), q(sheetName)));
    if (status.type() == fs::file_type::character || status.type() == fs::file_type::block)
        refuse(QCoreApplication::translate("ImageParsing", "The file \"%1\" named in \"%2\" is a device, not a file").arg(q(file), q(sheetName)));
    if (status.type() != fs::file_type::regular && ec)
        refuse(QCoreApplication::translate("ImageParsing", "The file \"%1\" named in \"%2\" cannot be read: %3").arg(q(file), q(sheetName), q(ec.message())));
    if (status.type() != fs::file_type::regular)
        refuse(QCoreApplication::translate("ImageParsing", "The file \"%1\" named in \"%2\" is no regular file").arg(q(file), q(sheetName)));
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec)
        refuse(QCoreApplication::translate("ImageParsing", "The file \"%1\" cannot be read: %2").arg(q(file), q(ec.message())));
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
        refuse(QCoreApplication::translate("ImageParsing", "\"%1\" is neither a wave file nor FLAC or Ogg audio").arg(q(file)));
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
                refuse(QCoreApplication::translate("ImageParsing", "\"%1\" is not 16-bit stereo 44100 Hz PCM, as CD audio is").arg(q(file)));
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
    refuse(QCoreApplication::translate("ImageParsing", "\"%1\" holds no CD audio samples a wave file can hold").arg(q(file)));
}

std::string resolve(const std::string& sheet, const std::string& name)
{
    if (name.empty())
        refuse(QCoreApplication::translate("ImageParsing", "A FILE line names no file"));
    const fs::path p(name);
    return p.is_absolute() ? name : (fs::path(sheet).parent_path() / p).string();
}

namespace {
bool present(const fs::path& p)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

// The entry of the folder whose name equals name in ASCII letter case, or empty.
fs::path anyCase(const fs::path& folder, const std::string& name)
{
    std::error_code ec;
    const std::string wanted = lower(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (lower(it->path().filename().string()) == wanted)
            return it->path();
    return {};
}
}  // namespace

std::string findSheetFile(const std::string& sheet, const std::string& name, std::vector<std::string>& notes)
{
    const std::string written = resolve(sheet, name);
    if (present(written))
        return written;
    const fs::path folder = fs::path(sheet).parent_path().empty() ? fs::path(".") : fs::path(sheet).parent_path();
    const std::size_t cut = name.find_last_of("\\/");
    const std::string base = cut == std::string::npos ? name : name.substr(cut + 1);
    fs::path found;
    if (!base.empty() && present(folder / base))
        found = folder / base;
    if (found.empty() && !base.empty())
        found = anyCase(folder, base);
    if (found.empty() && !base.empty()) {
        // The same stem with another extension that can be read: a sheet written for the
        // FLAC beside the wave converted from it, or the other way round.
        const std::string stem = fs::path(base).stem().string();
        for (const char* ext : {".flac", ".wav", ".ogg", ".oga", ".opus"}) {
            if (lower(fs::path(base).extension().string()) == ext)
                continue;
            found = anyCase(folder, stem + ext);
            if (!found.empty())
                break;
        }
    }
    if (found.empty())
        return written;
    notes.push_back(QCoreApplication::translate("ImageParsing", "The sheet names \"%1\"; \"%2\" was read")
                        .arg(q(name), q(found.filename().string()))
                        .toStdString());
    return found.string();
}

AudioData audioData(const std::string& file)
{
    AudioData data;
    std::uint8_t head[4] = {};
    std::ifstream(file, std::ios::binary).read(reinterpret_cast<char*>(head), 4);
    if (std::memcmp(head, "RIFF", 4) == 0 || !DecodedAudioFile::Recognised(file)) {
        waveData(file, data.offset, data.bytes);
        return data;
    }
    std::string why;
    const std::unique_ptr<DecodedAudioFile> decoded = DecodedAudioFile::Open(file, why);
    if (!decoded)
        refuse(QCoreApplication::translate("ImageParsing", "\"%1\" cannot be read as audio: %2").arg(q(file), q(why)));
    if (decoded->Channels() != 2 || decoded->Rate() != 44100 || (decoded->Bits() != 16 && decoded->Bits() != 0)) {
        const QString format = q(decoded->FormatName());
        const QString channels = q(std::int64_t(decoded->Channels())), rate = q(std::int64_t(decoded->Rate()));
        if (decoded->Bits())
            refuse(QCoreApplication::translate("ImageParsing", "\"%1\" is %2 of %3 channels at %4 Hz, %5-bit; CD audio is 16-bit stereo 44100 Hz")
                       .arg(q(file), format, channels, rate, q(std::int64_t(decoded->Bits()))));
        refuse(QCoreApplication::translate("ImageParsing", "\"%1\" is %2 of %3 channels at %4 Hz; CD audio is 16-bit stereo 44100 Hz")
                   .arg(q(file), format, channels, rate));
    }
    data.bytes = std::uint64_t(decoded->Frames()) * 4;
    data.decoded = true;
    return data;
}

void checkTrackCount(std::size_t count)
{
    if (count == 0)
        refuse(QCoreApplication::translate("ImageParsing", "The sheet lists no track"));
    if (count > 99)
        refuse(QCoreApplication::translate("ImageParsing", "The sheet lists %1 tracks; a CD holds 1 to 99").arg(q(std::int64_t(count))));
}

// Tracks get their lengths from the next track's start (pregaps counted into the earlier
// track) and the lead-out from the extents.
void finishLayout(CdImageLayout& layout)
{
    std::int64_t frames = 0;
    for (const CdImageExtent& e : layout.extents)
        frames += e.frames;
    if (frames % kFramesPerSector != 0)
        refuse(QCoreApplication::translate("ImageParsing", "The disc is not a whole number of sectors long"));
    if (frames / kFramesPerSector > kMaxDiscSectors)
        refuse(QCoreApplication::translate("ImageParsing", "The disc would be %1 long, more than any CD holds").arg(q(msfText(frames / kFramesPerSector))));
    layout.leadOut = std::int32_t(frames / kFramesPerSector) - layout.hiddenSectors;
    for (SheetTrack& t : layout.tracks)
        t.firstSector -= layout.hiddenSectors;
    for (std::size_t i = 0; i < layout.tracks.size(); ++i) {
        SheetTrack& t = layout.tracks[i];
        const std::int32_t next = i + 1 < layout.tracks.size() ? layout.tracks[i + 1].firstSector : layout.leadOut;
        if (t.firstSector < 0 || next <= t.firstSector)
            refuse(QCoreApplication::translate("ImageParsing", "Track %1 has no sectors").arg(q(std::int64_t(t.number))));
        t.sectorCount = next - t.firstSector;
    }
    // Every run of samples lies inside its file.
    for (const CdImageExtent& e : layout.extents) {
        if (e.file.empty() || e.frames == 0 || e.decoded)
            continue;  // a decoded file's runs were measured against its decoded length
        const std::int64_t last = e.frames - 1;
        // Audio sectors need their samples; data sectors (shorter than 2352 bytes) all of theirs.
        const std::uint64_t end =
            e.byteOffset + std::uint64_t(last / kFramesPerSector) * std::uint64_t(e.sectorStride) +
            (e.sectorStride < kCdSectorBytes ? std::uint64_t(e.sectorStride) : std::uint64_t(last % kFramesPerSector + 1) * 4);
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(e.file, ec);
        if (ec || end > size)
            refuse(QCoreApplication::translate("ImageParsing", "\"%1\" is shorter than the sheet says: it holds %2 bytes, the tracks need %3")
                       .arg(q(e.file), q(std::int64_t(ec ? 0 : size)), q(std::int64_t(end))));
    }
}

}  // namespace imagesheet
