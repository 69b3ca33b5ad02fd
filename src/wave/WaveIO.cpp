#include "wave/WaveIO.h"

#include "platform/os/OwnedFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>

namespace {
constexpr std::uint32_t kWave = FourCC("WAVE");
constexpr std::uint32_t kFmt = FourCC("fmt ");
constexpr std::uint32_t kData = FourCC("data");
constexpr std::uint32_t kFact = FourCC("fact");
constexpr std::uint32_t kDisp = FourCC("DISP");
constexpr std::uint32_t kList = FourCC("LIST");
constexpr std::uint32_t kInfo = FourCC("INFO");
constexpr std::uint32_t kRf64 = FourCC("RF64");
constexpr std::uint32_t kDs64 = FourCC("ds64");
constexpr std::uint32_t kJunk = FourCC("JUNK");
// The "ds64" body without a table: RIFF size, data size and sample count (u64 each) and
// the table's length (u32). A file that may grow to RF64 keeps a "JUNK" chunk of this size
// right behind "WAVE", to be overwritten by the "ds64" chunk.
constexpr std::int64_t kDs64Body = 28;
constexpr std::int64_t kJunkBytes = 8 + kDs64Body;
// An RF64 size field that points to the "ds64" chunk.
constexpr std::uint32_t kSizeInDs64 = 0xFFFFFFFFu;

// Chunks this program keeps in memory (DISP, INFO) are skipped above this size, so a
// hostile file cannot make it allocate without bound.
constexpr std::int64_t kMaxKeptChunk = 16 * 1024 * 1024;
// The largest format record a chunk can describe: 18 bytes plus a u16 extra size.
constexpr std::int64_t kMaxFormat = 18 + 0xFFFF;

std::uint32_t le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void putLe32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

std::uint64_t le64(const std::uint8_t* p)
{
    return static_cast<std::uint64_t>(le32(p)) | static_cast<std::uint64_t>(le32(p + 4)) << 32;
}

void putLe64(std::uint8_t* p, std::uint64_t v)
{
    putLe32(p, static_cast<std::uint32_t>(v));
    putLe32(p + 4, static_cast<std::uint32_t>(v >> 32));
}

std::uint32_t infoId(std::size_t index)
{
    return le32(reinterpret_cast<const std::uint8_t*>(kInfoIds[index]));
}

int infoIndex(std::uint32_t id)
{
    for (std::size_t i = 0; i < kInfoIds.size(); ++i)
        if (infoId(i) == id)
            return static_cast<int>(i);
    return -1;
}

// Reads the body of a LIST "INFO" chunk (position behind the form type) and notes where
// each known item's text lies.
bool readInfo(TRiffFile& f, const TMMCKInfo& ck, TMMWaveIOInfo& info)
{
    const std::int64_t length = static_cast<std::int64_t>(ck.cksize) - 4;
    if (length <= 0 || length > kMaxKeptChunk)
        return true;
    info.infoBuffer.assign(static_cast<std::size_t>(length), 0);
    if (f.Read(info.infoBuffer.data(), length) != length) {
        info.infoBuffer.clear();
        return false;
    }
    for (std::int64_t o = 0; o + 8 <= length;) {
        const std::uint32_t id = le32(info.infoBuffer.data() + o);
        const std::int64_t size = le32(info.infoBuffer.data() + o + 4);
        if (const int i = infoIndex(id); i >= 0) {
            info.infoNodes[static_cast<std::size_t>(i)].offset = o + 8;
            info.infoNodes[static_cast<std::size_t>(i)].length = std::min(size, length - o - 8);
        }
        o += size + (size & 1) + 8;
    }
    return true;
}

bool readDisp(TRiffFile& f, const TMMCKInfo& ck, TMMWaveIOInfo& info)
{
    if (ck.cksize < 4 || ck.cksize > kMaxKeptChunk)
        return true;
    std::uint8_t type[4];
    if (f.Read(type, 4) != 4)
        return false;
    TDispItem item;
    item.type = le32(type);
    item.data.resize(ck.cksize - 4);
    if (f.Read(item.data.data(), static_cast<std::int64_t>(item.data.size())) !=
        static_cast<std::int64_t>(item.data.size()))
        return false;
    info.dispList.push_back(std::move(item));
    return true;
}

bool readFormat(TRiffFile& f, const TMMCKInfo& ck, TMMWaveIOInfo& info)
{
    const std::int64_t length = std::min<std::int64_t>(ck.cksize, kMaxFormat);
    std::vector<std::uint8_t> body(static_cast<std::size_t>(std::max<std::int64_t>(length, 18)), 0);
    if (f.Read(body.data(), length) != length)
        return false;
    std::uint16_t extra = 0;
    std::memcpy(&extra, body.data() + 16, 2);
    // The record always holds every byte its extra-size field announces.
    const std::size_t size = std::max<std::size_t>(body.size(), 18 + static_cast<std::size_t>(extra));
    info.lpwfx = wioAllocWaveFormat(size);
    std::memcpy(info.lpwfx.get(), body.data(), body.size());
    return true;
}

bool writeDisp(TRiffFile& f, const TDispItem& item)
{
    if (item.type != 1 && item.type != 8)
        return true;
    TMMCKInfo ck;
    ck.ckid = kDisp;
    std::uint8_t type[4];
    putLe32(type, item.type);
    const auto size = static_cast<std::int64_t>(item.data.size());
    return f.CreateChunk(ck, 0) && f.Write(type, 4) == 4 && f.Write(item.data.data(), size) == size && f.Ascend(ck);
}

bool writeInfo(TRiffFile& f, const TMMWaveIOInfo& info)
{
    bool any = false;
    for (std::size_t i = 0; i < kInfoIds.size(); ++i)
        any = any || !info.InfoText(i).empty();
    if (!any)
        return true;
    TMMCKInfo list;
    list.fccType = kInfo;
    if (!f.CreateChunk(list, TRiffFile::CreateList))
        return false;
    for (std::size_t i = 0; i < kInfoIds.size(); ++i) {
        const std::string text = info.InfoText(i);
        if (text.empty())
            continue;
        TMMCKInfo item;
        item.ckid = infoId(i);
        const auto size = static_cast<std::int64_t>(text.size()) + 1;
        if (!f.CreateChunk(item, 0) || f.Write(text.c_str(), size) != size || !f.Ascend(item))
            return false;
    }
    return f.Ascend(list);
}

void recountSamples(TMMWaveIOInfo& info)
{
    info.dwDataSamples = wioBytesToSamples(info.lpwfx.get(), info.dwDataBytes);
}
}  // namespace

