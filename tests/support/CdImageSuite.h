#pragma once
// A test suite over one disc image: written once for the suite into a folder of its own,
// and named as SOUNDCARD_SETUP / CdDevice in each test's isolated settings.
//
//   class MyTest : public CdImageSuite<MyTest> {
//   public:
//       static std::vector<CdImageTrack> Tracks() { return {{false, 150, 0, 0}, {true, 300, 441, 0}}; }
//   };
//   TEST_F(MyTest, ...) { ... image_->cue ... }
#include "platform/cd/CdDisc.h"
#include "platform/os/ProfileFile.h"
#include "support/CdImage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

template <class Suite>
class CdImageSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = std::make_unique<TempDir>();
        image_ = std::make_unique<CdImage>(WriteCdImage(folder_->Path(), "disc", Suite::Tracks()));
    }
    static void TearDownTestSuite()
    {
        image_.reset();
        folder_.reset();
    }
    void SetUp() override { ProfileFile::Settings().WriteString("SOUNDCARD_SETUP", "CdDevice", image_->cue); }

    inline static std::unique_ptr<TempDir> folder_;
    inline static std::unique_ptr<CdImage> image_;
    IsolatedSettings settings_;  // made before SetUp writes the setting into it
};

// All samples of the disc's track n as CdDisc reads them.
inline std::vector<std::int16_t> ReadDiscTrack(CdDisc& disc, int n)
{
    const CdTrack& t = disc.Track(n);
    std::vector<std::int16_t> pcm(std::size_t(t.sectorCount) * kCdSamplesPerSector * 2);
    disc.ReadAudio(t.firstSector, t.sectorCount, pcm.data());
    return pcm;
}
