#include "platform/Errors.h"
#include "platform/os/ProfileFile.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {
std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

TEST(ProfileFile, MissingFileSectionOrKeyGivesTheDefault)
{
    TempDir dir;
    ProfileFile ini(dir.File("none/MERVANE2.INI"));
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "MIDI", 50000), 50000);
    EXPECT_EQ(ini.ReadString("RECORD_LEVEL", "MIDI", "x"), "x");

    std::ofstream(dir.File("a.ini")) << "[OTHER]\nMIDI=7\n[RECORD_LEVEL]\nCD=abc\n";
    ProfileFile file(dir.File("a.ini"));
    EXPECT_EQ(file.ReadInteger("RECORD_LEVEL", "MIDI", 50000), 50000) << "key of another section";
    EXPECT_EQ(file.ReadInteger("RECORD_LEVEL", "CD", 50000), 50000) << "no number";
    EXPECT_EQ(file.ReadInteger("OTHER", "MIDI", 0), 7);
}

TEST(ProfileFile, SectionsAndKeysCompareCaseInsensitively)
{
    TempDir dir;
    std::ofstream(dir.File("a.ini")) << "[Record_Level]\r\n  mIdI = 1234xyz \r\nLine=-5\r\n";
    ProfileFile ini(dir.File("a.ini"));
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "MIDI", 0), 1234);
    EXPECT_EQ(ini.ReadInteger("record_level", "LINE", 0), -5);

    ini.WriteInteger("RECORD_LEVEL", "midi", 99);
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "MIDI", 0), 99);
    // The existing key was replaced, not duplicated.
    const std::string text = slurp(dir.File("a.ini"));
    EXPECT_EQ(text.find("mIdI"), std::string::npos);
    EXPECT_EQ(text.find("midi=99"), text.rfind("midi=99"));
}

TEST(ProfileFile, WritesCreateFolderFileSectionAndKeyAndKeepTheRest)
{
    TempDir dir;
    ProfileFile ini(dir.File("cfg/mervane/MERVANE2.INI"));
    ini.WriteInteger("RECORD_LEVEL", "CD", 123);
    ini.WriteString("SOUNDCARD", "DESTINATION_COUNT", "2");
    ini.WriteInteger("RECORD_LEVEL", "AUX", 7);
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "CD", 0), 123);
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "AUX", 0), 7);
    EXPECT_EQ(ini.ReadString("SOUNDCARD", "DESTINATION_COUNT", ""), "2");
    // AUX went into the existing section, not into a second one.
    const std::string text = slurp(ini.Path());
    EXPECT_EQ(text.find("[RECORD_LEVEL]"), text.rfind("[RECORD_LEVEL]"));
    EXPECT_LT(text.find("AUX=7"), text.find("[SOUNDCARD]"));
}

TEST(ProfileFile, EveryAccessSeesTheFileAsItIsNow)
{
    TempDir dir;
    ProfileFile ini(dir.File("a.ini"));
    ini.WriteInteger("S", "K", 1);
    std::ofstream(dir.File("a.ini")) << "[S]\nK=2\n";
    EXPECT_EQ(ini.ReadInteger("S", "K", 0), 2);
}

TEST(ProfileFile, RefusedWriteRaisesUnableToWrite)
{
    // A file standing where the folder should be refuses even root.
    TempDir dir;
    std::ofstream(dir.File("blocker")) << "x";
    ProfileFile ini(dir.File("blocker/MERVANE2.INI"));
    try {
        ini.WriteInteger("RECORD_LEVEL", "MIC", 1);
        FAIL() << "the write should have been refused";
    } catch (const EProfileWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + ini.Path());
    }
}

TEST(ProfileFile, SettingsFileFollowsXdgConfigHome)
{
    IsolatedSettings settings;
    EXPECT_EQ(ProfileFile::Settings().Path(), settings.SettingsFile());
}

TEST(ProfileFile, NamedPipesAtTheFilesPathsNeitherBlockNorCountAsSettings)
{
    TempDir dir;
    ProfileFile ini(dir.File("MERVANE2.INI"));
    // Nobody writes into these pipes: an open that waited for the other side would never return.
    ASSERT_EQ(::mkfifo(ini.Path().c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo((ini.Path() + ".new").c_str(), 0644), 0);
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "MIC", 42), 42);
    ini.WriteInteger("RECORD_LEVEL", "MIC", 7);
    EXPECT_TRUE(std::filesystem::is_regular_file(ini.Path()));
    EXPECT_EQ(ini.ReadInteger("RECORD_LEVEL", "MIC", 42), 7);
}