std::string TMMWaveIOInfo::InfoText(std::size_t index) const
{
    const TInfoNode& node = infoNodes.at(index);
    if (node.text)
        return *node.text;
    if (node.offset < 0 || node.offset > static_cast<std::int64_t>(infoBuffer.size()))
        return {};
    const auto* start = reinterpret_cast<const char*>(infoBuffer.data() + node.offset);
    const auto length = static_cast<std::size_t>(
        std::min<std::int64_t>(node.length, static_cast<std::int64_t>(infoBuffer.size()) - node.offset));
    return std::string(start, strnlen(start, length));
}

std::int64_t WaveIOMaxDataBytes(std::size_t formatSize, std::int64_t riffLimit)
{
    // RIFF body: "WAVE", "fmt " header and body, "data" header, the data, a pad byte and
    // the "fact" chunk must all fit the u32 size field.
    return riffLimit - (4 + 8 + static_cast<std::int64_t>(formatSize) + 8 + 1 + 12);
}

namespace {
// The sample bytes a created file takes before it refuses more or goes on as RF64.
std::int64_t riffDataLimit(const TMMWaveIOInfo& info)
{
    return WaveIOMaxDataBytes(wioSizeOfWaveFormat(info.lpwfx.get()), info.riffLimit) -
           (info.mayGrowToRf64 ? kJunkBytes : 0);
}

// What WaveIOOpen's walk over the chunks has found so far.
struct ChunkWalk {
    std::int64_t riffEnd = 0;    // end of the RIFF chunk, cut to the file's end
    std::int64_t dataEnd = 0;    // end of the sample bytes
    std::int64_t ds64Data = -1;  // an RF64 file's data size from its "ds64" chunk
    bool haveFormat = false;
    bool haveData = false;
    bool haveFact = false;
    bool previousWasData = false;
};

enum class ChunkStep { Next, Stop, Fail };

// Opens the file and enters its RIFF WAVE chunk; a RIFF size beyond the file's end is cut
// to the file. Leaves the file at the first chunk inside.
int openRiff(TRiffFile& f, const std::string& name, TMMWaveIOInfo& info, ChunkWalk& walk)
{
    if (!f.Open(name, TRiffFile::OpenRead))
        return WIOERR_FILEERROR;
    info.ckRIFF.fccType = kWave;
    if (!f.Descend(info.ckRIFF, nullptr, TRiffFile::FindRiff))
        return WIOERR_FILEERROR;

    info.isRf64 = info.ckRIFF.ckid == kRf64;
    info.dwFileSize = f.Seek(0, SEEK_END);
    if (info.dwFileSize < 0 || f.Seek(info.ckRIFF.dwDataOffset + 4, SEEK_SET) < 0)
        return WIOERR_FILEERROR;
    // A RIFF size of 0 (a stream's writer that left it) or past the end: the file is the
    // chunk. (An RF64 file's size is in its "ds64" chunk, read next.)
    if (info.ckRIFF.cksize == 0 || info.dwFileSize < info.ckRIFF.dwDataOffset + info.ckRIFF.cksize)
        info.ckRIFF.cksize = info.dwFileSize - info.ckRIFF.dwDataOffset;
    walk.riffEnd = info.ckRIFF.dwDataOffset + info.ckRIFF.cksize;
    return WIOERR_NOERROR;
}

// Takes one chunk of the RIFF chunk into info. A second "fmt ", "data" or "fact" chunk
// ends the walk; other unknown chunks are passed over.
ChunkStep readChunk(TRiffFile& f, const TMMCKInfo& ck, TMMWaveIOInfo& info, ChunkWalk& walk)
{
    if (ck.ckid == kList && ck.fccType == kInfo)
        return readInfo(f, ck, info) ? ChunkStep::Next : ChunkStep::Fail;
    if (ck.ckid == kDisp)
        return readDisp(f, ck, info) ? ChunkStep::Next : ChunkStep::Fail;
    if (ck.ckid == kFmt) {
        if (walk.haveFormat)
            return ChunkStep::Stop;
        if (!readFormat(f, ck, info))
            return ChunkStep::Fail;
        walk.haveFormat = true;
    } else if (ck.ckid == kData) {
        if (walk.haveData)
            return ChunkStep::Stop;
        walk.haveData = true;
        walk.previousWasData = true;
        info.ckData = ck;
        info.dwDataOffset = ck.dwDataOffset;
        walk.dataEnd = walk.riffEnd;
        if ((ck.cksize & 1) && walk.riffEnd == ck.dwDataOffset + ck.cksize + 1)
            walk.dataEnd -= 1;  // the pad byte of a final odd data chunk
    } else if (ck.ckid == kFact) {
        if (walk.haveFact)
            return ChunkStep::Stop;
        std::uint8_t count[4];
        if (ck.cksize >= 4 && f.Read(count, 4) == 4)
            info.dwDataSamples = le32(count);
        walk.haveFact = true;
    }
    return ChunkStep::Next;
}

// An RF64 file's "ds64" chunk: the RIFF size (kept when the file holds it) and the data
// size that the "data" chunk's size field leaves to it.
bool readDs64(TRiffFile& f, const TMMCKInfo& ck, TMMWaveIOInfo& info, ChunkWalk& walk)
{
    std::uint8_t body[24];
    if (ck.cksize < 24 || f.Read(body, 24) != 24)
        return false;
    const std::uint64_t riffSize = le64(body);
    const std::uint64_t dataSize = le64(body + 8);
    const auto available = static_cast<std::uint64_t>(info.dwFileSize - info.ckRIFF.dwDataOffset);
    if (riffSize >= 4 && riffSize <= available) {
        info.ckRIFF.cksize = static_cast<std::int64_t>(riffSize);
        walk.riffEnd = info.ckRIFF.dwDataOffset + info.ckRIFF.cksize;
    }
    // Beyond the file it cannot be; the walk then takes the samples to the file's end.
    walk.ds64Data = static_cast<std::int64_t>(std::min<std::uint64_t>(dataSize, available));
    return true;
}

// Walks the chunks inside the RIFF chunk. A chunk reaching past the RIFF end, or one the
// file cannot be moved past, ends a walk that has found enough and fails any other.
int readChunks(TRiffFile& f, TMMWaveIOInfo& info, ChunkWalk& walk)
{
    TMMCKInfo ck;
    bool first = true;
    while (f.Descend(ck, &info.ckRIFF, 0)) {
        if (std::exchange(first, false) && info.isRf64 && ck.ckid == kDs64) {
            if (!readDs64(f, ck, info, walk) || !f.Ascend(ck))
                return WIOERR_FILEERROR;
            continue;
        }
        if (ck.ckid == kData && walk.ds64Data >= 0 && ck.cksize == kSizeInDs64)
            ck.cksize = walk.ds64Data;
        if (walk.previousWasData)  // up to this header, less the data chunk's pad byte
            walk.dataEnd = ck.dwDataOffset - 8 - (info.ckData.cksize & 1);
        walk.previousWasData = false;
        if (ck.ckid == kData && !walk.haveData && (ck.cksize == 0 || ck.dwDataOffset + ck.cksize > walk.riffEnd)) {
            // Written to a pipe, the writer could not go back to fill in the size (0,
            // 0xFFFFFFFF or a guess near 2 GiB): the samples run to the end of the file.
            readChunk(f, ck, info, walk);
            walk.previousWasData = false;
            break;
        }
        if (ck.dwDataOffset + ck.cksize > walk.riffEnd) {
            if (walk.haveFormat && walk.haveData)
                break;
            return WIOERR_FILEERROR;
        }
        const ChunkStep step = readChunk(f, ck, info, walk);
        if (step == ChunkStep::Fail)
            return WIOERR_FILEERROR;
        if (step == ChunkStep::Stop)
            break;
        if (!f.Ascend(ck)) {
            if (walk.haveData)
                break;
            return WIOERR_FILEERROR;
        }
    }
    return walk.haveFormat ? WIOERR_NOERROR : WIOERR_BADFORMAT;
}

// Derives the block alignment and byte rate of a PCM format from its other fields, then
// checks that the format can be used for positions at all.
int completeFormat(TWaveFormatEx* wfx)
{
    if (wfx->wFormatTag == WAVE_FORMAT_PCM) {
        wfx->nBlockAlign = static_cast<std::uint16_t>(wfx->nChannels * wfx->wBitsPerSample / 8);
        const std::uint64_t rate = static_cast<std::uint64_t>(wfx->nBlockAlign) * wfx->nSamplesPerSec;
        if (rate > std::numeric_limits<std::uint32_t>::max())
            return WIOERR_BADFORMAT;
        wfx->nAvgBytesPerSec = static_cast<std::uint32_t>(rate);
    }
    return wioIsUsableFormat(wfx) ? WIOERR_NOERROR : WIOERR_BADFORMAT;
}

// The data's size in whole blocks, its sample count and the starting position.
void measureData(TMMWaveIOInfo& info, ChunkWalk& walk)
{
    const TWaveFormatEx* wfx = info.lpwfx.get();
    if (!walk.haveData)
        info.dwDataOffset = walk.dataEnd = info.dwFileSize;
    const std::int64_t raw = std::max<std::int64_t>(walk.dataEnd - info.dwDataOffset, 0);
    info.dwDataBytes = wfx->nBlockAlign * (raw / wfx->nBlockAlign);
    recountSamples(info);
    info.dwFirstSample = 0;
    info.dwLastSample = info.dwDataSamples;
    info.dwBytesLeft = 0;
    info.dwPosition = 0;
}
}  // namespace

