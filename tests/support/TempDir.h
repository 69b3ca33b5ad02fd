#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path() + "/" + name.
    std::string File(const std::string& name) const;

private:
    std::string path_;
};

// Points XDG_CONFIG_HOME and the temporary wave folder at a fresh folder for the lifetime
// of the object, so a test never touches the user's settings.
class IsolatedSettings {
public:
    IsolatedSettings();
    ~IsolatedSettings();
    IsolatedSettings(const IsolatedSettings&) = delete;
    IsolatedSettings& operator=(const IsolatedSettings&) = delete;

    const TempDir& Folder() const { return dir_; }
    std::string SettingsFile() const;
    std::string TemporaryWave() const;

private:
    TempDir dir_;
    std::string previousConfig_;
    bool hadConfig_ = false;
    std::string previousCache_;  // XDG_CACHE_HOME: the disc details cache goes there too
    bool hadCache_ = false;
};
