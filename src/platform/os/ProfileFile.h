#pragma once
// An initialisation file of [sections] and key=value lines with the semantics programs
// expect of Windows profile files: section and key names compare case-insensitively, a
// missing file, section or key gives the caller's default, a write creates whatever is
// missing, and every read or write goes to the file at that moment (nothing is cached).
#include <string>

class ProfileFile {
public:
    explicit ProfileFile(std::string path);

    // The program's settings file: $XDG_CONFIG_HOME/mervane/MERVANE2.INI
    // (default ~/.config/mervane/MERVANE2.INI).
    static ProfileFile Settings();

    const std::string& Path() const { return path_; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // The value's leading optional sign and decimal digits; the default when the key is
    // missing or holds no number.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;

    // Raises EProfileWriteError "Unable to write to <path>" when the system refuses.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);

private:
    std::string path_;
};
