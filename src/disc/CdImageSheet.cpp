#include "disc/CdImageSheet.h"

#include "disc/ImageParsing.h"
#include "platform/codec/DecodedAudioFile.h"
#include "platform/os/OwnedFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;
using namespace imagesheet;

CdImageLayout ReadCdImage(const std::string& path)
{
    const std::string ext = lower(fs::path(path).extension().string());
    if (ext == ".toc")
        return ReadTocFile(path);
    if (ext == ".nrg")
        return ReadNeroImage(path);
    if (ext == ".bin") {
        // A BIN is read through the cue sheet beside it.
        fs::path cue(path);
        for (const char* sheet : {".cue", ".CUE"}) {
            cue.replace_extension(sheet);
            std::error_code ec;
            if (fs::is_regular_file(cue, ec))
                return ReadCueSheet(cue.string());
        }
        refuse(QCoreApplication::translate("CdImageSheet", "There is no cue sheet \"%1.cue\" beside it to say where its tracks lie").arg(q(fs::path(path).stem().string())));
    }
    return ReadCueSheet(path);
}

// ---------------------------------------------------------------- reading

// The image's files, opened when first read: raw files (a BIN, a wave file) read as they
// lie, FLAC and Ogg files through the platform's decoder.
struct CdImageReader::Files {
    std::map<std::string, OwnedFile> open;
    std::map<std::string, std::unique_ptr<DecodedAudioFile>> decoded;
    const OwnedFile& Get(const std::string& file)
    {
        if (const auto it = open.find(file); it != open.end())
            return it->second;
        int error = 0;
        OwnedFile opened = OwnedFile::Open(file, FileAccess::Read, error);
        if (!opened.IsOpen())
            throw ECdError(QCoreApplication::translate("CdImageSheet", "Unable to open \"%1\": %2").arg(q(file), q(std::strerror(error))).toStdString());
        return open.emplace(file, std::move(opened)).first->second;
    }
    DecodedAudioFile& Decoded(const std::string& file)
    {
        if (const auto it = decoded.find(file); it != decoded.end())
            return *it->second;
        std::string why;
        std::unique_ptr<DecodedAudioFile> f = DecodedAudioFile::Open(file, why);
        if (!f)
            throw ECdError(QCoreApplication::translate("CdImageSheet", "Unable to open \"%1\": %2").arg(q(file), q(why)).toStdString());
        return *decoded.emplace(file, std::move(f)).first->second;
    }
};

CdImageReader::CdImageReader(CdImageLayout layout) : layout_(std::move(layout)), files_(std::make_unique<Files>()) {}

CdImageReader::~CdImageReader() = default;

void CdImageReader::Read(std::int32_t firstSector, std::int32_t count, std::uint8_t* bytes)
{
    if (firstSector < -layout_.hiddenSectors || count < 0 || std::int64_t(firstSector) + count > layout_.leadOut)
        throw ECdError(QCoreApplication::translate("CdImageSheet", "Sectors %1 to %2 lie outside the disc")
                           .arg(q(std::int64_t(firstSector)), q(std::int64_t(firstSector) + count - 1))
                           .toStdString());
    // The extents start at the first sector of the hidden audio.
    std::int64_t frame = (std::int64_t(firstSector) + layout_.hiddenSectors) * kFramesPerSector;
    std::int64_t left = std::int64_t(count) * kFramesPerSector;
    std::int64_t extentStart = 0;
    std::size_t e = 0;
    while (left > 0) {
        while (e < layout_.extents.size() && extentStart + layout_.extents[e].frames <= frame)
            extentStart += layout_.extents[e++].frames;
        if (e >= layout_.extents.size())
            throw ECdError(QCoreApplication::translate("CdImageSheet", "Sector %1 lies in no file of the image")
                               .arg(q(frame / kFramesPerSector - layout_.hiddenSectors))
                               .toStdString());
        const CdImageExtent& x = layout_.extents[e];
        const std::int64_t local = frame - extentStart;
        // Within one sector of the file at a time, as a sector's stride may exceed its audio.
        const std::int64_t take = std::min({left, x.frames - local, kFramesPerSector - local % kFramesPerSector});
        const std::size_t n = std::size_t(take) * 4;
        const std::uint64_t at = x.byteOffset + std::uint64_t(local / kFramesPerSector) * std::uint64_t(x.sectorStride) +
                                 std::uint64_t(local % kFramesPerSector) * 4;
        if (x.file.empty()) {
            std::memset(bytes, 0, n);
        } else if (x.decoded) {
            readDecoded(x.file, std::int64_t(at / 4), take, bytes, std::int32_t(frame / kFramesPerSector - layout_.hiddenSectors));
        } else {
            std::size_t got = 0;
            const int error = files_->Get(x.file).ReadAt(at, {bytes, n}, got);
            if (error != 0)
                throw ECdError(QCoreApplication::translate("CdImageSheet", "Unable to read \"%1\" at sector %2: %3")
                                   .arg(q(x.file), q(frame / kFramesPerSector - layout_.hiddenSectors), q(std::strerror(error)))
                                   .toStdString());
            if (got < n)
                throw ECdError(QCoreApplication::translate("CdImageSheet", "\"%1\" ends before sector %2 of the disc; the image has been cut short")
                                   .arg(q(x.file), q(frame / kFramesPerSector - layout_.hiddenSectors))
                                   .toStdString());
            if (x.bigEndian)
                for (std::size_t i = 0; i + 1 < n; i += 2)
                    std::swap(bytes[i], bytes[i + 1]);
        }
        bytes += n;
        frame += take;
        left -= take;
    }
}

void CdImageReader::readDecoded(const std::string& file, std::int64_t at, std::int64_t frames, std::uint8_t* bytes,
                                std::int32_t sector)
{
    std::int16_t samples[2 * kFramesPerSector];
    std::string why;
    if (!files_->Decoded(file).Read(at, frames, samples, why))
        throw ECdError(QCoreApplication::translate("CdImageSheet", "Unable to read \"%1\" at sector %2: %3")
                           .arg(q(file), q(std::int64_t(sector)), q(why))
                           .toStdString());
    // The disc's bytes are little-endian whatever the host's order.
    for (std::int64_t i = 0; i < 2 * frames; ++i) {
        const auto v = std::uint16_t(samples[i]);
        bytes[2 * i] = std::uint8_t(v & 0xFF);
        bytes[2 * i + 1] = std::uint8_t(v >> 8);
    }
}

std::vector<std::string> CdImageNotes(const std::string& device)
{
    const std::string ext = lower(fs::path(device).extension().string());
    if (ext != ".cue" && ext != ".bin" && ext != ".toc" && ext != ".nrg")
        return {};
    try {
        return ReadCdImage(device).notes;
    } catch (const ECdError&) {
        return {};
    }
}

CdImageLayout CheckCdImage(const std::string& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        throw ECdError(CdImageProblem(path, QCoreApplication::translate("CdImageSheet", "It does not exist").toStdString()));
    try {
        return ReadCdImage(path);
    } catch (const ECdError& e) {
        throw ECdError(CdImageProblem(path, e.what()));
    } catch (const std::bad_alloc&) {
        throw ECdError(CdImageProblem(path, QCoreApplication::translate("CdImageSheet", "There is not enough memory to read it").toStdString()));
    }
}
