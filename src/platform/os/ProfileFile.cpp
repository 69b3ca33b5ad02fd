#include "platform/os/ProfileFile.h"

#include "platform/Errors.h"
#include "platform/os/ErrorReport.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <set>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
std::string trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

bool sameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

enum class FileState { Missing, Read, Unreadable };

// The file as it is now: its lines, or missing (also when something other than a regular
// file stands at the name: a named pipe there must not stall the program), or unreadable
// with the reason.
struct FileText {
    FileState state = FileState::Missing;
    std::vector<std::string> lines;
    std::string reason;
};

bool isMissing(int error)
{
    return error == ENOENT || error == ENOTDIR;
}

FileText unreadable(std::string reason)
{
    FileText t;
    t.state = FileState::Unreadable;
    t.reason = std::move(reason);
    return t;
}

std::string tooLarge()
{
    return "larger than " + std::to_string(ProfileFile::kMaxSettingsFileSize / (1024 * 1024)) +
           " MB, which no settings file is";
}

FileText readFile(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return isMissing(errno) ? FileText{} : unreadable(std::system_category().message(errno));
    if (!S_ISREG(st.st_mode))
        return {};
    if (st.st_size > ProfileFile::kMaxSettingsFileSize)
        return unreadable(tooLarge());
    // Non-blocking, in case something else was put at the name after the look above.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return isMissing(errno) ? FileText{} : unreadable(std::system_category().message(errno));
    std::string text;
    int error = 0;
    bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (regular) {
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                error = errno;
            if (n <= 0)
                break;
            text.append(buffer, static_cast<std::size_t>(n));
            if (static_cast<std::int64_t>(text.size()) > ProfileFile::kMaxSettingsFileSize)
                break;  // it grew since the look above
        }
    }
    ::close(fd);
    if (!regular)
        return {};
    if (error != 0)
        return unreadable(std::system_category().message(error));
    if (static_cast<std::int64_t>(text.size()) > ProfileFile::kMaxSettingsFileSize)
        return unreadable(tooLarge());
    // Editors on other systems start a UTF-8 file with a byte-order mark; it is no part of
    // the first line, which would otherwise not read as a section header.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    FileText result;
    result.state = FileState::Read;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        result.lines.push_back(line);
    }
    return result;
}

// Reports a settings problem once per run and kind; a problem that went away (a write
// succeeded) is reported again when it comes back. Any thread.
std::mutex toldMutex;
std::set<std::string> told;  // guarded by toldMutex: "read:<path>" and "write:<path>"

void reportOnce(const std::string& key, const std::string& text)
{
    {
        std::lock_guard lock(toldMutex);
        if (!told.insert(key).second)
            return;
    }
    ReportError(text);
}

void forgetReported(const std::string& key)
{
    std::lock_guard lock(toldMutex);
    told.erase(key);
}

void reportUnreadable(const std::string& path, const std::string& reason)
{
    reportOnce("read:" + path, QCoreApplication::translate("ProfileFile", "Unable to read the settings file. The program runs on "
                                                                          "its default settings and leaves the file as it is.")
                                       .toStdString() +
                                   "\n" + path + ": " + reason);
}

// An exclusive lock on a folder for one read-modify-write of a file in it, between threads
// and processes alike (flock locks belong to the open file description). A folder that
// cannot be opened or locked gives no lock: the write then goes ahead unguarded.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (fd_ >= 0)
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~FolderLock()
    {
        if (fd_ >= 0)
            ::close(fd_);  // releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
};

// A temporary name beside the file, its own for this process and call.
std::string temporaryName(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
}

// Writes the text to a new file beside `path` and renames it over `path`, with the
// permissions of the file it replaces. The error number on failure, 0 on success; the old
// file is then untouched and no temporary file is left.
int replaceFile(const std::string& path, const std::string& text)
{
    struct stat old {};
    const bool hadFile = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    const std::string temporary = temporaryName(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0)
        return errno;
    int error = 0;
    if (hadFile && ::fchmod(fd, old.st_mode & 07777) != 0)
        error = errno;
    std::size_t done = 0;
    while (error == 0 && done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            error = n < 0 ? errno : EIO;
        else
            done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.c_str());
    return error;
}

