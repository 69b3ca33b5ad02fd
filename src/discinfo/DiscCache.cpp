#include "discinfo/DiscCache.h"

#include "platform/os/SmallFile.h"

#include <QCoreApplication>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {
QString entryPath(const std::string& discId)
{
    return QString::fromStdString(DiscCacheFolder() + "/" + discId + ".json");
}
}  // namespace

std::string DiscCacheFolder()
{
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    std::string base = xdg && *xdg == '/' ? xdg : "";
    if (base.empty()) {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : "") + "/.cache";
    }
    return base + "/mervane/discs";
}

std::string DiscDetailsJson(const DiscDetails& d)
{
    QJsonObject o;
    o["artist"] = QString::fromStdString(d.artist);
    o["album"] = QString::fromStdString(d.album);
    o["genre"] = QString::fromStdString(d.genre);
    o["year"] = d.year;
    o["release"] = QString::fromStdString(d.release);
    o["source"] = QString::fromStdString(d.source);
    o["mbid"] = QString::fromStdString(d.mbid);
    o["frontCover"] = d.frontCover;
    o["firstTrack"] = d.firstTrack;
    QJsonArray tracks;
    for (const FoundTrack& t : d.tracks) {
        QJsonObject track{{"title", QString::fromStdString(t.title)}, {"artist", QString::fromStdString(t.artist)}};
        // Written only when known, so entries without them keep their layout.
        if (!t.composer.empty())
            track["composer"] = QString::fromStdString(t.composer);
        if (!t.isrc.empty())
            track["isrc"] = QString::fromStdString(t.isrc);
        tracks.append(track);
    }
    o["tracks"] = tracks;
    return QJsonDocument(o).toJson().toStdString();
}

std::optional<DiscDetails> DiscDetailsFromJson(const std::string& json, int trackCount)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    const QJsonArray tracks = o.value("tracks").toArray();
    if (trackCount < 1 || trackCount > kMaxDiscTracks || tracks.size() != trackCount)
        return std::nullopt;
    DiscDetails d;
    d.artist = o.value("artist").toString().toStdString();
    d.album = o.value("album").toString().toStdString();
    d.genre = o.value("genre").toString().toStdString();
    d.year = o.value("year").toInt();
    d.release = o.value("release").toString().toStdString();
    d.source = "cache";
    d.mbid = o.value("mbid").toString().toStdString();
    d.frontCover = o.value("frontCover").toBool();
    d.firstTrack = std::clamp(o.value("firstTrack").toInt(1), 1, kMaxDiscTracks);
    for (const auto& t : tracks) {
        const QJsonObject track = t.toObject();
        d.tracks.push_back({track.value("title").toString().toStdString(), track.value("artist").toString().toStdString(),
                            track.value("composer").toString().toStdString(), track.value("isrc").toString().toStdString()});
    }
    return d;
}

std::optional<DiscDetails> LoadCachedDisc(const std::string& discId, int trackCount)
{
    if (!IsPlainDiscId(discId))
        return std::nullopt;
    // A cache entry of more than a megabyte, or anything but a plain file (a FIFO that
    // would block, a link to a device that never ends), was not written by us.
    const std::optional<std::string> json = ReadSmallRegularFile(entryPath(discId).toStdString(), 1u << 20);
    if (!json)
        return std::nullopt;
    return DiscDetailsFromJson(*json, trackCount);
}

std::string SaveCachedDisc(const std::string& discId, const DiscDetails& details)
{
    if (!IsPlainDiscId(discId))
        return QCoreApplication::translate("DiscCache", "The disc ID \"%1\" cannot name a cache file").arg(QString::fromStdString(discId)).toStdString();
    const QString path = entryPath(discId);
    if (!QDir().mkpath(QString::fromStdString(DiscCacheFolder())))
        return QCoreApplication::translate("DiscCache", "Unable to create the folder \"%1\"").arg(QString::fromStdString(DiscCacheFolder())).toStdString();
    QSaveFile file(path);
    const QByteArray bytes = QByteArray::fromStdString(DiscDetailsJson(details));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QCoreApplication::translate("DiscCache", "Unable to write \"%1\"").arg(path).toStdString() + "\n" + file.errorString().toStdString();
    return {};
}

bool IsPlainDiscId(const std::string& id)
{
    if (id.empty() || id.size() > 64)
        return false;
    for (char c : id)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '-')
            return false;
    return true;
}
