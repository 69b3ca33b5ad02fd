#include "platform/os/ProfileFile.h"

#include "platform/Errors.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <optional>
#include <sstream>
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

// The file's lines; none when it is missing or not a regular file (a named pipe at the
// settings' path must not stall the program: the defaults serve then).
std::vector<std::string> readLines(const std::string& path)
{
    std::vector<std::string> lines;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return lines;
    // Non-blocking, in case something else was put at the name after the look above.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return lines;
    std::string text;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
            if (n > 0)
                text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Writes the whole text to a new file of that name; whatever stood there (even a named
// pipe, whose open would wait for a reader) is removed first. False on any failure.
bool writeNewFile(const std::string& path, const std::string& text)
{
    ::unlink(path.c_str());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<std::size_t>(n);
    }
    return ::close(fd) == 0 && ok;
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
}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}

ProfileFile ProfileFile::Settings()
{
    return ProfileFile(configHome() + "/mervane/MERVANE2.INI");
}

std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const
{
    bool inSection = false;
    for (const std::string& line : readLines(path_)) {
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
    std::vector<std::string> lines = readLines(path_);
    const std::string entry = key + "=" + value;

    bool inSection = false;
    bool sectionFound = false;
    std::size_t insertAt = lines.size();
    bool written = false;
    for (std::size_t i = 0; i < lines.size() && !written; ++i) {
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
            written = true;
        } else if (!trim(lines[i]).empty()) {
            insertAt = i + 1;
        }
    }
    if (!written) {
        if (sectionFound) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
        } else {
            lines.push_back("[" + section + "]");
            lines.push_back(entry);
        }
    }

    std::error_code ec;
    const std::filesystem::path target(path_);
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ec);
    // Write a sibling and rename it over the file, so a failed write never truncates the settings.
    const std::string temporary = path_ + ".new";
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    if (!writeNewFile(temporary, text)) {
        ::unlink(temporary.c_str());
        throw EProfileWriteError("Unable to write to " + path_);
    }
    std::filesystem::rename(temporary, target, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        throw EProfileWriteError("Unable to write to " + path_);
    }
}

void ProfileFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}
