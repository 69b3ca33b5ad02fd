// The cue sheet and playlist written beside a rip's MP3 files keep one entry a line, whatever
// the names bring from a network lookup: quotes, line ends.
#include "disc/RipSession.h"
#include "platform/os/ProfileFile.h"
#include "support/CdImageSuite.h"
#include "support/LocalHttpServer.h"
#include "support/WaveFixtures.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {
class RipWriters : public CdImageSuite<RipWriters> {
public:
    static std::vector<CdImageTrack> Tracks() { return {{true, 75, 441}, {true, 75, 882}}; }
};

std::vector<std::string> Lines(const std::string& path)
{
    const Bytes bytes = ReadBytes(path);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
}  // namespace

TEST_F(RipWriters, CueSheetAndPlaylistQuoteAndStripWhatTheNamesBring)
{
    ProfileFile::Settings().WriteInteger("CD", "CueSheet", 1);
    ProfileFile::Settings().WriteString("CD", "AccurateRip", RefusingHttpUrl());
    const std::string out = settings_.Folder().Path();
    RipSession session(image_->cue);
    CdRipReport report;
    report.sectorCount = 75;
    report.track = 1;
    session.AddTrack(report, out + "/01 - Say \"Hi\".mp3");
    report.track = 2;
    session.AddTrack(report, out + "/#2 - Line\nBreak.mp3");
    ASSERT_EQ(session.WriteCueSheet(out, "Album"), "");
    EXPECT_EQ(Lines(out + "/Album.cue"),
              (std::vector<std::string>{"REM COMMENT \"Mervane 2.0\"", "FILE \"01 - Say \\\"Hi\\\".mp3\" MP3",
                                        "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "FILE \"#2 - LineBreak.mp3\" MP3",
                                        "  TRACK 02 AUDIO", "    INDEX 01 00:00:00"}));
    EXPECT_EQ(Lines(out + "/Album.m3u"),
              (std::vector<std::string>{"#EXTM3U", "01 - Say \"Hi\".mp3", "./#2 - LineBreak.mp3"}));
}
