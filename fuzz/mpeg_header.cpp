// Any bytes handed to the MPEG header search and the tag read must end without a crash,
// a hang or a read outside the buffer. The same bytes are also searched through a file
// read with a tiny window, which must find exactly what the memory search finds; they
// are also read as a tag behind two real frames and expanded as a description template.
#include "mpeg/ByteSource.h"
#include "mpeg/MPEGAudio.h"
#include "mpeg/MPEGScan.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {
bool SameResult(const MPEGScanResult& a, const MPEGScanResult& b)
{
    if (a.headerOffset != b.headerOffset || a.tag.has_value() != b.tag.has_value())
        return false;
    if (a.header.bitRate != b.header.bitRate || a.header.sampleRate != b.header.sampleRate ||
        a.header.frameLength != b.header.frameLength)
        return false;
    return !a.tag || (a.tag->title == b.tag->title && a.tag->comment == b.tag->comment &&
                      a.tag->track == b.tag->track && a.tag->year == b.tag->year);
}

int MemoryFile(std::span<const std::uint8_t> bytes)
{
    const int fd = ::memfd_create("mpeg_header", MFD_CLOEXEC);
    if (fd < 0)
        std::abort();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            std::abort();
        done += static_cast<std::size_t>(n);
    }
    return fd;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);

    MemoryByteSource memory(bytes);
    const MPEGScanResult inMemory = ScanMPEG(memory, 0, {});

    const std::size_t window = size > 0 ? 1 + data[0] % 13 : 1;
    FileByteSource file(OwnedFile(MemoryFile(bytes)), window);
    const MPEGScanResult fromFile = ScanMPEG(file, 0, {});
    if (!SameResult(inMemory, fromFile))
        std::abort();

    const std::uint64_t limit = size > 1 ? data[1] : 0;
    MemoryByteSource limited(bytes);
    (void)ScanMPEG(limited, limit, {});

    // The same bytes behind two real frames, so the tag read sees fuzzed tags as well.
    std::vector<std::uint8_t> behindFrames(2 * 417, 0);
    for (const std::size_t at : {std::size_t{0}, std::size_t{417}}) {
        behindFrames[at] = 0xFF;
        behindFrames[at + 1] = 0xFB;
        behindFrames[at + 2] = 0x90;
        behindFrames[at + 3] = 0x64;
    }
    behindFrames.insert(behindFrames.end(), data, data + size);
    MemoryByteSource framed(behindFrames);
    const MPEGScanResult withTag = ScanMPEG(framed, 0, {});
    if (withTag.headerOffset != 0u)
        std::abort();

    TMPEGAudio audio;
    MemoryByteSource again(bytes);
    audio.ScanBytes(again);
    audio.SetTemplate(std::string(reinterpret_cast<const char*>(data), size));
    (void)audio.FormattedText();
    return 0;
}
