#include "support/DiscReplies.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {
QJsonArray credit(const std::string& name)
{
    return QJsonArray{QJsonObject{{"name", QString::fromStdString(name)}, {"joinphrase", ""},
                                  {"artist", QJsonObject{{"name", QString::fromStdString(name)}}}}};
}
}  // namespace

std::string ReleaseMbid(std::size_t index)
{
    char id[40];
    std::snprintf(id, sizeof id, "5e1ea5e0-0000-4000-8000-%012zx", index + 1);
    return id;
}

std::string MusicBrainzDiscReply(const std::string& discId, const std::vector<ReleaseReply>& releases, bool frontCovers)
{
    QJsonArray list;
    for (const ReleaseReply& r : releases) {
        QJsonArray tracks;
        int n = 0;
        for (const std::string& title : r.titles) {
            ++n;
            tracks.append(QJsonObject{{"number", QString::number(n)},
                                      {"position", n},
                                      {"title", QString::fromStdString(title)},
                                      {"artist-credit", credit(r.artist)},
                                      {"recording", QJsonObject{{"title", QString::fromStdString(title)}}}});
        }
        const QJsonObject medium{{"format", "CD"},
                                 {"position", 1},
                                 {"track-count", int(r.titles.size())},
                                 {"discs", QJsonArray{QJsonObject{{"id", QString::fromStdString(discId)}}}},
                                 {"tracks", tracks}};
        list.append(QJsonObject{{"id", QString::fromStdString(ReleaseMbid(std::size_t(list.size())))},
                                {"cover-art-archive", QJsonObject{{"artwork", frontCovers}, {"front", frontCovers},
                                                                  {"back", false}, {"count", frontCovers ? 1 : 0}}},
                                {"title", QString::fromStdString(r.album)},
                                {"date", QString::fromStdString(r.date)},
                                {"country", QString::fromStdString(r.country)},
                                {"artist-credit", credit(r.artist)},
                                {"media", QJsonArray{medium}}});
    }
    const QJsonObject reply{{"id", QString::fromStdString(discId)}, {"releases", list}};
    return QJsonDocument(reply).toJson().toStdString();
}

std::string RequestedDiscId(const std::string& target)
{
    const std::string prefix = "/ws/2/discid/";
    const auto at = target.find(prefix);
    if (at == std::string::npos)
        return {};
    const std::string rest = target.substr(at + prefix.size());
    return rest.substr(0, rest.find('?'));
}

std::string CddbQueryReply(const std::string& category, const std::string& discId, const std::string& title)
{
    return "200 " + category + " " + discId + " " + title + "\r\n";
}

std::string CddbReadReply(const std::string& category, const std::string& discId, const ReleaseReply& release,
                          const std::string& genre)
{
    std::string text = "210 " + category + " " + discId + " CD database entry follows (until terminating `.')\r\n";
    text += "# xmcd\r\n#\r\nDISCID=" + discId + "\r\nDTITLE=" + release.artist + " / " + release.album + "\r\n";
    text += "DYEAR=" + release.date.substr(0, 4) + "\r\nDGENRE=" + genre + "\r\n";
    for (std::size_t i = 0; i < release.titles.size(); ++i)
        text += "TTITLE" + std::to_string(i) + "=" + release.titles[i] + "\r\n";
    return text + "EXTD=\r\nPLAYORDER=\r\n.\r\n";
}
