#include "platform/cd/CdImage.h"

#include <QCoreApplication>

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
        throw ECdError(CdImageProblem(path, QCoreApplication::translate("CdImage", "This program has no reader for disc images").toStdString()));
    return opener(path);
}

std::string CdImageProblem(const std::string& path, const std::string& reason)
{
    return QCoreApplication::translate("CdImage", "Unable to read the CD image \"%1\"\n%2")
        .arg(QString::fromStdString(path), QString::fromStdString(reason))
        .toStdString();
}