int WaveIOOpen(const std::string& name, PMMWaveIOInfo* result)
{
    if (!result || name.empty())
        return WIOERR_BADPARAMS;
    auto info = std::make_unique<TMMWaveIOInfo>();
    info->hmmio = std::make_unique<TRiffFile>();
    ChunkWalk walk;
    int status = openRiff(*info->hmmio, name, *info, walk);
    if (status == WIOERR_NOERROR)
        status = readChunks(*info->hmmio, *info, walk);
    if (status == WIOERR_NOERROR)
        status = completeFormat(info->lpwfx.get());
    if (status != WIOERR_NOERROR)
        return status;
    measureData(*info, walk);
    info->lpFileName = name;
    info->hmmio.reset();
    *result = std::move(info);
    return WIOERR_NOERROR;
}

WaveFormatPtr WaveIOReadFormat(const std::string& name)
{
    TRiffFile f;
    TMMCKInfo riff;
    riff.fccType = kWave;
    if (!f.Open(name, TRiffFile::OpenRead) || !f.Descend(riff, nullptr, TRiffFile::FindRiff))
        return nullptr;
    TMMCKInfo ck;
    while (f.Descend(ck, &riff, 0)) {
        if (ck.ckid == kFmt) {
            TMMWaveIOInfo info;
            return readFormat(f, ck, info) ? std::move(info.lpwfx) : nullptr;
        }
        if (!f.Ascend(ck))
            break;
    }
    return nullptr;
}

