#include "platform/cd/CdImage.h"

#include <atomic>

namespace {
std::atomic<CdImageOpener> installedOpener{nullptr};
}  // namespace

void SetCdImageOpener(CdImageOpener opener)
{
    installedOpener.store(opener);
}

std::unique_ptr<CdImageSource> OpenCdImage(const std::string& path)
{
    const CdImageOpener opener = installedOpener.load();
    if (!opener)
        throw ECdError(CdImageProblem(path, "This program has no reader for disc images"));
    return opener(path);
}

std::string CdImageProblem(const std::string& path, const std::string& reason)
{
    return "Unable to read the CD image \"" + path + "\"\n" + reason;
}
