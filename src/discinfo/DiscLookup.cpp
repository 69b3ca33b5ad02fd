#include "discinfo/DiscLookup.h"

#include "discinfo/DiscCache.h"
#include "discinfo/MusicBrainzReply.h"
#include "discinfo/Xmcd.h"
#include "mpeg/MPEGNames.h"
#include "platform/net/HttpGet.h"
#include "platform/cd/CdDisc.h"
#include "platform/os/ProfileFile.h"

#include <QCoreApplication>
#include <algorithm>
#include <mutex>
#include <thread>

namespace {
// A reply larger than this is no disc's details (a lying server).
constexpr std::size_t kMaxReplyBytes = 4u << 20;
// gnudb matches read at most; a longer list of close matches is cut.
constexpr std::size_t kMaxCddbReads = 5;

// MusicBrainz asks for at most one request a second from a client.
std::mutex musicBrainzPaceLock;
std::chrono::steady_clock::time_point lastMusicBrainzRequest;  // guarded by musicBrainzPaceLock

// Worker thread: waits until a second has passed since the last request (or cancel).
void paceMusicBrainz(const std::atomic<bool>& cancel)
{
    std::lock_guard lock(musicBrainzPaceLock);
    const auto due = lastMusicBrainzRequest + std::chrono::seconds(1);
    while (!cancel && std::chrono::steady_clock::now() < due)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    lastMusicBrainzRequest = std::chrono::steady_clock::now();
}

std::string plusJoined(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        if (c == ' ')
            c = '+';
    return out;
}

using Clock = std::chrono::steady_clock;

// One lookup's requests: the settings, the cancel flag and the time by which the whole
// lookup ends.
struct Asking {
    const LookupSettings& settings;
    const std::atomic<bool>& cancel;
    Clock::time_point until;

    bool TimeLeft() const { return !cancel && Clock::now() < until; }
};

// Worker thread. Each request gets its own timeout, cut to what is left of the lookup's.
HttpReply get(const std::string& url, const Asking& asking)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(asking.until - Clock::now());
    if (left.count() <= 0) {
        HttpReply late;
        late.error = "timed out";
        return late;
    }
    HttpRequest request;
    request.url = url;
    request.headers = {{"Accept", "application/json, text/plain"}};
    request.timeout = std::min(asking.settings.timeout, left);
    request.maxBytes = kMaxReplyBytes;
    request.cancel = &asking.cancel;
    return HttpGet(request);
}

// Keeps the details that name at least one track, each with its texts capped.
std::vector<DiscDetails> usable(std::vector<DiscDetails> found)
{
    std::vector<DiscDetails> kept;
    for (DiscDetails& d : found) {
        if (!d.HasUsableTitles())
            continue;
        d.CapTexts();
        kept.push_back(std::move(d));
    }
    return kept;
}

// Whether the request reached no server at all (refused, unreachable, timed out).
bool offline(const HttpReply& reply)
{
    return !reply.ok && reply.status == 0;
}

// Worker thread: the releases MusicBrainz knows for the disc; `reached` tells whether a
// server answered at all.
std::vector<DiscDetails> fromMusicBrainz(const DiscIdentity& id, const Asking& asking, bool& reached)
{
    paceMusicBrainz(asking.cancel);
    const HttpReply reply = get(asking.settings.musicBrainz + "/ws/2/discid/" + id.musicBrainzId + "?toc=" +
                                    plusJoined(id.toc) + "&cdstubs=no&inc=recordings+artist-credits&fmt=json",
                                asking);
    reached = !offline(reply);
    if (!reply.ok)
        return {};
    std::vector<DiscDetails> found = ParseMusicBrainzReleases(reply.body, id.musicBrainzId, id.TrackCount());
    for (DiscDetails& d : found)
        d.firstTrack = id.firstTrack;
    return usable(std::move(found));
}

// Worker thread: gnudb's entries for the disc (query, then a read per match).
std::vector<DiscDetails> fromGnudb(const DiscIdentity& id, const Asking& asking, bool& reached)
{
    const LookupSettings& settings = asking.settings;
    // The greeting names the program only: no user or host name leaves the machine.
    const std::string tail = "&hello=anonymous+localhost+Mervane+2.0&proto=6";
    std::string query = settings.gnudb + "?cmd=cddb+query+" + id.freedbId + "+" + std::to_string(id.TrackCount());
    for (std::int32_t offset : id.offsets)
        query += "+" + std::to_string(offset);
    query += "+" + std::to_string(id.totalSeconds) + tail;
    const HttpReply reply = get(query, asking);
    reached = !offline(reply);
    std::vector<DiscDetails> found;
    if (!reply.ok)
        return found;
    std::vector<CddbMatch> matches = ParseCddbQuery(reply.body);
    if (matches.size() > kMaxCddbReads)
        matches.resize(kMaxCddbReads);
    for (const CddbMatch& m : matches) {
        if (!asking.TimeLeft())
            break;
        const HttpReply entry = get(settings.gnudb + "?cmd=cddb+read+" + m.category + "+" + m.discId + tail, asking);
        if (!entry.ok)
            continue;
        if (auto d = ParseXmcd(entry.body, id.TrackCount())) {
            d->firstTrack = id.firstTrack;
            if (d->genre.empty())
                d->genre = m.category;
            found.push_back(std::move(*d));
        }
    }
    return usable(std::move(found));
}
}  // namespace

