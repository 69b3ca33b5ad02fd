#pragma once
// The RIFF wave I/O layer: one TMMWaveIOInfo record per file and the operations that
// parse an existing file, create a new one, seek, read and append sample bytes, and
// finish a created file (chunk sizes, "fact" chunk, trailing DISP / INFO chunks).
// TMMWave (MMWave.h) is the only user inside the program; operations that report a
// status return 0 or one of the WIOERR codes. Sizes and positions are 64-bit; the file
// fields stay u32, so a created file stops accepting data at the RIFF limit of 4 GiB,
// unless it was created to grow past it: then it goes on as RF64 (EBU Tech 3306), its
// large sizes in a "ds64" chunk written over the "JUNK" chunk kept for it at the front.
// Reading takes RIFF and RF64 files alike.
#include "wave/RiffFile.h"
#include "wave/WaveFormat.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

constexpr int WIOERR_NOERROR = 0;
constexpr int WIOERR_BADFORMAT = 101;  // no usable format, or bad handle
constexpr int WIOERR_BADPARAMS = 104;  // missing argument
constexpr int WIOERR_FILEERROR = 106;  // open, seek or chunk failure
constexpr int WIOERR_NOMEM = 107;

constexpr unsigned RIFF_FILE = 1;

// The INFO list item IDs, in the order they are written.
constexpr std::array<const char*, 23> kInfoIds = {"IARL", "IART", "ICMS", "ICMT", "ICOP", "ICRD", "ICRP", "IDIM",
                                                  "IDPI", "IENG", "IGNR", "IKEY", "ILGT", "IMED", "INAM", "IPLT",
                                                  "IPRD", "ISBJ", "ISFT", "ISHP", "ISRC", "ISRF", "ITCH"};

struct TDispItem {
    std::uint32_t type = 0;             // 1 text, 8 device-independent bitmap
    std::vector<std::uint8_t> data;     // the chunk body after the type
};

struct TInfoNode {
    std::int64_t offset = -1;           // text position in TMMWaveIOInfo::infoBuffer, -1 for none
    std::int64_t length = 0;            // bytes available there
    std::optional<std::string> text;    // a replacement text of the node's own
};

// The largest RIFF body a u32 size field describes.
constexpr std::int64_t kRiffSizeLimit = 0xFFFFFFFFLL;

struct TMMWaveIOInfo {
    unsigned dwFlags = RIFF_FILE;
    // Set before WaveIOCreate: whether the file goes on as RF64 past riffLimit (else it
    // refuses the data), and that limit on the RIFF body's size (lowered only by tests).
    bool mayGrowToRf64 = false;
    std::int64_t riffLimit = kRiffSizeLimit;
    bool isRf64 = false;                // RF64 as read, or to be finished as RF64
    std::unique_ptr<TRiffFile> hmmio;   // null while the file is closed
    TMMCKInfo ckRIFF;
    TMMCKInfo ckData;
    std::int64_t dwFileSize = 0;
    std::int64_t dwDataBytes = 0;
    std::int64_t dwDataOffset = 0;      // offset of the first sample byte
    std::int64_t dwDataSamples = 0;
    std::int64_t dwFirstSample = 0;
    std::int64_t dwLastSample = 0;
    std::int64_t dwBytesLeft = 0;
    std::int64_t dwPosition = 0;        // in samples
    std::string lpFileName;
    std::vector<TDispItem> dispList;
    std::vector<std::uint8_t> infoBuffer;
    std::array<TInfoNode, kInfoIds.size()> infoNodes;
    WaveFormatPtr lpwfx;

    // The item's text: its own replacement, else the text found in the file; empty for none.
    std::string InfoText(std::size_t index) const;
};
using PMMWaveIOInfo = std::unique_ptr<TMMWaveIOInfo>;

// Parses the named file. On success *result holds a record with the file closed.
int WaveIOOpen(const std::string& name, PMMWaveIOInfo* result);
// The first format chunk of a RIFF WAVE file as it stands, also one that WaveIOOpen refuses
// as unusable (no channels, ...), so that a message can name it; null when there is none.
WaveFormatPtr WaveIOReadFormat(const std::string& name);
// A new record with a copy of the format and empty lists.
PMMWaveIOInfo WaveIOCreateInfo(const TWaveFormatEx* format);
// Creates the file of that name with the RIFF, "fmt " and "data" headers, and keeps it
// open for writing. On failure the file is closed and removed.
int WaveIOCreate(TMMWaveIOInfo* info, const std::string& name);
// Opens the parsed file again and seeks to the record's current position.
int WaveIOReopen(TMMWaveIOInfo* info);
int WaveIOSetBuffer(TMMWaveIOInfo* info, std::int64_t size);
// Positions the open file at a sample of the readable range.
int WaveIOSeek(TMMWaveIOInfo* info, std::int64_t sample);
// Bytes read (0 at the end of the data), or -1 when the file is closed.
std::int64_t WaveIORead(TMMWaveIOInfo* info, void* buffer, std::int64_t count);
// Bytes written, or -1 when the file is closed, count <= 0, the write failed or the data
// would no longer fit the RIFF size field of a file that may not grow to RF64.
std::int64_t WaveIOWrite(TMMWaveIOInfo* info, const void* buffer, std::int64_t count);
// Writes the trailer of a created file (sizes, "fact", DISP, INFO; past the limit the
// RF64 header and its "ds64" chunk) and closes the file.
int WaveIOFinish(TMMWaveIOInfo* info);
// Closes the file if open and frees the record.
void WaveIOFree(PMMWaveIOInfo& info);
bool IsWaveFile(const std::string& name);

// The most sample bytes a created file holds with the given format size (RIFF limit).
std::int64_t WaveIOMaxDataBytes(std::size_t formatSize, std::int64_t riffLimit = kRiffSizeLimit);
