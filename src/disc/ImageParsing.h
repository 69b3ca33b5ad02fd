#pragma once
// What the disc image readers (CueSheet.cpp, TocFile.cpp, NeroImage.cpp) share: the words
// and numbers of a sheet, the files it names, and the checks every layout passes. Only
// those readers and CdImageSheet.cpp include this header.
//
// Every function here refuses what it cannot take by raising ECdError with the reason.
#include "disc/CdImageSheet.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace imagesheet {

constexpr int kFramesPerSector = kCdSamplesPerSector;
constexpr std::uintmax_t kMaxSheetBytes = 1 << 20;      // a cue or toc is a few kilobytes
constexpr std::int64_t kMaxDiscSectors = 100 * 60 * 75 * 4;  // far beyond any CD, within int32

[[noreturn]] void refuse(const std::string& reason);
// The reasons are sentences in the user's language, made by QCoreApplication::translate
// with the reader's file as the context and the names and numbers as placeholders.
[[noreturn]] void refuse(const QString& reason);
inline QString q(const std::string& s)
{
    return QString::fromStdString(s);
}
inline QString q(std::int64_t n)
{
    return QString::number(n);
}
std::string lower(std::string s);
std::string upper(std::string s);
// "mm:ss:ff" of a sector count.
std::string msfText(std::int64_t sectors);
// The sheet's text as UTF-8; refuses a sheet that cannot be read or is far too long for one.
std::string readSheet(const std::string& path);
// Text as UTF-8: a UTF-8 byte-order mark is dropped and valid UTF-8 kept; anything else is
// Windows-1252 (old Windows rippers' sheets) and converted.
std::string utf8Text(std::string bytes);
// The words of a line; a quoted word keeps its spaces (\" inside stands for a quote).
std::vector<std::string> words(const std::string& line);
// The lines of a text, without their line ends (LF or CR LF).
std::vector<std::string> lines(const std::string& text);
bool wholeNumber(const std::string& s, std::int64_t& value, std::int64_t limit);
// "mm:ss:ff" as sectors; false when it is no such time.
bool msf(const std::string& s, std::int64_t& sectors);
std::uint64_t beNumber(const std::uint8_t* p, int bytes);
std::uint32_t le32(const std::uint8_t* p);
// The size of a file the sheet names; refuses one that is missing, a folder, a device or
// anything else but a regular file, saying which.
std::uintmax_t sizeOf(const std::string& file, const std::string& sheetName);
// Where the samples of a wave file start and how many bytes they take; only 16-bit
// stereo 44100 Hz PCM is CD audio.
void waveData(const std::string& file, std::uint64_t& offset, std::uint64_t& bytes);
// A FILE's name against the sheet's own folder.
std::string resolve(const std::string& sheet, const std::string& name);
// The file a cue sheet's FILE means, looked for in the order images' users expect (see
// CdImageSheet.h); the name as written when none is found (its check then says why). A file
// found other than by its exact name adds a sentence to notes.
std::string findSheetFile(const std::string& sheet, const std::string& name, std::vector<std::string>& notes);

// Where an audio FILE's samples are: a wave file's data, or a FLAC / Ogg stream decoded
// (offset 0, its frames' bytes). Only 16-bit stereo 44100 Hz audio is CD audio.
struct AudioData {
    std::uint64_t offset = 0;
    std::uint64_t bytes = 0;
    bool decoded = false;
};
AudioData audioData(const std::string& file);
void checkTrackCount(std::size_t count);
// Tracks get their lengths from the next track's start (pregaps counted into the earlier
// track) and the lead-out from the extents; every run of samples lies inside its file.
void finishLayout(CdImageLayout& layout);

CdImageLayout ReadCueSheet(const std::string& path);
CdImageLayout ReadTocFile(const std::string& path);
CdImageLayout ReadNeroImage(const std::string& path);

}  // namespace imagesheet
