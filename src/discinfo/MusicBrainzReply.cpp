#include "discinfo/MusicBrainzReply.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
// An artist credit as it is printed: each name followed by its join phrase.
std::string creditOf(const QJsonValue& credit)
{
    QString text;
    for (const auto& part : credit.toArray()) {
        const QJsonObject o = part.toObject();
        text += o.value("name").toString() + o.value("joinphrase").toString();
    }
    return text.trimmed().toStdString();
}

bool holdsDisc(const QJsonObject& medium, const QString& discId)
{
    for (const auto& disc : medium.value("discs").toArray())
        if (disc.toObject().value("id").toString() == discId)
            return true;
    return false;
}

int yearOf(const QString& date)
{
    bool ok = false;
    const int year = date.left(4).toInt(&ok);
    return ok && date.size() >= 4 && year > 0 ? year : 0;
}
}  // namespace

std::vector<DiscDetails> ParseMusicBrainzReleases(const std::string& json, const std::string& discId, int trackCount)
{
    std::vector<DiscDetails> out;
    if (trackCount < 1 || trackCount > kMaxDiscTracks)
        return out;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return out;
    const QString id = QString::fromStdString(discId);
    for (const auto& r : doc.object().value("releases").toArray()) {
        const QJsonObject release = r.toObject();
        const QJsonArray media = release.value("media").toArray();
        QJsonObject medium;
        for (const auto& m : media)
            if (holdsDisc(m.toObject(), id)) {
                medium = m.toObject();
                break;
            }
        if (medium.isEmpty())
            for (const auto& m : media)
                if (m.toObject().value("tracks").toArray().size() == trackCount) {
                    medium = m.toObject();
                    break;
                }
        const QJsonArray tracks = medium.value("tracks").toArray();
        if (tracks.size() != trackCount)
            continue;
        DiscDetails d;
        d.source = "MusicBrainz";
        d.mbid = release.value("id").toString().toStdString();
        d.frontCover = release.value("cover-art-archive").toObject().value("front").toBool();
        d.album = release.value("title").toString().trimmed().toStdString();
        d.artist = creditOf(release.value("artist-credit"));
        d.year = yearOf(release.value("date").toString());
        QStringList kind;
        if (const QString country = release.value("country").toString(); !country.isEmpty())
            kind << country;
        if (const QString format = medium.value("format").toString(); !format.isEmpty())
            kind << format;
        d.release = kind.join(", ").toStdString();
        for (const auto& t : tracks) {
            const QJsonObject track = t.toObject();
            FoundTrack found;
            QString title = track.value("title").toString();
            if (title.isEmpty())
                title = track.value("recording").toObject().value("title").toString();
            found.title = title.trimmed().toStdString();
            QJsonValue credit = track.value("artist-credit");
            if (credit.toArray().isEmpty())
                credit = track.value("recording").toObject().value("artist-credit");
            found.artist = creditOf(credit);
            if (found.artist == d.artist)
                found.artist.clear();
            d.tracks.push_back(std::move(found));
        }
        out.push_back(std::move(d));
    }
    return out;
}
