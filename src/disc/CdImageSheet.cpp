#include "disc/CdImageSheet.h"

#include "disc/ImageParsing.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <unistd.h>

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
        refuse("There is no cue sheet \"" + fs::path(path).stem().string() + ".cue\" beside it to say where its tracks lie");
    }
    return ReadCueSheet(path);
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
