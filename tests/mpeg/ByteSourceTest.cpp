// The search reads files through a window buffer; whatever the window size, it must see
// the bytes a memory search sees and never read outside the file.
#include "MPEGFixtures.h"
#include "mpeg/ByteSource.h"
#include "mpeg/MPEGAudio.h"
#include "mpeg/MPEGScan.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(ByteSource, FileWindowsOfAnySizeReadTheBytesAndFindTheSameStream)
{
    TempDir dir;
    const std::string path = dir.File("w.mp3");
    std::size_t dataOffset = 0;
    Bytes file = RiffWrap(Mp3Stream(5), &dataOffset);
    Bytes tag(128, 0);
    std::copy_n("TAGwindow", 9, tag.begin());
    Append(file, tag);
    WriteBytes(path, file);

    MemoryByteSource memory(file);
    const MPEGScanResult expected = ScanMPEG(memory, 0, {});
    ASSERT_EQ(expected.headerOffset, dataOffset);
    ASSERT_TRUE(expected.tag);
    EXPECT_EQ(expected.tag->title, "window");

    for (const std::size_t window : {1u, 3u, 7u, 417u, 4096u, 1u << 20}) {
        SCOPED_TRACE(window);
        FileByteSource source(path, window);
        ASSERT_TRUE(source.IsOpen());
        EXPECT_EQ(source.Size(), file.size());
        Bytes copy(file.size());
        // Read in odd pieces, so pieces straddle window edges.
        for (std::size_t at = 0; at < copy.size(); at += 5) {
            const std::size_t n = std::min<std::size_t>(5, copy.size() - at);
            ASSERT_TRUE(source.ReadAt(at, std::span(copy).subspan(at, n)));
        }
        EXPECT_EQ(copy, file);
        std::array<std::uint8_t, 4> past{};
        EXPECT_FALSE(source.ReadAt(file.size() - 3, past));
        EXPECT_FALSE(source.ReadAt(file.size() + 10, past));

        const MPEGScanResult found = ScanMPEG(source, 0, {});
        EXPECT_EQ(found.headerOffset, expected.headerOffset);
        EXPECT_EQ(found.header.frameLength, expected.header.frameLength);
        ASSERT_TRUE(found.tag);
        EXPECT_EQ(found.tag->title, "window");
        EXPECT_EQ(found.error, 0);
    }
}

TEST(ByteSource, PipesNeitherStallTheReadNorTakeATag)
{
    TempDir dir;
    const std::string path = dir.File("pipe.mp3");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    TMPEGAudio tag;
    tag.SetFileName(path);  // would wait for a writer with a blocking open
    EXPECT_FALSE(tag.Valid());
    EXPECT_EQ(tag.SaveTag(), EINVAL);
    EXPECT_EQ(tag.RemoveTag(), EINVAL);
}
