#include "app/RememberedChoices.h"

#include "platform/os/ErrorReport.h"
#include "platform/os/ProfileFile.h"

#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <algorithm>
#include <filesystem>

namespace {
constexpr const char* kFolders = "FOLDERS";
constexpr const char* kEncoder = "ENCODER";
constexpr const char* kCd = "CD";
constexpr const char* kRecording = "RECORDING";
constexpr int kBitRateCount = 14;

bool isFolder(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

// A choice that cannot be remembered is told, and the run goes on without it.
template <class F>
void remember(F&& write)
{
    try {
        write();
    } catch (...) {
        ReportCurrentException();
    }
}
}  // namespace

std::string ParentFolder(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string ExpandTypedPath(const std::string& typed)
{
    const QString trimmed = QString::fromStdString(typed).trimmed();
    if (trimmed == "~" || trimmed.startsWith("~/"))
        return (QDir::homePath() + trimmed.mid(1)).toStdString();
    return trimmed.toStdString();
}

std::string DialogFolder()
{
    const std::string last = ProfileFile::Settings().ReadString(kFolders, "LastFolder", "");
    if (isFolder(last))
        return last;
    const std::string music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation).toStdString();
    if (isFolder(music))
        return music;
    return QDir::homePath().toStdString();
}

void RememberFolderOf(const std::string& file)
{
    const std::string folder = ParentFolder(file);
    if (isFolder(folder))
        remember([&] { ProfileFile::Settings().WriteString(kFolders, "LastFolder", folder); });
}

std::string RememberedOutputFolder(const std::string& road)
{
    const std::string folder = ProfileFile::Settings().ReadString(kFolders, road + "Output", "");
    return isFolder(folder) ? folder : std::string();
}

void RememberOutputFolder(const std::string& road, const std::string& folder)
{
    if (isFolder(folder))
        remember([&] { ProfileFile::Settings().WriteString(kFolders, road + "Output", folder); });
}

int RememberedBitRateIndex(int defaultIndex)
{
    const int index = ProfileFile::Settings().ReadInteger(kEncoder, "BitRate", defaultIndex);
    return index >= 0 && index < kBitRateCount ? index : defaultIndex;
}

void RememberBitRateIndex(int index)
{
    remember([&] { ProfileFile::Settings().WriteInteger(kEncoder, "BitRate", index); });
}

bool RememberedRipMode(bool defaultRip)
{
    const std::string method = ProfileFile::Settings().ReadString(kCd, "Method", "");
    return method.empty() ? defaultRip : method == "rip";
}

void RememberRipMode(bool rip)
{
    remember([&] { ProfileFile::Settings().WriteString(kCd, "Method", rip ? "rip" : "record"); });
}

bool RememberedFasterThanRealTime(bool defaultFast)
{
    const std::string speed = ProfileFile::Settings().ReadString(kRecording, "Speed", "");
    return speed.empty() ? defaultFast : speed == "fast";
}

void RememberFasterThanRealTime(bool fast)
{
    remember([&] { ProfileFile::Settings().WriteString(kRecording, "Speed", fast ? "fast" : "realtime"); });
}
