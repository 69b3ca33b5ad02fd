#include "discinfo/Xmcd.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>

namespace {
std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.push_back(line);
    }
    return out;
}

bool startsWithStatus(const std::string& line, std::string& code)
{
    if (line.size() < 3 || !std::isdigit(static_cast<unsigned char>(line[0])) ||
        !std::isdigit(static_cast<unsigned char>(line[1])) || !std::isdigit(static_cast<unsigned char>(line[2])))
        return false;
    code = line.substr(0, 3);
    return line.size() == 3 || line[3] == ' ';
}

// "categ discid title..." (the words after a status code, or a line of a match list).
std::optional<CddbMatch> matchOf(const std::string& text)
{
    std::istringstream in(text);
    CddbMatch m;
    if (!(in >> m.category >> m.discId))
        return std::nullopt;
    std::getline(in, m.title);
    const auto start = m.title.find_first_not_of(' ');
    m.title = start == std::string::npos ? std::string() : m.title.substr(start);
    // Category and disc ID go back into a URL: only plain words.
    for (const std::string* word : {&m.category, &m.discId})
        for (char c : *word)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                return std::nullopt;
    return m;
}

// The escapes of an xmcd value: \n, \t and \\.
std::string unescape(const std::string& value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
        } else {
            out += value[i];
        }
    }
    return out;
}

std::string trimmed(const std::string& s)
{
    const auto a = s.find_first_not_of(" \t\n");
    if (a == std::string::npos)
        return {};
    const auto b = s.find_last_not_of(" \t\n");
    return s.substr(a, b - a + 1);
}

// "Artist / Title" into its halves; without the separator all of it is the title.
void splitArtist(const std::string& value, std::string& artist, std::string& title)
{
    const auto slash = value.find(" / ");
    if (slash == std::string::npos) {
        artist.clear();
        title = trimmed(value);
        return;
    }
    artist = trimmed(value.substr(0, slash));
    title = trimmed(value.substr(slash + 3));
}
}  // namespace

std::vector<CddbMatch> ParseCddbQuery(const std::string& reply)
{
    std::vector<CddbMatch> out;
    const std::vector<std::string> all = lines(reply);
    if (all.empty())
        return out;
    std::string code;
    if (!startsWithStatus(all[0], code))
        return out;
    if (code == "200") {
        if (auto m = matchOf(all[0].substr(3)))
            out.push_back(*m);
        return out;
    }
    if (code != "210" && code != "211")
        return out;
    for (std::size_t i = 1; i < all.size() && all[i] != "."; ++i)
        if (auto m = matchOf(all[i]))
            out.push_back(*m);
    return out;
}

std::optional<DiscDetails> ParseXmcd(const std::string& entry, int trackCount)
{
    if (trackCount < 1 || trackCount > kMaxDiscTracks)
        return std::nullopt;
    std::map<std::string, std::string> values;
    std::vector<std::string> all = lines(entry);
    std::size_t i = 0;
    std::string code;
    if (!all.empty() && startsWithStatus(all[0], code)) {
        if (code != "210")
            return std::nullopt;
        i = 1;
    }
    bool any = false;
    for (; i < all.size(); ++i) {
        const std::string& line = all[i];
        if (line == ".")
            break;
        if (line.empty() || line[0] == '#')
            continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos || eq == 0)
            return std::nullopt;  // not an xmcd entry
        values[line.substr(0, eq)] += line.substr(eq + 1);
        any = true;
    }
    if (!any || !values.count("DTITLE"))
        return std::nullopt;
    DiscDetails d;
    d.source = "gnudb";
    splitArtist(unescape(values["DTITLE"]), d.artist, d.album);
    // Without " / " the artist and the album have the same name.
    if (d.artist.empty())
        d.artist = d.album;
    d.genre = trimmed(unescape(values["DGENRE"]));
    const std::string year = trimmed(values["DYEAR"]);
    if (year.size() == 4 && std::isdigit(static_cast<unsigned char>(year[0])) &&
        year.find_first_not_of("0123456789") == std::string::npos)
        d.year = std::stoi(year);
    d.tracks.resize(std::size_t(trackCount));
    int highest = -1;
    for (const auto& [key, value] : values) {
        if (key.rfind("TTITLE", 0) != 0)
            continue;
        const std::string number = key.substr(6);
        if (number.empty() || number.size() > 2 || number.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        const int n = std::stoi(number);
        if (n >= trackCount)
            return std::nullopt;  // more tracks than the disc has: another disc's entry
        highest = std::max(highest, n);
        FoundTrack& t = d.tracks[std::size_t(n)];
        splitArtist(unescape(value), t.artist, t.title);
        if (t.artist == d.artist)
            t.artist.clear();
    }
    if (highest != trackCount - 1)
        return std::nullopt;  // fewer tracks than the disc has
    return d;
}