PMMWaveIOInfo WaveIOCreateInfo(const TWaveFormatEx* format)
{
    if (!format)
        return nullptr;
    auto info = std::make_unique<TMMWaveIOInfo>();
    info->lpwfx = wioCopyWaveFormat(format);
    return info;
}

int WaveIOCreate(TMMWaveIOInfo* info, const std::string& name)
{
    if (!info || !info->lpwfx || name.empty())
        return WIOERR_BADPARAMS;
    auto file = std::make_unique<TRiffFile>();
    const auto fail = [&] {
        const int error = errno;  // the reason survives the clean-up, for the caller's message
        file->Close();
        RemoveFile(name);
        errno = error;
        return WIOERR_FILEERROR;
    };
    if (!file->Open(name, TRiffFile::OpenReadWrite | TRiffFile::OpenCreate))
        return WIOERR_FILEERROR;
    TMMCKInfo riff;
    riff.fccType = kWave;
    if (!file->CreateChunk(riff, TRiffFile::CreateRiff))
        return fail();
    if (info->mayGrowToRf64) {
        TMMCKInfo junk;
        junk.ckid = kJunk;
        const std::uint8_t zeros[kDs64Body] = {};
        if (!file->CreateChunk(junk, 0) || file->Write(zeros, kDs64Body) != kDs64Body || !file->Ascend(junk))
            return fail();
    }
    info->isRf64 = false;
    TMMCKInfo fmt;
    fmt.ckid = kFmt;
    const auto size = static_cast<std::int64_t>(wioSizeOfWaveFormat(info->lpwfx.get()));
    fmt.cksize = static_cast<std::uint32_t>(size);
    if (!file->CreateChunk(fmt, 0) || file->Write(info->lpwfx.get(), size) != size || !file->Ascend(fmt))
        return fail();
    TMMCKInfo data;
    data.ckid = kData;
    if (!file->CreateChunk(data, 0))
        return fail();
    info->ckRIFF = riff;
    info->ckData = data;
    info->dwDataOffset = data.dwDataOffset;
    info->dwDataBytes = info->dwDataSamples = 0;
    info->dwFirstSample = info->dwLastSample = 0;
    info->dwBytesLeft = info->dwPosition = 0;
    info->lpFileName = name;
    info->hmmio = std::move(file);
    return WIOERR_NOERROR;
}

