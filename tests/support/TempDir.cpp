#include "support/TempDir.h"

#include "platform/os/InstanceFolder.h"
#include "platform/os/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "mervane-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = buffer.data();
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string TempDir::File(const std::string& name) const
{
    return path_ + "/" + name;
}

IsolatedSettings::IsolatedSettings()
{
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
        hadConfig_ = true;
        previousConfig_ = old;
    }
    ::setenv("XDG_CONFIG_HOME", dir_.File("config").c_str(), 1);
    // The disc details cache and the instance folders go to XDG_CACHE_HOME: a fresh one,
    // unless a test that started this process already gave it one of its own folders.
    if (const char* old = std::getenv("XDG_CACHE_HOME")) {
        hadCache_ = true;
        previousCache_ = old;
    }
    if (previousCache_.find("/mervane-test-") == std::string::npos)
        ::setenv("XDG_CACHE_HOME", dir_.File("cache").c_str(), 1);
    // The instance folder is made once per process and kept: one made under another cache
    // folder (an earlier test's, removed with it) must not serve this test's files.
    CloseInstanceFolder();
    std::filesystem::create_directories(dir_.File("program"));
    SetTemporaryFolderOverride(dir_.File("program"));
}

IsolatedSettings::~IsolatedSettings()
{
    CloseInstanceFolder();
    SetTemporaryFolderOverride("");
    if (hadConfig_)
        ::setenv("XDG_CONFIG_HOME", previousConfig_.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    if (hadCache_)
        ::setenv("XDG_CACHE_HOME", previousCache_.c_str(), 1);
    else
        ::unsetenv("XDG_CACHE_HOME");
}

std::string IsolatedSettings::SettingsFile() const
{
    return dir_.File("config") + "/mervane/MERVANE2.INI";
}

std::string IsolatedSettings::TemporaryWave() const
{
    return dir_.File("program") + "/mp3tmp.wav";
}
