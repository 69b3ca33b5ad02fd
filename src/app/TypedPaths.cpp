#include "app/TypedPaths.h"

#include "app/RememberedChoices.h"
#include "platform/Errors.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
bool isFolder(const fs::path& p)
{
    std::error_code ec;
    return fs::is_directory(p, ec);
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
        v.reason = folder + " is a file, not a folder";
        return v;
    }
    // The nearest part of the path that is there decides whether the rest can be made.
    fs::path above = path.parent_path();
    while (!above.empty() && !isThere(above) && above != above.parent_path())
        above = above.parent_path();
    if (above.empty() || isFolder(above)) {
        v.creatable = true;
        v.reason = "There is no folder " + folder + " yet: Next offers to create it";
    } else {
        v.reason = "There is no folder " + folder + ", and " + above.string() + " is not a folder";
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
        return folder + " is not a folder";
    return "There is no folder " + folder;
}

void CreateOutputFolder(const std::string& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !isFolder(folder))
        throw EMervaneError("Unable to create folder " + folder + "\n" +
                            (ec ? ec.message() : std::string("something else is at that name")));
}
