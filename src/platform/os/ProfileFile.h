#pragma once
// An initialisation file of [sections] and key=value lines with the semantics programs
// expect of Windows profile files: section and key names compare case-insensitively, a
// missing file, section or key gives the caller's default, a write creates whatever is
// missing, and every read or write goes to the file at that moment (nothing is cached).
//
// Settings are never destroyed:
// - A file that exists but cannot be read (the system refuses, or it is larger than
//   kMaxSettingsFileSize) gives the defaults, is reported once per run, and is never
//   written over: writes to it are refused.
// - A write replaces the file whole: the new text goes to a temporary file in the same
//   folder (with the old file's permissions), which is then renamed over the old one. A
//   failed write (full disk, read-only folder, a folder at the file's name) leaves the old
//   file as it was and removes the temporary one.
//
// Threads and processes: any thread of any number of processes may read the file at any
// moment without a lock; the rename means a reader sees either the old or the new file,
// never a missing or half-written one. Writers may also run on any thread and in several
// processes at once: each read-modify-write holds an exclusive lock (flock) on the file's
// folder, so no write loses another's key. The objects themselves hold only the path.
#include <cstdint>
#include <string>
#include <vector>

class ProfileFile {
public:
    // What a refused write does: raise EProfileWriteError, or report it once (until a write
    // to that file succeeds again) and carry on, so a refused settings write never stops
    // the work around it.
    enum class OnRefusedWrite { Raise, ReportOnce };

    // Larger files are not read: settings are a few kilobytes, and every access reads the
    // whole file.
    static constexpr std::int64_t kMaxSettingsFileSize = 1024 * 1024;

    explicit ProfileFile(std::string path, OnRefusedWrite onRefused = OnRefusedWrite::Raise);

    // The program's settings file: $XDG_CONFIG_HOME/mervane/MERVANE2.INI
    // (default ~/.config/mervane/MERVANE2.INI). Its refused writes are reported once.
    static ProfileFile Settings();
    // Makes Settings() use another file (empty: the default again). Call at start, before
    // any other thread runs.
    static void SetSettingsPath(const std::string& path);

    const std::string& Path() const { return path_; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // The value's leading optional sign and decimal digits; the default when the key is
    // missing or holds no number.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;

    // When the system refuses (or the file exists but cannot be read): raises
    // EProfileWriteError "Unable to write to <path>" with the reason on a second line, or
    // reports that text once, as the object was made to.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);

    // Several keys in one replacement of the file: a reader sees all of them or none.
    struct Entry {
        std::string section;
        std::string key;
        std::string value;
    };
    void WriteStrings(const std::vector<Entry>& entries);

private:
    std::string path_;
    OnRefusedWrite onRefused_;
};
