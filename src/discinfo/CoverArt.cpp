#include "discinfo/CoverArt.h"

#include "discinfo/DiscCache.h"
#include "platform/image/CoverImage.h"
#include "platform/net/HttpGet.h"
#include "platform/os/SmallFile.h"

#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cctype>

namespace {
// The disc ID is checked by the cache before it names a file; this only builds the path.
QString cachedCoverPath(const std::string& discId, const char* suffix)
{
    return QString::fromStdString(DiscCacheFolder() + "/" + discId + "." + suffix);
}

// A cached picture is read only when it is a regular file of a picture's size: a FIFO or a
// device put in its place is passed over without blocking.
std::optional<QByteArray> readSmallFile(const QString& path)
{
    const std::optional<std::string> bytes = ReadSmallRegularFile(path.toStdString(), kCoverMaxInputBytes);
    if (!bytes)
        return std::nullopt;
    return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
}

FoundCover none(std::string line)
{
    return {nullptr, std::move(line)};
}
}  // namespace

bool IsMusicBrainzId(const std::string& text)
{
    if (text.size() != 36)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? text[i] != '-' : !std::isxdigit(static_cast<unsigned char>(text[i])))
            return false;
    }
    return true;
}

std::optional<Picture> LoadCachedCover(const std::string& discId)
{
    if (!IsPlainDiscId(discId))
        return std::nullopt;
    for (const char* suffix : {"jpg", "png"}) {
        const std::optional<QByteArray> bytes = readSmallFile(cachedCoverPath(discId, suffix));
        if (!bytes)
            continue;
        CoverResult kept =
            NormaliseCover({reinterpret_cast<const std::uint8_t*>(bytes->constData()), std::size_t(bytes->size())});
        if (kept.picture)
            return std::move(kept.picture);
    }
    return std::nullopt;
}

std::string SaveCachedCover(const std::string& discId, const Picture& picture)
{
    if (!IsPlainDiscId(discId))
        return QCoreApplication::translate("CoverArt", "The disc ID \"%1\" cannot name a cache file").arg(QString::fromStdString(discId)).toStdString();
    if (!QDir().mkpath(QString::fromStdString(DiscCacheFolder())))
        return QCoreApplication::translate("CoverArt", "Unable to create the folder \"%1\"").arg(QString::fromStdString(DiscCacheFolder())).toStdString();
    const QString path = cachedCoverPath(discId, picture.Suffix().c_str());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(picture.bytes.data()), qint64(picture.bytes.size())) !=
            qint64(picture.bytes.size()) ||
        !file.commit())
        return QCoreApplication::translate("CoverArt", "Unable to write \"%1\"").arg(path).toStdString() + "\n" + file.errorString().toStdString();
    // A cover of the other type kept before would shadow or outlive this one.
    QFile::remove(cachedCoverPath(discId, picture.Suffix() == "png" ? "jpg" : "png"));
    return {};
}

FoundCover FindCover(const std::string& discId, const DiscDetails& release, const LookupSettings& settings,
                     const std::atomic<bool>& cancel)
{
    if (settings.coverArt.empty())
        return none("Cover: covers are off");
    if (release.source == "cache")
        if (std::optional<Picture> cached = LoadCachedCover(discId))
            return {std::make_shared<const Picture>(std::move(*cached)), "Cover: from the cache"};
    if (!IsMusicBrainzId(release.mbid))
        return none("Cover: none (the details name no MusicBrainz release)");
    if (!release.frontCover)
        return none("Cover: the release has no front cover on the Cover Art Archive");
    if (!settings.network)
        return none("Cover: not fetched (lookups are off)");
    HttpRequest request;
    request.url = settings.coverArt + "/release/" + release.mbid + "/front-500";
    request.headers = {{"Accept", "image/jpeg, image/png, image/*"}};
    request.timeout = settings.timeout;
    request.maxBytes = kCoverMaxInputBytes;
    request.cancel = &cancel;
    const HttpReply reply = HttpGet(request);
    if (reply.status == 404)
        return none("Cover: none on the Cover Art Archive (HTTP 404)");
    if (!reply.ok)
        return none("Cover: the Cover Art Archive " +
                    std::string(reply.status == 0 ? "cannot be reached (" : "answers (") + reply.error + ")");
    CoverResult made =
        NormaliseCover({reinterpret_cast<const std::uint8_t*>(reply.body.data()), reply.body.size()});
    if (!made.picture)
        return none("Cover: the Cover Art Archive's file is unusable: " + made.problem);
    std::string line = "Cover: found on the Cover Art Archive (" + std::to_string(made.picture->width) + "x" +
                       std::to_string(made.picture->height) + ")";
    if (const std::string problem = SaveCachedCover(discId, *made.picture); !problem.empty())
        line += "; not kept: " + problem.substr(0, problem.find('\n'));
    return {std::make_shared<const Picture>(std::move(*made.picture)), line};
}

std::string PutCoverBeside(const std::string& folder, const Picture& picture)
{
    QString dir = QString::fromStdString(folder);
    if (!dir.isEmpty() && !dir.endsWith('/'))
        dir += '/';
    const QString name = QString::fromStdString("cover." + picture.Suffix());
    const QString path = dir + name;
    const QByteArray bytes(reinterpret_cast<const char*>(picture.bytes.data()), qsizetype(picture.bytes.size()));
    if (QFile::exists(path)) {
        if (readSmallFile(path) == bytes)
            return "Cover: " + name.toStdString();
        return "Cover: " + name.toStdString() + " was there already and is left as it is";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return "Cover: unable to write \"" + path.toStdString() + "\": " + file.errorString().toStdString();
    return "Cover: " + name.toStdString();
}
