#include "app/TypedPaths.h"

#include "app/RememberedChoices.h"
#include "platform/Errors.h"

#include <QCoreApplication>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
bool isFolder(const fs::path& p)
{
    std::error_code ec;
    return fs::is_directory(p, ec);
}

// A translated sentence with the paths in it, for the std::string world below the widgets.
std::string say(const QString& text, const std::string& a = {}, const std::string& b = {})
{
    QString filled = text;
    if (filled.contains("%2"))
        filled = filled.arg(QString::fromStdString(a), QString::fromStdString(b));
    else if (filled.contains("%1"))
        filled = filled.arg(QString::fromStdString(a));
    return filled.toStdString();
}

bool isThere(const fs::path& p)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}
}  // namespace

FolderVerdict CheckOutputFolder(const std::string& folder)
{
    FolderVerdict v;
    if (folder.empty())
        return v;
    const fs::path path(folder);
    if (isFolder(path)) {
        v.exists = true;
        return v;
    }
    if (isThere(path)) {
        v.reason = say(QCoreApplication::translate("TypedPaths", "%1 is a file, not a folder"), folder);
        return v;
    }
    // The nearest part of the path that is there decides whether the rest can be made.
    fs::path above = path.parent_path();
    while (!above.empty() && !isThere(above) && above != above.parent_path())
        above = above.parent_path();
    if (above.empty() || isFolder(above)) {
        v.creatable = true;
        v.reason = say(QCoreApplication::translate("TypedPaths", "There is no folder %1 yet: Next offers to create it"), folder);
    } else {
        v.reason = say(QCoreApplication::translate("TypedPaths", "There is no folder %1, and %2 is not a folder"), folder, above.string());
    }
    return v;
}

std::string OutputFileProblem(const std::string& path)
{
    if (path.empty())
        return {};
    const std::string folder = ParentFolder(path);
    if (folder.empty() || isFolder(folder))
        return {};
    if (isThere(folder))
        return say(QCoreApplication::translate("TypedPaths", "%1 is not a folder"), folder);
    return say(QCoreApplication::translate("TypedPaths", "There is no folder %1"), folder);
}

void CreateOutputFolder(const std::string& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !isFolder(folder))
        throw EMervaneError(say(QCoreApplication::translate("TypedPaths", "Unable to create folder %1"), folder) + "\n" +
                            (ec ? ec.message() : say(QCoreApplication::translate("TypedPaths", "something else is at that name"))));
}