int WaveIOReopen(TMMWaveIOInfo* info)
{
    if (!info)
        return WIOERR_BADPARAMS;
    auto file = std::make_unique<TRiffFile>();
    TMMCKInfo riff;
    riff.fccType = kWave;
    if (!file->Open(info->lpFileName, TRiffFile::OpenRead) || !file->Descend(riff, nullptr, TRiffFile::FindRiff))
        return WIOERR_FILEERROR;
    info->hmmio = std::move(file);
    if (WaveIOSeek(info, info->dwPosition) != WIOERR_NOERROR) {
        info->hmmio.reset();
        return WIOERR_FILEERROR;
    }
    return WIOERR_NOERROR;
}

int WaveIOSetBuffer(TMMWaveIOInfo* info, std::int64_t size)
{
    if (!info || !info->hmmio || size <= 0)
        return WIOERR_BADPARAMS;
    return info->hmmio->SetBuffer(static_cast<std::size_t>(size)) ? WIOERR_NOERROR : WIOERR_FILEERROR;
}

int WaveIOSeek(TMMWaveIOInfo* info, std::int64_t sample)
{
    if (!info)
        return WIOERR_BADPARAMS;
    const TWaveFormatEx* wfx = info->lpwfx.get();
    sample = std::clamp<std::int64_t>(sample, 0,
                                      std::max<std::int64_t>(info->dwLastSample - info->dwFirstSample - 1, 0));
    std::int64_t offset = wioSamplesToBytes(wfx, sample);
    if (info->hmmio) {
        TRiffFile& f = *info->hmmio;
        TMMCKInfo ck;
        if (f.Seek(info->dwDataOffset - 8, SEEK_SET) != info->dwDataOffset - 8 || !f.Descend(ck, nullptr, 0) ||
            f.Seek(offset, SEEK_CUR) < 0)
            return WIOERR_FILEERROR;
        // Never count bytes behind the data (a following chunk) as samples.
        const std::int64_t end = std::min(wioSamplesToBytes(wfx, info->dwLastSample), info->dwDataBytes);
        info->dwBytesLeft = std::max<std::int64_t>(end - offset, 0);
    }
    info->dwPosition = wioBytesToSamples(wfx, offset) - info->dwFirstSample;
    return WIOERR_NOERROR;
}