// The section name when the line is a "[name]" header.
std::optional<std::string> sectionOf(const std::string& line)
{
    const std::string t = trim(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']')
        return trim(t.substr(1, t.size() - 2));
    return std::nullopt;
}

// Splits "key=value"; lines without '=' hold no key.
std::optional<std::pair<std::string, std::string>> entryOf(const std::string& line)
{
    const auto eq = line.find('=');
    if (eq == std::string::npos)
        return std::nullopt;
    return std::make_pair(trim(line.substr(0, eq)), trim(line.substr(eq + 1)));
}

std::string configHome()
{
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return xdg;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.config";
    return ".";
}

// Set once at start, before any other thread runs; read-only afterwards.
std::string& settingsOverride()
{
    static std::string path;
    return path;
}
}  // namespace

void ProfileFile::SetSettingsPath(const std::string& path)
{
    settingsOverride() = path;
}

ProfileFile::ProfileFile(std::string path, OnRefusedWrite onRefused) : path_(std::move(path)), onRefused_(onRefused) {}

ProfileFile ProfileFile::Settings()
{
    const std::string& chosen = settingsOverride();
    return ProfileFile(chosen.empty() ? configHome() + "/mervane/MERVANE2.INI" : chosen, OnRefusedWrite::ReportOnce);
}

std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const
{
    const FileText file = readFile(path_);
    if (file.state == FileState::Unreadable)
        reportUnreadable(path_, file.reason);
    bool inSection = false;
    for (const std::string& line : file.lines) {
        if (auto name = sectionOf(line)) {
            inSection = sameName(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (auto entry = entryOf(line); entry && sameName(entry->first, key))
            return entry->second;
    }
    return defaultValue;
}

int ProfileFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const
{
    const std::string text = ReadString(section, key, "");
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return defaultValue;
    return static_cast<int>(value);
}

void ProfileFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    WriteStrings({{section, key, value}});
}

namespace {
// Sets one key in the file's lines: replaces its line, or adds it after the last entry of
// its section, or adds the section at the end.
void setEntry(std::vector<std::string>& lines, const std::string& section, const std::string& key,
              const std::string& value)
{
    const std::string entry = key + "=" + value;
    bool inSection = false;
    bool sectionFound = false;
    std::size_t insertAt = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto name = sectionOf(lines[i])) {
            if (inSection)
                break;  // end of our section: the key goes after its last entry
            inSection = sameName(*name, section);
            if (inSection) {
                sectionFound = true;
                insertAt = i + 1;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (auto e = entryOf(lines[i]); e && sameName(e->first, key)) {
            lines[i] = entry;
            return;
        }
        if (!trim(lines[i]).empty())
            insertAt = i + 1;
    }
    if (sectionFound) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
    } else {
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }
}
}  // namespace

void ProfileFile::WriteStrings(const std::vector<Entry>& entries)
{
    if (entries.empty())
        return;
    const auto refuse = [&](const std::string& reason) {
        const std::string text =
            QCoreApplication::translate("ProfileFile", "Unable to write to %1").arg(QString::fromStdString(path_)).toStdString() +
            "\n" + path_ + ": " + reason;
        if (onRefused_ == OnRefusedWrite::Raise)
            throw EProfileWriteError(text);
        reportOnce("write:" + path_, text);
    };
    const std::filesystem::path target(path_);
    std::error_code ec;
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ec);
    const FolderLock lock(target.has_parent_path() ? target.parent_path().string() : ".");

    FileText file = readFile(path_);
    if (file.state == FileState::Unreadable) {
        // Writing would replace settings we could not see: the file is kept as it is.
        if (onRefused_ == OnRefusedWrite::Raise)
            refuse(file.reason + "; the file is kept as it is");
        else
            reportUnreadable(path_, file.reason);
        return;
    }
    for (const Entry& e : entries)
        setEntry(file.lines, e.section, e.key, e.value);

    std::string text;
    for (const std::string& line : file.lines)
        text += line + "\r\n";
    if (const int error = replaceFile(path_, text); error != 0) {
        refuse(std::system_category().message(error));
        return;
    }
    forgetReported("write:" + path_);
}

void ProfileFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}