LookupSettings ReadLookupSettings()
{
    const ProfileFile settings = ProfileFile::Settings();
    LookupSettings s;
    s.musicBrainz = settings.ReadString("METADATA", "MusicBrainz", s.musicBrainz);
    s.gnudb = settings.ReadString("METADATA", "Gnudb", s.gnudb);
    s.coverArt = settings.ReadString("METADATA", "CoverArt", s.coverArt);
    for (std::string* address : {&s.musicBrainz, &s.coverArt})
        while (!address->empty() && address->back() == '/')
            address->pop_back();
    s.network = settings.ReadInteger("METADATA", "Lookup", 1) != 0;
    s.fileNames = settings.ReadString("METADATA", "FileNames", s.fileNames);
    if (s.fileNames.empty())
        s.fileNames = "Track%n";
    s.safeNames = settings.ReadInteger("METADATA", "SafeNames", 0) != 0;
    s.cdDevice = CdDeviceSetting(settings);
    return s;
}

namespace {
// "1999", "1999-05-01", "1999/05/01": the year; 0 when the date starts with none.
int yearOf(const std::string& date)
{
    if (date.size() < 4 || !std::all_of(date.begin(), date.begin() + 4, [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    if (date.size() > 4 && date[4] >= '0' && date[4] <= '9')
        return 0;
    return std::stoi(date.substr(0, 4));
}

// A genre's name; "17" or "(17)" is the ID3v1 genre of that number.
std::string genreOf(const std::string& genre)
{
    std::string number = genre;
    if (number.size() > 2 && number.front() == '(' && number.back() == ')')
        number = number.substr(1, number.size() - 2);
    if (number.empty() || number.size() > 3 || !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return genre;
    const int n = std::stoi(number);
    return n < kGenreCount ? GenreName(n) : std::string();
}
}  // namespace

std::optional<DiscDetails> DetailsFromCdText(const CdText& text, int firstTrack, int trackCount)
{
    if (text.Empty() || trackCount < 1 || trackCount > kMaxDiscTracks)
        return std::nullopt;
    DiscDetails d;
    d.source = "CD-Text";
    d.firstTrack = firstTrack;
    d.album = text.disc.title;
    d.artist = text.disc.performer;
    d.year = yearOf(text.date);
    d.genre = genreOf(text.genre);
    d.catalog = text.catalog;
    for (int n = firstTrack; n < firstTrack + trackCount; ++n) {
        FoundTrack t;
        if (auto it = text.tracks.find(n); it != text.tracks.end()) {
            t.title = it->second.title;
            t.artist = it->second.performer == d.artist ? std::string() : it->second.performer;
            t.composer = it->second.songwriter;
            t.isrc = it->second.isrc;
        }
        if (t.composer.empty())
            t.composer = text.disc.songwriter;
        d.tracks.push_back(std::move(t));
    }
    d.CapTexts();
    return d;
}

LookupResult LookUpDisc(const DiscIdentity& id, const CdText& cdText, const LookupSettings& settings,
                        const std::atomic<bool>& cancel, const std::function<void(const std::string&)>& outcome)
{
    LookupResult result;
    if (auto cached = LoadCachedDisc(id.musicBrainzId, id.TrackCount()); cached && cached->HasUsableTitles()) {
        outcome(QCoreApplication::translate("DiscLookup", "Found in the cache").toStdString());
        cached->CapTexts();
        result.matches.push_back(std::move(*cached));
        result.fromCache = true;
        return result;
    }
    const Asking asking{settings, cancel, Clock::now() + settings.deadline};
    bool reachedAny = false;
    if (settings.network) {
        bool reached = false;
        result.matches = fromMusicBrainz(id, asking, reached);
        reachedAny |= reached;
        if (cancel)
            return {};
        if (!result.matches.empty()) {
            outcome(QCoreApplication::translate("DiscLookup", "Found on MusicBrainz").toStdString());
            return result;
        }
        outcome((reached ? QCoreApplication::translate("DiscLookup", "No match on MusicBrainz")
                         : QCoreApplication::translate("DiscLookup", "MusicBrainz cannot be reached"))
                    .toStdString());
        result.matches = fromGnudb(id, asking, reached);
        reachedAny |= reached;
        if (cancel)
            return {};
        if (!result.matches.empty()) {
            outcome(QCoreApplication::translate("DiscLookup", "Found on gnudb").toStdString());
            return result;
        }
        outcome((reached ? QCoreApplication::translate("DiscLookup", "No match on gnudb")
                         : QCoreApplication::translate("DiscLookup", "gnudb cannot be reached"))
                    .toStdString());
    }
    if (auto text = DetailsFromCdText(cdText, id.firstTrack, id.TrackCount())) {
        outcome((reachedAny ? QCoreApplication::translate("DiscLookup", "Using CD-Text")
                            : QCoreApplication::translate("DiscLookup", "Offline: using CD-Text"))
                    .toStdString());
        result.matches.push_back(std::move(*text));
        return result;
    }
    outcome(QCoreApplication::translate("DiscLookup", "No details found for this disc").toStdString());
    return result;
}