std::int64_t WaveIORead(TMMWaveIOInfo* info, void* buffer, std::int64_t count)
{
    if (!info || !info->hmmio)
        return -1;
    if (count <= 0 || info->dwBytesLeft <= 0)
        return 0;
    const std::int64_t n = std::min(count, info->dwBytesLeft);
    const std::int64_t got = std::max<std::int64_t>(info->hmmio->Read(buffer, n), 0);
    if (got < count)
        info->dwBytesLeft = 0;
    else
        info->dwBytesLeft = std::max<std::int64_t>(info->dwBytesLeft - got, 0);
    info->dwPosition = (info->dwLastSample - info->dwFirstSample) -
                       wioBytesToSamples(info->lpwfx.get(), info->dwBytesLeft);
    return got;
}

std::int64_t WaveIOWrite(TMMWaveIOInfo* info, const void* buffer, std::int64_t count)
{
    if (!info || !info->hmmio || count <= 0)
        return -1;
    if (info->dwDataBytes + count > riffDataLimit(*info)) {
        if (!info->mayGrowToRf64)
            return -1;
        info->isRf64 = true;  // the sizes go into "ds64" when the file is finished
    }
    const std::int64_t n = info->hmmio->Write(buffer, count);
    if (n > 0) {
        info->dwDataBytes += n;
        // Counted from the total, so many small writes of a compressed format do not
        // add up rounding errors.
        recountSamples(*info);
        info->dwPosition = info->dwDataSamples;
    }
    return n;
}

