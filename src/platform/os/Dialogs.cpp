#include "platform/os/Dialogs.h"

#include <cstdio>
#include <sys/stat.h>

namespace {
class ConsoleDialogs final : public Dialogs {
public:
    void ShowMessage(const std::string& text) override { std::fprintf(stderr, "Mervane: %s\n", text.c_str()); }
    std::optional<std::string> OpenFile(const FileDialogOptions&) override { return std::nullopt; }
    std::optional<std::string> SaveFile(const FileDialogOptions&) override { return std::nullopt; }
    std::optional<std::string> SelectFolder(const std::string&, const std::string&) override { return std::nullopt; }
};

// Main thread only.
std::unique_ptr<Dialogs>& installed()
{
    static std::unique_ptr<Dialogs> dialogs = std::make_unique<ConsoleDialogs>();
    return dialogs;
}
}  // namespace

Dialogs& AppDialogs()
{
    return *installed();
}

std::unique_ptr<Dialogs> SetAppDialogs(std::unique_ptr<Dialogs> dialogs)
{
    std::swap(installed(), dialogs);
    return dialogs;
}

std::string WithDefaultExtension(const std::string& name, const std::string& defaultExt)
{
    const auto slash = name.rfind('/');
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        return name;
    std::string ext = defaultExt;
    if (ext.rfind("*", 0) == 0)
        ext.erase(0, 1);
    if (ext.empty())
        return name;
    if (ext.front() != '.')
        ext.insert(ext.begin(), '.');
    return name + ext;
}

std::string ChosenFileName(const std::string& name, const std::string& defaultExt)
{
    struct stat st {};
    if (::lstat(name.c_str(), &st) == 0)
        return name;  // a picked file without an extension is that file
    return WithDefaultExtension(name, defaultExt);
}
