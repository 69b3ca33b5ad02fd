// File names: the dialogs' default extension, the temporary wave and the instance folder.
#include "platform/os/Dialogs.h"
#include "platform/os/InstanceFolder.h"
#include "platform/os/Paths.h"
#include "support/TempDir.h"
#include "support/WaveFixtures.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

TEST(Dialogs, DefaultExtensionIsAddedOnlyToNamesWithoutOne)
{
    EXPECT_EQ(WithDefaultExtension("/a.b/song", "*.mp3"), "/a.b/song.mp3");
    EXPECT_EQ(WithDefaultExtension("/a/song.wav", "*.mp3"), "/a/song.wav");
    EXPECT_EQ(WithDefaultExtension("/a/song", ""), "/a/song");
}

TEST(Paths, TemporaryWaveLiesInTheInstanceFolderOrTheOverride)
{
    TempDir cache;
    const char* old = std::getenv("XDG_CACHE_HOME");
    const std::string previous = old ? old : "";
    ::setenv("XDG_CACHE_HOME", cache.Path().c_str(), 1);
    const std::string wave = TemporaryWavePath();
    const std::string folder = TemporaryFolder();
    EXPECT_EQ(wave, folder + "mp3tmp.wav");
    EXPECT_EQ(folder.rfind(cache.Path() + "/mervane/" + std::to_string(getpid()) + "-", 0), 0u) << folder;
    EXPECT_TRUE(std::filesystem::exists(folder + "lock"));
    WriteBytes(wave, Bytes(10, 1));
    RemoveTemporaryWave();
    EXPECT_FALSE(std::filesystem::exists(wave));
    CloseInstanceFolder();
    EXPECT_FALSE(std::filesystem::exists(folder)) << "the folder goes with the instance";
    EXPECT_FALSE(OpenedInstanceFolder());
    old ? ::setenv("XDG_CACHE_HOME", previous.c_str(), 1) : ::unsetenv("XDG_CACHE_HOME");

    SetTemporaryFolderOverride("/tmp/x");
    EXPECT_EQ(TemporaryWavePath(), "/tmp/x/mp3tmp.wav");
    SetTemporaryFolderOverride("");
    EXPECT_EQ(ProgramFolder().back(), '/');
}