namespace {
bool writeAt(TRiffFile& f, std::int64_t offset, const std::uint8_t* bytes, std::int64_t count)
{
    return f.Seek(offset, SEEK_SET) == offset && f.Write(bytes, count) == count;
}

// Ends the data chunk of a file past its RIFF limit: a pad byte when odd, and the size
// field left to "ds64".
bool endRf64Data(TRiffFile& f, TMMWaveIOInfo& info)
{
    const std::int64_t size = f.Tell() - info.ckData.dwDataOffset;
    const std::uint8_t pad = 0;
    if (size < 0 || ((size & 1) && f.Write(&pad, 1) != 1))
        return false;
    info.ckData.cksize = size;
    info.ckData.dwFlags &= ~TRiffFile::Dirty;
    return true;
}

// Turns the finished chunks into RF64: the header "RF64", the "JUNK" chunk kept at the
// front becomes "ds64" with the RIFF and data sizes and the sample count, and the RIFF and
// data size fields point to it. The position is the file's end.
bool writeRf64Header(TRiffFile& f, const TMMWaveIOInfo& info)
{
    const std::int64_t end = f.Tell();
    std::uint8_t head[8];
    std::memcpy(head, "RF64", 4);
    putLe32(head + 4, kSizeInDs64);
    std::uint8_t ds64[8 + kDs64Body] = {};
    std::memcpy(ds64, "ds64", 4);
    putLe32(ds64 + 4, static_cast<std::uint32_t>(kDs64Body));
    putLe64(ds64 + 8, static_cast<std::uint64_t>(end - info.ckRIFF.dwDataOffset));
    putLe64(ds64 + 16, static_cast<std::uint64_t>(info.ckData.cksize));
    putLe64(ds64 + 24, static_cast<std::uint64_t>(std::max<std::int64_t>(info.dwDataSamples, 0)));
    std::uint8_t dataSize[4];
    putLe32(dataSize, kSizeInDs64);
    return writeAt(f, info.ckRIFF.dwDataOffset - 8, head, 8) &&
           writeAt(f, info.ckRIFF.dwDataOffset + 4, ds64, sizeof ds64) &&
           writeAt(f, info.ckData.dwDataOffset - 4, dataSize, 4) && f.Seek(end, SEEK_SET) == end;
}
}  // namespace

int WaveIOFinish(TMMWaveIOInfo* info)
{
    if (!info)
        return WIOERR_BADPARAMS;
    int result = WIOERR_NOERROR;
    if (info->hmmio && info->hmmio->IsCreated()) {
        TRiffFile& f = *info->hmmio;
        TMMCKInfo fact;
        fact.ckid = kFact;
        fact.cksize = 4;
        std::uint8_t count[4];
        // An RF64 file's sample count is in "ds64"; its "fact" says so with -1.
        putLe32(count, info->isRf64 ? kSizeInDs64
                                    : static_cast<std::uint32_t>(std::clamp<std::int64_t>(
                                          info->dwDataSamples, 0, std::numeric_limits<std::uint32_t>::max())));
        bool ok = (info->isRf64 ? endRf64Data(f, *info) : f.Ascend(info->ckData)) && f.CreateChunk(fact, 0) &&
                  f.Write(count, 4) == 4 && f.Ascend(fact);
        for (const TDispItem& item : info->dispList)
            ok = ok && writeDisp(f, item);
        ok = ok && writeInfo(f, *info) && (info->isRf64 ? writeRf64Header(f, *info) : f.Ascend(info->ckRIFF));
        if (ok) {
            info->dwFileSize = f.Size();
            ok = info->dwFileSize >= 0;
        }
        ok = f.Close() && ok;
        info->dwLastSample = info->dwDataSamples;
        if (!ok)
            result = WIOERR_FILEERROR;
    }
    info->hmmio.reset();
    info->dwBytesLeft = 0;
    info->dwPosition = 0;
    return result;
}

void WaveIOFree(PMMWaveIOInfo& info)
{
    if (info && info->hmmio)
        info->hmmio->Close();
    info.reset();
}

bool IsWaveFile(const std::string& name)
{
    PMMWaveIOInfo info;
    return WaveIOOpen(name, &info) == WIOERR_NOERROR;
}
